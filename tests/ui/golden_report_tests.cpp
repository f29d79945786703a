// The report page and the three pictures of known routes, drawn and reported in the windows,
// against the bytes kept in tests/golden/report: a change in how the program draws or writes
// shows up here byte for byte. The pictures are kept as SHA-256 sums of their BMP files; their
// texts are drawn in DejaVu Sans without antialiasing (canvasFont).
#include "app/ui/student_dialog.h"
#include "eval/gui/qimage_canvas.h"
#include "test_files.h"
#include "ui_fixture.h"

#include <QCryptographicHash>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>

#include <fstream>
#include <sstream>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

std::string sha256Of(const std::string& bytes) {
    return QCryptographicHash::hash(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

/// "sum  name" lines as sha256sum writes them, as name → sum.
std::map<std::string, std::string> pictureSums(const fs::path& file) {
    std::map<std::string, std::string> sums;
    std::istringstream lines(bytesOf(file));
    std::string sum, name;
    while (lines >> sum >> name) sums[name] = sum;
    return sums;
}

/// True when the graph texts are drawn in the font the kept pictures were made with.
bool pictureFontAsKept() { return QFontInfo(canvasFont()).family() == QStringLiteral("DejaVu Sans"); }

class GoldenReport : public UiTest, public ::testing::WithParamInterface<const char*> {};

}  // namespace

TEST_P(GoldenReport, WindowsWriteTheKeptPageAndPictures) {
    const fs::path golden = fs::path(LUMOR_GOLDEN_DIR) / "report" / GetParam();
    ASSERT_TRUE(route().load((golden / "route.trasa").string()));
    main().drawGraphs();
    ASSERT_TRUE(desk.shown.empty()) << desk.shown.front().text;
    control<QLabel>(main(), "Label7").setText(QStringLiteral("Jan"));
    control<QLabel>(main(), "Label6").setText(QString::fromUtf8("Nováček & syn"));
    control<QLabel>(main(), "Label10").setText(QStringLiteral("12. 3. 2024"));
    control<QLabel>(main(), "Label11").setText(QString::fromUtf8("3 – úterý"));
    control<QPlainTextEdit>(main(), "Memo1").setPlainText(QString::fromStdString(bytesOf(golden / "zaver.txt")));
    main().writeReport();
    ASSERT_EQ(desk.viewed.size(), 1u);

    const fs::path written = dir / "bin" / "Protokol";
    EXPECT_EQ(bytesOf(written / "Protokol.html"), bytesOf(golden / "Protokol.html"));
    const auto sums = pictureSums(golden / "pictures.sha256");
    ASSERT_EQ(sums.size(), 3u);
    if (!pictureFontAsKept()) GTEST_SKIP() << "the graph texts use another font here than the kept pictures";
    for (const auto& [name, sum] : sums) EXPECT_EQ(sha256Of(bytesOf(written / name)), sum) << name;
}

INSTANTIATE_TEST_SUITE_P(Routes, GoldenReport,
                         ::testing::Values("MixedRoute", "LongDispersiveRoute", "SourceAndDetectorOnly"));
