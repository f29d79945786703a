#include "text/typed_input.h"

#include <gtest/gtest.h>

#include <string>

using namespace lumor;

TEST(TypedNumber, TakesAFullStopAsTheCommaAndRefusesWholeWhatNoNumberHolds) {
    struct Case {
        const char* typed;
        NumberSign sign;
        const char* kept;  // nullptr: refused
    };
    constexpr auto pos = NumberSign::PositiveOnly;
    constexpr auto neg = NumberSign::MayBeNegative;
    const Case cases[] = {
        {"0.06", neg, "0,06"},   {"1310.5", neg, "1310,5"}, {"-1.5", neg, "-1,5"}, {"12,5", pos, "12,5"},
        {"", pos, ""},           {"-", neg, "-"},           {",", pos, ","},       {"12.5a", pos, nullptr},
        {"1,2.5", pos, nullptr}, {"12-3", neg, nullptr},    {"-3", pos, nullptr},  {"1e5", neg, nullptr},
        {"ř5", neg, nullptr},    {" 7", neg, nullptr},
    };
    for (const Case& c : cases) {
        const TypedNumber n = typedNumber(c.typed, c.sign);
        if (c.kept) {
            EXPECT_EQ(n.refusal, "") << c.typed;
            EXPECT_EQ(n.text, c.kept) << c.typed;
        } else {
            EXPECT_NE(n.refusal, "") << c.typed;
        }
    }
    EXPECT_EQ(typedNumber("12.5a", pos).refusal, "„a“ do čísla nepatří: pište číslice a desetinnou čárku.");
    EXPECT_EQ(typedNumber(std::string(31, '9'), pos).text.size(), 31u);
    EXPECT_EQ(typedNumber(std::string(32, '9'), pos).refusal, "Číslo může mít nejvýš 31 znaků.");
}
