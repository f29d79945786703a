#include "report/conclusion.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

using namespace lumor;

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
