#include "cli/report_inputs.h"

#include "text/cp1250.h"
#include "text/text_decoding.h"

namespace lumor::cli {

ConclusionText conclusionFromFile(std::string_view bytes) {
    ConclusionText result;
    const DecodedText decoded = decodeText(bytes);
    if (!decoded.problem.empty()) {
        result.problem = decoded.problem;
        return result;
    }
    result.encoding = decoded.encoding;
    const std::u32string cps = utf8ToCodePoints(decoded.text);
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
