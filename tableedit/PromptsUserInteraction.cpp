#include "PromptsUserInteraction.h"

#include "TableEditModel.h"

namespace tableedit {

namespace {

int Answer(const std::optional<std::string>& chosen, std::string& path, std::string& fileName) {
    if (!chosen || chosen->empty()) return 0;
    path = *chosen;
    fileName = FileNameOf(*chosen);
    return 1;
}

}  // namespace

int PromptsUserInteraction::OpenFileDialog(const CFileDialogRequest& request, std::string& path,
                                           std::string& fileName) {
    return Answer(m_prompts.OpenFile(request.title, request.initialFolder, request.initialName, request.filter),
                  path, fileName);
}

int PromptsUserInteraction::SaveFileDialog(const CFileDialogRequest& request, std::string& path,
                                           std::string& fileName) {
    return Answer(m_prompts.SaveFile(request.title, request.initialFolder, request.initialName, request.filter),
                  path, fileName);
}

int PromptsUserInteraction::AskYesNo(const std::string& message) {
    return m_prompts.Message(message, EditorPrompts::Buttons::YesNo) == EditorPrompts::Answer::Yes ? 1 : 0;
}

}  // namespace tableedit
