#pragma once
#include <string>
#include <string_view>

namespace lumor {

/// A text file's bytes as UTF-8, and how they were read.
struct DecodedText {
    std::string text;      ///< UTF-8, without a byte order mark
    std::string encoding;  ///< "" for UTF-8, else "UTF-16LE", "UTF-16BE" or "windows-1250"
    std::string problem;   ///< why the bytes are no text (Czech); `text` is then empty
};

/// Reads a text file as a Czech teacher's programs save one: UTF-8 (with or without a byte
/// order mark), UTF-16 little or big endian with its byte order mark (a Windows editor's
/// "Unicode"), or else windows-1250, which every byte sequence is. Bytes that are none of
/// these (UTF-16 with a broken pair or an odd length, NUL bytes as in UTF-16 without its mark
/// or in a binary file) give a problem instead of a text.
DecodedText decodeText(std::string_view bytes);

/// The text as one may show it on a terminal or in a table: invalid UTF-8 bytes become
/// U+FFFD, control characters (C0, DEL, C1) are written as escapes ("\x1b", "\u009b"), so
/// that nothing of the text is lost and nothing of it acts on the terminal.
std::string printableText(std::string_view text);

}  // namespace lumor
