#include "app/ui/main_window.h"

#include "app/about.h"
#include "app/app_state.h"
#include "app/ui/length_dialog.h"
#include "app/ui/student_dialog.h"
#include "eval/gui/graph_pictures.h"
#include "eval/ui/graph_windows.h"
#include "eval/ui/image_view_canvas.h"
#include "library/ui/library_window.h"
#include "platform/gui/qtext.h"
#include "platform/ui/commands.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/icons.h"
#include "platform/ui/image_view.h"
#include "report/conclusion.h"
#include "route/route_rules.h"
#include "text/errors.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumor {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int px = 11, bool bold = false) {
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
    b->setIcon(QIcon(QStringLiteral(":/icons/enlarge.svg")));
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

TForm1::TForm1(AppState& state, Desk& desk) : state_(state), desk_(desk) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lumor"));
    buildLayout();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::setPeers(const MainWindowPeers& peers) { peers_.emplace(peers); }

void TForm1::buildLayout() {
    setFont(formFont(11));
    setGeometry(301, 186, 500, 493);
    // The tool bar stays at the top of the window; only what lies below it scrolls when the
    // window is smaller than the layout. The controls keep the window's coordinates: the
    // content starts behind the tool bar, in a page that shows it from the bar's bottom on.
    constexpr int kBarHeight = 29;
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setFixedHeight(kBarHeight);
    bar->setMovable(false);
    bar->setIconSize(QSize(16, 16));
    outer->addWidget(bar);
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("scroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroller);
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("page"));
    page->setFixedSize(1001, 878 - kBarHeight);
    auto* content = new QWidget(page);
    content->setObjectName(QStringLiteral("content"));
    content->setGeometry(0, -kBarHeight, 1001, 878);
    setBackground(content, colours::skyBlue);
    setBackground(page, colours::skyBlue);
    setBackground(scroller, colours::skyBlue);
    scroller->setWidget(page);

    auto command = [&](const char* name, const char* hint, const char* icon, void (TForm1::*handler)(),
                       const QKeySequence& shortcut = {}) {
        return addCommand(
            bar, name, QString::fromUtf8(hint), QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))), desk_, [this, handler] { (this->*handler)(); },
            shortcut);
    };
    command("ToolButton1", "Nová optická trasa", "new-document", &TForm1::ToolButton1Click, QKeySequence::New);
    command("ToolButton2", "Otevři optickou trasu", "open-folder", &TForm1::ToolButton2Click, QKeySequence::Open);
    command("ToolButton3", "Ulož optickou trasu", "save", &TForm1::ToolButton3Click, QKeySequence::Save);
    addToolSpace(bar, "ToolButton4", 28);
    command("ToolButton5", "Komponenty", "library", &TForm1::ToolButton5Click);
    command("ToolButton6", "Student", "student", &TForm1::ToolButton6Click);
    reportAction_ = command("ToolButton7", "Protokol", "report", &TForm1::ToolButton7Click);
    addToolSpace(bar, "ToolButton9", 27);
    command("ToolButton10", "Nápověda", "about", &TForm1::ToolButton10Click);
    command("ToolButton11", "Vykresli grafy", "chart", &TForm1::ToolButton11Click);

    label(content, "Label3", QStringLiteral("Student:"), 9, 32, 16, true);
    auto* panel = new QFrame(content);
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(8, 56, 337, 43);
    label(panel, "Label5", QStringLiteral("Příjmení:"), 8, 8);
    Label6_ = valueLabel(panel, "Label6", 64, 8, 110);
    label(panel, "Label4", QStringLiteral("Jméno:"), 176, 8);
    Label7_ = valueLabel(panel, "Label7", 224, 8, 110);
    label(panel, "Label8", QStringLiteral("Datum:"), 16, 24);
    Label10_ = valueLabel(panel, "Label10", 64, 24, 100);
    label(panel, "Label9", QStringLiteral("Skupina:"), 168, 24);
    Label11_ = valueLabel(panel, "Label11", 224, 24, 110);

    label(content, "Label1", QStringLiteral("Optická trasa"), 8, 112, 19, true);
    seznam_ = new GridView(state_.route.grid(), content);
    seznam_->setObjectName(QStringLiteral("seznam"));
    seznam_->setGeometry(8, 141, 985, 268);
    connectGuarded(seznam_, &QAbstractItemView::doubleClicked, this, desk_, [this] { seznamDblClick(); });
    // Whoever changes the route (this window, the library window, the length dialog), the
    // grid follows, and the title's change mark with it.
    QAbstractItemModel* routeModel = seznam_->model();
    for (auto signal : {&QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved}) {
        connect(routeModel, signal, this, [this] { updateTitle(); });
    }
    connect(routeModel, &QAbstractItemModel::dataChanged, this, [this] { updateTitle(); });

    label(content, "Label2", QStringLiteral("Grafy"), 8, 416, 19, true);
    enlargeButtons_ = {
        speedButton(content, "SpeedButton2", "Zvětší a zobrazí graf útlumu v novém okně", 312, 423),
        speedButton(content, "SpeedButton3", "Zvětší a zobrazí graf chromatické disperze v novém okně", 641, 423),
        speedButton(content, "SpeedButton4", "Zvětší a zobrazí graf polarizačně vidové dispeze v novém okně", 969,
                    423)};
    onClicked(enlargeButtons_[0], desk_, [this] { SpeedButton2Click(); });
    onClicked(enlargeButtons_[1], desk_, [this] { SpeedButton3Click(); });
    onClicked(enlargeButtons_[2], desk_, [this] { SpeedButton4Click(); });

    QGroupBox* boxes[] = {groupBox(content, "GroupBox1", "Útlum", 8, 448, 329, 297),
                          groupBox(content, "GroupBox2", "Chromatická disperze", 344, 448, 321, 297),
                          groupBox(content, "GroupBox3", "Polarizačně vidová disperze", 672, 448, 321, 297)};
    const char* imageNames[] = {"att", "Image2", "Image3"};
    const int imageWidths[] = {kSmallAttenuationWidth, kSmallDispersionWidth, kSmallDispersionWidth};
    for (std::size_t i = 0; i < graphImages_.size(); ++i) {
        auto* image = new ImageView(imageWidths[i], kSmallGraphHeight, boxes[i]);
        image->setObjectName(QString::fromLatin1(imageNames[i]));
        image->move(8, 16);
        graphImages_[i] = image;
    }

    label(content, "Label12", QStringLiteral("Závěr:"), 8, 766, 16, true);
    Memo1_ = new QPlainTextEdit(content);
    Memo1_->setObjectName(QStringLiteral("Memo1"));
    Memo1_->setGeometry(8, 792, 667, 78);
    connectGuarded(Memo1_, &QPlainTextEdit::textChanged, this, desk_, [this] { Memo1Change(); });
}

void TForm1::FormCreate() {
    // The route starts empty with its captions and headers written (the route list does
    // that as it is made).
    setEnlargeAndReport(false, false);
}

void TForm1::setEnlargeAndReport(bool enlarge, bool report) {
    for (QToolButton* b : enlargeButtons_) b->setEnabled(enlarge);
    reportAction_->setEnabled(report);
}

void TForm1::blankGraphs() {
    for (ImageView* image : graphImages_) image->blank();
}

void TForm1::showStudent(const StudentTexts& student) {
    Label7_->setText(toQ(student.firstName));
    Label6_->setText(toQ(student.surname));
    Label10_->setText(toQ(student.date));
    Label11_->setText(toQ(student.group));
}

StudentTexts TForm1::shownStudent() const {
    return {fromQ(Label7_->text()), fromQ(Label6_->text()), fromQ(Label10_->text()), fromQ(Label11_->text())};
}

void TForm1::ToolButton1Click() {
    setEnlargeAndReport(false, false);  // before the question: No leaves them disabled too
    if (!desk_.question("Opravdu chcete vymazat celou optickou trasu ?")) return;
    state_.route.ClearRoute();
    blankGraphs();
    routeSaved({});
}

void TForm1::ToolButton2Click() {
    const bool replacing = state_.route.grid().colCount() != 2;
    if (replacing && !desk_.question("Tímto vymažete stávající optickou trasu a načtete novou ze souboru, "
                                     "opravdu chcete pokračovat ?")) {
        return;
    }
    // The file is read and checked before the route is emptied: a cancelled dialog, a file
    // that cannot be read or one that is no route leaves the route as it was.
    const auto path = desk_.openFileName(kRouteFilter);
    if (!path) return;
    const auto bytes = state_.route.readListFile(*path);
    if (!bytes) return;
    if (replacing) {
        state_.route.ClearRoute();
        blankGraphs();
        reportAction_->setEnabled(false);
    }
    state_.route.loadListBytes(*path, *bytes);
    routeSaved(*path);
}

void TForm1::ToolButton3Click() { saveRoute(); }

bool TForm1::saveRoute() {
    if (state_.route.count() == 0) {
        desk_.information("Seznam je prázdný");
        return false;
    }
    const auto path = desk_.saveFileName(kRouteFilter);
    if (!path || !state_.route.SaveRoute(*path)) return false;
    routeSaved(*path);
    return true;
}

void TForm1::routeSaved(const std::string& path) {
    routeFile_ = path;
    savedRevision_ = state_.route.revision();
    updateTitle();
}

bool TForm1::routeChanged() const {
    // An empty route holds no work to lose.
    return state_.route.count() > 0 && state_.route.revision() != savedRevision_;
}

bool TForm1::reportDataChanged() const {
    return shownStudent() != reported_.student || fromQ(Memo1_->toPlainText()) != reported_.conclusion;
}

void TForm1::updateTitle() {
    if (routeFile_.empty() && !routeChanged()) {
        setWindowTitle(QStringLiteral("Lumor"));
        return;
    }
    const QString name = routeFile_.empty() ? QStringLiteral("Nová trasa") : QFileInfo(toQ(routeFile_)).fileName();
    setWindowTitle(name + (routeChanged() ? QStringLiteral("*") : QString()) + QStringLiteral(" — Lumor"));
}

bool TForm1::mayClose() {
    if (routeChanged()) {
        switch (desk_.choice("Optická trasa byla změněna. Chcete ji před ukončením programu uložit ?")) {
            case Choice::Yes: return saveRoute();  // a cancelled or failed save keeps the program open
            case Choice::No: return true;
            case Choice::Cancel: return false;
        }
    }
    if (reportDataChanged()) {
        return desk_.question(
            "Údaje studenta nebo závěr se změnily a protokol s nimi nebyl vytvořen. Opravdu chcete program "
            "ukončit bez vytvoření protokolu ?");
    }
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool close = false;  // whatever goes wrong while asking keeps the work on screen
    guarded(desk_, [&] { close = mayClose(); });
    if (close) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TForm1::ToolButton5Click() {
    peers_->library.RebuildCategoryLists();
    desk_.showModal(peers_->library);
}

void TForm1::ToolButton6Click() { desk_.showModal(peers_->student); }

void TForm1::ToolButton7Click() {
    if (Label6_->text().isEmpty() || Label7_->text().isEmpty()) {
        desk_.warning("Nejsou vyplněny požadované údaje v okně student");
        desk_.showModal(peers_->student);
        if (!peers_->student.namesGiven()) return;
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

void TForm1::showEnlarged(GraphKind kind) {
    if (state_.route.grid().colCount() == 2) return;
    GraphWindow& window = *peers_->graphs[static_cast<std::size_t>(kind)];
    window.DrawEnlargedGraph();
    desk_.showModal(window);
}

void TForm1::SpeedButton2Click() { showEnlarged(GraphKind::Attenuation); }
void TForm1::SpeedButton3Click() { showEnlarged(GraphKind::Cd); }
void TForm1::SpeedButton4Click() { showEnlarged(GraphKind::Pmd); }

void TForm1::seznamDblClick() {
    const auto sel = seznam_->selection();
    if (!sel) return;
    const int k = fibreLengthColumn(state_.route.grid(), sel->left, sel->top, sel->right, sel->bottom);
    if (k != 0) peers_->lengthDialog.openForChange(k);
}

void TForm1::Memo1Change() {
    const std::string text = fromQ(Memo1_->toPlainText());
    const auto limited = limitConclusion(text, static_cast<std::size_t>(Memo1_->textCursor().position()));
    if (limited.text == text) return;
    const QSignalBlocker quiet(Memo1_);  // the shortened text raises no change of its own
    Memo1_->setPlainText(toQ(limited.text));
    QTextCursor cursor = Memo1_->textCursor();
    cursor.setPosition(static_cast<int>(limited.cursor));
    Memo1_->setTextCursor(cursor);
}

void TForm1::DrawRouteGraphs() {
    ImageViewCanvas att(*graphImages_[0]), cd(*graphImages_[1]), pmd(*graphImages_[2]);
    EnlargedPictures enlarged;
    std::optional<std::array<GraphScale, 3>> scales;
    try {
        scales = renderRoutePictures(state_.route, {{&att, &cd, &pmd}, enlarged.targets()}, state_.routeResult);
    } catch (...) {
        // A graph finished before the failure keeps its new picture, the one being drawn
        // shows as far as it got, the later ones keep theirs.
        att.show(), cd.show(), pmd.show();
        throw;
    }
    att.show(), cd.show(), pmd.show();
    if (!scales) return;
    for (std::size_t i = 0; i < kGraphKinds.size(); ++i)
        peers_->graphs[i]->showDrawing(enlarged.image(i), (*scales)[i]);

    // The report shows these pictures; a missing or read-only folder stops at the first.
    const auto failure = saveGraphPictures(protocolFolder(desk_.executableDir()), enlarged);
    if (failure) throw FileCreateError(failure->path, failure->reason);
}

void TForm1::WriteReport() {
    const std::string page = reportPage(shownStudent(), state_.route.grid(), state_.routeResult,
                                        conclusionLines(fromQ(Memo1_->toPlainText())));
    const std::string path = ReportPath(desk_.executableDir());
    if (auto error = saveReport(path, page)) {
        desk_.warning(*error);
        return;
    }
    reported_ = {shownStudent(), fromQ(Memo1_->toPlainText())};
    // The file is complete and closed by now, so the viewer reads all of it.
    if (!desk_.openInViewer(path)) {
        desk_.warning("Protokol byl uložen do souboru „" + path +
                      "“, ale nepodařilo se ho otevřít. Otevřete ho v prohlížeči sami.");
    }
}

}  // namespace lumor
