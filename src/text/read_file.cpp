#include "text/read_file.h"

#include "text/file_io.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lumor {

namespace {

namespace fs = std::filesystem;

/// Why an entry of this kind is no file to read; "" for a regular file.
std::string kindReason(fs::file_type type) {
    if (type == fs::file_type::regular) return {};
    if (type == fs::file_type::directory) return "je to složka, ne soubor";
    return "je to " + fileKindText(type) + ", ne obyčejný soubor";
}

/// Czech words for an error number met reading a file.
std::string readReason(int error) {
    switch (error) {
        case ENOENT: return "soubor neexistuje";
        case EACCES:
        case EPERM:
        case ELOOP:
        case ENOTDIR:
        case ENAMETOOLONG:
        case EIO:
        case EISDIR:
        case EBUSY: return czechReason(error);
        default: return "chyba čtení (kód " + std::to_string(error) + ")";
    }
}

/// The reason for a path whose status cannot be had: a dangling link and a loop of links
/// are told apart from a file that is not there.
std::string missingReason(const fs::path& p, int error) {
    if (error != ENOENT) return readReason(error);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(p, ec))) {
        return "je to symbolický odkaz na „" + utf8FromPath(fs::read_symlink(p, ec)) + "“, který neexistuje";
    }
    return "soubor neexistuje";
}

}  // namespace

#ifndef _WIN32

std::variant<std::string, ReadFailure> readFileBytes(const std::string& path, std::size_t limit) {
    const fs::path p = pathFromUtf8(path);
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) return ReadFailure{missingReason(p, errno)};
    std::error_code ec;
    if (!S_ISREG(st.st_mode)) return ReadFailure{kindReason(fs::status(p, ec).type())};
    // Non-blocking: should a pipe or device have taken the file's place since, opening it does
    // not wait for a writer; it is then refused below.
    const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return ReadFailure{readReason(errno)};
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0) return ReadFailure{readReason(errno)};
    if (!S_ISREG(st.st_mode)) return ReadFailure{kindReason(fs::status(p, ec).type())};
    std::string bytes;
    // In pieces, so that a limit keeps a huge file from being read whole.
    constexpr std::size_t kPiece = 1 << 16;
    while (bytes.size() < limit) {
        const std::size_t want = std::min(kPiece, limit - bytes.size());
        const std::size_t had = bytes.size();
        bytes.resize(had + want);
        const ssize_t got = ::read(fd, bytes.data() + had, want);
        if (got < 0) {
            bytes.resize(had);
            if (errno == EINTR) continue;
            return ReadFailure{"chyba při čtení souboru: " + readReason(errno)};
        }
        bytes.resize(had + static_cast<std::size_t>(got));
        if (got == 0) break;
    }
    return bytes;
}

#else

std::variant<std::string, ReadFailure> readFileBytes(const std::string& path, std::size_t limit) {
    const fs::path p = pathFromUtf8(path);
    std::error_code ec;
    const fs::file_status status = fs::status(p, ec);
    const std::error_condition condition = ec.default_error_condition();
    const int error = !ec ? ENOENT : condition.category() == std::generic_category() ? condition.value() : EIO;
    if (!fs::exists(status)) return ReadFailure{missingReason(p, error)};
    if (const std::string reason = kindReason(status.type()); !reason.empty()) return ReadFailure{reason};
    errno = 0;
    std::ifstream in(p, std::ios::binary);
    if (!in) return ReadFailure{errno == EACCES || errno == EPERM ? "přístup odepřen" : "soubor nelze otevřít"};
    std::string bytes;
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

#endif

std::variant<std::string, ReadFailure> readBoundedFile(const std::string& path, std::size_t cap) {
    auto content = readFileBytes(path, cap + 1);
    if (auto* bytes = std::get_if<std::string>(&content); bytes && bytes->size() > cap) {
        constexpr std::size_t kMegabyte = 1024 * 1024;
        const std::string size =
            cap % kMegabyte == 0 ? std::to_string(cap / kMegabyte) + " MB" : std::to_string(cap) + " bajtů";
        return ReadFailure{"soubor je příliš velký, nejvýš " + size};
    }
    return content;
}

}  // namespace lumor
