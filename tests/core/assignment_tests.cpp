#include "assignment/assignment.h"
#include "assignment/grading.h"
#include "test_messages.h"
#include "test_routes.h"
#include "text/slot_image.h"

#include <gtest/gtest.h>

using namespace lumor;
using namespace lumor::testroutes;

namespace {

/// Source, fibre 0,1 km, amplifier, fibre 0,2 km, connector, detector: fibre length 0,1 + 0,2
/// (0,30000000000000004 in double), margin 36,5 dB, bit rate 24,5098… Gbit/s (CD), one
/// amplifier, six components.
void sixComponents(RouteList& route) {
    route.AppendComponent(source("3", "2"));
    route.AppendComponent(fibre("0,1", "0,5", "17", "0,1"));
    route.AppendComponent(amplifier("5"));
    route.AppendComponent(fibre("0,2", "0,5", "17", "0,1"));
    route.AppendComponent(connector("0,5"));
    route.AppendComponent(detector("-30"));
}

}  // namespace

TEST(Assignment, EachRequirementBelowAtAndAboveItsLimit) {
    struct Row {
        std::string requirement;  // the line of [pozadavky]
        std::string value;
        std::string limit;
        bool met;
    };
    const std::vector<Row> rows = {
        {"delka_min_km = 0.29", "0,3", "nejméně 0,29 km", true},
        {"delka_min_km = 0.3", "0,3", "nejméně 0,3 km", true},
        {"delka_min_km = 0.31", "0,3", "nejméně 0,31 km", false},
        {"delka_max_km = 0.29", "0,3", "nejvýše 0,29 km", false},
        {"delka_max_km = 0.3", "0,3", "nejvýše 0,3 km", true},  // 0,1 + 0,2 is 0,3 as shown
        {"delka_max_km = 1", "0,3", "nejvýše 1 km", true},
        {"rezerva_min_db = 36.4", "36,5", "nejméně 36,4 dB", true},
        {"rezerva_min_db = 36.5", "36,5", "nejméně 36,5 dB", true},
        {"rezerva_min_db = 36.6", "36,5", "nejméně 36,6 dB", false},
        {"rychlost_min_gbit_s = 24.4", "24,5", "nejméně 24,4 Gbit/s", true},
        {"rychlost_min_gbit_s = 24.5", "24,5", "nejméně 24,5 Gbit/s", true},
        {"rychlost_min_gbit_s = 24.6", "24,5", "nejméně 24,6 Gbit/s", false},
        {"zesilovacu_max = 0", "1", "nejvýše 0", false},
        {"zesilovacu_max = 1", "1", "nejvýše 1", true},
        {"zesilovacu_max = 2", "1", "nejvýše 2", true},
        {"komponent_max = 5", "6", "nejvýše 5", false},
        {"komponent_max = 6", "6", "nejvýše 6", true},
        {"komponent_max = 7", "6", "nejvýše 7", true},
    };
    RecordingMessages m;
    RouteList route(m);
    sixComponents(route);
    for (const Row& row : rows) {
        const ParsedAssignment parsed = parseAssignment("[pozadavky]\n" + row.requirement + "\n");
        ASSERT_TRUE(parsed.assignment) << row.requirement << ": " << parsed.problem;
        const Grading g = gradeRoute(route, *parsed.assignment);
        ASSERT_EQ(g.requirements.size(), 1u) << row.requirement;
        EXPECT_EQ(g.requirements[0].valueText, row.value) << row.requirement;
        EXPECT_EQ(g.requirements[0].limitText, row.limit) << row.requirement;
        EXPECT_EQ(g.requirements[0].met, row.met) << row.requirement;
        EXPECT_EQ(g.passed, row.met) << row.requirement;
        EXPECT_FALSE(g.problem) << row.requirement;
    }

    // An incomplete route keeps the requirements, without values, and gets the reason.
    const auto all = parseAssignment("[pozadavky]\ndelka_min_km = 0\nkomponent_max = 999\n").assignment;
    ASSERT_TRUE(all);
    EXPECT_TRUE(gradeRoute(route, *all).passed);
    route.RemoveLastComponent();
    const Grading incomplete = gradeRoute(route, *all);
    EXPECT_EQ(incomplete.problem.value_or("").rfind("Trasa není úplná", 0), 0u);
    ASSERT_EQ(incomplete.requirements.size(), 2u);
    EXPECT_EQ(valueWithUnit(incomplete.requirements[1]), "–");
    EXPECT_FALSE(incomplete.requirements[1].met || incomplete.passed);
}

TEST(Assignment, RefusedFilesNameTheLine) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"nazev = \"x\"\n[pozadavky]\nzesilovace_max = 1\n", "řádek 3: neznámý požadavek „zesilovace_max“"},
        {"\nautor = \"x\"\n", "řádek 2: neznámý klíč „autor“"},
        {"[pozadavky]\nrezerva_min_db = \"3\"\n", "řádek 2: „rezerva_min_db“ musí být číslo, ne text"},
        {"[pozadavky]\nkomponent_max = 2.5\n", "řádek 2: „komponent_max“ musí být celé číslo, ne desetinné číslo"},
        {"[pozadavky]\ndelka_min_km = -1\n", "řádek 2: „delka_min_km“ nesmí být záporné (je -1)"},
        {"[pozadavky]\ndelka_min_km = 80\ndelka_max_km = 50\n",
         "řádek 3: „delka_max_km“ (50) je menší než „delka_min_km“ (80) z řádku 2"},
        {"[pozadavky]\nzesilovacu_max = 1000\n", "řádek 2: „zesilovacu_max“ musí být celé číslo od 0 do 999"},
        {"[pozadavky]\nrychlost_min_gbit_s = 2,5\n", "řádek 2, sloupec 24: čísla se v zadání píší s desetinnou tečkou"},
    };
    for (const auto& [text, reason] : rows) {
        const ParsedAssignment parsed = parseAssignment(text);
        EXPECT_FALSE(parsed.assignment) << text;
        EXPECT_EQ(parsed.problem.rfind(reason, 0), 0u) << text << " gives " << parsed.problem;
    }
}

TEST(Assignment, IdenticalRoutesCompareSlotTextsButTheNote) {
    RecordingMessages m;
    std::vector<std::unique_ptr<RouteList>> routes;
    for (int i = 0; i < 5; ++i) {
        routes.push_back(std::make_unique<RouteList>(m));
        if (i < 4) workedExample(*routes.back());
    }
    // 1: bytes beyond a slot's text differ; 2: another note; 3: another length; 4: empty.
    auto stray = connector("0,5");
    stray->image[3 * kSlotSize + 200] = 'x';
    routes[1]->ReplaceComponent(3, std::move(stray));
    routes[2]->ReplaceComponent(3, makeRecord({"Konektor", "FC", "1550", "0,5", "-", "-", "-", "-", "-", "-", "nový"}));
    routes[3]->ReplaceComponent(2, fibre("10,5", "2,5", "17", "0,1"));
    std::vector<const RouteList*> lists;
    for (const auto& r : routes) lists.push_back(r.get());
    lists.push_back(nullptr);  // a file that could not be read
    lists.push_back(routes[4].get());
    const std::vector<std::vector<std::size_t>> expected = {{1, 2}, {0, 2}, {0, 1}, {}, {}, {}, {}};
    EXPECT_EQ(identicalRoutes(lists), expected);
}
