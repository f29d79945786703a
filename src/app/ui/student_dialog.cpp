#include "app/ui/student_dialog.h"

#include "app/ui/main_window.h"
#include "platform/gui/qtext.h"
#include "platform/ui/commands.h"
#include "platform/ui/icons.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace lumor {

TForm5::TForm5(Desk& desk) : QDialog(nullptr), desk_(desk) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Student"));
    setFont(formFont(11));
    move(192, 115);
    setFixedSize(287, 195);
    setBackground(this, colours::moneyGreen);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(8, 8, 265, 177);
    const char* captions[] = {"Jméno:", "Příjmení:", "Datum:", "Skupina:"};
    for (int i = 0; i < 4; ++i) {
        const int y = 16 + 40 * i;
        auto* l = new QLabel(QString::fromUtf8(captions[i]), panel);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        l->setFont(formFont(16, true));
        setTextColour(l, colours::red);
        l->move(8, y);
        l->adjustSize();
        auto* e = new QLineEdit(panel);
        e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        e->setGeometry(96, y, 121, 21);
        edits_[static_cast<std::size_t>(i)] = e;
    }
    auto* confirm = new QToolButton(panel);
    confirm->setObjectName(QStringLiteral("SpeedButton1"));
    confirm->setIcon(QIcon(QStringLiteral(":/icons/confirm.svg")));
    confirm->setToolTip(QStringLiteral("Potvrdit"));
    confirm->setGeometry(232, 136, 23, 22);
    onClicked(confirm, desk, [this] { SpeedButton1Click(); });
    FormCreate();
}

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
    if (main_) main_->showStudent(typedTexts());
    close();
}

}  // namespace lumor
