#include "app/ui/length_dialog.h"

#include "library/component_library.h"
#include "library/library_to_route.h"
#include "platform/gui/qtext.h"
#include "platform/ui/commands.h"
#include "platform/ui/icons.h"
#include "platform/ui/input_filter.h"
#include "route/route_list.h"
#include "route/route_rules.h"
#include "text/typed_input.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace lumor {

TForm4::TForm4(RouteList& route, const ComponentLibrary& library, Desk& desk)
    : QDialog(nullptr), route_(route), library_(library), desk_(desk) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Zadej délku vlákna"));
    setFont(formFont(11));
    move(266, 170);
    setFixedSize(311, 116);
    setBackground(this, colours::teal);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(8, 8, 297, 97);
    setBackground(panel, palette().color(QPalette::Button));
    auto* caption = new QLabel(QStringLiteral("Zadej délku vlákna:"), panel);
    caption->setObjectName(QStringLiteral("Label1"));
    caption->setFont(formFont(16, true));
    caption->move(8, 24);
    caption->adjustSize();
    Edit1_ = new QLineEdit(panel);
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    Edit1_->setGeometry(168, 24, 73, 21);
    auto* unit = new QLabel(QStringLiteral("[km]"), panel);
    unit->setObjectName(QStringLiteral("Label2"));
    unit->move(248, 24);
    unit->adjustSize();
    Button1_ = new QPushButton(QStringLiteral("Ok"), panel);
    Button1_->setObjectName(QStringLiteral("Button1"));
    Button1_->setGeometry(248, 56, 35, 25);
    Button2_ = new QPushButton(QStringLiteral("Změň"), panel);
    Button2_->setObjectName(QStringLiteral("Button2"));
    Button2_->setGeometry(168, 56, 75, 25);
    Button1_->setAutoDefault(false);
    Button2_->setAutoDefault(false);
    connectGuarded(Edit1_, &QLineEdit::textChanged, this, desk_, [this] { Edit1Change(); });
    connect(Edit1_, &QLineEdit::textEdited, this, [this] { wholeTextOnClick_ = false; });
    Edit1_->installEventFilter(this);
    onClicked(Button1_, desk_, [this] { Button1Click(); });
    onClicked(Button2_, desk_, [this] { Button2Click(); });
    setNewFibreMode(0);
    FormCreate();
}

void TForm4::setNewFibreMode(int libraryColumn) {
    fibreLibraryColumn_ = libraryColumn;
    Button1_->setEnabled(true);
    Button2_->setEnabled(false);
}

void TForm4::setChangeMode(int routeIndex) {
    changedFibreIndex_ = routeIndex;
    Button1_->setEnabled(false);
    Button2_->setEnabled(true);
    // The fibre's own length, not whatever was typed for another fibre before.
    if (routeIndex >= 1 && routeIndex <= route_.count()) {
        Edit1_->setText(toQ(route_.grid().cell(routeIndex, gridRow(ComponentSlot::Length))));
    }
}

void TForm4::openForNewFibre(int libraryColumn) {
    setNewFibreMode(libraryColumn);
    prepareEntry();
    desk_.showModal(*this);
}

void TForm4::openForChange(int routeIndex) {
    setChangeMode(routeIndex);
    prepareEntry();
    desk_.showModal(*this);
}

void TForm4::prepareEntry() {
    Edit1_->setFocus(Qt::OtherFocusReason);
    Edit1_->selectAll();
    wholeTextOnClick_ = true;
}

void TForm4::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    prepareEntry();
}

void TForm4::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    guarded(desk_, [this] {
        if (Button1_->isEnabled()) {
            Button1Click();
        } else if (Button2_->isEnabled()) {
            Button2Click();
        }
    });
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    // A click into the field right after it was offered keeps its text selected, so typing
    // still replaces the old length instead of being appended to it.
    if (watched == Edit1_ && event->type() == QEvent::MouseButtonRelease && wholeTextOnClick_) {
        wholeTextOnClick_ = false;
        if (!Edit1_->hasSelectedText()) Edit1_->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::Edit1Change() { applyInputFilter(*Edit1_, &filterLengthText); }

void TForm4::Button1Click() {
    // After a warning or an error the field is offered again, ready to be typed over.
    auto again = qScopeGuard([this] { prepareEntry(); });
    auto record = newFibreRecord(library_.grid(), fibreLibraryColumn_, fromQ(Edit1_->text()));
    if (!record) {
        desk_.warning("Zadejte délku vlákna znovu");
        return;
    }
    route_.AppendComponent(std::move(record));
    again.dismiss();
    close();
}

void TForm4::Button2Click() {
    auto again = qScopeGuard([this] { prepareEntry(); });
    const int k = changedFibreIndex_;
    if (k >= 1 && k <= route_.count()) {
        auto record = changedFibreRecord(route_.grid(), k, fromQ(Edit1_->text()));
        if (!record) {
            desk_.warning("Zadejte délku vlákna znovu");
            return;
        }
        route_.ReplaceComponent(k, std::move(record));
    }
    again.dismiss();
    close();
}

}  // namespace lumor
