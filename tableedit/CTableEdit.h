// CTableEdit: the "Interest Rates" dialog: one table's name, description and
// end date, a ten-row grid over the table's 500 slots with a scroll bar, and
// the buttons Save, New, Delete Line, Sort, View/Edit Notes and Close. The
// table and every rule live in TableEditModel; this class moves texts between
// it and the widgets and runs the cell checks when a cell loses the focus.
#pragma once

#include <QDialog>
#include <QPointer>
#include <array>
#include <string>

#include "EditorPrompts.h"
#include "TableEditModel.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tableedit {

class CBasicEdit;
class CEditDate;
class CRateTableNotes;
class CTEdit;

class CTableEdit : public QDialog {
    Q_OBJECT
public:
    // Grid columns: 0 date, 1 mode list, 2 normal, 3 motivated, 4 refund, 5 days-per-year list.
    enum Column { DateColumn, ModeColumn, NormalColumn, MotivatedColumn, RefundColumn, DpyColumn };

    CTableEdit(EditorPrompts& prompts, const std::string& folder, QWidget* parent = nullptr);
    ~CTableEdit() override;

    TableEditModel& Model() { return m_model; }
    // Shows the model's table in every field (after a Read or for a new table).
    void ShowTable();

    // The widgets, for tests and screenshots.
    CTEdit* Cell(int row, int column) const;   // the date and rate columns
    QComboBox* ModeList(int row) const { return m_modes[static_cast<size_t>(row)]; }
    QComboBox* DpyList(int row) const { return m_dpys[static_cast<size_t>(row)]; }
    QLineEdit* NameField() const { return m_name; }
    QLineEdit* DescriptionField() const { return m_description; }
    CEditDate* EndDateField() const { return m_endDate; }
    QScrollBar* ScrollBar() const { return m_scroll; }
    QPushButton* Button(const char* objectName) const;
    // The notes dialog while it is open, else null.
    CRateTableNotes* NotesDialog() const;

public slots:
    // Returns whether the table was saved.
    bool OnSave();
    void OnNew();
    void OnDeleteLine();
    void OnSort();
    void OnNotes();
    void OnClose();

protected:
    // Esc and the window's close button ask "Save Changes?" as Close does.
    void reject() override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    EditFields ReadFields() const;
    void WriteFields(const EditFields& fields);
    void OnScrollValue(int value);
    void OnFocusLeft(CBasicEdit* edit, Qt::FocusReason reason);
    // The check of a cell or the end-date field; false (after its message,
    // with the focus back in the field) when the text is refused.
    bool CheckField(CBasicEdit* edit);
    // The check of the grid cell or end-date field holding the focus, if any.
    bool CheckFocusedField();
    bool Refuse(QWidget* field, const char* message);
    // "Save Changes?" when modified; false when the user cancels or the save fails.
    bool AskSaveChanges();
    bool HandleCellKey(CTEdit* cell, int key);
    void Modified() { m_model.SetModified(true); }

    EditorPrompts& m_prompts;
    TableEditModel m_model;
    QLineEdit* m_name;
    QLineEdit* m_description;
    CEditDate* m_endDate;
    std::array<std::array<CTEdit*, 5>, kGridRows> m_cells{};  // date and rate cells, by column
    std::array<QComboBox*, kGridRows> m_modes{};
    std::array<QComboBox*, kGridRows> m_dpys{};
    QScrollBar* m_scroll;
    QPointer<CRateTableNotes> m_notes;
    QPointer<QWidget> m_focusWidget;  // the grid control that last held the focus
    int m_focusRow = -1;
    bool m_showingMessage = false;
    bool m_closing = false;
};

}  // namespace tableedit
