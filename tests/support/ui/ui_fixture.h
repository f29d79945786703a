#pragma once
#include "app/app_state.h"
#include "app/ui/forms.h"
#include "app/ui/main_window.h"
#include "scripted_desk.h"
#include "test_routes.h"

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

}  // namespace lumor
