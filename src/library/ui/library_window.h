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
class TForm2;
}

class ComponentLibrary;
class Desk;
class FibreLengthDialog;
class GridView;
class RouteList;
class TForm3;

/// The library window "Seznam komponent": picks components by category for the route and
/// maintains the component library.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(ComponentLibrary& library, RouteList& route, Desk& desk);
    ~TForm2() override;
    /// The windows it opens; start-up gives them once all eight exist.
    void setPeers(TForm3& editor, FibreLengthDialog& lengthDialog);

    /// Empty category lists, no choice in them, the ten add and edit buttons disabled.
    void FormCreate();
    /// Refills the five category lists from the library grid and enables their buttons.
    void RebuildCategoryLists();
    /// Empties the five category lists (each then shows no selection).
    void clearCategoryLists();

    void ToolButton1Click();  ///< new library
    void ToolButton2Click();  ///< open a library file
    void ToolButton3Click();  ///< save the library
    void ToolButton4Click();  ///< the editor for a new entry
    void ToolButton5Click();  ///< remove the library's last entry
    void ToolButton9Click();  ///< remove the route's last component
    void ComboBox1Select();   ///< records the user's choice in CategorySelection
    void ComboBox2Select();
    void ComboBox3Select();
    void ComboBox4Select();
    void ComboBox5Select();
    void SpeedButton1Click();   ///< appends the chosen source to the route
    void SpeedButton2Click();   ///< appends the chosen fibre through the length dialog
    void SpeedButton3Click();   ///< appends the chosen detector
    void SpeedButton4Click();   ///< appends the chosen connector
    void SpeedButton5Click();   ///< appends the chosen amplifier
    void SpeedButton6Click();   ///< the editor for the chosen source
    void SpeedButton7Click();   ///< the editor for the chosen fibre
    void SpeedButton8Click();   ///< the editor for the chosen detector
    void SpeedButton9Click();   ///< the editor for the chosen connector
    void SpeedButton10Click();  ///< the editor for the chosen amplifier
    void SpeedButton11Click();  ///< FindComponent
    void BitBtn1Click();        ///< closes the window
    /// Marks (and scrolls to) the first entry whose label contains `Edit1`'s text, ignoring
    /// letter case and accents, and says whether one was found.
    void FindComponent();
    /// The open command with the file given (nothing: asked for with the open dialog).
    void openLibrary(const std::optional<std::string>& given);

    /// The item index the user last chose in each category list; -1 before any choice.
    const std::array<int, kCategoryCount>& CategorySelection() const { return categorySelection_; }

protected:
    /// Enter in the search text runs the search; Enter in a category list presses its "Přidej",
    /// F2 its "uprav".
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The windows start-up gave; a command that needs one before that is refused.
    TForm3& editor() const;
    FibreLengthDialog& lengthDialog() const;
    /// The text of the chosen item of category list t, or nothing when the list shows no item.
    std::optional<std::string> chosenLabel(int t) const;
    void selectCategory(int t);
    void appendChosen(int t);
    void editChosen(int t);

    ComponentLibrary& library_;
    RouteList& route_;
    Desk& desk_;
    TForm3* editor_ = nullptr;
    FibreLengthDialog* lengthDialog_ = nullptr;
    std::array<int, kCategoryCount> categorySelection_{-1, -1, -1, -1, -1};

    std::unique_ptr<Ui::TForm2> ui_;
    /// Category rows top to bottom: sources, fibres, detectors, connectors, amplifiers.
    std::array<QComboBox*, kCategoryCount> lists_{};          ///< ComboBox1 to ComboBox5
    std::array<QToolButton*, kCategoryCount> addButtons_{};   ///< SpeedButton1 to SpeedButton5
    std::array<QToolButton*, kCategoryCount> editButtons_{};  ///< SpeedButton6 to SpeedButton10
};

}  // namespace lumor
