#pragma once
#include <string>
#include <string_view>

namespace lumor {

/// Reads a number written with the decimal comma: optional blanks around it, an optional
/// sign, digits with at most one comma, an optional exponent. Anything else, an empty
/// text, "-" or a lone comma, throws ConversionError. Independent of the C locale.
double slotNumber(std::string_view text);

/// Formats a number as the program shows it: general form with at most 15 significant
/// digits, decimal comma, no trailing zeros, no thousands separators ("1,15", "3,5", "-30",
/// "1E20", "1E-5"). Negative zero gives "0".
std::string numberText(double value);

/// Rounds to hundredths, ties going to the even hundredth, as value/0.01 rounded and
/// multiplied by 0.01 in double precision; a finite number too large for that division (over
/// about 1,8E306) has no hundredths and is returned as it is.
double roundHundredths(double value);

/// Formats a whole number (already truncated) as a plain decimal integer.
std::string integerText(long long value);

}  // namespace lumor
