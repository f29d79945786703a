#include "app/ui/main_window.h"

#include "app/ui/length_dialog.h"
#include "app/ui/report_command.h"
#include "app/about.h"
#include "report/conclusion.h"
#include "route/route_rules.h"
#include "app/ui/student_dialog.h"
#include "eval/ui/graph_windows.h"
#include "library/ui/library_window.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/icons.h"
#include "platform/ui/image_view.h"
#include "platform/gui/qtext.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumor {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int px = 11,
              bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(formFont(px, bold));
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLabel* valueLabel(QWidget* parent, const char* name, int x, int y, int width) {
    auto* l = label(parent, name, QString(), x, y);
    setTextColour(l, colours::red);
    l->setGeometry(x, y, width, 14);
    return l;
}

QToolButton* speedButton(QWidget* parent, const char* name, const char* hint, int x, int y) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setIcon(pictureIcon(Picture::Enlarge));
    b->setAutoRaise(true);
    b->setGeometry(x, y, 23, 22);
    return b;
}

QGroupBox* groupBox(QWidget* parent, const char* name, const char* caption, int x, int y, int w, int h) {
    auto* g = new QGroupBox(QString::fromUtf8(caption), parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setGeometry(x, y, w, h);
    setBackground(g, colours::infoYellow);
    return g;
}

}  // namespace

TForm1::TForm1(Forms& forms) : forms_(forms), state_(forms.state), desk_(forms.desk) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lumor"));
    buildLayout();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::buildLayout() {
    setFont(formFont(11));
    setGeometry(301, 186, 500, 493);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("scroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroller);
    content = new QWidget;
    content->setObjectName(QStringLiteral("content"));
    content->setFixedSize(1001, 878);
    setBackground(content, colours::skyBlue);
    setBackground(scroller, colours::skyBlue);
    scroller->setWidget(content);

    ToolBar1 = new QToolBar(content);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setGeometry(0, 0, 993, 29);
    ToolBar1->setIconSize(QSize(16, 16));
    auto tool = [&](const char* name, const char* hint, int image, void (TForm1::*handler)()) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromUtf8(hint));
        b->setIcon(imageListIcon(image));
        b->setAutoRaise(true);
        b->setFixedSize(23, 22);
        ToolBar1->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, handler] { guarded(desk_, [&] { (this->*handler)(); }); });
        return b;
    };
    auto separator = [&](const char* name, int width) {
        auto* s = new QWidget(ToolBar1);
        s->setObjectName(QString::fromLatin1(name));
        s->setFixedSize(width, 22);
        ToolBar1->addWidget(s);
        return s;
    };
    ToolButton1 = tool("ToolButton1", "Nová optická trasa", 0, &TForm1::ToolButton1Click);
    ToolButton2 = tool("ToolButton2", "Otevři optickou trasu", 1, &TForm1::ToolButton2Click);
    ToolButton3 = tool("ToolButton3", "Ulož optickou trasu", 2, &TForm1::ToolButton3Click);
    ToolButton4 = separator("ToolButton4", 28);
    ToolButton5 = tool("ToolButton5", "Komponenty", 3, &TForm1::ToolButton5Click);
    ToolButton6 = tool("ToolButton6", "Student", 4, &TForm1::ToolButton6Click);
    ToolButton7 = tool("ToolButton7", "Protokol", 7, &TForm1::ToolButton7Click);
    ToolButton9 = separator("ToolButton9", 27);
    ToolButton10 = tool("ToolButton10", "Nápověda", 5, &TForm1::ToolButton10Click);
    ToolButton11 = tool("ToolButton11", "Vykresli grafy", 6, &TForm1::ToolButton11Click);

    Label3 = label(content, "Label3", QStringLiteral("Student:"), 9, 32, 16, true);
    Panel2 = new QFrame(content);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2->setGeometry(8, 56, 337, 43);
    Label5 = label(Panel2, "Label5", QStringLiteral("Příjmení:"), 8, 8);
    Label6 = valueLabel(Panel2, "Label6", 64, 8, 110);
    Label4 = label(Panel2, "Label4", QStringLiteral("Jméno:"), 176, 8);
    Label7 = valueLabel(Panel2, "Label7", 224, 8, 110);
    Label8 = label(Panel2, "Label8", QStringLiteral("Datum:"), 16, 24);
    Label10 = valueLabel(Panel2, "Label10", 64, 24, 100);
    Label9 = label(Panel2, "Label9", QStringLiteral("Skupina:"), 168, 24);
    Label11 = valueLabel(Panel2, "Label11", 224, 24, 110);

    Label1 = label(content, "Label1", QStringLiteral("Optická trasa"), 8, 112, 19, true);
    seznam = new GridView(state_.route.grid(), content);
    seznam->setObjectName(QStringLiteral("seznam"));
    seznam->setGeometry(8, 141, 985, 268);
    connect(seznam, &QAbstractItemView::doubleClicked, this,
            [this] { guarded(desk_, [&] { seznamDblClick(); }); });

    Label2 = label(content, "Label2", QStringLiteral("Grafy"), 8, 416, 19, true);
    SpeedButton2 = speedButton(content, "SpeedButton2", "Zvětší a zobrazí graf útlumu v novém okně", 312, 423);
    SpeedButton3 = speedButton(content, "SpeedButton3", "Zvětší a zobrazí graf chromatické disperze v novém okně", 641, 423);
    SpeedButton4 = speedButton(content, "SpeedButton4",
                               "Zvětší a zobrazí graf polarizačně vidové dispeze v novém okně", 969, 423);
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { guarded(desk_, [&] { SpeedButton2Click(); }); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { guarded(desk_, [&] { SpeedButton3Click(); }); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { guarded(desk_, [&] { SpeedButton4Click(); }); });

    GroupBox1 = groupBox(content, "GroupBox1", "Útlum", 8, 448, 329, 297);
    GroupBox2 = groupBox(content, "GroupBox2", "Chromatická disperze", 344, 448, 321, 297);
    GroupBox3 = groupBox(content, "GroupBox3", "Polarizačně vidová disperze", 672, 448, 321, 297);
    att = new ImageView(313, 273, GroupBox1);
    att->setObjectName(QStringLiteral("att"));
    att->move(8, 16);
    Image2 = new ImageView(305, 273, GroupBox2);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->move(8, 16);
    Image3 = new ImageView(305, 273, GroupBox3);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->move(8, 16);

    Label12 = label(content, "Label12", QStringLiteral("Závěr:"), 8, 766, 16, true);
    Memo1 = new QPlainTextEdit(content);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 792, 667, 78);
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { guarded(desk_, [&] { Memo1Change(); }); });

    auto shortcut = [&](QKeySequence::StandardKey key, void (TForm1::*handler)()) {
        auto* s = new QShortcut(key, this);
        connect(s, &QShortcut::activated, this, [this, handler] { guarded(desk_, [&] { (this->*handler)(); }); });
    };
    shortcut(QKeySequence::New, &TForm1::ToolButton1Click);
    shortcut(QKeySequence::Open, &TForm1::ToolButton2Click);
    shortcut(QKeySequence::Save, &TForm1::ToolButton3Click);
}

void TForm1::FormCreate() {
    SpeedButton2->setEnabled(false);
    SpeedButton3->setEnabled(false);
    SpeedButton4->setEnabled(false);
    ToolButton7->setEnabled(false);
    // The route starts empty with its captions and headers written (the route list does
    // that as it is made).
}

void TForm1::setEnlargeAndReport(bool enlarge, bool report) {
    SpeedButton2->setEnabled(enlarge);
    SpeedButton3->setEnabled(enlarge);
    SpeedButton4->setEnabled(enlarge);
    ToolButton7->setEnabled(report);
}

void TForm1::blankGraphs() {
    att->blank();
    Image2->blank();
    Image3->blank();
}

void TForm1::ToolButton1Click() {
    setEnlargeAndReport(false, false);  // before the question: No leaves them disabled too
    if (!desk_.question("Opravdu chcete vymazat celou optickou trasu ?")) return;
    state_.route.ClearRoute();
    blankGraphs();
}

void TForm1::ToolButton2Click() {
    if (state_.route.grid().colCount() != 2) {
        if (!desk_.question("Tímto vymažete stávající optickou trasu a načtete novou ze souboru, "
                            "opravdu chcete pokračovat ?")) {
            return;
        }
        state_.route.ClearRoute();
        blankGraphs();
        ToolButton7->setEnabled(false);
    }
    if (auto path = desk_.openFileName(kRouteFilter)) state_.route.LoadRoute(*path);
}

void TForm1::ToolButton3Click() {
    if (state_.route.count() == 0) {
        desk_.information("Seznam je prázdný");
        return;
    }
    if (auto path = desk_.saveFileName(kRouteFilter)) state_.route.SaveRoute(*path);
}

void TForm1::ToolButton5Click() {
    forms_.Form2->RebuildCategoryLists();
    desk_.showModal(*forms_.Form2);
}

void TForm1::ToolButton6Click() { desk_.showModal(*forms_.Form5); }

void TForm1::ToolButton7Click() {
    if (Label6->text().isEmpty() || Label7->text().isEmpty()) {
        desk_.warning("Nejsou vyplněny požadované údaje v okně student");
        desk_.showModal(*forms_.Form5);
        if (forms_.Form5->Edit1->text().isEmpty() || forms_.Form5->Edit2->text().isEmpty()) return;
    }
    WriteReport();
}

void TForm1::ToolButton10Click() { desk_.information(aboutText(), "O programu"); }

void TForm1::ToolButton11Click() {
    if (gridRouteComplete(state_.route.grid())) {
        DrawRouteGraphs();
        setEnlargeAndReport(true, true);
    } else {
        desk_.warning("Trasa není úplná");
    }
}

void TForm1::showEnlarged(QDialog& window, int kind) {
    if (state_.route.grid().colCount() == 2) return;
    drawEnlargedGraph(forms_, kind);
    desk_.showModal(window);
}

void TForm1::SpeedButton2Click() { showEnlarged(*forms_.Form6, 0); }
void TForm1::SpeedButton3Click() { showEnlarged(*forms_.Form7, 1); }
void TForm1::SpeedButton4Click() { showEnlarged(*forms_.Form8, 2); }

void TForm1::seznamDblClick() {
    const auto sel = seznam->selection();
    if (!sel) return;
    const int k = fibreLengthColumn(state_.route.grid(), sel->left, sel->top, sel->right, sel->bottom);
    if (k == 0) return;
    state_.ChangedFibreIndex = k;
    forms_.Form4->setChangeMode();
    desk_.showModal(*forms_.Form4);
}

void TForm1::Memo1Change() {
    if (limitingMemo_) return;
    const std::string text = fromQ(Memo1->toPlainText());
    const auto limited = limitConclusion(text, static_cast<std::size_t>(Memo1->textCursor().position()));
    if (limited.text == text) return;
    limitingMemo_ = true;
    Memo1->setPlainText(toQ(limited.text));
    QTextCursor cursor = Memo1->textCursor();
    cursor.setPosition(static_cast<int>(limited.cursor));
    Memo1->setTextCursor(cursor);
    limitingMemo_ = false;
}

void TForm1::DrawRouteGraphs() { drawRouteGraphs(forms_); }

void TForm1::WriteReport() { writeReport(forms_); }

}  // namespace lumor
