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
#include <set>
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

    // A table file of one entry per start date, rates = the given percent.
    void MakeTable(const std::string& name, const std::vector<std::pair<Date, double>>& entries) {
        InterestRateTable t;
        for (size_t i = 0; i < entries.size(); ++i) {
            t.SetStartingDate(static_cast<int>(i), entries[i].first);
            t.SetMethod(static_cast<int>(i), kDaily);
            t.SetNRate(static_cast<int>(i), entries[i].second);
            t.SetMRate(static_cast<int>(i), entries[i].second);
            t.SetRRate(static_cast<int>(i), entries[i].second);
            t.SetDPY(static_cast<int>(i), 365);
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

    ScratchFolder dir;
    ScriptedPrompts prompts;
    CBatchEdit batch{prompts};
};

TEST_F(BatchEdit, OnlyTheHeadingChangesNothingAndReportsSuccess) {
    MakeTable("A.TB3", {{Date(1, 1, 2024), 8}});
    const auto before = Snapshot(dir.Path());
    WriteBytes(dir.File("cmd.csv"), "Table File,Table End Date,Rate Start Date\n");
    EXPECT_EQ(batch.Run(dir.Path(), "cmd.csv"), BatchResult::Done);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Batch-mode edit done. Backup copies are "
                                                         "in folder " + Dir() +
                                                         "Backup/261209-014500."});
    EXPECT_EQ(batch.BackupFolder(), Dir() + "Backup/261209-014500/");
    EXPECT_TRUE(fs::is_empty(batch.BackupFolder()));
    auto after = Snapshot(dir.Path());
    after.erase("cmd.csv");
    EXPECT_EQ(after, (std::map<std::string, std::string>{{"A.TB3", before.at("A.TB3")}}));
}

TEST_F(BatchEdit, AnInvalidTableFileNameIsReportedAndEveryTableRestored) {
    MakeTable("A.TB3", {{Date(1, 1, 2024), 8}});
    const auto before = Snapshot(dir.Path());
    EXPECT_EQ(RunLines("IL 2005.TXT,,01-01-2005,Daily,5,5,5,365\n"
                       "A.TB3,,01-01-2025,Daily,7,7,7,365\n"),
              BatchResult::Restored);
    EXPECT_EQ(prompts.messages,
              (std::vector<std::string>{"Invalid table file name: IL 2005.TXT in Line 2\n\n"
                                        "IL 2005.TXT,,01-01-2005,Daily,5,5,5,365",
                                        kRestoring}));
    auto after = Snapshot(dir.Path());
    after.erase("cmd.csv");
    EXPECT_EQ(after, before);  // the backup of A.TB3 is gone with its folder
    EXPECT_TRUE(fs::is_empty(Dir() + "Backup"));
}

TEST_F(BatchEdit, ANewTableMadeByAnEarlierLineIsDeletedByTheRestore) {
    bool madeWhenRefused = false;
    prompts.onMessage = [&](const std::string& text) {
        if (text.rfind("Invalid Normal Underpay Rate", 0) == 0)
            madeWhenRefused = Read("NEWTABLE.TB3").GetNRate(0) == 6.5;
    };
    EXPECT_EQ(RunLines("NEWTABLE.TB3,,01-01-2025,Daily,6.5,6.5,6.5,365\n"
                       "NEWTABLE.TB3,,04-01-2025,Daily,\"8,5\",8,8,365\n"),
              BatchResult::Restored);
    EXPECT_TRUE(madeWhenRefused);
    EXPECT_EQ(prompts.messages,
              (std::vector<std::string>{"Invalid Normal Underpay Rate: 8,5 in Line 3\n\n"
                                        "NEWTABLE.TB3,,04-01-2025,Daily,\"8,5\",8,8,365",
                                        kRestoring}));
    EXPECT_FALSE(fs::exists(dir.File("NEWTABLE.TB3")));
    EXPECT_TRUE(fs::is_empty(Dir() + "Backup"));
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
    MakeTable("A.TB3", {{Date(1, 1, 2023), 7}});
    ASSERT_EQ(RunLines("A.TB3,12-31-2025,01-01-2024,Daily,8,9.6,8,366,Rates A,One\\nTwo\n"
                       "B.TB3,,01-01-2024,Simple,6,6,6,366\n"
                       "a.tb3,,01-01-2024,Simple,1,1,1,366\n"  // another file: names keep case
                       "A.tb3,,01-01-2025,Daily,9,10.8,9,365\n"
                       "A.TB3,06-30-2026,01-01-2025,Daily,6,7.2,6,365\n"),  // a date twice is fine
              BatchResult::Done);
    InterestRateTable a = Read("A.TB3");
    EXPECT_EQ(a.GetHeader()->m_entryCount, 4);
    const double normal[] = {7, 8, 9, 6};
    const Date start[] = {Date(1, 1, 2023), Date(1, 1, 2024), Date(1, 1, 2025), Date(1, 1, 2025)};
    for (int i = 0; i < 4; ++i) {
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

TEST_F(BatchEdit, ASaveThatFailsIsAnErrorAndEveryTableIsRestored) {
    MakeTable("A.TB3", {{Date(1, 1, 2023), 7}});
    MakeTable("RO.TB3", {{Date(1, 1, 2023), 7}});
    ASSERT_EQ(chmod(dir.File("RO.TB3").c_str(), 0444), 0);
    const auto before = Snapshot(dir.Path());
    const std::string roLine = "RO.TB3,,01-01-2025,Daily,7,7,7,365";
    EXPECT_EQ(RunLines("NEW.TB3,,01-01-2025,Daily,7,7,7,365\n"
                       "A.TB3,,01-01-2025,Daily,7.5,7.5,7.5,365\n" + roLine + "\n"),
              BatchResult::Restored);
    EXPECT_EQ(prompts.messages,
              (std::vector<std::string>{"Table not saved (error 13, Permission denied): RO.TB3 "
                                        "in Line 4\n\n" + roLine,
                                        kRestoring}));
    auto after = Snapshot(dir.Path());
    after.erase("cmd.csv");
    EXPECT_EQ(after, before);
}

TEST_F(BatchEdit, TheDuplicateQuestionDecidesWhetherTheRunGoesOn) {
    const std::string line = "A.TB3,,01-01-2024,Daily,8,8,8,366";
    for (auto answer : {tableedit::EditorPrompts::Answer::No, tableedit::EditorPrompts::Answer::Yes}) {
        MakeTable("A.TB3", {});
        ScriptedPrompts p;
        p.answers = {answer};
        CBatchEdit b(p);
        WriteBytes(dir.File("cmd.csv"), kHeading + line + "\n" + line + "\n");
        const BatchResult result = b.Run(dir.Path(), "cmd.csv");
        ASSERT_GE(p.messages.size(), 2u);
        EXPECT_EQ(p.messages[0], "Duplicating entry in table A.TB3.  Save anyway?");
        if (answer == tableedit::EditorPrompts::Answer::No) {
            EXPECT_EQ(result, BatchResult::Restored);
            EXPECT_EQ(p.messages[1], kRestoring);
            EXPECT_EQ(Read("A.TB3").GetHeader()->m_entryCount, 0);
        } else {
            EXPECT_EQ(result, BatchResult::Done);
            EXPECT_EQ(Read("A.TB3").GetHeader()->m_entryCount, 2);
        }
        fs::remove_all(Dir() + "Backup");
    }
}

TEST_F(BatchEdit, LinesThatWouldSpoilTheirTableAreRefused) {
    InterestRateTable full;
    for (int i = 0; i < InterestRateTable::kMaxEntries; ++i) {
        full.SetStartingDate(i, Date(1, 1, 1954).AddDays(i));
        full.SetDPY(i, 365);
    }
    std::string fullPath = dir.File("FULL.TB3");
    ASSERT_EQ(full.Save(fullPath), 1);
    MakeTable("A.TB3", {{Date(7, 1, 2024), 7}});
    WriteBytes(dir.File("BAD.TB3"), "not a table");
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"FULL.TB3,,01-01-2025,Daily,5,5,5,365", "Table full (500 entries at most): FULL.TB3"},
        {"A.TB3,,01-01-2024,Daily,5,5,5,366",
         "Rate start date before the previous entry's: 01-01-2024"},
        {"BAD.TB3,,01-01-2024,Daily,5,5,5,366",
         "Table file is not a readable rate table: BAD.TB3"},
    };
    const auto before = Snapshot(dir.Path());
    for (const auto& c : cases) {
        prompts.messages.clear();
        EXPECT_EQ(RunLines(std::string("NEW.TB3,,01-01-2025,Daily,7,7,7,365\n") + c.line + "\n"),
                  BatchResult::Restored);
        ASSERT_EQ(prompts.messages.size(), 2u);
        EXPECT_EQ(prompts.messages[0], std::string(c.message) + " in Line 3\n\n" + c.line);
        auto after = Snapshot(dir.Path());
        after.erase("cmd.csv");
        EXPECT_EQ(after, before) << c.line;
    }
}

TEST_F(BatchEdit, WithoutABackupNothingIsTouched) {
    MakeTable("A.TB3", {{Date(1, 1, 2023), 7}});
    const std::string body = "A.TB3,,01-01-2025,Daily,7,7,7,365\nDIR.TB3,,01-01-2025,Daily,7,7,7,365\n";
    WriteBytes(dir.File("cmd.csv"), kHeading + body);
    const std::string copyFailed = "CopyFile(" + Dir() + "DIR.TB3, " + Dir() +
                                   "Backup/261209-014500/DIR.TB3) failed with error 21. Files in "
                                   "folder " + Dir() + "Backup/261209-014500 must be deleted "
                                   "manually.";
    const struct {
        const char* what;
        std::string fileName;
        std::function<void()> setUp;
        std::string message;  // shown before "Backup creation failed..."
        bool runFolderLeft;
    } cases[] = {
        {"no file name", " \"\" ", [] {}, "Expected batch file name missing.", false},
        {"no command file", "missing.csv", [] {}, "Batch file open failed with error 2", false},
        {"Backup is a file", "cmd.csv", [&] { WriteBytes(dir.File("Backup"), "x"); },
         "CreateDirectory(" + Dir() + "Backup) failed with error 17", false},
        {"a table is a folder", "cmd.csv", [&] { fs::create_directory(dir.File("DIR.TB3")); },
         copyFailed, true},
    };
    for (const auto& c : cases) {
        c.setUp();
        const std::string oldA = ReadBytes(dir.File("A.TB3"));
        prompts.messages.clear();
        EXPECT_EQ(batch.Run(dir.Path(), c.fileName), BatchResult::NotTouched) << c.what;
        ASSERT_FALSE(prompts.messages.empty()) << c.what;
        EXPECT_EQ(prompts.messages[0], c.message) << c.what;
        EXPECT_EQ(prompts.messages.size(), c.fileName == "cmd.csv" || c.fileName == "missing.csv"
                                               ? 2u
                                               : 1u)
            << c.what;
        if (prompts.messages.size() > 1) {
            EXPECT_EQ(prompts.messages[1], "Backup creation failed.  Batch Edit aborted.");
        }
        EXPECT_EQ(ReadBytes(dir.File("A.TB3")), oldA) << c.what;
        EXPECT_EQ(fs::is_directory(dir.File("Backup/261209-014500")), c.runFolderLeft) << c.what;
        std::error_code ec;
        fs::remove_all(dir.File("Backup"), ec);
        fs::remove_all(dir.File("DIR.TB3"), ec);
    }
}

TEST_F(BatchEdit, TwoRunsInTheSameSecondGetTwoBackupFolders) {
    WriteBytes(dir.File("cmd.csv"), "heading only\n");
    ASSERT_EQ(batch.Run(dir.Path(), "cmd.csv"), BatchResult::Done);
    const std::string first = batch.BackupFolder();
    ASSERT_EQ(batch.Run(dir.Path(), "cmd.csv"), BatchResult::Done);
    EXPECT_EQ(first, Dir() + "Backup/261209-014500/");
    EXPECT_EQ(batch.BackupFolder(), Dir() + "Backup/261209-014500-1/");
    EXPECT_TRUE(fs::is_directory(first));
    EXPECT_TRUE(fs::is_directory(batch.BackupFolder()));

    // A clock that has moved on when it is read again gives that second.
    std::time_t times[] = {kRunTime, kRunTime + 1};
    int calls = 0;
    std::string run, message;
    ASSERT_EQ(tableedit::MakeBackupRunFolder(Dir(), [&] { return times[calls++ % 2]; }, &run,
                                             &message),
              1)
        << message;
    EXPECT_EQ(run, Dir() + "Backup/261209-014501/");
}

TEST_F(BatchEdit, ATableThatCannotBePutBackKeepsTheWholeBackup) {
    MakeTable("A.TB3", {{Date(1, 1, 2023), 7}});
    MakeTable("B.TB3", {{Date(1, 1, 2023), 7}});
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
