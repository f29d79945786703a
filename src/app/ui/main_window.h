#pragma once
#include "eval/graph_drawing.h"
#include "report/report_writer.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QImage;
class QToolButton;

namespace lumor {

namespace Ui {
class MainWindow;
}

struct AppState;
class Desk;
class GraphWindow;
class GridView;
class HelpWindow;
class ImageView;
class LibraryWindow;
class FibreLengthDialog;
class StudentDialog;

/// The windows the main window opens and asks.
struct MainWindowPeers {
    LibraryWindow& library;
    FibreLengthDialog& lengthDialog;
    StudentDialog& student;
    /// The enlarged attenuation, CD and PMD windows, in the order of `kGraphKinds`.
    std::array<GraphWindow*, 3> graphs;
};

/// The main window: the student's data, the route table, the three graphs, the conclusion
/// and every command of the program on its tool bar.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(AppState& state, Desk& desk);
    ~MainWindow() override;
    /// The windows it opens; start-up gives them once all eight exist.
    void setPeers(const MainWindowPeers& peers);

signals:
    /// The draw command drew the enlarged graph of the kind, with its scale.
    void graphDrawn(GraphKind kind, const QImage& picture, const GraphScale& scale);

public:
    /// Empties the route (one undo step), after offering to save a changed one.
    void newRoute();
    /// The Open command with the file given (nothing: asked for with the open dialog).
    void openRoute(const std::optional<std::string>& given = std::nullopt);
    /// Shows the library window with its category lists refilled.
    void showLibrary();
    void showStudentDialog();
    /// The report command: refuses an incomplete route, asks for the student's names when they
    /// are missing, then writes the report (`writeReportFiles`).
    void writeReport();
    /// The help window (the about box is in it).
    void showHelp();
    /// The draw command: refuses an incomplete route, warns about a misspelled type, then draws
    /// (`drawRouteGraphs`) and enables the enlarge and report commands.
    void drawGraphs();
    /// The enlarged attenuation, chromatic dispersion and PMD graph, drawn afresh.
    void enlargeAttenuation();
    void enlargeCd();
    void enlargePmd();
    /// A double click into the route table: on a fibre's length, the length dialog to change it.
    void changeClickedLength();
    /// Keeps the conclusion within its five lines and 550 characters, saying so beside its caption.
    void conclusionEdited();
    /// Undoes the route's last change; `redo` does it again.
    void undo();
    void redo();
    /// The route table's own commands on the selected component (its context menu and keys:
    /// Delete, Ctrl+Left, Ctrl+Right, F2).
    void removeSelectedComponent();
    void moveSelectedLeft();
    void moveSelectedRight();
    void changeSelectedLength();
    /// The route position of the component selected in the route table; 0 for none.
    int selectedComponent() const;

    /// Evaluates and draws the route into the three images, keeps the end values, redraws
    /// the enlarged windows and saves their pictures for the report; all or nothing: a route
    /// that does not evaluate changes none of them (the error goes to the caller).
    void drawRouteGraphs();
    /// Writes the report of the route now in the table (the page, the PDF and the three
    /// pictures, all or nothing) with what the window shows, and opens the page.
    void writeReportFiles();
    /// Opens the folder the last report was written to (the status line's button).
    void openReportFolder();
    /// Fills the three graph images white; they are described as not drawn.
    void blankGraphs();
    /// Gives the three graph images their accessible names and descriptions: what each shows
    /// with its end value from the evaluation drawn (`drawn`), or that nothing is drawn
    /// (nullptr). Called after each drawing of the small graphs.
    void describeGraphs(const RouteResult* drawn);
    /// Shows the student's texts in the labels `Label7` (first name), `Label6` (surname),
    /// `Label10` (date) and `Label11` (study group).
    void showStudent(const StudentTexts& student);
    /// The student's texts as the labels show them.
    StudentTexts shownStudent() const;

    /// The save command: writes the route to its own file (opened or saved before) without a
    /// question, or asks for a name as `saveRouteAs` when it has none; false when the route is
    /// empty, the user cancelled or the save failed (the user was told).
    bool saveRoute();
    /// The save-as command: asks for a name (starting at the route's file) and saves there.
    bool saveRouteAs();
    /// True when the route holds components changed since it was last made new, opened or saved.
    bool routeChanged() const;
    /// True when the student's data or the conclusion changed since the last report was written.
    bool reportDataChanged() const;
    /// Whether the program may end: with unsaved work, asks first (and may save the route).
    bool mayClose();
    /// Opens a file named from outside the program (the command line, a file dropped on the
    /// window): a library (*.komp) into the library, an assignment (*.zadani) as the teacher's
    /// assignment, anything else as a route, each as its Open command does, asking first when it
    /// would replace more than one component or entry.
    void openGivenFile(const std::string& path);
    /// Reads the teacher's assignment from the file given (nothing: asked for with the open
    /// dialog) and shows it with the route's grading; a file that cannot be used is refused with
    /// its reason and the assignment stays as it was.
    void openAssignment(const std::optional<std::string>& given = std::nullopt);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    /// Before the route is replaced (New, Open, a dropped file): a changed route is offered
    /// for saving (Ano saves, Ne drops the changes); false when the user cancelled or the save
    /// did not happen. An unchanged route is replaced without a question.
    bool routeMayBeReplaced();
    /// Writes the route to the file; the title loses its change mark, the status line says where.
    bool writeRoute(const std::string& path);
    /// The route is now the one in the file (empty: a new route without a file).
    void routeSaved(const std::string& path);
    /// "novák.trasa* — Lumor": the route's file and whether it changed since.
    void updateTitle();
    /// After any change of the route: the title, the undo and redo commands, the table's commands.
    void routeShown();
    /// After each complete change of the route (an undo step): a component added at the end
    /// is selected, then `routeShown`.
    void routeStepDone();
    /// Selects component k's column and scrolls the table to it.
    void showComponent(int k);
    /// What the window derives from the route, for the route as it is now: the small graphs and
    /// the status line's verdict when it is complete and evaluates; otherwise blank graphs and
    /// the reason in the status line (nothing for an empty route).
    void showDerived();
    /// The windows start-up gave; a command that needs them before that is refused.
    const MainWindowPeers& peers() const;
    void setEnlargeAndReport(bool enlarge, bool report);
    void showEnlarged(GraphKind kind);
    /// Whether the route is complete; when not, the reason is said in a warning.
    bool routeCompleteOrSaid();
    /// After a report: the status line says where the PDF is, its button opens the folder.
    void showReportFolder(const std::string& folder);

    AppState& state_;
    Desk& desk_;
    std::unique_ptr<Ui::MainWindow> ui_;
    std::unique_ptr<MainWindowPeers> peers_;
    std::unique_ptr<HelpWindow> helpWindow_;  ///< "Nápověda", opened by F1
    std::string routeFile_;                   ///< the route's file since the last open or save; empty for none
    std::uint64_t derivedRevision_ = ~std::uint64_t{0};  ///< the route's revision the graphs and status line show
    int componentsShown_ = 0;                            ///< the route's components after its last complete change
    /// What the last written report was made of (nothing typed before the first).
    struct {
        StudentTexts student;
        std::string conclusion;
    } reported_;

    std::array<QToolButton*, 3> enlargeButtons_{};  ///< SpeedButton2 to SpeedButton4
    std::array<ImageView*, 3> graphImages_{};       ///< att, Image2, Image3
    QToolButton* reportFolderLink_ = nullptr;       ///< ReportFolderLink, in the status line
    std::string reportFolder_;                      ///< where the last report was written
};

}  // namespace lumor
