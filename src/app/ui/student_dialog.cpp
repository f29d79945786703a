#include "app/ui/student_dialog.h"

#include "platform/gui/qtext.h"
#include "platform/ui/access.h"
#include "platform/ui/commands.h"
#include "platform/ui/fonts.h"
#include "ui_student_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace lumor {

StudentDialog::StudentDialog(Desk& desk) : QDialog(nullptr), desk_(desk), ui_(std::make_unique<Ui::StudentDialog>()) {
    setupForm(*ui_, *this);
    move(192, 115);  // a form's own place: uic gives the window only its size
    fields_ = {ui_->Edit1, ui_->Edit2, ui_->Edit3, ui_->Edit4};
    onClicked(ui_->SpeedButton1, desk, [this] { confirm(); });
    nameControls(*this);
}

StudentDialog::~StudentDialog() = default;

StudentTexts StudentDialog::typedTexts() const {
    return {fromQ(fields_[0]->text()), fromQ(fields_[1]->text()), fromQ(fields_[2]->text()), fromQ(fields_[3]->text())};
}

bool StudentDialog::namesGiven() const { return !fields_[0]->text().isEmpty() && !fields_[1]->text().isEmpty(); }

void StudentDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fields_[0]->setFocus(Qt::OtherFocusReason);
}

void StudentDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    guarded(desk_, [this] { confirm(); });
}

void StudentDialog::confirm() {
    emit studentConfirmed(typedTexts());
    close();
}

}  // namespace lumor
