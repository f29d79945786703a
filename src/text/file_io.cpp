#include "text/file_io.h"

#include "text/file_io_calls.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>
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
#include <sys/stat.h>
#include <unistd.h>
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
    if (const int error = replaceFile(file, bytes, true); error != 0) return czechReason(error);
    return std::nullopt;
}

std::optional<std::string> writeNewFile(const std::string& path, const std::string& bytes) {
    const fs::path p = pathFromUtf8(path);
    if (auto failure = writeFileSet(utf8FromPath(p.parent_path()), {{utf8FromPath(p.filename()), bytes}})) {
        return failure->reason;
    }
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
    // Then the renames. The old file of every name but the last first gets a second name, so
    // that a rename failing later can put it back; the last needs no way back. Where the disk
    // has no hard links the old file is moved aside instead, its name empty for a moment.
    const auto putBack = [&](std::size_t upTo) {
        for (std::size_t j = upTo; j-- > 0;) {
            Staged& s = staged[j];
            if (!s.aside.empty()) {
                moveOver(s.aside, s.target);
            } else if (s.placed) {
                removeFile(s.target);
            }
        }
    };
    for (std::size_t i = 0; i < staged.size(); ++i) {
        Staged& s = staged[i];
        std::error_code ec;
        const bool hasOld = fs::exists(fs::symlink_status(s.target, ec));
        bool moved = false;
        if (hasOld && i + 1 < staged.size()) {
            int error = EEXIST;
            for (int attempt = 0; attempt < kTemporaryNameAttempts && error == EEXIST; ++attempt) {
                s.aside = temporaryPath(s.target);
                error = hardLink(s.target, s.aside);
            }
            if (error != 0 && error != EEXIST && !fs::exists(fs::symlink_status(s.aside, ec))) {
                moved = true;
                error = moveOver(s.target, s.aside);
            }
            if (error != 0) {
                s.aside.clear();
                putBack(i);
                dropTemporaries();
                return failure(s, czechReason(error));
            }
        }
        if (const int error = moveOver(s.temp, s.target); error != 0) {
            if (moved) {
                moveOver(s.aside, s.target);
            } else if (!s.aside.empty()) {
                removeFile(s.aside);
            }
            s.aside.clear();
            putBack(i);
            dropTemporaries();
            return failure(s, czechReason(error));
        }
        s.placed = true;
    }
    for (const Staged& s : staged) {
        if (!s.aside.empty()) removeFile(s.aside);
    }
    if (!staged.empty()) syncFolder(staged.front().target);
    return std::nullopt;
}

}  // namespace lumor
