#pragma once
#include "app/app_state.h"
#include "app/forms.h"
#include "app/main_window.h"
#include "platform/scripted_desk.h"
#include "route/route_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace lumor {

/// Starts the program's windows in a fresh temporary working directory (so no standard
/// library is found unless a test puts one there) with a scripted desk.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        oldDir = fs::current_path();
        dir = fs::temp_directory_path() / ("lumor_ui_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::current_path(dir);
        fs::create_directories(dir / "bin" / "Protokol");  // where draws save their pictures
        prepare();
        desk.exeDir = (dir / "bin").string() + "/";
        state = std::make_unique<AppState>(desk);
        forms = createForms(*state, desk);
        startupShown = desk.shown;
        desk.clear();
    }
    void TearDown() override {
        forms.reset();
        state.reset();
        std::filesystem::current_path(oldDir);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    /// Runs in the working directory before the windows are created.
    virtual void prepare() {}

    TForm1& main() { return *forms->Form1; }
    RouteList& route() { return state->route; }
    std::string path(const std::string& name) const { return (dir / name).string(); }

    std::filesystem::path oldDir;
    std::filesystem::path dir;
    ScriptedDesk desk;
    std::unique_ptr<AppState> state;
    std::unique_ptr<Forms> forms;
    std::vector<ScriptedDesk::Shown> startupShown;
};

/// A route component with the given type and values in the usual slots.
inline std::unique_ptr<ComponentRecord> component(const std::string& type, const std::string& label,
                                                  const std::string& attenuation = "-",
                                                  const std::string& gain = "-", const std::string& rms = "-",
                                                  const std::string& pmd = "-", const std::string& cd = "-",
                                                  const std::string& length = "-",
                                                  const std::string& sensitivity = "-") {
    return makeRecord({type, label, "1550", attenuation, gain, rms, pmd, cd, length, sensitivity, ""});
}

}  // namespace lumor
