// The edit controls of the "Interest Rates" dialog.
// CBasicEdit: a one-line edit that limits what the user types (not what the
// program shows: a longer stored text is shown whole and can be shortened)
// and reports when it gains and loses the focus.
// CTEdit: one grid cell, a date cell (m_cellMode 0) or a rate cell (1), with
// its grid row and column. CEditDate: the table end-date field.
// The checks they trigger are the dialog's (CTableEdit), over CellChecks.
#pragma once

#include <QLineEdit>

namespace tableedit {

class CBasicEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CBasicEdit(int userLimit, QWidget* parent = nullptr);

signals:
    void focusEntered();
    void focusLeft(Qt::FocusReason reason);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

class CTEdit : public CBasicEdit {
    Q_OBJECT
public:
    enum CellMode { DateCell = 0, RateCell = 1 };
    CTEdit(CellMode mode, int row, int column, QWidget* parent = nullptr);

    CellMode m_cellMode;
    int m_row;
    int m_column;  // 0 date, 2 normal, 3 motivated, 4 refund (1 and 5 are the lists)
};

class CEditDate : public CBasicEdit {
    Q_OBJECT
public:
    explicit CEditDate(QWidget* parent = nullptr);
};

}  // namespace tableedit
