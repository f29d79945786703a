#include "eval/graph_drawing.h"
#include "eval/gui/graph_pictures.h"
#include "eval/gui/qimage_canvas.h"
#include "eval/gui/vector_canvas.h"
#include "test_files.h"
#include "test_messages.h"
#include "test_routes.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <set>
#include <utility>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

class GraphPictures : public ::testing::Test {
protected:
    void SetUp() override { testroutes::workedExample(route); }
    /// The draw command's pictures of the route.
    EnlargedPictures draw() {
        QImageCanvas att(kSmallAttenuationWidth, kSmallGraphHeight), cd(kSmallDispersionWidth, kSmallGraphHeight),
            pmd(kSmallDispersionWidth, kSmallGraphHeight);
        EnlargedPictures big;
        RouteResult result;
        EXPECT_TRUE(renderRoutePictures(route, {{&att, &cd, &pmd}, big.targets()}, result));
        return big;
    }

    ScratchFolder dir{"pictures"};
    RecordingMessages messages;
    RouteList route{messages};
};

}  // namespace

TEST_F(GraphPictures, TheThreePicturesAreSavedAsBitmapsUnderTheirNames) {
    const auto big = draw();
    fs::create_directories(dir / "Protokol");
    std::ofstream(dir / "Protokol" / "cd.bmp") << "an old picture";
    ASSERT_FALSE(saveGraphPictures((dir / "Protokol").string(), big));
    for (std::size_t i = 0; i < 3; ++i) {
        const fs::path file = dir / "Protokol" / kGraphPictureNames[i];
        QImage saved;
        ASSERT_TRUE(saved.load(QString::fromStdString(file.string()), "BMP")) << file;
        EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), big.image(i)) << file;
        EXPECT_EQ(bytesOf(file), *bmpBytes(big.image(i))) << file;
    }
    EXPECT_EQ(kGraphPictureNames, (std::array<std::string, 3>{"att.bmp", "cd.bmp", "pmd.bmp"}));
    // A folder given with its separator gives the same paths.
    ASSERT_FALSE(saveGraphPictures((dir / "Protokol").string() + "/", big));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Protokol"), fs::directory_iterator()), 3);
}

TEST_F(GraphPictures, AMissingFolderStopsAtTheFirstPicture) {
    const auto big = draw();
    const auto failure = saveGraphPictures((dir / "none").string(), big);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path, (dir / "none").string() + "/att.bmp");
    EXPECT_EQ(failure->reason, "složka neexistuje");
    EXPECT_FALSE(fs::exists(dir / "none"));
}

TEST_F(GraphPictures, TheRouteDrawsTheSameEnlargedPicturesAsEachGraphOnItsOwn) {
    const auto big = draw();
    for (std::size_t i = 0; i < 3; ++i) {
        QImageCanvas alone(kEnlargedGraphWidth, kEnlargedGraphHeight);
        renderEnlargedGraph(route, kGraphKinds[i], alone);
        EXPECT_EQ(alone.image(), big.image(i)) << i;
    }
}

TEST_F(GraphPictures, AtDevicePixelRatio2TheGraphIsDrawnAtFullResolutionNotEnlarged) {
    QImageCanvas one(kEnlargedGraphWidth, kEnlargedGraphHeight);
    VectorCanvas vectors(kEnlargedGraphWidth, kEnlargedGraphHeight);
    renderEnlargedGraph(route, GraphKind::Attenuation, one);
    renderEnlargedGraph(route, GraphKind::Attenuation, vectors);
    const QImage two = vectors.picture(2);
    ASSERT_EQ(two.size(), QSize(2 * kEnlargedGraphWidth, 2 * kEnlargedGraphHeight));
    EXPECT_EQ(two.devicePixelRatio(), 2);
    const QRgb red = qRgb(255, 0, 0);
    const std::set<QRgb> pens = {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0xA6, 0xCA, 0xF0), qRgb(0, 0x80, 0), red};
    int mixed = 0, redOne = 0, redTwo = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            const QRgb block[] = {two.pixel(2 * x, 2 * y), two.pixel(2 * x + 1, 2 * y), two.pixel(2 * x, 2 * y + 1),
                                  two.pixel(2 * x + 1, 2 * y + 1)};
            for (QRgb p : block) {
                ASSERT_TRUE(pens.contains(p)) << "a blurred pixel at " << x << "," << y;  // no antialiasing
                redTwo += p == red;
            }
            // A doubled picture has only blocks of one colour; texts and slopes drawn at the
            // full resolution have finer steps.
            mixed += !std::all_of(std::begin(block), std::end(block), [&](QRgb p) { return p == block[0]; });
            // The sensitivity line keeps its place and is exactly as thick as at 1.
            if (one.image().pixel(x, y) == red) {
                ++redOne;
                EXPECT_TRUE(std::all_of(std::begin(block), std::end(block), [&](QRgb p) { return p == red; }))
                    << x << "," << y;
            }
        }
    }
    EXPECT_GT(mixed, 500);
    EXPECT_GT(redOne, 500);
    EXPECT_EQ(redTwo, 4 * redOne);
}

TEST(ImageCanvas, LinesRunFromTheFirstPointUpToTheLastOnePixelPerStepNearestTheIdealLine) {
    using Pixels = std::set<std::pair<int, int>>;
    struct Case {
        int x1, y1, x2, y2;
        Pixels drawn;
    };
    const Case cases[] = {
        {2, 3, 6, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},  // a value tick: 23 to 28 is 23…27
        {6, 3, 2, 3, {{6, 3}, {5, 3}, {4, 3}, {3, 3}}},
        {4, 1, 4, 5, {{4, 1}, {4, 2}, {4, 3}, {4, 4}}},
        {4, 5, 4, 1, {{4, 5}, {4, 4}, {4, 3}, {4, 2}}},
        {0, 0, 5, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},  // rows 0, 0.4, 0.8, 1.2, 1.6
        {5, 2, 0, 0, {{5, 2}, {4, 2}, {3, 1}, {2, 1}, {1, 0}}},
        {1, 9, 3, 3, {{1, 9}, {1, 8}, {2, 7}, {2, 6}, {2, 5}, {3, 4}}},  // steep, rising
        {9, 2, 3, 4, {{9, 2}, {8, 2}, {7, 3}, {6, 3}, {5, 3}, {4, 4}}},  // falling slope, leftwards
        {5, 5, 5, 5, {}},
        {INT_MIN, 7, INT_MAX, 7, {{0, 7}, {1, 7}, {2, 7}, {3, 7}, {4, 7}, {5, 7}, {6, 7}, {7, 7}, {8, 7}, {9, 7}}},
        {-4, -2, 14, 4, {{1, 0}, {2, 0}, {3, 0}, {4, 1}, {5, 1}, {6, 1}, {7, 2}, {8, 2}, {9, 2}}},  // clipped
    };
    for (const Case& c : cases) {
        QImageCanvas canvas(10, 10);
        canvas.setPen(kLightBluePen);
        canvas.line(c.x1, c.y1, c.x2, c.y2);
        Pixels drawn;
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 10; ++x) {
                const QRgb p = canvas.image().pixel(x, y);
                if (p == qRgb(0xA6, 0xCA, 0xF0)) {
                    drawn.insert({x, y});
                } else {
                    EXPECT_EQ(p, qRgb(255, 255, 255)) << x << "," << y;
                }
            }
        }
        EXPECT_EQ(drawn, c.drawn) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}
