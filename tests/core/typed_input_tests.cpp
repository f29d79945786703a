#include "text/typed_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lumor;

TEST(LengthFilter, KeepsDigitsAndTheFirstCommaOrFullStop) {
    EXPECT_EQ(filterLengthText("12.5a"), "12,5");
    EXPECT_EQ(filterLengthText("1.2.5"), "1,25");
    EXPECT_EQ(filterLengthText("1,2.5"), "1,25");
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
