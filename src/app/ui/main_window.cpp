#include "app/ui/main_window.h"

#include "app/app_state.h"
#include "app/ui/help_window.h"
#include "app/ui/student_dialog.h"
#include "assignment/grading.h"
#include "assignment/ui/assignment_panel.h"
#include "eval/gui/graph_pictures.h"
#include "eval/link_verdict.h"
#include "eval/ui/graph_window.h"
#include "eval/ui/image_view_canvas.h"
#include "io/write_file.h"
#include "library/ui/fibre_length_dialog.h"
#include "library/ui/library_window.h"
#include "platform/gui/qtext.h"
#include "platform/ui/access.h"
#include "platform/ui/commands.h"
#include "platform/ui/fonts.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/image_view.h"
#include "platform/ui/input_filter.h"
#include "report/conclusion.h"
#include "report/gui/report_files.h"
#include "report/gui/report_pdf.h"
#include "route/component_types.h"
#include "route/route_rules.h"
#include "text/errors.h"
#include "text/numbers.h"
#include "ui_main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <utility>

namespace lumor {

MainWindow::MainWindow(AppState& state, Desk& desk)
    : state_(state),
      desk_(desk),
      ui_(std::make_unique<Ui::MainWindow>()),
      helpWindow_(std::make_unique<HelpWindow>(desk)) {
    setupForm(*ui_, *this);
    setAcceptDrops(true);  // a route or library dropped on the window opens as Open does
    ui_->seznam->setTable(state_.route);
    enlargeButtons_ = {ui_->SpeedButton2, ui_->SpeedButton3, ui_->SpeedButton4};
    graphImages_ = {ui_->att, ui_->Image2, ui_->Image3};
    blankGraphs();

    auto command = [&](QAction* action, std::function<void()> handler) {
        addCommand(ui_->ToolBar1, action, desk_, std::move(handler));
    };
    command(ui_->ToolButton1Action, [this] { newRoute(); });
    command(ui_->ToolButton2Action, [this] { openRoute(); });
    command(ui_->ToolButton3Action, [this] { saveRoute(); });
    command(ui_->ToolButton8Action, [this] { saveRouteAs(); });
    addToolSpace(ui_->ToolBar1, "ToolButton4", 28);
    command(ui_->ToolButton5Action, [this] { showLibrary(); });
    command(ui_->ToolButton6Action, [this] { showStudentDialog(); });
    command(ui_->ToolButton7Action, [this] { writeReport(); });
    addToolSpace(ui_->ToolBar1, "ToolButton9", 27);
    command(ui_->ToolButton10Action, [this] { showHelp(); });
    command(ui_->ToolButton11Action, [this] { drawGraphs(); });
    addToolSpace(ui_->ToolBar1, "ToolButton14", 27);
    command(ui_->ToolButton12Action, [this] { undo(); });
    command(ui_->ToolButton13Action, [this] { redo(); });
    addToolSpace(ui_->ToolBar1, "ToolButton16", 27);
    command(ui_->ToolButton15Action, [this] { openAssignment(); });
    ui_->ToolButton13Action->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});

    // The route table's own commands, in its context menu; their keys work while it has the
    // focus (see eventFilter), so Delete in the conclusion deletes text, not a component.
    const std::pair<QAction*, void (MainWindow::*)()> tableCommands[] = {
        {ui_->RemoveComponentAction, &MainWindow::removeSelectedComponent},
        {ui_->MoveLeftAction, &MainWindow::moveSelectedLeft},
        {ui_->MoveRightAction, &MainWindow::moveSelectedRight},
        {ui_->ChangeLengthAction, &MainWindow::changeSelectedLength}};
    for (const auto& [action, handler] : tableCommands) {
        connectGuarded(action, &QAction::triggered, this, desk_, [this, handler = handler] { (this->*handler)(); });
        ui_->seznam->addAction(action);
    }
    ui_->seznam->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui_->seznam->installEventFilter(this);
    ui_->StatusBar1->setToolTip(toQ(kBitRateRules));
    showAsHint(*ui_->Label13);
    // After a report, a button at the status line's end opens the folder it was written to.
    reportFolderLink_ = new QToolButton(ui_->StatusBar1);
    reportFolderLink_->setObjectName(QStringLiteral("ReportFolderLink"));
    reportFolderLink_->setText(QStringLiteral("Otevřít složku s protokolem"));
    reportFolderLink_->setAutoRaise(true);
    ui_->StatusBar1->addPermanentWidget(reportFolderLink_);
    reportFolderLink_->hide();
    onClicked(reportFolderLink_, desk_, [this] { openReportFolder(); });
    // A change made in another window becomes an undo step only once it is complete.
    state_.routeHistory.setListener([this] { routeStepDone(); });

    connectGuarded(ui_->seznam, &QAbstractItemView::doubleClicked, this, desk_, [this] { changeClickedLength(); });
    // Whoever changes the route (this window, the library window, the length dialog), the
    // grid follows, and the title's change mark with it.
    QAbstractItemModel* routeModel = ui_->seznam->model();
    connect(routeModel, &QAbstractItemModel::columnsRemoved, this, [this] { routeShown(); });
    connect(routeModel, &QAbstractItemModel::dataChanged, this, [this] { routeShown(); });
    connect(routeModel, &QAbstractItemModel::columnsInserted, this, [this] { routeShown(); });
    connect(ui_->seznam->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { routeShown(); });
    onClicked(ui_->SpeedButton2, desk_, [this] { enlargeAttenuation(); });
    onClicked(ui_->SpeedButton3, desk_, [this] { enlargeCd(); });
    onClicked(ui_->SpeedButton4, desk_, [this] { enlargePmd(); });
    connectGuarded(ui_->Memo1, &QPlainTextEdit::textChanged, this, desk_, [this] { conclusionEdited(); });

    // Tab goes through the window in reading order: the tool bar, the route table (whose cells
    // the arrow keys move through), the enlarge buttons, the conclusion, the status line's
    // button; every command also has its key. The work starts in the route table.
    auto tool = [this](const char* name) { return findChild<QToolButton*>(QString::fromLatin1(name)); };
    setTabChain({tool("ToolButton1"), tool("ToolButton2"), tool("ToolButton3"), tool("ToolButton8"),
                 tool("ToolButton5"), tool("ToolButton6"), tool("ToolButton7"), tool("ToolButton10"),
                 tool("ToolButton11"), tool("ToolButton12"), tool("ToolButton13"), tool("ToolButton15"), ui_->seznam,
                 ui_->SpeedButton2, ui_->SpeedButton3, ui_->SpeedButton4, ui_->Memo1, reportFolderLink_});
    ui_->seznam->setFocus(Qt::OtherFocusReason);
    nameControls(*this);
    // The route starts empty with its captions and headers written (the route list does
    // that as it is made).
    setEnlargeAndReport(false, false);
    routeShown();
}

MainWindow::~MainWindow() { state_.routeHistory.setListener(nullptr); }

void MainWindow::setPeers(const MainWindowPeers& peers) { peers_ = std::make_unique<MainWindowPeers>(peers); }

const MainWindowPeers& MainWindow::peers() const {
    if (!peers_) throw std::logic_error("the main window's windows are not created yet");
    return *peers_;
}

void MainWindow::setEnlargeAndReport(bool enlarge, bool report) {
    for (QToolButton* b : enlargeButtons_) b->setEnabled(enlarge);
    ui_->ToolButton7Action->setEnabled(report);
}

void MainWindow::blankGraphs() {
    for (ImageView* image : graphImages_) image->blank();
    describeGraphs(nullptr);
}

void MainWindow::describeGraphs(const RouteResult* drawn) {
    static const char* const names[] = {"Graf útlumu", "Graf chromatické disperze", "Graf polarizačně vidové disperze"};
    std::array<std::string, 3> described;
    if (drawn) described = graphDescriptions(drawn->endAttenuation, drawn->endCd, drawn->endPmd);
    for (std::size_t i = 0; i < graphImages_.size(); ++i) {
        graphImages_[i]->setAccessibleName(QString::fromUtf8(names[i]));
        graphImages_[i]->setAccessibleDescription(drawn ? toQ(described[i]) : QStringLiteral("Zatím nevykreslen."));
    }
}

void MainWindow::showStudent(const StudentTexts& student) {
    ui_->Label7->setText(toQ(student.firstName));
    ui_->Label6->setText(toQ(student.surname));
    ui_->Label10->setText(toQ(student.date));
    ui_->Label11->setText(toQ(student.group));
}

StudentTexts MainWindow::shownStudent() const {
    return {fromQ(ui_->Label7->text()), fromQ(ui_->Label6->text()), fromQ(ui_->Label10->text()),
            fromQ(ui_->Label11->text())};
}

void MainWindow::newRoute() {
    // A changed route is offered for saving first; "Zrušit" changes nothing at all.
    if (!routeMayBeReplaced()) return;
    if (state_.route.count() > 0) {
        // Clearing is one step, however many removals.
        const RouteHistory::Step step(state_.routeHistory, "vymazat trasu");
        state_.route.clearRoute();
    }
    setEnlargeAndReport(false, false);
    blankGraphs();
    routeSaved({});
}

void MainWindow::openRoute(const std::optional<std::string>& given) {
    // The file is read and checked before the route is emptied: a cancelled dialog, a file
    // that cannot be read or one that is no route leaves the route as it was, and asks nothing.
    const auto path = given ? given : desk_.openFileName(kRouteFilter);
    if (!path) return;
    const auto bytes = state_.route.readListFile(*path);
    if (!bytes) return;
    if (!routeMayBeReplaced()) return;
    {
        // Emptied and loaded: one step.
        const RouteHistory::Step step(state_.routeHistory, "otevřít " + fromQ(QFileInfo(toQ(*path)).fileName()));
        if (state_.route.count() > 0) {
            state_.route.clearRoute();
            blankGraphs();
            ui_->ToolButton7Action->setEnabled(false);
        }
        state_.route.loadListBytes(*path, *bytes);
    }
    routeSaved(*path);  // the undo command follows the step just made
    if (const auto warning = unknownTypeWarning(state_.route)) desk_.warning(*warning);
}

bool MainWindow::routeMayBeReplaced() {
    if (!routeChanged()) return true;
    switch (desk_.choice("Optická trasa byla změněna. Chcete ji nejprve uložit?")) {
        case Choice::Yes: return saveRoute();  // a cancelled or failed save keeps the route
        case Choice::No: return true;
        case Choice::Cancel: break;
    }
    return false;
}

void MainWindow::openGivenFile(const std::string& path) {
    const QString suffix = QFileInfo(toQ(path)).suffix();
    if (suffix.compare(QStringLiteral("komp"), Qt::CaseInsensitive) == 0) {
        peers().library.openLibrary(path);
    } else if (suffix.compare(QStringLiteral("zadani"), Qt::CaseInsensitive) == 0) {
        openAssignment(path);
    } else {
        openRoute(path);
    }
}

void MainWindow::openAssignment(const std::optional<std::string>& given) {
    const auto chosen = given ? given : desk_.openFileName(kAssignmentFilter);
    if (!chosen) return;
    const std::string& path = *chosen;
    const AssignmentFile file = readAssignmentFile(path);
    if (!file.assignment) {
        desk_.warning("Zadání „" + path + "“ nelze použít: " + file.problem);
        return;
    }
    if (!file.encoding.empty()) {
        desk_.warning("Zadání „" + path + "“ není v kódování UTF-8, bylo přečteno jako " + file.encoding + ".");
    }
    state_.assignment = *file.assignment;
    ui_->zadani->setAssignment(&*state_.assignment);
    showDerived();
}

namespace {

/// The first local file of a drag, when it is a route or a library.
std::optional<std::string> droppedFile(const QMimeData* data) {
    if (data == nullptr) return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
        if (suffix == QStringLiteral("trasa") || suffix == QStringLiteral("komp") || suffix == QStringLiteral("zadani"))
            return fromQ(url.toLocalFile());
    }
    return std::nullopt;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const auto path = droppedFile(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    guarded(desk_, [&] { openGivenFile(*path); });
}

bool MainWindow::saveRoute() {
    if (routeFile_.empty() || state_.route.count() == 0) return saveRouteAs();
    return writeRoute(routeFile_);
}

bool MainWindow::saveRouteAs() {
    if (state_.route.count() == 0) {
        desk_.information("Seznam je prázdný");
        return false;
    }
    const auto path = desk_.saveFileName(kRouteFilter, routeFile_);  // starting at the route's own file
    return path && writeRoute(*path);
}

bool MainWindow::writeRoute(const std::string& path) {
    // Written whole or not at all; said in the status line, not in a box to click away.
    if (const auto error = writeFileAtomically(path, state_.route.imageBytes())) {
        desk_.warning("Soubor „" + path + "“ se nepodařilo uložit: " + *error + ".");
        return false;
    }
    routeSaved(path);
    ui_->StatusBar1->showMessage(toQ("Uloženo do „" + path + "“."));
    return true;
}

void MainWindow::routeSaved(const std::string& path) {
    routeFile_ = path;
    state_.routeHistory.setClean();
    routeShown();
}

bool MainWindow::routeChanged() const {
    // An empty route holds no work to lose; undo or redo back to the saved route is no change.
    return state_.route.count() > 0 && !state_.routeHistory.isClean();
}

bool MainWindow::reportDataChanged() const {
    return shownStudent() != reported_.student || fromQ(ui_->Memo1->toPlainText()) != reported_.conclusion;
}

void MainWindow::updateTitle() {
    if (routeFile_.empty() && !routeChanged()) {
        setWindowTitle(QStringLiteral("Lumor"));
        return;
    }
    const QString name = routeFile_.empty() ? QStringLiteral("Nová trasa") : QFileInfo(toQ(routeFile_)).fileName();
    setWindowTitle(name + (routeChanged() ? QStringLiteral("*") : QString()) + QStringLiteral(" — Lumor"));
}

bool MainWindow::mayClose() {
    if (routeChanged()) {
        switch (desk_.choice("Optická trasa byla změněna. Chcete ji před ukončením programu uložit?")) {
            case Choice::Yes: return saveRoute();  // a cancelled or failed save keeps the program open
            case Choice::No: return true;
            case Choice::Cancel: return false;
        }
    }
    if (reportDataChanged()) {
        return desk_.question(
            "Údaje studenta nebo závěr se změnily a protokol s nimi nebyl vytvořen. Opravdu chcete program "
            "ukončit bez vytvoření protokolu?");
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool close = false;  // whatever goes wrong while asking keeps the work on screen
    guarded(desk_, [&] { close = mayClose(); });
    if (close) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::showLibrary() {
    peers().library.rebuildCategoryLists();
    desk_.showModal(peers().library);
}

void MainWindow::showStudentDialog() { desk_.showModal(peers().student); }

void MainWindow::writeReport() {
    // An incomplete route gets no report: said before anyone is asked for names.
    if (!routeCompleteOrSaid()) return;
    if (ui_->Label6->text().isEmpty() || ui_->Label7->text().isEmpty()) {
        desk_.warning("Nejsou vyplněny požadované údaje v okně student");
        desk_.showModal(peers().student);
        if (!peers().student.namesGiven()) return;
    }
    writeReportFiles();
}

void MainWindow::showHelp() {
    helpWindow_->showGuide(protocolFolder(desk_.executableDir()));
    desk_.showModal(*helpWindow_);
}

bool MainWindow::routeCompleteOrSaid() {
    const auto incomplete = incompleteRouteReason(state_.route);
    if (incomplete) desk_.warning(*incomplete);
    return !incomplete;
}

void MainWindow::drawGraphs() {
    if (!routeCompleteOrSaid()) return;
    // A misspelled type is drawn as it always was (by its attenuation only), but said.
    if (const auto unknown = unknownTypeWarning(state_.route)) desk_.warning(*unknown);
    drawRouteGraphs();
    setEnlargeAndReport(true, true);
    describeGraphs(&state_.routeResult);
}

void MainWindow::showEnlarged(GraphKind kind) {
    if (state_.route.count() <= 1) return;
    // An enlarged graph of a route that is no route would show values of none.
    if (!routeCompleteOrSaid()) return;
    GraphWindow& window = *peers().graphs[static_cast<std::size_t>(kind)];
    window.drawEnlargedGraph();
    desk_.showModal(window);
}

void MainWindow::enlargeAttenuation() { showEnlarged(GraphKind::Attenuation); }
void MainWindow::enlargeCd() { showEnlarged(GraphKind::Cd); }
void MainWindow::enlargePmd() { showEnlarged(GraphKind::Pmd); }

void MainWindow::changeClickedLength() {
    const auto sel = ui_->seznam->selection();
    if (!sel) return;
    const int k = fibreLengthColumn(state_.route, sel->left, sel->top, sel->right, sel->bottom);
    if (k != 0) peers().lengthDialog.openForChange(k);
}

void MainWindow::showDerived() {
    derivedRevision_ = state_.route.revision();
    const RouteList& route = state_.route;
    // The teacher's requirements follow the route too (a route that does not evaluate meets none).
    if (state_.assignment) ui_->zadani->showGrading(gradeRoute(route, *state_.assignment));
    auto cleared = [this](const std::string& why) {
        blankGraphs();
        ui_->StatusBar1->showMessage(toQ(why));
    };
    if (route.count() == 0) return cleared({});
    if (const auto incomplete = incompleteRouteReason(route)) return cleared(*incomplete);
    // Drawn off screen first: a route that does not evaluate leaves no half-drawn graph.
    ImageViewCanvas att(*graphImages_[0]), cd(*graphImages_[1]), pmd(*graphImages_[2]);
    RouteResult values;
    RouteProfiles profiles;
    try {
        renderRoutePictures(route, {{&att, &cd, &pmd}, {}}, values, &profiles);
    } catch (const std::exception& e) {
        return cleared(std::string("Grafy nelze vykreslit: ") + e.what());
    }
    att.show(), cd.show(), pmd.show();
    describeGraphs(&values);
    ui_->StatusBar1->showMessage(
        toQ(verdictLine(linkVerdict(profiles.endAttenuation, profiles.sensitivity, profiles.endCd, profiles.endPmd))));
}

void MainWindow::undo() { state_.routeHistory.undo(); }
void MainWindow::redo() { state_.routeHistory.redo(); }

int MainWindow::selectedComponent() const {
    const QModelIndex current = ui_->seznam->currentIndex();
    const auto sel = ui_->seznam->selection();
    const int k = sel ? sel->left : current.isValid() ? current.column() + 1 : 0;
    return k >= 1 && k <= state_.route.count() ? k : 0;
}

void MainWindow::showComponent(int k) {
    if (k < 1 || k > state_.route.count()) return;
    const QModelIndex top = ui_->seznam->model()->index(0, k - 1);
    ui_->seznam->scrollTo(top);
    ui_->seznam->selectColumnCells(k, 1, kGridRows - 1);
}

void MainWindow::removeSelectedComponent() {
    const int k = selectedComponent();
    if (k == 0) return;
    state_.route.removeComponent(k);
    showComponent(std::min(k, state_.route.count()));
}

void MainWindow::moveSelectedLeft() {
    const int k = selectedComponent();
    if (k <= 1) return;
    state_.route.moveComponent(k, k - 1);
    showComponent(k - 1);
}

void MainWindow::moveSelectedRight() {
    const int k = selectedComponent();
    if (k == 0 || k >= state_.route.count()) return;
    state_.route.moveComponent(k, k + 1);
    showComponent(k + 1);
}

void MainWindow::changeSelectedLength() {
    const int k = selectedComponent();
    if (k == 0 || typeNamed(slotText(state_.route.at(k), ComponentSlot::Type)) != ComponentType::Fibre) return;
    peers().lengthDialog.openForChange(k);
    showComponent(k);
}

void MainWindow::routeStepDone() {
    // One component more at the end (added here or in the library window): it is selected and
    // scrolled into view, so that what follows (Delete, F2) acts on it.
    const int count = state_.route.count();
    if (count == componentsShown_ + 1) showComponent(count);
    componentsShown_ = count;
    routeShown();
}

void MainWindow::routeShown() {
    // The graphs and the status line follow every change of the route, from any window.
    if (state_.route.revision() != derivedRevision_) showDerived();
    updateTitle();
    const RouteHistory& history = state_.routeHistory;
    ui_->ToolButton12Action->setEnabled(history.canUndo());
    ui_->ToolButton13Action->setEnabled(history.canRedo());
    // "Zpět: odebrat Konektor SC/PC (Ctrl+Z)": what the command would do, and its keys.
    const auto describe = [](QAction* action, const QString& caption, const std::string& step) {
        QString tip = caption;
        if (!step.empty()) tip += QStringLiteral(": ") + toQ(step);
        const QString keys = action->shortcut().toString(QKeySequence::NativeText);
        if (!keys.isEmpty()) tip += QStringLiteral(" (") + keys + QStringLiteral(")");
        action->setToolTip(tip);
    };
    describe(ui_->ToolButton12Action, QStringLiteral("Zpět"), history.undoText());
    describe(ui_->ToolButton13Action, QStringLiteral("Znovu"), history.redoText());
    const int k = selectedComponent();
    const bool fibre = k != 0 && typeNamed(slotText(state_.route.at(k), ComponentSlot::Type)) == ComponentType::Fibre;
    ui_->RemoveComponentAction->setEnabled(k != 0);
    ui_->MoveLeftAction->setEnabled(k > 1);
    ui_->MoveRightAction->setEnabled(k != 0 && k < state_.route.count());
    ui_->ChangeLengthAction->setEnabled(fibre);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->seznam && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers() == Qt::ControlModifier;
        void (MainWindow::*handler)() = nullptr;
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier)
            handler = &MainWindow::removeSelectedComponent;
        if (key->key() == Qt::Key_Left && ctrl) handler = &MainWindow::moveSelectedLeft;
        if (key->key() == Qt::Key_Right && ctrl) handler = &MainWindow::moveSelectedRight;
        if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) handler = &MainWindow::changeSelectedLength;
        if (handler != nullptr) {
            guarded(desk_, [this, handler] { (this->*handler)(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::conclusionEdited() {
    const std::string text = fromQ(ui_->Memo1->toPlainText());
    const auto limited = limitConclusion(text, static_cast<std::size_t>(ui_->Memo1->textCursor().position()));
    if (limited.text == text) {
        ui_->Label13->clear();
        return;
    }
    refuseVisibly(*ui_->Label13, limited.refusal);  // beside "Závěr:", not glued on silently
    const QSignalBlocker quiet(ui_->Memo1);         // the shortened text raises no change of its own
    ui_->Memo1->setPlainText(toQ(limited.text));
    QTextCursor cursor = ui_->Memo1->textCursor();
    cursor.setPosition(static_cast<int>(limited.cursor));
    ui_->Memo1->setTextCursor(cursor);
}

void MainWindow::drawRouteGraphs() {
    // Everything is drawn off screen before anything changes: a route that does not evaluate
    // keeps the graphs, the end values and the pictures of the report as they were.
    ImageViewCanvas att(*graphImages_[0]), cd(*graphImages_[1]), pmd(*graphImages_[2]);
    EnlargedPictures enlarged;
    RouteResult values;
    const auto scales = renderRoutePictures(state_.route, {{&att, &cd, &pmd}, enlarged.targets()}, values);
    if (!scales) return;
    att.show(), cd.show(), pmd.show();
    state_.routeResult = values;
    for (std::size_t i = 0; i < kGraphKinds.size(); ++i)
        emit graphDrawn(kGraphKinds[i], enlarged.image(i), (*scales)[i]);

    // The report shows these pictures; a missing or read-only folder stops at the first.
    const auto failure = saveGraphPictures(protocolFolder(desk_.executableDir()), enlarged);
    if (failure) throw FileCreateError(failure->path, failure->reason);
}

void MainWindow::writeReportFiles() {
    const std::string folder = protocolFolder(desk_.executableDir());
    const std::string path = reportPath(desk_.executableDir());
    ReportRequest request;
    request.student = shownStudent();
    request.conclusion = conclusionLines(fromQ(ui_->Memo1->toPlainText()));
    request.logo = loadReportLogo(folder);
    request.creationTime = reportPdfTime();
    request.assignment = state_.assignment;
    // The route now in the table, evaluated afresh (a value that is no number stops here, in
    // the exception box): the page, the PDF and the three pictures are one set, written
    // together, all or nothing.
    const ReportFiles report = reportFiles(state_.route, request);
    if (!report.refusal.empty()) {
        desk_.warning(report.refusal);
        return;
    }
    if (auto failure = writeFileSet(folder, report.files)) {
        desk_.warning("Protokol nelze uložit do souboru „" + failure->path + "“: " + failure->reason + ".");
        return;
    }
    reported_ = {shownStudent(), fromQ(ui_->Memo1->toPlainText())};
    showReportFolder(folder);
    // The file is complete and closed by now, so the viewer reads all of it.
    if (!desk_.openInViewer(path)) {
        desk_.warning("Protokol byl uložen do souboru „" + path +
                      "“, ale nepodařilo se ho otevřít. Otevřete ho v prohlížeči sami.");
    }
}

void MainWindow::showReportFolder(const std::string& folder) {
    reportFolder_ = folder;
    ui_->StatusBar1->showMessage(toQ("Protokol k odevzdání je uložen v souboru „" + folder + kReportPdfName + "“."));
    reportFolderLink_->setToolTip(toQ(folder));
    reportFolderLink_->show();
}

void MainWindow::openReportFolder() {
    if (reportFolder_.empty()) return;
    if (!desk_.openFolder(reportFolder_)) {
        desk_.warning("Složku „" + reportFolder_ + "“ se nepodařilo otevřít. Otevřete ji sami.");
    }
}

}  // namespace lumor
