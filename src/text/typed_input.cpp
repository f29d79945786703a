#include "text/typed_input.h"

#include "text/cp1250.h"

namespace lumor {

namespace {

// Keeps the characters `accept` takes, given whether a comma was kept before; at most 31.
// `typed` may stand a character for another first (a full stop for the decimal comma).
template <class Accept, class Typed>
std::string keepAccepted(const std::string& text, Accept accept, Typed typed) {
    std::string out;
    bool comma = false;
    for (char32_t c : utf8ToCodePoints(text)) {
        if (out.size() == kMaxInputChars) break;
        c = typed(c, comma);
        if (accept(c, comma)) {
            comma = comma || c == U',';
            out.push_back(static_cast<char>(c));  // only ASCII is ever accepted
        }
    }
    return out;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

std::string filterLengthText(const std::string& text) {
    // A full stop is the decimal separator of a numeric keypad and of English habits: it
    // stands for the comma while there is none yet (so 12.5 is 12,5 km, never 125).
    return keepAccepted(
        text, [](char32_t c, bool comma) { return isDigit(c) || (c == U',' && !comma); },
        [](char32_t c, bool comma) { return c == U'.' && !comma ? U',' : c; });
}

std::string filterNumericText(const std::string& text) {
    return keepAccepted(
        text, [](char32_t c, bool comma) { return isDigit(c) || c == U',' || (c == U'-' && !comma); },
        [](char32_t c, bool) { return c; });
}

}  // namespace lumor
