// The editor's two ways into the batch edit, on the real widgets
// (QT_QPA_PLATFORM=offscreen): the command line "-B" with a quoted path
// holding a blank, and the main window's "Batch Mode Edit..." button, whose
// open-file dialog is answered by the scripted prompts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <string>

#include "CQrtTableEditApp.h"
#include "CQrtTableEditDlg.h"
#include "ScratchFolder.h"
#include "../../../tableedit/ScriptedPrompts.h"
#include "ratetable/InterestRateTable.h"

namespace {

namespace fs = std::filesystem;

QApplication& Application() {
    static int argc = 1;
    static char name[] = "batch_editor_test";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    // Never destroyed: tearing it down among the program's static objects
    // at exit would outlive parts of Qt it needs.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class EditorBatchEdit : public ::testing::Test {
protected:
    void SetUp() override {
        Application();
        folder = dir.Path() + "/Batch Files/";
        fs::create_directory(folder);
        WriteBytes(folder + "edit.csv", "Table,End,Start,Method,N,M,R,DPY\n"
                                        "NEW.TB3,,07-01-2026,Daily,7,8.4,7,365\n");
    }

    // The entry the command file adds, read back from the table file.
    double NewTableRate() {
        InterestRateTable t;
        return t.Read(folder + "NEW.TB3", 0, 0) ? t.GetMRate(0) : -1;
    }

    ScratchFolder dir;
    std::string folder;
    tableedit::ScriptedPrompts prompts;
};

TEST_F(EditorBatchEdit, TheCommandLineRunsTheBatchEditAndEnds) {
    tableedit::CQrtTableEditApp editor(prompts);
    EXPECT_EQ(editor.InitInstance("-b \" " + folder + "edit.csv \""), nullptr);
    EXPECT_EQ(NewTableRate(), 8.4);
    ASSERT_EQ(prompts.Texts().size(), 1u);
    EXPECT_EQ(prompts.Texts()[0].rfind("Batch-mode edit done. Backup copies are in folder " +
                                           folder + "Backup/", 0), 0u)
        << prompts.Texts()[0];
}

TEST_F(EditorBatchEdit, TheButtonAsksForTheCommandFileAndRunsIt) {
    tableedit::CQrtTableEditApp editor(prompts);
    ASSERT_NE(editor.InitInstance(""), nullptr);
    QPushButton* button = editor.MainWindow()->Button("batchEdit");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Batch Mode Edit..."));

    QTest::mouseClick(button, Qt::LeftButton);  // the dialog is cancelled
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_FALSE(fs::exists(folder + "NEW.TB3"));

    prompts.files = {folder + "edit.csv"};
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_FALSE(prompts.fileRequests[1].save);
    EXPECT_EQ(NewTableRate(), 8.4);
    ASSERT_EQ(prompts.Texts().size(), 1u);
    EXPECT_EQ(prompts.Texts()[0].rfind("Batch-mode edit done.", 0), 0u) << prompts.Texts()[0];
    editor.MainWindow()->reject();
}

}  // namespace
