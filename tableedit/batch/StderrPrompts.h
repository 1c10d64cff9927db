// StderrPrompts: the editor's prompts for a program without a display. Every
// message is written to a stream (standard error by default), followed by a
// blank line; a Yes/No question is answered with the fixed answer it was made
// with and says so; Yes/No/Cancel gets Cancel; file dialogs are cancelled.
// One thread at a time.
// Tests: qrt_batchedit's standard error and its --yes answer.
#pragma once

#include <cstdio>

#include "EditorPrompts.h"

namespace tableedit {

class StderrPrompts : public EditorPrompts {
public:
    explicit StderrPrompts(bool answerYes, std::FILE* out = stderr)
        : m_answerYes(answerYes), m_out(out) {}

    Answer Message(const std::string& text, Buttons buttons = Buttons::Ok) override;
    std::optional<std::string> OpenFile(const std::string& title, const std::string& folder,
                                        const std::string& initialName,
                                        const std::string& filter) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& folder,
                                        const std::string& initialName,
                                        const std::string& filter) override;

private:
    bool m_answerYes;
    std::FILE* m_out;
};

}  // namespace tableedit
