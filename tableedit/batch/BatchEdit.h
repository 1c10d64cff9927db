// CBatchEdit: the editor's batch edit. A CSV command file (BatchCommandFile.h)
// adds one entry to one table file per line; every table it names is backed
// up first (BatchBackup.h), the lines are applied in order, each to a fresh
// read of its table that is saved at once, and when any line is wrong every
// table is restored as it was before the run.
//
// Every message and the duplicate question go through EditorPrompts: the
// editor's dialogs show them, qrt_batchedit writes them to standard error.
// One run at a time; the object holds no table between runs.
// Tests: the command file cases of the user guide on real files (heading
// only, a bad name with its message and the restore, a new table deleted
// again, method and days-per-year codes, notes lines, two runs in one
// second), a read-only table whose save fails, a table on several lines.
#pragma once

#include <string>

#include "BatchBackup.h"
#include "BatchCommandFile.h"
#include "EditorPrompts.h"

namespace tableedit {

// How a run ended; the values are qrt_batchedit's exit status.
enum class BatchResult {
    Done = 0,               // every line applied; the backup stays
    Restored = 1,           // a line failed; every table is as before the run
    NotTouched = 2,         // no file name, or no backup: no table was touched
    RestoreIncomplete = 3,  // a line failed and some table could not be put
                            // back; the backup folder is kept
};

class CBatchEdit {
public:
    explicit CBatchEdit(EditorPrompts& prompts);

    // Replaces the clock that names the backup folder (tests).
    void SetClock(BatchClock clock) { m_clock = std::move(clock); }

    // Runs the command file folder + fileName. The folder gets a trailing
    // "/" (an empty one is the current folder, "./"); the file name loses
    // its double quotes and the blanks at both ends.
    BatchResult Run(const std::string& folder, const std::string& fileName);

    // The run folder of the backup made by the last Run, ending in "/";
    // empty when none was made.
    const std::string& BackupFolder() const { return m_backupFolder; }

private:
    // Applies one line to its table and saves the table. Returns 1, or 0
    // after showing why (a declined duplicate shows only the question).
    int EditLine(const std::string& folder, const BatchLine& line);
    int LineError(const BatchLineError& err);

    EditorPrompts& m_prompts;
    BatchClock m_clock;
    std::string m_backupFolder;
};

// The command file text of the editor's "-B" option (or qrt_batchedit's
// argument) split into folder and file name: double quotes removed, blanks
// trimmed at both ends, the folder part up to and including the last "/".
void SplitBatchCommandPath(const std::string& text, std::string* folder, std::string* fileName);

}  // namespace tableedit
