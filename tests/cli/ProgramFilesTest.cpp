// qrtcalc writes nothing but its output: run from an empty folder, and with a
// read-only copy of the data folder as engine folder and current folder, it
// leaves every file as it was (no engine INI, no alias log, no rewritten
// settings), and the shipped data folder it finds by itself stays unchanged.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "RunQrtcalc.h"

namespace {

namespace fs = std::filesystem;

// Every file below root: its contents and modification time.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        const auto stamp = fs::last_write_time(entry.path()).time_since_epoch().count();
        files[fs::relative(entry.path(), root).string()] = std::to_string(stamp) + "\n" + text.str();
    }
    return files;
}

void SetWritable(const std::string& root, bool writable) {
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        fs::permissions(entry.path(), write, writable ? fs::perm_options::add : fs::perm_options::remove);
    fs::permissions(root, write, writable ? fs::perm_options::add : fs::perm_options::remove);
}

const std::string kExample = std::string(QRT_SOURCE_DIR) + "/examples/late-payment.json";

TEST(QrtcalcFiles, RunFromAnEmptyFolderWritesNothing) {
    ScratchFolder output, empty;
    const auto shipped = Snapshot(QRT_DATA_DIR);
    for (const char* option : {"--json", "--help"}) {
        ProgramRun run = RunQrtcalc({option, kExample}, output, "", empty.Path());
        EXPECT_EQ(run.status, 0) << run.err;
    }
    EXPECT_TRUE(fs::is_empty(empty.Path())) << Snapshot(empty.Path()).begin()->first;
    EXPECT_EQ(Snapshot(QRT_DATA_DIR), shipped);
}

TEST(QrtcalcFiles, ReadOnlyDataFolderStaysAsItWas) {
    ScratchFolder output, data;
    fs::copy(QRT_DATA_DIR, data.Path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    // Times well in the past, so that a rewrite shows even on a coarse clock.
    for (const auto& entry : fs::recursive_directory_iterator(data.Path()))
        if (entry.is_regular_file())
            fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(24));
    SetWritable(data.Path(), false);
    const auto before = Snapshot(data.Path());
    ASSERT_TRUE(before.count("qrtDLL.INI") && before.count("FEDERAL.TB3"));
    ProgramRun run = RunQrtcalc({"--json", kExample}, output, data.Path(), data.Path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Snapshot(data.Path()), before);
    SetWritable(data.Path(), true);
}

}  // namespace
