#include "library/ui/library_window.h"

#include "library/component_library.h"
#include "library/library_to_route.h"
#include "library/ui/component_editor.h"
#include "library/ui/fibre_length_dialog.h"
#include "platform/gui/qtext.h"
#include "platform/ui/access.h"
#include "platform/ui/commands.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/icons.h"
#include "route/route_list.h"
#include "ui_library_window.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>

#include <stdexcept>

namespace lumor {

namespace {

/// Items of a fixed height, each showing just its text.
class FixedHeightItems : public QStyledItemDelegate {
public:
    FixedHeightItems(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

constexpr int kItemHeight = 16;

const char* const kOpenLibraryQuestion =
    "Tímto vymažete stávající seznam komponent a načtete nový ze souboru, opravdu chcete pokračovat?";

}  // namespace

TForm2::TForm2(ComponentLibrary& library, RouteList& route, Desk& desk)
    : QDialog(nullptr), library_(library), route_(route), desk_(desk), ui_(std::make_unique<Ui::TForm2>()) {
    ui_->setupUi(this);
    applyFormFonts(*this);
    // Fixed single border: system menu (with its close box) and the minimise box only.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    move(61, 250);  // a form's own place: uic gives the window only its size
    ui_->seznam1->setTable(library_);

    auto command = [&](QAction* action, void (TForm2::*handler)()) {
        addCommand(ui_->ToolBar1, action, desk_, [this, handler] { (this->*handler)(); });
    };
    command(ui_->ToolButton1Action, &TForm2::ToolButton1Click);
    command(ui_->ToolButton2Action, &TForm2::ToolButton2Click);
    command(ui_->ToolButton3Action, &TForm2::ToolButton3Click);
    addToolSpace(ui_->ToolBar1, "ToolSeparator1", 8);
    command(ui_->ToolButton4Action, &TForm2::ToolButton4Click);
    command(ui_->ToolButton5Action, &TForm2::ToolButton5Click);
    addToolSpace(ui_->ToolBar1, "ToolSeparator2", 8);
    command(ui_->ToolButton9Action, &TForm2::ToolButton9Click);

    using Handler = void (TForm2::*)();
    const Handler selectHandlers[kCategoryCount] = {&TForm2::ComboBox1Select, &TForm2::ComboBox2Select,
                                                    &TForm2::ComboBox3Select, &TForm2::ComboBox4Select,
                                                    &TForm2::ComboBox5Select};
    const Handler addHandlers[kCategoryCount] = {&TForm2::SpeedButton1Click, &TForm2::SpeedButton2Click,
                                                 &TForm2::SpeedButton3Click, &TForm2::SpeedButton4Click,
                                                 &TForm2::SpeedButton5Click};
    const Handler editHandlers[kCategoryCount] = {&TForm2::SpeedButton6Click, &TForm2::SpeedButton7Click,
                                                  &TForm2::SpeedButton8Click, &TForm2::SpeedButton9Click,
                                                  &TForm2::SpeedButton10Click};
    lists_ = {ui_->ComboBox1, ui_->ComboBox2, ui_->ComboBox3, ui_->ComboBox4, ui_->ComboBox5};
    addButtons_ = {ui_->SpeedButton1, ui_->SpeedButton2, ui_->SpeedButton3, ui_->SpeedButton4, ui_->SpeedButton5};
    editButtons_ = {ui_->SpeedButton6, ui_->SpeedButton7, ui_->SpeedButton8, ui_->SpeedButton9, ui_->SpeedButton10};
    for (std::size_t t = 0; t < kCategoryCount; ++t) {
        QComboBox* list = lists_[t];
        list->setItemDelegate(new FixedHeightItems(kItemHeight, list));
        // Only the user's choice counts as a selection, not an index the program sets.
        connectGuarded(list, &QComboBox::activated, this, desk_, [this, h = selectHandlers[t]] { (this->*h)(); });
        onClicked(addButtons_[t], desk_, [this, h = addHandlers[t]] { (this->*h)(); });
        onClicked(editButtons_[t], desk_, [this, h = editHandlers[t]] { (this->*h)(); });
    }
    onClicked(ui_->SpeedButton11, desk_, [this] { SpeedButton11Click(); });
    ui_->Edit1->installEventFilter(this);                           // Enter in the search text searches
    for (QComboBox* list : lists_) list->installEventFilter(this);  // Enter in a list adds its choice

    // Ctrl+F: to the search text.
    auto* find = new QAction(this);
    find->setObjectName(QStringLiteral("FindAction"));
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        ui_->Edit1->setFocus(Qt::ShortcutFocusReason);
        ui_->Edit1->selectAll();
    });
    addAction(find);

    // Tab in reading order: the tool bar, each category row (list, "Přidej", "uprav"), the
    // search, the library table (arrow keys move through its cells), "Zavřít".
    auto tool = [this](const char* name) { return findChild<QToolButton*>(QString::fromLatin1(name)); };
    setTabChain(
        {tool("ToolButton1"), tool("ToolButton2"), tool("ToolButton3"), tool("ToolButton4"), tool("ToolButton5"),
         tool("ToolButton9"), lists_[0],           addButtons_[0],      editButtons_[0],     lists_[1],
         addButtons_[1],      editButtons_[1],     lists_[2],           addButtons_[2],      editButtons_[2],
         lists_[3],           addButtons_[3],      editButtons_[3],     lists_[4],           addButtons_[4],
         editButtons_[4],     ui_->Edit1,          ui_->SpeedButton11,  ui_->seznam1,        ui_->BitBtn1});
    lists_[0]->setFocus(Qt::OtherFocusReason);  // the work starts in the sources
    nameControls(*this);
    onClicked(ui_->BitBtn1, desk_, [this] { BitBtn1Click(); });
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::setPeers(TForm3& editor, FibreLengthDialog& lengthDialog) {
    editor_ = &editor;
    lengthDialog_ = &lengthDialog;
}

TForm3& TForm2::editor() const {
    if (!editor_) throw std::logic_error("the component editor is not created yet");
    return *editor_;
}

FibreLengthDialog& TForm2::lengthDialog() const {
    if (!lengthDialog_) throw std::logic_error("the fibre-length dialog is not created yet");
    return *lengthDialog_;
}

void TForm2::FormCreate() {
    // The library itself starts empty with its captions and headers: the list writes them
    // as it is made.
    clearCategoryLists();
    categorySelection_.fill(-1);
    for (auto* b : addButtons_) b->setEnabled(false);
    for (auto* b : editButtons_) b->setEnabled(false);
}

void TForm2::clearCategoryLists() {
    for (auto* list : lists_) list->clear();
}

void TForm2::RebuildCategoryLists() {
    const auto labels = categoryLists(library_, library_.count());
    for (std::size_t t = 0; t < kCategoryCount; ++t) {
        QComboBox* list = lists_[t];
        list->clear();
        for (const std::string& label : labels[t]) list->addItem(toQ(label));
        list->setCurrentIndex(-1);  // a refilled list shows no choice until the user makes one
    }
    for (auto* b : addButtons_) b->setEnabled(true);
    for (auto* b : editButtons_) b->setEnabled(true);
}

void TForm2::ToolButton1Click() {
    if (!desk_.question("Opravdu mám smazat databázi komponent?")) return;
    library_.ClearLibrary();
    clearCategoryLists();
}

void TForm2::ToolButton2Click() { openLibrary(std::nullopt); }

void TForm2::openLibrary(const std::optional<std::string>& given) {
    // At most one entry is replaced without a question. The file is read and checked before
    // the library is emptied: a cancelled dialog or a file that is no library keeps it whole.
    const bool replacing = library_.colCount() != 2;
    if (!replacing || desk_.question(kOpenLibraryQuestion)) {
        if (const auto path = given ? given : desk_.openFileName(kLibraryFilter)) {
            if (const auto bytes = library_.readListFile(*path)) {
                if (replacing) library_.ClearLibrary();
                library_.loadListBytes(*path, *bytes);
            }
        }
    }
    clearCategoryLists();
}

void TForm2::ToolButton3Click() {
    if (library_.count() == 0) {
        desk_.information("Seznam je prázdný");
        return;
    }
    if (auto path = desk_.saveFileName(kLibraryFilter, {})) library_.SaveLibrary(*path);
}

void TForm2::ToolButton4Click() { editor().openForNew(); }

void TForm2::ToolButton5Click() {
    library_.RemoveLastEntry();
    library_.dropSpareColumn();
    RebuildCategoryLists();
}

void TForm2::ToolButton9Click() {
    route_.RemoveLastComponent();
    route_.dropSpareColumn();
    activateWindow();
    setFocus();
}

void TForm2::selectCategory(int t) {
    categorySelection_[static_cast<std::size_t>(t)] = lists_[static_cast<std::size_t>(t)]->currentIndex();
}

void TForm2::ComboBox1Select() { selectCategory(0); }
void TForm2::ComboBox2Select() { selectCategory(1); }
void TForm2::ComboBox3Select() { selectCategory(2); }
void TForm2::ComboBox4Select() { selectCategory(3); }
void TForm2::ComboBox5Select() { selectCategory(4); }

std::optional<std::string> TForm2::chosenLabel(int t) const {
    const QComboBox* list = lists_[static_cast<std::size_t>(t)];
    const int chosen = categorySelection_[static_cast<std::size_t>(t)];
    if (list->currentIndex() < 0 || chosen < 0 || chosen >= list->count()) return std::nullopt;
    return fromQ(list->itemText(chosen));
}

void TForm2::appendChosen(int t) {
    const auto label = chosenLabel(t);
    if (!label) return;
    appendLibraryColumnsToRoute(route_, library_, columnsWithLabel(library_, library_.count(), *label));
}

void TForm2::SpeedButton1Click() { appendChosen(0); }
void TForm2::SpeedButton3Click() { appendChosen(2); }
void TForm2::SpeedButton4Click() { appendChosen(3); }
void TForm2::SpeedButton5Click() { appendChosen(4); }

void TForm2::SpeedButton2Click() {
    const auto label = chosenLabel(1);
    if (!label) return;
    for (int k : columnsWithLabel(library_, library_.count(), *label)) {
        // A full route: one warning instead of asking for a length that cannot be used.
        if (!routeHasRoom(route_)) break;
        lengthDialog().openForNewFibre(k);
    }
}

void TForm2::editChosen(int t) {
    const auto label = chosenLabel(t);
    if (!label) return;
    // The later of several entries of this type with the label; one of another type that
    // shares the label is not handed over, so "Uprav" cannot change its type. Without a
    // match no entry is handed over at all, and "Uprav" then writes nothing.
    editor().openForEdit(t, editedEntryColumn(library_, library_.count(), *label, t));
}

void TForm2::SpeedButton6Click() { editChosen(0); }
void TForm2::SpeedButton7Click() { editChosen(1); }
void TForm2::SpeedButton8Click() { editChosen(2); }
void TForm2::SpeedButton9Click() { editChosen(3); }
void TForm2::SpeedButton10Click() { editChosen(4); }

void TForm2::SpeedButton11Click() { FindComponent(); }

void TForm2::FindComponent() {
    const int k = findComponentColumn(library_, fromQ(ui_->Edit1->text()));
    if (k != 0) {
        ui_->seznam1->selectColumnCells(k, 1, 11);  // the entry's column below its header
        ui_->seznam1->scrollTo(ui_->seznam1->model()->index(0, k - 1));
        desk_.information("Hledaná komponenta byla nalezena a označena", "Výsledky hledání");
    } else {
        desk_.information("Hledaná komponenta nebyla nalezena", "Výsledky hledání");
    }
}

void TForm2::BitBtn1Click() { close(); }

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    if (key == nullptr || key->modifiers() & ~Qt::KeypadModifier) return QDialog::eventFilter(watched, event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == ui_->Edit1 && enter) {
        guarded(desk_, [this] { FindComponent(); });
        return true;
    }
    for (std::size_t t = 0; t < kCategoryCount; ++t) {
        // In a closed category list, for the item it shows: Enter its "Přidej", F2 its "uprav".
        QToolButton* button = enter ? addButtons_[t] : key->key() == Qt::Key_F2 ? editButtons_[t] : nullptr;
        if (watched == lists_[t] && button != nullptr && !lists_[t]->view()->isVisible()) {
            if (button->isEnabled()) button->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumor
