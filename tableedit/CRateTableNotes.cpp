#include "CRateTableNotes.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "EditorMessages.h"
#include "TextCodec.h"

namespace tableedit {

namespace {

constexpr size_t kMaxNotesBytes = 65535;  // the notes length is a 16-bit field

}  // namespace

CRateTableNotes::CRateTableNotes(EditorPrompts& prompts, const std::string& notes, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_original(notes) {
    setWindowTitle(QStringLiteral("Interest Rate Table Notes"));
    m_editor = new QPlainTextEdit(this);
    m_editor->setPlainText(NotesForEditor(notes));
    m_editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_editor->setMinimumSize(fontMetrics().horizontalAdvance(QString(64, QLatin1Char('x'))),
                             fontMetrics().lineSpacing() * 16);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRateTableNotes::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRateTableNotes::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_editor);
    layout->addWidget(buttons);
}

std::string CRateTableNotes::Notes() const { return NotesForTable(m_editor->toPlainText()); }

bool CRateTableNotes::Changed() const { return m_editor->toPlainText() != NotesForEditor(m_original); }

void CRateTableNotes::accept() {
    if (Changed() && Notes().size() > kMaxNotesBytes) {
        m_prompts.Message(kMsgNotesTooLong);
        return;
    }
    QDialog::accept();
}

}  // namespace tableedit
