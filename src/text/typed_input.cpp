#include "text/typed_input.h"

#include "text/cp1250.h"

namespace lumor {

namespace {

// Keeps the characters `accept` takes, given whether a comma was kept before; at most 31.
template <class Accept>
std::string keepAccepted(const std::string& text, Accept accept) {
    std::string out;
    bool comma = false;
    for (char32_t c : utf8ToCodePoints(text)) {
        if (out.size() == kMaxInputChars) break;
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
    return keepAccepted(text, [](char32_t c, bool comma) { return isDigit(c) || (c == U',' && !comma); });
}

std::string filterNumericText(const std::string& text) {
    return keepAccepted(text, [](char32_t c, bool comma) { return isDigit(c) || c == U',' || (c == U'-' && !comma); });
}

}  // namespace lumor
