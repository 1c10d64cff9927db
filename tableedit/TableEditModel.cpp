#include "TableEditModel.h"

#include <algorithm>

#include "CellChecks.h"
#include "GridLists.h"
#include "ratetable/TablePaths.h"

namespace tableedit {

namespace {

constexpr int kDpyIndex365 = 0;
constexpr int kDpyIndex366 = 1;

// A rate cell: the stored rate while the text is still the one shown, else
// the typed number as the cell check leaves it.
double RateFrom(const std::string& text, const std::string& shownText, bool keep, double stored) {
    if (keep && text == shownText) return stored;
    return CheckRateCell(text).value;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

RowFields TableEditModel::ShowRow(int slot) const {
    RowFields row;
    Date start = m_table.GetStartingDate(slot);
    if (!start.isValid()) return row;  // an empty slot shows as a blank row
    row.date = DateText(start);
    row.mode = IndexOfCode(ModeList(), m_table.GetMethod(slot));
    row.normal = FormatRate(m_table.GetNRate(slot));
    row.motivated = FormatRate(m_table.GetMRate(slot));
    row.refund = FormatRate(m_table.GetRRate(slot));
    row.dpy = IndexOfCode(DaysPerYearList(), m_table.GetDPY(slot));
    return row;
}

EditFields TableEditModel::Show() {
    EditFields fields;
    fields.name = m_table.GetTableName();
    fields.description = m_table.Description();
    fields.endDate = DateText(m_table.TableEndDate());
    for (int r = 0; r < kGridRows; ++r) fields.rows[static_cast<size_t>(r)] = ShowRow(m_topRow + r);
    m_shown = fields;
    return fields;
}

void TableEditModel::CommitRow(int slot, const RowFields& row, const RowFields& shown) {
    // `keep`: the slot held an entry when shown, so a field left as shown
    // keeps the entry's stored value.
    const bool keep = !shown.date.empty();
    Date start;
    if (keep && row.date == shown.date)
        start = m_table.GetStartingDate(slot);
    else
        start.FromString(row.date.c_str());

    if (!start.isValid()) {
        m_table.SetStartingDate(slot, Date());
        m_table.SetMethod(slot, -1);
        m_table.SetNRate(slot, 0.0);
        m_table.SetMRate(slot, 0.0);
        m_table.SetRRate(slot, 0.0);
        m_table.SetDPY(slot, 365);
        return;
    }
    m_table.SetStartingDate(slot, start);
    if (!(keep && row.mode == shown.mode)) m_table.SetMethod(slot, CodeAt(ModeList(), row.mode));
    m_table.SetNRate(slot, RateFrom(row.normal, shown.normal, keep, m_table.GetNRate(slot)));
    m_table.SetMRate(slot, RateFrom(row.motivated, shown.motivated, keep, m_table.GetMRate(slot)));
    m_table.SetRRate(slot, RateFrom(row.refund, shown.refund, keep, m_table.GetRRate(slot)));
    if (!(keep && row.dpy == shown.dpy)) m_table.SetDPY(slot, CodeAt(DaysPerYearList(), row.dpy));
}

void TableEditModel::Commit(const EditFields& fields) {
    if (fields.description != m_shown.description) m_table.SetDescription(fields.description.c_str());
    if (fields.endDate != m_shown.endDate) {
        Date end;
        end.FromString(fields.endDate.c_str());
        m_table.SetTableEndDate(end);
    }
    for (int r = 0; r < kGridRows; ++r) {
        const auto i = static_cast<size_t>(r);
        if (m_topRow + r < InterestRateTable::kMaxEntries) CommitRow(m_topRow + r, fields.rows[i], m_shown.rows[i]);
    }
    // What the table now holds is what the fields show.
    m_shown.description = fields.description;
    m_shown.endDate = fields.endDate;
    for (int r = 0; r < kGridRows; ++r) m_shown.rows[static_cast<size_t>(r)] = ShowRow(m_topRow + r);
}

void TableEditModel::FillBlankDaysPerYear(EditFields& fields) const {
    for (size_t r = 0; r < fields.rows.size(); ++r) {
        RowFields& row = fields.rows[r];
        if (row.dpy != -1) continue;
        // A stored code that no list item shows (a special days-per-year
        // figure) stays as it is.
        if (!m_shown.rows[r].date.empty() && m_shown.rows[r].dpy == -1) continue;
        Date d;
        if (!d.FromString(row.date.c_str())) continue;
        row.dpy = d.Year() % 4 == 0 ? kDpyIndex366 : kDpyIndex365;
    }
}

EditFields TableEditModel::ScrollTo(const EditFields& fields, int top) {
    Commit(fields);
    m_topRow = std::clamp(top, 0, kMaxTopRow);
    m_modified = true;
    EditFields shown = Show();
    shown.name = fields.name;  // the name field is the user's until a save
    m_shown.name = fields.name;
    return shown;
}

EditFields TableEditModel::Sort(const EditFields& fields) {
    Commit(fields);
    m_table.SortEvents();
    m_modified = true;
    EditFields shown = Show();
    shown.name = fields.name;
    m_shown.name = fields.name;
    return shown;
}

EditFields TableEditModel::DeleteLine(const EditFields& fields, int row) {
    Commit(fields);
    m_table.DeleteEntry(std::clamp(m_topRow + row, 0, InterestRateTable::kMaxEntries - 1));
    m_modified = true;
    EditFields shown = Show();
    shown.name = fields.name;
    m_shown.name = fields.name;
    return shown;
}

EditFields TableEditModel::NewTable() {
    m_table.Clear();
    m_topRow = 0;
    m_modified = false;
    return Show();
}

SaveCheck TableEditModel::PrepareSave(const EditFields& fields) {
    for (int r = 0; r < kGridRows; ++r) {
        const RowFields& row = fields.rows[static_cast<size_t>(r)];
        if (!CheckDateCell(row.date).ok) return {SaveProblem::RowDate, r};
    }
    Commit(fields);
    for (int slot = 0; slot < InterestRateTable::kMaxEntries; ++slot) {
        if (!m_table.GetStartingDate(slot).isValid()) continue;
        if (m_table.GetMethod(slot) == 0xFFFF || m_table.GetDPY(slot) == 0xFFFF) {
            const int row = slot - m_topRow;
            return {SaveProblem::RowLists, row >= 0 && row < kGridRows ? row : -1};
        }
    }
    m_table.SortEvents();
    m_modified = true;
    const Date end = m_table.TableEndDate();
    if (!end.isValid()) return {SaveProblem::EndDate, -1};
    const Date last = m_table.GetLastStartingDate();
    if (last.isValid() && end < last) return {SaveProblem::EndBeforeLast, -1};
    return {};
}

std::string TableEditModel::InitialSaveName(const std::string& nameText) {
    std::string name = nameText.empty() ? "*.*" : nameText;
    ForceExtension(name, ".TB3");
    return name;
}

void TableEditModel::Saved(const std::string& path) {
    m_folder = FolderOf(path);
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    m_table.SetTableName(name);
    m_modified = false;
}

}  // namespace tableedit
