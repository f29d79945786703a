#include "library/component_library.h"
#include "library/library_rules.h"
#include "library/library_to_route.h"
#include "route/route_list.h"
#include "test_messages.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumor;

namespace {

EntryFields fields(const std::string& label, const std::string& note = "") {
    return {label, "1550", "-", "3", "2", "-", "-", "0,35", "-30", note};
}

class LibraryRulesTest : public ::testing::Test {
protected:
    int add(int type, const std::string& label) {
        library.append(buildLibraryEntry(type, fields(label, "pozn. " + label)));
        return library.count();
    }
    const TextTable& grid() const { return library; }

    RecordingMessages messages;
    ComponentLibrary library{messages};
    RouteList route{messages};
};

}  // namespace

TEST_F(LibraryRulesTest, CategoryListsHoldEachTypesLabelsInColumnOrder) {
    add(1, "G.652");
    add(0, "LED");
    add(3, "SC");
    add(0, "Laser");
    add(7, "cizí");  // a type code the program does not know
    add(4, "EDFA");
    add(2, "PIN");
    add(1, "G.655");
    const auto lists = categoryLists(grid(), library.count());
    EXPECT_EQ(lists[0], (std::vector<std::string>{"LED", "Laser"}));
    EXPECT_EQ(lists[1], (std::vector<std::string>{"G.652", "G.655"}));
    EXPECT_EQ(lists[2], (std::vector<std::string>{"PIN"}));
    EXPECT_EQ(lists[3], (std::vector<std::string>{"SC"}));
    EXPECT_EQ(lists[4], (std::vector<std::string>{"EDFA"}));
    // The unknown type is shown with a marker and is in no list.
    EXPECT_NE(grid().cell(5, 1), "");
    for (const auto& list : lists) EXPECT_EQ(std::count(list.begin(), list.end(), "cizí"), 0);

    // Columns beyond the entries are not read, even if they hold something.
    library.RemoveLastEntry();
    EXPECT_EQ(categoryLists(grid(), library.count())[1], (std::vector<std::string>{"G.652"}));
    EXPECT_TRUE(categoryLists(grid(), 0)[0].empty());
}

TEST_F(LibraryRulesTest, LabelScansCompareWholeTextsAndSkipTheCaptionColumn) {
    add(0, "LED");
    add(3, "SC");
    add(3, "LED");  // the same label in another category
    add(0, "led");
    add(0, " LED");
    EXPECT_EQ(columnsWithLabel(grid(), library.count(), "LED"), (std::vector<int>{1, 3}));
    EXPECT_EQ(columnsWithLabel(grid(), library.count(), "LED "), std::vector<int>{});
    EXPECT_EQ(columnsWithLabel(grid(), library.count(), "L"), std::vector<int>{});
    // Column 0 holds the caption "označení" in the label row; it names no entry.
    EXPECT_EQ(grid().cell(0, 2), "označení");
    EXPECT_EQ(columnsWithLabel(grid(), library.count(), "označení"), std::vector<int>{});
    add(2, "označení");
    EXPECT_EQ(columnsWithLabel(grid(), library.count(), "označení"), std::vector<int>{6});

    EXPECT_EQ(editedEntryColumn(grid(), library.count(), "LED", 0), 1);
    EXPECT_EQ(editedEntryColumn(grid(), library.count(), "LED", 3), 3);
    EXPECT_EQ(editedEntryColumn(grid(), library.count(), "LED", 1), 0);
    EXPECT_EQ(editedEntryColumn(grid(), library.count(), "LED", 9), 0);
    add(0, "LED");
    EXPECT_EQ(editedEntryColumn(grid(), library.count(), "LED", 0), 7);  // the later one
}

TEST_F(LibraryRulesTest, EntryBuiltFromFieldsKeepsTextsAsTypedAndCutsLongOnes) {
    const std::string longNote(300, 'x');
    EntryFields f{"G.652", "1550", "-", "", "-", "0,1", "1,2,3", "0,35", "-", longNote};
    const auto entry = buildLibraryEntry(1, f);
    EXPECT_EQ(typeCode(*entry), 1);
    EXPECT_EQ(SlotText(*entry, LibrarySlot::Label), "G.652");
    EXPECT_EQ(SlotText(*entry, LibrarySlot::Attenuation), "-");
    EXPECT_EQ(SlotText(*entry, LibrarySlot::Gain), "");
    EXPECT_EQ(SlotText(*entry, LibrarySlot::Cd), "1,2,3");
    EXPECT_EQ(SlotText(*entry, LibrarySlot::SpecificAttenuation), "0,35");
    EXPECT_EQ(SlotText(*entry, LibrarySlot::Note), std::string(255, 'x'));

    // Through the grid and back to the editor's texts.
    library.append(buildLibraryEntry(1, f));
    EXPECT_EQ(grid().cell(1, 1), "Vlákno");
    EntryFields expected = f;
    expected[9] = std::string(255, 'x');
    EXPECT_EQ(entryFieldsFromColumn(grid(), 1), expected);
}

TEST_F(LibraryRulesTest, AppendingColumnsToTheRouteBuildsOneRecordEachInOrder) {
    add(0, "LED");
    add(3, "SC");
    add(0, "Laser");
    EXPECT_EQ(appendLibraryColumnsToRoute(route, grid(), {3, 2, 3}), 3);
    ASSERT_EQ(route.count(), 3);
    const TextTable& r = route;
    EXPECT_EQ(r.cell(1, 1), "Zdroj");
    EXPECT_EQ(r.cell(1, 2), "Laser");
    EXPECT_EQ(r.cell(2, 1), "Konektor");
    EXPECT_EQ(r.cell(2, 2), "SC");
    EXPECT_EQ(r.cell(3, 2), "Laser");
    // Rows 3 to 8 as in the library, "-" as length, sensitivity and note from rows 10, 11.
    for (int row = 3; row <= 8; ++row) EXPECT_EQ(r.cell(2, row), grid().cell(2, row)) << row;
    EXPECT_EQ(r.cell(2, 9), "-");
    EXPECT_EQ(r.cell(2, 10), grid().cell(2, 10));
    EXPECT_EQ(r.cell(2, 11), "pozn. SC");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LibraryRulesTest, AFullRouteRefusesOnceAndKeepsItsComponents) {
    add(0, "LED");
    add(0, "LED");
    EXPECT_TRUE(routeHasRoom(route));
    for (int i = 0; i < 999; ++i) route.AppendComponent(makeRecord({"Konektor", "SC"}));
    ASSERT_TRUE(route.isFull());
    messages.shown.clear();

    EXPECT_EQ(appendLibraryColumnsToRoute(route, grid(), {1, 2}), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("warning||Trasa už obsahuje 999 komponent"), std::string::npos);

    messages.shown.clear();
    EXPECT_FALSE(routeHasRoom(route));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("warning|", 0), 0u);
    EXPECT_EQ(route.count(), 999);
    EXPECT_EQ(route.colCount(), 1000);
    EXPECT_EQ(route.cell(999, 2), "SC");
}
