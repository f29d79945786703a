#include "text/text_decoding.h"

#include "text/cp1250.h"

namespace lumor {

namespace {

/// UTF-16 bytes after their byte order mark, as UTF-8; false for an odd length or an
/// unpaired surrogate.
bool utf16ToUtf8(std::string_view bytes, bool bigEndian, std::string& out) {
    if (bytes.size() % 2 != 0) return false;
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xDC00 && cp <= 0xDFFF) return false;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 2 >= bytes.size()) return false;
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) return false;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        appendUtf8(out, cp);
    }
    return true;
}

}  // namespace

DecodedText decodeText(std::string_view bytes) {
    DecodedText result;
    const bool littleEndian = bytes.starts_with("\xFF\xFE");
    if (littleEndian || bytes.starts_with("\xFE\xFF")) {
        result.encoding = littleEndian ? "UTF-16LE" : "UTF-16BE";
        if (!utf16ToUtf8(bytes.substr(2), !littleEndian, result.text)) {
            result.text.clear();
            result.problem = "soubor začíná značkou kódování " + result.encoding +
                             ", ale není to platný text v tomto kódování (lichý počet bajtů nebo neúplná dvojice)";
            return result;
        }
    } else {
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
        if (isUtf8(bytes)) {
            result.text = std::string(bytes);
        } else {
            result.text = cp1250ToUtf8(bytes);
            result.encoding = "windows-1250";
        }
    }
    if (result.text.find('\0') != std::string::npos) {
        result.text.clear();
        result.problem =
            "soubor obsahuje nulové bajty, není to text v kódování UTF-8, UTF-16 se značkou BOM ani windows-1250";
    }
    return result;
}

std::string printableText(std::string_view text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char32_t cp : utf8ToCodePoints(text)) {
        if (cp < 0x20 || cp == 0x7F) {
            out += "\\x";
            out += kHex[cp >> 4];
            out += kHex[cp & 0xF];
        } else if (cp >= 0x80 && cp < 0xA0) {
            out += "\\u00";
            out += kHex[cp >> 4];
            out += kHex[cp & 0xF];
        } else {
            appendUtf8(out, cp);
        }
    }
    return out;
}

}  // namespace lumor
