#include "app/ui/student_dialog.h"

#include "platform/gui/qtext.h"
#include "platform/ui/access.h"
#include "platform/ui/commands.h"
#include "platform/ui/icons.h"
#include "ui_student_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace lumor {

TForm5::TForm5(Desk& desk) : QDialog(nullptr), desk_(desk), ui_(std::make_unique<Ui::TForm5>()) {
    ui_->setupUi(this);
    applyFormFonts(*this);
    move(192, 115);  // a form's own place: uic gives the window only its size
    edits_ = {ui_->Edit1, ui_->Edit2, ui_->Edit3, ui_->Edit4};
    onClicked(ui_->SpeedButton1, desk, [this] { SpeedButton1Click(); });
    nameControls(*this);
    FormCreate();
}

TForm5::~TForm5() = default;

StudentTexts TForm5::typedTexts() const {
    return {fromQ(edits_[0]->text()), fromQ(edits_[1]->text()), fromQ(edits_[2]->text()), fromQ(edits_[3]->text())};
}

bool TForm5::namesGiven() const { return !edits_[0]->text().isEmpty() && !edits_[1]->text().isEmpty(); }

void TForm5::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edits_[0]->setFocus(Qt::OtherFocusReason);
}

void TForm5::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    guarded(desk_, [this] { SpeedButton1Click(); });
}

void TForm5::SpeedButton1Click() {
    emit studentConfirmed(typedTexts());
    close();
}

}  // namespace lumor
