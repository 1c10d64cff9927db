// Test helpers: a scratch folder removed at the end of the test, and a way to
// run the real qrtcalc program on files in it, capturing its exit status,
// standard output and standard error.
#pragma once

#include <string>
#include <vector>

#include "calendar/Date.h"

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // Writes text to name inside the folder and returns the file's path.
    std::string Write(const std::string& name, const std::string& text) const;
    // Saves NAME.TB3 in the folder: one Daily entry from start at 8 % normal,
    // 9.6 % motivated and 7 % refund with the days-per-year code dpy. Returns
    // 1 when saved.
    int SaveRateTable(const std::string& name, Date start, int dpy, const char* description = "",
                      Date end = Date()) const;

private:
    std::string m_path;
};

struct ProgramRun {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs qrtcalc with args, output captured in folder. QRT_ENGINE_DIR is set to
// engineDir, or removed when engineDir is empty (so the program must find its
// shipped data by itself). The program runs in workDir when one is given,
// else in the test's own current folder. Standard input is the file stdinPath
// when given.
ProgramRun RunQrtcalc(const std::vector<std::string>& args, const ScratchFolder& folder,
                      const std::string& engineDir = "", const std::string& workDir = "",
                      const std::string& stdinPath = "");
