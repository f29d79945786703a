#include "report/conclusion.h"

#include "text/cp1250.h"

#include <algorithm>

namespace lumor {

std::vector<std::string> conclusionLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (lines.size() == 1 && lines[0].empty()) lines.clear();
    return lines;
}

LimitedConclusion limitConclusion(const std::string& text, std::size_t cursor) {
    constexpr std::size_t kMaxLines = 5;
    constexpr std::size_t kMaxChars = 550;
    std::u32string chars = utf8ToCodePoints(text);
    LimitedConclusion out;
    std::size_t lines = 1;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == U'\n' && ++lines > kMaxLines) {
            chars.resize(i);  // the sixth line and all after it go
            out.refusal = "Závěr má nejvýš pět řádků; šestý řádek nelze přidat.";
            break;
        }
    }
    cursor = std::min(cursor, chars.size());
    if (chars.size() > kMaxChars) {
        out.refusal = "Závěr má nejvýš 550 znaků; další text nelze přidat.";
        const std::size_t typed = std::min(chars.size() - kMaxChars, cursor);
        chars.erase(cursor - typed, typed);
        cursor -= typed;
        if (chars.size() > kMaxChars) chars.resize(kMaxChars);
    }
    for (char32_t c : chars) appendUtf8(out.text, c);
    out.cursor = std::min(cursor, chars.size());
    return out;
}

std::string limitConclusion(const std::string& text) { return limitConclusion(text, std::string::npos).text; }

}  // namespace lumor
