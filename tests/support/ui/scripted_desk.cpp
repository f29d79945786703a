#include "scripted_desk.h"

#include "platform/gui/qtext.h"

#include <QDialog>

namespace lumor {

void ScriptedDesk::warning(const std::string& text, const std::string& title) {
    shown.push_back({"warning", title, text});
}

void ScriptedDesk::information(const std::string& text, const std::string& title) {
    shown.push_back({"information", title, text});
}

bool ScriptedDesk::question(const std::string& text) {
    shown.push_back({"question", "Dotaz", text});
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

Choice ScriptedDesk::choice(const std::string& text) {
    shown.push_back({"choice", "Dotaz", text});
    if (choices.empty()) return Choice::Cancel;
    const Choice c = choices.front();
    choices.pop_front();
    return c;
}

void ScriptedDesk::exceptionBox(const std::string& text, const std::string& reason) {
    shown.push_back({"exception", "Lumor", exceptionBoxText(text), reason});
}

std::optional<std::string> ScriptedDesk::openFileName(const FileFilter& filter) {
    shown.push_back({"open", filter.description, {}});
    if (fileNames.empty()) return std::nullopt;
    auto name = fileNames.front();
    fileNames.pop_front();
    return name;
}

std::optional<std::string> ScriptedDesk::saveFileName(const FileFilter& filter, const std::string& current) {
    shown.push_back({"save", filter.description, current});
    if (fileNames.empty()) return std::nullopt;
    auto name = fileNames.front();
    fileNames.pop_front();
    return name;
}

void ScriptedDesk::showModal(QDialog& window) {
    shown.push_back({"modal", fromQ(window.windowTitle()), fromQ(window.objectName())});
    if (modalActions.empty()) return;
    auto action = std::move(modalActions.front());
    modalActions.pop_front();
    action(window);
}

bool ScriptedDesk::openInViewer(const std::string& path) {
    shown.push_back({"viewer", {}, path});
    viewed.push_back(path);
    return viewerOpens;
}

bool ScriptedDesk::openFolder(const std::string& path) {
    shown.push_back({"folder", {}, path});
    return viewerOpens;
}

std::vector<std::string> ScriptedDesk::texts(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& s : shown) {
        if (s.kind == kind) out.push_back(s.text);
    }
    return out;
}

}  // namespace lumor
