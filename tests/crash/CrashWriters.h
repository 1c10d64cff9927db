// The writers of the crash tests: every kind of file the system replaces, as
// one row each. The crash-test program (qrt_crash_writer) repeats a row's
// write in a loop until it is killed; the tests (CrashSafetyTest.cpp) prepare
// the folder, kill that program at random moments and check the folder with
// the row's check. Adding a writer is one write function, one check and one
// row of Writers().
#pragma once

#include <string>
#include <vector>

namespace crash {

struct Writer {
    const char* name;
    // Puts the old version of the writer's files into folder (ends in "/"),
    // leaving whatever else an earlier killed run left there. Runs in the
    // test, with QRT_ENGINE_DIR and XDG_DATA_HOME pointing at folder.
    void (*prepare)(const std::string& folder);
    // One write, the n-th of a run (n = 0, 1, ...; even and odd write the two
    // versions in turn). True when the writer reported what a sound write
    // reports. Runs in qrt_crash_writer, with the same environment.
    bool (*write)(const std::string& folder, int n);
    // The folder as a write, a kill or a failed write left it: the name of
    // the complete state found ("old", "new", ...), or nullptr with *why
    // saying what is broken or what the next run would trip over.
    const char* (*check)(const std::string& folder, std::string* why);
    // On a full file system: free space left for this writer (KiB, so that a
    // step before the one under test fits), and whether the write reports the
    // failure (false for a log, whose writer has no caller to tell).
    int spareKiB = 0;
    bool reportsFullDisk = true;
};

const std::vector<Writer>& Writers();
const Writer* FindWriter(const std::string& name);

// Shared by the checks: nullptr with *why when a file of folder with the
// table extension is not one of `tables` or does not read as a table (the
// table listing of the folder would show it).
const char* OnlyTheseTables(const std::string& folder, const std::vector<std::string>& tables,
                            std::string* why);

}  // namespace crash
