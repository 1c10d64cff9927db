#include "CellEdits.h"

#include <QFocusEvent>
#include <QValidator>

namespace tableedit {

namespace {

// Accepts what the user types while the text stays within the limit, or
// does not grow beyond a longer text the program put there.
class TypedLengthLimit : public QValidator {
public:
    TypedLengthLimit(QLineEdit* edit, int limit) : QValidator(edit), m_edit(edit), m_limit(limit) {}
    State validate(QString& input, int&) const override {
        return input.size() <= m_limit || input.size() <= m_edit->text().size() ? Acceptable : Invalid;
    }

private:
    QLineEdit* m_edit;
    int m_limit;
};

}  // namespace

CBasicEdit::CBasicEdit(int userLimit, QWidget* parent) : QLineEdit(parent) {
    setValidator(new TypedLengthLimit(this, userLimit));
}

void CBasicEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit focusEntered();
}

void CBasicEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusLeft(event->reason());
}

CTEdit::CTEdit(CellMode mode, int row, int column, QWidget* parent)
    : CBasicEdit(mode == DateCell ? 8 : 5, parent), m_cellMode(mode), m_row(row), m_column(column) {
    if (mode == RateCell) setAlignment(Qt::AlignRight);
}

CEditDate::CEditDate(QWidget* parent) : CBasicEdit(8, parent) {}

}  // namespace tableedit
