#include "cli/input_file.h"

#include "text/file_io.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace lumor::cli {

std::variant<std::string, ReadFailure> readInputFile(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path p = pathFromUtf8(path);
    std::error_code ec;
    const fs::file_status status = fs::status(p, ec);
    if (!fs::exists(status)) return ReadFailure{"soubor neexistuje"};
    if (fs::is_directory(status)) return ReadFailure{"je to složka, ne soubor"};
    errno = 0;
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        return ReadFailure{errno == EACCES || errno == EPERM ? "přístup odepřen"
                                                             : "soubor nelze otevřít"};
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return ReadFailure{"chyba při čtení souboru"};
    return bytes;
}

}  // namespace lumor::cli
