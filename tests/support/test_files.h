#pragma once
// Files for tests: a folder of their own, and whole files read and written as bytes.
#include "io/write_file.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace lumor {

/// The bytes of a file; empty when it cannot be read.
inline std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

/// Writes the bytes as the whole file.
inline void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// Writes a report page to `path` as the report command writes its files (writeFileSet, here
/// a set of one), and says why it could not as the report command does: "Protokol nelze uložit
/// do souboru „…“: <the reason>."; nothing when it was written.
inline std::optional<std::string> writeReportPage(const std::string& path, const std::string& page) {
    const std::filesystem::path p = pathFromUtf8(path);
    if (const auto failure = writeFileSet(utf8FromPath(p.parent_path()), {{utf8FromPath(p.filename()), page}})) {
        return "Protokol nelze uložit do souboru „" + path + "“: " + failure->reason + ".";
    }
    return std::nullopt;
}

/// A new empty folder in the temporary folder, named after the tag and the process, removed
/// with all it holds when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& tag)
        : path_(std::filesystem::temp_directory_path() / ("lumor_" + tag + "_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// A file or folder inside.
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace lumor
