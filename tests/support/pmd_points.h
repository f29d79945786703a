#pragma once
// The PMD profile's points written out, for comparing with the drawn curve.
#include "eval/route_evaluation.h"

#include <vector>

namespace lumor {

/// Every point of the profile, from (0, 0) on; meant for moderate lengths only.
inline std::vector<ProfilePoint> expandedPoints(const PmdProfile& p) {
    std::vector<ProfilePoint> out{{0, 0}};
    for (const PmdFibre& f : p.fibres) {
        for (double s = 1; s <= f.steps; s += 1) out.push_back(p.point(f, s));
    }
    return out;
}

}  // namespace lumor
