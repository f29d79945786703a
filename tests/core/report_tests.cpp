#include <unistd.h>
#include "report/report_writer.h"
#include "test_messages.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

using Record = std::vector<std::string>;  // the eleven slots, Type to Note

const Record kSource = {"Zdroj", "LD-1550", "1550", "-", "3", "0,1", "-", "-", "-", "-", "laser"};
const Record kFibre1 = {"Vlákno", "SMF-28", "1550", "7", "-", "-", "0,1", "17", "20", "-", ""};
const Record kConnector = {"Konektor", "FC/PC", "-", "0,5", "-", "-", "-", "-", "-", "-", ""};
const Record kAmplifier = {"Zesilovač", "EDFA", "1550", "-", "20", "-", "-", "-", "-", "-", ""};
const Record kFibre2 = {"Vlákno", "NZDSF", "1550", "3,5", "-", "-", "0,05", "4", "10", "-", ""};
const Record kDetector = {"Detektor", "PIN-1", "1550", "-", "-", "-", "-", "-", "-", "-30", ""};

// The route of the records, in order.
struct Route {
    RecordingMessages messages;
    RouteList list{messages};
    explicit Route(const std::vector<Record>& records) {
        for (const Record& r : records) {
            std::array<std::string, 11> slots;
            std::copy(r.begin(), r.end(), slots.begin());
            list.AppendComponent(makeRecord(slots));
        }
    }
};

const StudentTexts kStudent = {"Jan", "Novák", "12. 3. 2024", "ORV-1"};

std::string page(const StudentTexts& student, const std::vector<Record>& route, const RouteResult& result = {},
                 const std::vector<std::string>& conclusion = {}) {
    return reportPage(student, Route(route).list, result, conclusion);
}

std::string pageWithConclusion(const std::vector<std::string>& conclusion) {
    return page(kStudent, {kSource, kDetector}, {}, conclusion);
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++n;
    return n;
}

// The part of the page between the source line and the detector line.
std::string componentLines(const std::string& bytes) {
    const std::string start = "</blockquote></blockquote>\r\n";
    const auto from = bytes.find(start, bytes.find("<b>Zdroj: </b>")) + start.size();
    const auto to = bytes.find("<blockquote><blockquote><b>Detektor: </b>");
    return bytes.substr(from, to - from);
}

// The text of the conclusion, between its heading and the end of the body.
std::string conclusionPart(const std::string& bytes) {
    const std::string heading = utf8ToCp1250("<h2><u>Závěr:</u></h2>\r\n");
    const auto from = bytes.find(heading) + heading.size();
    return bytes.substr(from, bytes.find("</body>\r\n") - from);
}

}  // namespace

TEST(ReportPage, GoldenPageForAFullRoute) {
    const RouteResult result{-12.3456, 0.5, 2};
    const std::string bytes = page(kStudent, {kSource, kFibre1, kConnector, kAmplifier, kFibre2, kDetector}, result,
                                   {"Trasa vyhovuje.", "", "Útlum je v mezích.", "", "Konec."});

    const std::string expected = utf8ToCp1250(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
        "<html>\r\n"
        "<head>\r\n"
        "<meta http-equiv=\"content-type\" content=\"text/html; charset=windows-1250\">\r\n"
        "<meta name=\"generator\" content=\"Lumor\">\r\n"
        "<title>Protokol</title>\r\n"
        "</head>\r\n"
        "<body>\r\n"
        "<table border=\"2\"; width = \"100%\"; height=\"250\"; cellpadding=\"0\"; cellspacing=\"0\">\r\n"
        "<td width = \"20%\"; valign=\"top\"><img src = \"ORV.gif\" alt = \"ORV\"></td>\r\n"
        "<td>\r\n"
        "<table border=\"1\"; width = \"100%\"; cellpadding=\"0\"; cellspacing=\"0\">\r\n"
        "<tr height = \"50\"><td><font size = \"3px\">Předmět:<b><font size =\"5px\"><center>Přenosová media</center></b></td></tr>\r\n"
        "<tr height = \"50\"><td><font size = \"3px\">Název úlohy:<b><font size =\"4px\"><center>Návrh optické trasy a měření útlumu, chromatické, polarizačně vidové disperze</center></b></td></tr>\r\n"
        "<tr height = \"50\"><td><font size = \"3px\">Jméno a příjmení: <center><b><font size =\"5px\">Jan Novák</b></center></td></tr>\r\n"
        "<tr height = \"50\"><td><font size = \"3px\">Měřeno dne: <center><b><font size =\"4px\">12. 3. 2024</b></center></td></tr>\r\n"
        "<tr height = \"50\"><td><font size = \"3px\">Studijní skupina: <center><b><font size =\"4px\">ORV-1</b></center></td></tr>\r\n"
        "</table>\r\n"
        "</td>\r\n"
        "</table>\r\n"
        "<br>\r\n"
        "<h2><u>Optická trasa:</u></h2>\r\n"
        "<blockquote><blockquote><b>Zdroj: </b>LD-1550, zisk = <font color=\"red\">3</font> dB, rms šířky spektra zdroje = <font color=\"red\">0,1</font> nm</blockquote></blockquote>\r\n"
        "<blockquote><blockquote><b>Vlákno: </b>SMF-28, útlum = <font color=\"red\">7</font> dB, CD = <font color=\"red\">17</font> ps/(nm.km), PMD = <font color=\"red\">0,1</font> ps/(km^0,5), L = <font color=\"red\">20</font> km</blockquote></blockquote>\r\n"
        "<blockquote><blockquote><b>Konektor: </b>FC/PC, útlum = <font color=\"red\">0,5</font> dB</blockquote></blockquote>\r\n"
        "<blockquote><blockquote><b>Zesilovač: </b>EDFA, zisk = <font color=\"red\">20</font> dB</blockquote></blockquote>\r\n"
        "<blockquote><blockquote><b>Vlákno: </b>NZDSF, útlum = <font color=\"red\">3,5</font> dB, CD = <font color=\"red\">4</font> ps/(nm.km), PMD = <font color=\"red\">0,05</font> ps/(km^0,5), L = <font color=\"red\">10</font> km</blockquote></blockquote>\r\n"
        "<blockquote><blockquote><b>Detektor: </b>PIN-1, citlivost = <font color=\"red\">-30</font> dB</blockquote></blockquote>\r\n"
        "<br>\r\n"
        "<h2><u>Grafy:</u></h2>\r\n"
        "<br>\r\n"
        "<center><img src = \"att.bmp\" alt = \"průběh útlumu\"></center>\r\n"
        "<br>\r\n"
        "<center><i>Obrázek 1: Průběh útlumu na optické trase</i></center>\r\n"
        "<br>\r\n"
        "<br>\r\n"
        "<center><img src = \"cd.bmp\" alt = \"průběh chromatické disperze\"></center>\r\n"
        "<br>\r\n"
        "<center><i>Obrázek 2: Průběh chromatické disperze na optické trase</i></center>\r\n"
        "<br>\r\n"
        "<br>\r\n"
        "<center><img src = \"pmd.bmp\" alt = \"průběh polarizačně vidové disperze\"></center>\r\n"
        "<br>\r\n"
        "<center><i>Obrázek 3: Průběh polarizačně vidové disperze na optické trase</i></center>\r\n"
        "<br>\r\n"
        "<h2><u>Výsledky měření:</u></h2>\r\n"
        "Útlum na konci trasy je <font color = \"red\">-12,35</font> dB. Citlivost detektoru je <font color = \"red\">-30</font> dB. "
        "Velikost chromatické disperze na konci trasy je <font color = \"red\">0,5</font> ns. Velikost polarizačně vidové disperze je <font color = \"red\">2</font> ps.\r\n"
        "<br>\r\n"
        "<h2><u>Závěr:</u></h2>\r\n"
        "Trasa vyhovuje.\r\n"
        "Útlum je v mezích.\r\n"
        "Konec.\r\n"
        "</body>\r\n"
        "</html>\r\n");
    EXPECT_EQ(bytes, expected);
}

TEST(ReportPage, EachEmptyStudentValueBecomesNeuvedeno) {
    const std::string nameRow = "<font size =\"5px\">";
    auto row = [](const std::string& bytes, const std::string& after) {
        const auto from = bytes.find(after) + after.size();
        return bytes.substr(from, bytes.find("</b>", from) - from);
    };
    const std::string dateMark = utf8ToCp1250("Měřeno dne: <center><b><font size =\"4px\">");
    const std::string groupMark = utf8ToCp1250("Studijní skupina: <center><b><font size =\"4px\">");
    const std::string nameMark = utf8ToCp1250("příjmení: <center><b>" + nameRow);

    StudentTexts s = kStudent;
    s.firstName.clear();
    std::string bytes = page(s, {kSource, kDetector});
    EXPECT_EQ(row(bytes, nameMark), utf8ToCp1250("neuvedeno Novák"));

    s = kStudent;
    s.surname.clear();
    bytes = page(s, {kSource, kDetector});
    EXPECT_EQ(row(bytes, nameMark), "Jan neuvedeno");

    s = kStudent;
    s.date.clear();
    bytes = page(s, {kSource, kDetector});
    EXPECT_EQ(row(bytes, dateMark), "neuvedeno");
    EXPECT_EQ(row(bytes, groupMark), "ORV-1");

    s = kStudent;
    s.group.clear();
    bytes = page(s, {kSource, kDetector});
    EXPECT_EQ(row(bytes, groupMark), "neuvedeno");
    EXPECT_EQ(row(bytes, dateMark), "12. 3. 2024");

    bytes = page(StudentTexts{}, {kSource, kDetector});
    EXPECT_EQ(count(bytes, "neuvedeno"), 4u);
}

TEST(ReportPage, ComponentLinesListOnlyFibresConnectorsAndAmplifiers) {
    // Source and detector alone: nothing between their lines.
    EXPECT_EQ(componentLines(page(kStudent, {kSource, kDetector})), "");

    // A source or detector inside the route is not listed; the source line describes
    // column 1 and the detector line the last column.
    Record secondSource = kSource;
    secondSource[1] = "LED-850";
    Record firstDetector = kDetector;
    firstDetector[1] = "APD-7";
    const std::string bytes = page(kStudent, {kSource, secondSource, kConnector, firstDetector, kDetector});
    EXPECT_EQ(
        componentLines(bytes),
        utf8ToCp1250(
            "<blockquote><blockquote><b>Konektor: </b>FC/PC, útlum = <font color=\"red\">0,5</font> dB</blockquote></blockquote>\r\n"));
    EXPECT_EQ(count(bytes, "<b>Zdroj: </b>LD-1550,"), 1u);
    EXPECT_EQ(count(bytes, "<b>Detektor: </b>PIN-1,"), 1u);
    EXPECT_EQ(count(bytes, "LED-850"), 0u);
    EXPECT_EQ(count(bytes, "APD-7"), 0u);

    // Type texts are compared whole, case and accents included.
    std::vector<Record> route = {kSource};
    for (const char* type :
         {"vlákno", "Vlakno", "VLÁKNO", "Vlákno ", "konektor", "Zesilovac", "zesilovač", "Zesilovač\t"}) {
        Record r = kFibre1;
        r[0] = type;
        route.push_back(r);
    }
    route.push_back(kDetector);
    EXPECT_EQ(componentLines(page(kStudent, route)), "");
}

TEST(ReportPage, EndValuesAreRoundedToHundredths) {
    auto results = [](double value) {
        const std::string bytes = page(kStudent, {kSource, kDetector}, RouteResult{value, value, value});
        const std::string mark = "<font color = \"red\">";
        std::vector<std::string> shown;
        for (auto pos = bytes.find(mark); pos != std::string::npos; pos = bytes.find(mark, pos + 1)) {
            const auto from = pos + mark.size();
            shown.push_back(bytes.substr(from, bytes.find("</font>", from) - from));
        }
        return shown;  // attenuation, sensitivity, CD, PMD
    };
    const std::vector<std::pair<double, std::string>> cases = {{12.3456, "12,35"},   {2.0, "2"},   {-0.004, "0"},
                                                               {-3.14159, "-3,14"},  {0.5, "0,5"}, {0.004, "0"},
                                                               {1234.567, "1234,57"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(results(value), (std::vector<std::string>{text, "-30", text, text})) << value;
    }
}

TEST(ReportPage, EveryInsertedValueIsEscaped) {
    const std::string evil = "<script>\"a\" & b</script>";
    const std::string safe = "&lt;script&gt;&quot;a&quot; &amp; b&lt;/script&gt;";
    Record source = kSource;
    source[1] = evil;
    const std::string bytes = page({evil, evil, evil, evil}, {source, kDetector}, {}, {evil, "x", evil});
    EXPECT_EQ(count(bytes, "<script>"), 0u);
    EXPECT_EQ(count(bytes, safe), 7u);  // name twice, date, group, source label, two lines
    EXPECT_EQ(conclusionPart(bytes), safe + "\r\nx\r\n" + safe + "\r\n");
    // Literal template text keeps its own markup and quotes.
    EXPECT_NE(bytes.find("<title>Protokol</title>"), std::string::npos);

    // A line break inside a value still ends in CR LF.
    EXPECT_EQ(conclusionPart(pageWithConclusion({"a\nb", "c\r\nd"})), "a\r\nb\r\nc\r\nd\r\n");
}

TEST(ReportPage, CharactersOutsideCodePage1250BecomeNumericReferences) {
    const std::string bytes = pageWithConclusion({"π ≈ 3,14 日 😀 €"});
    EXPECT_EQ(conclusionPart(bytes), "&#960; &#8776; 3,14 &#26085; &#128512; \x80\r\n");
}

TEST(ReportPage, CzechLettersAreWrittenAsCodePage1250Bytes) {
    const std::string bytes = page({"Šárka", "Žluťoučká", "ěščř", "ďňůú"}, {kSource, kDetector});
    EXPECT_NE(bytes.find("\x8A\xE1rka \x8Elu\x9Dou\xE8k\xE1</b>"), std::string::npos);
    EXPECT_NE(bytes.find("\">\xEC\x9A\xE8\xF8</b>"), std::string::npos);
    EXPECT_NE(bytes.find("\">\xEF\xF2\xF9\xFA</b>"), std::string::npos);
    EXPECT_NE(bytes.find("P\xF8"
                         "edm\xECt:"),
              std::string::npos);                      // template text too
    EXPECT_EQ(bytes.find("\xC4"), std::string::npos);  // no UTF-8 lead byte of č, ř, ě
    EXPECT_EQ(bytes.find("\xC5"), std::string::npos);
}

TEST(ReportPage, ConclusionUsesItsFirstFiveLinesOnly) {
    EXPECT_EQ(conclusionPart(pageWithConclusion({"1", "2", "3", "4", "5", "6", "7"})), "1\r\n2\r\n3\r\n4\r\n5\r\n");
    EXPECT_EQ(conclusionPart(pageWithConclusion({"", "", "", "", "", "6"})), "");
    EXPECT_EQ(conclusionPart(pageWithConclusion({"jen jeden"})), "jen jeden\r\n");
    EXPECT_EQ(conclusionPart(pageWithConclusion({})), "");
}

TEST(ReportPath, AddsTheReportFileToTheProgramFolder) {
    EXPECT_EQ(ReportPath("/opt/lumor"), "/opt/lumor/Protokol/Protokol.html");
    EXPECT_EQ(ReportPath("/opt/lumor/"), "/opt/lumor/Protokol/Protokol.html");
    EXPECT_EQ(ReportPath("C:\\Lumor\\"), "C:\\Lumor\\Protokol/Protokol.html");
}

class ReportFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("lumor_report_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    static std::string bytesOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    fs::path dir;
};

TEST_F(ReportFile, AMissingFolderIsReportedAndNothingIsCreated) {
    const std::string path = ReportPath(dir.string());  // no "Protokol" folder inside
    const auto error = saveReport(path, pageWithConclusion({"x"}));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, "Protokol nelze uložit do souboru „" + path + "“: složka neexistuje.");
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(ReportFile, ASecondWriteReplacesTheFirstCompletely) {
    fs::create_directory(dir / "Protokol");
    const std::string path = ReportPath(dir.string());
    const std::string longPage = pageWithConclusion({std::string(5000, 'a'), "b", "c", "d", "e"});
    const std::string shortPage = pageWithConclusion({"kratší"});
    ASSERT_FALSE(saveReport(path, longPage).has_value());
    EXPECT_EQ(bytesOf(path), longPage);
    ASSERT_FALSE(saveReport(path, shortPage).has_value());
    EXPECT_EQ(bytesOf(path), shortPage);
    // Only the report itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Protokol"), fs::directory_iterator()), 1);
}
