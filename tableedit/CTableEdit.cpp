#include "CTableEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "CRateTableNotes.h"
#include "CellChecks.h"
#include "CellEdits.h"
#include "EditorMessages.h"
#include "GridLists.h"
#include "TextCodec.h"

namespace tableedit {

namespace {

QComboBox* NewList(std::span<const ListItem> items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const ListItem& item : items) box->addItem(QString::fromUtf8(item.text), item.code);
    box->setCurrentIndex(-1);
    // The wheel scrolls the grid, it does not change a list's choice.
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

QLabel* Heading(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// Sets a field's text only when it differs, so the cursor and undo history
// of an unchanged field stay as they are.
void SetText(QLineEdit* edit, const QString& text) {
    if (edit->text() == text) return;
    edit->setText(text);
    edit->setCursorPosition(0);  // a long text shows from its start
}

}  // namespace

CTableEdit::CTableEdit(EditorPrompts& prompts, const std::string& folder, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_model(folder) {
    setWindowTitle(QStringLiteral("Interest Rates"));

    m_name = new CBasicEdit(20, this);
    m_description = new CBasicEdit(20, this);
    m_endDate = new CEditDate(this);
    auto* fields = new QGridLayout;
    const QString dateSample = QStringLiteral("00-00-00MM");
    const int dateWidth = fontMetrics().horizontalAdvance(dateSample) + 12;
    fields->addWidget(new QLabel(QStringLiteral("Table Name:"), this), 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Table Description:"), this), 1, 0);
    fields->addWidget(m_description, 1, 1);
    fields->addWidget(new QLabel(QStringLiteral("Table End Date:"), this), 2, 0);
    fields->addWidget(m_endDate, 2, 1, Qt::AlignLeft);
    m_name->setMinimumWidth(fontMetrics().horizontalAdvance(QString(24, QLatin1Char('M'))) / 2 + 120);
    m_endDate->setFixedWidth(dateWidth);
    fields->setColumnStretch(2, 1);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    grid->addWidget(Heading("** Annual Interest Rates **", this), 0, NormalColumn, 1, 3);
    grid->addWidget(Heading("Starting Date", this), 1, DateColumn);
    grid->addWidget(Heading("Computation Mode", this), 1, ModeColumn);
    grid->addWidget(Heading("Normal", this), 1, NormalColumn);
    grid->addWidget(Heading("Motivated", this), 1, MotivatedColumn);
    grid->addWidget(Heading("Refund", this), 1, RefundColumn);
    grid->addWidget(Heading("Days Per Year", this), 1, DpyColumn);
    const int rateWidth = fontMetrics().horizontalAdvance(QStringLiteral("Motivated")) + 12;
    for (int r = 0; r < kGridRows; ++r) {
        const auto i = static_cast<size_t>(r);
        auto* date = new CTEdit(CTEdit::DateCell, r, DateColumn, this);
        date->setFixedWidth(dateWidth);
        m_cells[i][DateColumn] = date;
        grid->addWidget(date, r + 2, DateColumn);
        m_modes[i] = NewList(tableedit::ModeList(), this);
        grid->addWidget(m_modes[i], r + 2, ModeColumn);
        for (int c : {NormalColumn, MotivatedColumn, RefundColumn}) {
            auto* rate = new CTEdit(CTEdit::RateCell, r, c, this);
            rate->setFixedWidth(rateWidth);
            m_cells[i][static_cast<size_t>(c)] = rate;
            grid->addWidget(rate, r + 2, c);
        }
        m_dpys[i] = NewList(DaysPerYearList(), this);
        grid->addWidget(m_dpys[i], r + 2, DpyColumn);
    }
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setRange(0, kMaxTopRow);
    m_scroll->setPageStep(kGridRows);
    m_scroll->setSingleStep(1);
    grid->addWidget(m_scroll, 2, DpyColumn + 1, kGridRows, 1);

    auto* gridBox = new QGroupBox(this);
    gridBox->setLayout(grid);

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const char* text, const char* name, void (CTableEdit::*slot)()) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    auto* save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(QStringLiteral("save"));
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, [this] { OnSave(); });
    buttons->addWidget(save);
    addButton("&New", "new", &CTableEdit::OnNew);
    addButton("&Delete Line", "deleteLine", &CTableEdit::OnDeleteLine);
    addButton("S&ort", "sort", &CTableEdit::OnSort);
    addButton("&View/Edit Notes", "notes", &CTableEdit::OnNotes);
    buttons->addStretch(1);
    addButton("&Close", "close", &CTableEdit::OnClose);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(gridBox);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    // Edits and choices mark the table modified; focus changes run the checks.
    for (CBasicEdit* edit : {static_cast<CBasicEdit*>(m_name), static_cast<CBasicEdit*>(m_description),
                             static_cast<CBasicEdit*>(m_endDate)}) {
        connect(edit, &QLineEdit::textEdited, this, [this] { Modified(); });
        if (edit == m_endDate)
            connect(edit, &CBasicEdit::focusLeft, this, [this, edit](Qt::FocusReason why) { OnFocusLeft(edit, why); });
    }
    for (int r = 0; r < kGridRows; ++r) {
        const auto i = static_cast<size_t>(r);
        for (CTEdit* cell : m_cells[i]) {
            if (!cell) continue;
            connect(cell, &QLineEdit::textEdited, this, [this] { Modified(); });
            connect(cell, &CBasicEdit::focusLeft, this, [this, cell](Qt::FocusReason why) { OnFocusLeft(cell, why); });
            cell->installEventFilter(this);
        }
        for (QComboBox* box : {m_modes[i], m_dpys[i]}) {
            connect(box, &QComboBox::activated, this, [this] { Modified(); });
            box->installEventFilter(this);
        }
    }
    connect(m_scroll, &QScrollBar::valueChanged, this, &CTableEdit::OnScrollValue);

    ShowTable();
}

CTableEdit::~CTableEdit() {
    // The base class deletes the fields after this part of the dialog is
    // gone; a field losing the focus then must not reach back into it.
    for (CBasicEdit* edit : findChildren<CBasicEdit*>()) disconnect(edit, nullptr, this, nullptr);
}

CTEdit* CTableEdit::Cell(int row, int column) const {
    return m_cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

QPushButton* CTableEdit::Button(const char* objectName) const {
    return findChild<QPushButton*>(QString::fromLatin1(objectName));
}

CRateTableNotes* CTableEdit::NotesDialog() const { return m_notes; }

void CTableEdit::ShowTable() {
    EditFields fields = m_model.Show();
    SetText(m_name, FromUtf8(fields.name));
    WriteFields(fields);
}

EditFields CTableEdit::ReadFields() const {
    EditFields fields;
    fields.name = ToUtf8(m_name->text());
    fields.description = ToTableText(m_description->text());
    fields.endDate = ToTableText(m_endDate->text());
    for (int r = 0; r < kGridRows; ++r) {
        const auto i = static_cast<size_t>(r);
        RowFields& row = fields.rows[i];
        row.date = ToTableText(Cell(r, DateColumn)->text());
        row.mode = m_modes[i]->currentIndex();
        row.normal = ToTableText(Cell(r, NormalColumn)->text());
        row.motivated = ToTableText(Cell(r, MotivatedColumn)->text());
        row.refund = ToTableText(Cell(r, RefundColumn)->text());
        row.dpy = m_dpys[i]->currentIndex();
    }
    return fields;
}

// Every field but the name, which stays the user's text until a save.
void CTableEdit::WriteFields(const EditFields& fields) {
    SetText(m_description, FromTableText(fields.description));
    SetText(m_endDate, FromTableText(fields.endDate));
    for (int r = 0; r < kGridRows; ++r) {
        const auto i = static_cast<size_t>(r);
        const RowFields& row = fields.rows[i];
        SetText(Cell(r, DateColumn), FromTableText(row.date));
        m_modes[i]->setCurrentIndex(row.mode);
        SetText(Cell(r, NormalColumn), FromTableText(row.normal));
        SetText(Cell(r, MotivatedColumn), FromTableText(row.motivated));
        SetText(Cell(r, RefundColumn), FromTableText(row.refund));
        m_dpys[i]->setCurrentIndex(row.dpy);
    }
    if (m_scroll->value() != m_model.TopRow()) {
        const QSignalBlocker quiet(m_scroll);
        m_scroll->setValue(m_model.TopRow());
    }
}

bool CTableEdit::Refuse(QWidget* field, const char* message) {
    if (!m_showingMessage) {
        m_showingMessage = true;
        m_prompts.Message(message);
        m_showingMessage = false;
    }
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    return false;
}

bool CTableEdit::CheckField(CBasicEdit* edit) {
    auto* cell = qobject_cast<CTEdit*>(edit);
    if (!cell || cell->m_cellMode == CTEdit::DateCell) {
        const DateCellCheck check = CheckDateCell(ToTableText(edit->text()));
        if (!check.ok) return Refuse(edit, kMsgBadDate);
        SetText(edit, FromTableText(check.text));
        if (cell) {
            EditFields fields = ReadFields();
            m_model.FillBlankDaysPerYear(fields);
            for (int r = 0; r < kGridRows; ++r) {
                const auto i = static_cast<size_t>(r);
                if (m_dpys[i]->currentIndex() == fields.rows[i].dpy) continue;
                m_dpys[i]->setCurrentIndex(fields.rows[i].dpy);
                Modified();
            }
        }
        return true;
    }
    const RateCellCheck check = CheckRateCell(ToTableText(edit->text()));
    SetText(edit, FromTableText(check.text));
    if (check.tooLarge) return Refuse(edit, kMsgBadRate);
    return true;
}

bool CTableEdit::CheckFocusedField() {
    auto* edit = qobject_cast<CBasicEdit*>(QApplication::focusWidget());
    if (!edit || edit->window() != this || edit == m_name || edit == m_description) return true;
    return CheckField(edit);
}

void CTableEdit::OnFocusLeft(CBasicEdit* edit, Qt::FocusReason reason) {
    // Another window becoming active or a list opening its popup does not
    // take the focus from the field as far as the user is concerned.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
    if (m_closing || !isVisible()) return;
    CheckField(edit);
}

void CTableEdit::OnScrollValue(int value) {
    if (value == m_model.TopRow()) return;
    if (!CheckFocusedField()) {
        const QSignalBlocker quiet(m_scroll);
        m_scroll->setValue(m_model.TopRow());
        return;
    }
    WriteFields(m_model.ScrollTo(ReadFields(), value));
}

bool CTableEdit::HandleCellKey(CTEdit* cell, int key) {
    const int row = cell->m_row;
    const int column = cell->m_column;
    switch (key) {
    case Qt::Key_Down:
        if (row + 1 < kGridRows)
            Cell(row + 1, column)->setFocus(Qt::OtherFocusReason);
        else
            m_scroll->setValue(m_model.TopRow() + 1);  // the focus stays on the last row
        return true;
    case Qt::Key_Up:
        if (row > 0)
            Cell(row - 1, column)->setFocus(Qt::OtherFocusReason);
        else
            m_scroll->setValue(m_model.TopRow() - 1);
        return true;
    case Qt::Key_PageDown:
        m_scroll->setValue(m_model.TopRow() + kGridRows);
        return true;
    case Qt::Key_PageUp:
        m_scroll->setValue(m_model.TopRow() - kGridRows);
        return true;
    default:
        return false;
    }
}

bool CTableEdit::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Wheel:
        QApplication::sendEvent(m_scroll, event);
        return true;
    case QEvent::FocusIn:
        for (int r = 0; r < kGridRows; ++r) {
            const auto i = static_cast<size_t>(r);
            for (QWidget* w : {static_cast<QWidget*>(m_modes[i]), static_cast<QWidget*>(m_dpys[i])})
                if (w == watched) m_focusRow = r;
            for (CTEdit* cell : m_cells[i])
                if (cell && cell == watched) m_focusRow = r;
        }
        m_focusWidget = qobject_cast<QWidget*>(watched);
        break;
    case QEvent::KeyPress:
        if (auto* cell = qobject_cast<CTEdit*>(watched)) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier)
                if (HandleCellKey(cell, key->key())) return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void CTableEdit::wheelEvent(QWheelEvent* event) {
    QApplication::sendEvent(m_scroll, event);
}

bool CTableEdit::OnSave() {
    if (!CheckFocusedField()) return false;
    const EditFields before = ReadFields();
    const SaveCheck check = m_model.PrepareSave(before);
    if (check.problem == SaveProblem::RowDate) return Refuse(Cell(check.row, DateColumn), kMsgBadDate);
    WriteFields(m_model.Show());
    switch (check.problem) {
    case SaveProblem::RowLists:
        return Refuse(check.row >= 0 ? static_cast<QWidget*>(m_modes[static_cast<size_t>(check.row)])
                                     : static_cast<QWidget*>(m_scroll),
                      kMsgChooseLists);
    case SaveProblem::EndDate:
        return Refuse(m_endDate, kMsgBadEndDate);
    case SaveProblem::EndBeforeLast:
        m_prompts.Message(kMsgEndBeforeLast);
        return false;
    default:
        break;
    }
    const std::string initial = TableEditModel::InitialSaveName(before.name);
    const auto chosen = m_prompts.SaveFile("Save Interest Rate Table", m_model.Folder(), initial, kTableFilter);
    if (!chosen || chosen->empty()) return false;
    std::string path = *chosen;
    if (!m_model.Table().Save(path)) {
        m_prompts.Message("Failed to save " + path + "!");
        return false;
    }
    m_model.Saved(path);
    m_name->setText(FromUtf8(m_model.Table().GetTableName()));
    return true;
}

bool CTableEdit::AskSaveChanges() {
    if (!m_model.Modified()) return true;
    switch (m_prompts.Message(kMsgSaveChanges, EditorPrompts::Buttons::YesNoCancel)) {
    case EditorPrompts::Answer::Yes: return OnSave();
    case EditorPrompts::Answer::No: return true;
    default: return false;
    }
}

void CTableEdit::OnNew() {
    if (!CheckFocusedField()) return;
    m_model.Commit(ReadFields());
    if (!AskSaveChanges()) return;
    m_model.NewTable();
    ShowTable();
}

void CTableEdit::OnDeleteLine() {
    if (m_focusRow < 0) return;
    if (m_prompts.Message(kMsgDeleteLine, EditorPrompts::Buttons::YesNo) != EditorPrompts::Answer::Yes) return;
    WriteFields(m_model.DeleteLine(ReadFields(), m_focusRow));
    if (m_focusWidget) m_focusWidget->setFocus(Qt::OtherFocusReason);
}

void CTableEdit::OnSort() {
    if (!CheckFocusedField()) return;
    WriteFields(m_model.Sort(ReadFields()));
}

void CTableEdit::OnNotes() {
    if (!CheckFocusedField()) return;
    m_model.Commit(ReadFields());
    if (m_notes) return;
    m_notes = new CRateTableNotes(m_prompts, m_model.Table().TableNotes(), this);
    m_notes->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_notes, &QDialog::accepted, this, [this] {
        if (!m_notes || !m_notes->Changed()) return;
        m_model.Table().GetHeader()->TableNotes(m_notes->Notes());
        Modified();
    });
    m_notes->open();
}

void CTableEdit::OnClose() {
    if (!CheckFocusedField()) return;
    m_model.Commit(ReadFields());
    if (!AskSaveChanges()) return;
    m_closing = true;
    QDialog::done(QDialog::Accepted);
    m_closing = false;
}

void CTableEdit::reject() { OnClose(); }

}  // namespace tableedit
