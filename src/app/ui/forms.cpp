#include "app/ui/forms.h"

#include "app/app_state.h"
#include "app/ui/length_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/student_dialog.h"
#include "eval/ui/graph_windows.h"
#include "library/ui/component_editor.h"
#include "library/ui/library_window.h"
#include "platform/ui/desk.h"
#include "report/report_writer.h"
#include "text/file_io.h"

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
    auto forms = std::make_unique<Forms>();
    forms->Form1 = std::make_unique<TForm1>(state, desk);
    forms->Form2 = std::make_unique<TForm2>(state.library, state.route, desk);
    forms->Form3 = std::make_unique<TForm3>(state.library, desk);
    forms->Form4 = std::make_unique<TForm4>(state.route, state.library, desk);
    forms->Form5 = std::make_unique<TForm5>(desk);
    forms->Form6 = std::make_unique<TForm6>(state.route, desk);
    forms->Form7 = std::make_unique<TForm7>(state.route, desk);
    forms->Form8 = std::make_unique<TForm8>(state.route, desk);

    forms->Form1->setPeers(
        {*forms->Form2, *forms->Form4, *forms->Form5, {forms->Form6.get(), forms->Form7.get(), forms->Form8.get()}});
    forms->Form2->setPeers(*forms->Form3, *forms->Form4);
    // What a window only tells another.
    QObject::connect(forms->Form5.get(), &TForm5::studentConfirmed, forms->Form1.get(), &TForm1::showStudent);
    QObject::connect(forms->Form3.get(), &TForm3::libraryChanged, forms->Form2.get(), &TForm2::RebuildCategoryLists);
    for (GraphWindow* graph :
         {static_cast<GraphWindow*>(forms->Form6.get()), static_cast<GraphWindow*>(forms->Form7.get()),
          static_cast<GraphWindow*>(forms->Form8.get())}) {
        QObject::connect(forms->Form1.get(), &TForm1::graphDrawn, graph, &GraphWindow::showGraph);
    }
    return forms;
}

void openCommandLineFiles(Forms& forms, const std::vector<std::string>& files) {
    for (const std::string& file : files) forms.Form1->openGivenFile(file);
}

}  // namespace lumor
