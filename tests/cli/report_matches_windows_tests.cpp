// The report that lumor-cli writes is the one the program writes: the same route is drawn and
// reported in the real windows (offscreen, scripted desk) and with the built tool, and the
// page's bytes and the pictures' pixels are compared.
#include "cli_runner.h"
#include "eval/ui/graph_windows.h"
#include "platform/ui/image_view.h"
#include "ui_fixture.h"

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>

using namespace lumor;
using namespace lumor::clitest;
namespace fs = std::filesystem;

namespace {

struct Case {
    const char* name;
    std::vector<std::array<std::string, 11>> components;
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
          componentSlots("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "-24,5")}},
        {"LongDispersiveRoute",  // CD beyond 1000 ps: the value ticks in ns
         {componentSlots("Zdroj", "LED", "-", "0", "40", "-", "-", "-", "-"),
          componentSlots("Vlákno", "G.652", "40", "-", "-", "0,5", "18", "200", "-"),
          componentSlots("Detektor", "APD", "-", "-", "-", "-", "-", "-", "-45")}},
        {"SourceAndDetectorOnly",  // no fibre: the fallback scales
         {componentSlots("Zdroj", "LED", "-", "-3", "1", "-", "-", "-", "-"),
          componentSlots("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "-30")}},
    };
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
    control<QLabel>(main(), "Label7").setText(QStringLiteral("Jan"));
    control<QLabel>(main(), "Label6").setText(QString::fromUtf8("Nováček & syn"));
    control<QLabel>(main(), "Label10").setText(QStringLiteral("12. 3. 2024"));
    control<QLabel>(main(), "Label11").setText(QString::fromUtf8("3 – úterý"));
    // Windows line ends, a lone CR, a no-break space, and seven lines: the box keeps five.
    const std::string conclusion =
        "Útlum\xC2\xA0je v pořádku.\r\nDruhý řádek\r\rČtvrtý <i>řádek</i>\nPátý\r\nŠestý\r\nSedmý\r\n";
    control<QPlainTextEdit>(main(), "Memo1").setPlainText(QString::fromUtf8(conclusion));
    main().ToolButton7Click();
    ASSERT_EQ(desk.viewed.size(), 1u);
    const fs::path windowsDir = dir / "bin" / "Protokol";

    // The tool, on the same route saved by the program and the same inputs.
    ASSERT_TRUE(route().SaveRoute(path("route.trasa")));
    writeBytes(dir / "zaver.txt", conclusion);
    const fs::path cliDir = dir / "cli";
    const CliRun r =
        runCli({"report", path("route.trasa"), "--out", cliDir.string(), "--jmeno", "Jan", "--prijmeni",
                "Nováček & syn", "--datum", "12. 3. 2024", "--skupina", "3 – úterý", "--zaver", path("zaver.txt")},
               dir);
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
}

TEST_F(ReportMatchesWindows, MixedRoute) { checkRoute(cases()[0]); }
TEST_F(ReportMatchesWindows, LongDispersiveRoute) { checkRoute(cases()[1]); }
TEST_F(ReportMatchesWindows, SourceAndDetectorOnly) { checkRoute(cases()[2]); }
