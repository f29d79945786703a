#include "text/typed_input.h"

#include "text/cp1250.h"

namespace lumor {

namespace {

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

/// The character as the refusal quotes it: a space is named, others stand as typed.
std::string shown(char32_t c) {
    if (c == U' ') return "mezera";
    std::string s = "„";
    appendUtf8(s, c);
    return s + "“";
}

}  // namespace

TypedNumber typedNumber(const std::string& text, NumberSign sign) {
    const bool negative = sign == NumberSign::MayBeNegative;
    const std::u32string chars = utf8ToCodePoints(text);
    if (chars.size() > kMaxInputChars) {
        return {{}, "Číslo může mít nejvýš " + std::to_string(kMaxInputChars) + " znaků."};
    }
    TypedNumber out;
    bool comma = false;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i] == U'.' ? U',' : chars[i];
        if (isDigit(c)) {
            out.text.push_back(static_cast<char>(c));
        } else if (c == U',') {
            if (comma) return {{}, "Číslo má jen jednu desetinnou čárku."};
            comma = true;
            out.text.push_back(',');
        } else if (c == U'-' && negative) {
            if (i != 0) return {{}, "Znaménko minus patří jen na začátek čísla."};
            out.text.push_back('-');
        } else if (c == U'-') {
            return {{}, "Toto číslo nemůže být záporné."};
        } else {
            return {{},
                    shown(chars[i]) + (negative ? " do čísla nepatří: pište číslice, čárku a minus na začátku."
                                                : " do čísla nepatří: pište číslice a desetinnou čárku.")};
        }
    }
    return out;
}

}  // namespace lumor
