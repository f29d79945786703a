#include "text/command_line.h"

#include <optional>

namespace lumor {

#ifdef _WIN32
/// The process's arguments as the system holds them, wide; none when they cannot be had
/// (command_line_win32.cpp).
std::optional<std::vector<std::u16string>> windowsArguments();
#endif

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::vector<std::string> utf8Arguments(int argc, const char* const* argv) {
    std::vector<std::string> out;
#ifdef _WIN32
    // The system's own split of the command line has as many arguments as argv unless
    // something rewrote argv; then argv is kept.
    if (const auto wide = windowsArguments(); wide && wide->size() == static_cast<std::size_t>(argc)) {
        for (const auto& arg : *wide) out.push_back(utf8FromUtf16(arg));
        return out;
    }
#endif
    for (int i = 0; i < argc; ++i) out.emplace_back(argv[i]);
    return out;
}

}  // namespace lumor
