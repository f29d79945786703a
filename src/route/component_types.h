#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumor {

/// The five component types in their fixed order; the order is a library entry's type code.
enum class ComponentType { Source, Fibre, Detector, Connector, Amplifier };

/// The type names in the order of the types: the texts the route stores and the grids show.
inline const std::array<std::string, 5> kTypeNames = {"Zdroj", "Vlákno", "Detektor", "Konektor", "Zesilovač"};

/// The name of a type ("Zdroj" … "Zesilovač").
const std::string& typeName(ComponentType type);
/// The type a text names, compared whole and byte for byte (case and accents included).
std::optional<ComponentType> typeNamed(std::string_view text);
/// The type of a library type code 0 to 4; nothing for any other code.
std::optional<ComponentType> typeOfCode(long long code);
/// The type code of a type, 0 to 4.
constexpr int codeOf(ComponentType type) { return static_cast<int>(type); }

/// Type name of a type code, or a marker for a code outside 0 to 4: "neznámý typ (7)".
std::string typeNameOfCode(long long code);

}  // namespace lumor
