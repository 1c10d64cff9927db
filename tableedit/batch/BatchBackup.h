// BatchBackup: the backup that a batch edit makes before it changes any
// table, and the restore that puts every table back from it.
//
// A run folder "Backup/yymmdd-HHMMSS/" (local time) under the command file's
// folder holds, for every table the command file names, a copy of the table
// file, or an empty marker "NAME.DEL" when NAME.TB3 did not exist. Folder
// arguments end in "/". Messages are the texts the user sees, ready to show.
// Plain functions on real files; one batch edit at a time per folder.
// Tests: run folder names (a second run in the same second gets a new one),
// copies and markers, the restore deleting new tables and copying the old
// ones back, and a failed copy back keeping the whole backup.
#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace tableedit {

// The clock that names run folders (std::time by default; tests fix it).
using BatchClock = std::function<std::time_t()>;

// "yymmdd-HHMMSS" of t in local time.
std::string BackupStamp(std::time_t t);

// Makes folder + "Backup/" if it is missing, then a new run folder in it
// named by the clock. When that name is taken the clock is read again (a new
// second gives a new name); within the same second "-1", "-2", ... is
// appended, so two runs never share a folder. Returns 1 with the run folder
// (ending in "/") in *runFolder, or 0 with the
// "CreateDirectory(<path>) failed with error <errno>" message in *message.
int MakeBackupRunFolder(const std::string& folder, const BatchClock& clock,
                        std::string* runFolder, std::string* message);

// Backs up folder + tableFile (a "NAME.TB3" file name) into runFolder: a copy
// when the file exists, else the empty marker NAME.DEL. Returns 1, or 0 with
// the CopyFile or CreateFile message in *message.
int BackUpTable(const std::string& folder, const std::string& runFolder,
                const std::string& tableFile, std::string* message);

// Puts every table of folder back as runFolder holds it: a marker NAME.DEL
// deletes NAME.TB3, any other file is copied back over the table of that name
// (through a temporary file renamed into place). Only when every table is
// back are the backup files deleted and the run folder removed (a failure to
// remove them is not reported); otherwise nothing of the backup is deleted
// and 0 is returned with a message naming the tables not restored.
int RestoreFromBackup(const std::string& runFolder, const std::string& folder,
                      std::string* message);

}  // namespace tableedit
