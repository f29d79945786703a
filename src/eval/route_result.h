#pragma once

namespace lumor {

/// End values of the last complete run of the main window's draw command; all zero until then.
struct RouteResult {
    double EndAttenuation = 0;  ///< dB
    double EndCd = 0;           ///< ns
    double EndPmd = 0;          ///< ps
};

}  // namespace lumor
