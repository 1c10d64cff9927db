#pragma once
// EditorPrompts: the editor's one way to show a message box or a file dialog.
// The dialogs and the batch edit talk to the user only through this interface,
// so that the Qt implementation can be swapped for a scripted one in tests and
// for a standard-error one in the batch program.

#include <optional>
#include <string>

namespace tableedit {

class EditorPrompts {
public:
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~EditorPrompts() = default;

    // A modal message with the given buttons; returns the button pressed.
    virtual Answer Message(const std::string& text, Buttons buttons = Buttons::Ok) = 0;

    // Open-file dialog; an empty result is a cancel. `filter` is the
    // "Description (*.EXT)|*.EXT|..." text of the caller.
    virtual std::optional<std::string> OpenFile(const std::string& title,
                                                const std::string& folder,
                                                const std::string& initialName,
                                                const std::string& filter) = 0;

    // Save-file dialog (asks before overwriting); an empty result is a cancel.
    virtual std::optional<std::string> SaveFile(const std::string& title,
                                                const std::string& folder,
                                                const std::string& initialName,
                                                const std::string& filter) = 0;
};

}  // namespace tableedit
