#include "app/ui/student_dialog.h"

#include "app/ui/main_window.h"
#include "platform/ui/icons.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace lumor {

TForm5::TForm5(Forms& forms) : QDialog(nullptr), forms_(forms) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Student"));
    setFont(formFont(11));
    move(192, 115);
    setFixedSize(287, 195);
    setBackground(this, colours::moneyGreen);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(8, 8, 265, 177);
    const char* captions[] = {"Jméno:", "Příjmení:", "Datum:", "Skupina:"};
    QLabel** labels[] = {&Label1, &Label2, &Label3, &Label4};
    QLineEdit** edits[] = {&Edit1, &Edit2, &Edit3, &Edit4};
    for (int i = 0; i < 4; ++i) {
        const int y = 16 + 40 * i;
        auto* l = new QLabel(QString::fromUtf8(captions[i]), Panel1);
        l->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        l->setFont(formFont(16, true));
        setTextColour(l, colours::red);
        l->move(8, y);
        l->adjustSize();
        *labels[i] = l;
        auto* e = new QLineEdit(Panel1);
        e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        e->setGeometry(96, y, 121, 21);
        *edits[i] = e;
    }
    SpeedButton1 = new QToolButton(Panel1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(pictureIcon(Picture::Confirm));
    SpeedButton1->setToolTip(QStringLiteral("Potvrdit"));
    SpeedButton1->setGeometry(232, 136, 23, 22);
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { guarded(forms_.desk, [&] { SpeedButton1Click(); }); });
    FormCreate();
}

void TForm5::SpeedButton1Click() {
    TForm1& main = *forms_.Form1;
    main.Label7->setText(Edit1->text());
    main.Label6->setText(Edit2->text());
    main.Label10->setText(Edit3->text());
    main.Label11->setText(Edit4->text());
    close();
}

}  // namespace lumor
