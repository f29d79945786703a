#pragma once
#include <string>
#include <string_view>

namespace lumor {

/// Decodes code page 1250 bytes into UTF-8. Every byte maps to one character; the five
/// bytes the code page leaves undefined become the C1 controls of the same value, so that
/// encoding the result gives the original bytes back.
std::string cp1250ToUtf8(std::string_view bytes);

/// Encodes UTF-8 text into code page 1250, one byte per character. A character the code
/// page lacks, and every malformed UTF-8 sequence, becomes "?".
std::string utf8ToCp1250(std::string_view text);

/// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or stray bytes).
bool isUtf8(std::string_view bytes);

/// True when every character of the UTF-8 text exists in code page 1250.
bool fitsCp1250(std::string_view text);

/// Decodes UTF-8 into code points; malformed sequences give U+FFFD, one per bad byte.
std::u32string utf8ToCodePoints(std::string_view text);

/// Encodes one code point as UTF-8 and appends it.
void appendUtf8(std::string& out, char32_t cp);

/// Number of characters (code points) in UTF-8 text.
std::size_t utf8Length(std::string_view text);

}  // namespace lumor
