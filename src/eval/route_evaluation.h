#pragma once
#include "route/route_list.h"

#include <cstddef>
#include <vector>

namespace lumor {

/// One point of a profile: km along the route and the profile's value (dB or ps).
struct ProfilePoint {
    double distance = 0;
    double value = 0;
    bool operator==(const ProfilePoint&) const = default;
};

/// Signal level along the route, in dB.
struct AttenuationProfile {
    double fibreLength = 0;            ///< km, sum of the interior fibres' lengths
    double sourceLevel = 0;            ///< dB, `Gain` of component 1
    double sensitivity = 0;            ///< dB, `Sensitivity` of component n
    std::vector<ProfilePoint> points;  ///< (0, sourceLevel), then one per interior component
    double highest = 0;                ///< at least the source level
    double lowest = 0;                 ///< at most 0 and at most the sensitivity
    double end = 0;                    ///< the last level
};

/// Chromatic dispersion delay along the route, in ps.
struct CdProfile {
    double fibreLength = 0;
    std::vector<ProfilePoint> points;  ///< (0, 0), then one per interior fibre
    double highest = 0;                ///< at least 0
    double lowest = 0;                 ///< at most 0
    double end = 0;                    ///< ps; `endCd` is this × 0.001
};

/// One fibre of the PMD profile. Its points, for s = 1 … steps, lie at
/// (startDistance + s, startLevel + pmd × √s); they are not stored, a fibre may have 10^9 of them.
struct PmdFibre {
    double startDistance = 0;  ///< km, a whole number
    double startLevel = 0;     ///< ps
    double pmd = 0;            ///< ps/√km
    double steps = 0;          ///< whole kilometre steps: the whole j >= 0 with j < Length
};

/// Polarisation mode dispersion along the route, in ps, built in whole-kilometre steps.
struct PmdProfile {
    double fibreLength = 0;
    std::vector<PmdFibre> fibres;  ///< the interior fibres in route order; the first point is (0, 0)
    double scaleTop = 0;           ///< ps, sum of Pmd × √Length (exact lengths); the bottom is 0
    double end = 0;                ///< ps, sum of Pmd × √steps

    /// The point of step s (1 … steps) of fibre `f`.
    ProfilePoint point(const PmdFibre& f, double s) const;
};

/// Everything one evaluation gives.
struct RouteProfiles {
    double fibreLength = 0;
    double sourceLevel = 0;
    double sensitivity = 0;
    AttenuationProfile attenuation;
    CdProfile cd;
    PmdProfile pmd;
    double endAttenuation = 0;  ///< dB
    double endCd = 0;           ///< ns
    double endPmd = 0;          ///< ps
};

/// True when the route has a component 1 of type "Zdroj" and a last one of type "Detektor"
/// (two different components: a route of one is never complete).
bool isRouteComplete(const RouteList& route);

/// Refuses (RefusalError, Czech text naming the position) a route with an interior fibre of
/// negative length. Lengths that are not numbers are left to the evaluation, which reports
/// them where it reads them. The drawing functions call this before they draw anything.
void checkFibreLengths(const RouteList& route);

/// Sum of `Length` over the interior fibres, km.
double evaluateFibreLength(const RouteList& route);
/// The attenuation profile; reads `Gain` of component 1, the interior components in order,
/// then `Sensitivity` of component n.
AttenuationProfile evaluateAttenuation(const RouteList& route);
/// The CD profile; reads `SourceRms` of component 1, then each interior fibre's Length and Cd.
CdProfile evaluateCd(const RouteList& route);
/// The PMD profile; reads each interior fibre's Length and Pmd.
PmdProfile evaluatePmd(const RouteList& route);
/// All three profiles, in the order attenuation, CD, PMD.
RouteProfiles evaluateRoute(const RouteList& route);

/// A delay in ps as ns, the unit of `endCd`.
constexpr double nanosecondsOf(double picoseconds) { return picoseconds * 0.001; }

/// Whole-kilometre steps of a fibre of `length` km: the whole j >= 0 with j < length.
double pmdSteps(double length);

}  // namespace lumor
