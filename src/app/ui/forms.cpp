#include "app/ui/forms.h"

#include "app/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/student_dialog.h"
#include "eval/ui/graph_window.h"
#include "io/write_file.h"
#include "library/component_library.h"
#include "library/ui/component_editor.h"
#include "library/ui/fibre_length_dialog.h"
#include "library/ui/library_window.h"
#include "platform/ui/desk.h"
#include "platform/ui/icons.h"
#include "report/report_writer.h"

namespace lumor {

Forms::~Forms() {
    // Secondary windows first, in the reverse order of their making; the main window is the
    // parent of none of them.
    for (auto graph = graphWindows.rbegin(); graph != graphWindows.rend(); ++graph) graph->reset();
    studentDialog.reset();
    lengthDialog.reset();
    componentEditor.reset();
    libraryWindow.reset();
    mainWindow.reset();
}

std::unique_ptr<Forms> createForms(AppState& state, Desk& desk) {
    // A report or a draw cut short (a crash, a power cut) is completed or put back before the
    // windows show the folder's pictures; what cannot be settled now the next write reports.
    finishInterruptedWrites(protocolFolder(desk.executableDir()));
    registerIcons();  // the forms load their icons as they are made
    auto forms = std::make_unique<Forms>();
    forms->mainWindow = std::make_unique<MainWindow>(state, desk);
    forms->libraryWindow = std::make_unique<LibraryWindow>(state.library, state.route, desk);
    forms->componentEditor = std::make_unique<ComponentEditor>(state.library, desk);
    // The standard library, read from the working directory as the program starts (where the
    // windows that show it exist); a file that cannot be read is said, the library stays empty.
    state.library.loadLibrary(kStandardLibraryPath);
    forms->lengthDialog = std::make_unique<FibreLengthDialog>(state.route, state.library, desk);
    forms->studentDialog = std::make_unique<StudentDialog>(desk);
    std::array<GraphWindow*, 3> graphs{};
    for (std::size_t i = 0; i < kGraphKinds.size(); ++i) {
        forms->graphWindows[i] = std::make_unique<GraphWindow>(state.route, desk, kGraphKinds[i]);
        graphs[i] = forms->graphWindows[i].get();
    }

    MainWindow& main = *forms->mainWindow;
    main.setPeers({*forms->libraryWindow, *forms->lengthDialog, *forms->studentDialog, graphs});
    forms->libraryWindow->setPeers(*forms->componentEditor, *forms->lengthDialog);
    // What a window only tells another.
    QObject::connect(forms->studentDialog.get(), &StudentDialog::studentConfirmed, &main, &MainWindow::showStudent);
    QObject::connect(forms->componentEditor.get(), &ComponentEditor::libraryChanged, forms->libraryWindow.get(),
                     &LibraryWindow::rebuildCategoryLists);
    for (GraphWindow* graph : graphs) QObject::connect(&main, &MainWindow::graphDrawn, graph, &GraphWindow::showGraph);
    return forms;
}

void openCommandLineFiles(Forms& forms, const std::vector<std::string>& files) {
    for (const std::string& file : files) forms.mainWindow->openGivenFile(file);
}

}  // namespace lumor
