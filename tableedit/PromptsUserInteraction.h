// PromptsUserInteraction: the engine's user-interaction interface answered
// through the editor's prompts, so that the engine's own questions (the file
// dialogs of SaveAs and Browse, the replace question of a generated table)
// appear as the editor's dialogs. The editor installs one at start-up.
// Tests: each engine question reaches the prompts with its texts, and the
// answer comes back.
#pragma once

#include "EditorPrompts.h"
#include "ratetable/UserInteraction.h"

namespace tableedit {

class PromptsUserInteraction : public CUserInteraction {
public:
    explicit PromptsUserInteraction(EditorPrompts& prompts) : m_prompts(prompts) {}
    int OpenFileDialog(const CFileDialogRequest& request, std::string& path, std::string& fileName) override;
    int SaveFileDialog(const CFileDialogRequest& request, std::string& path, std::string& fileName) override;
    int AskYesNo(const std::string& message) override;

private:
    EditorPrompts& m_prompts;
};

// Installs a PromptsUserInteraction for its lifetime, restoring the one
// installed before when it ends.
class ScopedUserInteraction {
public:
    explicit ScopedUserInteraction(EditorPrompts& prompts)
        : m_interaction(prompts), m_previous(SetUserInteraction(&m_interaction)) {}
    ~ScopedUserInteraction() { SetUserInteraction(m_previous); }
    ScopedUserInteraction(const ScopedUserInteraction&) = delete;
    ScopedUserInteraction& operator=(const ScopedUserInteraction&) = delete;

private:
    PromptsUserInteraction m_interaction;
    CUserInteraction* m_previous;
};

}  // namespace tableedit
