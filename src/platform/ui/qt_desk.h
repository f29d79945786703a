#pragma once
#include "platform/ui/desk.h"

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
    std::optional<std::string> saveFileName(const FileFilter& filter) override;
    void showModal(QDialog& window) override;
    std::string executableDir() override;
    bool openInViewer(const std::string& path) override;
    bool openFolder(const std::string& path) override;
};

/// The title a message box without one of its own gets: the application's title.
inline const std::string kApplicationTitle = "Lumor";

}  // namespace lumor
