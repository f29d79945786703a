#include "library/library_to_route.h"
#include "text/errors.h"

#include <gtest/gtest.h>

using namespace lumor;

namespace {

StringGrid libraryWithFibre(const std::string& specific) {
    StringGrid g(12, 3);
    const char* column[] = {"", "Vlákno", "G.652.D", "1310", "-", "-", "-", "0,1", "1", "", "-", "SM"};
    for (int r = 1; r <= 11; ++r) g.setCell(2, r, column[r]);
    g.setCell(2, 9, specific);
    return g;
}

}  // namespace

TEST(FibreLength, NewFibreUsesASinglePrecisionProduct) {
    const StringGrid lib = libraryWithFibre("0,35");
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
    EXPECT_EQ(SlotText(*newFibreRecord(libraryWithFibre("0,19"), 2, "0,5"), ComponentSlot::Attenuation), "0,09");
    EXPECT_FALSE(newFibreRecord(lib, 2, ""));
    EXPECT_FALSE(newFibreRecord(lib, 2, "0"));
    EXPECT_FALSE(newFibreRecord(lib, 2, "0,0"));
    EXPECT_THROW(newFibreRecord(lib, 2, ","), ConversionError);
    EXPECT_THROW(newFibreRecord(libraryWithFibre("-"), 2, "5"), ConversionError);
    // Beyond the float range the product would be infinite: refused, never stored as "INF".
    EXPECT_THROW(newFibreRecord(libraryWithFibre("1E300"), 2, "1000000000000000000000000"), RefusalError);
}

TEST(LibraryColumn, PlainComponentsGetADashAsLength) {
    StringGrid g(12, 2);
    const char* column[] = {"", "Konektor", "SC/PC", "-", "0,3", "-", "-", "-", "-", "-", "-", "pozn"};
    for (int r = 1; r <= 11; ++r) g.setCell(1, r, column[r]);
    auto r = recordFromLibraryColumn(g, 1);
    EXPECT_EQ(SlotText(*r, ComponentSlot::Type), "Konektor");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Attenuation), "0,3");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Length), "-");
    EXPECT_EQ(SlotText(*r, ComponentSlot::Note), "pozn");
}
