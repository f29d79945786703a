#pragma once
#include "assignment/assignment.h"
#include "route/route_list.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace lumor {

/// The requirements an assignment can set, in the order they are listed and graded.
enum class RequirementKind { MinFibreLength, MaxFibreLength, MinMargin, MinBitRate, MaxAmplifiers, MaxComponents };

/// One requirement of the assignment and how the route keeps it. The texts are the program's
/// own (decimal comma) and the value is graded as it is shown: the length and the margin to
/// hundredths (as the status line), the bit rate to three significant digits.
struct RequirementResult {
    RequirementKind kind = RequirementKind::MinFibreLength;
    std::string name;  ///< Czech caption: "Délka vláken", "Rezerva", "Přenosová rychlost", "Zesilovače", "Komponenty"
    std::string unit;       ///< "km", "dB", "Gbit/s"; empty for the counts
    std::string valueText;  ///< the route's value without its unit ("95,3", "0,735", "2"), "neomezená" for a bit
                            ///< rate no dispersion limits; empty when the route was not evaluated
    std::string limitText;  ///< the limit with its unit: "nejméně 80 km", "nejvýše 1"
    bool met = false;       ///< false when the route was not evaluated
};

/// A route graded against an assignment.
struct Grading {
    /// Every requirement the assignment sets, in the order of RequirementKind, also when the route
    /// was not evaluated (then without values and not met).
    std::vector<RequirementResult> requirements;
    /// Why the route has no values, in Czech: `incompleteRouteReason`'s text, or why the route does
    /// not evaluate (a text where a number belongs, a fibre of negative length, a value beyond the
    /// range of numbers). Nothing when it was evaluated.
    std::optional<std::string> problem;
    bool passed = false;  ///< evaluated, and every requirement met (an assignment without any: evaluated)
};

/// Grades the route against the assignment as the draw command evaluates it: the total fibre
/// length, the margin (level at the detector minus its sensitivity), the bit-rate estimate of the
/// status line, the components of type "Zesilovač" and all components. Never throws for a route
/// the program can hold; a window may call it after every change of the route.
Grading gradeRoute(const RouteList& route, const Assignment& assignment);

/// The value with its unit as a window or a report shows it: "95,3 km", "2", "neomezená"; "–"
/// when the route was not evaluated.
std::string valueWithUnit(const RequirementResult& result);

/// For each route (null: one that could not be read), the positions of the other routes whose
/// components are the same: the same slot texts but the note (type, label and values, lengths
/// included) in the same order. Bytes of a slot beyond its text do not count; empty routes match
/// none. Positions count from 0 and come in ascending order.
std::vector<std::vector<std::size_t>> identicalRoutes(const std::vector<const RouteList*>& routes);

}  // namespace lumor
