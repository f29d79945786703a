#include "text/typed_input.h"

#include <gtest/gtest.h>

#include <string>

using namespace lumor;

TEST(TypedNumber, TakesAFullStopAsTheCommaAndRefusesWholeWhatNoNumberHolds) {
    constexpr auto pos = NumberSign::PositiveOnly;
    constexpr auto neg = NumberSign::MayBeNegative;
    EXPECT_EQ(typedNumber("-1.5", neg).text, "-1,5");
    EXPECT_EQ(typedNumber("-", neg).text, "-");  // a number being typed
    EXPECT_EQ(typedNumber(std::string(31, '9'), pos).text.size(), 31u);
    EXPECT_EQ(typedNumber("12.5a", pos).refusal, "„a“ do čísla nepatří: pište číslice a desetinnou čárku.");
    EXPECT_EQ(typedNumber("1,2.5", pos).refusal, "Číslo má jen jednu desetinnou čárku.");
    EXPECT_EQ(typedNumber("12-3", neg).refusal, "Znaménko minus patří jen na začátek čísla.");
    EXPECT_EQ(typedNumber("-3", pos).refusal, "Toto číslo nemůže být záporné.");
    EXPECT_EQ(typedNumber(std::string(32, '9'), pos).refusal, "Číslo může mít nejvýš 31 znaků.");
}
