#include "library/component_library.h"
#include "library/library_rules.h"
#include "library/library_to_route.h"
#include "route/component_types.h"
#include "test_messages.h"
#include "text/errors.h"

#include <gtest/gtest.h>

using namespace lumor;

namespace {

// A library whose entry 2 is a fibre of the given specific attenuation (entry 1 a connector).
struct FibreLibrary {
    explicit FibreLibrary(const std::string& specific) {
        lib.append(
            buildLibraryEntry(codeOf(ComponentType::Connector), {"SC", "-", "0,3", "-", "-", "-", "-", "-", "-", ""}));
        lib.append(buildLibraryEntry(codeOf(ComponentType::Fibre),
                                     {"G.652.D", "1310", "-", "-", "-", "0,1", "1", specific, "-", "SM"}));
    }
    RecordingMessages messages;
    ComponentLibrary lib{messages};
};

}  // namespace

TEST(FibreLength, NewFibreUsesASinglePrecisionProduct) {
    const FibreLibrary fibres("0,35");
    const ComponentLibrary& lib = fibres.lib;
    auto r = newFibreRecord(lib, 2, "3,3");
    ASSERT_TRUE(r);
    EXPECT_EQ(SlotText(*r, ComponentSlot::Type), "Vlákno");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Attenuation), "1,15");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Length), "3,3");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Pmd), "0,1");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Cd), "1");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Sensitivity), "-");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Note), "SM");
    EXPECT_EQ(SlotText(*newFibreRecord(lib, 2, "10"), ComponentSlot::Attenuation), "3,5");
    EXPECT_EQ(SlotText(*newFibreRecord(FibreLibrary("0,19").lib, 2, "0,5"), ComponentSlot::Attenuation), "0,09");
    EXPECT_FALSE(newFibreRecord(lib, 2, ""));
    EXPECT_FALSE(newFibreRecord(lib, 2, "0"));
    EXPECT_FALSE(newFibreRecord(lib, 2, "0,0"));
    EXPECT_THROW(newFibreRecord(lib, 2, ","), ConversionError);
    EXPECT_THROW(newFibreRecord(FibreLibrary("-").lib, 2, "5"), ConversionError);
    // Beyond the float range the product would be infinite: refused, never stored as "INF".
    EXPECT_THROW(newFibreRecord(FibreLibrary("1E300").lib, 2, "1000000000000000000000000"), RefusalError);
}

TEST(LibraryColumn, PlainComponentsGetADashAsLength) {
    RecordingMessages messages;
    ComponentLibrary g(messages);
    g.append(buildLibraryEntry(codeOf(ComponentType::Connector),
                               {"SC/PC", "-", "0,3", "-", "-", "-", "-", "-", "-", "pozn"}));
    auto r = recordFromLibraryColumn(g, 1);
    EXPECT_EQ(SlotText(*r, ComponentSlot::Type), "Konektor");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Attenuation), "0,3");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Length), "-");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Note), "pozn");
}
