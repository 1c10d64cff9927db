// The batch edit on real files in a scratch folder: what the tables hold
// after a run, the exact messages in their order, and that after any failure
// every table is byte for byte as it was (new tables gone again).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BatchEdit.h"
#include "ScratchFolder.h"
#include "ScriptedPrompts.h"
#include "ratetable/InterestRateTable.h"

namespace {

using tableedit::BatchResult;
using tableedit::CBatchEdit;
namespace fs = std::filesystem;

const char kHeading[] = "Table,End,Start,Method,N,M,R,DPY,Desc,Notes\n";
const char kRestoring[] =
    "Error encountered.  Tables will be restored from backup copies.\n"
    "Correct errors in .CSV and try again.";
// 9 December 2026 01:45:00 UTC; with TZ=UTC0 its stamp is 261209-014500.
const std::time_t kRunTime = 1796780700;

// Every file below the folder (path relative to it) with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        if (e.is_regular_file())
            files[fs::relative(e.path(), folder).string()] = ReadBytes(e.path().string());
    }
    return files;
}

class BatchEdit : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
        batch.SetClock([] { return kRunTime; });
    }

    std::string Dir() const { return dir.Path() + "/"; }

    // A table of `count` entries a day apart from 1 January 2023, Daily at 7 %.
    void MakeTable(const std::string& name, int count = 1) {
        InterestRateTable t;
        for (int i = 0; i < count; ++i) {
            t.SetStartingDate(i, Date(1, 1, 2023).AddDays(i));
            t.SetMethod(i, kDaily);
            t.SetNRate(i, 7);
            t.SetMRate(i, 7);
            t.SetRRate(i, 7);
            t.SetDPY(i, 365);
        }
        std::string path = dir.File(name);
        ASSERT_EQ(t.Save(path), 1);
    }

    BatchResult RunLines(const std::string& body) {
        WriteBytes(dir.File("cmd.csv"), kHeading + body);
        return batch.Run(dir.Path(), "cmd.csv");
    }

    InterestRateTable Read(const std::string& name) {
        InterestRateTable t;
        EXPECT_EQ(t.Read(dir.File(name), 0, 0), 1) << name;
        return t;
    }

    // The folder's files but the command file and the backups.
    std::map<std::string, std::string> Tables() const {
        auto files = Snapshot(dir.Path());
        std::erase_if(files, [](const auto& f) {
            return f.first == "cmd.csv" || f.first.rfind("Backup/", 0) == 0;
        });
        return files;
    }

    ScratchFolder dir;
    ScriptedPrompts prompts;
    CBatchEdit batch{prompts};
};

TEST_F(BatchEdit, OnlyTheHeadingChangesNothingAndTwoRunsInOneSecondGetTwoFolders) {
    MakeTable("A.TB3");
    const auto before = Tables();
    WriteBytes(dir.File("cmd.csv"), "Table File,Table End Date,Rate Start Date\n");
    EXPECT_EQ(batch.Run(dir.Path(), "cmd.csv"), BatchResult::Done);
    EXPECT_EQ(batch.Run(dir.Path(), "cmd.csv"), BatchResult::Done);
    EXPECT_EQ(prompts.messages,
              (std::vector<std::string>{
                  "Batch-mode edit done. Backup copies are in folder " + Dir() +
                      "Backup/261209-014500.",
                  "Batch-mode edit done. Backup copies are in folder " + Dir() +
                      "Backup/261209-014500-1."}));
    EXPECT_TRUE(fs::is_empty(Dir() + "Backup/261209-014500"));
    EXPECT_TRUE(fs::is_empty(batch.BackupFolder()));
    EXPECT_EQ(Tables(), before);

    // A clock that has moved on when it is read again gives that second.
    const std::time_t times[] = {kRunTime, kRunTime + 1};
    int calls = 0;
    std::string run, message;
    ASSERT_EQ(tableedit::MakeBackupRunFolder(Dir(), [&] { return times[calls++ % 2]; }, &run,
                                             &message), 1) << message;
    EXPECT_EQ(run, Dir() + "Backup/261209-014501/");
}

TEST_F(BatchEdit, AFailingLineRestoresEveryTableAndDeletesTheNewOnes) {
    MakeTable("A.TB3");
    MakeTable("RO.TB3");
    ASSERT_EQ(chmod(dir.File("RO.TB3").c_str(), 0444), 0);
    MakeTable("FULL.TB3", InterestRateTable::kMaxEntries);
    WriteBytes(dir.File("BAD.TB3"), "not a table");
    const auto before = Tables();
    const std::string earlier = "NEWTABLE.TB3,,01-01-2025,Daily,6.5,6.5,6.5,365\n"
                                "A.TB3,,01-01-2025,Daily,7.5,7.5,7.5,365\n";
    const struct {
        std::string lines;
        const char* failing;  // the last line
        const char* message;  // shown first, before the restore message
    } cases[] = {
        {"", "IL 2005.TXT,,01-01-2005,Daily,5,5,5,365",
         "Invalid table file name: IL 2005.TXT in Line 2\n\n"},
        {"NEWTABLE.TB3,,01-01-2025,Daily,6.5,6.5,6.5,365\n",
         "NEWTABLE.TB3,,04-01-2025,Daily,\"8,5\",8,8,365", "Invalid Normal Underpay Rate: 8,5 in Line 3\n\n"},
        {earlier, "RO.TB3,,01-01-2025,Daily,7,7,7,365",
         "Table not saved (error 13, Permission denied): RO.TB3 in Line 4\n\n"},
        {earlier, "FULL.TB3,,01-01-2025,Daily,5,5,5,365",
         "Table full (500 entries at most): FULL.TB3 in Line 4\n\n"},
        {earlier, "A.TB3,,01-01-2024,Daily,5,5,5,366",
         "Rate start date before the previous entry's: 01-01-2024 in Line 4\n\n"},
        {earlier, "BAD.TB3,,01-01-2024,Daily,5,5,5,366",
         "Table file is not a readable rate table: BAD.TB3 in Line 4\n\n"},
        // The duplicate question, answered No.
        {earlier, "A.TB3,,01-01-2025,Daily,7.5,7.5,7.5,365",
         "Duplicating entry in table A.TB3.  Save anyway?"},
    };
    for (const auto& c : cases) {
        // When the failure shows, the earlier lines' tables are saved.
        bool newTableMade = false;
        prompts.onMessage = [&](const std::string& text) {
            if (text != kRestoring) newTableMade = fs::exists(dir.File("NEWTABLE.TB3"));
        };
        prompts.messages.clear();
        EXPECT_EQ(RunLines(c.lines + c.failing + "\n"), BatchResult::Restored) << c.failing;
        const bool question = std::string(c.message).find("Save anyway?") != std::string::npos;
        const std::string first = question ? c.message : std::string(c.message) + c.failing;
        EXPECT_EQ(prompts.messages, (std::vector<std::string>{first, kRestoring}));
        EXPECT_EQ(newTableMade, !c.lines.empty()) << c.failing;
        EXPECT_EQ(Tables(), before) << c.failing;
        EXPECT_TRUE(fs::is_empty(Dir() + "Backup")) << c.failing;
    }
}

TEST_F(BatchEdit, FieldsBecomeMethodDaysPerYearAndNotesOfTheTable) {
    const struct {
        const char* line;
        const char* table;
        int method;
        int dpy;
        const char* notes;
    } cases[] = {
        {"M3.TB3,,01-01-2025,Monthly (whole months),5,5,5,365", "M3.TB3", 3, 365, ""},
        {"M5.TB3,,01-01-2025,monthlywm,5,5,5,365", "M5.TB3", 5, 365, ""},
        {"Q.TB3,,01-01-2025,Daily,5,5,5,365.25", "Q.TB3", 2, 100, ""},
        {"N.TB3,,01-01-2024,Simple,5,5,5,366,,Line one\\nLine two", "N.TB3", 1, 366,
         "Line one\r\nLine two"},
    };
    std::string body;
    for (const auto& c : cases) body += std::string(c.line) + "\n";
    ASSERT_EQ(RunLines(body), BatchResult::Done) << prompts.messages.back();
    for (const auto& c : cases) {
        InterestRateTable t = Read(c.table);
        EXPECT_EQ(t.GetMethod(0), c.method) << c.line;
        EXPECT_EQ(t.GetDPY(0), c.dpy) << c.line;
        EXPECT_EQ(t.TableNotes(), c.notes) << c.line;
        EXPECT_EQ(t.GetHeader()->m_version, c.dpy == 100 ? 5 : 4) << c.line;
    }
}

TEST_F(BatchEdit, ATableOnSeveralLinesGetsAllItsEntriesInLineOrder) {
    MakeTable("A.TB3");
    prompts.answers = {tableedit::EditorPrompts::Answer::Yes};
    ASSERT_EQ(RunLines("A.TB3,12-31-2025,01-01-2024,Daily,8,9.6,8,366,Rates A,One\\nTwo\n"
                       "B.TB3,,01-01-2024,Simple,6,6,6,366\n"
                       "a.tb3,,01-01-2024,Simple,1,1,1,366\n"  // another file: names keep case
                       "A.tb3,,01-01-2025,Daily,9,10.8,9,365\n"
                       "A.TB3,06-30-2026,01-01-2025,Daily,6,7.2,6,365\n"  // a date twice is fine
                       "A.TB3,,01-01-2025,Daily,6,7.2,6,365\n"),  // a duplicate, kept: Yes
              BatchResult::Done);
    EXPECT_EQ(prompts.messages.front(), "Duplicating entry in table A.TB3.  Save anyway?");
    InterestRateTable a = Read("A.TB3");
    EXPECT_EQ(a.GetHeader()->m_entryCount, 5);
    const double normal[] = {7, 8, 9, 6, 6};
    const Date start[] = {Date(1, 1, 2023), Date(1, 1, 2024), Date(1, 1, 2025), Date(1, 1, 2025),
                          Date(1, 1, 2025)};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a.GetNRate(i), normal[i]) << i;
        EXPECT_EQ(a.GetStartingDate(i), start[i]) << i;
    }
    EXPECT_EQ(a.TableEndDate(), Date(6, 30, 2026));  // the later line's end date
    EXPECT_STREQ(a.Description(), "Rates A");        // kept where later lines say nothing
    EXPECT_EQ(a.TableNotes(), "One\r\nTwo");
    EXPECT_EQ(Read("a.TB3").GetNRate(0), 1.0);
    // The backup holds A.TB3 as it was before the run, once, and markers for
    // the two tables that did not exist.
    const auto backup = Snapshot(batch.BackupFolder());
    EXPECT_EQ(backup.size(), 3u);
    EXPECT_EQ(backup.count("B.DEL") + backup.count("a.DEL"), 2u);
    InterestRateTable old;
    ASSERT_EQ(old.Read(batch.BackupFolder() + "A.TB3", 0, 0), 1);
    EXPECT_EQ(old.GetHeader()->m_entryCount, 1);
}

TEST_F(BatchEdit, WithoutABackupNothingIsTouched) {
    MakeTable("A.TB3");
    const std::string body = "A.TB3,,01-01-2025,Daily,7,7,7,365\nDIR.TB3,,01-01-2025,Daily,7,7,7,365\n";
    WriteBytes(dir.File("cmd.csv"), kHeading + body);
    const std::string copyFailed = "CopyFile(" + Dir() + "DIR.TB3, " + Dir() +
                                   "Backup/261209-014500/DIR.TB3) failed with error 21. Files in "
                                   "folder " + Dir() + "Backup/261209-014500 must be deleted "
                                   "manually.";
    const std::string aborted = "Backup creation failed.  Batch Edit aborted.";
    const struct {
        const char* what;
        std::string fileName;
        std::function<void()> setUp;
        std::vector<std::string> messages;
        bool runFolderLeft;
    } cases[] = {
        {"no file name", " \"\" ", [] {}, {"Expected batch file name missing."}, false},
        {"no command file", "missing.csv", [] {}, {"Batch file open failed with error 2", aborted},
         false},
        {"Backup is a file", "cmd.csv", [&] { WriteBytes(dir.File("Backup"), "x"); },
         {"CreateDirectory(" + Dir() + "Backup) failed with error 17", aborted}, false},
        {"a table is a folder", "cmd.csv", [&] { fs::create_directory(dir.File("DIR.TB3")); },
         {copyFailed, aborted}, true},
    };
    const std::string oldA = ReadBytes(dir.File("A.TB3"));
    for (const auto& c : cases) {
        c.setUp();
        prompts.messages.clear();
        EXPECT_EQ(batch.Run(dir.Path(), c.fileName), BatchResult::NotTouched) << c.what;
        EXPECT_EQ(prompts.messages, c.messages) << c.what;
        EXPECT_EQ(ReadBytes(dir.File("A.TB3")), oldA) << c.what;
        EXPECT_EQ(fs::is_directory(dir.File("Backup/261209-014500")), c.runFolderLeft) << c.what;
        std::error_code ec;
        fs::remove_all(dir.File("Backup"), ec);
        fs::remove_all(dir.File("DIR.TB3"), ec);
    }
}

TEST_F(BatchEdit, ATableThatCannotBePutBackKeepsTheWholeBackup) {
    MakeTable("A.TB3");
    MakeTable("B.TB3");
    const std::string oldB = ReadBytes(dir.File("B.TB3"));
    // When the bad line is reported, A.TB3 is turned into a folder with a
    // file in it, which no copy can replace.
    prompts.onMessage = [&](const std::string& text) {
        if (text.rfind("Invalid", 0) != 0) return;
        fs::remove(dir.File("A.TB3"));
        fs::create_directory(dir.File("A.TB3"));
        WriteBytes(dir.File("A.TB3/inside"), "x");
    };
    EXPECT_EQ(RunLines("A.TB3,,01-01-2025,Daily,7.5,7.5,7.5,365\n"
                       "B.TB3,,01-01-2025,Daily,7.5,7.5,7.5,365\n"
                       "NEW.TB3,,01-01-2025,Daily,7,7,7,365\n"
                       "NEW.TB3,,01-01-2026,Daily,x,7,7,365\n"),
              BatchResult::RestoreIncomplete);
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_EQ(prompts.messages[1], kRestoring);
    const std::string run = Dir() + "Backup/261209-014500";
    EXPECT_EQ(prompts.messages[2], "These tables could not be restored:\n" + Dir() +
                                       "A.TB3 (error 21)\nTheir backup copies are kept in folder " +
                                       run + ".");
    // Every other table is back, and the backup is whole.
    EXPECT_EQ(ReadBytes(dir.File("B.TB3")), oldB);
    EXPECT_FALSE(fs::exists(dir.File("NEW.TB3")));
    const auto backup = Snapshot(run);
    EXPECT_EQ(backup.size(), 3u);
    EXPECT_EQ(backup.count("A.TB3") + backup.count("B.TB3") + backup.count("NEW.DEL"), 3u);
}

TEST(BatchCommandPath, QuotesAndBlanksGoAndTheFolderEndsAtTheLastSlash) {
    const struct {
        const char* text;
        const char* folder;
        const char* file;
    } cases[] = {
        {" \"/srv/Batch Files/edit.csv\" ", "/srv/Batch Files/", "edit.csv"},
        {"edit.csv", "", "edit.csv"},
        {"/srv/tables/", "/srv/tables/", ""},
        {"  ", "", ""},
    };
    for (const auto& c : cases) {
        std::string folder, file;
        tableedit::SplitBatchCommandPath(c.text, &folder, &file);
        EXPECT_EQ(folder, c.folder) << c.text;
        EXPECT_EQ(file, c.file) << c.text;
    }
}

}  // namespace
