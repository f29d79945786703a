#include "text/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace lumor {

std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
}

std::string czechReason(int errorNumber) {
    switch (errorNumber) {
        case ENOENT: return "složka neexistuje";
        case EACCES:
        case EPERM: return "přístup odepřen";
        case EROFS: return "disk je jen pro čtení";
        case ENOSPC: return "na disku není místo";
        case EISDIR: return "pod tímto jménem je složka";
        case ENOTDIR: return "cesta nevede do složky";
        case ENAMETOOLONG: return "jméno souboru je příliš dlouhé";
        default: return "chyba zápisu (kód " + std::to_string(errorNumber) + ")";
    }
}

std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path target = pathFromUtf8(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) return czechReason(EISDIR);
    fs::path temp = target;
    temp += ".lumor-tmp";
    errno = 0;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return czechReason(errno != 0 ? errno : EACCES);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            const int err = errno != 0 ? errno : EIO;
            out.close();
            fs::remove(temp, ec);
            return czechReason(err);
        }
        out.close();
        if (!out) {
            fs::remove(temp, ec);
            return czechReason(errno != 0 ? errno : EIO);
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return czechReason(ec.default_error_condition().value());  // errno terms everywhere
    }
    return std::nullopt;
}

}  // namespace lumor
