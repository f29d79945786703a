#include "library/component_library.h"
#include "route/component_types.h"
#include "test_messages.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<LibraryEntry> entry(std::int32_t code, const std::string& label, const std::string& specific = "-") {
    auto e = std::make_unique<LibraryEntry>();
    setTypeCode(*e, code);
    setSlotText(*e, LibrarySlot::Label, label);
    for (LibrarySlot s : kLibrarySlots) {
        if (s != LibrarySlot::Label && s != LibrarySlot::Note) setSlotText(*e, s, "-");
    }
    setSlotText(*e, LibrarySlot::SpecificAttenuation, specific);
    setSlotText(*e, LibrarySlot::Note, "pozn. " + label);
    return e;
}

std::string imageOf(const LibraryEntry& e) {
    return std::string(reinterpret_cast<const char*>(e.image.data()), LibraryEntry::kImageSize);
}

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("lumor_library_" + std::to_string(::getpid()));
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
    static void writeBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    void addThree() {
        library.append(entry(0, "LED 850 nm"));
        library.append(entry(1, "G.652.D", "0,35"));
        library.append(entry(3, "SC/PC"));
    }

    fs::path dir;
    RecordingMessages messages;
    ComponentLibrary library{messages};
};

}  // namespace

TEST(LibraryEntry, TypeCodeIsLittleEndianAfterTheTenSlots) {
    LibraryEntry e;
    setTypeCode(e, 0x01020304);
    EXPECT_EQ(e.image[2560], 0x04);
    EXPECT_EQ(e.image[2563], 0x01);
    setTypeCode(e, -1);
    EXPECT_EQ(typeCode(e), -1);
    EXPECT_EQ(e.image[2563], 0xFF);
    setSlotText(e, LibrarySlot::Note, "ž");
    EXPECT_EQ(e.image[2304], 1);
    EXPECT_EQ(e.image[2305], 0x9E);  // "ž" in code page 1250
}

TEST_F(LibraryTest, FreshLibraryHasCaptionsHeadersAndOneEmptyColumn) {
    const TextTable& g = library;
    EXPECT_EQ(g.colCount(), 2);
    EXPECT_EQ(g.rowCount(), 12);
    EXPECT_EQ(g.cell(0, 1), "typ");
    EXPECT_EQ(g.cell(0, 9), "měrný útlum [dB/km]");
    EXPECT_EQ(g.cell(0, 11), "poznámka");
    EXPECT_EQ(g.cell(1, 0), "1.");
    EXPECT_EQ(g.cell(100, 0), "100.");
    EXPECT_EQ(g.cell(101, 0), "");
    EXPECT_EQ(g.cell(1, 1), "");
}

TEST_F(LibraryTest, ThreeEntriesSaveAs7692BytesAndLoadBackInOrder) {
    addThree();
    ASSERT_TRUE(library.saveLibrary(file("tri.komp")));
    EXPECT_EQ(messages.shown.back(), "information|Informace|Uloženo");
    const std::string saved = bytesOf(file("tri.komp"));
    ASSERT_EQ(saved.size(), 7692u);
    EXPECT_EQ(saved.substr(2564, 2564), imageOf(library.at(2)));

    RecordingMessages otherMessages;
    ComponentLibrary other{otherMessages};
    ASSERT_TRUE(other.loadLibrary(file("tri.komp")));
    EXPECT_TRUE(otherMessages.shown.empty());
    ASSERT_EQ(other.count(), 3);
    EXPECT_EQ(other.colCount(), 4);
    EXPECT_EQ(other.cell(1, 2), "LED 850 nm");
    EXPECT_EQ(other.cell(2, 2), "G.652.D");
    EXPECT_EQ(other.cell(3, 2), "SC/PC");
    EXPECT_EQ(other.cell(3, 1), "Konektor");
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(imageOf(other.at(k)), imageOf(library.at(k)));
}

TEST_F(LibraryTest, FibreShowsItsTypeNameAndSpecificAttenuationInRow9) {
    library.append(entry(1, "G.655", "0,22"));
    const TextTable& g = library;
    EXPECT_EQ(g.cell(1, 1), "Vlákno");
    EXPECT_EQ(g.cell(0, 9), "měrný útlum [dB/km]");
    EXPECT_EQ(g.cell(1, 9), "0,22");
    EXPECT_EQ(g.cell(1, 4), "-");  // attenuation does not apply to a catalogue fibre
    EXPECT_EQ(g.cell(1, 11), "pozn. G.655");
}

TEST_F(LibraryTest, EmptyFileGivesAnEmptyLibraryWithTwoColumns) {
    library.append(entry(2, "PIN"));
    writeBytes(file("empty.komp"), "");
    ASSERT_TRUE(library.loadLibrary(file("empty.komp")));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(library.count(), 0);
    EXPECT_EQ(library.colCount(), 2);
    EXPECT_EQ(library.cell(1, 2), "");
}

TEST_F(LibraryTest, FileThatCannotBeOpenedWarnsAndKeepsTheLibrary) {
    addThree();
    EXPECT_FALSE(library.loadLibrary(file("missing.komp")));
    EXPECT_FALSE(library.loadLibrary(dir.string()));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0], "warning||Soubor „" + file("missing.komp") +
                                     "“ nelze otevřít: soubor neexistuje. Seznam komponent zůstal beze změny.");
    EXPECT_EQ(library.count(), 3);
    EXPECT_EQ(library.colCount(), 4);
    EXPECT_EQ(library.cell(3, 2), "SC/PC");
}

TEST_F(LibraryTest, UnknownTypeCodeShowsAMarkerAndSurvivesByteForByte) {
    // Two entries with codes the type selector lacks beside a known one, and bytes after their
    // texts that a reader must neither interpret nor lose.
    std::string bytes = imageOf(*entry(1, "G.652"));
    for (std::int32_t code : {7, -1}) {
        auto e = entry(code, "cizí " + std::to_string(code));
        e->image[256 * static_cast<int>(LibrarySlot::Label) + 200] = 0xAB;
        e->image[256 * static_cast<int>(LibrarySlot::Note) + 255] = 0x01;
        bytes += imageOf(*e);
    }
    writeBytes(file("codes.komp"), bytes);
    ASSERT_TRUE(library.loadLibrary(file("codes.komp")));
    ASSERT_EQ(library.count(), 3);
    EXPECT_EQ(typeCode(library.at(2)), 7);
    EXPECT_EQ(typeCode(library.at(3)), -1);
    const std::string marker7 = library.cell(2, 1);
    const std::string markerMinus1 = library.cell(3, 1);
    EXPECT_NE(marker7.find('7'), std::string::npos);
    EXPECT_NE(markerMinus1.find("-1"), std::string::npos);
    for (const auto& name : kTypeNames) {
        EXPECT_NE(marker7, name);
        EXPECT_NE(markerMinus1, name);
    }
    EXPECT_EQ(library.cell(2, 2), "cizí 7");

    ASSERT_TRUE(library.saveLibrary(file("codes-again.komp")));
    EXPECT_EQ(bytesOf(file("codes-again.komp")), bytes);
}

TEST_F(LibraryTest, LongNoteIsCutTo255CharactersAndSurvivesTheFile) {
    const std::string longNote = std::string(150, 'a') + [] {
        std::string s;
        for (int i = 0; i < 150; ++i) s += "č";
        return s;
    }();
    auto e = entry(3, "ST");
    setSlotText(*e, LibrarySlot::Note, longNote);
    library.append(std::move(e));
    std::string expected = std::string(150, 'a');
    for (int i = 0; i < 105; ++i) expected += "č";
    EXPECT_EQ(slotText(library.at(1), LibrarySlot::Note), expected);
    EXPECT_EQ(library.cell(1, 11), expected);

    ASSERT_TRUE(library.saveLibrary(file("note.komp")));
    RecordingMessages otherMessages;
    ComponentLibrary other{otherMessages};
    ASSERT_TRUE(other.loadLibrary(file("note.komp")));
    EXPECT_EQ(other.cell(1, 11), expected);
}

TEST_F(LibraryTest, RemovingTheOnlyEntryLeavesColumnOneBlank) {
    library.append(entry(0, "LED"));
    library.removeLastEntry();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(library.count(), 0);
    EXPECT_EQ(library.colCount(), 2);
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(library.cell(1, r), "") << r;
    EXPECT_EQ(library.cell(1, 0), "1.");

    library.removeLastEntry();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "warning||Databáze je prázdná");
}

TEST_F(LibraryTest, RemoveLastEntryBlanksItsColumnButKeepsTheColumnCount) {
    addThree();
    library.removeLastEntry();
    EXPECT_EQ(library.count(), 2);
    EXPECT_EQ(library.colCount(), 4);
    EXPECT_EQ(library.cell(3, 2), "");
    EXPECT_EQ(library.cell(2, 2), "G.652.D");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LibraryTest, ClearLibraryRemovesColumnByColumnAndWarnsOnlyWhenAlreadyEmpty) {
    for (int i = 1; i <= 5; ++i) library.append(entry(3, std::string("K").append(std::to_string(i))));
    ASSERT_EQ(library.colCount(), 6);
    library.clearLibrary();
    EXPECT_EQ(library.count(), 0);
    EXPECT_EQ(library.colCount(), 2);
    EXPECT_TRUE(messages.shown.empty());
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(library.cell(c, 2), "") << c;

    library.clearLibrary();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"warning||Databáze je prázdná"});
    EXPECT_EQ(library.colCount(), 2);
}

TEST_F(LibraryTest, HoldsAtMost999Entries) {
    std::string bytes;
    for (int i = 1; i <= 1001; ++i) bytes += imageOf(*entry(3, std::to_string(i)));
    writeBytes(file("big.komp"), bytes);
    ASSERT_TRUE(library.loadLibrary(file("big.komp")));
    EXPECT_EQ(library.count(), 999);
    EXPECT_EQ(library.colCount(), 1000);
    EXPECT_EQ(library.cell(999, 2), "999");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind("warning||", 0), 0u);
    EXPECT_NE(messages.shown[0].find("999"), std::string::npos);

    EXPECT_FALSE(library.append(entry(3, "navíc")));
    EXPECT_EQ(library.count(), 999);
    EXPECT_EQ(library.colCount(), 1000);
    EXPECT_EQ(messages.shown.size(), 2u);

    // Exactly 999 entries load without a warning.
    messages.shown.clear();
    writeBytes(file("full.komp"), bytes.substr(0, 999 * LibraryEntry::kImageSize));
    ASSERT_TRUE(library.loadLibrary(file("full.komp")));
    EXPECT_EQ(library.count(), 999);
    EXPECT_TRUE(messages.shown.empty());
}
