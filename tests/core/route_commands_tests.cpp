#include "app/route_commands.h"
#include "route/component_types.h"
#include "route/route_list.h"
#include "test_messages.h"
#include "text/cp1250.h"
#include "text/errors.h"

#include <gtest/gtest.h>

using namespace lumor;

TEST(LengthFilter, KeepsDigitsAndTheFirstComma) {
    EXPECT_EQ(filterLengthText("12.5a"), "125");
    EXPECT_EQ(filterLengthText("1,2,5"), "1,25");
    EXPECT_EQ(filterLengthText("-3"), "3");
    EXPECT_EQ(filterLengthText("3,3 km"), "3,3");
    EXPECT_EQ(filterLengthText("ř5"), "5");
    const std::string longText(40, '7');
    EXPECT_EQ(filterLengthText(longText), std::string(31, '7'));
    for (const std::string& t : std::vector<std::string>{"12.5a", "1,2,5", std::string(40, '1') + ",5"}) {
        EXPECT_EQ(filterLengthText(filterLengthText(t)), filterLengthText(t)) << t;
    }
}

TEST(NumericFilter, AllowsMinusOnlyBeforeTheFirstComma) {
    EXPECT_EQ(filterNumericText("1.55"), "155");
    EXPECT_EQ(filterNumericText("-0,2"), "-0,2");
    EXPECT_EQ(filterNumericText("1,-5"), "1,5");
    EXPECT_EQ(filterNumericText("12-3"), "12-3");
    EXPECT_EQ(filterNumericText("1,2,3"), "1,2,3");
    EXPECT_EQ(filterNumericText(" 7 dB"), "7");
    EXPECT_EQ(filterNumericText("-"), "-");
    EXPECT_EQ(filterNumericText("2.5"), "25");
    EXPECT_EQ(filterNumericText("+1e5"), "15");
    EXPECT_EQ(filterNumericText(std::string(50, '9')).size(), 31u);
}

TEST(Conclusion, KeepsFiveLinesAnd550Characters) {
    EXPECT_EQ(limitConclusion("1\n2\n3\n4\n5\n6\n7\n8"), "1\n2\n3\n4\n5");
    EXPECT_EQ(limitConclusion("a\nb"), "a\nb");
    const std::string longLine(600, 'x');
    EXPECT_EQ(limitConclusion(longLine), std::string(550, 'x'));
    std::string czech;
    for (int i = 0; i < 600; ++i) czech += "ž";
    EXPECT_EQ(utf8Length(limitConclusion(czech)), 550u);
    EXPECT_EQ(conclusionLines("a\r\n\nc"), (std::vector<std::string>{"a", "", "c"}));
    EXPECT_TRUE(conclusionLines("").empty());
}

TEST(Conclusion, TypingIntoAFullConclusionDropsWhatWasTypedNotItsEnd) {
    std::string full(549, 'a');
    full += 'Z';
    std::string typed = full;
    typed.insert(10, "xyz");
    const auto limited = limitConclusion(typed, 13);
    EXPECT_EQ(limited.text, full);
    EXPECT_EQ(limited.cursor, 10u);
    const auto sixth = limitConclusion("1\n2\n3\n4\n5\n6", 11);
    EXPECT_EQ(sixth.text, "1\n2\n3\n4\n5");
    EXPECT_EQ(sixth.cursor, 9u);
}

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
    EXPECT_EQ(SlotText(*r, Type), "Vlákno");
    EXPECT_EQ(SlotText(*r, Attenuation), "1,15");
    EXPECT_EQ(SlotText(*r, Length), "3,3");
    EXPECT_EQ(SlotText(*r, Pmd), "0,1");
    EXPECT_EQ(SlotText(*r, Cd), "1");
    EXPECT_EQ(SlotText(*r, Sensitivity), "-");
    EXPECT_EQ(SlotText(*r, Note), "SM");
    EXPECT_EQ(SlotText(*newFibreRecord(lib, 2, "10"), Attenuation), "3,5");
    EXPECT_EQ(SlotText(*newFibreRecord(libraryWithFibre("0,19"), 2, "0,5"), Attenuation), "0,09");
    EXPECT_FALSE(newFibreRecord(lib, 2, ""));
    EXPECT_FALSE(newFibreRecord(lib, 2, "0"));
    EXPECT_FALSE(newFibreRecord(lib, 2, "0,0"));
    EXPECT_THROW(newFibreRecord(lib, 2, ","), ConversionError);
    EXPECT_THROW(newFibreRecord(libraryWithFibre("-"), 2, "5"), ConversionError);
    // Beyond the float range the product would be infinite: refused, never stored as "INF".
    EXPECT_THROW(newFibreRecord(libraryWithFibre("1E300"), 2, "1000000000000000000000000"), RefusalError);
}

TEST(FibreLength, ChangeDerivesTheSpecificAttenuationFromTheRoute) {
    RecordingMessages m;
    RouteList route(m);
    route.AppendComponent(makeRecord({"Zdroj", "LED", "850", "-", "-15", "20", "-", "-", "-", "-", ""}));
    route.AppendComponent(makeRecord({"Vlákno", "G", "1310", "1,15", "-", "-", "0,1", "1", "3,3", "-", ""}));
    auto r = changedFibreRecord(route.grid(), 2, "10");
    ASSERT_TRUE(r);
    EXPECT_EQ(SlotText(*r, Attenuation), "3,48");
    EXPECT_EQ(SlotText(*r, Length), "10");
    EXPECT_EQ(SlotText(*r, Label), "G");
    EXPECT_FALSE(changedFibreRecord(route.grid(), 2, ""));
    EXPECT_FALSE(changedFibreRecord(route.grid(), 2, "0"));

    route.ReplaceComponent(2, makeRecord({"Vlákno", "G", "1310", "0", "-", "-", "0,1", "1", "0", "-", ""}));
    EXPECT_THROW(changedFibreRecord(route.grid(), 2, "5"), RefusalError);
    route.ReplaceComponent(2, makeRecord({"Vlákno", "G", "1310", "1E300", "-", "-", "0,1", "1", "1E-300", "-", ""}));
    EXPECT_THROW(changedFibreRecord(route.grid(), 2, "5"), RefusalError);
}

TEST(RouteGrid, CompletenessAndTheLengthCellRule) {
    RecordingMessages m;
    RouteList route(m);
    EXPECT_FALSE(gridRouteComplete(route.grid()));
    route.AppendComponent(makeRecord({"Zdroj", "", "", "", "", "", "", "", "-", "", ""}));
    EXPECT_FALSE(gridRouteComplete(route.grid()));
    route.AppendComponent(makeRecord({"Vlákno", "", "", "", "", "", "", "", "5", "", ""}));
    route.AppendComponent(makeRecord({"Konektor", "", "", "", "", "", "", "", "-", "", ""}));
    EXPECT_FALSE(gridRouteComplete(route.grid()));
    route.AppendComponent(makeRecord({"Detektor", "", "", "", "", "", "", "", "-", "", ""}));
    EXPECT_TRUE(gridRouteComplete(route.grid()));

    EXPECT_EQ(fibreLengthColumn(route.grid(), 2, 9, 2, 9), 2);
    EXPECT_EQ(fibreLengthColumn(route.grid(), 3, 9, 3, 9), 0);  // a connector's length cell
    EXPECT_EQ(fibreLengthColumn(route.grid(), 2, 8, 2, 8), 0);  // another row of the fibre
    EXPECT_EQ(fibreLengthColumn(route.grid(), 2, 9, 3, 9), 0);  // more than one cell
}

TEST(LibraryColumn, PlainComponentsGetADashAsLength) {
    StringGrid g(12, 2);
    const char* column[] = {"", "Konektor", "SC/PC", "-", "0,3", "-", "-", "-", "-", "-", "-", "pozn"};
    for (int r = 1; r <= 11; ++r) g.setCell(1, r, column[r]);
    auto r = recordFromLibraryColumn(g, 1);
    EXPECT_EQ(SlotText(*r, Type), "Konektor");
    EXPECT_EQ(SlotText(*r, Attenuation), "0,3");
    EXPECT_EQ(SlotText(*r, Length), "-");
    EXPECT_EQ(SlotText(*r, Note), "pozn");
}

TEST(About, SixLinesNamingTheProject) {
    EXPECT_EQ(aboutText(),
              "Tento program vytvořil\r\nProjekt Lumor\r\n2007\r\nEmail: lumor@example.org\r\n"
              "Doporučené rozlišení:\r\n1024x768");
}
