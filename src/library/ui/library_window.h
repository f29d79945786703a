#pragma once
#include "library/library_rules.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QToolButton;

namespace lumor {

namespace Ui {
class LibraryWindow;
}

class ComponentLibrary;
class Desk;
class FibreLengthDialog;
class GridView;
class RouteList;
class ComponentEditor;

/// The library window "Seznam komponent": picks components by category for the route and
/// maintains the component library.
class LibraryWindow : public QDialog {
    Q_OBJECT
public:
    LibraryWindow(ComponentLibrary& library, RouteList& route, Desk& desk);
    ~LibraryWindow() override;
    /// The windows it opens; start-up gives them once all eight exist.
    void setPeers(ComponentEditor& editor, FibreLengthDialog& lengthDialog);

    /// Empty category lists, no choice in them, the ten add and edit buttons disabled: the
    /// window as it starts.
    void resetCategoryLists();
    /// Refills the five category lists from the library grid and enables their buttons.
    void rebuildCategoryLists();
    /// Empties the five category lists (each then shows no selection).
    void clearCategoryLists();

    /// Empties the library, after asking.
    void newLibrary();
    /// The open command with the file given (nothing: asked for with the open dialog).
    void openLibrary(const std::optional<std::string>& given = std::nullopt);
    /// Saves the library to a file asked for.
    void saveLibrary();
    /// The editor for a new entry.
    void newEntry();
    void removeLastEntry();
    void removeLastComponent();  ///< of the route
    /// Records the user's choice in category list t (0 sources … 4 amplifiers) in `categorySelection`.
    void categoryChosen(int t);
    /// "Přidej" of category t: appends the chosen entry to the route, a fibre through the
    /// length dialog.
    void addFromCategory(int t);
    /// The editor for the chosen entry of category t.
    void editFromCategory(int t);
    /// Marks (and scrolls to) the first entry whose label contains `Edit1`'s text, ignoring
    /// letter case and accents, and says whether one was found.
    void findComponent();

    /// The item index the user last chose in each category list; -1 before any choice.
    const std::array<int, kCategoryCount>& categorySelection() const { return categorySelection_; }

protected:
    /// Enter in the search text runs the search; Enter in a category list presses its "Přidej",
    /// F2 its "uprav".
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The windows start-up gave; a command that needs one before that is refused.
    ComponentEditor& editor() const;
    FibreLengthDialog& lengthDialog() const;
    /// The text of the chosen item of category list t, or nothing when the list shows no item.
    std::optional<std::string> chosenLabel(int t) const;

    ComponentLibrary& library_;
    RouteList& route_;
    Desk& desk_;
    ComponentEditor* editor_ = nullptr;
    FibreLengthDialog* lengthDialog_ = nullptr;
    std::array<int, kCategoryCount> categorySelection_{-1, -1, -1, -1, -1};

    std::unique_ptr<Ui::LibraryWindow> ui_;
    /// Category rows top to bottom: sources, fibres, detectors, connectors, amplifiers.
    std::array<QComboBox*, kCategoryCount> categoryLists_{};  ///< ComboBox1 to ComboBox5
    std::array<QToolButton*, kCategoryCount> addButtons_{};   ///< SpeedButton1 to SpeedButton5
    std::array<QToolButton*, kCategoryCount> editButtons_{};  ///< SpeedButton6 to SpeedButton10
};

}  // namespace lumor
