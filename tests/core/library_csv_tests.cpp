#include "library/component_library.h"
#include "library/library_csv.h"
#include "test_messages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>

using namespace lumor;

namespace {

const std::string kHeader =
    "typ;označení;vlnová délka [nm];útlum [dB];zisk [dB];rms spek. zdroje [nm];"
    "PMD [ps/(km^0,5)];CD [ps/(km.nm)];měrný útlum [dB/km];citlivost [dB];poznámka\n";

LibraryEntry makeEntry(std::int32_t code, const std::array<std::string, 10>& slots) {
    LibraryEntry e;
    setTypeCode(e, code);
    for (LibrarySlot s : kLibrarySlots) SetSlotText(e, s, slots[static_cast<std::size_t>(s)]);
    return e;
}

/// The length byte and the text bytes of one slot: what a slot means.
std::string slotBytes(const LibraryEntry& e, int slot) {
    const unsigned char* p = e.image.data() + 256 * slot;
    return std::string(reinterpret_cast<const char*>(p), 1u + p[0]);
}

/// A slot image written byte by byte, bypassing the text encoding.
void setRawSlot(LibraryEntry& e, LibrarySlot slot, const std::string& bytes) {
    unsigned char* p = e.image.data() + 256 * static_cast<int>(slot);
    p[0] = static_cast<unsigned char>(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) p[1 + i] = static_cast<unsigned char>(bytes[i]);
}

std::string row(const std::string& fields) { return fields + "\n"; }

const std::string kGoodRow = "Konektor;SC/PC;-;0,3;-;-;-;-;-;-;poznámka";

}  // namespace

TEST(LibraryCsv, ExportWritesTheHeaderAndOneReadableRowPerEntry) {
    const std::vector<LibraryEntry> entries = {
        makeEntry(1, {"G.652.D 1550 nm", "1550", "-", "-", "-", "0,1", "17", "0,2", "-", "jednovidové"}),
        makeEntry(3, {"a;b", "-", "0,3", "-", "-", "-", "-", "-", "-", "řekl \"ahoj\""}),
        makeEntry(7, {"dva\nřádky", "", "-", "-", "-", "-", "-", "-", "-", "cr\rlf"}),
    };
    EXPECT_EQ(libraryCsvText(entries), kHeader + "Vlákno;G.652.D 1550 nm;1550;-;-;-;0,1;17;0,2;-;jednovidové\n" +
                                           "Konektor;\"a;b\";-;0,3;-;-;-;-;-;-;\"řekl \"\"ahoj\"\"\"\n" +
                                           "7;dva\\x0ařádky;;-;-;-;-;-;-;-;cr\\x0dlf\n");
    EXPECT_EQ(libraryCsvText(std::vector<LibraryEntry>{}), kHeader);
}

TEST(LibraryCsv, ExportOfTheLibraryListsItsEntriesInOrder) {
    RecordingMessages messages;
    ComponentLibrary library{messages};
    library.append(
        std::make_unique<LibraryEntry>(makeEntry(4, {"EDFA", "1550", "-", "20", "-", "-", "-", "-", "-", ""})));
    library.append(
        std::make_unique<LibraryEntry>(makeEntry(2, {"PIN", "1310", "-", "-", "-", "-", "-", "-", "-25", ""})));
    EXPECT_EQ(libraryCsvText(library),
              kHeader + "Zesilovač;EDFA;1550;-;20;-;-;-;-;-;\n" + "Detektor;PIN;1310;-;-;-;-;-;-;-25;\n");
}

TEST(LibraryCsv, EverySlotTextAndTypeCodeSurvivesExportAndImportWithNoControlByteBetween) {
    std::vector<LibraryEntry> entries;
    // The five types, awkward texts, numbers in every form, and codes the type selector lacks.
    const std::int32_t codes[] = {0, 1, 2, 3, 4, 5, 7, -1, INT32_MIN, INT32_MAX};
    for (std::int32_t code : codes) {
        entries.push_back(makeEntry(code, {"Zesilovač " + std::to_string(code) + " \";\"\"", "1550", "", " 7 ", "-",
                                           "-0,5", "1e5", "3,", "", "a\r\nb\n; „úpěl“ \\ C:\\x41 \\\\"}));
    }
    // Every byte value 1 to 255 in a text, the undefined code points of code page 1250 too,
    // a NUL inside a text, and 255-character texts.
    LibraryEntry raw = makeEntry(3, {});
    std::string all;
    for (int b = 1; b <= 255; ++b) all.push_back(static_cast<char>(b));
    setRawSlot(raw, LibrarySlot::Label, all);
    setRawSlot(raw, LibrarySlot::Note, std::string("a\0b\x81\x83\x88\x90\x98", 8));
    entries.push_back(raw);
    setRawSlot(raw, LibrarySlot::Label, std::string(255, '\x9A'));
    setRawSlot(raw, LibrarySlot::Note, std::string(255, '\x1B'));
    entries.push_back(raw);

    const std::string csv = libraryCsvText(entries);
    for (std::size_t at = 0; at < csv.size(); ++at) {
        const auto c = static_cast<unsigned char>(csv[at]);
        const bool c1 = c == 0xC2 && at + 1 < csv.size() && static_cast<unsigned char>(csv[at + 1]) < 0xA0;
        EXPECT_FALSE((c < 0x20 && c != '\n') || c == 0x7F || c1) << "a control character at byte " << at;
    }
    const std::vector<LibraryEntry> back = parseLibraryCsv(csv);
    ASSERT_EQ(back.size(), entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k) {
        EXPECT_EQ(typeCode(back[k]), typeCode(entries[k])) << k;
        for (int s = 0; s < LibraryEntry::kSlotCount; ++s) {
            EXPECT_EQ(slotBytes(back[k], s), slotBytes(entries[k], s)) << k << " slot " << s;
        }
    }
    // Bytes after each text are zero after import.
    EXPECT_EQ(back[back.size() - 2].image[256 * static_cast<int>(LibrarySlot::Note) + 9], 0);
    EXPECT_EQ(libraryCsvText(back), csv);
}

TEST(LibraryCsv, ImportBuildsEntriesWithZeroedSlotTails) {
    const auto entries =
        parseLibraryCsv(kHeader + row(kGoodRow) + row("Zdroj;LED;850;-;-15;20;-;-;-;-;") + row("3;x;;;;;;;;;"));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(typeCode(entries[0]), 3);
    EXPECT_EQ(SlotText(entries[0], LibrarySlot::Attenuation), "0,3");
    EXPECT_EQ(SlotText(entries[0], LibrarySlot::Note), "poznámka");
    EXPECT_EQ(typeCode(entries[1]), 0);
    EXPECT_EQ(SlotText(entries[1], LibrarySlot::SourceRms), "20");
    EXPECT_EQ(typeCode(entries[2]), 3);  // a whole number in the type column is the code
    const std::string expected = libraryFileBytes({entries[0]});
    EXPECT_EQ(expected.size(), 2564u);
    EXPECT_EQ(expected.substr(256 * static_cast<int>(LibrarySlot::Label) + 6, 250), std::string(250, '\0'));
    EXPECT_EQ(libraryFileBytes(entries).size(), 3u * 2564u);
}

TEST(LibraryCsv, ImportAcceptsCrLfAByteOrderMarkBlankLinesAndNoFinalLineBreak) {
    std::string crlf = kHeader;
    crlf.insert(crlf.size() - 1, "\r");
    const auto a = parseLibraryCsv("\xEF\xBB\xBF" + crlf + kGoodRow + "\r\n\r\n" + kGoodRow);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(SlotText(a[0], LibrarySlot::Note), "poznámka");  // no CR left at the end of a row
    EXPECT_EQ(SlotText(a[1], LibrarySlot::Note), "poznámka");

    const auto b = parseLibraryCsv("\n" + kHeader + "\n" + row(kGoodRow) + "\n\n");
    EXPECT_EQ(b.size(), 1u);
    EXPECT_TRUE(parseLibraryCsv(kHeader).empty());
    // A quoted field may stand anywhere and a stray quote inside an unquoted one is a letter.
    const auto c = parseLibraryCsv(kHeader + "\"Konektor\";pa\"lec;-;\"0,3\";-;-;-;-;-;-;\"\"\n");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(SlotText(c[0], LibrarySlot::Label), "pa\"lec");
    EXPECT_EQ(SlotText(c[0], LibrarySlot::Note), "");
}

TEST(LibraryCsv, ImportTakesAFieldOf255CharactersAndRefuses256) {
    std::string c255;
    for (int i = 0; i < 255; ++i) c255 += "č";  // 510 bytes of UTF-8, 255 characters
    const auto ok = parseLibraryCsv(kHeader + row("Konektor;" + c255 + ";-;0,3;-;-;-;-;-;-;"));
    ASSERT_EQ(ok.size(), 1u);
    EXPECT_EQ(SlotText(ok[0], LibrarySlot::Label), c255);

    try {
        parseLibraryCsv(kHeader + row(kGoodRow) + row("Konektor;x;-;0,3;-;-;-;-;-;-;" + c255 + "č"));
        FAIL() << "a 256-character note was taken";
    } catch (const LibraryCsvError& e) {
        EXPECT_EQ(e.line(), 3);
        EXPECT_NE(e.reason().find("256"), std::string::npos);
        EXPECT_NE(e.reason().find("poznámka"), std::string::npos);
    }
}

struct Refusal {
    const char* what;
    std::string text;
    int line;
    std::string inReason;
};

void PrintTo(const Refusal& r, std::ostream* os) { *os << r.what; }

class LibraryCsvRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(LibraryCsvRefusal, NamesTheLineAndTakesNothing) {
    const Refusal& r = GetParam();
    try {
        const auto entries = parseLibraryCsv(r.text);
        FAIL() << r.what << ": accepted " << entries.size() << " entries";
    } catch (const LibraryCsvError& e) {
        EXPECT_EQ(e.line(), r.line) << r.what << ": " << e.what();
        EXPECT_NE(e.reason().find(r.inReason), std::string::npos) << r.what << ": " << e.what();
        EXPECT_EQ(std::string(e.what()).rfind("řádek " + std::to_string(r.line) + ": ", 0), 0u) << e.what();
    }
}

std::string thousandRows() {
    std::string text = kHeader;
    for (int i = 0; i < 1000; ++i) text += row(kGoodRow);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LibraryCsvRefusal,
    ::testing::Values(
        Refusal{"ten fields", kHeader + row(kGoodRow) + row("Konektor;SC;-;0,3;-;-;-;-;-;-"), 3, "je 10,"},
        Refusal{"twelve fields", kHeader + row(kGoodRow + ";navíc"), 2, "je 12,"},
        Refusal{"comma as separator", kHeader + row("Konektor,SC,-,0,3,-,-,-,-,-,-,x"), 2, "je 1,"},
        Refusal{"type in lower case", kHeader + row("konektor;SC;-;0,3;-;-;-;-;-;-;"), 2, "neznámý typ „konektor“"},
        Refusal{"type without its accent", kHeader + row("Zesilovac;E;1550;-;20;-;-;-;-;-;"), 2, "Zesilovac"},
        Refusal{"type with a blank", kHeader + row("Konektor ;SC;-;0,3;-;-;-;-;-;-;"), 2, "neznámý typ"},
        Refusal{"empty type", kHeader + row(";SC;-;0,3;-;-;-;-;-;-;"), 2, "neznámý typ"},
        Refusal{"type code not whole", kHeader + row("1,5;SC;-;0,3;-;-;-;-;-;-;"), 2, "neznámý typ"},
        Refusal{"type code beyond 32 bits", kHeader + row("4294967296;SC;-;-;-;-;-;-;-;-;"), 2, "neznámý typ"},
        Refusal{
            "unterminated quote after a two-line field",
            kHeader + row("Konektor;\"SC\nPC\";-;0,3;-;-;-;-;-;-;") + row("Konektor;SC;-;0,3;-;-;-;-;-;-;\"bez konce"),
            4, "uvozovky"},
        Refusal{"text after the closing quote", kHeader + row("Konektor;\"SC\"PC;-;0,3;-;-;-;-;-;-;"), 2,
                "uzavírací uvozovkou"},
        Refusal{"character outside code page 1250", kHeader + row("Konektor;SC → PC;-;0,3;-;-;-;-;-;-;"), 2,
                "kódová stránka 1250"},
        Refusal{"Chinese note", kHeader + row("Konektor;SC;-;0,3;-;-;-;-;-;-;光纤"), 2, "pole 11"},
        Refusal{"number with a full stop", kHeader + row("Konektor;SC;-;0.3;-;-;-;-;-;-;"), 2,
                "pole 4 („útlum [dB]“) „0.3“ není číslo"},
        Refusal{"bytes that are not UTF-8", kHeader + row("Konektor;\xE8\x61\x72\x61;-;0,3;-;-;-;-;-;-;"), 2, "UTF-8"},
        Refusal{"1000 rows", thousandRows(), 1001, "999"}, Refusal{"no header", row(kGoodRow), 1, "záhlaví"},
        Refusal{"header of another table", "a;b;c\n" + row(kGoodRow), 1, "záhlaví"},
        Refusal{"empty text", "", 1, "záhlaví"}, Refusal{"only blank lines", "\n\r\n\n", 1, "záhlaví"}),
    [](const ::testing::TestParamInfo<Refusal>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p) {
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        }
        return name;
    });
