// lumor-cli hodnoceni over a class folder: requirements per route, copies named, exit codes.
#include "cli_runner.h"
#include "test_messages.h"
#include "test_routes.h"

#include <gtest/gtest.h>

using namespace lumor;
using namespace lumor::clitest;

TEST(GradeCli, AClassFolderGradedWithItsCopiesNamed) {
    const ScratchFolder dir("cli_grade");
    writeBytes(dir / "uloha.zadani", "nazev = \"Úloha 1\"\n[pozadavky]\nrezerva_min_db = 20\nzesilovacu_max = 0\n");
    RecordingMessages m;
    RouteList route(m);
    testroutes::workedExample(route);  // margin 30 dB, no amplifier
    ASSERT_TRUE(route.SaveRoute((dir / "novak.trasa").string()) && route.SaveRoute((dir / "svoboda.trasa").string()));
    route.ReplaceComponent(3, testroutes::amplifier("1"));
    ASSERT_TRUE(route.SaveRoute((dir / "dvorak.trasa").string()));
    writeBytes(dir / "rozbita.trasa", "jen pár bajtů");
    const std::string a = (dir / "novak.trasa").string(), b = (dir / "svoboda.trasa").string(),
                      c = (dir / "dvorak.trasa").string(), task = (dir / "uloha.zadani").string();

    CliRun r = runCli({"hodnoceni", "--csv", task, a, b, c}, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "soubor;Rezerva [dB];nejméně 20 dB;Zesilovače;nejvýše 0;verdikt;stejné trasy;chyba\n" + a +
                         ";30;splněno;0;splněno;splněno;" + b + ";\n" + b + ";30;splněno;0;splněno;splněno;" + a +
                         ";\n" + c + ";31,5;splněno;1;nesplněno;nesplněno;;\n");

    // A file that cannot be read gets its row and the reason, and the exit status says so.
    r = runCli({"hodnoceni", task, a, (dir / "rozbita.trasa").string()}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.rfind("Zadání: Úloha 1\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("není optická trasa: má jen 15 bajtů"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Zadání splnilo 1 z 2 tras."), std::string::npos) << r.out;

    writeBytes(dir / "uloha.zadani", "[pozadavky]\nrezerva = 3\n");
    r = runCli({"hodnoceni", task, a}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("řádek 2: neznámý požadavek „rezerva“"), std::string::npos) << r.err;
    EXPECT_EQ(runCli({"hodnoceni", task}, dir.path()).exitCode, 2);
}
