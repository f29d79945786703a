#include "eval/route_evaluation.h"

#include "route/component_types.h"
#include "route/route_rules.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <cmath>

namespace lumor {

namespace {

double number(const RouteList& route, int k, ComponentSlot slot) { return componentNumber(route, k, slot); }

bool isType(const RouteList& route, int k, ComponentType type) {
    return SlotText(route.at(k), ComponentSlot::Type) == typeName(type);
}

void requireTwoComponents(const RouteList& route) {
    if (route.count() < 2) {
        throw RefusalError("Trasa musí mít alespoň dvě komponenty. Graf nelze vykreslit.");
    }
}

[[noreturn]] void refuseNegativeLength(int k, double length) {
    throw RefusalError("Vlákno na pozici " + std::to_string(k) + " má zápornou délku (" + NumberText(length) +
                       "). Graf nelze vykreslit.");
}

/// A sum or product of the values up to position k, refused once it has left the range of
/// double: every slot holds a finite number, but 1e300 km × 1e300 ps/(km.nm) does not.
double inRange(double value, int k) {
    if (!std::isfinite(value)) {
        throw RefusalError("Hodnoty trasy jsou u komponenty na pozici " + std::to_string(k) +
                           " příliš velké, výsledek přesahuje rozsah čísel. Graf nelze vykreslit.");
    }
    return value;
}

/// `Length` of the fibre at position k; a negative length is refused.
double fibreLength(const RouteList& route, int k) {
    const double length = number(route, k, ComponentSlot::Length);
    if (length < 0) refuseNegativeLength(k, length);
    return length;
}

}  // namespace

bool IsRouteComplete(const RouteList& route) { return !incompleteRouteReason(route); }

void checkFibreLengths(const RouteList& route) {
    for (int k = 2; k < route.count(); ++k) {
        if (!isType(route, k, ComponentType::Fibre)) continue;
        double length = 0;
        try {
            length = number(route, k, ComponentSlot::Length);
        } catch (const ConversionError&) {
            continue;  // reported by the evaluation, at the point where it reads the slot
        }
        if (length < 0) refuseNegativeLength(k, length);
    }
}

double evaluateFibreLength(const RouteList& route) {
    requireTwoComponents(route);
    double total = 0;
    for (int k = 2; k < route.count(); ++k) {
        if (isType(route, k, ComponentType::Fibre)) total = inRange(total + fibreLength(route, k), k);
    }
    return total;
}

AttenuationProfile evaluateAttenuation(const RouteList& route) {
    requireTwoComponents(route);
    // A profile is evaluated with the fibre length, whose slots come first.
    evaluateFibreLength(route);
    const int n = route.count();
    AttenuationProfile p;
    p.SourceLevel = number(route, 1, ComponentSlot::Gain);
    double level = p.SourceLevel;
    double distance = 0;
    p.points.push_back({0, level});
    p.highest = level;
    p.lowest = 0;  // not the source level: the lowest is never above 0
    for (int k = 2; k < n; ++k) {
        if (isType(route, k, ComponentType::Fibre)) distance = inRange(distance + fibreLength(route, k), k);
        if (isType(route, k, ComponentType::Amplifier)) {
            level = inRange(level + number(route, k, ComponentSlot::Gain), k);
        } else {
            level = inRange(level - number(route, k, ComponentSlot::Attenuation), k);
        }
        p.points.push_back({distance, level});
        if (level > p.highest) p.highest = level;
        if (level < p.lowest) p.lowest = level;
    }
    p.sensitivity = number(route, n, ComponentSlot::Sensitivity);
    if (p.sensitivity < p.lowest) p.lowest = p.sensitivity;
    p.end = level;
    p.FibreLength = distance;
    return p;
}

CdProfile evaluateCd(const RouteList& route) {
    requireTwoComponents(route);
    // A profile is evaluated with the fibre length, whose slots come first.
    evaluateFibreLength(route);
    CdProfile p;
    const double width = number(route, 1, ComponentSlot::SourceRms);
    double delay = 0;
    double distance = 0;
    p.points.push_back({0, 0});
    for (int k = 2; k < route.count(); ++k) {
        if (isType(route, k, ComponentType::Fibre)) {
            const double length = fibreLength(route, k);
            distance = inRange(distance + length, k);
            delay = inRange(delay + length * (number(route, k, ComponentSlot::Cd) * width), k);
            p.points.push_back({distance, delay});
        }
        if (delay > p.highest) p.highest = delay;
        if (delay < p.lowest) p.lowest = delay;
    }
    p.end = delay;
    p.FibreLength = distance;
    return p;
}

double pmdSteps(double length) {
    if (!(length > 0)) return 0;
    return std::ceil(length);
}

PmdProfile evaluatePmd(const RouteList& route) {
    requireTwoComponents(route);
    // A profile is evaluated with the fibre length, whose slots come first.
    evaluateFibreLength(route);
    PmdProfile p;
    double level = 0;
    double distance = 0;
    for (int k = 2; k < route.count(); ++k) {
        if (!isType(route, k, ComponentType::Fibre)) continue;
        const double length = fibreLength(route, k);
        const double pmd = number(route, k, ComponentSlot::Pmd);
        const double steps = pmdSteps(length);
        p.FibreLength = inRange(p.FibreLength + length, k);
        p.scaleTop = inRange(p.scaleTop + pmd * std::sqrt(length), k);
        p.fibres.push_back({distance, level, pmd, steps});
        distance = inRange(distance + steps, k);
        level = inRange(level + pmd * std::sqrt(steps), k);
    }
    p.end = level;
    return p;
}

ProfilePoint PmdProfile::point(const PmdFibre& f, double s) const {
    return {f.startDistance + s, f.startLevel + f.pmd * std::sqrt(s)};
}

RouteProfiles EvaluateRoute(const RouteList& route) {
    RouteProfiles r;
    r.attenuation = evaluateAttenuation(route);
    r.cd = evaluateCd(route);
    r.pmd = evaluatePmd(route);
    r.FibreLength = r.attenuation.FibreLength;
    r.SourceLevel = r.attenuation.SourceLevel;
    r.sensitivity = r.attenuation.sensitivity;
    r.EndAttenuation = r.attenuation.end;
    r.EndCd = nanosecondsOf(r.cd.end);
    r.EndPmd = r.pmd.end;
    return r;
}

}  // namespace lumor
