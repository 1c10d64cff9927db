#include "CommandLine.h"

#include <algorithm>

#include "TableEditModel.h"

namespace tableedit {

namespace {

bool StartsWithOption(const std::string& text, char letter) {
    return text.size() >= 2 && text[0] == '-' &&
           (text[1] == letter || text[1] == letter - 'A' + 'a');
}

}  // namespace

std::string Unquote(const std::string& text) {
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](char c) { return c != '"'; });
    const auto first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = out.find_last_not_of(" \t");
    return out.substr(first, last - first + 1);
}

EditorCommand ParseCommandLine(const std::string& text) {
    EditorCommand command;
    if (text.empty() || StartsWithOption(text, 'X')) return command;
    if (StartsWithOption(text, 'B')) {
        const std::string path = Unquote(text.substr(2));
        command.kind = EditorCommand::BatchEdit;
        command.folder = FolderOf(path);
        command.file = FileNameOf(path);
        return command;
    }
    command.kind = EditorCommand::OpenTable;
    command.file = Unquote(text);
    return command;
}

}  // namespace tableedit
