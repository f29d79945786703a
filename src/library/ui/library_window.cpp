#include "library/ui/library_window.h"

#include "app/ui/length_dialog.h"
#include "library/ui/component_editor.h"
#include "library/library_to_route.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/icons.h"
#include "platform/gui/qtext.h"

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

const char* const kCategoryCaptions[kCategoryCount] = {"Zdroje", "Vlákna", "Detektory", "Konektory",
                                                       "Zesilovače"};

const char* const kOpenLibraryQuestion =
    "Tímto vymažete stávající seznam komponent a načtete nový ze souboru, opravdu chcete pokračovat ?";

}  // namespace

TForm2::TForm2(Forms& forms) : QDialog(nullptr), forms_(forms) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Seznam komponent"));
    // Fixed single border: system menu (with its close box) and the minimise box only.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(formFont(11));
    move(61, 250);
    setFixedSize(863, 343);
    setBackground(this, colours::lime);
    buildLayout();
    FormCreate();
}

void TForm2::buildLayout() {
    Desk& desk = forms_.desk;
    auto connectClick = [this, &desk](QAbstractButton* b, void (TForm2::*handler)()) {
        connect(b, &QAbstractButton::clicked, this, [this, &desk, handler] { guarded(desk, [&] { (this->*handler)(); }); });
    };

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setGeometry(0, 0, width(), 29);
    ToolBar1->setIconSize(QSize(16, 16));
    auto tool = [&](const char* name, const char* hint, Picture picture, void (TForm2::*handler)()) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromUtf8(hint));
        b->setIcon(pictureIcon(picture));
        b->setAutoRaise(true);
        b->setFixedSize(23, 22);
        ToolBar1->addWidget(b);
        connectClick(b, handler);
        return b;
    };
    auto separator = [&](const char* name) {
        auto* s = new QWidget(ToolBar1);
        s->setObjectName(QString::fromLatin1(name));
        s->setFixedSize(8, 22);
        ToolBar1->addWidget(s);
    };
    ToolButton1 = tool("ToolButton1", "Nový seznam komponent", Picture::NewDocument, &TForm2::ToolButton1Click);
    ToolButton2 = tool("ToolButton2", "otevři seznam komponent", Picture::OpenFolder, &TForm2::ToolButton2Click);
    ToolButton3 = tool("ToolButton3", "ulož seznam komponent", Picture::SaveDisk, &TForm2::ToolButton3Click);
    separator("ToolSeparator1");
    ToolButton4 = tool("ToolButton4", "přidej komponentu", Picture::AddItem, &TForm2::ToolButton4Click);
    ToolButton5 = tool("ToolButton5", "odeber komponentu", Picture::RemoveItem, &TForm2::ToolButton5Click);
    separator("ToolSeparator2");
    ToolButton9 = tool("ToolButton9", "smaž poslední komponentu v trase", Picture::RemoveFromRoute,
                       &TForm2::ToolButton9Click);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(8, 40, 321, 265);
    Panel1->setFont(formFont(13, true));
    setBackground(Panel1, palette().color(QPalette::Button));

    Label1 = new QLabel(QStringLiteral("Seznam komponent"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(formFont(16, true));
    setTextColour(Label1, colours::red);
    Label1->move(16, 8);
    Label1->adjustSize();

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
    auto speedButton = [&](const QString& name, const char* hint, Picture picture, int x, int y) {
        auto* b = new QToolButton(Panel1);
        b->setObjectName(name);
        b->setToolTip(QString::fromUtf8(hint));
        b->setIcon(pictureIcon(picture));
        b->setAutoRaise(true);
        b->setGeometry(x, y, 23, 22);
        return b;
    };
    for (int t = 0; t < kCategoryCount; ++t) {
        const int top = 40 + 40 * t;
        auto* caption = new QLabel(QString::fromUtf8(kCategoryCaptions[t]), Panel1);
        caption->setObjectName(QStringLiteral("Label%1").arg(t + 2));
        caption->move(16, top);
        caption->adjustSize();
        captions[static_cast<std::size_t>(t)] = caption;

        auto* list = new QComboBox(Panel1);
        list->setObjectName(QStringLiteral("ComboBox%1").arg(t + 1));
        list->setEditable(false);
        list->setItemDelegate(new FixedHeightItems(kItemHeight, list));
        list->setGeometry(96, top, 145, kItemHeight + 6);
        // Only the user's choice counts as a selection, not an index the program sets.
        connect(list, &QComboBox::activated, this,
                [this, &desk, h = selectHandlers[t]] { guarded(desk, [&] { (this->*h)(); }); });
        lists[static_cast<std::size_t>(t)] = list;

        auto* add = speedButton(QStringLiteral("SpeedButton%1").arg(t + 1), "Přidej", Picture::AddToRoute, 248, top);
        connectClick(add, addHandlers[t]);
        addButtons[static_cast<std::size_t>(t)] = add;
        auto* edit = speedButton(QStringLiteral("SpeedButton%1").arg(t + 6), "uprav komponentu", Picture::Edit, 288, top);
        connectClick(edit, editHandlers[t]);
        editButtons[static_cast<std::size_t>(t)] = edit;
    }

    Label7 = new QLabel(QStringLiteral("Hledej"), Panel1);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->move(16, 232);
    Label7->adjustSize();
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(96, 232, 137, 21);
    SpeedButton11 = speedButton(QStringLiteral("SpeedButton11"), "Najdi", Picture::Find, 248, 232);
    connectClick(SpeedButton11, &TForm2::SpeedButton11Click);

    seznam1 = new GridView(forms_.state.library.grid(), this);
    seznam1->setObjectName(QStringLiteral("seznam1"));
    seznam1->setGeometry(344, 40, 505, 265);

    BitBtn1 = new QPushButton(pictureIcon(Picture::Close), QStringLiteral("Zavřít"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(776, 312, 75, 25);
    BitBtn1->setAutoDefault(false);
    connectClick(BitBtn1, &TForm2::BitBtn1Click);
}

void TForm2::FormCreate() {
    // The library itself starts empty with its captions and headers: the list writes them
    // as it is made.
    clearCategoryLists();
    CategorySelection.fill(-1);
    for (auto* b : addButtons) b->setEnabled(false);
    for (auto* b : editButtons) b->setEnabled(false);
}

void TForm2::clearCategoryLists() {
    for (auto* list : lists) list->clear();
}

void TForm2::RebuildCategoryLists() {
    const ComponentLibrary& library = forms_.state.library;
    const auto labels = categoryLists(library.grid(), library.count());
    for (int t = 0; t < kCategoryCount; ++t) {
        QComboBox* list = lists[static_cast<std::size_t>(t)];
        list->clear();
        for (const std::string& label : labels[static_cast<std::size_t>(t)]) list->addItem(toQ(label));
        list->setCurrentIndex(-1);  // a refilled list shows no choice until the user makes one
    }
    for (auto* b : addButtons) b->setEnabled(true);
    for (auto* b : editButtons) b->setEnabled(true);
}

void TForm2::ToolButton1Click() {
    if (!forms_.desk.question("Opravdu mám smazat databazi komponent ?")) return;
    forms_.state.library.ClearLibrary();
    clearCategoryLists();
}

void TForm2::ToolButton2Click() {
    ComponentLibrary& library = forms_.state.library;
    Desk& desk = forms_.desk;
    if (library.grid().colCount() == 2) {
        // At most one entry: it is replaced without a question.
        if (auto path = desk.openFileName(kLibraryFilter)) library.LoadLibrary(*path);
    } else if (desk.question(kOpenLibraryQuestion)) {
        // Emptied before the dialog: cancelling it leaves the library empty.
        library.ClearLibrary();
        if (auto path = desk.openFileName(kLibraryFilter)) library.LoadLibrary(*path);
    }
    clearCategoryLists();
}

void TForm2::ToolButton3Click() {
    ComponentLibrary& library = forms_.state.library;
    if (library.count() == 0) {
        forms_.desk.information("Seznam je prázdný");
        return;
    }
    if (auto path = forms_.desk.saveFileName(kLibraryFilter)) library.SaveLibrary(*path);
}

void TForm2::ToolButton4Click() {
    TForm3& editor = *forms_.Form3;
    editor.Button1->setEnabled(true);
    editor.Button3->setEnabled(false);
    editor.ComboBox1->setEnabled(true);
    forms_.desk.showModal(editor);
}

void TForm2::ToolButton5Click() {
    forms_.state.library.removeLastAndShrink();
    RebuildCategoryLists();
}

void TForm2::ToolButton9Click() {
    forms_.state.route.removeLastAndShrink();
    activateWindow();
    setFocus();
}

void TForm2::selectCategory(int t) {
    CategorySelection[static_cast<std::size_t>(t)] = lists[static_cast<std::size_t>(t)]->currentIndex();
}

void TForm2::ComboBox1Select() { selectCategory(0); }
void TForm2::ComboBox2Select() { selectCategory(1); }
void TForm2::ComboBox3Select() { selectCategory(2); }
void TForm2::ComboBox4Select() { selectCategory(3); }
void TForm2::ComboBox5Select() { selectCategory(4); }

std::optional<std::string> TForm2::chosenLabel(int t) const {
    const QComboBox* list = lists[static_cast<std::size_t>(t)];
    const int chosen = CategorySelection[static_cast<std::size_t>(t)];
    if (list->currentIndex() < 0 || chosen < 0 || chosen >= list->count()) return std::nullopt;
    return fromQ(list->itemText(chosen));
}

void TForm2::appendChosen(int t) {
    const auto label = chosenLabel(t);
    if (!label) return;
    AppState& s = forms_.state;
    appendLibraryColumnsToRoute(s.route, s.library.grid(), columnsWithLabel(s.library.grid(), s.library.count(), *label));
}

void TForm2::SpeedButton1Click() { appendChosen(0); }
void TForm2::SpeedButton3Click() { appendChosen(2); }
void TForm2::SpeedButton4Click() { appendChosen(3); }
void TForm2::SpeedButton5Click() { appendChosen(4); }

void TForm2::SpeedButton2Click() {
    const auto label = chosenLabel(1);
    if (!label) return;
    AppState& s = forms_.state;
    for (int k : columnsWithLabel(s.library.grid(), s.library.count(), *label)) {
        // A full route: one warning instead of asking for a length that cannot be used.
        if (!routeHasRoom(s.route)) break;
        s.FibreLibraryColumn = k;
        forms_.Form4->setNewFibreMode();
        forms_.desk.showModal(*forms_.Form4);
    }
}

void TForm2::editChosen(int t) {
    const auto label = chosenLabel(t);
    if (!label) return;
    AppState& s = forms_.state;
    TForm3& editor = *forms_.Form3;
    editor.Button1->setEnabled(false);
    editor.Button3->setEnabled(true);
    editor.applyFieldStates(t);
    // The later of several entries of this type with the label; one of another type that
    // shares the label is not handed over, so "Uprav" cannot change its type. Without a
    // match no entry is handed over at all, and "Uprav" then writes nothing.
    const int k = editedEntryColumn(s.library.grid(), s.library.count(), *label, t);
    s.EditedIndex = k;
    if (k != 0) {
        editor.ComboBox1->setCurrentIndex(t);
        editor.setFieldTexts(entryFieldsFromColumn(s.library.grid(), k));
    }
    editor.ComboBox1->setEnabled(false);
    forms_.desk.showModal(editor);
}

void TForm2::SpeedButton6Click() { editChosen(0); }
void TForm2::SpeedButton7Click() { editChosen(1); }
void TForm2::SpeedButton8Click() { editChosen(2); }
void TForm2::SpeedButton9Click() { editChosen(3); }
void TForm2::SpeedButton10Click() { editChosen(4); }

void TForm2::SpeedButton11Click() { FindComponent(); }

void TForm2::FindComponent() {
    const int k = findComponentColumn(forms_.state.library.grid(), fromQ(Edit1->text()));
    if (k != 0) {
        seznam1->selectColumnCells(k, 1, 11);  // the entry's column below its header, not scrolled to
        forms_.desk.information("Hledáná komponeta byla nalezena a označena", "Výsledky hledání");
    } else {
        forms_.desk.information("Hledáná komponeta nebyla nalezena", "Výsledky hledání");
    }
}

void TForm2::BitBtn1Click() { close(); }

}  // namespace lumor
