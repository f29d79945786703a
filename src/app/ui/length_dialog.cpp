#include "app/ui/length_dialog.h"

#include "library/library_to_route.h"
#include "route/route_rules.h"
#include "text/typed_input.h"
#include "platform/ui/icons.h"
#include "platform/ui/input_filter.h"
#include "platform/gui/qtext.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumor {

TForm4::TForm4(Forms& forms) : QDialog(nullptr), forms_(forms) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Zadej délku vlákna"));
    setFont(formFont(11));
    move(266, 170);
    setFixedSize(311, 116);
    setBackground(this, colours::teal);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(8, 8, 297, 97);
    setBackground(Panel1, palette().color(QPalette::Button));
    Label1 = new QLabel(QStringLiteral("Zadej délku vlákna:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(formFont(16, true));
    Label1->move(8, 24);
    Label1->adjustSize();
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(168, 24, 73, 21);
    Label2 = new QLabel(QStringLiteral("[km]"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(248, 24);
    Label2->adjustSize();
    Button1 = new QPushButton(QStringLiteral("Ok"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(248, 56, 35, 25);
    Button2 = new QPushButton(QStringLiteral("Změň"), Panel1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(168, 56, 75, 25);
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    connect(Edit1, &QLineEdit::textChanged, this, [this] { guarded(forms_.desk, [&] { Edit1Change(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { guarded(forms_.desk, [&] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded(forms_.desk, [&] { Button2Click(); }); });
    setNewFibreMode();
    FormCreate();
}

void TForm4::setNewFibreMode() {
    Button1->setEnabled(true);
    Button2->setEnabled(false);
}

void TForm4::setChangeMode() {
    Button1->setEnabled(false);
    Button2->setEnabled(true);
}

void TForm4::Edit1Change() { applyInputFilter(*Edit1, &filterLengthText, filtering_); }

void TForm4::Button1Click() {
    AppState& s = forms_.state;
    auto record = newFibreRecord(s.library.grid(), s.FibreLibraryColumn, fromQ(Edit1->text()));
    if (!record) {
        forms_.desk.warning("Zadejte délku vlákna znovu");
        return;
    }
    s.route.AppendComponent(std::move(record));
    close();
}

void TForm4::Button2Click() {
    AppState& s = forms_.state;
    const int k = s.ChangedFibreIndex;
    if (k < 1 || k > s.route.count()) {
        close();
        return;
    }
    auto record = changedFibreRecord(s.route.grid(), k, fromQ(Edit1->text()));
    if (!record) {
        forms_.desk.warning("Zadejte délku vlákna znovu");
        return;
    }
    s.route.ReplaceComponent(k, std::move(record));
    close();
}

}  // namespace lumor
