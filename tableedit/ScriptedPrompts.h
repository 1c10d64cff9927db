// ScriptedPrompts: an EditorPrompts that answers from a script and records
// what it was asked, for tests of the dialogs and the batch edit. A question
// without a scripted answer gets the safe one (Cancel, or No for Yes/No; OK
// for a message), a file dialog without one is cancelled.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "EditorPrompts.h"

namespace tableedit {

class ScriptedPrompts : public EditorPrompts {
public:
    struct ShownMessage {
        std::string text;
        Buttons buttons;
    };
    struct FileRequest {
        bool save;
        std::string title, folder, initialName, filter;
    };

    std::deque<Answer> answers;                       // for Message, in order
    std::deque<std::optional<std::string>> files;     // for OpenFile / SaveFile, in order
    std::vector<ShownMessage> messages;               // every message shown
    std::vector<FileRequest> fileRequests;            // every file dialog shown

    Answer Message(const std::string& text, Buttons buttons = Buttons::Ok) override {
        messages.push_back({text, buttons});
        if (!answers.empty()) {
            Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::YesNo: return Answer::No;
        case Buttons::YesNoCancel: return Answer::Cancel;
        }
        return Answer::Cancel;
    }

    std::optional<std::string> OpenFile(const std::string& title, const std::string& folder,
                                        const std::string& initialName,
                                        const std::string& filter) override {
        return File(false, title, folder, initialName, filter);
    }

    std::optional<std::string> SaveFile(const std::string& title, const std::string& folder,
                                        const std::string& initialName,
                                        const std::string& filter) override {
        return File(true, title, folder, initialName, filter);
    }

    // Texts of the messages shown, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }

private:
    std::optional<std::string> File(bool save, const std::string& title, const std::string& folder,
                                    const std::string& initialName, const std::string& filter) {
        fileRequests.push_back({save, title, folder, initialName, filter});
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
};

}  // namespace tableedit
