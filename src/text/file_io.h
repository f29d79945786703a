#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumor {

/// A path from UTF-8 text, on every platform.
std::filesystem::path pathFromUtf8(const std::string& text);
/// UTF-8 text of a path, on every platform.
std::string utf8FromPath(const std::filesystem::path& path);

/// Writes `bytes` to `path` so that the old file is replaced only by a complete new one:
/// the bytes go to a new temporary file of a unique name beside it, which is synced to the
/// disk and then renamed over the target. A target that is a symbolic link (or a chain of
/// them) stays a link: its final target is replaced. The new file keeps the old file's
/// permissions (and group, where allowed); a new file gets the usual ones (0666 less the
/// umask). A target that is a folder, device, pipe or socket is refused and left as it is.
/// Returns the Czech reason on failure; the old file, if any, is then untouched and
/// no temporary file is left. The save is the folder's one writer while it runs, as
/// writeFileSet describes, and first clears up what dead writers left there.
std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes);

/// Writes `bytes` as a new regular file at `path`, for files the program names itself: the
/// bytes go to a new temporary file beside it, which is then renamed to the name. Whatever
/// stands at the name is replaced, a symbolic link itself rather than the file it leads to;
/// a folder, device, pipe or socket there is refused and left as it is. Returns the Czech
/// reason on failure; the old file is then untouched and no temporary file is left.
std::optional<std::string> writeNewFile(const std::string& path, const std::string& bytes);

/// One file of a set: its name in the folder and its bytes.
struct NamedFile {
    std::string name;
    std::string bytes;
};

/// The file of a set that could not be written, and why (Czech).
struct FileSetFailure {
    std::string path;
    std::string reason;
};

/// Writes the files into the folder all or nothing, each as writeNewFile does: every file is
/// written under a temporary name first, then all are renamed into place. On a failure
/// before the renames nothing has changed; when a rename fails, the files already renamed
/// are put back, so that the old set is whole again. Returns the first failure.
///
/// One writer per folder: from the first temporary file to the last rename the writer holds
/// the folder's lock, the file kFolderLockName there (flock, LockFileEx), which it removes when
/// done. Another writer of this process or another waits for it about ten seconds, then fails
/// with a Czech reason naming the folder. Readers never wait. Where the file system has no
/// locks the files are written without one.
///
/// Crash consistency: before the first rename of a set of several files the writer records the
/// planned renames in the journal kRenameJournalName in the folder, and removes it after the
/// last. Whoever takes the folder's lock next (any writer, or finishInterruptedWrites) first
/// completes the set a dead writer's journal names, or puts the old set back when that writer
/// was putting it back, then removes the temporary files of dead writers: the journal's and
/// every regular file named as the saves name theirs (".<name>.<12 hex digits>.lumor-tmp"),
/// nothing else.
std::optional<FileSetFailure> writeFileSet(const std::string& folder, const std::vector<NamedFile>& files);

/// The lock file of a folder's writer and the journal of a set's renames (see writeFileSet).
inline constexpr char kFolderLockName[] = ".lumor-lock";
inline constexpr char kRenameJournalName[] = ".lumor-journal";

/// What the program does at start-up for its own report folder: when a writer died there (a
/// journal, a lock file or temporary files are left), completes or puts back its set and removes
/// its files, as the next writer would. Nothing when another writer holds the folder now (it
/// clears up itself) or nothing is left; otherwise the file that could not be settled and why.
std::optional<FileSetFailure> finishInterruptedWrites(const std::string& folder);

/// The Czech name of a kind of file system entry: "zařízení", "pojmenovaná roura (FIFO)"…
std::string fileKindText(std::filesystem::file_type type);

/// Czech words for an operating-system error number.
std::string czechReason(int errorNumber);

}  // namespace lumor
