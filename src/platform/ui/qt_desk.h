#pragma once
#include "platform/ui/desk.h"

#include <map>
#include <string>

namespace lumor {

/// The desk of the running program: QMessageBox, QFileDialog, QDialog::exec, QDesktopServices.
class QtDesk : public Desk {
public:
    void warning(const std::string& text, const std::string& title) override;
    void information(const std::string& text, const std::string& title) override;
    bool question(const std::string& text) override;
    Choice choice(const std::string& text) override;
    void exceptionBox(const std::string& text, const std::string& reason) override;
    std::optional<std::string> openFileName(const FileFilter& filter) override;
    std::optional<std::string> saveFileName(const FileFilter& filter, const std::string& current) override;
    void showModal(QDialog& window) override;
    std::string executableDir() override;
    bool openInViewer(const std::string& path) override;
    bool openFolder(const std::string& path) override;

    /// Where a file dialog of the filter starts: the folder of `current` when given, else the
    /// folder of the last file chosen with the filter, else the user's documents folder (their
    /// home when there is none).
    std::string dialogFolder(const FileFilter& filter, const std::string& current) const;
    /// A file chosen with the filter: its folder is where the next dialog starts.
    void remember(const FileFilter& filter, const std::string& path);

private:
    std::map<std::string, std::string> lastFolders_;  ///< by the filter's extension
};

/// The title a message box without one of its own gets: the application's title.
inline const std::string kApplicationTitle = "Lumor";

}  // namespace lumor
