#pragma once
#include <string>

namespace lumor {

/// The about box's six lines joined by CR LF.
std::string aboutText();

}  // namespace lumor
