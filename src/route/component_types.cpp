#include "route/component_types.h"

namespace lumor {

const std::string& typeName(ComponentType type) { return kTypeNames[static_cast<std::size_t>(type)]; }

std::optional<ComponentType> typeNamed(std::string_view text) {
    for (std::size_t i = 0; i < kTypeNames.size(); ++i) {
        if (kTypeNames[i] == text) return static_cast<ComponentType>(i);
    }
    return std::nullopt;
}

std::optional<ComponentType> typeOfCode(long long code) {
    if (code < 0 || code >= static_cast<long long>(kTypeNames.size())) return std::nullopt;
    return static_cast<ComponentType>(code);
}

std::string typeNameOfCode(long long code) {
    if (const auto type = typeOfCode(code)) return typeName(*type);
    return "neznámý typ (" + std::to_string(code) + ")";
}

}  // namespace lumor
