#include "app/ui/length_dialog.h"

#include "library/component_library.h"
#include "library/library_to_route.h"
#include "platform/gui/qtext.h"
#include "platform/ui/access.h"
#include "platform/ui/commands.h"
#include "platform/ui/icons.h"
#include "platform/ui/input_filter.h"
#include "route/route_list.h"
#include "route/route_rules.h"
#include "ui_length_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace lumor {

TForm4::TForm4(RouteList& route, const ComponentLibrary& library, Desk& desk)
    : QDialog(nullptr), route_(route), library_(library), desk_(desk), ui_(std::make_unique<Ui::TForm4>()) {
    ui_->setupUi(this);
    applyFormFonts(*this);
    move(266, 170);  // a form's own place: uic gives the window only its size
    showAsHint(*ui_->Label3);
    takeNumbers(*ui_->Edit1, NumberSign::PositiveOnly, *ui_->Label3);
    connect(ui_->Edit1, &QLineEdit::textEdited, this, [this] { wholeTextOnClick_ = false; });
    ui_->Edit1->installEventFilter(this);
    onClicked(ui_->Button1, desk_, [this] { Button1Click(); });
    onClicked(ui_->Button2, desk_, [this] { Button2Click(); });
    setNewFibreMode(0);
    setTabChain({ui_->Edit1, ui_->Button2, ui_->Button1});  // "Změň" stands left of "Ok"
    nameControls(*this);
    FormCreate();
}

TForm4::~TForm4() = default;

void TForm4::setNewFibreMode(int libraryColumn) {
    fibreLibraryColumn_ = libraryColumn;
    ui_->Button1->setEnabled(true);
    ui_->Button2->setEnabled(false);
}

void TForm4::setChangeMode(int routeIndex) {
    changedFibreIndex_ = routeIndex;
    ui_->Button1->setEnabled(false);
    ui_->Button2->setEnabled(true);
    // The fibre's own length, not whatever was typed for another fibre before.
    if (routeIndex >= 1 && routeIndex <= route_.count()) {
        ui_->Edit1->setText(toQ(SlotText(route_.at(routeIndex), ComponentSlot::Length)));
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
    ui_->Label3->clear();
    ui_->Edit1->setFocus(Qt::OtherFocusReason);
    ui_->Edit1->selectAll();
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
        if (ui_->Button1->isEnabled()) {
            Button1Click();
        } else if (ui_->Button2->isEnabled()) {
            Button2Click();
        }
    });
}

bool TForm4::eventFilter(QObject* watched, QEvent* event) {
    // A click into the field right after it was offered keeps its text selected, so typing
    // still replaces the old length instead of being appended to it.
    if (watched == ui_->Edit1 && event->type() == QEvent::MouseButtonRelease && wholeTextOnClick_) {
        wholeTextOnClick_ = false;
        if (!ui_->Edit1->hasSelectedText()) ui_->Edit1->selectAll();
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::Button1Click() {
    // After a warning or an error the field is offered again, ready to be typed over.
    auto again = qScopeGuard([this] { prepareEntry(); });
    auto record = newFibreRecord(library_, fibreLibraryColumn_, fromQ(ui_->Edit1->text()));
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
        auto record = changedFibreRecord(route_, k, fromQ(ui_->Edit1->text()));
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
