#pragma once
#include <cstddef>
#include <string>

namespace lumor {

/// Longest text the length and numeric input filters keep, in characters.
constexpr std::size_t kMaxInputChars = 31;

/// The length field's filter: digits and the first comma, at most 31 characters kept; a full
/// stop typed before any comma becomes that comma.
std::string filterLengthText(const std::string& text);

/// The component editor's numeric filter: digits, commas, and a minus sign while no comma
/// was kept before it; at most 31 characters kept.
std::string filterNumericText(const std::string& text);

}  // namespace lumor
