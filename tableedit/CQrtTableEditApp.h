// CQrtTableEditApp: the editor's start-up. It installs the editor's dialogs
// as the engine's user interaction, reads the settings (organisation
// "Veltrin Software Applications", section "OPTIONS": "ATNRB" and "Initial
// Directory") and acts on the command line: the main window, a batch edit, or
// one table in the table dialog.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "BatchEditHook.h"
#include "EditorPrompts.h"
#include "PromptsUserInteraction.h"

namespace tableedit {

class CQrtTableEditDlg;
class CTableEdit;

class CQrtTableEditApp {
public:
    explicit CQrtTableEditApp(EditorPrompts& prompts);
    ~CQrtTableEditApp();

    // The batch edit that -B and the main window's button run (RunBatchEdit
    // unless replaced, which tests do).
    void SetBatchEdit(BatchEditRunner runner) { m_batchEdit = std::move(runner); }

    // Reads the settings and acts on the command line (the program's
    // arguments joined by blanks). Returns the window now open, which the
    // editor runs until it finishes, or null when the editor ends at once
    // (after a batch edit, or a table that could not be read).
    QDialog* InitInstance(const std::string& commandLine);
    // The exit status when InitInstance opened no window: 0, or 1 when the
    // table could not be read.
    int ExitCode() const { return m_exitCode; }

    int AtNRB() const { return m_atnrb; }
    CQrtTableEditDlg* MainWindow() const { return m_mainWindow.get(); }
    CTableEdit* TableWindow() const { return m_tableWindow.get(); }

private:
    EditorPrompts& m_prompts;
    ScopedUserInteraction m_interaction;
    BatchEditRunner m_batchEdit = RunBatchEdit;
    int m_atnrb = 0;
    int m_exitCode = 0;
    std::unique_ptr<CQrtTableEditDlg> m_mainWindow;
    std::unique_ptr<CTableEdit> m_tableWindow;
};

}  // namespace tableedit
