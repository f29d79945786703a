#pragma once

namespace lumor {

/// End values of the last complete run of the main window's draw command; all zero until then.
struct RouteResult {
    double endAttenuation = 0;  ///< dB
    double endCd = 0;           ///< ns
    double endPmd = 0;          ///< ps
};

}  // namespace lumor
