// ScriptedPrompts: the editor's prompts for tests. Records every message,
// answers Yes/No questions from a list (No once it runs out), cancels file
// dialogs, and runs an optional hook as each message shows, so a test can
// look at (or change) the files at that moment. Tests only.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "EditorPrompts.h"

class ScriptedPrompts : public tableedit::EditorPrompts {
public:
    std::vector<std::string> messages;
    std::deque<Answer> answers;
    std::function<void(const std::string&)> onMessage;

    Answer Message(const std::string& text, Buttons buttons = Buttons::Ok) override {
        messages.push_back(text);
        if (onMessage) onMessage(text);
        if (buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> OpenFile(const std::string&, const std::string&,
                                        const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFile(const std::string&, const std::string&,
                                        const std::string&, const std::string&) override {
        return std::nullopt;
    }
};
