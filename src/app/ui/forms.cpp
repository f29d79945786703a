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
    // Secondary windows first; the main window is the parent of none of them.
    Form8.reset();
    Form7.reset();
    Form6.reset();
    Form5.reset();
    Form4.reset();
    Form3.reset();
    Form2.reset();
    Form1.reset();
}

std::unique_ptr<Forms> createForms(AppState& state, Desk& desk) {
    // A report or a draw cut short (a crash, a power cut) is completed or put back before the
    // windows show the folder's pictures; what cannot be settled now the next write reports.
    finishInterruptedWrites(protocolFolder(desk.executableDir()));
    registerIcons();  // the forms load their icons as they are made
    auto forms = std::make_unique<Forms>();
    forms->Form1 = std::make_unique<MainWindow>(state, desk);
    forms->Form2 = std::make_unique<LibraryWindow>(state.library, state.route, desk);
    forms->Form3 = std::make_unique<ComponentEditor>(state.library, desk);
    // The standard library, read from the working directory as the program starts (where the
    // windows that show it exist); a file that cannot be read is said, the library stays empty.
    state.library.LoadLibrary(kStandardLibraryPath);
    forms->Form4 = std::make_unique<FibreLengthDialog>(state.route, state.library, desk);
    forms->Form5 = std::make_unique<StudentDialog>(desk);
    forms->Form6 = std::make_unique<GraphWindow>(state.route, desk, GraphKind::Attenuation);
    forms->Form7 = std::make_unique<GraphWindow>(state.route, desk, GraphKind::Cd);
    forms->Form8 = std::make_unique<GraphWindow>(state.route, desk, GraphKind::Pmd);

    forms->Form1->setPeers(
        {*forms->Form2, *forms->Form4, *forms->Form5, {forms->Form6.get(), forms->Form7.get(), forms->Form8.get()}});
    forms->Form2->setPeers(*forms->Form3, *forms->Form4);
    // What a window only tells another.
    QObject::connect(forms->Form5.get(), &StudentDialog::studentConfirmed, forms->Form1.get(),
                     &MainWindow::showStudent);
    QObject::connect(forms->Form3.get(), &ComponentEditor::libraryChanged, forms->Form2.get(),
                     &LibraryWindow::rebuildCategoryLists);
    for (GraphWindow* graph : {forms->Form6.get(), forms->Form7.get(), forms->Form8.get()}) {
        QObject::connect(forms->Form1.get(), &MainWindow::graphDrawn, graph, &GraphWindow::showGraph);
    }
    return forms;
}

void openCommandLineFiles(Forms& forms, const std::vector<std::string>& files) {
    for (const std::string& file : files) forms.Form1->openGivenFile(file);
}

}  // namespace lumor
