#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumor {

/// Which effect limits the bit rate a route can carry.
enum class RateLimit { None, Cd, Pmd };

/// What a drawn route means for the signal at its detector: the textbook link budget and the
/// bit rate its dispersion allows.
struct LinkVerdict {
    double level = 0;        ///< dBm, the signal at the detector (the end of the attenuation profile)
    double sensitivity = 0;  ///< dBm, the detector's
    double margin = 0;       ///< dB, level − sensitivity
    bool received = false;   ///< the margin is not negative: the detector sees the signal
    double endCd = 0;        ///< ns, the chromatic dispersion at the end
    double endPmd = 0;       ///< ps, the polarisation mode dispersion at the end
    /// bit/s, the lower of the two limits below; nothing when neither effect limits the rate
    /// (both end values zero).
    std::optional<double> bitRate;
    RateLimit limit = RateLimit::None;  ///< the effect that gives `bitRate`
};

/// The verdict from the end values of a draw and the detector's sensitivity. Chromatic
/// dispersion limits the bit rate to B ≤ 1 / (4 · Δτ_CD), Δτ_CD = |EndCd| taken as the pulse
/// broadening; polarisation mode dispersion to B ≤ 0,1 / Δτ_PMD, Δτ_PMD = |EndPmd| taken as the
/// mean differential group delay. A zero value sets no limit.
LinkVerdict linkVerdict(double endAttenuation, double sensitivity, double endCdNs, double endPmdPs);

/// A bit rate for people: three significant digits in Gbit/s from 1 Gbit/s up, otherwise in
/// Mbit/s, with the decimal comma ("2,94 Gbit/s", "735 Mbit/s"); `unitSpace` stands between the
/// number and its unit (a no-break space in print).
std::string bitRateText(double bitsPerSecond, std::string_view unitSpace = " ");

/// The words for the limiting effect: "chromatická disperze", "polarizační vidová disperze".
std::string rateLimitText(RateLimit limit);

/// The verdict as one Czech line for the main window's status line, values to hundredths;
/// `unitSpace` stands between each number and its unit.
std::string verdictLine(const LinkVerdict& verdict, std::string_view unitSpace = " ");

/// The rule that gives the verdict's bit rate, with the delay it was given (three significant
/// digits): "B ≤ 1 / (4 · Δτ_CD), kde Δτ_CD = 0,34 ns je …"; empty when nothing limits the rate.
std::string rateLimitRule(const LinkVerdict& verdict, std::string_view unitSpace = " ");

/// What the three graphs show after a draw, for a screen reader, in the order attenuation, CD,
/// PMD: the quantity along the route and its value at the end, to hundredths.
std::array<std::string, 3> graphDescriptions(double endAttenuation, double endCdNs, double endPmdPs);

/// The rules behind the bit-rate estimate, for the status line's tooltip and help texts.
extern const char* const kBitRateRules;

}  // namespace lumor
