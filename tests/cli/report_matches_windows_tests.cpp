// The report that lumor-cli writes is the one the program writes: the same route is drawn and
// reported in the real windows (offscreen, scripted desk) and with the built tool (in another
// time zone), and the page's bytes, the pictures' pixels and the PDF's bytes are compared, and
// the PDF is read back with poppler's tools.
#include "cli_runner.h"
#include "eval/ui/graph_windows.h"
#include "platform/ui/image_view.h"
#include "ui_fixture.h"

#include <QByteArray>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>

#include <cstdio>
#include <sstream>

using namespace lumor;
using namespace lumor::clitest;
namespace fs = std::filesystem;

namespace {

struct Case {
    const char* name;
    std::vector<std::array<std::string, 11>> components;
    std::vector<std::string> pdfText = {};  ///< in this order in the PDF's text, spaces as one
};

std::array<std::string, 11> componentSlots(const std::string& type, const std::string& label,
                                           const std::string& attenuation, const std::string& gain,
                                           const std::string& rms, const std::string& pmd, const std::string& cd,
                                           const std::string& length, const std::string& sensitivity) {
    return {type, label, "1550", attenuation, gain, rms, pmd, cd, length, sensitivity, "poznámka"};
}

std::vector<Case> cases() {
    return {
        {"MixedRoute",  // fractional fibre lengths, an amplifier, a markup character in a label
         {componentSlots("Zdroj", "DFB <laser>", "-", "3", "2", "-", "-", "-", "-"),
          componentSlots("Vlákno", "G.652.D", "0,875", "-", "-", "0,1", "17", "2,5", "-"),
          componentSlots("Konektor", "SC/APC", "0,3", "-", "-", "-", "-", "-", "-"),
          componentSlots("Zesilovač", "EDFA", "-", "12", "-", "-", "-", "-", "-"),
          componentSlots("Vlákno", "NZ-DSF", "4,6", "-", "-", "0,05", "-4", "23", "-"),
          componentSlots("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "-24,5")},
         {"Žofie Nováček & syn", "12. 3. 2024", "3 – úterý",
          "Zdroj: DFB <laser>, zisk = 3 dB, rms šířky spektra zdroje = 2 nm",
          "Vlákno: G.652.D, útlum = 0,875 dB, CD = 17 ps/(nm.km), PMD = 0,1 ps/(km^0,5), L = 2,5 km",
          "Konektor: SC/APC, útlum = 0,3 dB", "Zesilovač: EDFA, zisk = 12 dB",
          "Vlákno: NZ-DSF, útlum = 4,6 dB, CD = -4 ps/(nm.km), PMD = 0,05 ps/(km^0,5), L = 23 km",
          "Detektor: PIN, citlivost = -24,5 dB",
          // The graphs' texts, drawn as text.
          "A[dB]", "L[km]", "Obrázek 1: Průběh útlumu na optické trase", "t[ps]", "L[km]", "t[ps]",
          "Obrázek 3: Průběh polarizačně vidové disperze na optické trase",
          "Útlum na konci trasy je 9,22 dB. Citlivost detektoru je -24,5 dB. Velikost chromatické disperze na konci "
          "trasy je -0,1 ns. Velikost polarizačně vidové disperze je 0,41 ps.",
          "Verdikt: Úroveň na detektoru 9,22 dBm, citlivost detektoru -24,5 dBm, rezerva 33,72 dB: signál detektor "
          "zachytí. CD -0,1 ns, PMD 0,41 ps. Nejvyšší přenosová rychlost asi 2,53 Gbit/s (omezuje ji chromatická "
          "disperze).",
          "Odhad rychlosti: B ≤ 1 / (4 · Δτ_CD), kde Δτ_CD = 0,099 ns je chromatická disperze na konci trasy",
          // The conclusion's lines each on a line of their own.
          "Závěr:\nÚtlum je v pořádku.\nDruhý řádek\nČtvrtý <i>řádek</i>\nPátý\n"}},
        {"LongDispersiveRoute",  // CD beyond 1000 ps: the value ticks in ns
         {componentSlots("Zdroj", "LED", "-", "0", "40", "-", "-", "-", "-"),
          componentSlots("Vlákno", "G.652", "40", "-", "-", "0,5", "18", "200", "-"),
          componentSlots("Detektor", "APD", "-", "-", "-", "-", "-", "-", "-45")},
         {"A[dB]", "t[ns]", "t[ps]"}},
        {"SourceAndDetectorOnly",  // no fibre: the fallback scales
         {componentSlots("Zdroj", "LED", "-", "-3", "1", "-", "-", "-", "-"),
          componentSlots("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "-30")},
         {"Verdikt: Úroveň na detektoru -3 dBm, citlivost detektoru -30 dBm, rezerva 27 dB: signál detektor zachytí. "
          "CD 0 ns, PMD 0 ps. Disperze přenosovou rychlost neomezuje."}},
    };
}

// What a command prints on its standard output.
std::string outputOf(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// Runs of white space (no-break spaces too) as one space; line ends kept when asked.
std::string spacesAsOne(const std::string& text, bool keepLines) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool nbsp = text.compare(i, 2, "\xC2\xA0") == 0;
        const bool space =
            nbsp || text[i] == ' ' || text[i] == '\t' || text[i] == '\f' || (!keepLines && text[i] == '\n');
        if (nbsp) ++i;
        if (!space)
            out += text[i];
        else if (!out.empty() && out.back() != ' ' && out.back() != '\n')
            out += ' ';
        if (keepLines && text[i] == '\n' && !out.empty() && out.back() == ' ') out.back() = '\n';
    }
    return out;
}

int nonWhite(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) != qRgb(255, 255, 255);
    return n;
}

class ReportMatchesWindows : public UiTest {
protected:
    void checkRoute(const Case& c);
};

}  // namespace

void ReportMatchesWindows::checkRoute(const Case& c) {
    SCOPED_TRACE(c.name);
    for (const auto& s : c.components) route().AppendComponent(makeRecord(s));

    // The windows: draw, fill in the student data, paste the conclusion, press "Protokol".
    main().ToolButton11Click();
    ASSERT_TRUE(desk.shown.empty()) << desk.shown.front().text;
    control<QLabel>(main(), "Label7").setText(QString::fromUtf8("Žofie"));  // "fi" stays two letters
    control<QLabel>(main(), "Label6").setText(QString::fromUtf8("Nováček & syn"));
    control<QLabel>(main(), "Label10").setText(QStringLiteral("12. 3. 2024"));
    control<QLabel>(main(), "Label11").setText(QString::fromUtf8("3 – úterý"));
    // Windows line ends, a lone CR, a no-break space, and seven lines: the box keeps five.
    const std::string conclusion =
        "Útlum\xC2\xA0je v pořádku.\r\nDruhý řádek\r\rČtvrtý <i>řádek</i>\nPátý\r\nŠestý\r\nSedmý\r\n";
    control<QPlainTextEdit>(main(), "Memo1").setPlainText(QString::fromUtf8(conclusion));
    const fs::path windowsDir = dir / "bin" / "Protokol";
    const fs::path logo = fs::path(LUMOR_CLI_PATH).parent_path() / "Protokol" / "ORV.gif";
    fs::copy_file(logo, windowsDir / "ORV.gif");  // installed beside the program
    qputenv("SOURCE_DATE_EPOCH", "1710237600");
    main().ToolButton7Click();
    qunsetenv("SOURCE_DATE_EPOCH");
    ASSERT_EQ(desk.viewed.size(), 1u);

    // The tool, on the same route saved by the program and the same inputs.
    ASSERT_TRUE(route().SaveRoute(path("route.trasa")));
    writeBytes(dir / "zaver.txt", conclusion);
    const fs::path cliDir = dir / "cli";
    const CliRun r =
        runCli({"report", path("route.trasa"), "--out", cliDir.string(), "--jmeno", "Žofie", "--prijmeni",
                "Nováček & syn", "--datum", "12. 3. 2024", "--skupina", "3 – úterý", "--zaver", path("zaver.txt")},
               dir, "SOURCE_DATE_EPOCH=1710237600 TZ=Asia/Kolkata");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");

    const std::string page = bytesOf(windowsDir / "Protokol.html");
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(bytesOf(cliDir / "Protokol.html"), page);
    for (const char* name : {"att.bmp", "cd.bmp", "pmd.bmp"}) {
        QImage program, tool;
        ASSERT_TRUE(program.load(QString::fromStdString((windowsDir / name).string()), "BMP")) << name;
        ASSERT_TRUE(tool.load(QString::fromStdString((cliDir / name).string()), "BMP")) << name;
        EXPECT_EQ(tool.size(), QSize(632, 434)) << name;
        EXPECT_GT(nonWhite(program), 200) << name;  // a graph, not a blank picture
        EXPECT_EQ(tool.convertToFormat(QImage::Format_RGB32), program.convertToFormat(QImage::Format_RGB32)) << name;
        EXPECT_EQ(bytesOf(cliDir / name), bytesOf(windowsDir / name)) << name;
    }
    EXPECT_TRUE(fs::exists(cliDir / "ORV.gif"));

    // The PDF: the same bytes from both, one or two A4 pages, the logo its one picture (the
    // graphs are vectors), the page's text, the graphs' and the verdict in order.
    const fs::path pdf = cliDir / "Protokol.pdf";
    ASSERT_TRUE(bytesOf(pdf).starts_with("%PDF-"));
    EXPECT_EQ(bytesOf(windowsDir / "Protokol.pdf"), bytesOf(pdf));
    const std::string quoted = shellQuoted(pdf.string());
    const std::string info = outputOf("pdfinfo " + quoted);
    EXPECT_TRUE(info.find("Pages:           1\n") != std::string::npos ||
                info.find("Pages:           2\n") != std::string::npos)
        << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           Protokol\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Mar 12 10:00:00 2024 UTC"), std::string::npos) << info;
    std::vector<std::string> images;
    std::istringstream list(outputOf("pdfimages -list " + quoted + " | tail -n +3"));
    for (std::string line; std::getline(list, line);) {
        std::istringstream fields(line);
        std::string page, number, type, width, height;
        fields >> page >> number >> type >> width >> height;
        images.push_back(type + " " + width + "x" + height);
    }
    EXPECT_EQ(images, (std::vector<std::string>{"image 150x150"}));
    const std::string text = outputOf("pdftotext -enc UTF-8 " + quoted + " -");
    const std::string lines = spacesAsOne(text, true), flowing = spacesAsOne(text, false);
    std::size_t at = 0;
    for (const std::string& expected : c.pdfText) {
        const std::string flat = spacesAsOne(expected, false);
        at = flowing.find(flat, at);
        ASSERT_NE(at, std::string::npos) << flat << "\n---\n" << text;
        at += flat.size();
        if (expected.find('\n') != std::string::npos) {
            EXPECT_NE(lines.find(expected), std::string::npos) << text;
        }
    }
}

TEST_F(ReportMatchesWindows, MixedRoute) { checkRoute(cases()[0]); }
TEST_F(ReportMatchesWindows, LongDispersiveRoute) { checkRoute(cases()[1]); }
TEST_F(ReportMatchesWindows, SourceAndDetectorOnly) { checkRoute(cases()[2]); }
