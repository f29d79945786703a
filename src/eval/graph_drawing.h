#pragma once
#include "eval/canvas.h"
#include "eval/route_evaluation.h"
#include "eval/route_result.h"
#include "route/route_list.h"

#include <array>
#include <optional>
#include <string>

namespace lumor {

enum class GraphKind { Attenuation, Cd, Pmd };
/// Small: the main window's pictures (xs in single precision, ×0.85; fill 0.9/0.8).
/// Enlarged: the graph windows' pictures (xs in double, ×0.9; fill 0.9/0.775; "0" at x 31).
enum class GraphSize { Small, Enlarged };

/// Picture sizes in pixels.
constexpr int kSmallAttenuationWidth = 313;
constexpr int kSmallDispersionWidth = 305;  ///< CD and PMD
constexpr int kSmallGraphHeight = 273;
constexpr int kEnlargedGraphWidth = 632;
constexpr int kEnlargedGraphHeight = 434;

/// Real coordinates are clamped to ±kPixelLimit before they become ints, so a 1e300 km
/// route draws (off the picture) instead of overflowing.
constexpr double kPixelLimit = 1'000'000;

/// The pixel mapping of one graph: column = x0 + d × xs, row = M − y × v + w, each
/// truncated toward zero.
///
/// Fallbacks where the rule has no scale: a `FibreLength` that is not positive (or so small
/// that xs overflows) gets the xs of a 1-km route; a value range that is empty or upside
/// down (attenuation bounds equal or crossed, CD all zero, PMD top 0 or negative) gets one
/// spanned by the data: for attenuation the data's extremes widened to whole tens of dB,
/// for CD and PMD the lower and the higher of top and bottom, and when these are equal the
/// range is widened upwards (by 10 dB, or by 1 ps or the value's own size). v is then
/// finite and positive, so nothing divides by zero and the read-out stays finite; the
/// attenuation and CD data lie on the picture (a PMD range follows the scale top, so PMD
/// points of mixed-sign coefficients may still lie beyond it).
struct GraphScale {
    GraphKind kind = GraphKind::Attenuation;
    int W = 0, H = 0;
    int M = 0;                   ///< H / 2
    int x0 = 25;                 ///< origin column: 25 attenuation, 30 CD and PMD
    double xs = 1;               ///< pixels per km
    double top = 1, bottom = 0;  ///< value range spanned (dB or ps)
    double v = 1;                ///< pixels per dB (attenuation) or per ps (CD, PMD)
    double w = 0;                ///< offset: (top + bottom) × v × 0.5
    bool nanoseconds = false;    ///< CD and PMD: top > 1000 ps, ticks and read-out in ns

    /// Column of a distance in km.
    int column(double distance) const;
    /// Row of a value in dB or ps.
    int row(double value) const;
    /// Row of the zero line, Z = M + w.
    int zeroRow() const;
};

/// The scale of a graph on a W × H picture. For the attenuation graph `highest` and
/// `lowest` are the profile's range (the bounds are adjusted here); for CD they are the
/// highest and lowest delay; for PMD the scale top and 0.
GraphScale makeGraphScale(GraphKind kind, GraphSize size, int W, int H, double fibreLength, double highest,
                          double lowest);

/// Distance tick spacing in km: 5, 10 over 20, 25 over 100, 50 over 250, 100 over 500.
int TickStep(double fibreLength);
/// One attenuation bound: to whole tens toward zero, then 10 further up (>= 0) or down.
double attenuationBound(double b);

/// The value ticks of a CD or PMD graph, in the shown unit (ps, or ns).
struct NiceTicks {
    double step = 1;
    double bottom = 0;  ///< the first tick value
    double top = 1;     ///< the tick loop runs while top × u >= its pixel counter
};
/// Step and end values of the value ticks for the range t … b (t > b).
NiceTicks NiceStep(double t, double b);

/// Draws a whole graph onto the canvas and returns its scale; touches nothing else.
/// Distance and attenuation value ticks follow the rule one by one; only when more than 4096
/// of them would be drawn (a 10^9 km route) are those off the picture skipped and, of the
/// ticks crowding one pixel, only the last (whose text covers the others) drawn.
GraphScale drawAttenuationGraph(const AttenuationProfile& profile, GraphSize size, Canvas& canvas);
GraphScale drawCdGraph(const CdProfile& profile, GraphSize size, Canvas& canvas);
GraphScale drawPmdGraph(const PmdProfile& profile, GraphSize size, Canvas& canvas);

/// The PMD curve alone, from (x0, Z) through the per-kilometre points. Draws per pixel
/// column: of the points that fall into one column it joins only the first and the last
/// (they are monotonic within a fibre, so the in-between segments cover no other pixel) and
/// it stops after the first point right of the picture. The pixels are those of the plain
/// per-kilometre polyline; the work is bounded by the picture's width, not the route's length.
void drawPmdCurve(const PmdProfile& profile, const GraphScale& scale, Canvas& canvas);

/// The main window's draw: for a complete route, refuses negative fibre lengths before
/// anything is drawn, then draws attenuation, CD and PMD in order onto the three small
/// canvases, each evaluating its own profile just before it draws and storing its end value
/// into `result` when done (EndCd in ns). A conversion error stops the run at the graph that
/// needs the slot. Returns false (and does nothing) for an incomplete route.
bool renderSmallGraphs(const RouteList& route, Canvas& att, Canvas& cd, Canvas& pmd, RouteResult& result);

/// An enlarged graph window's drawing: checks fibre lengths, evaluates the route as it is and
/// draws the one graph; returns the scale to keep for the read-out. Needs two components.
GraphScale renderEnlargedGraph(const RouteList& route, GraphKind kind, Canvas& canvas);

/// The graphs in the order attenuation, CD, PMD, as the draw command and the pictures use them.
inline constexpr std::array<GraphKind, 3> kGraphKinds = {GraphKind::Attenuation, GraphKind::Cd, GraphKind::Pmd};

/// What the draw command paints on: the three small graphs and the three enlarged ones, each
/// in the order attenuation, CD, PMD.
struct RouteCanvases {
    std::array<Canvas*, 3> small{};
    std::array<Canvas*, 3> enlarged{};
};

/// The draw command's drawing, shared by the main window and lumor-cli: for a complete route
/// the three small graphs with their end values (`renderSmallGraphs`), then the three enlarged
/// graphs from the same profiles (each evaluated once, the fibre lengths checked once; an
/// enlarged canvas that is null is not drawn). Returns the enlarged graphs' scales, or nothing
/// (having drawn nothing) for an incomplete route; the profiles go to `profiles` when given.
/// Throws where `renderSmallGraphs` does: a caller that must change nothing on failure draws
/// onto canvases of its own and shows them only once this returned.
std::optional<std::array<GraphScale, 3>> renderRoutePictures(const RouteList& route, const RouteCanvases& canvases,
                                                             RouteResult& result, RouteProfiles* profiles = nullptr);

/// The status bar text for the pointer at pixel (X, Y): "Souřadnice  X:12,5, Y:-3,45". The km
/// are rounded to as many decimals as one pixel resolves (a tenth at 10 pixels a km, whole km
/// below 1 pixel a km, at most three; an exact half going down), the value is truncated to
/// hundredths (in ns with the nanosecond flag).
std::string coordinateText(const GraphScale& scale, int X, int Y);

}  // namespace lumor
