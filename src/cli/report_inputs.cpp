#include "cli/report_inputs.h"

#include "text/cp1250.h"

namespace lumor::cli {

ConclusionText conclusionFromFile(std::string_view bytes) {
    ConclusionText result;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    std::string utf8;
    if (isUtf8(bytes)) {
        utf8 = std::string(bytes);
    } else {
        utf8 = cp1250ToUtf8(bytes);
        result.decodedAsCp1250 = true;
    }
    const std::u32string cps = utf8ToCodePoints(utf8);
    for (std::size_t i = 0; i < cps.size(); ++i) {
        char32_t cp = cps[i];
        if (cp == U'\r') {
            if (i + 1 < cps.size() && cps[i + 1] == U'\n') ++i;
            cp = U'\n';
        } else if (cp == U'\u2028' || cp == U'\u2029') {
            cp = U'\n';
        } else if (cp == U'\u00A0') {
            cp = U' ';
        }
        appendUtf8(result.text, cp);
    }
    return result;
}

}  // namespace lumor::cli
