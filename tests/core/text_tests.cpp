#include "text/command_line.h"
#include "text/cp1250.h"
#include "text/errors.h"
#include "text/file_io.h"
#include "text/numbers.h"
#include "text/read_file.h"
#include "text/slot_image.h"
#include "text/text_search.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>

using namespace lumor;

TEST(Cp1250, EveryByteSurvivesDecodeAndEncode) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string utf8 = cp1250ToUtf8(all);
    EXPECT_EQ(utf8ToCp1250(utf8), all);
    EXPECT_TRUE(fitsCp1250(utf8));
}

TEST(Cp1250, CzechLettersMapToTheirBytes) {
    EXPECT_EQ(utf8ToCp1250("Zesilovač"), std::string("Zesilova\xE8"));
    EXPECT_EQ(utf8ToCp1250("ěščřžýáíéůú"), std::string("\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xF9\xFA"));
    EXPECT_EQ(cp1250ToUtf8("\x8A\x8D\x8E"), "ŠŤŽ");
}

TEST(TextSearch, IgnoresLetterCaseAndAccents) {
    EXPECT_TRUE(nameContains("Žluťoučký KŮŇ úpěl", "zlutoucky kun upel"));
    EXPECT_EQ(searchFolded("ÄÖÜ Łódź × ß"), "aou lodz × ß");
}

TEST(Cp1250, ForeignCharactersAndBrokenUtf8BecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1250("a€b"), std::string("a\x80"
                                               "b"));
    EXPECT_EQ(utf8ToCp1250("日本"), "??");
    EXPECT_EQ(utf8ToCp1250("x\xC3"), "x?");          // cut sequence
    EXPECT_EQ(utf8ToCp1250("\xFF\xFEok"), "??ok");   // bytes no UTF-8 starts with
    EXPECT_EQ(utf8ToCp1250("\xED\xA0\x80"), "???");  // surrogate
    EXPECT_FALSE(fitsCp1250("Ω"));
}

TEST(SlotImage, CutsToTheFirst255CharactersCountingCzechLettersOnce) {
    unsigned char slot[kSlotSize];
    std::string text;
    for (int i = 0; i < 300; ++i) text += "č";
    writeSlot(slot, text);
    EXPECT_EQ(slot[0], 255);
    EXPECT_EQ(utf8Length(readSlot(slot)), 255u);
    EXPECT_EQ(readSlot(slot), utf8Left(text, 255));
    EXPECT_EQ(slotSafeText("π≈3"), "??3");
}

TEST(SlotNumber, ReadsDecimalCommaNumbers) {
    EXPECT_DOUBLE_EQ(SlotNumber("0,35"), 0.35);
    EXPECT_DOUBLE_EQ(SlotNumber("1550"), 1550);
    EXPECT_DOUBLE_EQ(SlotNumber("-30"), -30);
    EXPECT_DOUBLE_EQ(SlotNumber("  7"), 7);
    EXPECT_DOUBLE_EQ(SlotNumber("1e5"), 100000);
    EXPECT_DOUBLE_EQ(SlotNumber(",5"), 0.5);
    EXPECT_DOUBLE_EQ(SlotNumber("1,5E-2"), 0.015);
}

TEST(SlotNumber, RefusesWhatIsNoNumberWithTheProgramsText) {
    for (const char* bad :
         {"", "-", ",", "1,2,3", "1.5", "abc", "12-3", "1e", "inf", "nan", "0x10", "1e999", "--1", "1 2"}) {
        try {
            SlotNumber(bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid floating point value");
        }
    }
}

TEST(NumberText, GeneralFormWithDecimalComma) {
    EXPECT_EQ(NumberText(1.15), "1,15");
    EXPECT_EQ(NumberText(3.50), "3,5");
    EXPECT_EQ(NumberText(-30), "-30");
    EXPECT_EQ(NumberText(0), "0");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(0.1 + 0.2), "0,3");  // 15 significant digits hide the binary tail
    EXPECT_EQ(NumberText(0.34), "0,34");
    EXPECT_EQ(NumberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(NumberText(1e15), "1E15");
    EXPECT_EQ(NumberText(0.0001), "0,0001");
    EXPECT_EQ(NumberText(0.00001), "1E-5");
    EXPECT_EQ(NumberText(-2.5e-7), "-2,5E-7");
    EXPECT_EQ(NumberText(1e300), "1E300");
}

TEST(NumberText, RoundTripsThroughSlotNumber) {
    for (double v : {0.35, -100.0, 17.0, 3.48, 1234.5678, 1e-3, 0.316227766016838}) {
        EXPECT_DOUBLE_EQ(SlotNumber(NumberText(v)), v) << v;
    }
}

TEST(Numbers, IgnoreTheLocaleWithADecimalPoint) {
    const char* set = std::setlocale(LC_ALL, "C.UTF-8");
    if (!set) set = std::setlocale(LC_ALL, "C");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(NumberText(1.15), "1,15");
    EXPECT_DOUBLE_EQ(SlotNumber("0,35"), 0.35);
    EXPECT_THROW(SlotNumber("0.35"), ConversionError);
    std::setlocale(LC_ALL, "C");
}

TEST(roundHundredths, TiesGoToTheEvenHundredth) {
    EXPECT_EQ(NumberText(roundHundredths(12.3456)), "12,35");
    EXPECT_EQ(NumberText(roundHundredths(2.0)), "2");
    EXPECT_EQ(NumberText(roundHundredths(-0.004)), "0");
    EXPECT_EQ(NumberText(roundHundredths(-3.14159)), "-3,14");
    EXPECT_EQ(NumberText(roundHundredths(0.125)), "0,12");  // 12.5 hundredths → 12
    EXPECT_EQ(NumberText(roundHundredths(3.48)), "3,48");
}

TEST(AtomicWrite, ReplacesCompletelyOrNotAtAll) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "lumor_atomic_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string target = (dir / "a.bin").string();
    ASSERT_FALSE(writeFileAtomically(target, "old"));
    ASSERT_FALSE(writeFileAtomically(target, "newer"));
    {  // closed before the folder goes: Windows removes no file that is open
        std::ifstream in(target, std::ios::binary);
        std::string content((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(content, "newer");
    }
    for (const auto& e : fs::directory_iterator(dir)) {  // no temporary file of any name left
        EXPECT_EQ(e.path().filename(), "a.bin");
    }

    const auto missing = writeFileAtomically((dir / "no" / "a.bin").string(), "x");
    ASSERT_TRUE(missing);
    EXPECT_EQ(*missing, "složka neexistuje");
    EXPECT_TRUE(writeFileAtomically(dir.string(), "x"));  // a folder is no file
    fs::remove_all(dir);
}

TEST(ReadFile, GivesTheBytesUpToTheLimitOrTheReason) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "lumor_read_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    std::ofstream(dir / "a.bin", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    const std::string path = (dir / "a.bin").string();
    EXPECT_EQ(std::get<std::string>(readFileBytes(path)), bytes);
    EXPECT_EQ(std::get<std::string>(readFileBytes(path, 70001)), bytes.substr(0, 70001));
    EXPECT_EQ(std::get<std::string>(readFileBytes(path, 0)), "");
    EXPECT_EQ(std::get<ReadFailure>(readFileBytes((dir / "none.bin").string())).reason, "soubor neexistuje");
    EXPECT_EQ(std::get<ReadFailure>(readFileBytes(dir.string())).reason, "je to složka, ne soubor");
    fs::remove_all(dir);
}

TEST(Utf8FromUtf16, CzechLettersSurrogatePairsAndLoneSurrogates) {
    struct Row {
        std::u16string wide;
        std::string utf8;
    };
    const Row rows[] = {
        {u"Novák.trasa", "Nov\xc3\xa1k.trasa"},
        {u"žluťoučký kůň\\Novák", "\xc5\xbelu\xc5\xa5ou\xc4\x8dk\xc3\xbd k\xc5\xaf\xc5\x88\\Nov\xc3\xa1k"},
        {u"\u20ac \U0001F600", "\xe2\x82\xac \xf0\x9f\x98\x80"},  // three and four bytes
        {std::u16string{u'a', 0xD83D, u'b', 0xDE00},
         "a\xef\xbf\xbd"
         "b\xef\xbf\xbd"},                         // lone halves
        {std::u16string{0xD83D}, "\xef\xbf\xbd"},  // high half at the end
    };
    for (const Row& r : rows) EXPECT_EQ(utf8FromUtf16(r.wide), r.utf8);
}
