#pragma once
#include <filesystem>
#include <optional>
#include <string>

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
/// umask). Returns the Czech reason on failure; the old file, if any, is then untouched and
/// no temporary file is left.
std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes);

/// Czech words for an operating-system error number.
std::string czechReason(int errorNumber);

}  // namespace lumor
