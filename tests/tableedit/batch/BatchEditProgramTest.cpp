// qrt_batchedit, the program: its exit status for each way a run ends, the
// duplicate question answered No or, with --yes, Yes, and the messages on
// standard error.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "ScratchFolder.h"

namespace {

struct ProgramRun {
    int status;
    std::string err;
};

ProgramRun RunBatchEdit(const ScratchFolder& dir, const std::string& args) {
    const std::string errFile = dir.File("stderr.txt");
    const std::string command =
        std::string("'") + QRT_BATCHEDIT + "' " + args + " 2>'" + errFile + "' >/dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(errFile)};
}

TEST(BatchEditProgram, ExitStatusSaysHowTheRunEnded) {
    const std::string line = "A.TB3,,01-01-2024,Daily,8,8,8,366\n";
    const struct {
        const char* args;  // "cmd.csv" stands for the command file's path
        std::string lines;
        int status;
        const char* says;
    } cases[] = {
        {"cmd.csv", line, 0, "Batch-mode edit done. Backup copies are in folder "},
        {"cmd.csv", line + line, 1, "Duplicating entry in table A.TB3.  Save anyway? [No]"},
        {"--yes cmd.csv", line + line, 0, "Save anyway? [Yes]"},
        {"cmd.csv", line + "A.TB3,,01-01-2025,Daily,8,8,8,360\n", 1,
         "Invalid days per year: 360 in Line 3"},
        {"", "", 2, "Expected batch file name missing."},
        {"missing.csv", "", 2, "Backup creation failed.  Batch Edit aborted."},
        {"a.csv b.csv", "", 2, "usage: "},
    };
    for (const auto& c : cases) {
        ScratchFolder dir;
        WriteBytes(dir.File("cmd.csv"), "heading\n" + c.lines);
        std::string args = c.args;
        const size_t at = args.find("cmd.csv");
        if (at != std::string::npos) args.replace(at, 7, "'" + dir.File("cmd.csv") + "'");
        const ProgramRun run = RunBatchEdit(dir, args);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.args << "\n" << run.err;
        // A run that did not end well leaves no table behind.
        EXPECT_EQ(std::filesystem::exists(dir.File("A.TB3")), c.status == 0) << c.args;
    }
}

}  // namespace
