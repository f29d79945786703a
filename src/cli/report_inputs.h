#pragma once
#include <string>
#include <string_view>

namespace lumor::cli {

/// A conclusion file's text as the main window's conclusion box would hold it once pasted.
struct ConclusionText {
    std::string text;      ///< UTF-8, lines separated by LF
    std::string encoding;  ///< how the bytes were read when not UTF-8 ("windows-1250", "UTF-16LE"…)
    std::string problem;   ///< why the bytes are no text (Czech); nothing else is then set
};

/// Decodes a conclusion file as decodeText does: UTF-8 (its byte order mark skipped), UTF-16
/// with a byte order mark, else code page 1250. Line breaks become what the
/// conclusion box makes of them: CR LF, a lone CR and the Unicode line and paragraph
/// separators each become LF, and a no-break space becomes a space. The five-line and
/// 550-character limits are left to `limitConclusion`.
ConclusionText conclusionFromFile(std::string_view bytes);

}  // namespace lumor::cli
