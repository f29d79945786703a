#include "eval/graph_drawing.h"
#include "eval/gui/graph_pictures.h"
#include "eval/gui/qimage_canvas.h"
#include "test_messages.h"
#include "test_routes.h"

#include <gtest/gtest.h>

#include <QImage>

#include <unistd.h>
#include <filesystem>
#include <fstream>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

class GraphPictures : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("lumor_pictures_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        testroutes::workedExample(route);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    /// The draw command's pictures of the route.
    std::array<QImageCanvas, 3> draw() {
        QImageCanvas att(kSmallAttenuationWidth, kSmallGraphHeight), cd(kSmallDispersionWidth, kSmallGraphHeight),
            pmd(kSmallDispersionWidth, kSmallGraphHeight);
        std::array<QImageCanvas, 3> big = {QImageCanvas(kEnlargedGraphWidth, kEnlargedGraphHeight),
                                           QImageCanvas(kEnlargedGraphWidth, kEnlargedGraphHeight),
                                           QImageCanvas(kEnlargedGraphWidth, kEnlargedGraphHeight)};
        RouteResult result;
        EXPECT_TRUE(renderRoutePictures(route, {{&att, &cd, &pmd}, {&big[0], &big[1], &big[2]}}, result));
        return big;
    }

    fs::path dir;
    RecordingMessages messages;
    RouteList route{messages};
};

}  // namespace

TEST_F(GraphPictures, TheThreePicturesAreSavedAsBitmapsUnderTheirNames) {
    const auto big = draw();
    fs::create_directories(dir / "Protokol");
    std::ofstream(dir / "Protokol" / "cd.bmp") << "an old picture";
    ASSERT_FALSE(saveGraphPictures((dir / "Protokol").string(), {&big[0].image(), &big[1].image(), &big[2].image()}));
    for (std::size_t i = 0; i < 3; ++i) {
        const fs::path file = dir / "Protokol" / kGraphPictureNames[i];
        QImage saved;
        ASSERT_TRUE(saved.load(QString::fromStdString(file.string()), "BMP")) << file;
        EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), big[i].image()) << file;
        EXPECT_EQ(fileBytes(file), *bmpBytes(big[i].image())) << file;
    }
    EXPECT_EQ(kGraphPictureNames, (std::array<std::string, 3>{"att.bmp", "cd.bmp", "pmd.bmp"}));
    // A folder given with its separator gives the same paths.
    ASSERT_FALSE(
        saveGraphPictures((dir / "Protokol").string() + "/", {&big[0].image(), &big[1].image(), &big[2].image()}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Protokol"), fs::directory_iterator()), 3);
}

TEST_F(GraphPictures, AMissingFolderStopsAtTheFirstPicture) {
    const auto big = draw();
    const auto failure =
        saveGraphPictures((dir / "none").string(), {&big[0].image(), &big[1].image(), &big[2].image()});
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
        EXPECT_EQ(alone.image(), big[i].image()) << i;
    }
}
