#include <unistd.h>
#include "route/component_types.h"
#include "route/route_history.h"
#include "route/route_list.h"
#include "test_messages.h"
#include "test_routes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<ComponentRecord> rec(const std::string& type, const std::string& label) {
    return makeRecord({type, label, "1550", "0,5", "-", "-", "-", "-", "-", "-", "poznámka"});
}

class RouteTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("lumor_route_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string file(const std::string& name) const { return (dir / name).string(); }
    static std::string bytesOf(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

    fs::path dir;
    RecordingMessages messages;
    RouteList route{messages};
};

}  // namespace

TEST(ComponentRecord, SlotsSitAt256ByteStepsWithTheirLengthByte) {
    ComponentRecord r;
    setSlotText(r, ComponentSlot::Type, typeName(ComponentType::Amplifier));
    setSlotText(r, ComponentSlot::Note, "ab");
    EXPECT_EQ(r.image[0], 9);
    EXPECT_EQ(r.image[9], 0xE8);  // "č" in code page 1250
    EXPECT_EQ(r.image[2560], 2);
    EXPECT_EQ(r.image[2561], 'a');
    EXPECT_EQ(slotText(r, ComponentSlot::Type), "Zesilovač");
    EXPECT_EQ(slotText(r, ComponentSlot::Label), "");
}

TEST(ComponentRecord, BytesAfterTheTextNeverChangeItsMeaning) {
    ComponentRecord r;
    setSlotText(r, ComponentSlot::Label, "LC");
    r.image[256 + 3] = 'X';
    r.image[256 + 255] = 0xFF;
    EXPECT_EQ(slotText(r, ComponentSlot::Label), "LC");
}

TEST(ComponentRecord, TypeNamesAreExactTexts) {
    EXPECT_EQ(typeNameOfCode(4), "Zesilovač");
    EXPECT_EQ(typeNameOfCode(7), "neznámý typ (7)");
    EXPECT_EQ(typeNameOfCode(-1), "neznámý typ (-1)");
}

TEST_F(RouteTest, GridStartsWithCaptionsHeadersAndOneEmptyColumn) {
    const auto& g = route;
    EXPECT_EQ(g.colCount(), 2);
    EXPECT_EQ(g.rowCount(), 12);
    EXPECT_EQ(g.cell(0, 1), "typ");
    EXPECT_EQ(g.cell(0, 9), "délka vlákna [km]");
    EXPECT_EQ(g.cell(0, 11), "poznámka");
    EXPECT_EQ(g.cell(1, 0), "1.");
    route.setColumns(102);
    EXPECT_EQ(g.cell(100, 0), "100.");
    EXPECT_EQ(g.cell(101, 0), "");
}

TEST_F(RouteTest, AppendFillsColumnOneFirstThenAddsColumns) {
    route.appendComponent(rec(typeName(ComponentType::Source), "LED"));
    EXPECT_EQ(route.colCount(), 2);
    EXPECT_EQ(route.cell(1, 2), "LED");
    route.appendComponent(rec(typeName(ComponentType::Detector), "PIN"));
    EXPECT_EQ(route.colCount(), 3);
    EXPECT_EQ(route.cell(2, 1), "Detektor");
    EXPECT_EQ(route.cell(2, 11), "poznámka");
}

TEST_F(RouteTest, RemovingTheOnlyComponentBlanksColumnOne) {
    route.appendComponent(rec(typeName(ComponentType::Source), "LED"));
    route.removeLastComponent();
    EXPECT_EQ(route.count(), 0);
    EXPECT_EQ(route.colCount(), 2);
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(route.cell(1, r), "");
    EXPECT_TRUE(messages.shown.empty());
    route.removeLastComponent();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "warning||Seznam je prázdný");
}

TEST_F(RouteTest, ClearRouteRemovesColumnByColumnAndWarnsOnlyWhenAlreadyEmpty) {
    for (int i = 0; i < 5; ++i)
        route.appendComponent(rec(typeName(ComponentType::Connector), "SC" + std::to_string(i)));
    EXPECT_EQ(route.colCount(), 6);
    route.clearRoute();
    EXPECT_EQ(route.count(), 0);
    EXPECT_EQ(route.colCount(), 2);
    EXPECT_EQ(route.cell(1, 2), "");
    EXPECT_TRUE(messages.shown.empty());
    route.clearRoute();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"warning||Seznam je prázdný"});
}

TEST_F(RouteTest, ReplaceRewritesTheGridInPlace) {
    route.appendComponent(rec(typeName(ComponentType::Source), "A"));
    route.appendComponent(rec(typeName(ComponentType::Fibre), "B"));
    route.replaceComponent(2, rec(typeName(ComponentType::Fibre), "C"));
    EXPECT_EQ(route.count(), 2);
    EXPECT_EQ(route.cell(2, 2), "C");
    route.replaceComponent(5, rec(typeName(ComponentType::Fibre), "D"));  // no such position: nothing happens
    EXPECT_EQ(route.cell(2, 2), "C");
}

TEST_F(RouteTest, SaveAndLoadRoundTripThreeRecords) {
    route.appendComponent(rec(typeName(ComponentType::Source), "A"));
    route.appendComponent(rec(typeName(ComponentType::Fibre), "B"));
    route.appendComponent(rec(typeName(ComponentType::Detector), "C"));
    ASSERT_TRUE(route.save(file("t.trasa")));
    EXPECT_EQ(messages.shown.back(), "information|Informace|Uloženo");
    EXPECT_EQ(fs::file_size(file("t.trasa")), 8448u);

    RouteList other(messages);
    ASSERT_TRUE(other.load(file("t.trasa")));
    EXPECT_EQ(other.count(), 3);
    EXPECT_EQ(other.colCount(), 4);
    EXPECT_EQ(other.cell(1, 2), "A");
    EXPECT_EQ(other.cell(3, 2), "C");
    EXPECT_EQ(other.cell(2, 11), "poznámka");
}

#ifndef _WIN32  // MinGW's std::filesystem makes no links; write_file_win32_tests.cpp has Windows' own
TEST_F(RouteTest, SaveThroughALinkWritesTheLinkedFileAndKeepsTheLink) {
    // A route kept in a course folder and linked into the student's own.
    fs::create_directories(dir / "kurz");
    fs::create_directories(dir / "moje");
    { std::ofstream(file("kurz/trasa.trasa"), std::ios::binary) << "old"; }
    fs::create_symlink("../kurz/trasa.trasa", dir / "moje" / "trasa.trasa");
    route.appendComponent(rec(typeName(ComponentType::Source), "A"));
    ASSERT_TRUE(route.save(file("moje/trasa.trasa")));
    EXPECT_TRUE(fs::is_symlink(dir / "moje" / "trasa.trasa"));
    EXPECT_EQ(fs::read_symlink(dir / "moje" / "trasa.trasa"), "../kurz/trasa.trasa");
    EXPECT_EQ(bytesOf(file("kurz/trasa.trasa")), route.imageBytes());

    RouteList other(messages);
    ASSERT_TRUE(other.load(file("moje/trasa.trasa")));
    EXPECT_EQ(other.cell(1, 2), "A");
}
#endif

TEST_F(RouteTest, LoadKeepsWholeRecordsAndEveryByteOfThem) {
    std::string bytes(5732, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 37 + 11) % 256);
    bytes.replace(0, 6, "\x05Zdroj");  // a route: one record names a component type
    { std::ofstream(file("odd.trasa"), std::ios::binary) << bytes; }
    ASSERT_TRUE(route.load(file("odd.trasa")));
    EXPECT_EQ(route.count(), 2);
    EXPECT_EQ(route.colCount(), 3);
    ASSERT_EQ(messages.shown.size(), 1u);  // the broken tail is left out, and the user told
    EXPECT_NE(messages.shown[0].find("posledních 100 bajtů"), std::string::npos) << messages.shown[0];
    ASSERT_TRUE(route.save(file("again.trasa")));
    EXPECT_EQ(bytesOf(file("again.trasa")), bytes.substr(0, 5632));
}

TEST_F(RouteTest, EmptyFileGivesAnEmptyRouteAndBlanksTheOldColumn) {
    route.appendComponent(rec(typeName(ComponentType::Source), "A"));
    { std::ofstream(file("empty.trasa"), std::ios::binary); }
    ASSERT_TRUE(route.load(file("empty.trasa")));
    EXPECT_EQ(route.count(), 0);
    EXPECT_EQ(route.colCount(), 2);
    EXPECT_EQ(route.cell(1, 2), "");
}

TEST_F(RouteTest, HoldsAtMost999Components) {
    std::string bytes;
    for (int i = 0; i < 1001; ++i) {
        auto r = rec(typeName(ComponentType::Connector), std::to_string(i + 1));
        bytes.append(reinterpret_cast<const char*>(r->image.data()), ComponentRecord::kImageSize);
    }
    { std::ofstream(file("big.trasa"), std::ios::binary) << bytes; }
    ASSERT_TRUE(route.load(file("big.trasa")));
    EXPECT_EQ(route.count(), 999);
    EXPECT_EQ(route.colCount(), 1000);
    EXPECT_EQ(route.cell(999, 2), "999");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("prvních 999"), std::string::npos);

    EXPECT_FALSE(route.appendComponent(rec(typeName(ComponentType::Connector), "navíc")));
    EXPECT_EQ(route.count(), 999);
    EXPECT_EQ(route.colCount(), 1000);
    EXPECT_NE(messages.shown.back().find("999"), std::string::npos);
}

TEST_F(RouteTest, RemovingAndMovingAnyComponentUndoAndRedoRestoreTheExactRoute) {
    RouteHistory history(route);
    for (const char* label : {"A", "B", "C", "D"}) route.appendComponent(component("Konektor", label));
    const auto snapshot = [&] { return routeSnapshot(route); };
    const auto four = snapshot();

    route.removeAt(2);  // from the middle: C and D move left, one column less
    EXPECT_EQ(route.count(), 3);
    EXPECT_EQ(route.colCount(), 4);
    EXPECT_EQ(route.cell(2, 2), "C");
    const auto three = snapshot();
    route.move(1, 3);  // A to the end
    EXPECT_EQ(route.cell(1, 2), "C");
    EXPECT_EQ(route.cell(3, 2), "A");
    route.move(3, 4);  // out of the route: nothing, and no step
    route.removeAt(0);

    EXPECT_EQ(history.undoText(), "posunout Konektor A");
    history.undo();
    EXPECT_EQ(snapshot(), three);
    EXPECT_EQ(history.undoText(), "odebrat Konektor B");
    EXPECT_EQ(history.redoText(), "posunout Konektor A");
    history.setClean();  // saved here
    history.undo();
    EXPECT_EQ(snapshot(), four);
    EXPECT_FALSE(history.isClean());
    history.redo();
    EXPECT_EQ(snapshot(), three);
    EXPECT_TRUE(history.isClean());  // back at the saved route
    route.replaceComponent(1, component("Konektor", "A", "-", "-", "-", "-", "-", "5"));
    EXPECT_EQ(history.undoText(), "změnit délku Konektor A");
    history.undo();
    EXPECT_TRUE(history.isClean());
    {
        const RouteHistory::Step open(history, "otevřít x.trasa");  // clearing and loading: one step
        route.clearRoute();
        route.appendComponent(component("Zdroj", "LED"));
    }
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoText(), "otevřít x.trasa");
    history.undo();
    EXPECT_EQ(snapshot(), three);
    EXPECT_TRUE(history.isClean());

    // Bounded: a long session keeps the last hundred steps.
    for (int i = 0; i < 150; ++i) route.appendComponent(component("Konektor", std::to_string(i)));
    int undone = 0;
    while (history.canUndo()) history.undo(), ++undone;
    EXPECT_EQ(undone, static_cast<int>(RouteHistory::kMaxSteps));
    EXPECT_EQ(route.count(), 53);
    EXPECT_FALSE(history.isClean());  // the saved state was dropped with the oldest steps
    EXPECT_EQ(history.redoText(), "přidat Konektor 50");
}
