#include "app/ui/student_dialog.h"
#include "assignment/ui/assignment_panel.h"
#include "eval/ui/graph_windows.h"
#include "platform/ui/image_view.h"
#include "ui_fixture.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolButton>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

class DrawTest : public UiTest {
protected:
    void workedRoute() {
        route().AppendComponent(component("Zdroj", "LED", "-", "3", "2"));
        route().AppendComponent(component("Vlákno", "G.652", "2,5", "-", "-", "0,1", "17", "10"));
        route().AppendComponent(component("Konektor", "SC", "0,5"));
        route().AppendComponent(component("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "-30"));
    }
    std::string protokol(const std::string& name) const { return (dir / "bin" / "Protokol" / name).string(); }
    static int nonWhite(const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) != qRgb(255, 255, 255);
        return n;
    }
    static std::string bytesOf(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
};

}  // namespace

TEST_F(DrawTest, DrawingACompleteRouteFillsEverythingAndSavesTheThreePictures) {
    workedRoute();
    main().ToolButton11Click();
    EXPECT_TRUE(desk.shown.empty());
    EXPECT_DOUBLE_EQ(state->routeResult.EndAttenuation, 0);
    EXPECT_DOUBLE_EQ(state->routeResult.EndCd, 0.34);
    EXPECT_NEAR(state->routeResult.EndPmd, 0.1 * std::sqrt(10.0), 1e-12);
    for (const char* name : {"att", "Image2", "Image3"})
        EXPECT_GT(nonWhite(control<ImageView>(main(), name).picture()), 200) << name;
    for (const char* name : {"att.bmp", "cd.bmp", "pmd.bmp"}) {
        QImage img;
        ASSERT_TRUE(img.load(QString::fromStdString(protokol(name)), "BMP")) << name;
        EXPECT_EQ(img.size(), QSize(632, 434)) << name;
    }
    QImage saved(QString::fromStdString(protokol("cd.bmp")));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              control<ImageView>(*forms->Form7, "chrom").picture().convertToFormat(QImage::Format_RGB32));
    for (const char* name : {"SpeedButton2", "SpeedButton3", "SpeedButton4", "ToolButton7"}) {
        EXPECT_TRUE(main().findChild<QToolButton*>(name)->isEnabled()) << name;
    }
}

TEST_F(DrawTest, AMissingReportFolderStopsTheDrawAtTheFirstPicture) {
    fs::remove_all(dir / "bin" / "Protokol");
    workedRoute();
    control<QToolButton>(main(), "ToolButton11").click();
    ASSERT_EQ(desk.shown.size(), 1u);
    EXPECT_EQ(desk.shown[0].kind, "exception");
    EXPECT_EQ(desk.shown[0].text, "Cannot create file " + protokol("att.bmp") + ".");
    EXPECT_FALSE(desk.shown[0].reason.empty());  // why, in Czech, below the text
    EXPECT_FALSE(control<QToolButton>(main(), "ToolButton7").isEnabled());
    EXPECT_GT(nonWhite(control<ImageView>(main(), "att").picture()), 200);  // the small graphs were drawn before
}

TEST_F(DrawTest, AFailedDrawChangesNothingAndNamesTheValueWhileTheScreenShowsWhy) {
    workedRoute();
    main().ToolButton11Click();
    const RouteResult drawn = state->routeResult;
    const std::string picture = bytesOf(protokol("pmd.bmp"));
    // An empty PMD: the graphs clear at once and the status line says why.
    route().ReplaceComponent(2, component("Vlákno", "G.652", "2,5", "-", "-", "", "17", "10"));
    const std::string why = "Ve sloupci 2 (Vlákno „G.652“) je řádek „PMD [ps/(km^0,5)]“ prázdný, má v něm být číslo.";
    EXPECT_EQ(control<QStatusBar>(main(), "StatusBar1").currentMessage().toStdString(),
              "Grafy nelze vykreslit: " + why);
    EXPECT_EQ(nonWhite(control<ImageView>(main(), "att").picture()), 0);
    desk.clear();
    control<QToolButton>(main(), "ToolButton11").click();
    ASSERT_EQ(desk.texts("exception"), std::vector<std::string>{why});
    EXPECT_EQ(state->routeResult.EndAttenuation, drawn.EndAttenuation);
    EXPECT_EQ(state->routeResult.EndCd, drawn.EndCd);
    EXPECT_EQ(state->routeResult.EndPmd, drawn.EndPmd);
    EXPECT_EQ(bytesOf(protokol("pmd.bmp")), picture);
}

TEST_F(DrawTest, EnlargedWindowsDrawTheCurrentRouteAndReadOutCoordinates) {
    workedRoute();
    main().ToolButton11Click();
    route().RemoveLastComponent();  // the window reads the route as it is now
    route().setColumns(route().colCount() - 1);
    route().AppendComponent(component("Detektor", "APD", "-", "-", "-", "-", "-", "-", "-40"));
    desk.clear();
    desk.modalActions.push_back([](QDialog& d) {
        auto& w = static_cast<TForm6&>(d);
        w.utlumMouseMove(25, 100);
        EXPECT_EQ(control<QStatusBar>(w, "StatusBar1").currentMessage().toStdString().rfind("Souřadnice  X:0, Y:", 0),
                  0u);
    });
    main().SpeedButton2Click();
    ASSERT_EQ(desk.texts("modal"), std::vector<std::string>{"Form6"});
    EXPECT_DOUBLE_EQ(state->routeResult.EndAttenuation, 0);  // enlarged windows leave it alone
    EXPECT_EQ(forms->Form6->windowTitle(), "Graf útlumu");
    EXPECT_EQ(forms->Form7->pos(), QPoint(281, 190));
    EXPECT_EQ(forms->Form8->size(), QSize(632, 453));
    EXPECT_EQ(control<QStatusBar>(*forms->Form8, "StatusBar1").geometry(), QRect(0, 434, 632, 19));
}

TEST_F(DrawTest, ReportIsWrittenBesideTheExecutableAndOpened) {
    workedRoute();
    main().ToolButton11Click();
    TForm5& s = *forms->Form5;
    control<QLineEdit>(s, "Edit1").setText("Jan");
    control<QLineEdit>(s, "Edit2").setText("Novák");
    s.SpeedButton1Click();
    control<QPlainTextEdit>(main(), "Memo1").setPlainText("Trasa vyhovuje.");
    desk.clear();
    main().ToolButton7Click();
    ASSERT_EQ(desk.viewed, std::vector<std::string>{protokol("Protokol.html")});
    const std::string page = bytesOf(protokol("Protokol.html"));
    EXPECT_NE(page.find("Jan Nov\xE1k"), std::string::npos);
    EXPECT_NE(page.find("Trasa vyhovuje.\r\n"), std::string::npos);
    EXPECT_NE(page.find(">0,34</font> ns"), std::string::npos);
}

TEST_F(DrawTest, ReportFolderMissingWarnsAndOpensNothing) {
    workedRoute();
    main().ToolButton11Click();
    control<QLabel>(main(), "Label6").setText("Novák");
    control<QLabel>(main(), "Label7").setText("Jan");
    fs::remove_all(dir / "bin" / "Protokol");
    desk.clear();
    main().ToolButton7Click();
    EXPECT_TRUE(desk.viewed.empty());
    ASSERT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_NE(desk.texts("warning")[0].find("Protokol.html"), std::string::npos);
}

TEST_F(DrawTest, AViewerThatCannotOpenThePageIsReported) {
    workedRoute();
    main().ToolButton11Click();
    control<QLabel>(main(), "Label6").setText("Novák");
    control<QLabel>(main(), "Label7").setText("Jan");
    desk.viewerOpens = false;
    desk.clear();
    main().ToolButton7Click();
    ASSERT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_NE(desk.texts("warning")[0].find("nepodařilo se ho otevřít"), std::string::npos);
    EXPECT_TRUE(fs::exists(protokol("Protokol.html")));
}

TEST_F(DrawTest, ReportAfterTheStudentDialogFilledButNotConfirmedStillWrites) {
    workedRoute();
    main().ToolButton11Click();
    desk.clear();
    desk.modalActions.push_back([](QDialog& d) {
        auto& s = static_cast<TForm5&>(d);
        control<QLineEdit>(s, "Edit1").setText("Jan");
        control<QLineEdit>(s, "Edit2").setText("Novák");
        s.close();  // closed without the confirm button: the labels stay empty
    });
    main().ToolButton7Click();
    ASSERT_EQ(desk.viewed.size(), 1u);
    EXPECT_NE(bytesOf(desk.viewed[0]).find("neuvedeno neuvedeno"), std::string::npos);
}

TEST_F(DrawTest, AReportAfterAnEditIsTheReportOfTheRouteInTheTable) {
    workedRoute();
    main().ToolButton11Click();
    control<QLabel>(main(), "Label6").setText("Novák");
    control<QLabel>(main(), "Label7").setText("Jan");
    route().RemoveComponent(3);  // the connector, after the draw
    desk.clear();
    qputenv("SOURCE_DATE_EPOCH", "1710237600");
    main().ToolButton7Click();
    ASSERT_EQ(desk.viewed.size(), 1u) << (desk.shown.empty() ? "" : desk.shown.front().text);
    const char* names[] = {"Protokol.html", "Protokol.pdf", "att.bmp", "cd.bmp", "pmd.bmp"};
    std::map<std::string, std::string> afterEdit;
    for (const char* name : names) afterEdit[name] = bytesOf(protokol(name));
    EXPECT_NE(afterEdit["Protokol.html"].find(">0,5</font> dB."), std::string::npos);  // 3 - 2,5 dB
    // Drawn and reported again: the same set.
    main().ToolButton11Click();
    main().ToolButton7Click();
    qunsetenv("SOURCE_DATE_EPOCH");
    for (const char* name : names) EXPECT_EQ(bytesOf(protokol(name)), afterEdit[name]) << name;

    // The status line says where the PDF went; its button opens the folder.
    EXPECT_NE(control<QStatusBar>(main(), "StatusBar1").currentMessage().toStdString().find(protokol("Protokol.pdf")),
              std::string::npos);
    desk.clear();
    control<QToolButton>(main(), "ReportFolderLink").click();
    ASSERT_EQ(desk.texts("folder"), std::vector<std::string>{(dir / "bin" / "Protokol").string() + "/"});
}

TEST_F(DrawTest, ARouteThatCannotBeReportedWritesNothingAndSaysWhy) {
    workedRoute();
    main().ToolButton11Click();
    control<QLabel>(main(), "Label6").setText("Novák");
    control<QLabel>(main(), "Label7").setText("Jan");
    fs::remove(protokol("att.bmp"));
    route().RemoveLastComponent();  // the detector
    desk.clear();
    main().ToolButton7Click();
    ASSERT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_EQ(desk.texts("warning")[0].rfind("Trasa není úplná", 0), 0u) << desk.texts("warning")[0];
    route().AppendComponent(component("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "x"));
    desk.clear();
    control<QToolButton>(main(), "ToolButton7").click();
    ASSERT_EQ(desk.texts("exception").size(), 1u);
    EXPECT_NE(desk.texts("exception")[0].find("„x“"), std::string::npos) << desk.texts("exception")[0];
    EXPECT_TRUE(desk.viewed.empty());
    EXPECT_FALSE(fs::exists(protokol("Protokol.html")) || fs::exists(protokol("att.bmp")));
    EXPECT_TRUE(control<QToolButton>(main(), "ReportFolderLink").isHidden());
}

TEST_F(DrawTest, TheAssignmentFollowsEveryEditAndGoesIntoThePdf) {
    workedRoute();  // 10 km of fibre, four components
    const fs::path file = dir / "úloha.zadani";
    std::ofstream(file) << "nazev = \"Úloha 1\"\n[pozadavky]\ndelka_min_km = 10\nkomponent_max = 4\n";
    main().openGivenFile(file.string());
    const auto& panel = control<AssignmentPanel>(main(), "zadani");
    EXPECT_FALSE(panel.isHidden());
    EXPECT_EQ(panel.title(), "Zadání: Úloha 1");
    EXPECT_EQ(panel.linesText(), "✓ Délka vláken: 10 km (nejméně 10 km)\n✓ Komponenty: 4 (nejvýše 4)");
    route().AppendComponent(component("Konektor", "SC", "0,5"));  // no detector at the end: nothing is met
    EXPECT_EQ(panel.linesText(), "✗ Délka vláken: – (nejméně 10 km)\n✗ Komponenty: – (nejvýše 4)");
    route().RemoveComponent(5);
    EXPECT_EQ(panel.linesText(), "✓ Délka vláken: 10 km (nejméně 10 km)\n✓ Komponenty: 4 (nejvýše 4)");

    control<QLabel>(main(), "Label6").setText("Novák");
    control<QLabel>(main(), "Label7").setText("Jan");
    main().ToolButton7Click();
    const std::string command = "pdftotext -enc UTF-8 '" + protokol("Protokol.pdf") + "' -";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        for (int c; (c = std::fgetc(pipe)) != EOF;) text += static_cast<char>(c);
        pclose(pipe);
    }
    EXPECT_NE(text.find("Zadání: Úloha 1"), std::string::npos) << text;
    EXPECT_NE(text.find("Trasa zadání splňuje."), std::string::npos) << text;
}
