#include "eval/link_verdict.h"

#include "text/numbers.h"

#include <cmath>

namespace lumor {

const char* const kBitRateRules =
    "Odhad nejvyšší přenosové rychlosti: chromatická disperze ji omezuje na B ≤ 1 / (4 · Δτ_CD), "
    "polarizační vidová disperze na B ≤ 0,1 / Δτ_PMD, kde Δτ_CD je chromatická disperze na konci trasy "
    "(rozšíření impulzu) a Δτ_PMD polarizační vidová disperze na konci trasy (střední diferenční "
    "skupinové zpoždění). Nulová hodnota rychlost neomezuje; platí nižší z obou mezí.";

LinkVerdict linkVerdict(double endAttenuation, double sensitivity, double endCdNs, double endPmdPs) {
    LinkVerdict v;
    v.level = endAttenuation;
    v.sensitivity = sensitivity;
    v.margin = endAttenuation - sensitivity;
    v.received = v.margin >= 0;
    v.endCd = endCdNs;
    v.endPmd = endPmdPs;
    const double cdSeconds = std::fabs(endCdNs) * 1e-9;
    const double pmdSeconds = std::fabs(endPmdPs) * 1e-12;
    if (cdSeconds > 0) {
        v.bitRate = 1 / (4 * cdSeconds);
        v.limit = RateLimit::Cd;
    }
    if (pmdSeconds > 0 && (!v.bitRate || 0.1 / pmdSeconds < *v.bitRate)) {
        v.bitRate = 0.1 / pmdSeconds;
        v.limit = RateLimit::Pmd;
    }
    // A delay so small that its limit overflows limits nothing one could send.
    if (v.bitRate && !std::isfinite(*v.bitRate)) {
        v.bitRate.reset();
        v.limit = RateLimit::None;
    }
    return v;
}

namespace {

// Three significant digits: an estimate claims no more.
std::string threeDigits(double value) {
    double rounded = value;
    if (value > 0 && std::isfinite(value)) {
        const double unit = std::pow(10.0, std::floor(std::log10(value)) - 2);
        rounded = std::nearbyint(value / unit) * unit;
    }
    return NumberText(rounded);
}

}  // namespace

std::string bitRateText(double bitsPerSecond, std::string_view unitSpace) {
    const bool giga = bitsPerSecond >= 1e9;
    return threeDigits(bitsPerSecond / (giga ? 1e9 : 1e6)) + std::string(unitSpace) + (giga ? "Gbit/s" : "Mbit/s");
}

std::string rateLimitText(RateLimit limit) {
    switch (limit) {
        case RateLimit::Cd: return "chromatická disperze";
        case RateLimit::Pmd: return "polarizační vidová disperze";
        case RateLimit::None: break;
    }
    return "";
}

std::string verdictLine(const LinkVerdict& v, std::string_view unitSpace) {
    const std::string space(unitSpace);
    auto number = [](double x) { return NumberText(roundHundredths(x)); };
    std::string line = "Úroveň na detektoru " + number(v.level) + space + "dBm, citlivost detektoru " +
                       number(v.sensitivity) + space + "dBm, rezerva " + number(v.margin) + space +
                       "dB: " + (v.received ? "signál detektor zachytí" : "signál je pod citlivostí detektoru") +
                       ". CD " + number(v.endCd) + space + "ns, PMD " + number(v.endPmd) + space + "ps. ";
    if (v.bitRate) {
        line += "Nejvyšší přenosová rychlost asi " + bitRateText(*v.bitRate, unitSpace) + " (omezuje ji " +
                rateLimitText(v.limit) + ").";
    } else {
        line += "Disperze přenosovou rychlost neomezuje.";
    }
    return line;
}

std::string rateLimitRule(const LinkVerdict& v, std::string_view unitSpace) {
    const std::string space(unitSpace);
    switch (v.limit) {
        case RateLimit::Cd:
            return "B ≤ 1 / (4 · Δτ_CD), kde Δτ_CD = " + threeDigits(std::fabs(v.endCd)) + space +
                   "ns je chromatická disperze na konci trasy (rozšíření impulzu)";
        case RateLimit::Pmd:
            return "B ≤ 0,1 / Δτ_PMD, kde Δτ_PMD = " + threeDigits(std::fabs(v.endPmd)) + space +
                   "ps je polarizační vidová disperze na konci trasy (střední diferenční skupinové zpoždění)";
        case RateLimit::None: break;
    }
    return "";
}

std::array<std::string, 3> graphDescriptions(double endAttenuation, double endCdNs, double endPmdPs) {
    auto number = [](double x) { return NumberText(roundHundredths(x)); };
    return {"Úroveň signálu podél trasy; na konci trasy " + number(endAttenuation) + " dBm.",
            "Chromatická disperze podél trasy; na konci trasy " + number(endCdNs) + " ns.",
            "Polarizační vidová disperze podél trasy; na konci trasy " + number(endPmdPs) + " ps."};
}

}  // namespace lumor
