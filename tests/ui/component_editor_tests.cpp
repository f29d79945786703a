#include "library/library_rules.h"
#include "library/ui/component_editor.h"
#include "library/ui/library_window.h"
#include "platform/gui/qtext.h"
#include "ui_fixture.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace lumor;

namespace {

const char* const kRefusal =
    "V seznamu komponent již existuje komponenta se stejným označením nebo jste nezadali žádné označení";

class ComponentEditorTest : public UiTest {
protected:
    TForm3& editor() { return *forms->Form3; }
    TForm2& lib() { return *forms->Form2; }
    ComponentLibrary& library() { return state->library; }
    const TextTable& libGrid() { return state->library; }
    QLineEdit* edit(int n) { return &editorField(editor(), n - 1); }  // Edit1 .. Edit10

    /// The user picks a type in the selector.
    void pickType(int index) {
        control<QComboBox>(editor(), "ComboBox1").setCurrentIndex(index);
        emit control<QComboBox>(editor(), "ComboBox1").activated(index);
    }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (int n = 1; n <= 10; ++n) out.push_back(fromQ(edit(n)->text()));
        return out;
    }
    std::vector<bool> enabled() {
        std::vector<bool> out;
        for (int n = 1; n <= 10; ++n) out.push_back(edit(n)->isEnabled());
        return out;
    }
    std::vector<std::string> column(int k) {
        std::vector<std::string> out;
        for (int row = 0; row < 12; ++row) out.push_back(libGrid().cell(k, row));
        return out;
    }
    /// Adds an entry of the type whose number fields all hold 1.
    void addThroughEditor(int typeIndex, const std::string& label) {
        pickType(typeIndex);
        edit(1)->setText(toQ(label));
        for (int n = 2; n <= 9; ++n) {
            if (edit(n)->isEnabled()) edit(n)->setText("1");
        }
        control<QPushButton>(editor(), "Button1").click();
    }
};

}  // namespace

TEST_F(ComponentEditorTest, ControlsSitWhereTheLayoutPutsThem) {
    EXPECT_EQ(editor().windowTitle(), "Přidej/Uprav komponentu");
    EXPECT_EQ(editor().size(), QSize(411, 517));
    EXPECT_EQ(control<QFrame>(editor(), "Panel1").geometry(), QRect(0, 0, 411, 517));
    EXPECT_EQ(control<QFrame>(editor(), "Panel1").palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(control<QComboBox>(editor(), "ComboBox1").geometry(), QRect(240, 24, 145, 21));
    EXPECT_EQ(edit(1)->geometry(), QRect(240, 64, 145, 21));
    EXPECT_EQ(edit(8)->geometry(), QRect(240, 344, 145, 21));
    EXPECT_EQ(edit(10)->geometry(), QRect(240, 424, 145, 21));
    EXPECT_EQ(editor().findChild<QLineEdit*>("Edit10"), edit(10));
    EXPECT_EQ(control<QPushButton>(editor(), "Button1").geometry(), QRect(24, 472, 75, 25));
    EXPECT_EQ(control<QPushButton>(editor(), "Button3").geometry(), QRect(160, 472, 75, 25));
    EXPECT_EQ(control<QPushButton>(editor(), "Button2").geometry(), QRect(296, 472, 75, 25));
    EXPECT_EQ(control<QPushButton>(editor(), "Button1").text(), "Přidej");
    EXPECT_EQ(control<QPushButton>(editor(), "Button3").text(), "Uprav");
    EXPECT_EQ(control<QPushButton>(editor(), "Button2").text(), "Zavři");
    auto* typeCaption = editor().findChild<QLabel*>("Label1");
    auto* noteCaption = editor().findChild<QLabel*>("Label11");
    ASSERT_TRUE(typeCaption && noteCaption);
    EXPECT_EQ(typeCaption->text(), "Typ:");
    EXPECT_EQ(typeCaption->pos(), QPoint(24, 24));
    EXPECT_EQ(noteCaption->text(), "Poznámka:");
    EXPECT_EQ(noteCaption->pos(), QPoint(24, 424));
    EXPECT_TRUE(noteCaption->font().bold());
    EXPECT_EQ(noteCaption->font().pixelSize(), 16);
    QStringList items;
    for (int i = 0; i < control<QComboBox>(editor(), "ComboBox1").count(); ++i)
        items << control<QComboBox>(editor(), "ComboBox1").itemText(i);
    EXPECT_EQ(items, QStringList({"Zdroj", "Vlákno", "Detektor", "Konektor", "Zesilovač"}));
    EXPECT_FALSE(control<QComboBox>(editor(), "ComboBox1").isEditable());
}

TEST_F(ComponentEditorTest, CreationLeavesTheFieldsOfASource) {
    EXPECT_EQ(control<QComboBox>(editor(), "ComboBox1").currentIndex(), 0);
    EXPECT_FALSE(control<QPushButton>(editor(), "Button3").isEnabled());
    EXPECT_TRUE(control<QPushButton>(editor(), "Button1").isEnabled());
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, true, true, false, false, false, false, true}));
    EXPECT_EQ(texts(), (std::vector<std::string>{"", "", "-", "", "", "-", "-", "-", "-", ""}));
}

TEST_F(ComponentEditorTest, ChoosingATypeEmptiesItsFieldsAndLeavesLabelAndNote) {
    edit(1)->setText("LED");
    edit(10)->setText("poznámka");
    edit(2)->setText("850");
    edit(4)->setText("-3");
    edit(5)->setText("40");
    pickType(0);  // the same type again
    EXPECT_EQ(texts(), (std::vector<std::string>{"LED", "", "-", "", "", "-", "-", "-", "-", "poznámka"}));

    pickType(3);  // connector
    EXPECT_FALSE(edit(2)->isEnabled());
    EXPECT_EQ(edit(2)->text(), "-");
    EXPECT_EQ(enabled(), (std::vector<bool>{true, false, true, false, false, false, false, false, false, true}));

    pickType(2);  // detector: wavelength and sensitivity only
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, false, false, false, false, false, true, true}));
    EXPECT_EQ(texts(), (std::vector<std::string>{"LED", "", "-", "-", "-", "-", "-", "-", "", "poznámka"}));

    pickType(1);  // fibre
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, false, false, true, true, true, false, true}));
    pickType(4);  // amplifier
    EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, true, false, false, false, false, false, true}));
}

TEST_F(ComponentEditorTest, NumberFieldsTakeAFullStopAsTheCommaAndStoreOnlyNumbers) {
    pickType(1);  // fibre: wavelength, PMD, CD, specific attenuation
    edit(1)->setText("G.652");
    QTest::keyClicks(edit(2), "1310.5");
    QTest::keyClicks(edit(6), "0.06");
    QTest::keyClicks(edit(7), "-1");
    QTest::keyClick(edit(7), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(edit(7), "5");
    const QLabel& hint = control<QLabel>(editor(), "Label12");
    EXPECT_EQ(hint.text(), "");
    // What no number holds is refused whole, and said below the buttons.
    QTest::keyClicks(edit(2), "a");
    QTest::keyClicks(edit(6), ".");
    EXPECT_EQ(hint.text(), "Číslo má jen jednu desetinnou čárku.");
    EXPECT_EQ(texts(), (std::vector<std::string>{"G.652", "1310,5", "-", "-", "-", "0,06", "-1,5", "", "-", ""}));

    // An applicable field left empty, or holding no number, is named and offered again.
    control<QPushButton>(editor(), "Button1").click();
    edit(8)->setText("x");
    control<QPushButton>(editor(), "Button1").click();
    EXPECT_EQ(desk.texts("warning"),
              (std::vector<std::string>{
                  "Pole „Měrný útlum [dB/km]“ je prázdné. Zadejte číslo, komponenta typu Vlákno ho potřebuje.",
                  "V poli „Měrný útlum [dB/km]“ není číslo: „x“. Zadejte číslo s desetinnou čárkou."}));
    EXPECT_EQ(editor().focusWidget(), edit(8));
    EXPECT_EQ(library().count(), 0);
    QTest::keyClicks(edit(8), "0.35");
    control<QPushButton>(editor(), "Button1").click();
    EXPECT_EQ(column(1), (std::vector<std::string>{"1.", "Vlákno", "G.652", "1310,5", "-", "-", "-", "0,06", "-1,5",
                                                   "0,35", "-", ""}));
}

TEST_F(ComponentEditorTest, AddingFillsColumnOneFirstThenAddsColumns) {
    ASSERT_EQ(library().count(), 0);
    pickType(3);
    edit(1)->setText("SC");
    edit(3)->setText("0,5");
    edit(10)->setText("poznámka");
    control<QPushButton>(editor(), "Button1").click();
    EXPECT_TRUE(desk.shown.empty());
    EXPECT_EQ(library().count(), 1);
    EXPECT_EQ(libGrid().colCount(), 2);
    EXPECT_EQ(column(1),
              (std::vector<std::string>{"1.", "Konektor", "SC", "-", "0,5", "-", "-", "-", "-", "-", "-", "poznámka"}));
    // Label and note emptied; the type and the other fields stay for the next entry.
    EXPECT_EQ(texts(), (std::vector<std::string>{"", "-", "0,5", "-", "-", "-", "-", "-", "-", ""}));
    EXPECT_EQ(control<QComboBox>(editor(), "ComboBox1").currentIndex(), 3);
    // The library window's lists follow at once.
    ASSERT_EQ(categoryList(lib(), 3).count(), 1);
    EXPECT_EQ(categoryList(lib(), 3).itemText(0), "SC");
    EXPECT_TRUE(addButton(lib(), 3).isEnabled());

    // Pressed again at once: the label is empty.
    control<QPushButton>(editor(), "Button1").click();
    EXPECT_EQ(desk.texts("warning"), std::vector<std::string>{kRefusal});
    EXPECT_EQ(library().count(), 1);

    edit(1)->setText("FC");
    control<QPushButton>(editor(), "Button1").click();
    EXPECT_EQ(library().count(), 2);
    EXPECT_EQ(libGrid().colCount(), 3);
    EXPECT_EQ(libGrid().cell(2, 2), "FC");
    EXPECT_EQ(libGrid().cell(2, 4), "0,5");
}

TEST_F(ComponentEditorTest, APresentLabelIsRefusedButNearVariantsAreNew) {
    addThroughEditor(0, "LED");
    desk.clear();
    pickType(2);
    edit(1)->setText("LED");
    edit(2)->setText("1550");
    edit(9)->setText("-30");
    edit(10)->setText("pozn.");
    control<QPushButton>(editor(), "Button1").click();
    ASSERT_EQ(desk.shown.size(), 1u);
    EXPECT_EQ(desk.shown[0].kind, "warning");
    EXPECT_EQ(desk.shown[0].title, "");
    EXPECT_EQ(desk.shown[0].text, kRefusal);
    EXPECT_EQ(library().count(), 1);
    EXPECT_EQ(texts(), (std::vector<std::string>{"LED", "1550", "-", "-", "-", "-", "-", "-", "-30", "pozn."}));

    for (const char* label : {"led", " LED", "LED "}) {
        edit(1)->setText(label);
        control<QPushButton>(editor(), "Button1").click();
    }
    EXPECT_EQ(library().count(), 4);
    EXPECT_EQ(libGrid().cell(4, 2), "LED ");
    EXPECT_EQ(desk.texts("warning").size(), 1u);
}

TEST_F(ComponentEditorTest, AThousandthEntryIsRefusedWithAWarning) {
    for (int i = 1; i <= 999; ++i) {
        library().append(buildLibraryEntry(
            3, {std::string("C").append(std::to_string(i)), "-", "0,5", "-", "-", "-", "-", "-", "-", ""}));
    }
    desk.clear();
    pickType(3);
    edit(1)->setText("nový");
    edit(3)->setText("0,3");
    edit(10)->setText("poznámka");
    control<QPushButton>(editor(), "Button1").click();
    ASSERT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_NE(desk.texts("warning")[0].find("999"), std::string::npos);
    EXPECT_EQ(library().count(), 999);
    EXPECT_EQ(libGrid().colCount(), 1000);
    EXPECT_EQ(libGrid().cell(999, 2), "C999");
    EXPECT_EQ(edit(1)->text(), "nový");
    EXPECT_EQ(edit(10)->text(), "poznámka");
}

TEST_F(ComponentEditorTest, UpravMayGiveAnEntryAnotherEntrysLabel) {
    addThroughEditor(0, "A");
    addThroughEditor(0, "B");
    lib().RebuildCategoryLists();
    categoryList(lib(), 0).setCurrentIndex(1);
    emit categoryList(lib(), 0).activated(1);
    desk.modalActions.push_back([&](QDialog&) {
        edit(1)->setText("A");
        control<QPushButton>(editor(), "Button3").click();
    });
    editButton(lib(), 0).click();
    EXPECT_TRUE(desk.texts("warning").empty());
    EXPECT_EQ(library().count(), 2);
    EXPECT_EQ(libGrid().cell(1, 2), "A");
    EXPECT_EQ(libGrid().cell(2, 2), "A");
    EXPECT_EQ(libGrid().colCount(), 3);
    ASSERT_EQ(categoryList(lib(), 0).count(), 2);
    EXPECT_EQ(categoryList(lib(), 0).itemText(1), "A");

    // Opened for adding right after: the edited texts are still there, and "Přidej"
    // reports the label as present.
    std::string label;
    int typeIndex = -1;
    desk.modalActions.push_back([&](QDialog&) {
        label = fromQ(edit(1)->text());
        typeIndex = control<QComboBox>(editor(), "ComboBox1").currentIndex();
        control<QPushButton>(editor(), "Button1").click();
    });
    control<QToolButton>(lib(), "ToolButton4").click();
    EXPECT_EQ(label, "A");
    EXPECT_EQ(typeIndex, 0);
    EXPECT_EQ(desk.texts("warning"), std::vector<std::string>{kRefusal});
    EXPECT_EQ(library().count(), 2);
}

TEST_F(ComponentEditorTest, UpravWithoutAnEntryHandedOverWritesNothing) {
    addThroughEditor(3, "SC");
    addThroughEditor(3, "FC");
    const auto before0 = column(0), before1 = column(1), before2 = column(2);
    const auto bytes = library().imageBytes();
    edit(1)->setText("přepis");
    for (int index : {0, 3, -1}) {
        editor().setEditMode(3, index);  // "Uprav" enabled, no entry of that index handed over
        editor().show();
        control<QPushButton>(editor(), "Button3").click();
        EXPECT_FALSE(editor().isVisible()) << index;
        EXPECT_EQ(library().count(), 2);
        EXPECT_EQ(library().imageBytes(), bytes) << index;
        EXPECT_EQ(column(0), before0) << index;
        EXPECT_EQ(column(1), before1) << index;
        EXPECT_EQ(column(2), before2) << index;
    }
    EXPECT_TRUE(desk.shown.empty());
}

TEST_F(ComponentEditorTest, ZavriClosesAndKeepsTheFields) {
    pickType(1);
    edit(1)->setText("G.652");
    edit(8)->setText("0,35");
    editor().show();
    control<QPushButton>(editor(), "Button2").click();
    EXPECT_FALSE(editor().isVisible());
    EXPECT_EQ(control<QComboBox>(editor(), "ComboBox1").currentIndex(), 1);
    EXPECT_EQ(edit(1)->text(), "G.652");
    EXPECT_EQ(edit(8)->text(), "0,35");
    EXPECT_EQ(library().count(), 0);
}
