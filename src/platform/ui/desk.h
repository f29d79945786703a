#pragma once
#include "text/errors.h"
#include "text/messages.h"

#include <exception>
#include <optional>
#include <string>

class QDialog;

namespace lumor {

/// A file dialog's filter: "Optická trasa (*.trasa)" with the extension "trasa".
struct FileFilter {
    std::string description;  ///< what the dialog lists, e.g. "Optická trasa (*.trasa)"
    std::string extension;    ///< without the dot, added to a name typed without one
};

inline const FileFilter kRouteFilter{"Optická trasa (*.trasa)", "trasa"};
inline const FileFilter kLibraryFilter{"Komponenty (*.komp)", "komp"};
inline const FileFilter kAssignmentFilter{"Zadání (*.zadani)", "zadani"};

/// The answer to a question with three buttons.
enum class Choice { Yes, No, Cancel };

/// Everything the windows ask of the desktop: message boxes, the exception box, file
/// dialogs, modal showing of a window, the executable's folder, the default viewer and the
/// file manager.
/// The program uses the Qt one; tests use a scripted one.
class Desk : public Messages {
public:
    /// Question icon, titled "Dotaz", Yes, No and Cancel; Escape and the close box cancel.
    virtual Choice choice(const std::string& text) = 0;
    /// The application's exception box: titled "Lumor", stop icon, the text with a full stop;
    /// below it the reason, when there is one.
    virtual void exceptionBox(const std::string& text, const std::string& reason) = 0;
    /// The chosen file's path, or nothing when the user cancelled. The dialogs start in the
    /// folder last used for files of the filter (the user's documents the first time, never
    /// the program's folder); the save dialog at `current`, the file saved to now, if any.
    virtual std::optional<std::string> openFileName(const FileFilter& filter) = 0;
    virtual std::optional<std::string> saveFileName(const FileFilter& filter, const std::string& current) = 0;
    /// Shows the window modally and returns when it is closed.
    virtual void showModal(QDialog& window) = 0;
    /// The folder of the running executable, ending with a separator.
    virtual std::string executableDir() = 0;
    /// Asks the desktop to open the file in its default viewer; false when nothing could.
    virtual bool openInViewer(const std::string& path) = 0;
    /// Asks the desktop to show the folder in its file manager; false when nothing could.
    virtual bool openFolder(const std::string& path) = 0;
};

/// The exception box's text: the message with a full stop added when it has none.
std::string exceptionBoxText(const std::string& message);

/// Runs a handler so that no exception leaves it: whatever it throws is shown in the
/// exception box and the program goes on.
template <class Handler>
void guarded(Desk& desk, Handler&& handler) noexcept {
    try {
        try {
            handler();
        } catch (const FileCreateError& e) {
            desk.exceptionBox(e.what(), e.reason());
        } catch (const std::exception& e) {
            desk.exceptionBox(e.what(), {});
        } catch (...) {
            desk.exceptionBox("", {});
        }
    } catch (...) {
        // The box itself failed; there is nobody left to tell.
    }
}

}  // namespace lumor
