#pragma once
#include <cstddef>
#include <string>

namespace lumor {

/// Longest text a number field takes, in characters.
constexpr std::size_t kMaxInputChars = 31;

/// Whether a number field takes a minus sign (at the start of the number only).
enum class NumberSign { PositiveOnly, MayBeNegative };

/// What a number field makes of the whole text it would hold after a key press or a paste.
struct TypedNumber {
    std::string text;     ///< the text it keeps: the same characters, a full stop taken as the decimal comma
    std::string refusal;  ///< why it refuses the text, in Czech; empty when it takes it
};

/// A number field's rule: digits, at most one decimal comma (a full stop, also the numeric
/// keypad's, is taken as the comma), a minus only at the start when the field takes one, at
/// most 31 characters. A refused text is refused whole, so nothing typed ever changes the
/// value of what the field keeps; an empty text, a lone minus or comma are kept (a number
/// being typed), and whether the field holds a number is asked when its value is used.
TypedNumber typedNumber(const std::string& text, NumberSign sign);

}  // namespace lumor
