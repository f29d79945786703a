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
/// no temporary file is left.
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
std::optional<FileSetFailure> writeFileSet(const std::string& folder, const std::vector<NamedFile>& files);

/// The Czech name of a kind of file system entry: "zařízení", "pojmenovaná roura (FIFO)"…
std::string fileKindText(std::filesystem::file_type type);

/// Czech words for an operating-system error number.
std::string czechReason(int errorNumber);

}  // namespace lumor
