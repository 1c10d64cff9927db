// SaveAs and Browse through a scripted user-interaction object, and the
// defaults of the engine's interaction (cancel, No).
#include <gtest/gtest.h>

#include "GoldenTable.h"
#include "ratetable/ScratchFolder.h"
#include "ratetable/InterestRateTable.h"
#include "ratetable/UserInteraction.h"

namespace {

// Answers every file dialog with a fixed choice (or a cancel) and records
// the request it was shown.
class ScriptedInteraction : public CUserInteraction {
public:
    int OpenFileDialog(const CFileDialogRequest& request, std::string& path,
                       std::string& fileName) override {
        return Answer(request, path, fileName);
    }
    int SaveFileDialog(const CFileDialogRequest& request, std::string& path,
                       std::string& fileName) override {
        return Answer(request, path, fileName);
    }

    int confirm = 0;
    std::string chosenPath;
    std::string chosenName;
    CFileDialogRequest lastRequest;
    int asked = 0;

private:
    int Answer(const CFileDialogRequest& request, std::string& path, std::string& fileName) {
        ++asked;
        lastRequest = request;
        if (!confirm) return 0;
        path = chosenPath;
        fileName = chosenName;
        return 1;
    }
};

class TableDialogs : public ::testing::Test {
protected:
    void SetUp() override { m_previous = SetUserInteraction(&ui); }
    void TearDown() override { SetUserInteraction(m_previous); }
    ScriptedInteraction ui;
    ScratchFolder dir;

private:
    CUserInteraction* m_previous = nullptr;
};

const char kFilter[] = "Rate Tables (*.TB3) |*.TB3||All Files|*.*||";

TEST(DefaultInteraction, CancelsDialogsAndSaysNo) {
    EXPECT_EQ(UserInteraction().AskYesNo("File \"x\" exists.  OK to replace?"), 0);
    InterestRateTable t;
    SetUpGoldenTable(t);
    std::string target = "OUT";
    EXPECT_EQ(t.SaveAs(target), 0);
    EXPECT_EQ(t.Browse(), 0);
    EXPECT_EQ(t.GetTableName(), "GOLDEN");
}

TEST_F(TableDialogs, SaveAsShowsTheTableDialogAndSavesTheChosenFile) {
    InterestRateTable t;
    SetUpGoldenTable(t);
    ui.confirm = 1;
    ui.chosenPath = dir.Path("CHOSEN.TB3");
    ui.chosenName = "CHOSEN.TB3";
    std::string path = "FEDERAL";
    ASSERT_EQ(t.SaveAs(path), 1);
    EXPECT_EQ(ui.lastRequest.initialName, "FEDERAL.TB3");
    EXPECT_EQ(ui.lastRequest.defaultExt, "TB3");
    EXPECT_EQ(ui.lastRequest.filter, kFilter);
    EXPECT_EQ(ui.lastRequest.overwritePrompt, 1);
    EXPECT_EQ(path, dir.Path("CHOSEN.TB3"));
    EXPECT_EQ(t.GetTableName(), "CHOSEN.TB3") << "the name as the dialog returns it";
    EXPECT_EQ(dir.ReadBytes("CHOSEN.TB3"), GoldenTableBytes());

    std::string empty;
    ui.confirm = 0;
    EXPECT_EQ(t.SaveAs(empty), 0);
    EXPECT_EQ(ui.lastRequest.initialName, "*.TB3");
}

TEST_F(TableDialogs, SaveAsReportsAFailedSave) {
    InterestRateTable t;
    SetUpGoldenTable(t);
    ui.confirm = 1;
    ui.chosenPath = dir.Path("missing/CHOSEN.TB3");
    ui.chosenName = "CHOSEN.TB3";
    std::string path;
    EXPECT_EQ(t.SaveAs(path), 0);
}

TEST_F(TableDialogs, BrowseReadsTheChosenFileOrClearsTheTable) {
    dir.WriteBytes("PICKED.TB3", GoldenTableBytes());
    InterestRateTable t;
    ui.confirm = 1;
    ui.chosenPath = dir.Path("PICKED.TB3");
    ui.chosenName = "PICKED.TB3";
    ASSERT_EQ(t.Browse(), 1);
    EXPECT_EQ(ui.lastRequest.title, "Open Interest Rate Table");
    EXPECT_EQ(ui.lastRequest.initialName, "FEDERAL.TB3");
    EXPECT_EQ(ui.lastRequest.fileMustExist, 1);
    EXPECT_EQ(t.GetTableName(), "PICKED");
    EXPECT_EQ(t.GetNRate(1), 8.25);

    dir.WriteBytes("BROKEN.TB3", {3, 6});
    ui.chosenPath = dir.Path("BROKEN.TB3");
    ui.chosenName = "BROKEN.TB3";
    EXPECT_EQ(t.Browse(), 1) << "the dialog was confirmed";
    EXPECT_EQ(t.GetTableName(), "");
    EXPECT_FALSE(t.GetStartingDate(0).isValid());
}

}  // namespace
