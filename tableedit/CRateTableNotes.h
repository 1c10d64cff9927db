// CRateTableNotes: the "Interest Rate Table Notes" dialog, the table's notes
// in a multi-line editor. OK keeps the edited text (refused, with a message,
// beyond the 65535 bytes a table can hold); Cancel drops it.
#pragma once

#include <QDialog>
#include <string>

#include "EditorPrompts.h"

class QPlainTextEdit;

namespace tableedit {

class CRateTableNotes : public QDialog {
    Q_OBJECT
public:
    CRateTableNotes(EditorPrompts& prompts, const std::string& notes, QWidget* parent = nullptr);

    QPlainTextEdit* Editor() const { return m_editor; }
    // The notes as the table keeps them (lines ending in "\r\n").
    std::string Notes() const;
    // Whether the text differs from the notes the dialog was opened with.
    bool Changed() const;

public slots:
    void accept() override;

private:
    EditorPrompts& m_prompts;
    std::string m_original;
    QPlainTextEdit* m_editor;
};

}  // namespace tableedit
