#pragma once
#include <string>
#include <string_view>

namespace lumor::cli {

/// A conclusion file's text as the main window's conclusion box would hold it once pasted.
struct ConclusionText {
    std::string text;              ///< UTF-8, lines separated by LF
    bool decodedAsCp1250 = false;  ///< the bytes were not UTF-8 and were read as code page 1250
};

/// Decodes a conclusion file: a UTF-8 byte order mark is skipped; bytes that are not UTF-8
/// are read as code page 1250 (every byte is a character there). Line breaks become what the
/// conclusion box makes of them: CR LF, a lone CR and the Unicode line and paragraph
/// separators each become LF, and a no-break space becomes a space. The five-line and
/// 550-character limits are left to `limitConclusion`.
ConclusionText conclusionFromFile(std::string_view bytes);

}  // namespace lumor::cli
