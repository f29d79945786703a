// The Windows calls behind utf8Arguments; <windows.h> stays in this file.
#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h: CommandLineToArgvW needs its types.
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace lumor {

std::optional<std::vector<std::u16string>> windowsArguments() {
    int count = 0;
    wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (args == nullptr) return std::nullopt;
    std::vector<std::u16string> out;
    for (int i = 0; i < count; ++i) {
        const wchar_t* arg = args[i];
        std::u16string text;
        for (; *arg != L'\0'; ++arg) text += static_cast<char16_t>(*arg);
        out.push_back(std::move(text));
    }
    ::LocalFree(args);
    return out;
}

}  // namespace lumor
#endif
