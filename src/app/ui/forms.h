#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace lumor {

struct AppState;
class Desk;
class MainWindow;
class LibraryWindow;
class ComponentEditor;
class FibreLengthDialog;
class GraphWindow;
class StudentDialog;

/// The eight windows of the program, which live for the whole run. Each window is given the
/// state it works on and the windows it opens; none reaches into another's controls.
struct Forms {
    Forms() = default;
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<LibraryWindow> libraryWindow;
    std::unique_ptr<ComponentEditor> componentEditor;
    std::unique_ptr<FibreLengthDialog> lengthDialog;
    std::unique_ptr<StudentDialog> studentDialog;
    /// The enlarged attenuation, CD and PMD graphs, in the order of `kGraphKinds`.
    std::array<std::unique_ptr<GraphWindow>, 3> graphWindows;
};

/// Start-up: settles the report folder's interrupted writes, creates the eight windows in
/// their fixed order (main window, library window, component editor, length dialog, student
/// dialog, the three graph windows), loading the standard library "Komponenty/stdkmp.komp" once
/// the editor exists, then tells each window the windows it opens.
std::unique_ptr<Forms> createForms(AppState& state, Desk& desk);

/// Opens the files given on the program's command line (`lumor FILE.trasa`, `lumor FILE.komp`),
/// once the windows exist and the standard library is loaded, as the Open commands open them.
void openCommandLineFiles(Forms& forms, const std::vector<std::string>& files);

}  // namespace lumor
