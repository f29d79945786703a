#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace lumor {

/// UTF-8 text of UTF-16 text (Windows' wide strings); an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view text);

/// The program's arguments, the program's name first, as UTF-8. On Windows `argv` holds them
/// in the ANSI code page, which cannot hold every name ("Novák" arrives as one byte e1), so
/// they are read again from the system as wide strings; elsewhere `argv` is the answer.
std::vector<std::string> utf8Arguments(int argc, const char* const* argv);

}  // namespace lumor
