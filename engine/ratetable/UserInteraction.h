// CUserInteraction: the few questions the engine asks a person (the file
// dialogs of InterestRateTable::SaveAs and Browse, and the replace question of
// CreateRateTable). The library links no user interface: the default answers
// cancel every dialog and say "No", so nothing is overwritten and the
// operation returns 0. The editor installs an implementation backed by its
// dialogs; tests install scripted ones.
// CFileDialogRequest: what a file dialog must show and allow.
// Thread rule: install before the questions can be asked; the installed
// object must outlive its installation. Installing is atomic.
// Tests: defaults cancel and say No; SaveAs/Browse show the requested dialog
// and act on a scripted answer.
#pragma once

#include <string>

struct CFileDialogRequest {
    std::string title;          // "" = the dialog's default title
    std::string defaultExt;     // "TB3"
    std::string initialName;    // "FEDERAL.TB3", "*.TB3", ...
    std::string filter;         // "Rate Tables (*.TB3) |*.TB3||All Files|*.*||"
    std::string initialFolder;  // "" = the dialog's default folder
    int hideReadOnly = 0;
    int overwritePrompt = 0;
    int noChangeDir = 0;
    int fileMustExist = 0;
};

class CUserInteraction {
public:
    virtual ~CUserInteraction() = default;
    // Open-file dialog. Returns 1 when confirmed, with the full path in
    // `path` and the chosen file's name (last component) in `fileName`;
    // 0 when cancelled. The default cancels.
    virtual int OpenFileDialog(const CFileDialogRequest& request, std::string& path,
                               std::string& fileName);
    // Save-file dialog, the same contract. The default cancels.
    virtual int SaveFileDialog(const CFileDialogRequest& request, std::string& path,
                               std::string& fileName);
    // Yes/No question; 1 = Yes, 0 = No. The default says No.
    virtual int AskYesNo(const std::string& message);
};

// Installs ui (null restores the default) and returns the one installed before.
CUserInteraction* SetUserInteraction(CUserInteraction* ui);
// The installed implementation (the default when none is).
CUserInteraction& UserInteraction();
