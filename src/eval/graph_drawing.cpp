#include "eval/graph_drawing.h"

#include "text/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace lumor {

namespace {

/// Truncation toward zero of a real coordinate, clamped so that the int conversion is defined.
int px(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::trunc(std::clamp(value, -kPixelLimit, kPixelLimit)));
}

/// A double that is a number at all, within ±1e300 so that sums and differences stay finite.
double tame(double value) {
    if (std::isnan(value)) return 0;
    return std::clamp(value, -1e300, 1e300);
}

/// A whole number held in a double, as a plain decimal integer.
std::string wholeText(double value) {
    if (std::isnan(value)) return "0";
    if (std::fabs(value) < 9e18) return integerText(static_cast<long long>(value));
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 0);
    return std::string(buf, res.ptr);
}

struct Pixel {
    int x = 0, y = 0;
    bool operator==(const Pixel&) const = default;
};

void line(Canvas& c, Pixel a, Pixel b) { c.line(a.x, a.y, b.x, b.y); }

/// Smallest j in [a, b] (whole numbers in doubles) for which the monotonic `pred` holds,
/// or b + 1 when it holds nowhere.
template <class Pred>
double firstTrue(double a, double b, Pred pred) {
    if (pred(a)) return a;
    if (!pred(b)) return b + 1;
    while (b - a > 1) {
        const double m = std::floor(a + (b - a) / 2);
        if (m <= a || m >= b) break;  // beyond 2^53 there are no whole numbers in between
        (pred(m) ? b : a) = m;
    }
    return b;
}

/// Items of a run i = first … last, whose pixel key(i) does not decrease with i. A run of
/// ordinary length is walked item by item, exactly as the plain rule does. A very long one (a
/// tick every few metres of a 10^9 km route) gives only the items whose key lies in [lo, hi],
/// and of those only the last of each pixel: the one the plain rule leaves visible there.
constexpr double kPlainRun = 4096;

template <class Key, class Emit>
void forEachVisible(double first, double last, Key key, int lo, int hi, Emit emit) {
    if (!(first <= last)) return;
    if (last - first < kPlainRun) {
        for (double i = first; i <= last; i += 1) emit(i);
        return;
    }
    double i = firstTrue(first, last, [&](double j) { return key(j) >= lo; });
    while (i <= last) {
        const int k = key(i);
        if (k > hi) break;
        double j = firstTrue(i, last, [&](double m) { return key(m) > k; }) - 1;
        if (j < i) j = i;
        emit(j);
        const double next = j + 1;
        if (next <= j) break;
        i = next;
    }
}

void drawFrame(Canvas& c, const GraphScale& s, const char* unitText, int unitX) {
    c.fill();
    c.setPen(kBlackPen);
    c.line(s.x0, 0, s.x0, s.H);
    const int z = s.zeroRow();
    c.line(0, z, s.W, z);
    // Above the distance axis when it lies in the lower half, below it otherwise.
    if (s.w > 0) {
        c.text(s.W - 30, px(s.M - 15 + s.w), "L[km]");
    } else {
        c.text(s.W - 30, px(s.M + 15 + s.w), "L[km]");
    }
    c.text(unitX, 3, unitText);
}

/// Polyline through the points, from the first; returns the last pixel point E.
Pixel drawPolyline(Canvas& c, const GraphScale& s, const std::vector<ProfilePoint>& points) {
    Pixel cur{s.column(points.front().distance), s.row(points.front().value)};
    for (std::size_t k = 1; k < points.size(); ++k) {
        const Pixel next{s.column(points[k].distance), s.row(points[k].value)};
        line(c, cur, next);
        cur = next;
    }
    return cur;
}

/// Light blue marks from the curve's end E to the zero line and to the value axis.
void drawEndMarks(Canvas& c, const GraphScale& s, Pixel e) {
    c.setPen(kLightBluePen);
    line(c, e, {e.x, s.zeroRow()});
    line(c, e, {s.x0, e.y});
}

void drawDistanceTicks(Canvas& c, const GraphScale& s, double fibreLength, GraphSize size) {
    c.setPen(kBlackPen);
    const int zeroX = size == GraphSize::Small ? s.x0 + 1 : 31;
    const int textRow = px(s.M + 1 + s.w);
    c.text(zeroX, textRow, "0");
    const double t = TickStep(fibreLength);
    const double limit = tame(fibreLength) + t;  // N runs while N < FibreLength + T
    // Last i with i × T < limit, found from the quotient and made exact by a few nudges.
    double last = std::ceil(limit / t) - 1;
    for (int n = 0; n < 4 && last >= 1 && last * t >= limit; ++n) last -= 1;
    for (int n = 0; n < 4 && (last + 1) * t < limit; ++n) last += 1;
    const double tickTop = s.M + s.w - 2;
    const double tickBottom = s.M + s.w + 3;
    forEachVisible(
        1, last, [&](double i) { return px(s.x0 - 5 + i * t * s.xs); }, INT_MIN, s.W - 1,
        [&](double i) {
            const double n = i * t;
            c.text(px(s.x0 - 5 + n * s.xs), textRow, wholeText(n));
            const int x = px(s.x0 + n * s.xs);
            c.line(x, px(tickTop), x, px(tickBottom));
        });
}

/// Rows that a value tick can show on: its text sits 6 pixels above the tick.
constexpr int kTickRowMargin = 40;

void drawAttenuationValueTicks(Canvas& c, const GraphScale& s) {
    const double last = std::floor((s.top - s.bottom) / 10);
    auto valueAt = [&](double i) { return s.bottom + 10 * i; };
    forEachVisible(
        0, last, [&](double i) { return -s.row(valueAt(i)); }, -(s.H + kTickRowMargin), kTickRowMargin,
        [&](double i) {
            const double n = valueAt(i);
            if (n > s.top) return;
            c.text(0, px(s.M - n * s.v + s.w - 6), wholeText(n));
            const int r = s.row(n);
            c.line(23, r, 28, r);
        });
}

void drawNiceValueTicks(Canvas& c, const GraphScale& s) {
    const double scale = s.nanoseconds ? 0.001 : 1;
    const double u = s.nanoseconds ? s.v * 1000 : s.v;
    const NiceTicks ticks = NiceStep(s.top * scale, s.bottom * scale);
    double i = 0;
    double p = std::trunc(ticks.bottom * u);
    // The counter p always grows by many pixels; the guards only keep a broken range finite.
    for (int guard = 0; guard < 10000 && ticks.top * u >= p; ++guard) {
        const double value = i * ticks.step + ticks.bottom;
        i += 1;
        c.text(0, px(s.M - value * u + s.w - 6), NumberText(value));
        const int r = px(s.M - value * u + s.w);
        c.line(28, r, 33, r);
        const double next = std::trunc(p + ticks.step * u);
        if (!(next > p)) break;
        p = next;
    }
}

}  // namespace

int GraphScale::column(double distance) const { return px(x0 + distance * xs); }
int GraphScale::row(double value) const { return px(M - value * v + w); }
int GraphScale::zeroRow() const { return px(M + w); }

int TickStep(double fibreLength) {
    int t = 5;
    if (fibreLength > 20) t = 10;
    if (fibreLength > 100) t = 25;
    if (fibreLength > 250) t = 50;
    if (fibreLength > 500) t = 100;
    return t;
}

double attenuationBound(double b) {
    b = 10 * std::trunc(b / 10);
    return b >= 0 ? b + 10 : b - 10;
}

NiceTicks NiceStep(double t, double b) {
    double step = 1;
    double r = (t - b) * 0.1;
    // The guards bound the loops for ranges no scale produces (zero, infinite).
    if (r >= 1) {
        for (int g = 0; g < 1100 && r > 5; ++g) r *= 0.1, step *= 10;
    } else {
        for (int g = 0; g < 1100 && r < 0.5; ++g) r *= 10, step *= 0.1;
    }
    const double q = (t - b) / step;
    if (q > 15) {
        step *= 5;
    } else if (q < 5) {
        step *= 0.2;
    }
    if (b != 0) b = step * std::trunc(b / step) - step;
    t = step * std::trunc(t / step) + step;
    return {step, b, t};
}

GraphScale makeGraphScale(GraphKind kind, GraphSize size, int W, int H, double fibreLength, double highest,
                          double lowest) {
    GraphScale s;
    s.kind = kind;
    s.W = W;
    s.H = H;
    s.M = H / 2;
    s.x0 = kind == GraphKind::Attenuation ? 25 : 30;
    const bool small = size == GraphSize::Small;

    const double widthFactor = small ? 0.85 : 0.9;
    auto xsFor = [&](double length) {
        const double xs = (W - s.x0) * widthFactor / length;
        // Single precision on purpose for the main window's pictures.
        // A scale beyond the float range saturates (and then falls back below) rather than
        // being converted out of range, which is undefined.
        constexpr double kFloatMax = std::numeric_limits<float>::max();
        if (small && std::fabs(xs) > kFloatMax) return std::numeric_limits<double>::infinity();
        return small ? static_cast<double>(static_cast<float>(xs)) : xs;
    };
    const double length = tame(fibreLength);
    // Only a route without length (or one whose scale overflows) needs the 1-km scale; a
    // scale that underflows to 0 is the plain rule's, with everything at the origin.
    s.xs = length > 0 ? xsFor(length) : xsFor(1);
    if (!std::isfinite(s.xs)) s.xs = xsFor(1);

    highest = tame(highest);
    lowest = tame(lowest);
    double top = highest;
    double bottom = lowest;
    if (kind == GraphKind::Attenuation) {
        top = attenuationBound(highest);
        bottom = attenuationBound(lowest);
    } else if (kind == GraphKind::Pmd) {
        bottom = 0;
    }
    const double fill = kind == GraphKind::Attenuation ? 0.9 : (small ? 0.8 : 0.775);
    auto spanned = [&] {
        const double v = H * fill / (top - bottom);
        return top > bottom && std::isfinite(v) && v > 0;
    };
    if (!spanned()) {
        const double hi = std::max(top, bottom);
        const double lo = std::min(top, bottom);
        if (kind == GraphKind::Attenuation) {
            top = 10 * std::ceil(std::max(highest, lowest) / 10);
            bottom = 10 * std::floor(std::min(highest, lowest) / 10);
        } else {
            top = hi;
            bottom = lo;
        }
        if (!spanned()) top = bottom + std::max(kind == GraphKind::Attenuation ? 10.0 : 1.0, std::fabs(bottom));
    }
    s.top = top;
    s.bottom = bottom;
    s.v = H * fill / (top - bottom);
    s.w = (top + bottom) * s.v * 0.5;
    s.nanoseconds = kind != GraphKind::Attenuation && top > 1000;
    return s;
}

void drawPmdCurve(const PmdProfile& profile, const GraphScale& s, Canvas& c) {
    Pixel cur{s.x0, s.zeroRow()};
    for (const PmdFibre& f : profile.fibres) {
        if (cur.x >= s.W) return;  // the curve has left the picture to the right for good
        auto col = [&](double step) { return s.column(profile.point(f, step).distance); };
        double step = 1;
        while (step <= f.steps) {
            const int x = col(step);
            const Pixel first{x, s.row(profile.point(f, step).value)};
            if (first != cur) line(c, cur, first);
            cur = first;
            if (x >= s.W) return;
            double last = firstTrue(step, f.steps, [&](double j) { return col(j) > x; }) - 1;
            if (last < step) last = step;
            const Pixel end{x, s.row(profile.point(f, last).value)};
            if (end != cur) line(c, cur, end);
            cur = end;
            const double next = last + 1;
            if (next <= last) break;
            step = next;
        }
    }
}

GraphScale drawAttenuationGraph(const AttenuationProfile& p, GraphSize size, Canvas& c) {
    const GraphScale s =
        makeGraphScale(GraphKind::Attenuation, size, c.width(), c.height(), p.FibreLength, p.highest, p.lowest);
    drawFrame(c, s, "A[dB]", 30);
    const Pixel e = drawPolyline(c, s, p.points);
    drawEndMarks(c, s, e);
    const int sensitivityRow = s.row(p.sensitivity);
    c.setPen(kGreenPen);
    line(c, e, {e.x, sensitivityRow});
    c.setPen(kRedPen);
    c.line(s.W, sensitivityRow, s.x0, sensitivityRow);
    drawDistanceTicks(c, s, p.FibreLength, size);
    drawAttenuationValueTicks(c, s);
    return s;
}

GraphScale drawCdGraph(const CdProfile& p, GraphSize size, Canvas& c) {
    const GraphScale s = makeGraphScale(GraphKind::Cd, size, c.width(), c.height(), p.FibreLength, p.highest, p.lowest);
    drawFrame(c, s, s.nanoseconds ? "t[ns]" : "t[ps]", 35);
    const Pixel e = drawPolyline(c, s, p.points);
    drawEndMarks(c, s, e);
    drawDistanceTicks(c, s, p.FibreLength, size);
    drawNiceValueTicks(c, s);
    return s;
}

GraphScale drawPmdGraph(const PmdProfile& p, GraphSize size, Canvas& c) {
    const GraphScale s = makeGraphScale(GraphKind::Pmd, size, c.width(), c.height(), p.FibreLength, p.scaleTop, 0);
    drawFrame(c, s, s.nanoseconds ? "t[ns]" : "t[ps]", 35);
    drawPmdCurve(p, s, c);
    Pixel e{s.x0, s.zeroRow()};
    if (!p.fibres.empty()) {
        const PmdFibre& lastFibre = p.fibres.back();
        const ProfilePoint end = lastFibre.steps >= 1 ? p.point(lastFibre, lastFibre.steps)
                                                      : ProfilePoint{lastFibre.startDistance, lastFibre.startLevel};
        e = {s.column(end.distance), s.row(end.value)};
    }
    drawEndMarks(c, s, e);
    drawDistanceTicks(c, s, p.FibreLength, size);
    drawNiceValueTicks(c, s);
    return s;
}

namespace {

/// The small graphs, each from its profile evaluated just before it is drawn; the profiles
/// are kept in `profiles` for whoever draws them again.
bool drawSmallGraphs(const RouteList& route, Canvas& att, Canvas& cd, Canvas& pmd, RouteResult& result,
                     RouteProfiles& profiles) {
    if (!IsRouteComplete(route)) return false;
    checkFibreLengths(route);
    profiles.attenuation = evaluateAttenuation(route);
    drawAttenuationGraph(profiles.attenuation, GraphSize::Small, att);
    result.EndAttenuation = profiles.attenuation.end;
    profiles.cd = evaluateCd(route);
    drawCdGraph(profiles.cd, GraphSize::Small, cd);
    result.EndCd = nanosecondsOf(profiles.cd.end);
    profiles.pmd = evaluatePmd(route);
    drawPmdGraph(profiles.pmd, GraphSize::Small, pmd);
    result.EndPmd = profiles.pmd.end;
    return true;
}

GraphScale drawEnlargedGraph(const RouteProfiles& profiles, GraphKind kind, Canvas& canvas) {
    switch (kind) {
        case GraphKind::Attenuation: return drawAttenuationGraph(profiles.attenuation, GraphSize::Enlarged, canvas);
        case GraphKind::Cd: return drawCdGraph(profiles.cd, GraphSize::Enlarged, canvas);
        case GraphKind::Pmd: break;
    }
    return drawPmdGraph(profiles.pmd, GraphSize::Enlarged, canvas);
}

}  // namespace

bool renderSmallGraphs(const RouteList& route, Canvas& att, Canvas& cd, Canvas& pmd, RouteResult& result) {
    RouteProfiles profiles;
    return drawSmallGraphs(route, att, cd, pmd, result, profiles);
}

GraphScale renderEnlargedGraph(const RouteList& route, GraphKind kind, Canvas& canvas) {
    checkFibreLengths(route);
    RouteProfiles profiles;
    switch (kind) {
        case GraphKind::Attenuation: profiles.attenuation = evaluateAttenuation(route); break;
        case GraphKind::Cd: profiles.cd = evaluateCd(route); break;
        case GraphKind::Pmd: profiles.pmd = evaluatePmd(route); break;
    }
    return drawEnlargedGraph(profiles, kind, canvas);
}

std::optional<std::array<GraphScale, 3>> renderRoutePictures(const RouteList& route, const RouteCanvases& canvases,
                                                             RouteResult& result, RouteProfiles* profilesOut) {
    // One evaluation and one check of the fibre lengths serve the small and the enlarged graphs.
    RouteProfiles profiles;
    if (!drawSmallGraphs(route, *canvases.small[0], *canvases.small[1], *canvases.small[2], result, profiles)) {
        return std::nullopt;
    }
    std::array<GraphScale, 3> scales;
    for (std::size_t i = 0; i < kGraphKinds.size(); ++i) {
        if (canvases.enlarged[i] != nullptr) {
            scales[i] = drawEnlargedGraph(profiles, kGraphKinds[i], *canvases.enlarged[i]);
        }
    }
    if (profilesOut != nullptr) {
        profiles.FibreLength = profiles.attenuation.FibreLength;
        profiles.SourceLevel = profiles.attenuation.SourceLevel;
        profiles.sensitivity = profiles.attenuation.sensitivity;
        profiles.EndAttenuation = result.EndAttenuation;
        profiles.EndCd = result.EndCd;
        profiles.EndPmd = result.EndPmd;
        *profilesOut = std::move(profiles);
    }
    return scales;
}

std::string coordinateText(const GraphScale& s, int X, int Y) {
    const double xs = std::isfinite(s.xs) && s.xs > 0 ? s.xs : 1;
    const double v = std::isfinite(s.v) && s.v > 0 ? s.v : 1;
    // As many decimals of a kilometre as one pixel resolves (xs pixels a km), at most three.
    const int decimals = static_cast<int>(std::clamp(std::ceil(std::log10(xs) - 1e-9), 0.0, 3.0));
    const double unit = std::pow(10.0, decimals);
    const double u = (static_cast<double>(X) - s.x0) / xs * unit;
    double k = std::trunc(u);
    if (u - k >= 0.5) k += 1;
    if (u - k <= -0.5) k -= 1;  // with the k just found: an exact half goes down
    const long long d = static_cast<long long>(s.H) - s.M - Y;
    double r = std::trunc((static_cast<double>(d) + tame(s.w)) * 100 / v);
    if (s.nanoseconds) {
        // Whole-number division toward zero.
        r = std::fabs(r) < 9e15 ? static_cast<double>(static_cast<long long>(r) / 1000) : std::trunc(r / 1000);
    }
    const double value = r * 0.01;
    return "Souřadnice  X:" + (decimals == 0 ? wholeText(k) : NumberText(k / unit)) + ", Y:" + NumberText(value);
}

}  // namespace lumor
