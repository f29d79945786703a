#include "app/ui/forms.h"

#include "app/ui/length_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/student_dialog.h"
#include "eval/ui/graph_windows.h"
#include "library/ui/component_editor.h"
#include "library/ui/library_window.h"

namespace lumor {

Forms::Forms(AppState& s, Desk& d) : state(s), desk(d) {}

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
    auto forms = std::make_unique<Forms>(state, desk);
    forms->Form1 = std::make_unique<TForm1>(*forms);
    forms->Form2 = std::make_unique<TForm2>(*forms);
    forms->Form3 = std::make_unique<TForm3>(*forms);
    forms->Form4 = std::make_unique<TForm4>(*forms);
    forms->Form5 = std::make_unique<TForm5>(*forms);
    forms->Form6 = std::make_unique<TForm6>(*forms);
    forms->Form7 = std::make_unique<TForm7>(*forms);
    forms->Form8 = std::make_unique<TForm8>(*forms);
    return forms;
}

}  // namespace lumor
