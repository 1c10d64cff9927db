#include "BatchEdit.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <vector>

#include "ratetable/InterestRateTable.h"

namespace tableedit {

namespace {

const char kNoFileName[] = "Expected batch file name missing.";
const char kBackupFailed[] = "Backup creation failed.  Batch Edit aborted.";
const char kRestoring[] =
    "Error encountered.  Tables will be restored from backup copies.\n"
    "Correct errors in .CSV and try again.";

std::string WithoutQuotesTrimmed(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (c != '"') s += c;
    }
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

int LeadingValidEntries(const InterestRateTable& t) {
    int n = 0;
    while (n < InterestRateTable::kMaxEntries && t.GetStartingDate(n).isValid()) ++n;
    return n;
}

std::string DateText(Date d) {
    char buf[11];
    d.ToString(buf, 1);
    return buf;
}

BatchLineError ErrorOf(const BatchLine& line, const std::string& check, const std::string& field) {
    BatchLineError err;
    err.m_check = check;
    err.m_field = field;
    err.m_line = line.m_line;
    err.m_text = line.m_text;
    return err;
}

// A table file that exists with no write permission for anyone is one the
// administrator does not want changed. Save replaces files by renaming, which
// ignores the file's own permission bits (and root ignores them anyway), so
// the batch edit refuses such a table itself.
bool IsReadOnlyFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

CBatchEdit::CBatchEdit(EditorPrompts& prompts)
    : m_prompts(prompts), m_clock([] { return std::time(nullptr); }) {}

BatchResult CBatchEdit::Run(const std::string& folderIn, const std::string& fileNameIn) {
    m_backupFolder.clear();
    std::string folder = folderIn.empty() ? "./" : folderIn;
    if (folder.back() != '/') folder += '/';
    const std::string fileName = WithoutQuotesTrimmed(fileNameIn);
    if (fileName.empty()) {
        m_prompts.Message(kNoFileName);
        return BatchResult::NotTouched;
    }

    const auto noBackup = [this](const std::string& why) {
        m_prompts.Message(why);
        m_prompts.Message(kBackupFailed);
        return BatchResult::NotTouched;
    };

    // The file is read once, before anything is made: the lines applied are
    // then exactly the lines whose tables were backed up.
    std::vector<BatchLine> lines;
    BatchLineError readError;
    if (!ReadBatchLines(folder + fileName, &lines, &readError)) return noBackup(readError.m_check);

    std::string message;
    std::string runFolder;
    if (!MakeBackupRunFolder(folder, m_clock, &runFolder, &message)) return noBackup(message);
    m_backupFolder = runFolder;
    std::set<std::string> backedUp;
    for (const BatchLine& line : lines) {
        // A name that fails the line check is never a file to touch: its line
        // stops the run before anything is done to it.
        const std::string field = SplitBatchFields(line.m_text)[0];
        if (!IsValidBatchTableFile(field)) continue;
        const std::string table = BatchTableFileName(field);
        if (!backedUp.insert(table).second) continue;
        if (!BackUpTable(folder, runFolder, table, &message)) return noBackup(message);
    }

    bool failed = false;
    for (const BatchLine& line : lines) {
        if (!EditLine(folder, line)) {
            failed = true;
            break;
        }
    }
    if (failed) {
        m_prompts.Message(kRestoring);
        if (!RestoreFromBackup(runFolder, folder, &message)) {
            m_prompts.Message(message);
            return BatchResult::RestoreIncomplete;
        }
        return BatchResult::Restored;
    }
    m_prompts.Message("Batch-mode edit done. Backup copies are in folder " +
                      runFolder.substr(0, runFolder.size() - 1) + ".");
    return BatchResult::Done;
}

int CBatchEdit::LineError(const BatchLineError& err) {
    m_prompts.Message(err.Message());
    return 0;
}

int CBatchEdit::EditLine(const std::string& folder, const BatchLine& line) {
    BatchCommand cmd;
    BatchLineError err;
    if (!ParseBatchLine(line.m_text, line.m_line, &cmd, &err)) return LineError(err);

    // A fresh table for every line, read from the file itself (not the
    // cache, which would still hold the table as it was before an earlier
    // line saved it). A missing file is a new table; a file that is there
    // but cannot be read is not replaced.
    std::string path = folder + BatchTableFileName(cmd.m_tableFile);
    InterestRateTable table;
    table.SetTableName(cmd.m_tableFile);
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && !table.Read(path, 1, 0))
        return LineError(ErrorOf(line, "Table file is not a readable rate table", cmd.m_tableFile));

    if (cmd.m_endDate.isValid()) table.SetTableEndDate(cmd.m_endDate);
    if (!cmd.m_description.empty()) table.SetDescription(cmd.m_description.c_str());
    if (!cmd.m_notes.empty()) table.GetHeader()->TableNotes(cmd.m_notes);

    // The entry goes after the stored ones and the table is not re-sorted,
    // so an entry dated before the last one would give the wrong rates to
    // every date between the two: refused, as is a 501st entry.
    const int n = LeadingValidEntries(table);
    if (n >= InterestRateTable::kMaxEntries)
        return LineError(ErrorOf(line, "Table full (500 entries at most)", cmd.m_tableFile));
    if (n > 0 && cmd.m_start < table.GetStartingDate(n - 1))
        return LineError(
            ErrorOf(line, "Rate start date before the previous entry's", DateText(cmd.m_start)));
    IRTU entry;
    entry.m_start = cmd.m_start;
    entry.m_method = static_cast<uint16_t>(cmd.m_method);
    entry.m_dpy = static_cast<uint16_t>(cmd.m_dpy);
    entry.m_normalRate = cmd.m_normalRate;
    entry.m_motivatedRate = cmd.m_motivatedRate;
    entry.m_refundRate = cmd.m_refundRate;
    const int duplicate = table.IsDuplicate(&entry);  // against the stored entries
    *table.GetEntry(n) = entry;
    if (duplicate &&
        m_prompts.Message("Duplicating entry in table " + cmd.m_tableFile + ".  Save anyway?",
                          EditorPrompts::Buttons::YesNo) != EditorPrompts::Answer::Yes)
        return 0;

    int cause = 0;
    if (IsReadOnlyFile(path)) {
        cause = EACCES;
    } else {
        errno = 0;
        if (!table.Save(path)) cause = errno != 0 ? errno : EIO;
    }
    if (cause != 0) {
        return LineError(ErrorOf(line,
                                 "Table not saved (error " + std::to_string(cause) + ", " +
                                     std::strerror(cause) + ")",
                                 cmd.m_tableFile));
    }
    return 1;
}

void SplitBatchCommandPath(const std::string& text, std::string* folder, std::string* fileName) {
    const std::string path = WithoutQuotesTrimmed(text);
    const size_t slash = path.rfind('/');
    *folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    *fileName = slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tableedit
