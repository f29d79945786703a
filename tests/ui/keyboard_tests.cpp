// The windows driven by the keyboard alone, and what a screen reader is told about them.
#include "app/ui/length_dialog.h"
#include "app/ui/student_dialog.h"
#include "library/library_rules.h"
#include "library/ui/component_editor.h"
#include "library/ui/library_window.h"
#include "platform/gui/qtext.h"
#include "platform/ui/grid_view.h"
#include "ui_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QToolBar>

#include <filesystem>

using namespace lumor;

namespace {

void completeRoute(RouteList& r) {
    r.AppendComponent(testroutes::source("3", "2"));
    r.AppendComponent(testroutes::fibre("10", "2,5", "17", "0,1"));
    r.AppendComponent(testroutes::detector("-30"));
}

/// The controls Tab visits, from `start`, `presses` times, shown active as the user has it.
std::vector<std::string> tabbing(QWidget& window, QWidget& start, int presses, bool back = false) {
    window.show();
    QApplication::setActiveWindow(&window);
    start.setFocus(Qt::TabFocusReason);
    std::vector<std::string> visited;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
        visited.push_back(fromQ(QApplication::focusWidget()->objectName()));
    }
    window.hide();
    return visited;
}

using Names = std::vector<std::string>;

/// A key as the user presses it: to the control with the focus in the active window.
void press(QKeyCombination key) {
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QTest::keyClick(to, key.key(), key.keyboardModifiers());
}
void press(Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) press(QKeyCombination(key));
}
void type(const char* text) {
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QTest::keyClicks(to, QString::fromUtf8(text));
}
/// The modal window on the screen, active, as the desk shows it.
void shown(QDialog& d) {
    d.show();
    QApplication::setActiveWindow(&d);
}

}  // namespace

TEST_F(UiTest, TabLeavesTheTablesAndGoesThroughEveryWindowInReadingOrder) {
    completeRoute(route());
    main().ToolButton11Click();  // the report and enlarge buttons enabled
    QWidget& table = control<QWidget>(main(), "seznam");
    EXPECT_EQ(tabbing(main(), table, 14),
              (Names{"SpeedButton2", "SpeedButton3", "SpeedButton4", "Memo1", "ToolButton1", "ToolButton2",
                     "ToolButton3", "ToolButton8", "ToolButton5", "ToolButton6", "ToolButton7", "ToolButton10",
                     "ToolButton11", "ToolButton12"}));
    EXPECT_EQ(tabbing(main(), table, 2, true), (Names{"ToolButton12", "ToolButton11"}));

    TForm2& lib = *forms->Form2;
    lib.RebuildCategoryLists();
    EXPECT_EQ(tabbing(lib, control<QWidget>(lib, "ToolButton9"), 8),
              (Names{"ComboBox1", "SpeedButton1", "SpeedButton6", "ComboBox2", "SpeedButton2", "SpeedButton7",
                     "ComboBox3", "SpeedButton3"}));
    EXPECT_EQ(tabbing(lib, control<QWidget>(lib, "SpeedButton10"), 5),
              (Names{"Edit1", "SpeedButton11", "seznam1", "BitBtn1", "ToolButton1"}));
    TForm4& length = *forms->Form4;
    length.setChangeMode(2);
    EXPECT_EQ(tabbing(length, control<QWidget>(length, "Edit1"), 2), (Names{"Button2", "Edit1"}));
    EXPECT_EQ(tabbing(*forms->Form5, control<QWidget>(*forms->Form5, "Edit1"), 4),
              (Names{"Edit2", "Edit3", "Edit4", "SpeedButton1"}));
    EXPECT_EQ(tabbing(*forms->Form3, control<QWidget>(*forms->Form3, "Edit5"), 3),
              (Names{"Edit10", "Button1", "Button2"}));  // a source's fields; "Uprav" disabled while adding
}
TEST_F(UiTest, TheStudentTaskOfTheQuickStartIsDoneWithTheKeyboardAlone) {
    const std::pair<int, EntryFields> catalogue[] = {
        {0, {"LED", "850", "-", "-3", "40", "-", "-", "-", "-", ""}},
        {1, {"G.652", "1550", "-", "-", "-", "0,1", "17", "0,35", "-", ""}},
        {2, {"PIN", "1550", "-", "-", "-", "-", "-", "-", "-30", ""}}};
    for (const auto& [type, fields] : catalogue) state->library.append(buildLibraryEntry(type, fields));
    main().show();
    QApplication::setActiveWindow(&main());

    desk.modalActions.push_back([](QDialog& student) {  // Ctrl+T: the student's data, Enter confirms
        shown(student);
        type("Jan");
        press(Qt::Key_Tab);
        type("Novak");
        press(Qt::Key_Return);
    });
    press(Qt::ControlModifier | Qt::Key_T);
    QApplication::setActiveWindow(&main());                 // back, as the desktop does when a dialog closes
    desk.modalActions.push_back([this](QDialog& library) {  // Ctrl+K: the catalogue
        shown(library);                                     // it starts in the sources
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        desk.modalActions.push_back([&library](QDialog& length) {
            shown(length);
            type("12.5");
            press(Qt::Key_Return);
            QApplication::setActiveWindow(&library);
        });
        press(Qt::Key_Tab, 3);  // the fibres
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        press(Qt::Key_Tab, 3);  // the detectors
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        press(Qt::Key_Escape);
    });
    press(Qt::ControlModifier | Qt::Key_K);
    QApplication::setActiveWindow(&main());
    EXPECT_EQ(route().grid().cell(2, 9), "12,5");
    EXPECT_EQ(control<GridView>(main(), "seznam").selection()->left, 3);  // the detector just added

    press(Qt::Key_F5);
    EXPECT_TRUE(control<QStatusBar>(main(), "StatusBar1").currentMessage().contains("zachytí"));
    while (QApplication::focusWidget()->objectName() != "Memo1") press(Qt::Key_Tab);
    type("Trasa vyhovuje.");
    press(Qt::ControlModifier | Qt::Key_P);
    desk.fileNames = {path("novak.trasa")};
    press(Qt::ControlModifier | Qt::Key_S);
    EXPECT_TRUE(desk.texts("warning").empty()) << desk.texts("warning")[0];
    EXPECT_EQ(desk.viewed.size(), 1u);  // the report written and shown
    EXPECT_EQ(std::filesystem::file_size(path("novak.trasa")), 3u * 2816u);
    EXPECT_EQ(fromQ(control<QLabel>(main(), "Label6").text()), "Novak");
    main().hide();
}

TEST_F(UiTest, EveryInputTableAndButtonHasTheNameItsCaptionShowsAndTheGraphsTheirEndValues) {
    const QWidget* windows[] = {forms->Form1.get(), forms->Form2.get(), forms->Form3.get(), forms->Form4.get(),
                                forms->Form5.get()};
    std::vector<std::string> unnamed;
    for (const QWidget* window : windows) {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                               qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                               qobject_cast<QTableView*>(w);
            if (input && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
                QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty()) {
                unnamed.push_back(fromQ(window->objectName() + "." + w->objectName()));
            }
        }
    }
    EXPECT_EQ(unnamed, Names{});
    const auto name = [](const QWidget& window, const char* controlName) {
        QWidget& w = control<QWidget>(window, controlName);
        return fromQ(QAccessible::queryAccessibleInterface(&w)->text(QAccessible::Name));
    };
    EXPECT_EQ(name(main(), "seznam"), "Optická trasa");
    EXPECT_EQ(name(main(), "Memo1"), "Závěr");
    EXPECT_EQ(name(*forms->Form2, "ComboBox4"), "Konektory");
    EXPECT_EQ(name(*forms->Form2, "SpeedButton1"), "Přidej vybraný zdroj do trasy (Enter v seznamu)");
    EXPECT_EQ(name(*forms->Form3, "Edit6"), "PMD [ps/(km^0,5)]");
    EXPECT_EQ(name(*forms->Form5, "Edit3"), "Datum");
    EXPECT_EQ(control<QLabel>(*forms->Form4, "Label1").buddy(), &control<QWidget>(*forms->Form4, "Edit1"));

    completeRoute(route());
    main().ToolButton11Click();
    EXPECT_EQ(fromQ(control<QWidget>(main(), "Image3").accessibleDescription()),
              "Polarizační vidová disperze podél trasy; na konci trasy 0,32 ps.");
}
