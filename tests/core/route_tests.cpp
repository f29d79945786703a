#include <unistd.h>
#include "failing_saves.h"
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
        fs::permissions(dir, fs::perms::owner_all, ec);
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
    SetSlotText(r, ComponentSlot::Type, typeName(ComponentType::Amplifier));
    SetSlotText(r, ComponentSlot::Note, "ab");
    EXPECT_EQ(r.image[0], 9);
    EXPECT_EQ(r.image[9], 0xE8);  // "č" in code page 1250
    EXPECT_EQ(r.image[2560], 2);
    EXPECT_EQ(r.image[2561], 'a');
    EXPECT_EQ(SlotText(r, ComponentSlot::Type), "Zesilovač");
    EXPECT_EQ(SlotText(r, ComponentSlot::Label), "");
}

TEST(ComponentRecord, BytesAfterTheTextNeverChangeItsMeaning) {
    ComponentRecord r;
    SetSlotText(r, ComponentSlot::Label, "LC");
    r.image[256 + 3] = 'X';
    r.image[256 + 255] = 0xFF;
    EXPECT_EQ(SlotText(r, ComponentSlot::Label), "LC");
}

TEST(ComponentRecord, TypeNamesAreExactTexts) {
    EXPECT_EQ(typeNameOfCode(4), "Zesilovač");
    EXPECT_NE(std::string("Zesilovac"), typeName(ComponentType::Amplifier));
    EXPECT_NE(std::string("zesilovač"), typeName(ComponentType::Amplifier));
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
    route.AppendComponent(rec(typeName(ComponentType::Source), "LED"));
    EXPECT_EQ(route.colCount(), 2);
    EXPECT_EQ(route.cell(1, 2), "LED");
    route.AppendComponent(rec(typeName(ComponentType::Detector), "PIN"));
    EXPECT_EQ(route.colCount(), 3);
    EXPECT_EQ(route.cell(2, 1), "Detektor");
    EXPECT_EQ(route.cell(2, 11), "poznámka");
}

TEST_F(RouteTest, RemovingTheOnlyComponentBlanksColumnOne) {
    route.AppendComponent(rec(typeName(ComponentType::Source), "LED"));
    route.RemoveLastComponent();
    EXPECT_EQ(route.count(), 0);
    EXPECT_EQ(route.colCount(), 2);
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(route.cell(1, r), "");
    EXPECT_TRUE(messages.shown.empty());
    route.RemoveLastComponent();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "warning||Seznam je prázdný");
}

TEST_F(RouteTest, ClearRouteRemovesColumnByColumnAndWarnsOnlyWhenAlreadyEmpty) {
    for (int i = 0; i < 5; ++i)
        route.AppendComponent(rec(typeName(ComponentType::Connector), "SC" + std::to_string(i)));
    EXPECT_EQ(route.colCount(), 6);
    route.ClearRoute();
    EXPECT_EQ(route.count(), 0);
    EXPECT_EQ(route.colCount(), 2);
    EXPECT_EQ(route.cell(1, 2), "");
    EXPECT_TRUE(messages.shown.empty());
    route.ClearRoute();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"warning||Seznam je prázdný"});
}

TEST_F(RouteTest, ReplaceRewritesTheGridInPlace) {
    route.AppendComponent(rec(typeName(ComponentType::Source), "A"));
    route.AppendComponent(rec(typeName(ComponentType::Fibre), "B"));
    route.ReplaceComponent(2, rec(typeName(ComponentType::Fibre), "C"));
    EXPECT_EQ(route.count(), 2);
    EXPECT_EQ(route.cell(2, 2), "C");
    route.ReplaceComponent(5, rec(typeName(ComponentType::Fibre), "D"));  // no such position: nothing happens
    EXPECT_EQ(route.cell(2, 2), "C");
}

TEST_F(RouteTest, SaveAndLoadRoundTripThreeRecords) {
    route.AppendComponent(rec(typeName(ComponentType::Source), "A"));
    std::string note(300, 'n');
    auto fibre = rec(typeName(ComponentType::Fibre), "B");
    SetSlotText(*fibre, ComponentSlot::Note, note);
    route.AppendComponent(std::move(fibre));
    route.AppendComponent(rec(typeName(ComponentType::Detector), "C"));
    ASSERT_TRUE(route.SaveRoute(file("t.trasa")));
    EXPECT_EQ(messages.shown.back(), "information|Informace|Uloženo");
    EXPECT_EQ(fs::file_size(file("t.trasa")), 8448u);

    RouteList other(messages);
    ASSERT_TRUE(other.LoadRoute(file("t.trasa")));
    EXPECT_EQ(other.count(), 3);
    EXPECT_EQ(other.colCount(), 4);
    EXPECT_EQ(other.cell(1, 2), "A");
    EXPECT_EQ(other.cell(3, 2), "C");
    EXPECT_EQ(other.cell(2, 11), std::string(255, 'n'));
}

#ifndef _WIN32  // MinGW's std::filesystem makes no links; file_io_win32_tests.cpp has Windows' own
TEST_F(RouteTest, SaveThroughALinkWritesTheLinkedFileAndKeepsTheLink) {
    // A route kept in a course folder and linked into the student's own.
    fs::create_directories(dir / "kurz");
    fs::create_directories(dir / "moje");
    { std::ofstream(file("kurz/trasa.trasa"), std::ios::binary) << "old"; }
    fs::create_symlink("../kurz/trasa.trasa", dir / "moje" / "trasa.trasa");
    route.AppendComponent(rec(typeName(ComponentType::Source), "A"));
    ASSERT_TRUE(route.SaveRoute(file("moje/trasa.trasa")));
    EXPECT_TRUE(fs::is_symlink(dir / "moje" / "trasa.trasa"));
    EXPECT_EQ(fs::read_symlink(dir / "moje" / "trasa.trasa"), "../kurz/trasa.trasa");
    EXPECT_EQ(bytesOf(file("kurz/trasa.trasa")), route.imageBytes());

    RouteList other(messages);
    ASSERT_TRUE(other.LoadRoute(file("moje/trasa.trasa")));
    EXPECT_EQ(other.cell(1, 2), "A");
}
#endif

TEST_F(RouteTest, LoadKeepsWholeRecordsAndEveryByteOfThem) {
    std::string bytes(5732, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 37 + 11) % 256);
    bytes.replace(0, 6, "\x05Zdroj");  // a route: one record names a component type
    { std::ofstream(file("odd.trasa"), std::ios::binary) << bytes; }
    ASSERT_TRUE(route.LoadRoute(file("odd.trasa")));
    EXPECT_EQ(route.count(), 2);
    EXPECT_EQ(route.colCount(), 3);
    ASSERT_EQ(messages.shown.size(), 1u);  // the broken tail is left out, and the user told
    EXPECT_NE(messages.shown[0].find("posledních 100 bajtů"), std::string::npos) << messages.shown[0];
    ASSERT_TRUE(route.SaveRoute(file("again.trasa")));
    EXPECT_EQ(bytesOf(file("again.trasa")), bytes.substr(0, 5632));
}

TEST_F(RouteTest, EmptyFileGivesAnEmptyRouteAndBlanksTheOldColumn) {
    route.AppendComponent(rec(typeName(ComponentType::Source), "A"));
    { std::ofstream(file("empty.trasa"), std::ios::binary); }
    ASSERT_TRUE(route.LoadRoute(file("empty.trasa")));
    EXPECT_EQ(route.count(), 0);
    EXPECT_EQ(route.colCount(), 2);
    EXPECT_EQ(route.cell(1, 2), "");
}

TEST_F(RouteTest, UnopenableFileWarnsAndKeepsTheRoute) {
    route.AppendComponent(rec(typeName(ComponentType::Source), "A"));
    EXPECT_FALSE(route.LoadRoute(file("missing.trasa")));
    EXPECT_FALSE(route.LoadRoute(dir.string()));
    EXPECT_EQ(messages.shown.at(0), "warning||Soubor „" + file("missing.trasa") +
                                        "“ nelze otevřít: soubor neexistuje. Trasa zůstala beze změny.");
    EXPECT_EQ(messages.shown.at(1), "warning||Soubor „" + dir.string() +
                                        "“ nelze otevřít: je to složka, ne soubor. Trasa zůstala beze změny.");
    EXPECT_EQ(route.count(), 1);
    EXPECT_EQ(route.cell(1, 2), "A");
}

TEST_F(RouteTest, HoldsAtMost999Components) {
    std::string bytes;
    for (int i = 0; i < 1001; ++i) {
        auto r = rec(typeName(ComponentType::Connector), std::to_string(i + 1));
        bytes.append(reinterpret_cast<const char*>(r->image.data()), ComponentRecord::kImageSize);
    }
    { std::ofstream(file("big.trasa"), std::ios::binary) << bytes; }
    ASSERT_TRUE(route.LoadRoute(file("big.trasa")));
    EXPECT_EQ(route.count(), 999);
    EXPECT_EQ(route.colCount(), 1000);
    EXPECT_EQ(route.cell(999, 2), "999");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].find("prvních 999"), std::string::npos);

    EXPECT_FALSE(route.AppendComponent(rec(typeName(ComponentType::Connector), "navíc")));
    EXPECT_EQ(route.count(), 999);
    EXPECT_EQ(route.colCount(), 1000);
    EXPECT_NE(messages.shown.back().find("999"), std::string::npos);
}

TEST_F(RouteTest, FailedSaveWarnsAndLeavesTheOldFile) {
    route.AppendComponent(rec(typeName(ComponentType::Source), "A"));
    ASSERT_TRUE(route.SaveRoute(file("keep.trasa")));
    const std::string before = bytesOf(file("keep.trasa"));
    route.AppendComponent(rec(typeName(ComponentType::Detector), "B"));

    EXPECT_FALSE(route.SaveRoute(file("nosuchdir/x.trasa")));
    EXPECT_EQ(messages.shown.back().rfind("warning||Soubor „", 0), 0u);
    EXPECT_NE(messages.shown.back().find("složka neexistuje"), std::string::npos);

    if (folderPermissionsHold()) {  // read-only folders prove nothing where they stop no one
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(route.SaveRoute(file("keep.trasa")));
        EXPECT_NE(messages.shown.back().find("přístup odepřen"), std::string::npos);
        fs::permissions(dir, fs::perms::owner_all);
    }
    EXPECT_EQ(bytesOf(file("keep.trasa")), before);
}

TEST_F(RouteTest, RemovingAndMovingAnyComponentUndoAndRedoRestoreTheExactRoute) {
    RouteHistory history(route);
    for (const char* label : {"A", "B", "C", "D"}) route.AppendComponent(component("Konektor", label));
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
    route.ReplaceComponent(1, component("Konektor", "A", "-", "-", "-", "-", "-", "5"));
    EXPECT_EQ(history.undoText(), "změnit délku Konektor A");
    history.undo();
    EXPECT_TRUE(history.isClean());
    {
        const RouteHistory::Step open(history, "otevřít x.trasa");  // clearing and loading: one step
        route.ClearRoute();
        route.AppendComponent(component("Zdroj", "LED"));
    }
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoText(), "otevřít x.trasa");
    history.undo();
    EXPECT_EQ(snapshot(), three);
    EXPECT_TRUE(history.isClean());

    // Bounded: a long session keeps the last hundred steps.
    for (int i = 0; i < 150; ++i) route.AppendComponent(component("Konektor", std::to_string(i)));
    int undone = 0;
    while (history.canUndo()) history.undo(), ++undone;
    EXPECT_EQ(undone, static_cast<int>(RouteHistory::kMaxSteps));
    EXPECT_EQ(route.count(), 53);
    EXPECT_FALSE(history.isClean());  // the saved state was dropped with the oldest steps
    EXPECT_EQ(history.redoText(), "přidat Konektor 50");
}
