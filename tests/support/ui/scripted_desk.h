#pragma once
#include "platform/ui/desk.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace lumor {

/// A desk for tests: records everything shown, answers questions and file dialogs from
/// queues, and runs a scripted action inside each modal window instead of blocking.
class ScriptedDesk : public Desk {
public:
    /// One thing shown: kind is "warning", "information", "question", "choice", "exception", "modal",
    /// "open", "save", "viewer" or "folder".
    struct Shown {
        std::string kind;
        std::string title;
        std::string text;
        std::string reason = {};  ///< the exception box's reason below the text
    };

    std::vector<Shown> shown;
    std::deque<bool> answers;                                ///< question answers; No when empty
    std::deque<Choice> choices;                              ///< three-button answers; Cancel when empty
    std::deque<std::optional<std::string>> fileNames;        ///< dialog results; cancel when empty
    std::deque<std::function<void(QDialog&)>> modalActions;  ///< acts inside a modal window
    std::string exeDir = "./";
    std::vector<std::string> viewed;
    bool viewerOpens = true;  ///< what opening in the viewer or a folder answers

    void warning(const std::string& text, const std::string& title) override;
    void information(const std::string& text, const std::string& title) override;
    bool question(const std::string& text) override;
    Choice choice(const std::string& text) override;
    void exceptionBox(const std::string& text, const std::string& reason) override;
    std::optional<std::string> openFileName(const FileFilter& filter) override;
    /// Recorded with the file it starts at as its text.
    std::optional<std::string> saveFileName(const FileFilter& filter, const std::string& current) override;
    void showModal(QDialog& window) override;
    std::string executableDir() override { return exeDir; }
    bool openInViewer(const std::string& path) override;
    bool openFolder(const std::string& path) override;

    /// Texts of everything shown of one kind, in order.
    std::vector<std::string> texts(const std::string& kind) const;
    void clear() { shown.clear(); }
};

}  // namespace lumor
