#include "text/text_search.h"

#include "text/cp1250.h"

namespace lumor {

namespace {

// The plain lower-case letter of each character from U+00C0 to U+017F; "." keeps the
// character (signs such as "×", ligatures such as "æ" and "ß").
constexpr std::string_view kPlainLetters =
    "aaaaaa.ceeeeiiiidnooooo.ouuuuy.."  // U+00C0
    "aaaaaa.ceeeeiiiidnooooo.ouuuuy.y"  // U+00E0
    "aaaaaaccccccccdd"                  // U+0100
    "ddeeeeeeeeeegggg"                  // U+0110
    "gggghhhhiiiiiiii"                  // U+0120
    "ii..jjkk.lllllll"                  // U+0130
    "lllnnnnnnn..oooo"                  // U+0140
    "oo..rrrrrrssssss"                  // U+0150
    "ssttttttuuuuuuuu"                  // U+0160
    "uuuuwwyyyzzzzzzs";                 // U+0170

}  // namespace

std::string searchFolded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : utf8ToCodePoints(text)) {
        if (c >= U'A' && c <= U'Z') {
            out.push_back(static_cast<char>(c - U'A' + U'a'));
        } else if (c >= 0xC0 && c <= 0x17F && kPlainLetters[c - 0xC0] != '.') {
            out.push_back(kPlainLetters[c - 0xC0]);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

bool nameContains(std::string_view name, std::string_view text) {
    return searchFolded(name).find(searchFolded(text)) != std::string::npos;
}

}  // namespace lumor
