// The editor's rules without widgets: cell checks, the grid lists, the command
// line, showing and committing rows, the save checks, the file filter and the
// engine questions answered through the editor's prompts.
#include <QtTest>

#include "CellChecks.h"
#include "EditorDriver.h"
#include "CommandLine.h"
#include "GridLists.h"
#include "PromptsUserInteraction.h"
#include "QtEditorPrompts.h"
#include "ScriptedPrompts.h"
#include "TableEditModel.h"
#include "ratetable/ScratchFolder.h"

using namespace tableedit;
using editortest::FillTable;

namespace {

Date D(int m, int d, int y) { return Date(m, d, y); }

}  // namespace

class TableEditLogicTest : public QObject {
    Q_OBJECT
private slots:
    void rateCell_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("tooLarge");
        QTest::addColumn<QString>("shown");
        // Hand derivations: 8.125 * 100 = 812.5 exactly, rounds half away to 813.
        QTest::newRow("rounds to cents") << "8.125" << 8.13 << false << "8.13";
        QTest::newRow("825 -> 82.50, Bad Rate") << "825" << 82.5 << true << "82.50";
        QTest::newRow("largest rate kept") << "99.99" << 99.99 << false << "99.99";
        QTest::newRow("100 -> 10.00") << "100" << 10.0 << true << "10.00";
        // 999.99 / 10 = 99.999 rounds to 100.00, still above 99.99: / 10 again.
        QTest::newRow("two divisions") << "999.99" << 10.0 << true << "10.00";
        QTest::newRow("whole number") << "7" << 7.0 << false << "7.00";
        QTest::newRow("not a number") << "abc" << 0.0 << false << "0.00";
        QTest::newRow("empty") << "" << 0.0 << false << "0.00";
        QTest::newRow("number then text") << "8.5%" << 8.5 << false << "8.50";
        QTest::newRow("overflow reads 0, no endless division") << "1e999" << 0.0 << false << "0.00";
        QTest::newRow("infinity reads 0") << "inf" << 0.0 << false << "0.00";
        QTest::newRow("no negative zero") << "-0.001" << 0.0 << false << "0.00";
    }
    void rateCell() {
        QFETCH(QString, typed);
        QFETCH(double, value);
        QFETCH(bool, tooLarge);
        QFETCH(QString, shown);
        const RateCellCheck c = CheckRateCell(typed.toStdString());
        QCOMPARE(c.value, value);
        QCOMPARE(c.tooLarge, tooLarge);
        QCOMPARE(QString::fromStdString(c.text), shown);
    }

    void dateCell_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("shown");
        QTest::newRow("slashes") << "3/15/05" << true << "03-15-05";
        QTest::newRow("digits only") << "010599" << true << "01-05-99";
        QTest::newRow("four-digit year") << "12/31/2020" << true << "12-31-20";
        QTest::newRow("empty is allowed") << "" << true << "";
        QTest::newRow("month 13") << "13/01/05" << false << "13/01/05";
        QTest::newRow("30 February") << "02/30/24" << false << "02/30/24";
        QTest::newRow("text") << "soon" << false << "soon";
    }
    void dateCell() {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, shown);
        const DateCellCheck c = CheckDateCell(typed.toStdString());
        QCOMPARE(c.ok, ok);
        QCOMPARE(QString::fromStdString(c.text), shown);
    }

    void lists() {
        // List position -> stored code, in the order the lists show them.
        const int modeCodes[] = {0, 1, 2, 3, 5, 4};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(CodeAt(ModeList(), i), modeCodes[i]);
            QCOMPARE(IndexOfCode(ModeList(), modeCodes[i]), i);
        }
        QCOMPARE(QString::fromUtf8(ModeList()[4].text), QStringLiteral("Monthly (whole months)"));
        QCOMPARE(QString::fromUtf8(ModeList()[5].text), QStringLiteral("Sum of Factors"));
        QCOMPARE(QString::fromUtf8(DaysPerYearList()[2].text), QString::fromUtf8("365\u00BC"));
        QCOMPARE(CodeAt(DaysPerYearList(), 2), 100);
        QCOMPARE(IndexOfCode(ModeList(), 10), -1);
        QCOMPARE(IndexOfCode(DaysPerYearList(), 360), -1);
        QCOMPARE(CodeAt(ModeList(), -1), -1);
        QCOMPARE(CodeAt(ModeList(), 6), -1);
    }

    void commandLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("file");
        QTest::newRow("empty") << "" << int(EditorCommand::MainWindow) << "" << "";
        QTest::newRow("-x") << "-x" << int(EditorCommand::MainWindow) << "" << "";
        QTest::newRow("-Xanything") << "-Xanything" << int(EditorCommand::MainWindow) << "" << "";
        QTest::newRow("-b quoted path with blanks")
            << "-b \"/srv/Batch Files/edit.csv\"" << int(EditorCommand::BatchEdit) << "/srv/Batch Files/" << "edit.csv";
        QTest::newRow("-B unquoted, trimmed")
            << "-B  /srv/rates/q3.csv " << int(EditorCommand::BatchEdit) << "/srv/rates/" << "q3.csv";
        QTest::newRow("-B bare name") << "-Bedit.csv" << int(EditorCommand::BatchEdit) << "" << "edit.csv";
        QTest::newRow("-B nothing") << "-B" << int(EditorCommand::BatchEdit) << "" << "";
        QTest::newRow("table path") << "/srv/tables/FEDERAL.TB3" << int(EditorCommand::OpenTable) << ""
                                    << "/srv/tables/FEDERAL.TB3";
        QTest::newRow("quoted table path") << "\"/srv/my tables/IL.TB3\"" << int(EditorCommand::OpenTable) << ""
                                           << "/srv/my tables/IL.TB3";
    }
    void commandLine() {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QString, folder);
        QFETCH(QString, file);
        const EditorCommand c = ParseCommandLine(text.toStdString());
        QCOMPARE(int(c.kind), kind);
        QCOMPARE(QString::fromStdString(c.folder), folder);
        QCOMPARE(QString::fromStdString(c.file), file);
    }

    // Fields left as shown keep what the table stores, even what the grid
    // cannot show: more decimals, a code outside the lists, a long description.
    void untouchedFieldsKeepStoredValues() {
        TableEditModel model;
        InterestRateTable& t = model.Table();
        FillTable(t, {{1, 1, 2020, 10, 7.125, 8.55, 6.0, 360}, {7, 1, 2020, 2, 5.0, 6.0, 4.0, 366}}, Date());
        const std::string description(60, 'd');
        t.SetDescription(description.c_str());
        const EditFields shown = model.Show();
        // "%2.2lf" of 7.125 (exact in binary) rounds the tie to even: 7.12.
        QCOMPARE(shown.rows[0].normal, std::string("7.12"));
        QCOMPARE(shown.rows[0].mode, -1);
        QCOMPARE(shown.rows[0].dpy, -1);
        InterestRateTable before = t;
        model.Commit(shown);
        QVERIFY(memcmp(before.GetEntry(0), t.GetEntry(0), 2 * sizeof(IRTU)) == 0);
        QCOMPARE(std::string(t.Description()), description);

        // An edited rate is stored as typed, rounded; the others stay.
        EditFields edited = shown;
        edited.rows[0].normal = "7.5";
        model.Commit(edited);
        QCOMPARE(t.GetNRate(0), 7.5);
        QCOMPARE(t.GetMRate(0), 8.55);
        QCOMPARE(t.GetMethod(0), 10);
        QCOMPARE(t.GetDPY(0), 360);
    }

    void clearedDateBecomesEmptySlot() {
        TableEditModel model;
        FillTable(model.Table(), {{1, 1, 2020, 2, 5.0, 6.0, 4.0, 366}, {7, 1, 2020, 2, 6.0, 7.0, 5.0, 366}}, Date());
        EditFields f = model.Show();
        f.rows[0].date.clear();
        model.Commit(f);
        InterestRateTable& t = model.Table();
        QVERIFY(!t.GetStartingDate(0).isValid());
        QCOMPARE(t.GetMethod(0), 0xFFFF);
        QCOMPARE(t.GetNRate(0) + t.GetMRate(0) + t.GetRRate(0), 0.0);
        QCOMPARE(t.GetDPY(0), 365);
        QCOMPARE(model.Show().rows[0], RowFields());  // shown as a blank row
    }

    // A new row takes exactly what its fields say; blank lists store 65535,
    // which the save refuses.
    void newRowAndSaveChecks_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("dpy");
        QTest::addColumn<QString>("endDate");
        QTest::addColumn<int>("problem");
        QTest::newRow("complete row") << "01-01-21" << 4 << 0 << "12-31-21" << int(SaveProblem::None);
        QTest::newRow("bad date text") << "13-45-21" << 4 << 0 << "12-31-21" << int(SaveProblem::RowDate);
        QTest::newRow("no mode") << "01-01-21" << -1 << 0 << "12-31-21" << int(SaveProblem::RowLists);
        QTest::newRow("no days per year") << "01-01-21" << 2 << -1 << "12-31-21" << int(SaveProblem::RowLists);
        QTest::newRow("no end date") << "01-01-21" << 2 << 0 << "" << int(SaveProblem::EndDate);
        QTest::newRow("end before last entry") << "01-01-21" << 2 << 0 << "12-31-20" << int(SaveProblem::EndBeforeLast);
        QTest::newRow("end on last entry") << "01-01-21" << 2 << 0 << "01-01-21" << int(SaveProblem::None);
    }
    void newRowAndSaveChecks() {
        QFETCH(QString, date);
        QFETCH(int, mode);
        QFETCH(int, dpy);
        QFETCH(QString, endDate);
        QFETCH(int, problem);
        TableEditModel model;
        FillTable(model.Table(), {{1, 1, 2020, 2, 5.0, 6.0, 4.0, 366}}, Date());
        EditFields f = model.Show();
        f.endDate = endDate.toStdString();
        f.rows[1] = {date.toStdString(), mode, "8.125", "9", "7", dpy};
        const SaveCheck check = model.PrepareSave(f);
        QCOMPARE(int(check.problem), problem);
        if (problem == int(SaveProblem::RowDate) || problem == int(SaveProblem::RowLists)) QCOMPARE(check.row, 1);
        if (problem != int(SaveProblem::None)) return;
        const InterestRateTable& t = model.Table();
        QCOMPARE(t.GetStartingDate(1), D(1, 1, 2021));
        QCOMPARE(t.GetMethod(1), CodeAt(ModeList(), mode));
        QCOMPARE(t.GetNRate(1), 8.13);
        QCOMPARE(t.GetMRate(1), 9.0);
        QCOMPARE(t.GetDPY(1), 365);
    }

    void emptyTableWithEndDateCanBeSaved() {
        TableEditModel model;
        EditFields f = model.Show();
        f.endDate = "12-31-26";
        QCOMPARE(int(model.PrepareSave(f).problem), int(SaveProblem::None));
    }

    void blankDaysPerYearFilledByYear() {
        TableEditModel model;
        FillTable(model.Table(), {{1, 1, 2020, 2, 5.0, 6.0, 4.0, 360}}, Date());
        EditFields f = model.Show();
        f.rows[1].date = "03-01-24";
        f.rows[2].date = "03-01-23";
        f.rows[3].date = "bad";
        model.FillBlankDaysPerYear(f);
        QCOMPARE(f.rows[0].dpy, -1);  // the stored special code 360 stays
        QCOMPARE(CodeAt(DaysPerYearList(), f.rows[1].dpy), 366);
        QCOMPARE(CodeAt(DaysPerYearList(), f.rows[2].dpy), 365);
        QCOMPARE(f.rows[3].dpy, -1);
    }

    void scrollingKeepsTopRowInRangeAndCommits() {
        TableEditModel model;
        EditFields f = model.ScrollTo(model.Show(), 600);
        QCOMPARE(model.TopRow(), 490);
        QVERIFY(model.Modified());
        f.rows[9] = {"01-01-21", 2, "5", "6", "4", 0};
        f = model.ScrollTo(f, -5);
        QCOMPARE(model.TopRow(), 0);
        QCOMPARE(model.Table().GetStartingDate(499), D(1, 1, 2021));
        QCOMPARE(model.Table().GetNRate(499), 5.0);
    }

    void sortAndDeleteLine() {
        TableEditModel model;
        FillTable(model.Table(), {{7, 1, 2020, 2, 7, 7, 7, 366}, {1, 1, 2020, 2, 1, 1, 1, 366},
                             {4, 1, 2020, 2, 4, 4, 4, 366}}, Date());
        EditFields f = model.Sort(model.Show());
        QCOMPARE(f.rows[0].date, std::string("01-01-20"));
        QCOMPARE(f.rows[2].date, std::string("07-01-20"));
        f = model.DeleteLine(f, 1);
        QCOMPARE(f.rows[1].date, std::string("07-01-20"));
        QCOMPARE(f.rows[2], RowFields());
        QVERIFY(model.Modified());
        model.NewTable();
        QVERIFY(!model.Modified());
        QVERIFY(!model.Table().GetStartingDate(0).isValid());
    }

    void saveNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("initial");
        QTest::newRow("empty") << "" << "*.TB3";
        QTest::newRow("name") << "IL 2005" << "IL 2005.TB3";
        QTest::newRow("other extension") << "FEDERAL.DAT" << "FEDERAL.TB3";
    }
    void saveNames() {
        QFETCH(QString, name);
        QFETCH(QString, initial);
        QCOMPARE(QString::fromStdString(TableEditModel::InitialSaveName(name.toStdString())), initial);
        TableEditModel model;
        model.Saved("/srv/tables/IL 2005.TB3");
        QCOMPARE(model.Folder(), std::string("/srv/tables/"));
        QCOMPARE(model.Table().GetTableName(), std::string("IL 2005"));
    }

    void qtFilterOffersTheFirstPair() {
        QCOMPARE(QtNameFilters("Rate Tables (*.TB3) |*.TB3||All Files|*.*||"),
                 QStringList{QStringLiteral("Rate Tables (*.TB3)")});
        QCOMPARE(QtNameFilters("CSV|*.csv|All Files|*.*|"),
                 (QStringList{QStringLiteral("CSV (*.csv)"), QStringLiteral("All Files (*.*)")}));
    }

    // The engine's own questions reach the editor's prompts.
    void engineQuestionsGoThroughThePrompts() {
        ScratchFolder folder;
        InterestRateTable source;
        FillTable(source, {{1, 1, 2020, 2, 5.0, 6.0, 4.0, 366}}, Date());
        std::string path = folder.Path("T.TB3");
        QVERIFY(source.Save(path));

        ScriptedPrompts prompts;
        ScopedUserInteraction installed(prompts);
        prompts.files.push_back(path);
        InterestRateTable t;
        QCOMPARE(t.Browse(), 1);
        QCOMPARE(prompts.fileRequests.at(0).title, std::string("Open Interest Rate Table"));
        QCOMPARE(prompts.fileRequests.at(0).initialName, std::string("FEDERAL.TB3"));
        QCOMPARE(t.GetNRate(0), 5.0);
        QCOMPARE(t.Browse(), 0);  // no scripted answer: cancelled

        prompts.answers.push_back(EditorPrompts::Answer::Yes);
        QCOMPARE(UserInteraction().AskYesNo("Replace?"), 1);
        QCOMPARE(UserInteraction().AskYesNo("Replace?"), 0);
        QCOMPARE(prompts.messages.at(0).buttons, EditorPrompts::Buttons::YesNo);
    }
};

QTEST_GUILESS_MAIN(TableEditLogicTest)
#include "TableEditLogicTest.moc"
