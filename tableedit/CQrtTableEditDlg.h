// CQrtTableEditDlg: the main window "Duecalc Table Editor" with its buttons
// Edit Table, New Table, Batch Mode Edit... and Done, and the about entry of
// its window menu. It holds the working folder, which each table dialog
// starts in and hands back when it closes.
#pragma once

#include <QDialog>
#include <QPointer>
#include <string>

#include "BatchEditHook.h"
#include "EditorPrompts.h"

class QPushButton;

namespace tableedit {

class CAboutDlg;
class CTableEdit;

class CQrtTableEditDlg : public QDialog {
    Q_OBJECT
public:
    CQrtTableEditDlg(EditorPrompts& prompts, BatchEditRunner batchEdit, QWidget* parent = nullptr);

    // The working folder ("" or ending in "/").
    const std::string& Folder() const { return m_folder; }
    void SetFolder(const std::string& folder) { m_folder = folder; }

    // The open table dialog and about box, if any (for tests and screenshots).
    CTableEdit* TableDialog() const;
    CAboutDlg* AboutBox() const;
    QPushButton* Button(const char* objectName) const;

public slots:
    void OnEditTable();
    void OnNewTable();
    // The batch edit: asks for the command file, then runs the batch edit
    // runner on it (the one the -B command line also uses).
    void OnBatchEdit();
    void OnAbout();

private:
    void OpenTableDialog(CTableEdit* dialog);

    EditorPrompts& m_prompts;
    BatchEditRunner m_batchEdit;
    std::string m_folder;
    QPointer<CTableEdit> m_editor;
    QPointer<CAboutDlg> m_about;
};

}  // namespace tableedit
