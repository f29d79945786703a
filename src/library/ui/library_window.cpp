#include "library/ui/library_window.h"

#include "library/component_library.h"
#include "library/library_to_route.h"
#include "library/ui/component_editor.h"
#include "library/ui/fibre_length_dialog.h"
#include "platform/gui/qtext.h"
#include "platform/ui/commands.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/icons.h"
#include "route/route_list.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QToolButton>

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

const char* const kCategoryCaptions[kCategoryCount] = {"Zdroje", "Vlákna", "Detektory", "Konektory", "Zesilovače"};

const char* const kOpenLibraryQuestion =
    "Tímto vymažete stávající seznam komponent a načtete nový ze souboru, opravdu chcete pokračovat ?";

}  // namespace

TForm2::TForm2(ComponentLibrary& library, RouteList& route, Desk& desk)
    : QDialog(nullptr), library_(library), route_(route), desk_(desk) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Seznam komponent"));
    // Fixed single border: system menu (with its close box) and the minimise box only.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(formFont(11));
    move(61, 250);
    setFixedSize(863, 343);
    setBackground(this, colours::lime);
    buildLayout();
    FormCreate();
}

void TForm2::setPeers(TForm3& editor, FibreLengthDialog& lengthDialog) {
    editor_ = &editor;
    lengthDialog_ = &lengthDialog;
}

void TForm2::buildLayout() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setGeometry(0, 0, width(), 29);
    bar->setIconSize(QSize(16, 16));
    auto command = [&](const char* name, const char* hint, const char* icon, void (TForm2::*handler)()) {
        addCommand(bar, name, QString::fromUtf8(hint), QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))), desk_,
                   [this, handler] { (this->*handler)(); });
    };
    command("ToolButton1", "Nový seznam komponent", "new-document", &TForm2::ToolButton1Click);
    command("ToolButton2", "otevři seznam komponent", "open-folder", &TForm2::ToolButton2Click);
    command("ToolButton3", "ulož seznam komponent", "save", &TForm2::ToolButton3Click);
    addToolSpace(bar, "ToolSeparator1", 8);
    command("ToolButton4", "přidej komponentu", "add-item", &TForm2::ToolButton4Click);
    command("ToolButton5", "odeber komponentu", "remove-item", &TForm2::ToolButton5Click);
    addToolSpace(bar, "ToolSeparator2", 8);
    command("ToolButton9", "smaž poslední komponentu v trase", "remove-from-route", &TForm2::ToolButton9Click);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(8, 40, 321, 265);
    panel->setFont(formFont(13, true));
    setBackground(panel, palette().color(QPalette::Button));

    auto* title = new QLabel(QStringLiteral("Seznam komponent"), panel);
    title->setObjectName(QStringLiteral("Label1"));
    title->setFont(formFont(16, true));
    setTextColour(title, colours::red);
    title->move(16, 8);
    title->adjustSize();

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
    auto speedButton = [&](const QString& name, const char* hint, const char* icon, int x, int y, Handler handler) {
        auto* b = new QToolButton(panel);
        b->setObjectName(name);
        b->setToolTip(QString::fromUtf8(hint));
        b->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
        b->setAutoRaise(true);
        b->setGeometry(x, y, 23, 22);
        onClicked(b, desk_, [this, handler] { (this->*handler)(); });
        return b;
    };
    for (std::size_t t = 0; t < kCategoryCount; ++t) {
        const int top = 40 + 40 * static_cast<int>(t);
        auto* caption = new QLabel(QString::fromUtf8(kCategoryCaptions[t]), panel);
        caption->setObjectName(QStringLiteral("Label%1").arg(t + 2));
        caption->move(16, top);
        caption->adjustSize();

        auto* list = new QComboBox(panel);
        list->setObjectName(QStringLiteral("ComboBox%1").arg(t + 1));
        list->setEditable(false);
        // The standard catalogue's longest labels ("DFB 1550 nm výkonový") only fit narrow.
        list->setFont(narrowFormFont(11));
        list->setItemDelegate(new FixedHeightItems(kItemHeight, list));
        list->setGeometry(96, top, 145, kItemHeight + 6);
        // Only the user's choice counts as a selection, not an index the program sets.
        connectGuarded(list, &QComboBox::activated, this, desk_, [this, h = selectHandlers[t]] { (this->*h)(); });
        lists_[t] = list;

        addButtons_[t] = speedButton(QStringLiteral("SpeedButton%1").arg(t + 1), "Přidej", "add-to-route", 248,
                                     top, addHandlers[t]);
        editButtons_[t] = speedButton(QStringLiteral("SpeedButton%1").arg(t + 6), "uprav komponentu", "edit",
                                      288, top, editHandlers[t]);
    }

    auto* searchCaption = new QLabel(QStringLiteral("Hledej"), panel);
    searchCaption->setObjectName(QStringLiteral("Label7"));
    searchCaption->move(16, 232);
    searchCaption->adjustSize();
    Edit1_ = new QLineEdit(panel);
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    Edit1_->setGeometry(96, 232, 137, 21);
    speedButton(QStringLiteral("SpeedButton11"), "Najdi", "find", 248, 232, &TForm2::SpeedButton11Click);

    seznam1_ = new GridView(library_.grid(), this);
    seznam1_->setObjectName(QStringLiteral("seznam1"));
    seznam1_->setGeometry(344, 40, 505, 265);

    auto* close = new QPushButton(QIcon(QStringLiteral(":/icons/close.svg")), QStringLiteral("Zavřít"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));
    close->setGeometry(776, 312, 75, 25);
    close->setAutoDefault(false);
    onClicked(close, desk_, [this] { BitBtn1Click(); });
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
    const auto labels = categoryLists(library_.grid(), library_.count());
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
    if (!desk_.question("Opravdu mám smazat databazi komponent ?")) return;
    library_.ClearLibrary();
    clearCategoryLists();
}

void TForm2::ToolButton2Click() {
    // At most one entry is replaced without a question. The file is read and checked before
    // the library is emptied: a cancelled dialog or a file that is no library keeps it whole.
    const bool replacing = library_.grid().colCount() != 2;
    if (!replacing || desk_.question(kOpenLibraryQuestion)) {
        if (const auto path = desk_.openFileName(kLibraryFilter)) {
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
    if (auto path = desk_.saveFileName(kLibraryFilter)) library_.SaveLibrary(*path);
}

void TForm2::ToolButton4Click() { editor_->openForNew(); }

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
    appendLibraryColumnsToRoute(route_, library_.grid(), columnsWithLabel(library_.grid(), library_.count(), *label));
}

void TForm2::SpeedButton1Click() { appendChosen(0); }
void TForm2::SpeedButton3Click() { appendChosen(2); }
void TForm2::SpeedButton4Click() { appendChosen(3); }
void TForm2::SpeedButton5Click() { appendChosen(4); }

void TForm2::SpeedButton2Click() {
    const auto label = chosenLabel(1);
    if (!label) return;
    for (int k : columnsWithLabel(library_.grid(), library_.count(), *label)) {
        // A full route: one warning instead of asking for a length that cannot be used.
        if (!routeHasRoom(route_)) break;
        lengthDialog_->openForNewFibre(k);
    }
}

void TForm2::editChosen(int t) {
    const auto label = chosenLabel(t);
    if (!label) return;
    // The later of several entries of this type with the label; one of another type that
    // shares the label is not handed over, so "Uprav" cannot change its type. Without a
    // match no entry is handed over at all, and "Uprav" then writes nothing.
    editor_->openForEdit(t, editedEntryColumn(library_.grid(), library_.count(), *label, t));
}

void TForm2::SpeedButton6Click() { editChosen(0); }
void TForm2::SpeedButton7Click() { editChosen(1); }
void TForm2::SpeedButton8Click() { editChosen(2); }
void TForm2::SpeedButton9Click() { editChosen(3); }
void TForm2::SpeedButton10Click() { editChosen(4); }

void TForm2::SpeedButton11Click() { FindComponent(); }

void TForm2::FindComponent() {
    const int k = findComponentColumn(library_.grid(), fromQ(Edit1_->text()));
    if (k != 0) {
        seznam1_->selectColumnCells(k, 1, 11);  // the entry's column below its header, not scrolled to
        desk_.information("Hledáná komponeta byla nalezena a označena", "Výsledky hledání");
    } else {
        desk_.information("Hledáná komponeta nebyla nalezena", "Výsledky hledání");
    }
}

void TForm2::BitBtn1Click() { close(); }

}  // namespace lumor
