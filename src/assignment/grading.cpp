#include "assignment/grading.h"

#include "eval/link_verdict.h"
#include "eval/route_evaluation.h"
#include "route/component_types.h"
#include "route/route_rules.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <utility>
#include <variant>

namespace lumor {

namespace {

/// What the requirements are graded on, as shown to the user.
struct RouteValues {
    double fibreLength = 0;         ///< km, to hundredths
    double margin = 0;              ///< dB, to hundredths
    std::optional<double> bitRate;  ///< Gbit/s, to three significant digits; nothing: unlimited
    long long amplifiers = 0;
    long long components = 0;
};

/// A number as the program shows it, read back from that text: what is graded is what is seen,
/// so 0,1 km + 0,2 km is 0,3 km and not 0,30000000000000004 km.
double asShown(double value) { return SlotNumber(NumberText(value)); }

/// Three significant digits, as `bitRateText` shows a bit rate.
double threeDigits(double value) {
    if (!(value > 0) || !std::isfinite(value)) return value;
    const double unit = std::pow(10.0, std::floor(std::log10(value)) - 2);
    return std::nearbyint(value / unit) * unit;
}

/// The draw command's evaluation of the route, or why there is none.
std::variant<RouteValues, std::string> evaluate(const RouteList& route) {
    if (auto reason = incompleteRouteReason(route)) return *reason;
    RouteValues v;
    try {
        checkFibreLengths(route);
        const RouteProfiles p = EvaluateRoute(route);
        const LinkVerdict verdict = linkVerdict(p.EndAttenuation, p.sensitivity, p.EndCd, p.EndPmd);
        for (const auto& [value, name] :
             {std::pair{p.FibreLength, "délka vláken"}, std::pair{verdict.margin, "rezerva"}}) {
            if (!std::isfinite(value)) {
                return std::string("Hodnota „") + name + "“ přesahuje rozsah čísel, trasu nelze vyhodnotit.";
            }
        }
        v.fibreLength = asShown(roundHundredths(p.FibreLength));
        v.margin = asShown(roundHundredths(verdict.margin));
        if (verdict.bitRate) v.bitRate = asShown(threeDigits(*verdict.bitRate) * 1e-9);
    } catch (const LumorError& e) {
        return std::string(e.what());
    }
    v.components = route.count();
    for (int k = 1; k <= route.count(); ++k) {
        if (SlotText(route.at(k), ComponentSlot::Type) == typeName(ComponentType::Amplifier)) ++v.amplifiers;
    }
    return v;
}

std::string withUnit(const std::string& number, const std::string& unit) {
    return unit.empty() ? number : number + " " + unit;
}

/// One requirement: its captions, and, for an evaluated route, the value and whether it is kept.
RequirementResult requirement(RequirementKind kind, double limit, const RouteValues* values) {
    RequirementResult r;
    r.kind = kind;
    bool atLeast = true;  // a least value, or a greatest
    std::optional<double> value;
    switch (kind) {
        case RequirementKind::MinFibreLength:
        case RequirementKind::MaxFibreLength:
            r.name = "Délka vláken";
            r.unit = "km";
            atLeast = kind == RequirementKind::MinFibreLength;
            if (values) value = values->fibreLength;
            break;
        case RequirementKind::MinMargin:
            r.name = "Rezerva";
            r.unit = "dB";
            if (values) value = values->margin;
            break;
        case RequirementKind::MinBitRate:
            r.name = "Přenosová rychlost";
            r.unit = "Gbit/s";
            if (values) value = values->bitRate.value_or(std::numeric_limits<double>::infinity());
            break;
        case RequirementKind::MaxAmplifiers:
            r.name = "Zesilovače";
            atLeast = false;
            if (values) value = static_cast<double>(values->amplifiers);
            break;
        case RequirementKind::MaxComponents:
            r.name = "Komponenty";
            atLeast = false;
            if (values) value = static_cast<double>(values->components);
            break;
    }
    r.limitText = withUnit((atLeast ? "nejméně " : "nejvýše ") + NumberText(limit), r.unit);
    if (value) {
        r.valueText = std::isinf(*value) ? "neomezená" : NumberText(*value);
        r.met = atLeast ? *value >= limit : *value <= limit;
    }
    return r;
}

}  // namespace

Grading gradeRoute(const RouteList& route, const Assignment& assignment) {
    Grading g;
    const auto evaluated = evaluate(route);
    const RouteValues* values = std::get_if<RouteValues>(&evaluated);
    if (const auto* reason = std::get_if<std::string>(&evaluated)) g.problem = *reason;
    const std::array<std::pair<RequirementKind, std::optional<double>>, 6> limits = {{
        {RequirementKind::MinFibreLength, assignment.minFibreLength},
        {RequirementKind::MaxFibreLength, assignment.maxFibreLength},
        {RequirementKind::MinMargin, assignment.minMargin},
        {RequirementKind::MinBitRate, assignment.minBitRate},
        {RequirementKind::MaxAmplifiers, assignment.maxAmplifiers},
        {RequirementKind::MaxComponents, assignment.maxComponents},
    }};
    g.passed = values != nullptr;
    for (const auto& [kind, limit] : limits) {
        if (!limit) continue;
        g.requirements.push_back(requirement(kind, *limit, values));
        g.passed = g.passed && g.requirements.back().met;
    }
    return g;
}

std::string valueWithUnit(const RequirementResult& result) {
    if (result.valueText.empty()) return "–";
    if (result.valueText == "neomezená") return result.valueText;
    return withUnit(result.valueText, result.unit);
}

std::vector<std::vector<std::size_t>> identicalRoutes(const std::vector<const RouteList*>& routes) {
    // The note is the catalogue's remark, not a value of the route.
    constexpr std::array<ComponentSlot, 10> kCompared = {
        ComponentSlot::Type,   ComponentSlot::Label,      ComponentSlot::Wavelength, ComponentSlot::Attenuation,
        ComponentSlot::Gain,   ComponentSlot::SourceRms,  ComponentSlot::Pmd,        ComponentSlot::Cd,
        ComponentSlot::Length, ComponentSlot::Sensitivity};
    std::map<std::vector<std::string>, std::vector<std::size_t>> byComponents;
    for (std::size_t i = 0; i < routes.size(); ++i) {
        if (routes[i] == nullptr || routes[i]->count() == 0) continue;
        std::vector<std::string> texts;
        for (int k = 1; k <= routes[i]->count(); ++k) {
            for (ComponentSlot s : kCompared) texts.push_back(SlotText(routes[i]->at(k), s));
        }
        byComponents[std::move(texts)].push_back(i);
    }
    std::vector<std::vector<std::size_t>> same(routes.size());
    for (const auto& [texts, positions] : byComponents) {
        for (std::size_t i : positions) {
            for (std::size_t j : positions) {
                if (j != i) same[i].push_back(j);
            }
        }
    }
    return same;
}

}  // namespace lumor
