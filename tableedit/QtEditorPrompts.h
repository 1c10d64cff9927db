// QtEditorPrompts: the editor's message boxes and file dialogs as Qt
// dialogs (modal, titled "QrtTableEdit"; the file dialogs are Qt's own, so
// they look and behave the same on every desktop).
#pragma once

#include <QStringList>

#include "EditorPrompts.h"

class QWidget;

namespace tableedit {

class QtEditorPrompts : public EditorPrompts {
public:
    Answer Message(const std::string& text, Buttons buttons = Buttons::Ok) override;
    std::optional<std::string> OpenFile(const std::string& title, const std::string& folder,
                                        const std::string& initialName,
                                        const std::string& filter) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& folder,
                                        const std::string& initialName,
                                        const std::string& filter) override;

private:
    std::optional<std::string> RunFileDialog(bool save, const std::string& title,
                                             const std::string& folder,
                                             const std::string& initialName,
                                             const std::string& filter);
};

// The Qt name filters of a filter text "Description|pattern|...": pairs
// separated by "|", up to the first empty description ("Rate Tables (*.TB3)
// |*.TB3||All Files|*.*||" offers only "Rate Tables (*.TB3)").
QStringList QtNameFilters(const std::string& filter);

}  // namespace tableedit
