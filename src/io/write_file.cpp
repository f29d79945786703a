#include "io/write_file.h"

#include "io/read_file.h"
#include "io/save_calls.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <random>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>
#endif

namespace lumor {

namespace fs = std::filesystem;

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
#ifdef EDQUOT
        case EDQUOT: return "byla překročena disková kvóta";
#endif
        case EISDIR: return "pod tímto jménem je složka";
        case ENOTDIR: return "cesta nevede do složky";
        case ENAMETOOLONG: return "jméno souboru je příliš dlouhé";
        case ELOOP: return "symbolické odkazy v cestě tvoří smyčku";
        case EIO: return "disk ohlásil chybu čtení nebo zápisu";
        case EFBIG: return "soubor je pro tento disk příliš velký";
        case EBUSY: return "soubor nebo složka se právě používá";
        case EINVAL: return "neplatné jméno souboru";
        // A save meets this only when every name it tried for its temporary file was taken.
        case EEXIST: return "nepodařilo se vytvořit dočasný soubor, všechna zkoušená jména jsou obsazena";
        default: return "chyba zápisu (kód " + std::to_string(errorNumber) + ")";
    }
}

namespace {

/// Links a save follows before it calls the chain a loop (Linux's own limit).
constexpr int kMaxLinkHops = 40;
/// Temporary names a save tries: a name is taken only by another save's random choice or by
/// something planted there, which is never opened, let alone followed.
constexpr int kTemporaryNameAttempts = 16;
/// Bytes of the target's name kept in its temporary name, so that a target near the file
/// system's 255-byte limit still gets a temporary name within it.
constexpr std::size_t kTemporaryStemBytes = 200;

SaveCalls& currentCalls() {
    static SaveCalls calls = systemSaveCalls();
    return calls;
}

/// The errno value of an error from the standard library (on Windows mapped from the
/// system's codes; EIO when there is no such value).
int errnoOf(const std::error_code& ec) {
    const std::error_condition condition = ec.default_error_condition();
    return condition.category() == std::generic_category() ? condition.value() : EIO;
}

/// The file a save really replaces: `target` itself, or the end of the chain of symbolic links
/// starting there; a link's relative target counts from the link's folder. Missing files and
/// folders end the chain too (the save then reports them). `error` is an errno value when the
/// chain cannot be followed to its end.
struct FinalTarget {
    fs::path path;
    int error = 0;
};

FinalTarget finalTarget(const fs::path& target) {
    fs::path path = target;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(path, ec);
        if (ec || !fs::is_symlink(status)) return {path, 0};
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) return {path, errnoOf(ec)};
        // An absolute `next` replaces the whole path. The path is not normalised: ".." after a
        // linked folder must mean what the system makes of it.
        path = path.parent_path() / next;
    }
    return {path, ELOOP};
}

/// A hidden temporary name for `target` in its folder: ".<name>.<random>.lumor-tmp".
fs::path temporaryPath(const fs::path& target) {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t random = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    random ^= (counter.fetch_add(1) + 1) * 0x9E3779B97F4A7C15ULL;
#ifdef _WIN32
    random ^= static_cast<std::uint64_t>(::GetCurrentProcessId()) << 40;
#else
    random ^= static_cast<std::uint64_t>(::getpid()) << 40;
#endif
    try {
        std::random_device device;
        random ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
    } catch (const std::exception&) {
        // No random device: the clock, the counter and the process still make names that
        // differ; a taken one is skipped anyway.
    }
    static const char kHex[] = "0123456789abcdef";
    std::string suffix;
    for (int i = 0; i < 12; ++i, random >>= 4) suffix += kHex[random & 0xF];

    std::string stem = utf8FromPath(target.filename());
    if (stem.size() > kTemporaryStemBytes) {
        std::size_t cut = kTemporaryStemBytes;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;  // whole characters
        stem.resize(cut);
    }
    return target.parent_path() / pathFromUtf8("." + stem + "." + suffix + ".lumor-tmp");
}

#ifndef _WIN32

/// File systems without a sync of their own (some network and FUSE ones) answer this way;
/// there is nothing to wait for, which is no reason to refuse the save.
bool cannotSync(int error) { return error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS; }

/// Writes `bytes` to a new temporary file beside `file`, synced and closed, and names it in
/// `temp`. With `keepMode`, a regular file at `file` (links followed) gives it its mode and
/// owner. Returns 0 or an errno value; on failure no temporary file is left.
int writeTemporary(const fs::path& file, const std::string& bytes, bool keepMode, fs::path& temp) {
    const SaveCalls& sys = currentCalls();
    struct stat old {};
    const bool existed = keepMode && ::stat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode);

    // O_EXCL with O_NOFOLLOW: a name someone else holds, even a symbolic link to a file of
    // theirs, is never opened; the next try takes another name.
    int fd = -1;
    int lastError = EEXIST;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temp = temporaryPath(file);
        // An old file's mode is set below, before any byte is written; until then only the
        // owner may read. A new file gets the usual mode, 0666 less the umask.
        fd = sys.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, existed ? 0600 : 0666);
        if (fd >= 0) break;
        lastError = errno;
        if (lastError != EEXIST && lastError != EINTR) return lastError;
    }
    if (fd < 0) return lastError;

    // From here on the temporary file is ours: any failure removes it, the old file untouched.
    const auto fail = [&](int error) {
        if (fd >= 0) sys.close(fd);
        sys.unlink(temp.c_str());
        return error;
    };
    if (existed) {
        // The old owner and group where the system allows it (the owner only for root), else
        // the group alone; failing both keeps ours, which is no reason to refuse the save. The
        // mode follows, as changing the owner may clear its set-id bits. A file system without
        // modes (FAT on a USB stick) refuses fchmod: the file keeps the owner-only mode there.
        if (sys.fchown(fd, old.st_uid, old.st_gid) != 0) sys.fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        sys.fchmod(fd, old.st_mode & 07777);
    }
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = sys.write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        if (written == 0 || static_cast<std::size_t>(written) > left) return fail(EIO);
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    while (sys.fsync(fd) != 0) {
        if (errno == EINTR) continue;
        if (cannotSync(errno)) break;
        return fail(errno);  // never retried: a second fsync may report success for lost data
    }
    const int closed = sys.close(fd);
    const int closeError = errno;
    fd = -1;
    // After EINTR the descriptor is closed all the same, and the data was synced before.
    if (closed != 0 && closeError != EINTR) return fail(closeError);
    return 0;
}

/// Renames `from` over `to`; a link at `to` is replaced itself. Returns 0 or an errno value.
int moveOver(const fs::path& from, const fs::path& to) {
    return currentCalls().rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void removeFile(const fs::path& file) { currentCalls().unlink(file.c_str()); }

/// A second name for `from` (a link itself, not followed). Returns 0 or an errno value.
int hardLink(const fs::path& from, const fs::path& to) {
    return currentCalls().link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

/// The folder's entries, synced so that renames survive a power cut. A failure here is not
/// reported: the new files are already in place under their names for every program that
/// reads them and the old content is gone, so "not saved" would be untrue; nor can anything
/// be undone.
void syncFolder(const fs::path& file) {
    const SaveCalls& sys = currentCalls();
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const int dir = sys.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir >= 0) {
        sys.fsync(dir);
        sys.close(dir);
    }
}

#else

/// An errno value for a Windows error code: the codes a save meets named here, since the
/// standard library maps some of them to nothing or to the wrong thing (an invalid name to
/// "no such file").
int errnoOfWindows(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return ENOENT;
        case ERROR_ACCESS_DENIED: return EACCES;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE: return EBUSY;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY: return EINVAL;
        case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
        case ERROR_WRITE_PROTECT: return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
#ifdef EDQUOT
        case ERROR_DISK_QUOTA_EXCEEDED: return EDQUOT;
#endif
        case ERROR_FILE_TOO_LARGE: return EFBIG;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_WRITE_FAULT:
        case ERROR_READ_FAULT:
        case ERROR_CRC:
        case ERROR_IO_DEVICE: return EIO;
        default: return errnoOf(std::error_code(static_cast<int>(code), std::system_category()));
    }
}

/// The file a save onto `file` really replaces: the end of the symbolic links and junctions on
/// the way, as the system resolves them (MinGW's std::filesystem does not know links); `file`
/// itself when it does not exist yet.
fs::path resolvedTarget(const fs::path& file) {
    const HANDLE handle = ::CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return file;
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle, name.data(), static_cast<DWORD>(name.size()), 0);
    if (length >= name.size()) {
        name.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(handle, name.data(), static_cast<DWORD>(name.size()), 0);
    }
    ::CloseHandle(handle);
    if (length == 0 || length >= name.size()) return file;
    name.resize(length);
    // "\\?\C:\..." and "\\?\UNC\server\..." in their usual forms where those reach the file.
    if (name.size() < MAX_PATH) {
        if (name.starts_with(L"\\\\?\\UNC\\")) return fs::path(L"\\\\" + name.substr(8));
        if (name.starts_with(L"\\\\?\\") && name.size() > 5 && name[5] == L':') return fs::path(name.substr(4));
    }
    return fs::path(name);
}

/// Whether a rename that failed with `code` may succeed a moment later: another program (a
/// virus scanner, an indexer, a viewer) holds the target open. A read-only target never will.
bool mayPassLater(DWORD code, const fs::path& target) {
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) return true;
    if (code != ERROR_ACCESS_DENIED) return false;
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0 &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

/// Why a file could not be created in the folder of `file`: when part of the folder's path is
/// missing (ERROR_PATH_NOT_FOUND), whether it is missing or a file stands in its place.
int createError(DWORD code, const fs::path& file) {
    if (code == ERROR_PATH_NOT_FOUND) {
        for (fs::path p = file.parent_path(); !p.empty() && p != p.root_path(); p = p.parent_path()) {
            const DWORD attributes = ::GetFileAttributesW(p.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES)
                return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ENOENT : ENOTDIR;
        }
    }
    return errnoOfWindows(code);
}

/// Renames a held target is tried, and the wait between them: about a second in all.
constexpr int kRenameAttempts = 10;
constexpr DWORD kRenameWaitMs = 100;

/// Writes `bytes` to a new temporary file beside `file`, flushed and closed, and names it in
/// `temp`. With `keepMode` (a save of the user's own file), a read-only file at `file` is
/// refused before anything is written: Windows refuses to replace it, Wine does not. Returns 0
/// or an errno value; on failure no temporary file is left.
int writeTemporary(const fs::path& file, const std::string& bytes, bool keepMode, fs::path& temp) {
    const SaveCalls& sys = currentCalls();
    if (const DWORD attributes = ::GetFileAttributesW(file.c_str());
        keepMode && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return EACCES;
    }
    void* handle = nullptr;
    DWORD lastError = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temp = temporaryPath(file);
        lastError = sys.createNew(temp.c_str(), &handle);
        if (lastError == 0) break;
        if (lastError != ERROR_FILE_EXISTS && lastError != ERROR_ALREADY_EXISTS) return createError(lastError, file);
    }
    if (lastError != 0) return EEXIST;

    const auto fail = [&](DWORD code) {
        if (handle != nullptr) sys.close(handle);
        sys.unlink(temp.c_str());
        return errnoOfWindows(code);
    };
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const DWORD chunk = static_cast<DWORD>(left < (1u << 30) ? left : (1u << 30));
        unsigned long written = 0;
        if (const DWORD error = sys.write(handle, data, chunk, &written); error != 0) return fail(error);
        if (written == 0 || written > left) return fail(ERROR_WRITE_FAULT);
        data += written;
        left -= written;
    }
    if (const DWORD error = sys.flush(handle); error != 0) return fail(error);
    const DWORD closeError = sys.close(handle);
    handle = nullptr;
    if (closeError != 0) return fail(closeError);
    return 0;
}

/// Moves `from` over `to` (MoveFileExW replaces a link at `to` itself); MOVEFILE_WRITE_THROUGH
/// returns only once the move is on the disk. A target another program holds open for a moment
/// is tried again for about a second. Returns 0 or an errno value.
int moveOver(const fs::path& from, const fs::path& to) {
    const SaveCalls& sys = currentCalls();
    DWORD error = sys.rename(from.c_str(), to.c_str());
    for (int attempt = 1; error != 0 && attempt < kRenameAttempts && mayPassLater(error, to); ++attempt) {
        sys.sleep(kRenameWaitMs);
        error = sys.rename(from.c_str(), to.c_str());
    }
    return error == 0 ? 0 : errnoOfWindows(error);
}

void removeFile(const fs::path& file) { currentCalls().unlink(file.c_str()); }

/// A second name for `from`. Returns 0 or an errno value.
int hardLink(const fs::path& from, const fs::path& to) {
    const DWORD error = currentCalls().link(from.c_str(), to.c_str());
    return error == 0 ? 0 : errnoOfWindows(error);
}

/// MOVEFILE_WRITE_THROUGH returns only once the move is on the disk: no folder sync needed.
void syncFolder(const fs::path&) {}

#endif

/// Writes the new file beside `file` and renames it over `file`. Returns 0 or an errno value.
int replaceFile(const fs::path& file, const std::string& bytes, bool keepMode) {
    fs::path temp;
    if (const int error = writeTemporary(file, bytes, keepMode, temp); error != 0) return error;
    if (const int error = moveOver(temp, file); error != 0) {
        removeFile(temp);
        return error;
    }
    syncFolder(file);
    return 0;
}

/// Why `status` is no file a save may replace, or "" when it is one (or nothing is there).
/// Links are for the caller to follow or not.
std::string notAFileReason(const fs::file_status& status) {
    switch (status.type()) {
        case fs::file_type::not_found:
        case fs::file_type::none:
        case fs::file_type::regular:
        case fs::file_type::symlink: return {};
        case fs::file_type::directory: return czechReason(EISDIR);
        default: return "pod tímto jménem je " + fileKindText(status.type()) + ", ne obyčejný soubor";
    }
}

// ---- One writer per folder, its journal, and what dead writers left ----

/// Tries at the folder's lock, and the pause between them: about ten seconds in all.
constexpr int kLockAttempts = 200;
constexpr unsigned long kLockWaitMs = 50;
/// The largest journal read: a set's few names fit many times over.
constexpr std::size_t kJournalCap = 1 << 20;
/// Hex digits of a temporary name's random part.
constexpr std::size_t kRandomDigits = 12;

/// Whether `name` has the shape of a save's temporary name, ".<name>.<12 hex digits>.lumor-tmp".
bool isTemporaryName(std::string_view name) {
    constexpr std::string_view kEnd = ".lumor-tmp";
    if (name.size() < 3 + kRandomDigits + kEnd.size() || name.front() != '.' || !name.ends_with(kEnd)) return false;
    const std::string_view rest = name.substr(0, name.size() - kEnd.size());
    const std::string_view random = rest.substr(rest.size() - kRandomDigits);
    return rest[rest.size() - kRandomDigits - 1] == '.' && std::all_of(random.begin(), random.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

/// Why the folder's lock could not be taken.
struct LockRefusal {
    bool busy = false;  ///< another writer held it all the time
    std::string reason;
};

std::string busyReason() {
    return "do složky právě zapisuje jiný spuštěný Lumor nebo lumor-cli a ani po " +
           std::to_string(kLockAttempts * kLockWaitMs / 1000) + " s zápis nedokončil; zkuste to prosím znovu";
}

std::string strangeLockReason(fs::file_type type) {
    return "pod jménem zámku „" + std::string(kFolderLockName) + "“ je " + fileKindText(type) +
           ", ne soubor zámku programu";
}

/// The folder's lock, held from take() until release() or the end of its life. The lock file
/// goes when the lock is released: the next writer makes a new one.
class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock() { release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    /// Takes the lock of `folder`, trying `attempts` times. Nothing when it is held now, or when
    /// the folder's file system has no locks (then held() is false).
    std::optional<LockRefusal> take(const fs::path& folder, int attempts);
    bool held() const;
    void release();

private:
    fs::path path_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

#ifndef _WIN32

/// Errors of flock() on file systems that have no locks (some network and FUSE ones).
bool hasNoLocks(int error) {
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOTSUP || error == ENOSYS || error == EINVAL;
}

std::optional<LockRefusal> FolderLock::take(const fs::path& folder, int attempts) {
    path_ = folder / kFolderLockName;
    const SaveCalls& sys = currentCalls();
    for (int attempt = 0; attempt < attempts; ++attempt) {
        // Never through a link, and without waiting should a pipe stand at the name.
        const int fd = ::open(path_.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int error = errno;
            std::error_code ec;
            const fs::file_status status = fs::symlink_status(path_, ec);
            if (error == ELOOP && fs::is_symlink(status)) return LockRefusal{false, strangeLockReason(status.type())};
            if (error == EINTR) continue;
            return LockRefusal{false, czechReason(error)};
        }
        struct stat own {};
        if (::fstat(fd, &own) != 0 || !S_ISREG(own.st_mode)) {
            ::close(fd);
            std::error_code ec;
            return LockRefusal{false, strangeLockReason(fs::symlink_status(path_, ec).type())};
        }
        if (sys.flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The writer before may have removed the file between our open and our lock: then
            // this lock guards nothing, and the next try takes the file now at the name.
            struct stat named {};
            if (::lstat(path_.c_str(), &named) == 0 && named.st_dev == own.st_dev && named.st_ino == own.st_ino) {
                fd_ = fd;
                return std::nullopt;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK || error == EAGAIN || error == EINTR) {
            if (attempt + 1 < attempts) sys.sleep(kLockWaitMs);
            continue;
        }
        if (hasNoLocks(error)) {
            ::unlink(path_.c_str());
            return std::nullopt;
        }
        return LockRefusal{false, czechReason(error)};
    }
    return LockRefusal{true, busyReason()};
}

bool FolderLock::held() const { return fd_ >= 0; }

void FolderLock::release() {
    if (fd_ < 0) return;
    // Removed while still locked: a writer waiting on this file finds it gone and takes the next.
    ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
}

#else

/// Errors of LockFileEx on file systems that have no locks: network shares answer the first
/// two, Wine the others where its host's file system does (EINVAL, ENOSYS).
bool hasNoLocks(DWORD error) {
    return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION || error == ERROR_INVALID_PARAMETER ||
           error == ERROR_CALL_NOT_IMPLEMENTED;
}

std::optional<LockRefusal> FolderLock::take(const fs::path& folder, int attempts) {
    path_ = folder / kFolderLockName;
    const SaveCalls& sys = currentCalls();
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const bool last = attempt + 1 == attempts;
        // Deleted when its last handle closes: a writer waiting on it holds it open, and a
        // newcomer cannot open it while its deletion is pending, so it waits too.
        const HANDLE handle =
            ::CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD code = ::GetLastError();
            const DWORD attributes = ::GetFileAttributesW(path_.c_str());
            const DWORD lookup = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : 0;
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                return LockRefusal{false, strangeLockReason(fs::file_type::directory)};
            }
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
                return LockRefusal{false, czechReason(EACCES)};
            }
            // Denied while the lock file is there (or cannot even be looked at, as while its
            // deletion is pending): another writer holds it or is just finishing.
            const bool there = lookup != ERROR_FILE_NOT_FOUND && lookup != ERROR_PATH_NOT_FOUND;
            if (code == ERROR_SHARING_VIOLATION || (code == ERROR_ACCESS_DENIED && there)) {
                if (!last) sys.sleep(kLockWaitMs);
                continue;
            }
            return LockRefusal{false, czechReason(createError(code, path_))};
        }
        const DWORD error = sys.lock(handle);
        if (error == 0) {
            handle_ = handle;
            return std::nullopt;
        }
        ::CloseHandle(handle);
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_SHARING_VIOLATION) {
            if (!last) sys.sleep(kLockWaitMs);
            continue;
        }
        if (hasNoLocks(error)) return std::nullopt;
        return LockRefusal{false, czechReason(errnoOfWindows(error))};
    }
    return LockRefusal{true, busyReason()};
}

bool FolderLock::held() const { return handle_ != nullptr; }

void FolderLock::release() {
    if (handle_ == nullptr) return;
    ::CloseHandle(static_cast<HANDLE>(handle_));  // unlocks, and deletes the file unless another waits on it
    handle_ = nullptr;
}

#endif

/// One planned rename of a set: the temporary file that becomes the target, and the second
/// name the old file gets meanwhile ("" when there is none). Names within the folder, UTF-8.
struct PlannedRename {
    std::string target;
    std::string temp;
    std::string aside;
};

/// The journal of a set's renames. Its text: the line "lumor-journal 1", the line "forward"
/// (the renames are under way) or "back" (the old set is being put back), then one line per
/// file: target, temporary and aside name separated by spaces, "-" for no aside; in a name
/// every byte up to the space, "%" and DEL are written as "%" and two hex digits.
struct Journal {
    bool back = false;
    std::vector<PlannedRename> renames;
};

constexpr std::string_view kJournalHead = "lumor-journal 1";

std::string journalName(std::string_view name) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || c == '%' || u == 0x7F) {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> nameFromJournal(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size()) return std::nullopt;
        const auto res = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (res.ec != std::errc() || res.ptr != text.data() + i + 3) return std::nullopt;
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

std::string journalText(const Journal& journal) {
    std::string text = std::string(kJournalHead) + "\n" + (journal.back ? "back" : "forward") + "\n";
    for (const PlannedRename& r : journal.renames) {
        text += journalName(r.target) + " " + journalName(r.temp) + " " +
                (r.aside.empty() ? "-" : journalName(r.aside)) + "\n";
    }
    return text;
}

/// Whether a journal's name is one name within the folder.
bool isPlainName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return false;
#ifdef _WIN32
    if (name.find_first_of("\\:") != std::string::npos) return false;
#endif
    return name.find('\0') == std::string::npos;
}

/// The journal in `text`, or nothing when it is not one the program wrote: its temporary and
/// aside names must be a save's temporary names, every name one within the folder.
std::optional<Journal> parseJournal(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;  // every line ends
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (lines.size() < 2 || lines[0] != kJournalHead || (lines[1] != "forward" && lines[1] != "back")) {
        return std::nullopt;
    }
    Journal journal;
    journal.back = lines[1] == "back";
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t a = line.find(' ');
        const std::size_t b = a == std::string_view::npos ? a : line.find(' ', a + 1);
        if (b == std::string_view::npos || line.find(' ', b + 1) != std::string_view::npos) return std::nullopt;
        const auto target = nameFromJournal(line.substr(0, a));
        const auto temp = nameFromJournal(line.substr(a + 1, b - a - 1));
        const std::string_view asideText = line.substr(b + 1);
        const auto aside = asideText == "-" ? std::optional<std::string>("") : nameFromJournal(asideText);
        if (!target || !temp || !aside || !isPlainName(*target) || !isTemporaryName(*temp) ||
            (!aside->empty() && !isTemporaryName(*aside))) {
            return std::nullopt;
        }
        journal.renames.push_back({*target, *temp, *aside});
    }
    return journal;
}

bool entryExists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

/// Carries out a dead writer's journal: forward, every temporary file still there is renamed
/// to its target; back, every old file still aside is renamed back and every new file with no
/// old one is removed. Then the journal's temporary and aside files go. Returns 0 or an errno
/// value, with the file it concerns in `failed`.
int carryOut(const fs::path& folder, const Journal& journal, fs::path& failed) {
    const auto at = [&](const std::string& name) { return folder / pathFromUtf8(name); };
    if (!journal.back) {
        for (const PlannedRename& r : journal.renames) {
            if (!entryExists(at(r.temp))) continue;  // renamed already
            if (const int error = moveOver(at(r.temp), at(r.target)); error != 0) {
                failed = at(r.target);
                return error;
            }
        }
    } else {
        for (auto r = journal.renames.rbegin(); r != journal.renames.rend(); ++r) {
            if (!r->aside.empty()) {
                // The old file: aside, or still (or again) at its name.
                if (!entryExists(at(r->aside))) continue;
                if (const int error = moveOver(at(r->aside), at(r->target)); error != 0) {
                    failed = at(r->target);
                    return error;
                }
            } else if (!entryExists(at(r->temp))) {
                removeFile(at(r->target));  // the new file, which had no old one
            }
        }
    }
    for (const PlannedRename& r : journal.renames) {
        if (entryExists(at(r.temp))) removeFile(at(r.temp));
        if (!r.aside.empty() && entryExists(at(r.aside))) removeFile(at(r.aside));
    }
    return 0;
}

/// Settles the folder under its lock: a dead writer's journal is carried out and removed, then
/// every temporary file of a dead save goes (a regular file with a save's temporary name; a
/// link or anything else at such a name is not the program's). Returns 0 or an errno value,
/// with the file it concerns in `failed`.
int settleFolder(const fs::path& folder, fs::path& failed) {
    const fs::path journalPath = folder / kRenameJournalName;
    std::error_code ec;
    if (fs::is_regular_file(fs::symlink_status(journalPath, ec))) {
        const auto content = readFileBytes(utf8FromPath(journalPath), kJournalCap + 1);
        const auto* text = std::get_if<std::string>(&content);
        // A journal the program did not write (nor could have: it appears whole or not at all)
        // says nothing to do; only the file goes.
        if (const auto journal = text ? parseJournal(*text) : std::nullopt) {
            if (const int error = carryOut(folder, *journal, failed); error != 0) return error;
        }
        removeFile(journalPath);
        syncFolder(journalPath);
    }
    const fs::path listed = folder.empty() ? fs::path(".") : folder;
    for (fs::directory_iterator it(listed, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (isTemporaryName(utf8FromPath(it->path().filename())) &&
            fs::is_regular_file(it->symlink_status(statusError))) {
            removeFile(folder / it->path().filename());
        }
    }
    return 0;
}

/// What a failed settling tells the writer that found it.
std::string unsettledReason(int error) {
    return "zápis, který jiný program do této složky nedokončil, nelze dokončit ani vrátit: " + czechReason(error);
}

/// Takes the folder's lock for a writer and settles the folder. Nothing when the writer may go
/// on; otherwise the file concerned (the folder, the journal's file, or `firstFile` when the
/// lock file cannot be made there) and why.
std::optional<FileSetFailure> becomeTheWriter(FolderLock& lock, const fs::path& folder, const fs::path& firstFile) {
    if (auto refusal = lock.take(folder, kLockAttempts)) {
        const fs::path& named = refusal->busy ? (folder.empty() ? fs::path(".") : folder) : firstFile;
        return FileSetFailure{utf8FromPath(named), refusal->reason};
    }
    if (!lock.held()) return std::nullopt;  // no locks here: another writer's files may be live
    fs::path failed;
    if (const int error = settleFolder(folder, failed); error != 0) {
        return FileSetFailure{utf8FromPath(failed), unsettledReason(error)};
    }
    return std::nullopt;
}

}  // namespace

#ifndef _WIN32

SaveCalls systemSaveCalls() {
    SaveCalls calls;
    calls.open = [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); };
    calls.write = [](int fd, const void* data, size_t size) { return ::write(fd, data, size); };
    calls.fsync = [](int fd) { return ::fsync(fd); };
    calls.fchmod = [](int fd, mode_t mode) { return ::fchmod(fd, mode); };
    calls.fchown = [](int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); };
    calls.close = [](int fd) { return ::close(fd); };
    calls.rename = [](const char* from, const char* to) { return ::rename(from, to); };
    calls.unlink = [](const char* path) { return ::unlink(path); };
    calls.link = [](const char* from, const char* to) { return ::linkat(AT_FDCWD, from, AT_FDCWD, to, 0); };
    calls.flock = [](int fd, int operation) { return ::flock(fd, operation); };
    calls.sleep = [](unsigned long milliseconds) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    };
    return calls;
}

#else

SaveCalls systemSaveCalls() {
    SaveCalls calls;
    const auto result = [](BOOL ok) -> unsigned long { return ok ? 0 : ::GetLastError(); };
    // FILE_FLAG_OPEN_REPARSE_POINT: a link planted at the name is not followed either.
    calls.createNew = [](const wchar_t* path, void** file) -> unsigned long {
        const HANDLE handle = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return ::GetLastError();
        *file = handle;
        return 0;
    };
    calls.write = [result](void* file, const void* data, unsigned long size, unsigned long* written) {
        DWORD done = 0;
        const unsigned long error = result(::WriteFile(static_cast<HANDLE>(file), data, size, &done, nullptr));
        *written = done;
        return error;
    };
    calls.flush = [result](void* file) { return result(::FlushFileBuffers(static_cast<HANDLE>(file))); };
    calls.close = [result](void* file) { return result(::CloseHandle(static_cast<HANDLE>(file))); };
    calls.rename = [result](const wchar_t* from, const wchar_t* to) {
        return result(::MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    };
    calls.unlink = [result](const wchar_t* path) { return result(::DeleteFileW(path)); };
    calls.link = [result](const wchar_t* from, const wchar_t* to) {
        return result(::CreateHardLinkW(to, from, nullptr));
    };
    calls.lock = [result](void* file) {
        OVERLAPPED at{};
        return result(
            ::LockFileEx(static_cast<HANDLE>(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at));
    };
    calls.sleep = [](unsigned long milliseconds) { ::Sleep(milliseconds); };
    return calls;
}

#endif

ScopedSaveCalls::ScopedSaveCalls(SaveCalls calls) : previous_(std::move(currentCalls())) {
    currentCalls() = std::move(calls);
}

ScopedSaveCalls::~ScopedSaveCalls() { currentCalls() = std::move(previous_); }

std::string fileKindText(std::filesystem::file_type type) {
    switch (type) {
        case fs::file_type::directory: return "složka";
        case fs::file_type::character:
        case fs::file_type::block: return "zařízení";
        case fs::file_type::fifo: return "pojmenovaná roura (FIFO)";
        case fs::file_type::socket: return "soket";
        case fs::file_type::symlink: return "symbolický odkaz";
        case fs::file_type::regular: return "soubor";
        default: return "zvláštní soubor";
    }
}

std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty()) return czechReason(ENOENT);  // no name at all: nothing to create
    std::error_code ec;
    // What the system itself finds at the name (its own links, such as /dev/stdout, too): a
    // device, a pipe or a socket is never replaced by a file.
    if (const std::string reason = notAFileReason(fs::status(pathFromUtf8(path), ec)); !reason.empty()) return reason;
    const FinalTarget target = finalTarget(pathFromUtf8(path));
    if (target.error != 0) return czechReason(target.error);
    // "name/" names a folder; a folder (or a link to one) is no file to replace.
    if (!target.path.has_filename() || fs::is_directory(target.path, ec)) return czechReason(EISDIR);
    if (const std::string reason = notAFileReason(fs::status(target.path, ec)); !reason.empty()) return reason;
#ifdef _WIN32
    // MinGW's std::filesystem does not know links: the system resolves them.
    const fs::path file = resolvedTarget(target.path);
#else
    const fs::path& file = target.path;
#endif
    FolderLock lock;
    if (auto failure = becomeTheWriter(lock, file.parent_path(), file)) return failure->reason;
    if (const int error = replaceFile(file, bytes, true); error != 0) return czechReason(error);
    return std::nullopt;
}

std::optional<FileSetFailure> writeFileSet(const std::string& folder, const std::vector<NamedFile>& files) {
    struct Staged {
        fs::path target;
        fs::path temp;
        fs::path aside;  ///< where the old file waits while the set is renamed in; empty if none
        bool placed = false;
    };
    std::vector<Staged> staged;
    const fs::path base = pathFromUtf8(folder);
    const auto failure = [&](const Staged& s, const std::string& reason) {
        return FileSetFailure{utf8FromPath(s.target), reason};
    };
    for (const NamedFile& f : files) {
        Staged s;
        s.target = base / pathFromUtf8(f.name);
        if (f.name.empty() || !s.target.has_filename()) return failure(s, czechReason(EISDIR));
        // Not followed: a link at the name is replaced itself, whatever it leads to.
        std::error_code ec;
        const std::string reason = notAFileReason(fs::symlink_status(s.target, ec));
        if (!reason.empty()) return failure(s, reason);
        staged.push_back(s);
    }
    if (staged.empty()) return std::nullopt;
    FolderLock lock;
    if (auto refused = becomeTheWriter(lock, base, staged.front().target)) return refused;

    // Every new file complete under its temporary name before any name changes.
    const auto dropTemporaries = [&] {
        for (const Staged& s : staged) {
            if (!s.temp.empty() && !s.placed) removeFile(s.temp);
        }
    };
    for (std::size_t i = 0; i < staged.size(); ++i) {
        if (const int error = writeTemporary(staged[i].target, files[i].bytes, false, staged[i].temp); error != 0) {
            staged[i].temp.clear();
            dropTemporaries();
            return failure(staged[i], czechReason(error));
        }
    }
    // The old file of every name but the last gets a second name during the renames, so that a
    // rename failing later can put it back; the last needs no way back. A set of several files
    // first writes down its plan: a writer dying midway leaves it to the next one.
    Journal journal;
    const fs::path journalPath = base / kRenameJournalName;
    const bool journaled = staged.size() > 1;
    for (std::size_t i = 0; i < staged.size(); ++i) {
        Staged& s = staged[i];
        if (i + 1 < staged.size() && entryExists(s.target)) {
            for (int attempt = 0; attempt < kTemporaryNameAttempts && (s.aside.empty() || entryExists(s.aside));
                 ++attempt) {
                s.aside = temporaryPath(s.target);
            }
        }
        journal.renames.push_back({utf8FromPath(s.target.filename()), utf8FromPath(s.temp.filename()),
                                   s.aside.empty() ? std::string() : utf8FromPath(s.aside.filename())});
    }
    if (journaled) {
        if (const int error = replaceFile(journalPath, journalText(journal), false); error != 0) {
            dropTemporaries();
            return FileSetFailure{utf8FromPath(journalPath), czechReason(error)};
        }
    }
    // A rename failing: the journal says so first, then the old files go back.
    const auto putBack = [&](std::size_t upTo) {
        if (journaled) {
            journal.back = true;
            replaceFile(journalPath, journalText(journal), false);  // failing, a crash would complete the set
        }
        for (std::size_t j = upTo; j-- > 0;) {
            Staged& s = staged[j];
            if (!s.aside.empty() && entryExists(s.aside)) {
                moveOver(s.aside, s.target);
            } else if (s.placed) {
                removeFile(s.target);
            }
        }
        dropTemporaries();
        for (const Staged& s : staged) {
            if (!s.aside.empty() && entryExists(s.aside)) removeFile(s.aside);
        }
        if (journaled) {
            removeFile(journalPath);
            syncFolder(journalPath);
        }
    };
    for (std::size_t i = 0; i < staged.size(); ++i) {
        Staged& s = staged[i];
        bool moved = false;
        if (!s.aside.empty()) {
            // Where the disk has no hard links the old file is moved aside instead, its name
            // empty for a moment.
            int error = hardLink(s.target, s.aside);
            if (error != 0 && error != EEXIST && !entryExists(s.aside)) {
                moved = true;
                error = moveOver(s.target, s.aside);
            }
            if (error != 0) {
                if (error == EEXIST) s.aside.clear();  // someone else's file: not ours to move back
                putBack(i);
                return failure(s, czechReason(error));
            }
        }
        if (const int error = moveOver(s.temp, s.target); error != 0) {
            if (moved) moveOver(s.aside, s.target);
            putBack(i);
            return failure(s, czechReason(error));
        }
        s.placed = true;
    }
    for (const Staged& s : staged) {
        if (!s.aside.empty()) removeFile(s.aside);
    }
    if (journaled) removeFile(journalPath);
    syncFolder(staged.front().target);
    return std::nullopt;
}

std::optional<FileSetFailure> finishInterruptedWrites(const std::string& folder) {
    const fs::path base = pathFromUtf8(folder);
    const fs::path listed = base.empty() ? fs::path(".") : base;
    // Looked at first without the lock, so that a folder with nothing left is not written to.
    bool left = false;
    std::error_code ec;
    for (fs::directory_iterator it(listed, ec), end; !ec && it != end && !left; it.increment(ec)) {
        const std::string name = utf8FromPath(it->path().filename());
        left = name == kFolderLockName || name == kRenameJournalName || isTemporaryName(name);
    }
    if (!left) return std::nullopt;
    FolderLock lock;
    if (auto refusal = lock.take(base, 1)) {
        if (refusal->busy) return std::nullopt;  // the writer there clears up itself
        return FileSetFailure{utf8FromPath(listed), refusal->reason};
    }
    if (!lock.held()) return std::nullopt;
    fs::path failed;
    if (const int error = settleFolder(base, failed); error != 0) {
        return FileSetFailure{utf8FromPath(failed), unsettledReason(error)};
    }
    return std::nullopt;
}

}  // namespace lumor
