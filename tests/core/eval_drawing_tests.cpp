#include "eval/graph_drawing.h"
#include "pmd_points.h"
#include "recording_canvas.h"
#include "test_messages.h"
#include "test_routes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>

using namespace lumor;
using namespace lumor::testroutes;

namespace {

std::vector<std::string> describe(const RecordingCanvas& c) {
    std::vector<std::string> out;
    for (const auto& op : c.ops) out.push_back(describeOp(op));
    return out;
}

std::vector<std::string> textsOf(const RecordingCanvas& c) {
    std::vector<std::string> out;
    for (const auto& op : c.ops) {
        if (op.kind == CanvasOp::Kind::Text) out.push_back(op.text);
    }
    return out;
}

/// Pixels a line covers by the canvas's rule (the first point drawn, the last not),
/// restricted to the picture.
using PixelSet = std::set<std::pair<int, int>>;
void rasterize(PixelSet& px, int x1, int y1, int x2, int y2, int W, int H) {
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        if (x1 == x2 && y1 == y2) break;
        if (x1 >= 0 && x1 < W && y1 >= 0 && y1 < H) px.insert({x1, y1});
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x1 += sx;
        if (e2 <= dx) err += dx, y1 += sy;
    }
}

PixelSet linePixels(const RecordingCanvas& c) {
    PixelSet px;
    for (const auto& op : c.ops) {
        if (op.kind == CanvasOp::Kind::Line) rasterize(px, op.x1, op.y1, op.x2, op.y2, c.width(), c.height());
    }
    return px;
}

class Drawing : public ::testing::Test {
protected:
    RecordingMessages messages;
    RouteList route{messages};
};

}  // namespace

TEST(Scales, TickStepAndAttenuationBounds) {
    EXPECT_EQ(TickStep(0), 5);
    EXPECT_EQ(TickStep(20), 5);
    EXPECT_EQ(TickStep(20.5), 10);
    EXPECT_EQ(TickStep(100), 10);
    EXPECT_EQ(TickStep(100.1), 25);
    EXPECT_EQ(TickStep(250.1), 50);
    EXPECT_EQ(TickStep(500), 50);
    EXPECT_EQ(TickStep(501), 100);
    const std::vector<std::pair<double, double>> bounds{{3, 10}, {20, 30}, {0, 10}, {-25, -30}, {-30, -40}, {-5, 10}};
    for (const auto& [b, adjusted] : bounds) EXPECT_EQ(attenuationBound(b), adjusted) << b;
}

TEST(Scales, NiceStep) {
    NiceTicks t = NiceStep(340, 0);
    EXPECT_EQ(t.step, 50);
    EXPECT_EQ(t.bottom, 0);
    EXPECT_EQ(t.top, 350);
    t = NiceStep(0.316, 0);
    EXPECT_DOUBLE_EQ(t.step, 0.05);
    EXPECT_DOUBLE_EQ(t.top, 0.35);
    t = NiceStep(100, -50);  // q = 15 exactly keeps the step of 10
    EXPECT_EQ(t.step, 10);
    EXPECT_EQ(t.bottom, -60);
    EXPECT_EQ(t.top, 110);
    t = NiceStep(3, 0);  // r 0,3 → 3 with step 0,1; q 30 > 15 gives five times the step
    EXPECT_DOUBLE_EQ(t.step, 0.5);
    EXPECT_DOUBLE_EQ(t.top, 3.5);
}

TEST(Scales, DistanceTicksRunToTheFirstMultipleNotBelowTheLength) {
    const std::vector<std::pair<double, std::vector<std::string>>> cases{
        {20, {"0", "5", "10", "15", "20"}}, {20.5, {"0", "10", "20", "30"}}, {12, {"0", "5", "10", "15"}}};
    for (const auto& [length, expected] : cases) {
        CdProfile p;
        p.FibreLength = length;
        p.points = {{0, 0}, {length, 300}};
        p.highest = 300;
        RecordingCanvas c(632, 434);
        drawCdGraph(p, GraphSize::Enlarged, c);
        auto texts = textsOf(c);
        // L[km], t[ps], then the distance ticks, then the value ticks.
        std::vector<std::string> ticks(texts.begin() + 2, texts.begin() + 2 + static_cast<long>(expected.size()));
        EXPECT_EQ(ticks, expected) << length;
        EXPECT_EQ(texts[2 + expected.size()], "0") << "value ticks follow";
    }
}

TEST_F(Drawing, WorkedExampleSmallAttenuationGraph) {
    workedExample(route);
    RecordingCanvas c(313, 273);
    const GraphScale s = drawAttenuationGraph(evaluateAttenuation(route), GraphSize::Small, c);
    // top 10, bottom −40; v = 0,9 × 273 / 50 = 4,914; w = −30 × v / 2 = −73,71; Z = 62.
    EXPECT_EQ(s.top, 10);
    EXPECT_EQ(s.bottom, -40);
    EXPECT_DOUBLE_EQ(s.v, 0.9 * 273 / 50);
    EXPECT_EQ(s.xs, static_cast<double>(static_cast<float>(24.48)));
    // The operations in the groups the graph draws them in.
    // clang-format off
    const std::vector<std::string> expected{
        "fill", "pen 000000", "line 25,0 25,273", "line 0,62 313,62",
        "text 283,77 L[km]",  // w < 0: below the axis
        "text 30,3 A[dB]",
        "line 25,47 269,59", "line 269,59 269,62",  // fibre, then the connector's step
        "pen A6CAF0", "line 269,62 269,62", "line 269,62 25,62",
        "pen 008000", "line 269,62 269,209",
        "pen FF0000", "line 313,209 25,209",
        "pen 000000", "text 26,63 0",
        "text 142,63 5", "line 147,60 147,65",
        "text 264,63 10", "line 269,60 269,65",
        "text 0,252 -40", "line 23,258 28,258",
        "text 0,203 -30", "line 23,209 28,209",
        "text 0,154 -20", "line 23,160 28,160",
        "text 0,105 -10", "line 23,111 28,111",
        "text 0,56 0", "line 23,62 28,62",
        "text 0,7 10", "line 23,13 28,13"};
    // clang-format on
    EXPECT_EQ(describe(c), expected);
}

TEST_F(Drawing, WorkedExampleSmallCdGraph) {
    workedExample(route);
    RecordingCanvas c(305, 273);
    drawCdGraph(evaluateCd(route), GraphSize::Small, c);
    // v = 218,4 / 340; w = 109,2; Z = 245; xs = 23,375.
    // The operations in the groups the graph draws them in.
    // clang-format off
    const std::vector<std::string> expected{
        "fill", "pen 000000", "line 30,0 30,273", "line 0,245 305,245",
        "text 275,230 L[km]",  // w > 0: above the axis
        "text 35,3 t[ps]",
        "line 30,245 263,26",
        "pen A6CAF0", "line 263,26 263,245", "line 263,26 30,26",
        "pen 000000", "text 31,246 0",
        "text 141,246 5", "line 146,243 146,248",
        "text 258,246 10", "line 263,243 263,248",
        "text 0,239 0", "line 28,245 33,245",
        "text 0,207 50", "line 28,213 33,213",
        "text 0,174 100", "line 28,180 33,180",
        "text 0,142 150", "line 28,148 33,148",
        "text 0,110 200", "line 28,116 33,116",
        "text 0,78 250", "line 28,84 33,84",
        "text 0,46 300", "line 28,52 33,52",
        "text 0,14 350", "line 28,20 33,20"};
    // clang-format on
    EXPECT_EQ(describe(c), expected);
}

TEST_F(Drawing, WorkedExampleSmallPmdGraph) {
    workedExample(route);
    RecordingCanvas c(305, 273);
    drawPmdGraph(evaluatePmd(route), GraphSize::Small, c);
    // Top 0,1 × √10: v = 218,4 / top, row of step s = 245,2 − 218,4 × √(s/10).
    // The operations in the groups the graph draws them in.
    // clang-format off
    const std::vector<std::string> expected{
        "fill", "pen 000000", "line 30,0 30,273", "line 0,245 305,245",
        "text 275,230 L[km]", "text 35,3 t[ps]",
        "line 30,245 53,176", "line 53,176 76,147", "line 76,147 100,125", "line 100,125 123,107",
        "line 123,107 146,90", "line 146,90 170,76", "line 170,76 193,62", "line 193,62 217,49",
        "line 217,49 240,38", "line 240,38 263,26",
        "pen A6CAF0", "line 263,26 263,245", "line 263,26 30,26",
        "pen 000000", "text 31,246 0",
        "text 141,246 5", "line 146,243 146,248",
        "text 258,246 10", "line 263,243 263,248",
        "text 0,239 0", "line 28,245 33,245",
        "text 0,204 0,05", "line 28,210 33,210",
        "text 0,170 0,1", "line 28,176 33,176",
        "text 0,135 0,15", "line 28,141 33,141",
        "text 0,101 0,2", "line 28,107 33,107",
        "text 0,66 0,25", "line 28,72 33,72",
        "text 0,32 0,3", "line 28,38 33,38",
        "text 0,-2 0,35", "line 28,3 33,3"};
    // clang-format on
    EXPECT_EQ(describe(c), expected);
}

TEST(GraphDrawing, NanosecondCdGraph) {
    CdProfile p;
    p.FibreLength = 10;
    p.points = {{0, 0}, {10, 1200}};
    p.highest = 1200;
    RecordingCanvas c(305, 273);
    const GraphScale s = drawCdGraph(p, GraphSize::Small, c);
    EXPECT_TRUE(s.nanoseconds);
    EXPECT_DOUBLE_EQ(s.v, 273 * 0.8 / 1200);  // kept per ps
    const auto texts = textsOf(c);
    EXPECT_EQ(texts[1], "t[ns]");
    // v = 0,182 per ps, u = 182 per ns, w = 109,2: the tick of 0,5 ns sits on row 154.
    const std::vector<std::string> values(texts.end() - 13, texts.end());
    EXPECT_EQ(values, (std::vector<std::string>{"0", "0,1", "0,2", "0,3", "0,4", "0,5", "0,6", "0,7", "0,8", "0,9", "1",
                                                "1,1", "1,2"}));
    const auto ops = describe(c);
    EXPECT_NE(std::find(ops.begin(), ops.end(), "text 0,148 0,5"), ops.end());
    EXPECT_NE(std::find(ops.begin(), ops.end(), "line 28,154 33,154"), ops.end());
}

TEST_F(Drawing, EnlargedGraphsUseTheirOwnFactors) {
    workedExample(route);
    RecordingCanvas att(632, 434), cd(632, 434);
    const GraphScale a = renderEnlargedGraph(route, GraphKind::Attenuation, att);
    EXPECT_DOUBLE_EQ(a.xs, 607 * 0.9 / 10);
    EXPECT_DOUBLE_EQ(a.v, 434 * 0.9 / 50);
    const GraphScale d = renderEnlargedGraph(route, GraphKind::Cd, cd);
    EXPECT_DOUBLE_EQ(d.xs, 602 * 0.9 / 10);
    EXPECT_DOUBLE_EQ(d.v, 434 * 0.775 / 340);
    EXPECT_EQ(d.M, 217);
    // "0" at x 31 in every enlarged window; M + 1 + w = 217 + 1 − 73,71 × 434/273 … for the
    // attenuation graph: w = −30 × 7,812 / 2 = −117,18, row 100.
    const auto attOps = describe(att);
    EXPECT_NE(std::find(attOps.begin(), attOps.end(), "text 31,100 0"), attOps.end());
    // Curve: (0; 3) → (25, 217 − 23,436 − 117,18 = 76,38); (10; 0,5) → (25 + 546,3, 217 − 3,906
    // − 117,18 = 95,91).
    EXPECT_NE(std::find(attOps.begin(), attOps.end(), "line 25,76 571,95"), attOps.end());
}

TEST(GraphDrawing, LabelSideFollowsTheZeroLine) {
    // Attenuation 15 dB with everything above −10 dB: top 20, bottom +10, the zero line below
    // the picture and the label above it.
    AttenuationProfile p;
    p.FibreLength = 10;
    p.SourceLevel = 15;
    p.points = {{0, 15}, {10, 12}};
    p.highest = 15;
    p.lowest = 0;
    p.sensitivity = -5;
    RecordingCanvas c(313, 273);
    const GraphScale s = drawAttenuationGraph(p, GraphSize::Small, c);
    EXPECT_EQ(s.top, 20);
    EXPECT_EQ(s.bottom, 10);
    EXPECT_GT(s.zeroRow(), 273);
    EXPECT_EQ(c.ops[4].text, "L[km]");
    EXPECT_EQ(c.ops[4].y1, s.zeroRow() - 15);
    EXPECT_EQ(textsOf(c).back(), "20");
}

TEST(ReadOut, KilometresShowTheDecimalsOnePixelResolvesWithHalvesGoingDown) {
    GraphScale s;
    s.x0 = 25;
    s.xs = 10;
    s.H = 434;
    s.M = 217;
    s.v = 2;
    s.w = 10;
    auto xPart = [&](int X) {
        const std::string t = coordinateText(s, X, 227);
        return t.substr(0, t.find(", Y"));
    };
    EXPECT_EQ(xPart(25), "Souřadnice  X:0");
    EXPECT_EQ(xPart(51), "Souřadnice  X:2,6");  // tenths at 10 pixels a km
    EXPECT_EQ(xPart(24), "Souřadnice  X:-0,1");
    s.xs = 0.4;                                // 2,5 km a pixel: whole km
    EXPECT_EQ(xPart(26), "Souřadnice  X:2");   // 2,5 km exactly
    EXPECT_EQ(xPart(24), "Souřadnice  X:-3");  // −2,5 km
    EXPECT_EQ(xPart(27), "Souřadnice  X:5");
    s.xs = 1000;  // thousandths at most
    EXPECT_EQ(xPart(26), "Souřadnice  X:0,001");
    // Y: d = 217 − Y, r = (d + w) × 100 / v truncated, value r / 100.
    EXPECT_EQ(coordinateText(s, 25, 227), "Souřadnice  X:0, Y:0");
    EXPECT_EQ(coordinateText(s, 25, 100), "Souřadnice  X:0, Y:63,5");
    EXPECT_EQ(coordinateText(s, 25, 234), "Souřadnice  X:0, Y:-3,5");
    s.v = 3;  // (d + w) / 3: 127 / 3 = 42,333… shows 42,33; −7 / 3 = −2,333… shows −2,33
    EXPECT_EQ(coordinateText(s, 25, 100), "Souřadnice  X:0, Y:42,33");
    EXPECT_EQ(coordinateText(s, 25, 234), "Souřadnice  X:0, Y:-2,33");
}

TEST(ReadOut, NanosecondsTruncateTowardZero) {
    GraphScale s;
    s.kind = GraphKind::Cd;
    s.x0 = 30;
    s.xs = 1;
    s.H = 434;
    s.M = 217;
    s.w = 0;
    s.nanoseconds = true;
    s.v = 0.01;  // 100 pixels per 10 000 ps
    // d = 25: 25 × 100 / 0,01 = 250 000 hundredths of ps = 2,5 ns.
    EXPECT_EQ(coordinateText(s, 30, 192), "Souřadnice  X:0, Y:2,5");
    s.v = 0.0100001;  // just under 2,5 ns: the hundredths are cut, not rounded
    EXPECT_EQ(coordinateText(s, 30, 192), "Souřadnice  X:0, Y:2,49");
    EXPECT_EQ(coordinateText(s, 30, 242), "Souřadnice  X:0, Y:-2,49");
}

TEST(ReadOut, EnlargedCdWindowReadsNearTheTopValueInNanoseconds) {
    CdProfile p;
    p.FibreLength = 50;
    p.points = {{0, 0}, {50, 2500}};
    p.highest = 2500;
    RecordingCanvas c(632, 434);
    const GraphScale s = drawCdGraph(p, GraphSize::Enlarged, c);
    ASSERT_TRUE(s.nanoseconds);
    const int topRow = s.row(2500);
    const std::string t = coordinateText(s, s.column(50), topRow);
    std::string x = t.substr(t.find("X:") + 2, t.find(", Y") - t.find("X:") - 2);
    std::replace(x.begin(), x.end(), ',', '.');
    EXPECT_NEAR(std::stod(x), 50, 1 / s.xs);  // 50 km, to a pixel, in hundredths (11 pixels a km)
    EXPECT_EQ(x.size(), 5u);
    std::string value = t.substr(t.find("Y:") + 2);
    value[1] = '.';  // "2,49" read as 2.49
    const double shown = std::stod(value);
    EXPECT_NEAR(shown, 2.5, 0.02);
}

TEST(Fallbacks, ZeroFibreLengthAndEmptyRangesStillDrawOnThePicture) {
    // Zdroj–Detektor: FibreLength 0; attenuation 0 dB with the detector above: bounds 10 and 10.
    AttenuationProfile a;
    a.points = {{0, 0}, {0, -2}};
    a.highest = 0;
    a.lowest = -5;
    a.sensitivity = -5;
    a.end = -2;
    RecordingCanvas ca(313, 273);
    const GraphScale sa = drawAttenuationGraph(a, GraphSize::Small, ca);
    EXPECT_EQ(sa.top, 0);
    EXPECT_EQ(sa.bottom, -10);
    EXPECT_TRUE(std::isfinite(sa.xs) && sa.xs > 0);
    for (double value : {0.0, -2.0, -5.0}) {
        EXPECT_GE(sa.row(value), 0);
        EXPECT_LT(sa.row(value), 273);
    }
    const auto texts = textsOf(ca);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "0"), 2) << "distance 0 and value 0";

    // Upside-down bounds: source −25 dB, detector 0 dB.
    a.points = {{0, -25}};
    a.highest = -25;
    a.lowest = 0;
    a.sensitivity = 0;
    const GraphScale su = makeGraphScale(GraphKind::Attenuation, GraphSize::Small, 313, 273, 0, -25, 0);
    EXPECT_EQ(su.top, 0);
    EXPECT_EQ(su.bottom, -30);

    // CD all zero and PMD top 0: one ps above the data.
    CdProfile cd;
    cd.FibreLength = 5;
    cd.points = {{0, 0}, {5, 0}};
    RecordingCanvas cc(305, 273);
    const GraphScale sc = drawCdGraph(cd, GraphSize::Small, cc);
    EXPECT_EQ(sc.top, 1);
    EXPECT_EQ(sc.bottom, 0);
    EXPECT_LT(cc.ops.size(), 100u);
    PmdProfile pmd;
    RecordingCanvas cp(632, 434);
    const GraphScale sp = drawPmdGraph(pmd, GraphSize::Enlarged, cp);
    EXPECT_EQ(sp.top, 1);
    EXPECT_FALSE(sp.nanoseconds);
    EXPECT_EQ(coordinateText(sp, 700, 0).substr(0, 15), "Souřadnice  X:");

    // Negative PMD coefficient: the range runs from the top below zero up to zero.
    PmdProfile neg;
    neg.FibreLength = 4;
    neg.fibres = {{0, 0, -1, 4}};
    neg.scaleTop = -2;
    neg.end = -2;
    RecordingCanvas cn(305, 273);
    const GraphScale sn = drawPmdGraph(neg, GraphSize::Small, cn);
    EXPECT_EQ(sn.top, 0);
    EXPECT_EQ(sn.bottom, -2);
    EXPECT_LT(cn.ops.size(), 100u);
}

TEST(Fallbacks, AbsurdLengthsAndValuesDrawOffThePictureWithoutOverflow) {
    AttenuationProfile a;
    a.FibreLength = 1e300;
    a.SourceLevel = 1e300;
    a.points = {{0, 1e300}, {1e300, -1e300}};
    a.highest = 1e300;
    a.lowest = -1e300;
    a.sensitivity = -1e300;
    RecordingCanvas c(313, 273);
    const GraphScale s = drawAttenuationGraph(a, GraphSize::Small, c);
    EXPECT_TRUE(std::isfinite(s.v) && s.v > 0);
    EXPECT_LT(c.ops.size(), 3000u);
    for (const auto& op : c.ops) {
        EXPECT_LE(std::abs(op.x1), kPixelLimit);
        EXPECT_LE(std::abs(op.y2), kPixelLimit);
    }
    CdProfile cd;
    cd.FibreLength = 1e-320;  // the scale would overflow: that of a 1-km route instead
    cd.points = {{0, 0}, {1e-320, 5}};
    cd.highest = 5;
    RecordingCanvas cc(305, 273);
    const GraphScale sc = drawCdGraph(cd, GraphSize::Small, cc);
    EXPECT_EQ(sc.xs, static_cast<double>(static_cast<float>(275 * 0.85)));
}

TEST_F(Drawing, TenFibresOfAThousandMillionKilometres) {
    route.AppendComponent(source("0", "2"));
    for (int i = 0; i < 10; ++i) route.AppendComponent(fibre("1E9", "200000000", "17", "0,1"));
    route.AppendComponent(detector("-30"));
    const PmdProfile p = evaluatePmd(route);
    EXPECT_DOUBLE_EQ(p.end, 10 * 0.1 * std::sqrt(1e9));
    EXPECT_DOUBLE_EQ(p.scaleTop, p.end);
    RecordingCanvas att(313, 273), cd(305, 273), pmd(305, 273);
    RouteResult result;
    ASSERT_TRUE(renderSmallGraphs(route, att, cd, pmd, result));
    EXPECT_DOUBLE_EQ(result.EndPmd, p.end);
    EXPECT_LT(pmd.ops.size(), 2000u);
    EXPECT_LT(att.ops.size(), 2000u);
    EXPECT_LT(cd.ops.size(), 2000u);
    for (GraphKind kind : {GraphKind::Attenuation, GraphKind::Cd, GraphKind::Pmd}) {
        RecordingCanvas big(632, 434);
        renderEnlargedGraph(route, kind, big);
        EXPECT_LT(big.ops.size(), 4000u);
    }
    // The curve ends at the last step: the light blue mark runs from its pixel.
    const GraphScale s = makeGraphScale(GraphKind::Pmd, GraphSize::Small, 305, 273, 1e10, p.scaleTop, 0);
    const std::string endMark = "line " + std::to_string(s.column(1e10)) + "," + std::to_string(s.row(p.end)) + " 30," +
                                std::to_string(s.row(p.end));
    const auto ops = describe(pmd);
    EXPECT_NE(std::find(ops.begin(), ops.end(), endMark), ops.end());
}

TEST(PmdCurve, SamePixelsAsThePlainPerKilometrePolyline) {
    struct Case {
        std::vector<std::pair<double, double>> fibres;  // length, Pmd
        GraphSize size;
    };
    const std::vector<Case> cases{
        {{{5000, 0.1}}, GraphSize::Small},
        {{{5000, 0.1}}, GraphSize::Enlarged},
        {{{3, 0.5}, {0.4, 2}, {700, 0.05}, {2.5, 1}, {1200, 0.2}}, GraphSize::Small},
        {{{3, 0.5}, {0.4, 2}, {700, 0.05}, {2.5, 1}, {1200, 0.2}}, GraphSize::Enlarged},
        {{{2.5, 1}, {0.3, 1}}, GraphSize::Enlarged},             // a few kilometres: wide steps, past the axis end
        {{{800, 0.3}, {900, -0.2}, {50, 0}}, GraphSize::Small},  // falling and flat stretches
        {{{0.01, 5}, {20000, 0.01}}, GraphSize::Small},          // a first step far above the top
    };
    for (const Case& k : cases) {
        PmdProfile p;
        double distance = 0, level = 0;
        for (const auto& [length, pmd] : k.fibres) {
            const double steps = pmdSteps(length);
            p.fibres.push_back({distance, level, pmd, steps});
            p.FibreLength += length;
            p.scaleTop += pmd * std::sqrt(length);
            distance += steps;
            level += pmd * std::sqrt(steps);
        }
        p.end = level;
        const int W = k.size == GraphSize::Small ? 305 : 632;
        const int H = k.size == GraphSize::Small ? 273 : 434;
        const GraphScale s = makeGraphScale(GraphKind::Pmd, k.size, W, H, p.FibreLength, p.scaleTop, 0);
        RecordingCanvas fast(W, H), plain(W, H);
        drawPmdCurve(p, s, fast);
        const auto points = expandedPoints(p);
        for (std::size_t i = 1; i < points.size(); ++i) {
            plain.line(s.column(points[i - 1].distance), s.row(points[i - 1].value), s.column(points[i].distance),
                       s.row(points[i].value));
        }
        EXPECT_EQ(linePixels(fast), linePixels(plain)) << k.fibres.size() << " fibres";
        EXPECT_LE(fast.ops.size(), 2u * static_cast<std::size_t>(W) + 2 * k.fibres.size());
    }
}

TEST(GraphDrawing, CrowdedDistanceTicksLeaveThePictureOfThePlainRule) {
    // 500 000 km: 5000 ticks of 100 km, about 20 per pixel column.
    CdProfile p;
    p.FibreLength = 500000;
    p.points = {{0, 0}, {500000, 10}};
    p.highest = 10;
    RecordingCanvas c(305, 273);
    const GraphScale s = drawCdGraph(p, GraphSize::Small, c);
    RecordingCanvas plain(305, 273);
    std::map<int, std::string> lastTextAt;
    for (double n = 100; n < p.FibreLength + 100; n += 100) {
        const int x = s.column(n);
        plain.line(x, static_cast<int>(s.M + s.w - 2), x, static_cast<int>(s.M + s.w + 3));
        lastTextAt[static_cast<int>(s.x0 - 5 + n * s.xs)] = std::to_string(static_cast<long long>(n));
    }
    RecordingCanvas ticks(305, 273);
    std::map<int, std::string> drawnTextAt;
    const int textRow = static_cast<int>(s.M + 1 + s.w);
    for (const auto& op : c.ops) {
        if (op.kind == CanvasOp::Kind::Line && op.x1 == op.x2 && op.y1 == textRow - 3) ticks.ops.push_back(op);
        if (op.kind == CanvasOp::Kind::Text && op.y1 == textRow && op.text != "0") {
            EXPECT_FALSE(drawnTextAt.count(op.x1)) << "one text per column";
            drawnTextAt[op.x1] = op.text;
        }
    }
    EXPECT_EQ(linePixels(ticks), linePixels(plain));
    EXPECT_EQ(drawnTextAt, lastTextAt);
}

TEST_F(Drawing, TheDrawCommandDrawsTheSmallGraphsThenTheEnlargedOnesOrNothing) {
    std::array<RecordingCanvas, 6> canvases = {RecordingCanvas(313, 273), RecordingCanvas(305, 273),
                                               RecordingCanvas(305, 273), RecordingCanvas(632, 434),
                                               RecordingCanvas(632, 434), RecordingCanvas(632, 434)};
    const RouteCanvases on{{&canvases[0], &canvases[1], &canvases[2]}, {&canvases[3], &canvases[4], &canvases[5]}};
    RouteResult result;
    route.AppendComponent(source("3", "2"));
    route.AppendComponent(fibre("10", "2,5", "17", "0,1"));
    EXPECT_FALSE(renderRoutePictures(route, on, result));  // no detector at the end
    for (const auto& c : canvases) EXPECT_TRUE(c.ops.empty());

    route.AppendComponent(detector("-30"));
    const auto scales = renderRoutePictures(route, on, result);
    ASSERT_TRUE(scales);
    EXPECT_DOUBLE_EQ(result.EndCd, 0.34);
    for (std::size_t i = 0; i < 3; ++i) {
        RecordingCanvas big(632, 434);
        const GraphScale alone = renderEnlargedGraph(route, kGraphKinds[i], big);
        EXPECT_EQ(canvases[3 + i].ops, big.ops) << i;
        EXPECT_EQ((*scales)[i].kind, alone.kind);
        EXPECT_DOUBLE_EQ((*scales)[i].xs, alone.xs);
        EXPECT_DOUBLE_EQ((*scales)[i].v, alone.v);
        EXPECT_FALSE(canvases[i].ops.empty()) << i;
    }
}
