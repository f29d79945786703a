#include "app/ui/report_command.h"

#include "app/ui/main_window.h"
#include "report/conclusion.h"
#include "platform/gui/qtext.h"
#include "report/report_writer.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace lumor {

void writeReport(Forms& forms) {
    TForm1& main = *forms.Form1;
    const StudentTexts student{fromQ(main.Label7->text()), fromQ(main.Label6->text()),
                               fromQ(main.Label10->text()), fromQ(main.Label11->text())};
    const std::string page = reportPage(student, forms.state.route.grid(), forms.state.routeResult,
                                        conclusionLines(fromQ(main.Memo1->toPlainText())));
    const std::string path = reportPath(forms.desk.executableDir());
    if (auto error = saveReport(path, page)) {
        forms.desk.warning(*error);
        return;
    }
    // The file is complete and closed by now, so the viewer reads all of it.
    if (!forms.desk.openInViewer(path)) {
        forms.desk.warning("Protokol byl uložen do souboru „" + path + "“, ale nepodařilo se ho otevřít. "
                           "Otevřete ho v prohlížeči sami.");
    }
}

}  // namespace lumor
