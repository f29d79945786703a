#include "eval/graph_drawing.h"
#include "eval/link_verdict.h"
#include "eval/route_evaluation.h"
#include "pmd_points.h"
#include "recording_canvas.h"
#include "test_messages.h"
#include "test_routes.h"
#include "text/errors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lumor;
using namespace lumor::testroutes;

namespace {

class Evaluation : public ::testing::Test {
protected:
    RecordingMessages messages;
    RouteList route{messages};
};

std::string refusalText(const RouteList& route) {
    try {
        checkFibreLengths(route);
    } catch (const RefusalError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST_F(Evaluation, WorkedExampleGivesTheThreeProfilesAndEndValues) {
    workedExample(route);
    const RouteProfiles r = evaluateRoute(route);
    EXPECT_EQ(r.fibreLength, 10);
    EXPECT_EQ(r.sourceLevel, 3);
    EXPECT_EQ(r.sensitivity, -30);
    const std::vector<ProfilePoint> att{{0, 3}, {10, 0.5}, {10, 0}};
    EXPECT_EQ(r.attenuation.points, att);
    EXPECT_EQ(r.attenuation.highest, 3);
    EXPECT_EQ(r.attenuation.lowest, -30);
    EXPECT_EQ(r.endAttenuation, 0);

    const std::vector<ProfilePoint> cd{{0, 0}, {10, 340}};
    EXPECT_EQ(r.cd.points, cd);
    EXPECT_EQ(r.cd.highest, 340);
    EXPECT_EQ(r.cd.lowest, 0);
    EXPECT_DOUBLE_EQ(r.endCd, 0.34);

    const auto pmd = expandedPoints(r.pmd);
    ASSERT_EQ(pmd.size(), 11u);
    EXPECT_EQ(pmd[0], (ProfilePoint{0, 0}));
    for (int s = 1; s <= 10; ++s) {
        EXPECT_EQ(pmd[s].distance, s);
        EXPECT_DOUBLE_EQ(pmd[s].value, 0.1 * std::sqrt(s));
    }
    EXPECT_DOUBLE_EQ(r.endPmd, 0.1 * std::sqrt(10.0));
    EXPECT_DOUBLE_EQ(r.pmd.scaleTop, r.endPmd);
}

TEST_F(Evaluation, AmplifierOnlyAndSourceDetectorOnly) {
    route.appendComponent(source("0", "2"));
    route.appendComponent(amplifier("20"));
    route.appendComponent(detector("-30"));
    const RouteProfiles a = evaluateRoute(route);
    EXPECT_EQ(a.attenuation.points, (std::vector<ProfilePoint>{{0, 0}, {0, 20}}));
    EXPECT_EQ(a.attenuation.highest, 20);
    EXPECT_EQ(a.fibreLength, 0);
    EXPECT_EQ(a.endAttenuation, 20);

    RouteList bare{messages};
    bare.appendComponent(source("7,5", "2"));
    bare.appendComponent(detector("-30"));
    const RouteProfiles b = evaluateRoute(bare);
    EXPECT_EQ(b.attenuation.points, (std::vector<ProfilePoint>{{0, 7.5}}));
    EXPECT_EQ(b.cd.points, (std::vector<ProfilePoint>{{0, 0}}));
    EXPECT_EQ(expandedPoints(b.pmd), (std::vector<ProfilePoint>{{0, 0}}));
    EXPECT_EQ(b.fibreLength, 0);
    EXPECT_EQ(b.endAttenuation, 7.5);
    EXPECT_EQ(b.endCd, 0);
    EXPECT_EQ(b.endPmd, 0);
}

TEST_F(Evaluation, SignsOfTheRangesAndNegativeCd) {
    route.appendComponent(source("-5", "1"));
    route.appendComponent(fibre("4", "1", "-10", "0"));
    route.appendComponent(amplifier("3"));
    route.appendComponent(fibre("2", "1", "5", "0"));
    route.appendComponent(detector("-2"));
    const RouteProfiles r = evaluateRoute(route);
    // Highest starts at the source level, lowest at 0; amplifiers raise the level.
    EXPECT_EQ(r.attenuation.points, (std::vector<ProfilePoint>{{0, -5}, {4, -6}, {4, -3}, {6, -4}}));
    EXPECT_EQ(r.attenuation.highest, -3);
    EXPECT_EQ(r.attenuation.lowest, -6);
    EXPECT_EQ(r.cd.points, (std::vector<ProfilePoint>{{0, 0}, {4, -40}, {6, -30}}));
    EXPECT_EQ(r.cd.highest, 0);
    EXPECT_EQ(r.cd.lowest, -40);
    EXPECT_DOUBLE_EQ(r.endCd, -0.03);
}

TEST_F(Evaluation, FractionalFibreIsDrawnInWholeKilometreSteps) {
    route.appendComponent(source("0", "1"));
    route.appendComponent(fibre("2,5", "1", "1", "1"));
    route.appendComponent(connector("1"));
    route.appendComponent(fibre("1", "1", "1", "2"));
    route.appendComponent(detector("-30"));
    const PmdProfile p = evaluatePmd(route);
    const auto points = expandedPoints(p);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[1], (ProfilePoint{1, 1}));
    EXPECT_EQ(points[2], (ProfilePoint{2, std::sqrt(2.0)}));
    EXPECT_EQ(points[3], (ProfilePoint{3, std::sqrt(3.0)}));
    // The second fibre continues from the first one's last step.
    EXPECT_EQ(points[4], (ProfilePoint{4, std::sqrt(3.0) + 2}));
    EXPECT_DOUBLE_EQ(p.end, std::sqrt(3.0) + 2);
    EXPECT_DOUBLE_EQ(p.scaleTop, std::sqrt(2.5) + 2);
    EXPECT_EQ(p.fibreLength, 3.5);
    EXPECT_EQ(pmdSteps(0), 0);
    EXPECT_EQ(pmdSteps(0.001), 1);
    EXPECT_EQ(pmdSteps(3), 3);
    EXPECT_EQ(pmdSteps(1e9), 1e9);
}

TEST_F(Evaluation, Completeness) {
    EXPECT_FALSE(isRouteComplete(route));
    route.appendComponent(source("0", "1"));
    EXPECT_FALSE(isRouteComplete(route));
    route.appendComponent(connector("1"));
    EXPECT_FALSE(isRouteComplete(route));
    route.appendComponent(detector("-30"));
    EXPECT_TRUE(isRouteComplete(route));

    RouteList wrong{messages};
    wrong.appendComponent(fibre("1", "1", "1", "1"));
    wrong.appendComponent(detector("-30"));
    EXPECT_FALSE(isRouteComplete(wrong));
    RouteList lower{messages};
    lower.appendComponent(makeRecord({"zdroj", "", "", "", "0", "1", "", "", "", "", ""}));
    lower.appendComponent(detector("-30"));
    EXPECT_FALSE(isRouteComplete(lower));
}

TEST_F(Evaluation, ConversionErrorsStopOnlyTheProfileThatReadsTheSlot) {
    route.appendComponent(source("3", "2"));
    route.appendComponent(fibre("10", "2,5", "17", "0,1"));
    route.appendComponent(detector("-"));
    try {
        evaluateAttenuation(route);
        FAIL() << "no conversion error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "Ve sloupci 3 (Detektor „PIN“) není v řádku „citlivost [dB]“ číslo, ale „-“.");
        EXPECT_EQ(e.offendingText(), "-");
    }
    EXPECT_THROW(evaluateRoute(route), ConversionError);
    // CD and PMD never read the detector.
    EXPECT_DOUBLE_EQ(evaluateCd(route).end, 340);
    EXPECT_DOUBLE_EQ(evaluatePmd(route).end, 0.1 * std::sqrt(10.0));

    RouteList interiorSource{messages};
    interiorSource.appendComponent(source("3", "2"));
    interiorSource.appendComponent(source("3", "2"));
    interiorSource.appendComponent(detector("-30"));
    EXPECT_THROW(evaluateAttenuation(interiorSource), ConversionError);

    RouteList badCd{messages};
    badCd.appendComponent(source("3", "2"));
    badCd.appendComponent(fibre("10", "2,5", "abc", "0,1"));
    badCd.appendComponent(detector("-30"));
    EXPECT_NO_THROW(evaluateAttenuation(badCd));
    EXPECT_THROW(evaluateCd(badCd), ConversionError);
    EXPECT_NO_THROW(evaluatePmd(badCd));
}

TEST_F(Evaluation, FibreLengthsAreReadBeforeTheProfilesOwnSlots) {
    auto firstError = [](auto evaluate, const RouteList& r) {
        try {
            evaluate(r);
        } catch (const ConversionError& e) {
            return e.offendingText();
        }
        return std::string("none");
    };
    route.appendComponent(source("abc", "rms?"));
    route.appendComponent(fibre("10", "2,5", "cd?", "pmd?"));
    route.appendComponent(fibre("x", "2,5", "17", "0,1"));
    route.appendComponent(detector("-30"));
    EXPECT_EQ(firstError(evaluateAttenuation, route), "x");
    EXPECT_EQ(firstError(evaluateCd, route), "x");
    EXPECT_EQ(firstError(evaluatePmd, route), "x");
    route.replaceComponent(3, fibre("5", "2,5", "17", "0,1"));
    EXPECT_EQ(firstError(evaluateAttenuation, route), "abc");
    EXPECT_EQ(firstError(evaluateCd, route), "rms?");
    EXPECT_EQ(firstError(evaluatePmd, route), "pmd?");
}

TEST_F(Evaluation, NegativeFibreLengthIsRefusedWithItsPosition) {
    route.appendComponent(source("3", "2"));
    route.appendComponent(connector("1"));
    route.appendComponent(fibre("-2", "1", "1", "1"));
    route.appendComponent(detector("-30"));
    EXPECT_EQ(refusalText(route), "Vlákno na pozici 3 má zápornou délku (-2). Graf nelze vykreslit.");
    EXPECT_THROW(evaluatePmd(route), RefusalError);
    EXPECT_THROW(evaluateAttenuation(route), RefusalError);
    EXPECT_THROW(evaluateCd(route), RefusalError);

    // A length that is no number is left to the evaluation's conversion error.
    RouteList text{messages};
    text.appendComponent(source("3", "2"));
    text.appendComponent(fibre("x", "1", "1", "1"));
    text.appendComponent(fibre("-0,5", "1", "1", "1"));
    text.appendComponent(detector("-30"));
    EXPECT_EQ(refusalText(text), "Vlákno na pozici 3 má zápornou délku (-0,5). Graf nelze vykreslit.");
    text.replaceComponent(3, fibre("0", "1", "1", "1"));
    EXPECT_EQ(refusalText(text), "");
    EXPECT_THROW(evaluateFibreLength(text), ConversionError);
}

TEST_F(Evaluation, RouteDrawRefusesBeforeDrawingOrStoringAnything) {
    route.appendComponent(source("3", "2"));
    route.appendComponent(fibre("10", "1", "1", "1"));
    route.appendComponent(fibre("-1", "1", "1", "1"));
    route.appendComponent(detector("-30"));
    RecordingCanvas att(313, 273), cd(305, 273), pmd(305, 273);
    RouteResult result{1, 2, 3};
    EXPECT_THROW(renderRoutePictures(route, {{&att, &cd, &pmd}, {}}, result), RefusalError);
    EXPECT_TRUE(att.ops.empty());
    EXPECT_TRUE(cd.ops.empty());
    EXPECT_TRUE(pmd.ops.empty());
    EXPECT_EQ(result.endAttenuation, 1);
    EXPECT_EQ(result.endCd, 2);
    EXPECT_EQ(result.endPmd, 3);
    RecordingCanvas big(632, 434);
    EXPECT_THROW(renderEnlargedGraph(route, GraphKind::Cd, big), RefusalError);
    EXPECT_TRUE(big.ops.empty());
}

TEST_F(Evaluation, RouteDrawStopsAtTheGraphThatNeedsABadSlot) {
    route.appendComponent(source("3", "2"));
    route.appendComponent(fibre("10", "2,5", "x", "0,1"));
    route.appendComponent(detector("-30"));
    RecordingCanvas att(313, 273), cd(305, 273), pmd(305, 273);
    RouteResult result{1, 2, 3};
    EXPECT_THROW(renderRoutePictures(route, {{&att, &cd, &pmd}, {}}, result), ConversionError);
    EXPECT_FALSE(att.ops.empty());
    EXPECT_EQ(result.endAttenuation, 0.5);
    EXPECT_TRUE(cd.ops.empty());
    EXPECT_TRUE(pmd.ops.empty());
    EXPECT_EQ(result.endCd, 2);
    EXPECT_EQ(result.endPmd, 3);

    // Fewer than two components cannot be evaluated.
    RouteList single{messages};
    single.appendComponent(source("3", "2"));
    RecordingCanvas big(632, 434);
    EXPECT_THROW(renderEnlargedGraph(single, GraphKind::Attenuation, big), RefusalError);
}

TEST_F(Evaluation, RouteDrawStoresTheThreeEndValues) {
    workedExample(route);
    RecordingCanvas att(313, 273), cd(305, 273), pmd(305, 273);
    RouteResult result;
    EXPECT_TRUE(renderRoutePictures(route, {{&att, &cd, &pmd}, {}}, result).has_value());
    EXPECT_EQ(result.endAttenuation, 0);
    EXPECT_DOUBLE_EQ(result.endCd, 0.34);
    EXPECT_DOUBLE_EQ(result.endPmd, 0.1 * std::sqrt(10.0));
    // The enlarged drawing leaves the result alone and draws the same route again identically.
    RecordingCanvas big1(632, 434), big2(632, 434);
    const GraphScale s1 = renderEnlargedGraph(route, GraphKind::Pmd, big1);
    const GraphScale s2 = renderEnlargedGraph(route, GraphKind::Pmd, big2);
    EXPECT_EQ(big1.ops, big2.ops);
    EXPECT_EQ(coordinateText(s1, 100, 100), coordinateText(s2, 100, 100));
}

TEST(LinkVerdict, TheMarginDecidesAndTheSmallerDispersionLimitGivesTheBitRate) {
    // PMD alone: 0,1 / 10 ps = 10 Gbit/s; 1 dB below the sensitivity.
    LinkVerdict v = linkVerdict(-31, -30, 0, 10);
    EXPECT_FALSE(v.received);
    EXPECT_DOUBLE_EQ(v.margin, -1);
    ASSERT_TRUE(v.bitRate);
    EXPECT_EQ(v.limit, RateLimit::Pmd);
    EXPECT_EQ(bitRateText(*v.bitRate), "10 Gbit/s");
    EXPECT_EQ(rateLimitRule(v, "_"),
              "B ≤ 0,1 / Δτ_PMD, kde Δτ_PMD = 10_ps je polarizační vidová disperze na konci trasy (střední "
              "diferenční skupinové zpoždění)");
    // A negative CD counts by its size: 1 / (4 × 0,5 ns) = 500 Mbit/s, below PMD's 1000 Gbit/s.
    v = linkVerdict(0, -30, -0.5, 0.1);
    EXPECT_EQ(v.limit, RateLimit::Cd);
    EXPECT_EQ(bitRateText(*v.bitRate), "500 Mbit/s");
    EXPECT_FALSE(linkVerdict(0, -30, 0, 0).bitRate);
    EXPECT_EQ(rateLimitRule(linkVerdict(0, -30, 0, 0)), "");
    EXPECT_EQ(verdictLine(linkVerdict(0, -30, 0.34, 0.316227766016838)),
              "Úroveň na detektoru 0 dBm, citlivost detektoru -30 dBm, rezerva 30 dB: signál detektor zachytí. "
              "CD 0,34 ns, PMD 0,32 ps. Nejvyšší přenosová rychlost asi 735 Mbit/s (omezuje ji chromatická "
              "disperze).");
}
