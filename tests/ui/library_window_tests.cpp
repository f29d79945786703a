#include "library/library_rules.h"
#include "library/ui/component_editor.h"
#include "library/ui/fibre_length_dialog.h"
#include "library/ui/library_window.h"
#include "platform/gui/qtext.h"
#include "platform/ui/grid_view.h"
#include "ui_fixture.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>
#include <fstream>

using namespace lumor;

namespace {

/// Catalogue values of a plausible entry of each type, "-" where a field does not apply.
EntryFields entryFields(int type, const std::string& label, const std::string& specific = "0,35") {
    switch (type) {
        case 0: return {label, "850", "-", "-3", "40", "-", "-", "-", "-", "zdroj " + label};
        case 1: return {label, "1550", "-", "-", "-", "0,1", "17", specific, "-", "vlákno " + label};
        case 2: return {label, "1550", "-", "-", "-", "-", "-", "-", "-30", "detektor " + label};
        case 3: return {label, "-", "0,5", "-", "-", "-", "-", "-", "-", "konektor " + label};
        default: return {label, "1550", "-", "20", "-", "-", "-", "-", "-", "zesilovač " + label};
    }
}

std::string imageOf(const LibraryEntry& e) {
    return std::string(reinterpret_cast<const char*>(e.image.data()), LibraryEntry::kImageSize);
}

class LibraryWindowTest : public UiTest {
protected:
    LibraryWindow& lib() { return *forms->libraryWindow; }
    ComponentEditor& editor() { return *forms->componentEditor; }
    FibreLengthDialog& lengthDialog() { return *forms->lengthDialog; }
    ComponentLibrary& library() { return state->library; }
    const TextTable& libGrid() { return state->library; }

    /// Appends an entry straight to the library; returns its column.
    int addEntry(int type, const std::string& label, const std::string& specific = "0,35") {
        library().append(buildLibraryEntry(type, entryFields(type, label, specific)));
        return library().count();
    }
    std::vector<std::string> items(int t) {
        std::vector<std::string> out;
        QComboBox* list = &categoryList(lib(), t);
        for (int i = 0; i < list->count(); ++i) out.push_back(fromQ(list->itemText(i)));
        return out;
    }
    /// The user picks the n-th item with this label in category list t.
    void choose(int t, const std::string& label, int nth = 0) {
        QComboBox* list = &categoryList(lib(), t);
        int index = -1;
        for (int i = 0; i < list->count(); ++i) {
            if (fromQ(list->itemText(i)) == label && nth-- == 0) {
                index = i;
                break;
            }
        }
        ASSERT_GE(index, 0) << label;
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void pressAdd(int t) { addButton(lib(), t).click(); }
    void pressEdit(int t) { editButton(lib(), t).click(); }
    void search(const std::string& text) {
        control<QLineEdit>(lib(), "Edit1").setText(toQ(text));
        control<QToolButton>(lib(), "SpeedButton11").click();
    }
    void saveLibraryFile(const std::string& name, const std::vector<std::pair<int, std::string>>& entries) {
        std::ofstream out(path(name), std::ios::binary);
        for (const auto& [type, label] : entries) out << imageOf(*buildLibraryEntry(type, entryFields(type, label)));
    }
    int modalCount(const std::string& objectName) {
        int n = 0;
        for (const auto& s : desk.shown) n += s.kind == "modal" && s.text == objectName;
        return n;
    }
};

}  // namespace

// ---- layout and start-up ----------------------------------------------------------------

TEST_F(LibraryWindowTest, ControlsSitWhereTheLayoutPutsThem) {
    EXPECT_EQ(lib().windowTitle(), QStringLiteral("Seznam komponent"));
    EXPECT_EQ(lib().size(), QSize(863, 343));
    EXPECT_EQ(lib().palette().color(QPalette::Window), QColor(0, 255, 0));
    struct Place {
        const char* name;
        QRect rect;
    };
    const Place places[] = {
        {"Panel1", {8, 40, 321, 265}},       {"seznam1", {344, 40, 505, 265}},
        {"BitBtn1", {776, 312, 75, 25}},     {"ComboBox1", {96, 40, 145, 22}},
        {"ComboBox3", {96, 120, 145, 22}},   {"ComboBox5", {96, 200, 145, 22}},
        {"SpeedButton1", {248, 40, 23, 22}}, {"SpeedButton4", {248, 160, 23, 22}},
        {"SpeedButton6", {288, 40, 23, 22}}, {"SpeedButton10", {288, 200, 23, 22}},
        {"Edit1", {96, 232, 137, 21}},       {"SpeedButton11", {248, 232, 23, 22}},
    };
    for (const auto& p : places) {
        auto* w = lib().findChild<QWidget*>(QString::fromUtf8(p.name));
        ASSERT_TRUE(w) << p.name;
        EXPECT_EQ(w->geometry(), p.rect) << p.name;
    }
    EXPECT_EQ(control<QToolBar>(lib(), "ToolBar1").height(), 29);
    EXPECT_EQ(control<QToolBar>(lib(), "ToolBar1").width(), 863);
    EXPECT_EQ(control<QLabel>(lib(), "Label1").pos(), QPoint(16, 8));
    EXPECT_EQ(control<QLabel>(lib(), "Label1").text(), QStringLiteral("Seznam komponent"));
    EXPECT_EQ(control<QLabel>(lib(), "Label1").palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(control<QLabel>(lib(), "Label7").pos(), QPoint(16, 232));
    EXPECT_EQ(control<QLabel>(lib(), "Label7").text(), QStringLiteral("Hledej"));
    EXPECT_EQ(lib().findChild<QLabel*>(QStringLiteral("Label5"))->text(), QStringLiteral("Konektory"));
    EXPECT_EQ(lib().findChild<QLabel*>(QStringLiteral("Label5"))->pos(), QPoint(16, 160));
    EXPECT_EQ(control<QPushButton>(lib(), "BitBtn1").text(), QStringLiteral("Zavřít"));
    EXPECT_EQ(control<QToolButton>(lib(), "SpeedButton11").toolTip(), QStringLiteral("Najdi (Enter)"));
    EXPECT_EQ(lib().findChild<QToolButton*>(QStringLiteral("SpeedButton2"))->toolTip(),
              QStringLiteral("Přidej vybrané vlákno do trasy (Enter v seznamu)"));
    EXPECT_EQ(lib().findChild<QToolButton*>(QStringLiteral("SpeedButton7"))->toolTip(),
              QStringLiteral("Uprav vybrané vlákno v seznamu komponent (F2 v seznamu)"));

    // The tool bar in its order, with its hints.
    std::vector<std::string> order, hints;
    for (QAction* a : control<QToolBar>(lib(), "ToolBar1").actions()) {
        QWidget* w = control<QToolBar>(lib(), "ToolBar1").widgetForAction(a);
        order.push_back(fromQ(w->objectName()));
        hints.push_back(fromQ(w->toolTip()));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"ToolButton1", "ToolButton2", "ToolButton3", "ToolSeparator1",
                                               "ToolButton4", "ToolButton5", "ToolSeparator2", "ToolButton9"}));
    EXPECT_EQ(hints,
              (std::vector<std::string>{"Nový seznam komponent (Ctrl+N)", "Otevři seznam komponent (Ctrl+O)",
                                        "Ulož seznam komponent (Ctrl+S)", "", "Přidej komponentu do seznamu (Insert)",
                                        "Odeber poslední komponentu ze seznamu (Ctrl+Delete)", "",
                                        "Smaž poslední komponentu v trase (Ctrl+Backspace)"}));
}

TEST_F(LibraryWindowTest, CategoryListsStartEmptyWithTheirButtonsDisabled) {
    for (int t = 0; t < kCategoryCount; ++t) {
        QComboBox* list = &categoryList(lib(), t);
        EXPECT_EQ(list->objectName(), QStringLiteral("ComboBox%1").arg(t + 1));
        EXPECT_FALSE(list->isEditable());
        EXPECT_EQ(list->count(), 0);
        EXPECT_EQ(lib().categorySelection()[static_cast<std::size_t>(t)], -1);
        EXPECT_FALSE(addButton(lib(), t).isEnabled());
        EXPECT_FALSE(editButton(lib(), t).isEnabled());
    }
    EXPECT_TRUE(control<QToolButton>(lib(), "SpeedButton11").isEnabled());

    addEntry(0, "LED");
    addEntry(0, "Laser");
    lib().rebuildCategoryLists();
    for (int t = 0; t < kCategoryCount; ++t) EXPECT_TRUE(addButton(lib(), t).isEnabled()) << t;
    for (int t = 0; t < kCategoryCount; ++t) EXPECT_TRUE(editButton(lib(), t).isEnabled()) << t;
    QComboBox* sources = &categoryList(lib(), 0);
    EXPECT_EQ(sources->currentIndex(), -1);  // filled, yet nothing chosen
    EXPECT_EQ(sources->view()->sizeHintForRow(0), 16);
    EXPECT_EQ(sources->view()->sizeHintForRow(1), 16);
}

class LibraryWindowWithStandardLibrary : public LibraryWindowTest {
protected:
    void prepare() override {
        std::filesystem::create_directories("Komponenty");
        std::ofstream out("Komponenty/stdkmp.komp", std::ios::binary);
        for (const auto& [type, label] : std::vector<std::pair<int, std::string>>{
                 {0, "LED"}, {1, "G.652"}, {7, "Neznámá"}, {2, "PIN"}, {3, "SC"}, {4, "EDFA"}, {0, "Laser"}}) {
            out << imageOf(*buildLibraryEntry(type, entryFields(type, label)));
        }
    }
};

TEST_F(LibraryWindowWithStandardLibrary, ListsAreFilledWhenTheMainWindowShowsTheWindow) {
    EXPECT_TRUE(startupShown.empty());
    EXPECT_EQ(library().count(), 7);
    EXPECT_EQ(items(0), std::vector<std::string>{});
    EXPECT_FALSE(addButton(lib(), 0).isEnabled());

    std::vector<std::vector<std::string>> seen;
    bool enabled = false;
    desk.modalActions.push_back([&](QDialog& d) {
        auto& w = static_cast<LibraryWindow&>(d);
        for (int t = 0; t < kCategoryCount; ++t) seen.push_back(items(t));
        enabled = addButton(w, 4).isEnabled() && editButton(w, 0).isEnabled();
    });
    main().showLibrary();
    EXPECT_EQ(modalCount("Form2"), 1);
    ASSERT_EQ(seen.size(), 5u);
    // Each type's labels in column order; the entry of an unknown type is in none.
    EXPECT_EQ(seen[0], (std::vector<std::string>{"LED", "Laser"}));
    EXPECT_EQ(seen[1], (std::vector<std::string>{"G.652"}));
    EXPECT_EQ(seen[2], (std::vector<std::string>{"PIN"}));
    EXPECT_EQ(seen[3], (std::vector<std::string>{"SC"}));
    EXPECT_EQ(seen[4], (std::vector<std::string>{"EDFA"}));
    EXPECT_TRUE(enabled);
}

// ---- appending components to the route -----------------------------------------------

TEST_F(LibraryWindowTest, EachPlainTypeIsAppendedWithItsLibraryValuesAndNoLength) {
    addEntry(0, "LED");
    addEntry(1, "G.652");
    addEntry(2, "PIN");
    addEntry(3, "SC");
    addEntry(4, "EDFA");
    lib().rebuildCategoryLists();
    const std::vector<std::pair<int, std::string>> picks{{0, "LED"}, {2, "PIN"}, {3, "SC"}, {4, "EDFA"}};
    for (const auto& [t, label] : picks) {
        choose(t, label);
        pressAdd(t);
        // The main window's Zpět follows a change made here, from the first one on.
        EXPECT_TRUE(control<QToolButton>(*forms->mainWindow, "ToolButton12").isEnabled()) << label;
    }
    ASSERT_EQ(route().count(), 4);
    const TextTable& r = route();
    const int libColumns[] = {1, 3, 4, 5};
    for (int k = 1; k <= 4; ++k) {
        const int c = libColumns[k - 1];
        for (int row = 1; row <= 8; ++row) EXPECT_EQ(r.cell(k, row), libGrid().cell(c, row)) << k << "," << row;
        EXPECT_EQ(r.cell(k, 9), "-") << k;
        EXPECT_EQ(r.cell(k, 10), libGrid().cell(c, 10)) << k;
        EXPECT_EQ(r.cell(k, 11), libGrid().cell(c, 11)) << k;
    }
    EXPECT_EQ(r.cell(3, 1), "Konektor");
    EXPECT_EQ(r.cell(3, 4), "0,5");
    EXPECT_TRUE(desk.shown.empty());

    // The same item again: the connector a second time.
    pressAdd(3);
    ASSERT_EQ(route().count(), 5);
    EXPECT_EQ(route().cell(5, 2), "SC");
    EXPECT_EQ(route().colCount(), 6);
}

TEST_F(LibraryWindowTest, AddingWithoutAChoiceDoesNothing) {
    addEntry(3, "SC");
    lib().rebuildCategoryLists();
    pressAdd(3);
    EXPECT_EQ(route().count(), 0);
    choose(3, "SC");
    pressAdd(3);
    EXPECT_EQ(route().count(), 1);
    // Refilling the list drops the choice shown, though categorySelection remembers it.
    lib().rebuildCategoryLists();
    EXPECT_EQ(lib().categorySelection()[3], 0);
    pressAdd(3);
    pressEdit(3);
    EXPECT_EQ(route().count(), 1);
    EXPECT_TRUE(desk.shown.empty());
}

TEST_F(LibraryWindowTest, EntriesSharingALabelAreAllAppendedInColumnOrder) {
    addEntry(0, "X");
    addEntry(3, "Y");
    addEntry(3, "X");
    addEntry(0, "X");
    lib().rebuildCategoryLists();
    EXPECT_EQ(items(0), (std::vector<std::string>{"X", "X"}));
    EXPECT_EQ(items(3), (std::vector<std::string>{"Y", "X"}));

    choose(0, "X");
    pressAdd(0);
    ASSERT_EQ(route().count(), 3);
    EXPECT_EQ(route().cell(1, 1), "Zdroj");
    EXPECT_EQ(route().cell(2, 1), "Konektor");
    EXPECT_EQ(route().cell(3, 1), "Zdroj");

    // Picked from the other category, the same three in the same order.
    choose(3, "X");
    pressAdd(3);
    ASSERT_EQ(route().count(), 6);
    EXPECT_EQ(route().cell(4, 1), "Zdroj");
    EXPECT_EQ(route().cell(5, 1), "Konektor");
    EXPECT_EQ(route().cell(6, 1), "Zdroj");
}

TEST_F(LibraryWindowTest, AFibreIsAppendedThroughTheLengthDialog) {
    const int col = addEntry(1, "G.652", "0,35");
    lib().rebuildCategoryLists();
    lengthDialog().setChangeMode(1);  // left so by an earlier change of a length
    bool okEnabled = false, changeEnabled = true;
    int column = -1;
    desk.modalActions.push_back([&](QDialog& d) {
        auto& dlg = static_cast<FibreLengthDialog&>(d);
        okEnabled = control<QPushButton>(dlg, "Button1").isEnabled();
        changeEnabled = control<QPushButton>(dlg, "Button2").isEnabled();
        column = lengthDialog().fibreLibraryColumn();
        control<QLineEdit>(dlg, "Edit1").setText(QStringLiteral("3,3"));
        control<QPushButton>(dlg, "Button1").click();
    });
    choose(1, "G.652");
    pressAdd(1);
    EXPECT_EQ(modalCount("Form4"), 1);
    EXPECT_TRUE(okEnabled);
    EXPECT_FALSE(changeEnabled);
    EXPECT_EQ(column, col);
    ASSERT_EQ(route().count(), 1);
    EXPECT_EQ(route().cell(1, 1), "Vlákno");
    EXPECT_EQ(route().cell(1, 2), "G.652");
    EXPECT_EQ(route().cell(1, 4), "1,15");
    EXPECT_EQ(route().cell(1, 9), "3,3");
}

TEST_F(LibraryWindowTest, AFibreLabelInTwoColumnsOpensTheLengthDialogForEach) {
    addEntry(1, "G.652", "0,35");
    addEntry(3, "SC");
    addEntry(1, "G.652", "0,2");
    addEntry(1, "G.652", "0,5");
    lib().rebuildCategoryLists();
    std::vector<int> columns;
    auto typeAndOk = [&](const char* length) {
        return [&, length](QDialog& d) {
            auto& dlg = static_cast<FibreLengthDialog&>(d);
            columns.push_back(lengthDialog().fibreLibraryColumn());
            control<QLineEdit>(dlg, "Edit1").setText(QString::fromUtf8(length));
            control<QPushButton>(dlg, "Button1").click();
        };
    };
    desk.modalActions.push_back(typeAndOk("10"));
    desk.modalActions.push_back([&](QDialog&) { columns.push_back(lengthDialog().fibreLibraryColumn()); });  // closed
    desk.modalActions.push_back(typeAndOk("10"));
    choose(1, "G.652", 1);
    pressAdd(1);
    EXPECT_EQ(columns, (std::vector<int>{1, 3, 4}));
    ASSERT_EQ(route().count(), 2);
    EXPECT_EQ(route().cell(1, 4), "3,5");
    EXPECT_EQ(route().cell(2, 4), "5");
}

TEST_F(LibraryWindowTest, AFullRouteWarnsOnceAndOpensNoLengthDialog) {
    addEntry(1, "G.652");
    addEntry(1, "G.652");
    addEntry(3, "SC");
    addEntry(3, "SC");
    lib().rebuildCategoryLists();
    for (int i = 0; i < 999; ++i) route().appendComponent(component("Konektor", "C"));
    desk.clear();

    choose(1, "G.652");
    pressAdd(1);
    EXPECT_EQ(modalCount("Form4"), 0);
    ASSERT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_NE(desk.texts("warning")[0].find("999"), std::string::npos);

    desk.clear();
    choose(3, "SC");
    pressAdd(3);
    EXPECT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_EQ(route().count(), 999);
    EXPECT_EQ(route().colCount(), 1000);
    EXPECT_EQ(route().cell(999, 2), "C");
}

// ---- search ----------------------------------------------------------------------------

TEST_F(LibraryWindowTest, EnterSearchesForTheFirstEntryContainingTheTextIgnoringCaseAndAccents) {
    addEntry(0, "LED");
    addEntry(1, "G.652");
    addEntry(4, "EDFA linkový");
    addEntry(3, "LED");
    QLineEdit& text = control<QLineEdit>(lib(), "Edit1");
    const auto find = [&](const char* typed) {
        text.clear();
        QTest::keyClicks(&text, QString::fromUtf8(typed));
        QTest::keyClick(&text, Qt::Key_Return);
        return control<GridView>(lib(), "seznam1").selection()->left;
    };
    EXPECT_EQ(find("edfa"), 3);
    EXPECT_EQ(find("LINKOVY"), 3);
    EXPECT_EQ(find("led"), 1);
    EXPECT_EQ(find("SC"), 1);  // not found: the selection stays
    EXPECT_EQ(desk.texts("information"),
              (std::vector<std::string>{
                  "Hledaná komponenta byla nalezena a označena", "Hledaná komponenta byla nalezena a označena",
                  "Hledaná komponenta byla nalezena a označena", "Hledaná komponenta nebyla nalezena"}));
    EXPECT_EQ(desk.shown[0].title, "Výsledky hledání");
    EXPECT_EQ(control<GridView>(lib(), "seznam1").selection()->bottom, 11);
}

TEST_F(LibraryWindowTest, OnAnEmptyLibraryTheEmptyTextFindsTheBlankColumn) {
    search("");
    EXPECT_EQ(desk.texts("information"), std::vector<std::string>{"Hledaná komponenta byla nalezena a označena"});
    auto sel = control<GridView>(lib(), "seznam1").selection();
    ASSERT_TRUE(sel);
    EXPECT_EQ(sel->left, 1);
    EXPECT_EQ(sel->top, 1);
    EXPECT_EQ(sel->bottom, 11);
}

// ---- library files and the tool bar ----------------------------------------------------

TEST_F(LibraryWindowTest, OpeningOverASingleEntryAsksNothing) {
    saveLibraryFile("two.komp", {{0, "LED"}, {2, "PIN"}});
    addEntry(3, "SC");
    lib().rebuildCategoryLists();
    choose(3, "SC");
    desk.fileNames = {path("two.komp")};
    control<QToolButton>(lib(), "ToolButton2").click();
    EXPECT_TRUE(desk.texts("question").empty());
    ASSERT_EQ(desk.shown.size(), 1u);
    EXPECT_EQ(desk.shown[0].kind, "open");
    EXPECT_EQ(desk.shown[0].title, "Komponenty (*.komp)");
    EXPECT_EQ(library().count(), 2);
    EXPECT_EQ(libGrid().cell(1, 2), "LED");
    EXPECT_EQ(libGrid().colCount(), 3);
    // The lists are empty until rebuilt; their buttons do nothing meanwhile.
    for (int t = 0; t < kCategoryCount; ++t) EXPECT_EQ(items(t), std::vector<std::string>{}) << t;
    pressAdd(3);
    pressAdd(0);
    EXPECT_EQ(route().count(), 0);
    main().showLibrary();
    EXPECT_EQ(items(0), std::vector<std::string>{"LED"});
    EXPECT_EQ(items(2), std::vector<std::string>{"PIN"});
}

TEST_F(LibraryWindowTest, OpeningOverSeveralEntriesAsksAboutTheLibraryFirst) {
    saveLibraryFile("one.komp", {{4, "EDFA"}});
    addEntry(0, "LED");
    addEntry(3, "SC");
    lib().rebuildCategoryLists();

    // No: nothing changes but the lists, which are emptied in every case.
    desk.answers = {false};
    lib().openLibrary();
    EXPECT_EQ(desk.texts("question"),
              std::vector<std::string>{"Tímto vymažete stávající seznam komponent a načtete nový ze souboru, "
                                       "opravdu chcete pokračovat?"});
    EXPECT_TRUE(desk.texts("open").empty());
    EXPECT_EQ(library().count(), 2);
    EXPECT_EQ(items(0), std::vector<std::string>{});

    // Yes, then the dialog cancelled: the file is read before the library is emptied, so it
    // stays whole.
    desk.clear();
    desk.answers = {true};
    lib().openLibrary();
    EXPECT_EQ(desk.texts("open").size(), 1u);
    EXPECT_EQ(library().count(), 2);
    EXPECT_EQ(libGrid().cell(2, 2), "SC");

    // Yes and a file.
    desk.clear();
    desk.answers = {true};
    desk.fileNames = {path("one.komp")};
    lib().openLibrary();
    EXPECT_EQ(library().count(), 1);
    EXPECT_EQ(libGrid().cell(1, 2), "EDFA");
    EXPECT_EQ(libGrid().colCount(), 2);
}

TEST_F(LibraryWindowTest, NewLibraryAsksAndEmptiesTheListsOnYes) {
    addEntry(0, "LED");
    addEntry(3, "SC");
    lib().rebuildCategoryLists();
    desk.answers = {false};
    control<QToolButton>(lib(), "ToolButton1").click();
    EXPECT_EQ(desk.texts("question"), std::vector<std::string>{"Opravdu mám smazat databázi komponent?"});
    EXPECT_EQ(library().count(), 2);
    EXPECT_EQ(items(0), std::vector<std::string>{"LED"});

    desk.answers = {true};
    control<QToolButton>(lib(), "ToolButton1").click();
    EXPECT_EQ(library().count(), 0);
    EXPECT_EQ(libGrid().colCount(), 2);
    EXPECT_EQ(items(0), std::vector<std::string>{});
    EXPECT_EQ(items(3), std::vector<std::string>{});
}

TEST_F(LibraryWindowTest, SavingAnEmptyLibraryOnlyInforms) {
    control<QToolButton>(lib(), "ToolButton3").click();
    ASSERT_EQ(desk.shown.size(), 1u);
    EXPECT_EQ(desk.shown[0].kind, "information");
    EXPECT_EQ(desk.shown[0].text, "Seznam je prázdný");

    addEntry(0, "LED");
    addEntry(1, "G.652");
    desk.clear();
    desk.fileNames = {path("saved.komp")};
    control<QToolButton>(lib(), "ToolButton3").click();
    EXPECT_EQ(desk.texts("save").size(), 1u);
    EXPECT_EQ(desk.texts("information"), std::vector<std::string>{"Uloženo"});
    EXPECT_EQ(std::filesystem::file_size(path("saved.komp")), 2u * LibraryEntry::kImageSize);
}

TEST_F(LibraryWindowTest, RemovingTheLastEntryRebuildsTheLists) {
    addEntry(0, "LED");
    addEntry(0, "Laser");
    lib().rebuildCategoryLists();
    control<QToolButton>(lib(), "ToolButton5").click();
    EXPECT_EQ(library().count(), 1);
    EXPECT_EQ(libGrid().colCount(), 2);
    EXPECT_EQ(items(0), std::vector<std::string>{"LED"});
    control<QToolButton>(lib(), "ToolButton5").click();
    EXPECT_EQ(items(0), std::vector<std::string>{});
    EXPECT_EQ(libGrid().cell(1, 2), "");
    EXPECT_TRUE(desk.shown.empty());
    control<QToolButton>(lib(), "ToolButton5").click();
    EXPECT_EQ(desk.texts("warning"), std::vector<std::string>{"Databáze je prázdná"});
    EXPECT_EQ(libGrid().colCount(), 2);
}

TEST_F(LibraryWindowTest, RemovingTheRoutesLastComponentShrinksTheMainGrid) {
    route().appendComponent(component("Zdroj", "LED"));
    route().appendComponent(component("Konektor", "SC"));
    control<QToolButton>(lib(), "ToolButton9").click();
    EXPECT_EQ(route().count(), 1);
    EXPECT_EQ(route().colCount(), 2);
    control<QToolButton>(lib(), "ToolButton9").click();
    EXPECT_EQ(route().count(), 0);
    EXPECT_EQ(route().cell(1, 2), "");
    EXPECT_TRUE(desk.shown.empty());
    control<QToolButton>(lib(), "ToolButton9").click();
    EXPECT_EQ(desk.texts("warning"), std::vector<std::string>{"Seznam je prázdný"});
    EXPECT_EQ(route().colCount(), 2);
}

// ---- opening the component editor --------------------------------------------------------

TEST_F(LibraryWindowTest, EditingAConnectorFixesItsTypeAndOffersOnlyItsFields) {
    addEntry(0, "LED");
    const int col = addEntry(3, "SC");
    lib().rebuildCategoryLists();
    std::vector<bool> enabled;
    std::vector<std::string> texts;
    int type = -1;
    bool typeFixed = false, addEnabled = true, editEnabled = false;
    desk.modalActions.push_back([&](QDialog& d) {
        auto& e = static_cast<ComponentEditor&>(d);
        for (int slot = 0; slot < LibraryEntry::kSlotCount; ++slot) {
            QLineEdit* f = &editorField(e, slot);
            enabled.push_back(f->isEnabled());
            texts.push_back(fromQ(f->text()));
        }
        type = control<QComboBox>(e, "ComboBox1").currentIndex();
        typeFixed = !control<QComboBox>(e, "ComboBox1").isEnabled();
        addEnabled = control<QPushButton>(e, "Button1").isEnabled();
        editEnabled = control<QPushButton>(e, "Button3").isEnabled();
    });
    choose(3, "SC");
    pressEdit(3);
    EXPECT_EQ(modalCount("Form3"), 1);
    EXPECT_EQ(editor().editedIndex(), col);
    EXPECT_EQ(type, 3);
    EXPECT_TRUE(typeFixed);
    EXPECT_FALSE(addEnabled);
    EXPECT_TRUE(editEnabled);
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, false, false, false, false, false, false, true}));
    EXPECT_EQ(texts, (std::vector<std::string>{"SC", "-", "0,5", "-", "-", "-", "-", "-", "-", "konektor SC"}));

    // Adding afterwards makes the type selectable again and swaps the buttons back.
    control<QToolButton>(lib(), "ToolButton4").click();
    EXPECT_TRUE(control<QComboBox>(editor(), "ComboBox1").isEnabled());
    EXPECT_TRUE(control<QPushButton>(editor(), "Button1").isEnabled());
    EXPECT_FALSE(control<QPushButton>(editor(), "Button3").isEnabled());
    EXPECT_EQ(modalCount("Form3"), 2);
}

TEST_F(LibraryWindowTest, EditingOneOfTwoEntriesWithALabelOverwritesOnlyTheLaterOne) {
    addEntry(0, "X");
    addEntry(1, "G.652");
    addEntry(0, "X");
    addEntry(3, "X");  // another category: never handed to the source row's editor
    lib().rebuildCategoryLists();
    std::string shownGain;
    desk.modalActions.push_back([&](QDialog& d) {
        auto& e = static_cast<ComponentEditor&>(d);
        shownGain = fromQ(editorField(e, LibrarySlot::Gain).text());
        editorField(e, LibrarySlot::Gain).setText(QStringLiteral("7"));
        editorField(e, LibrarySlot::Note).setText(QStringLiteral("upraveno"));
        control<QPushButton>(e, "Button3").click();
    });
    choose(0, "X");
    pressEdit(0);
    EXPECT_EQ(editor().editedIndex(), 3);
    EXPECT_EQ(shownGain, "-3");
    EXPECT_EQ(libGrid().cell(3, 5), "7");
    EXPECT_EQ(libGrid().cell(3, 11), "upraveno");
    EXPECT_EQ(libGrid().cell(3, 1), "Zdroj");
    EXPECT_EQ(libGrid().cell(1, 5), "-3");
    EXPECT_EQ(libGrid().cell(1, 11), "zdroj X");
    EXPECT_EQ(libGrid().cell(4, 1), "Konektor");
    EXPECT_EQ(libGrid().cell(4, 11), "konektor X");
    EXPECT_EQ(library().count(), 4);
    EXPECT_EQ(items(0), (std::vector<std::string>{"X", "X"}));
    search("X");
    EXPECT_EQ(control<GridView>(lib(), "seznam1").selection()->left, 1);  // the first
}
