// The standard library as the build leaves it beside the executables.
#include "library/component_library.h"
#include "library/library_csv.h"
#include "route/component_types.h"
#include "test_messages.h"
#include "text/cp1250.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

using namespace lumor;

namespace {

// Which of the eight numeric slots (Wavelength … Sensitivity) carry a number, per type.
// clang-format off
constexpr bool kApplies[5][8] = {
    // Wl   Att    Gain   Rms    Pmd    Cd     SpAt   Sens
    {true, false, true, true, false, false, false, false},          // Zdroj
    {true, false, false, false, true, true, true, false},           // Vlákno
    {true, false, false, false, false, false, false, true},         // Detektor
    {false, true, false, false, false, false, false, false},        // Konektor
    {true, false, true, false, false, false, false, false},         // Zesilovač
};
// clang-format on

class StandardLibrary : public ::testing::Test {
protected:
    void SetUp() override { loaded = library.LoadLibrary(LUMOR_STANDARD_LIBRARY_PATH); }
    RecordingMessages messages;
    ComponentLibrary library{messages};
    bool loaded = false;
};

}  // namespace

TEST_F(StandardLibrary, LoadsWithItsTwentyFiveEntriesAndNoMessage) {
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(library.count(), 25);
    EXPECT_EQ(library.colCount(), 26);
    int perType[5] = {};
    for (int k = 1; k <= library.count(); ++k) {
        const std::int32_t code = typeCode(library.at(k));
        ASSERT_GE(code, 0) << k;
        ASSERT_LE(code, 4) << k;
        ++perType[code];
    }
    EXPECT_EQ(perType[0], 5);
    EXPECT_EQ(perType[1], 6);
    EXPECT_EQ(perType[2], 4);
    EXPECT_EQ(perType[3], 6);
    EXPECT_EQ(perType[4], 4);
}

TEST_F(StandardLibrary, NumericSlotsHoldNumbersWhereTheyApplyAndADashElsewhere) {
    ASSERT_TRUE(loaded);
    for (int k = 1; k <= library.count(); ++k) {
        const LibraryEntry& e = library.at(k);
        const auto code = static_cast<std::size_t>(typeCode(e));
        const std::string label = SlotText(e, LibrarySlot::Label);
        for (int s = static_cast<int>(LibrarySlot::Wavelength); s <= static_cast<int>(LibrarySlot::Sensitivity); ++s) {
            const std::string text = SlotText(e, kLibrarySlots[static_cast<std::size_t>(s)]);
            if (kApplies[code][static_cast<std::size_t>(s - static_cast<int>(LibrarySlot::Wavelength))]) {
                EXPECT_NO_THROW(SlotNumber(text)) << label << " slot " << s << " '" << text << "'";
            } else {
                EXPECT_EQ(text, "-") << label << " slot " << s;
            }
        }
    }
}

TEST_F(StandardLibrary, LabelsAreUniqueShortAndNotesPresent) {
    ASSERT_TRUE(loaded);
    std::set<std::string> labels;
    for (int k = 1; k <= library.count(); ++k) {
        const LibraryEntry& e = library.at(k);
        const std::string label = SlotText(e, LibrarySlot::Label);
        EXPECT_FALSE(label.empty()) << k;
        EXPECT_TRUE(labels.insert(label).second) << "duplicate " << label;
        // About as much as a 145-pixel drop-down shows.
        EXPECT_LE(utf8Length(label), 20u) << label;
        EXPECT_GT(utf8Length(SlotText(e, LibrarySlot::Note)), 20u) << label;
    }
}

TEST_F(StandardLibrary, CarriesThePublishedFigures) {
    ASSERT_TRUE(loaded);
    auto find = [&](const std::string& label) -> const LibraryEntry* {
        for (int k = 1; k <= library.count(); ++k) {
            if (SlotText(library.at(k), LibrarySlot::Label) == label) return &library.at(k);
        }
        return nullptr;
    };
    const LibraryEntry* g652 = find("G.652.D 1550 nm");
    ASSERT_NE(g652, nullptr);
    EXPECT_EQ(typeCode(*g652), 1);
    EXPECT_DOUBLE_EQ(SlotNumber(SlotText(*g652, LibrarySlot::SpecificAttenuation)), 0.2);
    EXPECT_DOUBLE_EQ(SlotNumber(SlotText(*g652, LibrarySlot::Cd)), 17);
    const LibraryEntry* dcf = find("DCF 1550 nm");
    ASSERT_NE(dcf, nullptr);
    EXPECT_DOUBLE_EQ(SlotNumber(SlotText(*dcf, LibrarySlot::Cd)), -100);
    const LibraryEntry* led = find("LED 850 nm");
    ASSERT_NE(led, nullptr);
    EXPECT_DOUBLE_EQ(SlotNumber(SlotText(*led, LibrarySlot::Gain)), -15);
    EXPECT_DOUBLE_EQ(SlotNumber(SlotText(*led, LibrarySlot::SourceRms)), 20);
    const LibraryEntry* apd = find("APD InGaAs 1550 nm");
    ASSERT_NE(apd, nullptr);
    EXPECT_DOUBLE_EQ(SlotNumber(SlotText(*apd, LibrarySlot::Sensitivity)), -32);
    const LibraryEntry* e2000 = find("E2000/APC");
    ASSERT_NE(e2000, nullptr);
    EXPECT_EQ(SlotText(*e2000, LibrarySlot::Attenuation), "0,25");
    const LibraryEntry* booster = find("EDFA booster");
    ASSERT_NE(booster, nullptr);
    EXPECT_EQ(typeCode(*booster), 4);
    EXPECT_EQ(SlotText(*booster, LibrarySlot::Gain), "15");
}

TEST_F(StandardLibrary, IsTheImageOfItsCsvSource) {
    ASSERT_TRUE(loaded);
    std::ifstream in(LUMOR_STANDARD_LIBRARY_CSV_PATH, std::ios::binary);
    const std::string csv((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(library.imageBytes(), libraryFileBytes(parseLibraryCsv(csv)));
}

// The captions must not depend on the order in which a program's objects are initialised:
// this binary links the core differently from the desktop program.
TEST_F(StandardLibrary, GridCarriesTheLibraryCaptions) {
    EXPECT_EQ(library.cell(0, 1), "typ");
    EXPECT_EQ(library.cell(0, 2), "označení");
    EXPECT_EQ(library.cell(0, 9), "měrný útlum [dB/km]");
    EXPECT_EQ(library.cell(0, 11), "poznámka");
}
