#pragma once
#include "app/app_state.h"
#include "app/ui/forms.h"
#include "app/ui/main_window.h"
#include "platform/ui/grid_view.h"
#include "scripted_desk.h"
#include "test_routes.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QToolButton>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace lumor {

/// The control of a window by its name, as the program names its controls; a missing one
/// fails the test (a thrown exception ends it).
template <class T>
T& control(const QObject& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no control " + name.toStdString() + " in " + window.objectName().toStdString());
    return *found;
}
template <class T>
T& control(const QObject& window, const char* name) {
    return control<T>(window, QString::fromUtf8(name));
}

/// The library window's category list of type t, 0 to 4 (ComboBox1 to ComboBox5).
inline QComboBox& categoryList(const QObject& libraryWindow, int t) {
    return control<QComboBox>(libraryWindow, QStringLiteral("ComboBox%1").arg(t + 1));
}
/// The library window's "Přidej" button of type t (SpeedButton1 to SpeedButton5).
inline QToolButton& addButton(const QObject& libraryWindow, int t) {
    return control<QToolButton>(libraryWindow, QStringLiteral("SpeedButton%1").arg(t + 1));
}
/// The library window's edit button of type t (SpeedButton6 to SpeedButton10).
inline QToolButton& editButton(const QObject& libraryWindow, int t) {
    return control<QToolButton>(libraryWindow, QStringLiteral("SpeedButton%1").arg(t + 6));
}
/// Selects one cell of a grid view in grid coordinates, as a click does.
inline void selectCell(GridView& grid, int col, int row) { grid.selectColumnCells(col, row, row); }

/// The component editor's field of slot s, 0 to 9 (Edit1 to Edit10).
inline QLineEdit& editorField(const QObject& editor, int s) {
    return control<QLineEdit>(editor, QStringLiteral("Edit%1").arg(s + 1));
}

/// The component editor's field of a slot.
inline QLineEdit& editorField(const QObject& editor, LibrarySlot s) { return editorField(editor, static_cast<int>(s)); }

/// Starts the program's windows in a fresh temporary working directory (so no standard
/// library is found unless a test puts one there) with a scripted desk.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        oldDir = fs::current_path();
        // A parameterised test's name holds "/": one folder level, removed whole afterwards.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dir = fs::temp_directory_path() / ("lumor_ui_" + std::to_string(::getpid()) + "_" + name);
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

    MainWindow& main() { return *forms->mainWindow; }
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
