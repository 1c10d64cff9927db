// TableEditModel: what the "Interest Rates" dialog does with its table, without
// widgets. It turns the table into the texts and list positions of the ten
// grid rows (Show) and writes them back (Commit), scrolls, sorts, deletes
// lines and makes the checks before a save. The dialog copies EditFields to
// and from its widgets and nothing more.
//
// Commit keeps a stored value wherever its field still shows what Show put
// there, so opening and saving a table changes nothing the user did not
// touch: a rate with more than two decimals, a code that no list holds, a
// description longer than the field accepts.
// Tests: show/commit round trips, cleared dates, rounding, the list codes,
// scrolling to slot 499, the save checks in their order.
#pragma once

#include <array>
#include <string>

#include "ratetable/InterestRateTable.h"

namespace tableedit {

// One grid row as the widgets hold it; list positions are -1 for no selection.
struct RowFields {
    std::string date;
    int mode = -1;
    std::string normal;
    std::string motivated;
    std::string refund;
    int dpy = -1;
    bool operator==(const RowFields&) const = default;
};

inline constexpr int kGridRows = 10;
inline constexpr int kMaxTopRow = InterestRateTable::kMaxEntries - kGridRows;  // 490

// Every field of the dialog (texts in the table's single-byte form).
struct EditFields {
    std::string name;
    std::string description;
    std::string endDate;
    std::array<RowFields, kGridRows> rows;
    bool operator==(const EditFields&) const = default;
};

// Why a save cannot go ahead, in the order the checks run.
enum class SaveProblem {
    None,
    RowDate,        // a row's date text is not empty and not a date (message 102)
    RowLists,       // a dated entry has no computation mode or days per year
    EndDate,        // the table end date is not valid (message 105)
    EndBeforeLast,  // the end date lies before the last entry's date (message 106)
};

struct SaveCheck {
    SaveProblem problem = SaveProblem::None;
    int row = -1;  // the grid row at fault for RowDate and RowLists, -1 when not on screen
};

class TableEditModel {
public:
    explicit TableEditModel(std::string folder = "") : m_folder(std::move(folder)) {}

    InterestRateTable& Table() { return m_table; }
    const InterestRateTable& Table() const { return m_table; }
    // The working folder ("" or ending in "/"): save dialogs start there.
    const std::string& Folder() const { return m_folder; }
    void SetFolder(const std::string& folder) { m_folder = folder; }
    // The table slot shown in the first grid row, 0 to 490.
    int TopRow() const { return m_topRow; }
    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // The fields showing the table from TopRow(); remembered as what is shown.
    EditFields Show();
    // Writes description, end date and the rows into the table (not the
    // name, which only names the file at a save). A row whose date is empty
    // or invalid becomes an empty slot (method 65535, rates 0, 365 days).
    void Commit(const EditFields& fields);
    // Gives a blank days-per-year list of every dated row 366 in years
    // divisible by 4, else 365 (what a date cell does when it loses the focus).
    void FillBlankDaysPerYear(EditFields& fields) const;

    // Commit, then TopRow() becomes top (kept within 0 to 490) and the
    // table counts as modified. Returns the new fields.
    EditFields ScrollTo(const EditFields& fields, int top);
    // Commit, sort the entries by date (gaps closed), modified.
    EditFields Sort(const EditFields& fields);
    // Commit, delete the entry of grid row `row`, modified.
    EditFields DeleteLine(const EditFields& fields, int row);
    // An empty table, TopRow() 0, not modified.
    EditFields NewTable();

    // The first half of a save: the row checks, then commit and sort, then
    // the end-date checks. Nothing is committed when a row check fails.
    SaveCheck PrepareSave(const EditFields& fields);
    // The name a save dialog proposes: the name text (or "*.*") with ".TB3".
    static std::string InitialSaveName(const std::string& nameText);
    // After a successful save to `path`: the folder and the table's name
    // become the file's, and the table is no longer modified.
    void Saved(const std::string& path);

private:
    RowFields ShowRow(int slot) const;
    void CommitRow(int slot, const RowFields& row, const RowFields& shown);

    InterestRateTable m_table;
    std::string m_folder;
    int m_topRow = 0;
    bool m_modified = false;
    EditFields m_shown;
};

// Folder part of a path, up to and including its last "/" ("" when none).
std::string FolderOf(const std::string& path);
// The part after the last "/".
std::string FileNameOf(const std::string& path);

}  // namespace tableedit
