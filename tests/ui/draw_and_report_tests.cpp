#include "app/ui/student_dialog.h"
#include "assignment/ui/assignment_panel.h"
#include "eval/ui/graph_window.h"
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
        route().appendComponent(component("Zdroj", "LED", "-", "3", "2"));
        route().appendComponent(component("Vlákno", "G.652", "2,5", "-", "-", "0,1", "17", "10"));
        route().appendComponent(component("Konektor", "SC", "0,5"));
        route().appendComponent(component("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "-30"));
    }
    std::string protokol(const std::string& name) const { return (dir / "bin" / "Protokol" / name).string(); }
    /// The student's name on the main window, as the student dialog leaves it.
    void nameTheStudent() {
        control<QLabel>(main(), "Label6").setText(QStringLiteral("Novák"));
        control<QLabel>(main(), "Label7").setText(QStringLiteral("Jan"));
    }
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
    main().drawGraphs();
    EXPECT_TRUE(desk.shown.empty());
    EXPECT_DOUBLE_EQ(state->routeResult.endAttenuation, 0);
    EXPECT_DOUBLE_EQ(state->routeResult.endCd, 0.34);
    EXPECT_NEAR(state->routeResult.endPmd, 0.1 * std::sqrt(10.0), 1e-12);
    for (const char* name : {"att", "Image2", "Image3"})
        EXPECT_GT(nonWhite(control<ImageView>(main(), name).picture()), 200) << name;
    for (const char* name : {"att.bmp", "cd.bmp", "pmd.bmp"}) {
        QImage img;
        ASSERT_TRUE(img.load(QString::fromStdString(protokol(name)), "BMP")) << name;
        EXPECT_EQ(img.size(), QSize(632, 434)) << name;
    }
    QImage saved(QString::fromStdString(protokol("cd.bmp")));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              control<ImageView>(*forms->graphWindows[1], "chrom").picture().convertToFormat(QImage::Format_RGB32));
    for (const char* name : {"SpeedButton2", "SpeedButton3", "SpeedButton4", "ToolButton7"}) {
        EXPECT_TRUE(main().findChild<QToolButton*>(QString::fromUtf8(name))->isEnabled()) << name;
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
    main().drawGraphs();
    const RouteResult drawn = state->routeResult;
    const std::string picture = bytesOf(protokol("pmd.bmp"));
    // An empty PMD: the graphs clear at once and the status line says why.
    route().replaceComponent(2, component("Vlákno", "G.652", "2,5", "-", "-", "", "17", "10"));
    const std::string why = "Ve sloupci 2 (Vlákno „G.652“) je řádek „PMD [ps/(km^0,5)]“ prázdný, má v něm být číslo.";
    EXPECT_EQ(control<QStatusBar>(main(), "StatusBar1").currentMessage().toStdString(),
              "Grafy nelze vykreslit: " + why);
    EXPECT_EQ(nonWhite(control<ImageView>(main(), "att").picture()), 0);
    desk.clear();
    control<QToolButton>(main(), "ToolButton11").click();
    ASSERT_EQ(desk.texts("exception"), std::vector<std::string>{why});
    EXPECT_EQ(state->routeResult.endAttenuation, drawn.endAttenuation);
    EXPECT_EQ(state->routeResult.endCd, drawn.endCd);
    EXPECT_EQ(state->routeResult.endPmd, drawn.endPmd);
    EXPECT_EQ(bytesOf(protokol("pmd.bmp")), picture);
}

TEST_F(DrawTest, EnlargedWindowsDrawTheCurrentRouteAndReadOutCoordinates) {
    workedRoute();
    main().drawGraphs();
    route().removeLastComponent();  // the window reads the route as it is now
    route().setColumns(route().colCount() - 1);
    route().appendComponent(component("Detektor", "APD", "-", "-", "-", "-", "-", "-", "-40"));
    desk.clear();
    desk.modalActions.push_back([](QDialog& d) {
        auto& w = static_cast<GraphWindow&>(d);
        w.showCoordinates(25, 100);
        EXPECT_EQ(control<QStatusBar>(w, "StatusBar1").currentMessage().toStdString().rfind("Souřadnice  X:0, Y:", 0),
                  0u);
    });
    main().enlargeAttenuation();
    ASSERT_EQ(desk.texts("modal"), std::vector<std::string>{"Form6"});
    EXPECT_DOUBLE_EQ(state->routeResult.endAttenuation, 0);  // enlarged windows leave it alone
    EXPECT_EQ(forms->graphWindows[0]->windowTitle(), QStringLiteral("Graf útlumu"));
    EXPECT_EQ(forms->graphWindows[1]->pos(), QPoint(281, 190));
    EXPECT_EQ(forms->graphWindows[2]->size(), QSize(632, 453));
    EXPECT_EQ(control<QStatusBar>(*forms->graphWindows[2], "StatusBar1").geometry(), QRect(0, 434, 632, 19));
}

TEST_F(DrawTest, ReportIsWrittenBesideTheExecutableAndOpened) {
    workedRoute();
    main().drawGraphs();
    StudentDialog& s = *forms->studentDialog;
    control<QLineEdit>(s, "Edit1").setText(QStringLiteral("Jan"));
    control<QLineEdit>(s, "Edit2").setText(QStringLiteral("Novák"));
    s.confirm();
    control<QPlainTextEdit>(main(), "Memo1").setPlainText(QStringLiteral("Trasa vyhovuje."));
    desk.clear();
    main().writeReport();
    ASSERT_EQ(desk.viewed, std::vector<std::string>{protokol("Protokol.html")});
    const std::string page = bytesOf(protokol("Protokol.html"));
    EXPECT_NE(page.find("Jan Nov\xE1k"), std::string::npos);
    EXPECT_NE(page.find("Trasa vyhovuje.\r\n"), std::string::npos);
    EXPECT_NE(page.find(">0,34</font> ns"), std::string::npos);
}

TEST_F(DrawTest, AReportThatCannotBeOpenedOrWrittenIsSaid) {
    workedRoute();
    main().drawGraphs();
    nameTheStudent();
    desk.viewerOpens = false;  // written, but the viewer cannot open it
    main().writeReport();
    ASSERT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_NE(desk.texts("warning")[0].find("nepodařilo se ho otevřít"), std::string::npos);
    EXPECT_TRUE(fs::exists(protokol("Protokol.html")));

    fs::remove_all(dir / "bin" / "Protokol");  // no report folder: nothing to open
    desk.viewerOpens = true;
    desk.viewed.clear();
    desk.clear();
    main().writeReport();
    EXPECT_TRUE(desk.viewed.empty());
    ASSERT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_NE(desk.texts("warning")[0].find("Protokol.html"), std::string::npos);
}

TEST_F(DrawTest, ReportAfterTheStudentDialogFilledButNotConfirmedStillWrites) {
    workedRoute();
    main().drawGraphs();
    desk.clear();
    desk.modalActions.push_back([](QDialog& d) {
        auto& s = static_cast<StudentDialog&>(d);
        control<QLineEdit>(s, "Edit1").setText(QStringLiteral("Jan"));
        control<QLineEdit>(s, "Edit2").setText(QStringLiteral("Novák"));
        s.close();  // closed without the confirm button: the labels stay empty
    });
    main().writeReport();
    ASSERT_EQ(desk.viewed.size(), 1u);
    EXPECT_NE(bytesOf(desk.viewed[0]).find("neuvedeno neuvedeno"), std::string::npos);
}

TEST_F(DrawTest, AReportAfterAnEditIsTheReportOfTheRouteInTheTable) {
    workedRoute();
    main().drawGraphs();
    nameTheStudent();
    route().removeComponent(3);  // the connector, after the draw
    desk.clear();
    qputenv("SOURCE_DATE_EPOCH", "1710237600");
    main().writeReport();
    ASSERT_EQ(desk.viewed.size(), 1u) << (desk.shown.empty() ? "" : desk.shown.front().text);
    const char* names[] = {"Protokol.html", "Protokol.pdf", "att.bmp", "cd.bmp", "pmd.bmp"};
    std::map<std::string, std::string> afterEdit;
    for (const char* name : names) afterEdit[name] = bytesOf(protokol(name));
    EXPECT_NE(afterEdit["Protokol.html"].find(">0,5</font> dB."), std::string::npos);  // 3 - 2,5 dB
    // Drawn and reported again: the same set.
    main().drawGraphs();
    main().writeReport();
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
    main().drawGraphs();
    nameTheStudent();
    fs::remove(protokol("att.bmp"));
    route().removeLastComponent();  // the detector
    desk.clear();
    main().writeReport();
    ASSERT_EQ(desk.texts("warning").size(), 1u);
    EXPECT_EQ(desk.texts("warning")[0].rfind("Trasa není úplná", 0), 0u) << desk.texts("warning")[0];
    route().appendComponent(component("Detektor", "PIN", "-", "-", "-", "-", "-", "-", "x"));
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
    EXPECT_EQ(panel.title(), QStringLiteral("Zadání: Úloha 1"));
    EXPECT_EQ(panel.linesText(), QStringLiteral("✓ Délka vláken: 10 km (nejméně 10 km)\n✓ Komponenty: 4 (nejvýše 4)"));
    route().appendComponent(component("Konektor", "SC", "0,5"));  // no detector at the end: nothing is met
    EXPECT_EQ(panel.linesText(), QStringLiteral("✗ Délka vláken: – (nejméně 10 km)\n✗ Komponenty: – (nejvýše 4)"));
    route().removeComponent(5);
    EXPECT_EQ(panel.linesText(), QStringLiteral("✓ Délka vláken: 10 km (nejméně 10 km)\n✓ Komponenty: 4 (nejvýše 4)"));

    nameTheStudent();
    main().writeReport();
    const std::string command = "pdftotext -enc UTF-8 '" + protokol("Protokol.pdf") + "' -";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        for (int c; (c = std::fgetc(pipe)) != EOF;) text += static_cast<char>(c);
        pclose(pipe);
    }
    EXPECT_NE(text.find("Zadání: Úloha 1"), std::string::npos) << text;
    EXPECT_NE(text.find("Trasa zadání splňuje."), std::string::npos) << text;
}
