// The windows driven by the keyboard alone, and what a screen reader is told about them.
#include "app/ui/length_dialog.h"
#include "app/ui/student_dialog.h"
#include "library/library_rules.h"
#include "library/ui/component_editor.h"
#include "library/ui/library_window.h"
#include "platform/gui/qtext.h"
#include "ui_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>

#include <filesystem>

using namespace lumor;

namespace {

using Names = std::vector<std::string>;

/// A window on the screen and active, as the user has it.
void shown(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
}
/// Keys as the user presses them: to the control with the focus.
void press(QKeyCombination key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
}
void type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text)); }

/// The controls Tab (or Shift+Tab) visits from `start`.
Names tabbing(QWidget& window, const char* start, int presses, Qt::KeyboardModifier back = Qt::NoModifier) {
    shown(window);
    control<QWidget>(window, start).setFocus(Qt::TabFocusReason);
    Names visited;
    for (int i = 0; i < presses; ++i) {
        press(back | Qt::Key_Tab);
        visited.push_back(fromQ(QApplication::focusWidget()->objectName()));
    }
    return visited;
}

void completeRoute(RouteList& r) {
    r.AppendComponent(testroutes::source("3", "2"));
    r.AppendComponent(testroutes::fibre("10", "2,5", "17", "0,1"));
    r.AppendComponent(testroutes::detector("-30"));
}

}  // namespace

TEST_F(UiTest, TabLeavesTheTablesAndGoesThroughTheWindowsInReadingOrder) {
    completeRoute(route());
    main().ToolButton11Click();  // the report and enlarge buttons enabled
    EXPECT_EQ(tabbing(main(), "seznam", 15),
              (Names{"SpeedButton2", "SpeedButton3", "SpeedButton4", "Memo1", "ToolButton1", "ToolButton2",
                     "ToolButton3", "ToolButton8", "ToolButton5", "ToolButton6", "ToolButton7", "ToolButton10",
                     "ToolButton11", "ToolButton12", "ToolButton15"}));
    EXPECT_EQ(tabbing(main(), "seznam", 1, Qt::ShiftModifier), Names{"ToolButton15"});
    forms->Form2->RebuildCategoryLists();
    EXPECT_EQ(tabbing(*forms->Form2, "SpeedButton10", 5),
              (Names{"Edit1", "SpeedButton11", "seznam1", "BitBtn1", "ToolButton1"}));
    forms->Form4->setChangeMode(2);
    EXPECT_EQ(tabbing(*forms->Form4, "Edit1", 2), (Names{"Button2", "Edit1"}));  // "Změň" stands left of "Ok"
}

TEST_F(UiTest, TheStudentTaskOfTheQuickStartIsDoneWithTheKeyboardAlone) {
    for (const auto& [type, fields] :
         std::vector<std::pair<int, EntryFields>>{{0, {"LED", "850", "-", "-3", "40", "-", "-", "-", "-", ""}},
                                                  {1, {"G.652", "1550", "-", "-", "-", "0,1", "17", "0,35", "-", ""}},
                                                  {2, {"PIN", "1550", "-", "-", "-", "-", "-", "-", "-30", ""}}}) {
        state->library.append(buildLibraryEntry(type, fields));
    }
    shown(main());
    desk.modalActions.push_back([](QDialog& student) {
        shown(student);
        type("Jan");
        press(Qt::Key_Tab);
        type("Novak");
        press(Qt::Key_Return);
    });
    press(Qt::ControlModifier | Qt::Key_T);
    shown(main());  // back, as the desktop does when a dialog closes
    desk.modalActions.push_back([this](QDialog& library) {
        shown(library);  // in the sources
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        desk.modalActions.push_back([&library](QDialog& length) {
            shown(length);
            type("12.5");
            press(Qt::Key_Return);
            shown(library);
        });
        for (int list = 0; list < 2; ++list) {  // the fibres, the detectors
            press(Qt::Key_Tab, 3);
            press(Qt::Key_Down);
            press(Qt::Key_Return);
        }
        press(Qt::Key_F2);  // the detector in the editor
        press(Qt::Key_Escape);
    });
    press(Qt::ControlModifier | Qt::Key_K);
    shown(main());
    EXPECT_EQ(desk.texts("modal"), (Names{"Form5", "Form2", "Form4", "Form3"}));
    EXPECT_EQ(route().cell(2, 9), "12,5");
    EXPECT_EQ(control<GridView>(main(), "seznam").selection()->left, 3);  // the detector just added

    press(Qt::Key_F5);
    EXPECT_TRUE(control<QStatusBar>(main(), "StatusBar1").currentMessage().contains("zachytí"));
    for (int i = 0; i < 20 && QApplication::focusWidget()->objectName() != "Memo1"; ++i) press(Qt::Key_Tab);
    type("Trasa vyhovuje.");
    press(Qt::ControlModifier | Qt::Key_P);
    desk.fileNames = {path("novak.trasa")};
    press(Qt::ControlModifier | Qt::Key_S);
    EXPECT_EQ(desk.texts("warning"), Names{});  // the names were given
    EXPECT_EQ(desk.viewed.size(), 1u);          // the report written and shown
    EXPECT_EQ(std::filesystem::file_size(path("novak.trasa")), 3u * 2816u);
}

TEST_F(UiTest, EveryInputTableAndButtonHasTheNameItsCaptionShowsAndTheGraphsTheirEndValues) {
    const auto name = [](const QWidget& w) {
        return fromQ(QAccessible::queryAccessibleInterface(const_cast<QWidget*>(&w))->text(QAccessible::Name));
    };
    Names unnamed;
    for (const QWidget* window : std::initializer_list<const QWidget*>{
             forms->Form1.get(), forms->Form2.get(), forms->Form3.get(), forms->Form4.get(), forms->Form5.get()}) {
        for (const QWidget* w : window->findChildren<QWidget*>()) {
            if (w->focusPolicy() != Qt::NoFocus && !w->objectName().isEmpty() && !w->objectName().startsWith("qt_") &&
                name(*w).empty())
                unnamed.push_back(fromQ(window->objectName() + "." + w->objectName()));
        }
    }
    EXPECT_EQ(unnamed, Names{});
    EXPECT_EQ(name(control<QWidget>(main(), "Memo1")), "Závěr");
    EXPECT_EQ(name(control<QWidget>(*forms->Form2, "SpeedButton1")), "Přidej vybraný zdroj do trasy (Enter v seznamu)");
    EXPECT_EQ(name(control<QWidget>(*forms->Form3, "Edit6")), "PMD [ps/(km^0,5)]");

    completeRoute(route());
    main().ToolButton11Click();
    EXPECT_EQ(fromQ(control<QWidget>(main(), "Image3").accessibleDescription()),
              "Polarizační vidová disperze podél trasy; na konci trasy 0,32 ps.");
}
