#pragma once
#include <array>
#include <string>

namespace lumor {

/// The five component types in their fixed order; the index is a library entry's type code.
inline const std::array<std::string, 5> kTypeNames = {"Zdroj", "Vlákno", "Detektor", "Konektor",
                                                      "Zesilovač"};
inline const std::string kSourceType = "Zdroj";
inline const std::string kFibreType = "Vlákno";
inline const std::string kDetectorType = "Detektor";
inline const std::string kConnectorType = "Konektor";
inline const std::string kAmplifierType = "Zesilovač";

/// Type name of a type code, or a marker for a code outside 0 to 4.
std::string typeNameOfCode(long long code);

}  // namespace lumor
