#include "text/read_file.h"

#include "text/file_io.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>

namespace lumor {

std::variant<std::string, ReadFailure> readFileBytes(const std::string& path, std::size_t limit) {
    namespace fs = std::filesystem;
    const fs::path p = pathFromUtf8(path);
    std::error_code ec;
    const fs::file_status status = fs::status(p, ec);
    if (!fs::exists(status)) return ReadFailure{"soubor neexistuje"};
    if (fs::is_directory(status)) return ReadFailure{"je to složka, ne soubor"};
    errno = 0;
    std::ifstream in(p, std::ios::binary);
    if (!in) return ReadFailure{errno == EACCES || errno == EPERM ? "přístup odepřen" : "soubor nelze otevřít"};
    std::string bytes;
    // In pieces, so that a limit keeps a huge file from being read whole.
    constexpr std::size_t kPiece = 1 << 16;
    while (bytes.size() < limit && in) {
        const std::size_t want = std::min(kPiece, limit - bytes.size());
        const std::size_t had = bytes.size();
        bytes.resize(had + want);
        in.read(bytes.data() + had, static_cast<std::streamsize>(want));
        bytes.resize(had + static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
    }
    if (in.bad()) return ReadFailure{"chyba při čtení souboru"};
    return bytes;
}

}  // namespace lumor
