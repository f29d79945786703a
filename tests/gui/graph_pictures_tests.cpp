#include "eval/graph_drawing.h"
#include "eval/gui/graph_pictures.h"
#include "eval/gui/qimage_canvas.h"
#include "test_files.h"
#include "test_messages.h"
#include "test_routes.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <fstream>

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
