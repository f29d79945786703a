#include "text/numbers.h"

#include "text/errors.h"

#include <charconv>
#include <cmath>
#include <string>

namespace lumor {

double slotNumber(std::string_view text) {
    const std::string original(text);
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string_view t = text.substr(b, e - b);

    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    // Validate the shape by hand: from_chars would also take "inf", "nan" and hex forms.
    std::string plain;
    std::size_t i = 0;
    int digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') plain.push_back(t[i++]), ++digits;
    if (i < t.size() && t[i] == ',') {
        plain.push_back('.');
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') plain.push_back(t[i++]), ++digits;
    }
    if (digits == 0) throw ConversionError(original);
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        plain.push_back('e');
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) plain.push_back(t[i++]);
        int expDigits = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') plain.push_back(t[i++]), ++expDigits;
        if (expDigits == 0) throw ConversionError(original);
    }
    if (i != t.size()) throw ConversionError(original);

    double value = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small underflows to zero harmlessly; too large is no usable number.
        bool tiny = plain.find("e-") != std::string::npos;
        if (!tiny) throw ConversionError(original);
        value = 0;
    } else if (res.ec != std::errc() || res.ptr != plain.data() + plain.size()) {
        throw ConversionError(original);
    }
    return negative ? -value : value;
}

std::string numberText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    // Scientific digits first: they tell the decimal exponent after rounding to 15 digits.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    const auto ePos = sci.find('e');
    const int exponent = std::stoi(sci.substr(ePos + 1));
    std::string mantissa = sci.substr(0, ePos);
    const bool negative = mantissa.front() == '-';
    if (negative) mantissa.erase(0, 1);
    std::string digits;
    for (char c : mantissa) {
        if (c != '.') digits.push_back(c);
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    // Built with append: GCC 12 misreads operator+ with literals here (-Wrestrict).
    std::string out;
    if (negative) out.push_back('-');
    if (exponent < -4 || exponent >= 15) {
        out.append(digits, 0, 1);
        if (digits.size() > 1) {
            out.push_back(',');
            out.append(digits, 1, std::string::npos);
        }
        out.push_back('E');
        out.append(std::to_string(exponent));
    } else if (exponent < 0) {
        out.append("0,");
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(digits);
    } else {
        const auto intLen = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out.append(digits);
            out.append(intLen - digits.size(), '0');
        } else {
            out.append(digits, 0, intLen);
            out.push_back(',');
            out.append(digits, intLen, std::string::npos);
        }
    }
    return out;
}

double roundHundredths(double value) {
    // nearbyint follows the default rounding mode, round-half-to-even. Beyond about 1,8E306
    // the division overflows; a number that large is a whole number anyway, its own hundredths.
    const double rounded = std::nearbyint(value / 0.01) * 0.01;
    return std::isfinite(rounded) || !std::isfinite(value) ? rounded : value;
}

std::string integerText(long long value) { return std::to_string(value); }

}  // namespace lumor
