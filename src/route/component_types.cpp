#include "route/component_types.h"

namespace lumor {

std::string typeNameOfCode(long long code) {
    if (code >= 0 && code < static_cast<long long>(kTypeNames.size())) {
        return kTypeNames[static_cast<std::size_t>(code)];
    }
    return "neznámý typ (" + std::to_string(code) + ")";
}

}  // namespace lumor
