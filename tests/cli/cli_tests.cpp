// Runs the built lumor-cli as a separate process and checks its exit codes and outputs.
#include "cli_runner.h"
#include "library/library_csv.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace lumor;
using namespace lumor::clitest;
namespace fs = std::filesystem;

namespace {

/// The save's temporary files (".<name>.<random>.lumor-tmp", or the older "<name>.lumor-tmp")
/// in `folder`, a symbolic link planted under such a name aside; "" when there are none.
std::string temporaryFilesIn(const fs::path& folder) {
    std::string out;
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.ends_with(".lumor-tmp") && !fs::is_symlink(e.symlink_status())) out += name + " ";
    }
    return out;
}

const std::string kHeader =
    "typ;označení;vlnová délka [nm];útlum [dB];zisk [dB];rms spek. zdroje [nm];"
    "PMD [ps/(km^0,5)];CD [ps/(km.nm)];měrný útlum [dB/km];citlivost [dB];poznámka\n";
const std::string kCsv = kHeader +
                         "Zdroj;DFB laser 1550 nm;1550;-;0;0,1;-;-;-;-;jednofrekvenční\n"
                         "Vlákno;G.652.D;1550;-;-;-;0,1;17;0,2;-;\"dlouhá; trasa\"\n"
                         "Detektor;PIN;1550;-;-;-;-;-;-;-24;\n";

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("lumor_cli_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path file(const std::string& name) const { return dir / name; }

    CliRun run(const std::vector<std::string>& args) const { return runCli(args, dir); }

    fs::path dir;
};

}  // namespace

TEST_F(CliTest, ImportWritesTheLibraryFileAndExportGivesTheSameCsvBack) {
    writeBytes(file("a.csv"), kCsv);
    const CliRun imported = run({"library", "import", file("a.csv").string(), file("a.komp").string()});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.err, "");
    EXPECT_EQ(bytesOf(file("a.komp")), libraryFileBytes(parseLibraryCsv(kCsv)));
    EXPECT_EQ(bytesOf(file("a.komp")).size(), 3u * 2564u);

    const CliRun exported = run({"library", "export", file("a.komp").string()});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.err, "");
    EXPECT_EQ(exported.out, kCsv);
}

TEST_F(CliTest, ExportKeepsUnknownTypeCodesAndImportRestoresThem) {
    LibraryEntry odd;
    setTypeCode(odd, -7);
    SetSlotText(odd, LibrarySlot::Label, "cizí");
    odd.image[100] = 0x55;  // meaningless bytes after the label's text
    LibraryEntry known;
    setTypeCode(known, 0);
    writeBytes(file("odd.komp"), libraryFileBytes({odd, known}));

    const CliRun exported = run({"library", "export", file("odd.komp").string()});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, kHeader + "-7;cizí;;;;;;;;;\nZdroj;;;;;;;;;;\n");

    writeBytes(file("odd.csv"), exported.out);
    ASSERT_EQ(run({"library", "import", file("odd.csv").string(), file("odd2.komp").string()}).exitCode, 0);
    const auto back = bytesOf(file("odd2.komp"));
    ASSERT_EQ(back.size(), 2 * 2564u);
    LibraryEntry restored;
    std::copy(back.begin(), back.begin() + 2564, restored.image.begin());
    EXPECT_EQ(typeCode(restored), -7);
    EXPECT_EQ(SlotText(restored, LibrarySlot::Label), "cizí");
}

TEST_F(CliTest, RefusedCsvNamesFileAndLineAndWritesNothing) {
    writeBytes(file("bad.csv"), kCsv + "Vlakno;X;1550;-;-;-;0,1;17;0,2;-;\n");
    const CliRun r = run({"library", "import", file("bad.csv").string(), file("new.komp").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(file("bad.csv").string()), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("řádek 5"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Vlakno"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(file("new.komp")));

    // An existing library file stays as it was.
    writeBytes(file("old.komp"), "old bytes");
    writeBytes(file("quote.csv"), kHeader + "Konektor;\"SC;-;0,3;-;-;-;-;-;-;\n");
    const CliRun q = run({"library", "import", file("quote.csv").string(), file("old.komp").string()});
    EXPECT_EQ(q.exitCode, 1);
    EXPECT_NE(q.err.find("řádek 2"), std::string::npos) << q.err;
    EXPECT_EQ(bytesOf(file("old.komp")), "old bytes");
    EXPECT_EQ(temporaryFilesIn(dir), "");
}

TEST_F(CliTest, ImportReadsASpreadsheetsEncodingsAndRefusesDevicesAndPipes) {
    writeBytes(file("a.csv"), kCsv);
    ASSERT_EQ(run({"library", "import", file("a.csv").string(), file("utf8.komp").string()}).exitCode, 0);
    std::string utf16 = "\xFF\xFE";
    for (char32_t c : utf8ToCodePoints(kCsv)) utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    writeBytes(file("utf16.csv"), utf16);
    writeBytes(file("cp.csv"), utf8ToCp1250(kCsv));
    for (const char* name : {"utf16", "cp"}) {
        const CliRun r = run({"library", "import", file(std::string(name) + ".csv").string(), file("x.komp").string()});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(r.err.find(name[0] == 'u' ? "UTF-16LE" : "windows-1250"), std::string::npos) << r.err;
        EXPECT_EQ(bytesOf(file("x.komp")), bytesOf(file("utf8.komp"))) << name;
    }
    // A pipe as the target stays a pipe; a device as the CSV is never read.
    ::mkfifo(file("fifo.komp").c_str(), 0600);
    const CliRun fifo = run({"library", "import", file("a.csv").string(), file("fifo.komp").string()});
    EXPECT_EQ(fifo.exitCode, 1);
    EXPECT_NE(fifo.err.find("pojmenovaná roura (FIFO), ne obyčejný soubor"), std::string::npos) << fifo.err;
    EXPECT_TRUE(fs::is_fifo(file("fifo.komp")));
    const CliRun zero = run({"library", "import", "/dev/zero", file("z.komp").string()});
    EXPECT_EQ(zero.exitCode, 1);
    EXPECT_NE(zero.err.find("je to zařízení, ne obyčejný soubor"), std::string::npos) << zero.err;
    EXPECT_FALSE(fs::exists(file("z.komp")));
}

TEST_F(CliTest, ImportNeverFollowsALinkAtTheOldTemporaryName) {
    // Older versions wrote every save of plain.komp through "plain.komp.lumor-tmp", following
    // whatever link stood there.
    writeBytes(file("a.csv"), kCsv);
    writeBytes(file("victim"), "victim's bytes");
    writeBytes(file("plain.komp"), "old library");
    fs::create_symlink("victim", file("plain.komp.lumor-tmp"));
    const CliRun r = run({"library", "import", file("a.csv").string(), file("plain.komp").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(bytesOf(file("victim")), "victim's bytes");
    EXPECT_EQ(bytesOf(file("plain.komp")), libraryFileBytes(parseLibraryCsv(kCsv)));
    EXPECT_TRUE(fs::is_symlink(file("plain.komp.lumor-tmp")));
    EXPECT_EQ(temporaryFilesIn(dir), "");
}

TEST_F(CliTest, ImportOntoALinkWritesTheLinkedLibraryAndKeepsTheLink) {
    writeBytes(file("a.csv"), kCsv);
    fs::create_directories(file("shared"));
    writeBytes(file("shared/course.komp"), "old library");
    fs::permissions(file("shared/course.komp"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("shared/course.komp", file("mine.komp"));
    const CliRun r = run({"library", "import", file("a.csv").string(), file("mine.komp").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(file("mine.komp")));
    EXPECT_EQ(fs::read_symlink(file("mine.komp")), "shared/course.komp");
    EXPECT_EQ(bytesOf(file("shared/course.komp")), libraryFileBytes(parseLibraryCsv(kCsv)));
    EXPECT_EQ(fs::status(file("shared/course.komp")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(temporaryFilesIn(dir), "");
    EXPECT_EQ(temporaryFilesIn(file("shared")), "");
}

TEST_F(CliTest, UnreadableInputOrUnwritableOutputExitsWithOne) {
    const CliRun noCsv = run({"library", "import", file("none.csv").string(), file("x.komp").string()});
    EXPECT_EQ(noCsv.exitCode, 1);
    EXPECT_NE(noCsv.err.find(file("none.csv").string()), std::string::npos) << noCsv.err;
    EXPECT_NE(noCsv.err.find("neexistuje"), std::string::npos) << noCsv.err;
    EXPECT_FALSE(fs::exists(file("x.komp")));

    const CliRun folder = run({"library", "export", dir.string()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_NE(folder.err.find("složka"), std::string::npos) << folder.err;
    EXPECT_EQ(folder.out, "");

    const CliRun noKomp = run({"library", "export", file("none.komp").string()});
    EXPECT_EQ(noKomp.exitCode, 1);
    EXPECT_NE(noKomp.err.find(file("none.komp").string()), std::string::npos) << noKomp.err;
    EXPECT_EQ(noKomp.out, "");

    writeBytes(file("a.csv"), kCsv);
    const std::string target = file("no/such/dir/a.komp").string();
    const CliRun noDir = run({"library", "import", file("a.csv").string(), target});
    EXPECT_EQ(noDir.exitCode, 1);
    EXPECT_NE(noDir.err.find(target), std::string::npos) << noDir.err;
}

TEST_F(CliTest, ExportTakesWholeEntriesAndSaysWhatItLeftOut) {
    writeBytes(file("a.csv"), kCsv);
    ASSERT_EQ(run({"library", "import", file("a.csv").string(), file("a.komp").string()}).exitCode, 0);
    writeBytes(file("tail.komp"), bytesOf(file("a.komp")).substr(0, 2 * 2564 + 100));
    const CliRun r = run({"library", "export", file("tail.komp").string()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, kCsv.substr(0, kCsv.find("Detektor")));
    EXPECT_NE(r.err.find("100"), std::string::npos) << r.err;

    writeBytes(file("empty.komp"), "");
    const CliRun empty = run({"library", "export", file("empty.komp").string()});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.out, kHeader);

    // More than the program loads: the first 999, a word about the rest, and a failure.
    std::string many;
    for (int i = 0; i < 1000; ++i) many += bytesOf(file("a.komp")).substr(0, 2564);
    writeBytes(file("many.komp"), many);
    const CliRun cut = run({"library", "export", file("many.komp").string()});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(std::count(cut.out.begin(), cut.out.end(), '\n'), 1 + 999);
    EXPECT_NE(cut.err.find("999"), std::string::npos) << cut.err;
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    writeBytes(file("a.csv"), kCsv);
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"library"},
        {"library", "import", file("a.csv").string()},
        {"library", "import", file("a.csv").string(), file("b.komp").string(), "extra"},
        {"library", "export"},
        {"library", "convert", "x"},
        {"route", "export"},
        {"library", "export", "--verbose", "x.komp"},
    };
    for (const auto& args : wrong) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        const CliRun r = run(args);
        EXPECT_EQ(r.exitCode, 2) << joined;
        EXPECT_NE(r.err, "") << joined;
    }
    EXPECT_FALSE(fs::exists(file("b.komp")));
}

TEST_F(CliTest, EveryCommandHasHelpWithAnExample) {
    const std::vector<std::vector<std::string>> commands = {
        {"--help"}, {"library", "--help"}, {"library", "import", "--help"}, {"library", "export", "-h"}};
    for (const auto& args : commands) {
        const CliRun r = run(args);
        EXPECT_EQ(r.exitCode, 0) << args.back();
        EXPECT_NE(r.out.find("Příklad"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("lumor-cli library "), std::string::npos) << r.out;
        EXPECT_EQ(r.err, "");
    }
    EXPECT_NE(run({"library", "import", "--help"}).out.find("FILE.csv"), std::string::npos);
    EXPECT_NE(run({"--help"}).out.find("library"), std::string::npos);
}
