#include "app/ui/student_dialog.h"
#include "eval/ui/graph_window.h"
#include "library/ui/component_editor.h"
#include "library/ui/fibre_length_dialog.h"
#include "library/ui/library_window.h"
#include "platform/gui/qtext.h"
#include "platform/ui/fonts.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/image_view.h"
#include "platform/ui/qt_desk.h"
#include "test_files.h"
#include "ui_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>
#include <functional>

using namespace lumor;

namespace {

void completeRoute(RouteList& r) {
    r.appendComponent(component("Zdroj", "LED", "-", "3", "2"));
    r.appendComponent(component("Vlákno", "G.652", "2,5", "-", "-", "0,1", "17", "10"));
    r.appendComponent(component("Konektor", "SC", "0,5"));
    r.appendComponent(component("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "-30"));
}

/// The texts of a window's named controls that are wider, in the control's own font, than
/// the room the control's geometry gives them: "name: text (needs n, has m)". A label's room
/// ends where the next control on its right begins.
std::vector<std::string> cutTexts(const QWidget& window) {
    std::vector<std::string> cut;
    auto check = [&](const QWidget& w, const QString& text, int room, const QFontMetrics& fm) {
        const int need = fm.horizontalAdvance(text);
        if (!text.isEmpty() && need > room) {
            cut.push_back(fromQ(w.objectName()) + ": " + fromQ(text) + " (needs " + std::to_string(need) + ", has " +
                          std::to_string(room) + ")");
        }
    };
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QStringLiteral("qt_"))) continue;
        const QStyle* style = w->style();
        if (const auto* l = qobject_cast<const QLabel*>(w)) {
            int room = std::min(l->contentsRect().width(), l->parentWidget()->width() - l->x());
            for (const QWidget* s : l->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const bool sameRow = s->y() < l->y() + l->height() && l->y() < s->y() + s->height();
                if (s != l && s->isVisibleTo(&window) && sameRow && s->x() > l->x())
                    room = std::min(room, s->x() - l->x());
            }
            check(*l, l->text(), room, l->fontMetrics());
        } else if (const auto* b = qobject_cast<const QPushButton*>(w)) {
            QStyleOptionButton opt;
            opt.initFrom(b);
            int room = style->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width();
            if (!b->icon().isNull()) room -= b->iconSize().width() + 4;
            check(*b, b->text(), room, b->fontMetrics());
        } else if (const auto* c = qobject_cast<const QComboBox*>(w)) {
            QStyleOptionComboBox opt;
            opt.initFrom(c);
            const int room = style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c).width();
            for (int i = 0; i < c->count(); ++i) check(*c, c->itemText(i), room, c->fontMetrics());
        } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
            check(*g, g->title(), g->width() - 16, g->fontMetrics());
        } else if (const auto* t = qobject_cast<const QTableView*>(w)) {
            const int margins = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, t);
            const QHeaderView* rows = t->verticalHeader();
            const QHeaderView* cols = t->horizontalHeader();
            for (int r = 0; r < t->model()->rowCount(); ++r) {
                check(*t, t->model()->headerData(r, Qt::Vertical).toString(), rows->width() - margins,
                      rows->fontMetrics());
            }
            for (int c = 0; c < t->model()->columnCount(); ++c) {
                check(*t, t->model()->headerData(c, Qt::Horizontal).toString(), cols->sectionSize(c) - margins,
                      cols->fontMetrics());
            }
        }
    }
    return cut;
}

}  // namespace

TEST_F(UiTest, StartUpCreatesTheWindowsInOrderAndWarnsWithoutTheStandardLibrary) {
    ASSERT_EQ(startupShown.size(), 1u);
    EXPECT_EQ(startupShown[0].kind, "warning");
    EXPECT_EQ(startupShown[0].text.rfind("Soubor „Komponenty/stdkmp.komp“ nelze otevřít: soubor neexistuje.", 0), 0u);
    EXPECT_EQ(state->library.count(), 0);
    EXPECT_EQ(state->library.colCount(), 2);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Lumor"));
    for (const char* name : {"SpeedButton2", "SpeedButton3", "SpeedButton4", "ToolButton7"}) {
        auto* b = main().findChild<QToolButton*>(QString::fromUtf8(name));
        ASSERT_TRUE(b) << name;
        EXPECT_FALSE(b->isEnabled()) << name;
    }
    EXPECT_EQ(route().colCount(), 2);
    EXPECT_EQ(control<GridView>(main(), "seznam").model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("1."));
    EXPECT_EQ(control<GridView>(main(), "seznam").model()->headerData(8, Qt::Vertical).toString(),
              QStringLiteral("délka vlákna [km]"));
}

TEST_F(UiTest, MainWindowControlsSitWhereTheLayoutPutsThem) {
    struct Place {
        const char* name;
        QRect rect;
    };
    const Place places[] = {
        {"Panel2", {8, 56, 337, 43}},         {"seznam", {8, 141, 985, 268}},
        {"SpeedButton2", {312, 423, 23, 22}}, {"SpeedButton3", {641, 423, 23, 22}},
        {"SpeedButton4", {969, 423, 23, 22}}, {"GroupBox1", {8, 448, 329, 297}},
        {"GroupBox2", {344, 448, 321, 297}},  {"GroupBox3", {672, 448, 321, 297}},
        {"att", {8, 16, 313, 273}},           {"Image2", {8, 16, 305, 273}},
        {"Image3", {8, 16, 305, 273}},        {"Memo1", {8, 792, 667, 78}},
    };
    for (const auto& p : places) {
        auto* w = main().findChild<QWidget*>(QString::fromUtf8(p.name));
        ASSERT_TRUE(w) << p.name;
        EXPECT_EQ(w->geometry(), p.rect) << p.name;
    }
    EXPECT_EQ(control<QLabel>(main(), "Label1").pos(), QPoint(8, 112));
    EXPECT_EQ(control<QLabel>(main(), "Label12").pos(), QPoint(8, 766));
    EXPECT_EQ(control<QLabel>(main(), "Label7").pos(), QPoint(224, 8));
    EXPECT_EQ(main().findChild<QToolButton*>(QStringLiteral("ToolButton11"))->toolTip(),
              QStringLiteral("Vykresli grafy (F5)"));
    EXPECT_EQ(main().findChild<QWidget*>(QStringLiteral("ToolButton4"))->width(), 28);
    EXPECT_EQ(main().findChild<QWidget*>(QStringLiteral("ToolButton9"))->width(), 27);
    EXPECT_EQ(control<QLabel>(main(), "Label6").palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(control<QGroupBox>(main(), "GroupBox1").title(), QStringLiteral("Útlum"));
}

TEST_F(UiTest, InASmallWindowOnlyTheContentsScrollNotTheToolBar) {
    main().setGeometry(0, 0, 800, 600);
    main().show();
    auto& bar = control<QToolBar>(main(), "ToolBar1");
    auto& scroller = control<QScrollArea>(main(), "scroller");
    auto& grid = control<GridView>(main(), "seznam");
    EXPECT_EQ(grid.mapTo(&main(), QPoint(0, 0)), QPoint(8, 141));  // the layout's place in the window
    scroller.verticalScrollBar()->setValue(scroller.verticalScrollBar()->maximum());
    EXPECT_GT(scroller.verticalScrollBar()->value(), 200);
    EXPECT_LT(grid.mapTo(&main(), QPoint(0, 0)).y(), 141 - 200);
    EXPECT_EQ(bar.geometry(), QRect(0, 0, 800, 29));
    EXPECT_TRUE(bar.isVisible());
    // Below the contents, the status line with the last draw's verdict.
    auto& status = control<QStatusBar>(main(), "StatusBar1");
    EXPECT_EQ(scroller.geometry(), QRect(0, 29, 800, 600 - 29 - status.height()));
    EXPECT_EQ(status.geometry().bottom(), 599);
    main().hide();
}

TEST_F(UiTest, NewAndOpenOfferToSaveAChangedRouteAndReplaceAnUnchangedOneAtOnce) {
    completeRoute(route());
    ASSERT_TRUE(route().save(path("four.trasa")));
    main().drawGraphs();
    desk.clear();
    auto& report = control<QToolButton>(main(), "ToolButton7");
    // Changed since the window last saved it: "Zrušit" changes nothing, the buttons included.
    desk.choices = {Choice::Cancel};
    main().newRoute();
    EXPECT_EQ(desk.texts("choice"), std::vector<std::string>{"Optická trasa byla změněna. Chcete ji nejprve uložit?"});
    EXPECT_EQ(route().count(), 4);
    EXPECT_TRUE(report.isEnabled());

    // A picture is no route: refused, naming it, before anything is asked.
    ASSERT_TRUE(QImage(60, 40, QImage::Format_RGB32).save(toQ(path("obrázek.trasa")), "BMP"));
    desk.fileNames = {path("obrázek.trasa")};
    desk.clear();
    main().openRoute();
    EXPECT_EQ(desk.texts("warning"),
              std::vector<std::string>{"Soubor „" + path("obrázek.trasa") +
                                       "“ není optická trasa: žádný jeho záznam nemá známý typ komponenty (Zdroj, "
                                       "Vlákno, Detektor, Konektor, Zesilovač). Trasa zůstala beze změny."});
    EXPECT_TRUE(desk.texts("choice").empty());
    EXPECT_EQ(route().count(), 4);

    // "Ano" saves the changed route first, then the file opens.
    desk.choices = {Choice::Yes};
    desk.fileNames = {path("four.trasa"), path("moje.trasa")};
    main().openRoute();
    EXPECT_EQ(std::filesystem::file_size(path("moje.trasa")), 4u * 2816u);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("four.trasa — Lumor"));
    EXPECT_FALSE(report.isEnabled());

    // Unchanged: New empties it without a question, and an empty route as well, silently.
    desk.clear();
    main().newRoute();
    main().newRoute();
    EXPECT_TRUE(desk.shown.empty());
    EXPECT_EQ(route().count(), 0);
    EXPECT_FALSE(control<QToolButton>(main(), "SpeedButton2").isEnabled());
}

TEST_F(UiTest, CtrlSWritesToTheRoutesOwnFileWithoutAskingAndSaveAsAsks) {
    main().show();
    QApplication::setActiveWindow(&main());
    const auto press = [&](QKeyCombination key) { QTest::keyClick(&main(), key.key(), key.keyboardModifiers()); };
    press(Qt::ControlModifier | Qt::Key_S);
    EXPECT_EQ(desk.texts("information"), std::vector<std::string>{"Seznam je prázdný"});
    completeRoute(route());
    desk.fileNames = {path("novák.trasa"), path("kopie.trasa")};
    press(Qt::ControlModifier | Qt::Key_S);  // no file yet: asks
    route().appendComponent(testroutes::detector("-28"));
    press(Qt::ControlModifier | Qt::Key_S);  // its own file: written at once
    EXPECT_EQ(std::filesystem::file_size(path("novák.trasa")), 5u * 2816u);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("novák.trasa — Lumor"));
    EXPECT_EQ(control<QStatusBar>(main(), "StatusBar1").currentMessage(),
              toQ("Uloženo do „" + path("novák.trasa") + "“."));
    press(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_S);  // asks, starting at the route's file
    EXPECT_EQ(desk.texts("save"), (std::vector<std::string>{"", path("novák.trasa")}));
    EXPECT_EQ(std::filesystem::file_size(path("kopie.trasa")), 5u * 2816u);
    EXPECT_EQ(desk.texts("information").size(), 1u);  // no "Uloženo" to click away
}

TEST_F(UiTest, DrawRefusesIncompleteRoutes) {
    main().drawGraphs();
    route().appendComponent(component("Zdroj", "LED"));
    route().appendComponent(component("Konektor", "SC", "0,5"));
    main().drawGraphs();
    const std::string rule = " Trasa musí začínat zdrojem a končit detektorem.";
    EXPECT_EQ(
        desk.texts("warning"),
        (std::vector<std::string>{"Trasa není úplná: je prázdná." + rule,
                                  "Trasa není úplná: v posledním sloupci (2) je Konektor „SC“, ne detektor." + rule}));
    EXPECT_FALSE(control<QToolButton>(main(), "SpeedButton2").isEnabled());
    EXPECT_FALSE(control<QToolButton>(main(), "ToolButton7").isEnabled());
    // A misspelled type is drawn as before, and said.
    route().replaceComponent(1, component("Zdroj", "LED", "-", "3", "2"));
    route().appendComponent(component("Vlakno", "G.652", "0,5"));
    route().appendComponent(component("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "-30"));
    desk.clear();
    main().drawGraphs();
    ASSERT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_TRUE(desk.texts("warning")[0].starts_with("Komponenta ve sloupci 3 („Vlakno“) má neznámý typ"));
    EXPECT_TRUE(control<QToolButton>(main(), "ToolButton7").isEnabled());
}

TEST_F(UiTest, EnlargeDoesNothingWithAtMostOneComponent) {
    route().appendComponent(component("Zdroj", "LED"));
    main().enlargeAttenuation();
    main().enlargeCd();
    main().enlargePmd();
    EXPECT_TRUE(desk.shown.empty());
}

TEST_F(UiTest, ConclusionKeepsItsFirstFiveLinesAndSaysSo) {
    auto& memo = control<QPlainTextEdit>(main(), "Memo1");
    memo.setPlainText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8"));
    EXPECT_EQ(control<QPlainTextEdit>(main(), "Memo1").toPlainText(), QStringLiteral("1\n2\n3\n4\n5"));
    memo.moveCursor(QTextCursor::End);
    QTest::keyClick(&memo, Qt::Key_Return);  // a sixth line typed
    EXPECT_EQ(memo.toPlainText(), QStringLiteral("1\n2\n3\n4\n5"));
    EXPECT_EQ(control<QLabel>(main(), "Label13").text(),
              QStringLiteral("Závěr má nejvýš pět řádků; šestý řádek nelze přidat."));
    QTest::keyClicks(&memo, QStringLiteral("."));
    EXPECT_EQ(control<QLabel>(main(), "Label13").text(), QString());
    control<QPlainTextEdit>(main(), "Memo1").setPlainText(QString(700, QLatin1Char('x')));
    EXPECT_EQ(control<QPlainTextEdit>(main(), "Memo1").toPlainText().size(), 550);
}

TEST_F(UiTest, LengthFieldRefusesATypedLetterVisiblyAndKeepsTheCursor) {
    QLineEdit& field = control<QLineEdit>(*forms->lengthDialog, "Edit1");
    field.setText(QStringLiteral("12"));
    field.setCursorPosition(1);
    field.insert(QStringLiteral("a"));
    EXPECT_EQ(field.text(), QStringLiteral("12"));
    EXPECT_EQ(field.cursorPosition(), 1);
    EXPECT_EQ(control<QLabel>(*forms->lengthDialog, "Label3").text(),
              QStringLiteral("„a“ do čísla nepatří: pište číslice a desetinnou čárku."));
    field.insert(QStringLiteral(",5"));
    EXPECT_EQ(field.text(), QStringLiteral("1,52"));
}

TEST_F(UiTest, DoubleClickOpensTheLengthDialogOnlyOnAFibresLengthCell) {
    completeRoute(route());
    selectCell(control<GridView>(main(), "seznam"), 3, 9);  // the connector's length
    main().changeClickedLength();
    selectCell(control<GridView>(main(), "seznam"), 2, 8);  // the fibre's CD
    main().changeClickedLength();
    EXPECT_TRUE(desk.shown.empty());

    selectCell(control<GridView>(main(), "seznam"), 2, 9);
    desk.modalActions.push_back([](QDialog& d) {
        auto& dlg = static_cast<FibreLengthDialog&>(d);
        EXPECT_TRUE(control<QPushButton>(dlg, "Button2").isEnabled());
        EXPECT_FALSE(control<QPushButton>(dlg, "Button1").isEnabled());
        control<QLineEdit>(dlg, "Edit1").setText(QStringLiteral("20"));
        control<QPushButton>(dlg, "Button2").click();
    });
    main().changeClickedLength();
    EXPECT_EQ(forms->lengthDialog->changedFibreIndex(), 2);
    EXPECT_EQ(route().cell(2, 9), "20");
    EXPECT_EQ(route().cell(2, 4), "5");
}

TEST_F(UiTest, AnExceptionFromAHandlerReachesTheExceptionBox) {
    completeRoute(route());
    FibreLengthDialog& dlg = *forms->lengthDialog;
    dlg.setChangeMode(2);
    control<QLineEdit>(dlg, "Edit1").setText(QStringLiteral(","));
    control<QPushButton>(dlg, "Button2").click();
    ASSERT_EQ(desk.shown.size(), 1u);
    EXPECT_EQ(desk.shown[0].kind, "exception");
    EXPECT_EQ(desk.shown[0].title, "Lumor");
    EXPECT_EQ(desk.shown[0].text, "',' is not a valid floating point value.");
    EXPECT_EQ(route().cell(2, 9), "10");  // nothing replaced
}

TEST_F(UiTest, StudentDialogCopiesItsFieldsToTheMainWindow) {
    StudentDialog& s = *forms->studentDialog;
    control<QLineEdit>(s, "Edit1").setText(QStringLiteral("Jan"));
    control<QLineEdit>(s, "Edit2").setText(QStringLiteral("Novák"));
    control<QLineEdit>(s, "Edit3").setText(QStringLiteral("1. 12. 2026"));
    control<QLineEdit>(s, "Edit4").setText(QStringLiteral("2B"));
    control<QToolButton>(s, "SpeedButton1").click();
    EXPECT_EQ(control<QLabel>(main(), "Label7").text(), QStringLiteral("Jan"));
    EXPECT_EQ(control<QLabel>(main(), "Label6").text(), QStringLiteral("Novák"));
    EXPECT_EQ(control<QLabel>(main(), "Label10").text(), QStringLiteral("1. 12. 2026"));
    EXPECT_EQ(control<QLabel>(main(), "Label11").text(), QStringLiteral("2B"));
    control<QLineEdit>(s, "Edit1").clear();
    QTest::keyClick(&control<QLineEdit>(s, "Edit2"), Qt::Key_Return);  // Enter confirms too
    EXPECT_EQ(control<QLabel>(main(), "Label7").text(), QString());
}

TEST_F(UiTest, ALengthIsTakenAsTypedIntoTheFieldTheDialogOffers) {
    route().appendComponent(testroutes::source("3", "2"));
    route().appendComponent(testroutes::fibre("10", "2,5", "17", "0,1"));
    route().appendComponent(testroutes::fibre("4", "1", "17", "0,1"));
    route().appendComponent(testroutes::detector("-30"));
    QLineEdit& field = control<QLineEdit>(*forms->lengthDialog, "Edit1");
    // Double-clicks fibre k's length; the dialog offers that length whole and selected, the
    // student types, and Enter presses "Změň".
    auto change = [&](int k, const char* offered, const std::function<void()>& type) {
        selectCell(control<GridView>(main(), "seznam"), k, 9);
        desk.modalActions.push_back([&, offered, type](QDialog& d) {
            EXPECT_EQ(d.focusWidget(), &field);
            EXPECT_EQ(field.text(), QString::fromUtf8(offered));
            EXPECT_EQ(field.selectedText(), field.text());
            type();
            QTest::keyClick(&field, Qt::Key_Return);
        });
        main().changeClickedLength();
    };
    change(3, "4", [&] { QTest::keyClicks(&field, QStringLiteral("12.5")); });
    EXPECT_EQ(route().cell(3, 9), "12,5");
    change(2, "10", [&] {
        QTest::mouseClick(&field, Qt::LeftButton);  // a click into the offered field
        QTest::keyClicks(&field, QStringLiteral("8,25"));
    });
    EXPECT_EQ(route().cell(2, 9), "8,25");
    change(2, "8,25", [&] {
        QTest::keyClicks(&field, QStringLiteral("0"));
        QTest::keyClick(&field, Qt::Key_Return);  // refused: the field is offered again
        EXPECT_EQ(desk.texts("warning"), std::vector<std::string>{"Zadejte délku vlákna znovu"});
        EXPECT_EQ(field.selectedText(), QStringLiteral("0"));
        QTest::keyClicks(&field, QStringLiteral("3"));
    });
    EXPECT_EQ(route().cell(2, 9), "3");
}

TEST_F(UiTest, ClosingAsksOnlyWhenWorkWouldBeLost) {
    EXPECT_TRUE(main().close());  // nothing changed: at once
    EXPECT_TRUE(desk.shown.empty());

    completeRoute(route());
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Nová trasa* — Lumor"));
    desk.choices = {Choice::Cancel, Choice::Yes, Choice::Yes};
    desk.fileNames = {std::nullopt, path("novák.trasa")};
    EXPECT_FALSE(main().close());  // Zrušit
    EXPECT_FALSE(main().close());  // Ano, but the save dialog cancelled
    EXPECT_TRUE(main().close());   // Ano, saved
    EXPECT_EQ(desk.texts("choice").size(), 3u);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("novák.trasa — Lumor"));

    // The conclusion lives only in the report: closing without one asks.
    QTest::keyClicks(&control<QPlainTextEdit>(main(), "Memo1"), QStringLiteral("Trasa vyhovuje."));
    desk.answers = {false, true};
    EXPECT_FALSE(main().close());
    EXPECT_TRUE(main().close());
    EXPECT_EQ(desk.texts("question").size(), 2u);
    route().appendComponent(testroutes::detector("-28"));
    EXPECT_EQ(main().windowTitle(), QStringLiteral("novák.trasa* — Lumor"));
    // Undone back to the saved route: nothing to save, nothing asked.
    control<QToolButton>(main(), "ToolButton12").click();
    EXPECT_EQ(main().windowTitle(), QStringLiteral("novák.trasa — Lumor"));
    EXPECT_EQ(control<QToolButton>(main(), "ToolButton13").toolTip(),
              QStringLiteral("Znovu: přidat Detektor PIN (Ctrl+Y)"));
    desk.clear();
    desk.answers = {true};  // only the conclusion without a report is asked about
    EXPECT_TRUE(main().close());
    EXPECT_TRUE(desk.texts("choice").empty());
    desk.choices = {Choice::No};
    desk.answers = {true};
    control<QToolButton>(main(), "ToolButton13").click();
    EXPECT_TRUE(main().close());  // Ne: closes without saving
    EXPECT_EQ(desk.texts("choice").size(), 1u);
}

TEST_F(UiTest, ReportWithoutANameWarnsAndShowsTheStudentDialog) {
    completeRoute(route());
    main().drawGraphs();
    desk.clear();
    main().writeReport();
    ASSERT_EQ(desk.shown.size(), 2u);
    EXPECT_EQ(desk.shown[0].text, "Nejsou vyplněny požadované údaje v okně student");
    EXPECT_EQ(desk.shown[1].kind, "modal");
    EXPECT_EQ(desk.shown[1].text, "Form5");
}

/// The report folder as a program killed while writing a report leaves it: the new page under
/// its temporary name and the journal of its rename, and a dead draw's picture.
class InterruptedReportTest : public UiTest {
protected:
    void prepare() override {
        const std::filesystem::path folder = dir / "bin" / "Protokol";
        writeBytes(folder / "Protokol.html", "old page");
        writeBytes(folder / ".Protokol.html.0123456789ab.lumor-tmp", "new page");
        writeBytes(folder / ".att.bmp.ba9876543210.lumor-tmp", "a dead draw's picture");
        writeBytes(folder / ".lumor-journal",
                   "lumor-journal 1\nforward\nProtokol.html .Protokol.html.0123456789ab.lumor-tmp -\n");
    }
};

TEST_F(InterruptedReportTest, StartUpCompletesTheSetAndRemovesWhatTheDeadWriterLeft) {
    EXPECT_EQ(bytesOf(dir / "bin" / "Protokol" / "Protokol.html"), "new page");
    const std::filesystem::directory_iterator left(dir / "bin" / "Protokol");
    EXPECT_EQ(std::distance(begin(left), end(left)), 1);
}

class StandardCatalogueTest : public UiTest {
protected:
    void prepare() override {
        namespace fs = std::filesystem;
        fs::create_directories("Komponenty");
        fs::copy_file(fs::path(fromQ(QCoreApplication::applicationDirPath())) / "Komponenty" / "stdkmp.komp",
                      "Komponenty/stdkmp.komp");
    }
};

TEST_F(StandardCatalogueTest, EveryControlOfTheEightWindowsShowsItsWholeText) {
    forms->libraryWindow->rebuildCategoryLists();
    ASSERT_GT(categoryList(*forms->libraryWindow, 0).count(), 3);
    const QWidget* windows[] = {forms->mainWindow.get(),      forms->libraryWindow.get(),  forms->componentEditor.get(),
                                forms->lengthDialog.get(),    forms->studentDialog.get(),  forms->graphWindows[0].get(),
                                forms->graphWindows[1].get(), forms->graphWindows[2].get()};
    for (const QWidget* w : windows) EXPECT_EQ(cutTexts(*w), std::vector<std::string>{}) << fromQ(w->objectName());
}

TEST(QtTexts, MessageBoxesAndFileDialogsSpeakCzech) {
    const auto shown = [](QAbstractButton* b) { return b ? b->text().remove(QLatin1Char('&')) : QStringLiteral("?"); };
    QMessageBox question(QMessageBox::Question, QStringLiteral("Dotaz"), QStringLiteral("Opravdu?"),
                         QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(shown(question.button(QMessageBox::Yes)), QStringLiteral("Ano"));
    EXPECT_EQ(shown(question.button(QMessageBox::No)), QStringLiteral("Ne"));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons);
    EXPECT_EQ(shown(buttons->button(QDialogButtonBox::Cancel)), QStringLiteral("Zrušit"));
    EXPECT_EQ(shown(buttons->button(QDialogButtonBox::Save)), QStringLiteral("Uložit"));
}

TEST(QtDeskFolders, FileDialogsStartInTheDocumentsThenWhereTheLastFileWas) {
    const std::string home = (std::filesystem::temp_directory_path() / "lumor_home").string();
    std::filesystem::create_directories(home + "/Documents");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home));
    QtDesk desk;
    EXPECT_EQ(desk.dialogFolder(kRouteFilter, {}), home + "/Documents");  // never the program's folder
    desk.remember(kRouteFilter, home + "/trasy/novák.trasa");
    EXPECT_EQ(desk.dialogFolder(kRouteFilter, {}), home + "/trasy");
    EXPECT_EQ(desk.dialogFolder(kLibraryFilter, {}), home + "/Documents");
    EXPECT_EQ(desk.dialogFolder(kRouteFilter, "/srv/x/y.trasa"), "/srv/x");  // the route's own file
    qputenv("HOME", oldHome);
}

TEST_F(UiTest, F1OpensTheGuideWithTheReportFolderAndTheAboutBox) {
    main().show();
    QApplication::setActiveWindow(&main());
    desk.modalActions.push_back([](QDialog& help) {
        const QString guide = control<QTextBrowser>(help, "HelpText").toPlainText();
        EXPECT_TRUE(guide.contains(QStringLiteral("Rychlý start")) &&
                    guide.contains(QStringLiteral("Verdikt a přenosová rychlost")));
        EXPECT_TRUE(guide.contains(QStringLiteral("bin/Protokol"))) << guide.toStdString();
        control<QPushButton>(help, "AboutButton").click();
    });
    QTest::keyClick(&main(), Qt::Key_F1);
    ASSERT_EQ(desk.shown.size(), 2u);
    EXPECT_EQ(desk.shown[0].title, "Nápověda");
    EXPECT_EQ(desk.shown[1].title, "O programu");
    EXPECT_EQ(desk.shown[1].text.rfind("Tento program vytvořil\r\n", 0), 0u);
}

TEST_F(UiTest, ToolBarCommandsAreActionsSharedByButtonAndShortcut) {
    const std::pair<const char*, QKeySequence::StandardKey> shortcuts[] = {
        {"ToolButton1", QKeySequence::New}, {"ToolButton2", QKeySequence::Open}, {"ToolButton3", QKeySequence::Save}};
    for (const auto& [name, key] : shortcuts) {
        QAction* action = control<QToolButton>(main(), name).defaultAction();
        ASSERT_TRUE(action) << name;
        EXPECT_EQ(action->shortcut(), QKeySequence(key)) << name;
        EXPECT_TRUE(main().actions().contains(action)) << name;  // the shortcut works anywhere in the window
    }
    // The report command is disabled as one: button and action together.
    QToolButton& report = control<QToolButton>(main(), "ToolButton7");
    EXPECT_FALSE(report.defaultAction()->isEnabled());
    completeRoute(route());
    main().drawGraphs();
    EXPECT_TRUE(report.defaultAction()->isEnabled());
    EXPECT_TRUE(report.isEnabled());
}

TEST_F(UiTest, FilesGivenOnTheCommandLineOpenAsTheOpenCommandsOpenThem) {
    completeRoute(route());
    ASSERT_TRUE(route().save(path("novák.trasa")));
    route().clearRoute();
    LibraryEntry connector;
    setTypeCode(connector, 3);
    setSlotText(connector, LibrarySlot::Label, "SC");
    writeBytes(path("moje.komp"), std::string(connector.image.begin(), connector.image.end()));
    desk.clear();

    openCommandLineFiles(*forms, {path("novák.trasa"), path("moje.komp")});
    EXPECT_EQ(route().count(), 4);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("novák.trasa — Lumor"));
    EXPECT_EQ(state->library.count(), 1);
    EXPECT_EQ(state->library.cell(1, 2), "SC");
    EXPECT_TRUE(desk.texts("open").empty());                                // no dialog: the files are given
    EXPECT_TRUE(control<QToolButton>(main(), "ToolButton12").isEnabled());  // opening can be undone

    // A file that cannot be read leaves what is there and asks nothing.
    route().appendComponent(testroutes::detector("-28"));
    openCommandLineFiles(*forms, {path("chybí.trasa")});
    EXPECT_TRUE(desk.texts("choice").empty());
    EXPECT_EQ(desk.texts("warning"), std::vector<std::string>{"Soubor „" + path("chybí.trasa") +
                                                              "“ nelze otevřít: soubor neexistuje. Trasa zůstala "
                                                              "beze změny."});
    EXPECT_EQ(route().count(), 5);
}

TEST(FormFonts, AStyleSheetGivesEachNamedControlItsFontAndRefusesWhatItCannotSet) {
    QWidget form;
    form.setObjectName(QStringLiteral("Form9"));
    auto* caption = new QLabel(new QWidget(&form));
    caption->setObjectName(QStringLiteral("Caption"));
    applyFormFonts(form, QStringLiteral("/* Designer */ #Form9 { font: 11px \"Liberation Sans\"; }\n"
                                        "QLabel#Caption { font: bold 16px \"No Such Family\", \"Liberation Sans\"; }"));
    EXPECT_EQ(caption->font().pixelSize(), 16);
    EXPECT_TRUE(caption->font().bold());
    EXPECT_EQ(caption->font().family(), form.font().family());   // the first family installed
    EXPECT_EQ(caption->parentWidget()->font().pixelSize(), 11);  // an unnamed control inherits
    for (const char* sheet : {"#Missing { font: 11px \"Liberation Sans\"; }", "#Caption { color: red; }",
                              "#Caption { font: 11pt \"Liberation Sans\"; }", "Caption { font: 11px \"A\"; }",
                              "#Caption { font: 11px \"A\"; } stray"}) {
        EXPECT_THROW(applyFormFonts(form, QString::fromUtf8(sheet)), std::logic_error) << sheet;
    }
}

TEST_F(UiTest, FormsLoadTheirIconsAndTheWindowsTellEachOtherThroughSignals) {
    // The icons come from the resource through Qt's SVG engine: a missing one draws nothing.
    for (const char* name : {"ToolButton1", "ToolButton11", "SpeedButton2"}) {
        EXPECT_FALSE(control<QToolButton>(main(), name).icon().pixmap(16, 16).isNull()) << name;
    }
    EXPECT_FALSE(control<QPushButton>(*forms->libraryWindow, "BitBtn1").icon().pixmap(16, 16).isNull());
    EXPECT_EQ(control<QLabel>(*forms->componentEditor, "Label11").font().pixelSize(), 16);

    // An entry the editor adds reaches the library window's category lists.
    editorField(*forms->componentEditor, 0).setText(QStringLiteral("LED"));
    for (int s : {1, 3, 4}) editorField(*forms->componentEditor, s).setText(QStringLiteral("1"));  // a source's numbers
    control<QPushButton>(*forms->componentEditor, "Button1").click();
    EXPECT_EQ(categoryList(*forms->libraryWindow, 0).count(), 1);
}

TEST_F(UiTest, AnyComponentIsRemovedMovedAndRelengthedInTheRouteTableAndEveryStepUndone) {
    completeRoute(route());  // LED, G.652 (10 km, 2,5 dB), SC, PIN
    auto& grid = control<GridView>(main(), "seznam");
    auto& undo = control<QToolButton>(main(), "ToolButton12");
    auto& redo = control<QToolButton>(main(), "ToolButton13");
    const auto snapshot = [&] { return routeSnapshot(route()); };
    const auto four = snapshot();

    selectCell(grid, 2, 3);
    QTest::keyClick(&grid, Qt::Key_Delete);  // the fibre, from the middle
    EXPECT_EQ(route().count(), 3);
    EXPECT_EQ(route().cell(2, 2), "SC");
    const auto three = snapshot();
    QTest::keyClick(&grid, Qt::Key_Right, Qt::ControlModifier);  // SC, still selected, one to the right
    EXPECT_EQ(route().cell(3, 2), "SC");
    EXPECT_EQ(route().cell(2, 2), "PIN");
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Nová trasa* — Lumor"));

    undo.click();
    EXPECT_EQ(snapshot(), three);
    undo.click();
    EXPECT_EQ(snapshot(), four);
    redo.click();
    EXPECT_EQ(snapshot(), three);
    undo.click();

    // F2 on a fibre asks for its length as a double-click does; undo takes the change back.
    selectCell(grid, 2, 1);
    desk.modalActions.push_back([](QDialog& d) {
        QTest::keyClicks(&control<QLineEdit>(d, "Edit1"), QStringLiteral("20"));
        QTest::keyClick(&control<QLineEdit>(d, "Edit1"), Qt::Key_Return);
    });
    QTest::keyClick(&grid, Qt::Key_F2);
    EXPECT_EQ(route().cell(2, 9), "20");
    undo.click();
    EXPECT_EQ(snapshot(), four);

    // The status line gives the route's verdict after every change, without a draw; a route
    // with no detector at its end gets the reason and blank graphs instead.
    const auto status = [&] { return control<QStatusBar>(main(), "StatusBar1").currentMessage().toStdString(); };
    EXPECT_TRUE(status().find("rezerva 30 dB: signál detektor zachytí") != std::string::npos) << status();
    EXPECT_TRUE(status().find("735 Mbit/s (omezuje ji chromatická disperze)") != std::string::npos) << status();
    selectCell(grid, 4, 1);
    QTest::keyClick(&grid, Qt::Key_Delete);
    EXPECT_TRUE(status().starts_with("Trasa není úplná: v posledním sloupci (3) je Konektor „SC“")) << status();
    EXPECT_EQ(control<ImageView>(main(), "att").picture().pixel(100, 100), qRgb(255, 255, 255));
    undo.click();
    EXPECT_TRUE(status().find("rezerva 30 dB") != std::string::npos) << status();
}
