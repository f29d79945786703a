#pragma once
#include "text/messages.h"

#include <deque>
#include <string>
#include <vector>

namespace lumor {

/// Records every message as "kind|title|text" and answers questions from a queue (No when
/// the queue is empty).
struct RecordingMessages : Messages {
    std::vector<std::string> shown;
    std::deque<bool> answers;
    void warning(const std::string& text, const std::string& title) override {
        shown.push_back("warning|" + title + "|" + text);
    }
    void information(const std::string& text, const std::string& title) override {
        shown.push_back("information|" + title + "|" + text);
    }
    bool question(const std::string& text) override {
        shown.push_back("question|Dotaz|" + text);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace lumor
