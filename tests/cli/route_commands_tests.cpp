// lumor-cli eval, report and route export, run as a separate process on route files the
// tests write with the program's own route list.
#include "cli_runner.h"
#include "route/route_list.h"
#include "test_messages.h"
#include "text/cp1250.h"
#include "text/numbers.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <map>
#include <sstream>

using namespace lumor;
using namespace lumor::clitest;
namespace fs = std::filesystem;

namespace {

using Slots = std::array<std::string, 11>;

Slots source(const std::string& gain, const std::string& rms) {
    return {"Zdroj", "LED", "1550", "-", gain, rms, "-", "-", "-", "-", ""};
}
Slots fibre(const std::string& attenuation, const std::string& pmd, const std::string& cd, const std::string& length) {
    return {"Vlákno", "G.652", "1550", attenuation, "-", "-", pmd, cd, length, "-", ""};
}
Slots connector(const std::string& attenuation) {
    return {"Konektor", "SC", "-", attenuation, "-", "-", "-", "-", "-", "-", ""};
}
Slots detector(const std::string& sensitivity) {
    return {"Detektor", "PIN", "1550", "-", "-", "-", "-", "-", "-", sensitivity, ""};
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class RouteCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("lumor_cli_route_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string file(const std::string& name) const { return (dir / name).string(); }

    /// Saves the components as a route file, as the program's save command does.
    std::string saveRoute(const std::string& name, const std::vector<Slots>& components) {
        RecordingMessages messages;
        RouteList route(messages);
        for (const auto& c : components) route.AppendComponent(makeRecord(c));
        EXPECT_TRUE(route.SaveRoute(file(name)));
        return file(name);
    }
    /// Source, 10 km fibre (2,5 dB, CD 17, PMD 0,1), connector 0,5 dB, detector −30 dB.
    std::string workedRoute(const std::string& name = "worked.trasa") {
        return saveRoute(name, {source("3", "2"), fibre("2,5", "0,1", "17", "10"), connector("0,5"), detector("-30")});
    }
    CliRun run(const std::vector<std::string>& args, const std::string& environment = {}) const {
        return runCli(args, dir, environment);
    }

    fs::path dir;
};

// ---- eval ----

TEST_F(RouteCliTest, EvalListsTheEndValuesOfTheDrawUnrounded) {
    const std::string worked = workedRoute();
    // A fractional fibre: the PMD end value counts whole-kilometre steps (√3, not √2,5).
    const std::string fractional =
        saveRoute("frac.trasa", {source("0", "1,5"), fibre("0,875", "1", "-3", "2,5"), detector("-24,5")});
    const CliRun r = run({"eval", "--csv", worked, fractional});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 3u) << r.out;
    EXPECT_EQ(lines[0],
              "soubor;úplná;délka vláken [km];útlum na konci [dB];citlivost [dB];rezerva [dB];"
              "CD na konci [ns];PMD na konci [ps];chyba;verdikt;max. rychlost [Gbit/s];omezuje");
    // The bit rate by hand: 1 / (4 × 0,34 ns) = 0,735… Gbit/s and 1 / (4 × 0,01125 ns) = 22,2…
    // Gbit/s, both below what their PMD allows (0,1 / 0,316 ps, 0,1 / 1,73 ps).
    EXPECT_EQ(lines[1],
              worked + ";ano;10;0;-30;30;0,34;" + NumberText(0.1 * std::sqrt(10.0)) + ";;zachytí;0,735294117647059;CD");
    EXPECT_EQ(lines[2], fractional + ";ano;2,5;-0,875;-24,5;23,625;" + NumberText(2.5 * -3 * 1.5 * 0.001) + ";" +
                            NumberText(std::sqrt(3.0)) + ";;zachytí;22,2222222222222;CD");
}

TEST_F(RouteCliTest, EvalGivesEveryRouteItsRowAndFailsWhenAnyRouteFails) {
    const std::string good = workedRoute();
    const std::string incomplete = saveRoute("incomplete.trasa", {source("3", "2"), connector("0,5")});
    const std::string single = saveRoute("single.trasa", {source("3", "2")});
    const std::string letters =
        saveRoute("letters.trasa", {source("3", "2"), fibre("2,5", "0,1", "abc", "10"), detector("-30")});
    const std::string negative =
        saveRoute("negative.trasa", {source("3", "2"), fibre("2,5", "0,1", "17", "-5"), detector("-30")});
    const std::string interior =  // a source inside the route has "-" as its attenuation
        saveRoute("interior.trasa", {source("3", "2"), source("1", "1"), detector("-30")});
    const std::string missing = file("missing.trasa");
    const std::string semicolon = workedRoute("a;b.trasa");
    const std::string picture = file("obrázek.trasa");  // a picture and a library renamed: no routes
    // (every row has every column: the ";;;" of the last three)
    const std::string library = file("knihovna.trasa");
    fs::copy_file(LUMOR_REPORT_LOGO_SOURCE, picture);
    fs::copy_file(LUMOR_STANDARD_LIBRARY_PATH, library);

    const CliRun r = run({"eval", "--csv", good, incomplete, single, letters, negative, interior, missing, dir.string(),
                          semicolon, picture, library});
    EXPECT_EQ(r.exitCode, 1);
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 12u) << r.out;
    EXPECT_TRUE(lines[1].starts_with(good + ";ano;10;0;")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with(incomplete + ";ne;;;;;;;Trasa není úplná: v posledním sloupci (2) je Konektor"))
        << lines[2];
    EXPECT_TRUE(lines[3].starts_with(single + ";ne;;;;;;;Trasa není úplná: má jen jednu komponentu")) << lines[3];
    EXPECT_EQ(lines[4],
              letters + ";ano;;;;;;;Ve sloupci 2 (Vlákno „G.652“) není v řádku „CD [ps/(km.nm)]“ číslo, ale „abc“.;;;");
    EXPECT_TRUE(lines[5].starts_with(negative + ";ano;;;;;;;")) << lines[5];
    EXPECT_TRUE(contains(lines[5], "zápornou délku (-5)")) << lines[5];
    EXPECT_EQ(lines[6],
              interior + ";ano;;;;;;;Ve sloupci 2 (Zdroj „LED“) není v řádku „útlum [dB]“ číslo, ale „-“.;;;");
    EXPECT_EQ(lines[7], missing + ";;;;;;;;nelze otevřít: soubor neexistuje;;;");
    EXPECT_EQ(lines[8], dir.string() + ";;;;;;;;nelze otevřít: je to složka, ne soubor;;;");
    EXPECT_TRUE(lines[9].starts_with("\"" + semicolon + "\";ano;10;")) << lines[9];
    const std::string notARoute =
        ";;;;;;;;není optická trasa: žádný jeho záznam nemá známý typ komponenty "
        "(Zdroj, Vlákno, Detektor, Konektor, Zesilovač);;;";
    EXPECT_EQ(lines[10], picture + notARoute);
    EXPECT_EQ(lines[11], library + notARoute);

    // Only complete, evaluated routes give exit 0.
    EXPECT_EQ(run({"eval", good, semicolon}).exitCode, 0);
    EXPECT_EQ(run({"eval", good, incomplete}).exitCode, 1);
}

TEST_F(RouteCliTest, EvalTableLinesUpCzechTextsByCharacters) {
    const std::string plain = workedRoute("a.trasa");
    const std::string czech = workedRoute("žluťoučký kůň.trasa");
    const std::string broken = saveRoute("x.trasa", {source("3", "2"), connector("0,5")});
    const CliRun r = run({"eval", czech, plain, broken});
    EXPECT_EQ(r.exitCode, 1);
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 5u) << r.out;
    std::vector<std::u32string> cps;
    for (const auto& l : lines) cps.push_back(utf8ToCodePoints(l));
    // The rule under the header: a run of '-' per column, two spaces between.
    const std::u32string& rule = cps[1];
    std::vector<std::pair<std::size_t, std::size_t>> columns;  // [begin, end)
    for (std::size_t i = 0; i < rule.size();) {
        const std::size_t end = rule.find(U' ', i) == std::u32string::npos ? rule.size() : rule.find(U' ', i);
        columns.emplace_back(i, end);
        i = end + 2;
    }
    ASSERT_EQ(columns.size(), 12u);
    EXPECT_TRUE(cps[0].starts_with(U"soubor"));
    for (std::size_t line : {0u, 2u, 3u, 4u}) {
        for (std::size_t c = 0; c + 5 < columns.size(); ++c) {  // the last columns are left or empty
            const std::size_t gap = columns[c].second;
            ASSERT_GT(cps[line].size(), gap + 1) << lines[line];
            EXPECT_EQ(cps[line].substr(gap, 2), U"  ") << "line " << line << " column " << c << ": " << lines[line];
        }
    }
    // Numbers are right-aligned: both evaluated routes end their margin "30" at the column's end.
    for (std::size_t line : {2u, 3u}) {
        const auto [begin, end] = columns[5];
        EXPECT_EQ(cps[line].substr(end - 2, 2), U"30") << lines[line];
    }
    EXPECT_TRUE(lines[4].ends_with("Trasa musí začínat zdrojem a končit detektorem.")) << lines[4];
    for (const auto& l : lines) EXPECT_FALSE(l.ends_with(" ")) << l;
}

TEST_F(RouteCliTest, EvalRefusesAMarginBeyondTheRangeOfNumbersAndEscapesFileNames) {
    const std::string huge = saveRoute("huge.trasa", {source("1,5e308", "2"), detector("-1,5e308")});
    const std::string odd = file("a\x1B[2J\xFF.trasa");
    fs::copy_file(workedRoute(), odd);
    const CliRun r = run({"eval", "--csv", huge, odd});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.out, "Hodnota „rezerva“ přesahuje rozsah čísel")) << r.out;
    EXPECT_FALSE(contains(r.out, "INF")) << r.out;
    EXPECT_TRUE(contains(r.out, "a\\x1b[2J\uFFFD.trasa;ano;")) << r.out;
}

TEST_F(RouteCliTest, EvalWarnsAboutAFileTheProgramReadsOnlyInPart) {
    const std::string route = workedRoute();
    std::string bytes = bytesOf(route);
    bytes += std::string(100, 'x');
    writeBytes(route, bytes);
    const CliRun r = run({"eval", route});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(contains(r.err, route)) << r.err;
    EXPECT_TRUE(contains(r.err, "posledních 100 bajtů")) << r.err;
    EXPECT_TRUE(contains(r.out, "ano")) << r.out;
}

TEST_F(RouteCliTest, UsageErrorsExitWithTwoAndHelpWithZero) {
    EXPECT_EQ(run({"eval"}).exitCode, 2);
    EXPECT_EQ(run({"eval", "--tsv", workedRoute()}).exitCode, 2);
    EXPECT_EQ(run({"report", workedRoute()}).exitCode, 2);  // --out is required
    EXPECT_EQ(run({"route"}).exitCode, 2);
    EXPECT_EQ(run({"route", "export"}).exitCode, 2);
    const CliRun typo = run({"evla", workedRoute()});
    EXPECT_EQ(typo.exitCode, 2);
    EXPECT_TRUE(contains(typo.err, "neznámý příkaz „evla“")) << typo.err;
    for (const std::vector<std::string>& help : {std::vector<std::string>{"--help"},
                                                 {"eval", "--help"},
                                                 {"report", "--help"},
                                                 {"route", "--help"},
                                                 {"route", "export", "--help"},
                                                 {"library", "--help"}}) {
        const CliRun r = run(help);
        EXPECT_EQ(r.exitCode, 0) << help.front();
        EXPECT_TRUE(contains(r.out, "Příklad")) << r.out;
    }
}

// ---- report ----

class ReportCliTest : public RouteCliTest {
protected:
    static bool isBmp632x434(const std::string& bytes) {
        auto le32 = [&](std::size_t at) {
            return static_cast<std::int32_t>(
                static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8 |
                static_cast<unsigned char>(bytes[at + 2]) << 16 | static_cast<unsigned char>(bytes[at + 3]) << 24);
        };
        return bytes.size() > 54 && bytes.starts_with("BM") && le32(18) == 632 && std::abs(le32(22)) == 434;
    }
};

TEST_F(ReportCliTest, WritesThePicturesThePageAndTheLogo) {
    const std::string route = workedRoute();
    // Windows line ends, eight lines: the conclusion box keeps the first five.
    writeBytes(file("zaver.txt"), "\xEF\xBB\xBFPrvní řádek\r\n\r\nTřetí <b>\r\nČtvrtý\r\nPátý\r\nŠestý\r\nSedmý\r\n");
    const fs::path out = dir / "out" / "novak";  // created, parents too
    const CliRun r = run({"report", route, "--out", out.string(), "--jmeno", "Jan", "--prijmeni", "Novák", "--datum",
                          "12.3.2024", "--skupina", "3", "--zaver", file("zaver.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const char* name : {"att.bmp", "cd.bmp", "pmd.bmp"}) EXPECT_TRUE(isBmp632x434(bytesOf(out / name))) << name;
    EXPECT_EQ(bytesOf(out / "ORV.gif"), bytesOf(LUMOR_REPORT_LOGO_SOURCE));
    const std::string page = cp1250ToUtf8(bytesOf(out / "Protokol.html"));
    EXPECT_TRUE(contains(page, "<font size =\"5px\">Jan Novák</b>")) << page;
    EXPECT_TRUE(contains(page, ">12.3.2024</b>"));
    EXPECT_TRUE(contains(page, "<font size =\"4px\">3</b>"));
    EXPECT_TRUE(contains(page, "<h2><u>Závěr:</u></h2>\r\nPrvní řádek\r\nTřetí &lt;b&gt;\r\nČtvrtý\r\nPátý\r\n</body>"))
        << page;
    EXPECT_TRUE(contains(page, "Útlum na konci trasy je <font color = \"red\">0</font> dB."));
    EXPECT_TRUE(contains(page, "na konci trasy je <font color = \"red\">0,34</font> ns."));
    EXPECT_TRUE(contains(page, "disperze je <font color = \"red\">0,32</font> ps."));
    EXPECT_TRUE(bytesOf(out / "Protokol.pdf").starts_with("%PDF-"));

    // A second report into the same folder replaces every file.
    const std::string other = saveRoute("other.trasa", {source("5", "2"), detector("-30")});
    ASSERT_EQ(run({"report", other, "--out", out.string(), "--jmeno", "Eva", "--prijmeni", "Malá"}).exitCode, 0);
    ASSERT_EQ(run({"report", other, "--out", file("bez-pdf"), "--no-pdf"}).exitCode, 0);
    EXPECT_TRUE(fs::exists(dir / "bez-pdf" / "Protokol.html"));
    EXPECT_FALSE(fs::exists(dir / "bez-pdf" / "Protokol.pdf"));
    const std::string again = cp1250ToUtf8(bytesOf(out / "Protokol.html"));
    EXPECT_TRUE(contains(again, "Eva Malá"));
    EXPECT_TRUE(contains(again, "Útlum na konci trasy je <font color = \"red\">5</font> dB."));
    EXPECT_FALSE(contains(again, "První řádek"));
}

TEST_F(ReportCliTest, MissingStudentDataAreNotGivenAndAConclusionInWindows1250IsRead) {
    const std::string route = workedRoute();
    writeBytes(file("zaver.txt"), utf8ToCp1250("Útlum je malý."));
    const CliRun r = run({"report", route, "--out", file("out"), "--zaver", file("zaver.txt")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(contains(r.err, "neuvedeno")) << r.err;
    EXPECT_TRUE(contains(r.err, "windows-1250")) << r.err;
    const std::string page = cp1250ToUtf8(bytesOf(dir / "out" / "Protokol.html"));
    EXPECT_TRUE(contains(page, "neuvedeno neuvedeno</b>"));
    EXPECT_TRUE(contains(page, "<font size =\"4px\">neuvedeno</b></center></td></tr>\r\n<tr"));
    EXPECT_TRUE(contains(page, "</h2>\r\nÚtlum je malý.\r\n</body>")) << page;
}

TEST_F(ReportCliTest, RefusesWhatTheProgramWouldNotReportAndWritesNothing) {
    const fs::path out = dir / "out";
    const std::string incomplete = saveRoute("incomplete.trasa", {source("3", "2"), fibre("2,5", "0,1", "17", "10")});
    CliRun r = run({"report", incomplete, "--out", out.string(), "--jmeno", "Jan", "--prijmeni", "Novák"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, incomplete + "“: Trasa není úplná")) << r.err;

    const std::string letters =
        saveRoute("letters.trasa", {source("3", "2"), fibre("2,5", "0,1", "17", "10"), detector("-")});
    r = run({"report", letters, "--out", out.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(
        contains(r.err, letters + "“: Ve sloupci 3 (Detektor „PIN“) není v řádku „citlivost [dB]“ číslo, ale „-“."))
        << r.err;

    r = run({"report", file("none.trasa"), "--out", out.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, file("none.trasa") + "“: nelze otevřít: soubor neexistuje")) << r.err;

    r = run({"report", workedRoute(), "--out", out.string(), "--zaver", file("none.txt")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, file("none.txt"))) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ReportCliTest, AnUnwritableFolderOrFileIsNamedInTheError) {
    const std::string route = workedRoute();
    writeBytes(file("plain"), "a file, not a folder");
    CliRun r = run({"report", route, "--out", file("plain")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, file("plain"))) << r.err;
    EXPECT_EQ(bytesOf(file("plain")), "a file, not a folder");

    // A folder standing where the page goes: nothing of the report is written.
    fs::create_directories(dir / "out" / "Protokol.html");
    r = run({"report", route, "--out", file("out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, (dir / "out" / "Protokol.html").string())) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out" / "att.bmp"));
}

TEST_F(ReportCliTest, HostileFoldersAndFilesTouchNothingOutsideTheReport) {
    const std::string route = workedRoute();
    // Links planted at the report's names lead to a file of the teacher's, which stays as it was.
    writeBytes(file("victim.txt"), "teacher's file");
    fs::create_directories(dir / "planted");
    for (const char* name : {"att.bmp", "Protokol.html", "ORV.gif"})
        fs::create_symlink(dir / "victim.txt", dir / "planted" / name);
    CliRun r = run({"report", route, "--out", file("planted"), "--jmeno", "Jan", "--prijmeni", "Novák"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(bytesOf(file("victim.txt")), "teacher's file");
    EXPECT_TRUE(isBmp632x434(bytesOf(dir / "planted" / "att.bmp")));

    // Readers that would never end or would block, a dangling link as the folder: refused.
    fs::create_symlink(dir / "gone", dir / "dangling");
    ::mkfifo(file("fifo.txt").c_str(), 0600);
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--zaver", "/dev/zero", "--out", file("a")}, "„/dev/zero“: je to zařízení, ne obyčejný soubor"},
        {{"--zaver", file("fifo.txt"), "--out", file("a")}, "pojmenovaná roura (FIFO), ne obyčejný soubor"},
        {{"--out", file("dangling")}, "je to symbolický odkaz na „" + file("gone") + "“, který neexistuje"}};
    for (const auto& [args, message] : refused) {
        std::vector<std::string> all = {"report", route};
        all.insert(all.end(), args.begin(), args.end());
        r = run(all);
        EXPECT_EQ(r.exitCode, 1) << message;
        EXPECT_TRUE(contains(r.err, message)) << r.err;
    }
    EXPECT_FALSE(fs::exists(dir / "a") || fs::exists(dir / "gone"));

    // A Windows editor's "Unicode" conclusion.
    writeBytes(file("utf16.txt"), std::string("\xFF\xFE\xDA\0t\0", 6));
    r = run({"report", route, "--out", file("u"), "--zaver", file("utf16.txt"), "--jmeno", "J", "--prijmeni", "N"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(contains(r.err, "čte se jako UTF-16LE")) << r.err;
    EXPECT_TRUE(contains(cp1250ToUtf8(bytesOf(dir / "u" / "Protokol.html")), "</h2>\r\nÚt\r\n</body>"));
}

TEST_F(ReportCliTest, TwoReportsIntoOneFolderAtOnceLeaveOneWholeSet) {
    const std::string routes[2] = {workedRoute(), saveRoute("other.trasa", {source("5", "2"), detector("-30")})};
    const auto report = [&](int i, const std::string& out) {
        return shellQuoted(LUMOR_CLI_PATH) + " report " + shellQuoted(routes[i]) + " --no-pdf --jmeno " +
               (i ? "Eva" : "Jan") + " --out " + shellQuoted(out) + " >/dev/null 2>&1";
    };
    const auto contents = [](const fs::path& folder) {
        std::map<std::string, std::string> out;
        for (const auto& e : fs::directory_iterator(folder)) out[e.path().filename().string()] = bytesOf(e.path());
        return out;
    };
    ASSERT_EQ(std::system((report(0, file("alone0")) + " && " + report(1, file("alone1"))).c_str()), 0);
    const auto alone0 = contents(dir / "alone0"), alone1 = contents(dir / "alone1");
    for (int round = 0; round < 40; ++round) {
        // Both at once, each exiting with 0.
        const std::string both = report(round % 2, file("shared")) + " & first=$!; " +
                                 report(1 - round % 2, file("shared")) + "; second=$?; wait $first && [ $second = 0 ]";
        EXPECT_EQ(std::system(both.c_str()), 0) << "round " << round;
        const auto shared = contents(dir / "shared");
        EXPECT_TRUE(shared == alone0 || shared == alone1) << "round " << round << ": a mixed set";
    }
}

TEST_F(ReportCliTest, AMissingLogoIsNamedAndExitsWithOneAndAnInstalledToolFindsIt) {
    // A copy of the tool in a folder without "Protokol/ORV.gif" beside it or in the installed
    // program folder: the other four files are written, the logo is named, the exit is 1.
    fs::create_directories(dir / "usr" / "bin");
    fs::copy_file(LUMOR_CLI_PATH, dir / "usr" / "bin" / "lumor-cli");
    const auto report = [&](const std::string& out) {
        const std::string command = shellQuoted((dir / "usr" / "bin" / "lumor-cli").string()) + " report " +
                                    shellQuoted(workedRoute()) + " --out " + shellQuoted(file(out)) + " 2>" +
                                    shellQuoted(file("err"));
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(report("out"), 1);
    EXPECT_TRUE(contains(bytesOf(file("err")), "usr/lib/lumor/Protokol/ORV.gif")) << bytesOf(file("err"));
    EXPECT_TRUE(fs::exists(dir / "out" / "Protokol.html"));
    EXPECT_FALSE(fs::exists(dir / "out" / "ORV.gif"));

    // Installed: the logo in <prefix>/lib/lumor/Protokol, the tool in <prefix>/bin.
    fs::create_directories(dir / "usr" / "lib" / "lumor" / "Protokol");
    fs::copy_file(LUMOR_REPORT_LOGO_SOURCE, dir / "usr" / "lib" / "lumor" / "Protokol" / "ORV.gif");
    EXPECT_EQ(report("installed"), 0) << bytesOf(file("err"));
    EXPECT_EQ(bytesOf(dir / "installed" / "ORV.gif"), bytesOf(LUMOR_REPORT_LOGO_SOURCE));
}

// ---- route export ----

TEST_F(RouteCliTest, RouteExportWritesTheGridAsCsvWithControlCharactersEscaped) {
    Slots noted = connector("0,3");
    noted[static_cast<std::size_t>(ComponentSlot::Note)] = "řez; \"nový\"\nsvár\x1B]0;\\";
    const std::string route = saveRoute("r.trasa", {source("3", "2"), noted, detector("-30")});
    const CliRun r = run({"route", "export", route});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "typ;označení;vlnová délka [nm];útlum [dB];zisk [dB];rms spek. zdroje [nm];PMD [ps/(km^0,5)];"
              "CD [ps/(km.nm)];délka vlákna [km];citlivost [dB];poznámka\n"
              "Zdroj;LED;1550;-;3;2;-;-;-;-;\n"
              "Konektor;SC;-;0,3;-;-;-;-;-;-;\"řez; \"\"nový\"\"\\x0asvár\\x1b]0;\\\\\"\n"
              "Detektor;PIN;1550;-;-;-;-;-;-;-30;\n");

    writeBytes(file("empty.trasa"), "");
    const CliRun empty = run({"route", "export", file("empty.trasa")});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(linesOf(empty.out).size(), 1u);

    const CliRun missing = run({"route", "export", file("none.trasa")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_TRUE(contains(missing.err, file("none.trasa"))) << missing.err;
    EXPECT_TRUE(contains(missing.err, "neexistuje")) << missing.err;

    // More components than the program loads: the first 999, and a failure that says so.
    writeBytes(file("many.trasa"), std::string(1000 * 2816, '\0'));
    EXPECT_EQ(run({"route", "export", file("many.trasa")}).exitCode, 1);
}

}  // namespace
