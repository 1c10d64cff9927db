#include "StderrPrompts.h"

namespace tableedit {

EditorPrompts::Answer StderrPrompts::Message(const std::string& text, Buttons buttons) {
    Answer answer = Answer::Ok;
    const char* shown = "";
    if (buttons == Buttons::YesNo) {
        answer = m_answerYes ? Answer::Yes : Answer::No;
        shown = m_answerYes ? " [Yes]" : " [No]";
    } else if (buttons == Buttons::YesNoCancel) {
        answer = Answer::Cancel;
        shown = " [Cancel]";
    }
    std::fprintf(m_out, "%s%s\n\n", text.c_str(), shown);
    std::fflush(m_out);
    return answer;
}

std::optional<std::string> StderrPrompts::OpenFile(const std::string&, const std::string&,
                                                   const std::string&, const std::string&) {
    return std::nullopt;
}

std::optional<std::string> StderrPrompts::SaveFile(const std::string&, const std::string&,
                                                   const std::string&, const std::string&) {
    return std::nullopt;
}

}  // namespace tableedit
