// The editor's dialogs driven as a user drives them: clicks and key presses
// on the real widgets (offscreen), messages and file dialogs answered by a
// script, tables read back from the files the editor wrote.
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <filesystem>

#include "CAboutDlg.h"
#include "CQrtTableEditApp.h"
#include "CQrtTableEditDlg.h"
#include "CRateTableNotes.h"
#include "CTableEdit.h"
#include "CellEdits.h"
#include "EditorDriver.h"
#include "EditorMessages.h"
#include "ScriptedPrompts.h"
#include "ratetable/ScratchFolder.h"

using namespace tableedit;
using namespace editortest;

namespace {

constexpr int N = CTableEdit::NormalColumn;
constexpr int M = CTableEdit::MotivatedColumn;

std::string FederalTable() { return std::string(QRT_DATA_DIR) + "/FEDERAL.TB3"; }

}  // namespace

class TableEditDialogsTest : public QObject {
    Q_OBJECT

    ScriptedPrompts* m_prompts = nullptr;
    ScratchFolder* m_folder = nullptr;
    CTableEdit* m_dialog = nullptr;

    // Writes a three-entry table T.TB3 (2020, Daily, 366 days; ends 12/31/20)
    // and opens the table dialog on it.
    CTableEdit* OpenSmallTable(Date endDate = Date(12, 31, 2020)) {
        InterestRateTable t;
        FillTable(t, {{1, 1, 2020, 2, 5, 6, 4, 366}, {4, 1, 2020, 2, 6, 7.2, 5, 366}, {7, 1, 2020, 2, 7, 8.4, 6, 366}},
                  endDate);
        std::string path = m_folder->Path("T.TB3");
        if (!t.Save(path)) return nullptr;
        m_dialog = new CTableEdit(*m_prompts, m_folder->Dir());
        if (!m_dialog->Model().Table().Read(path, 1, 1)) return nullptr;
        m_dialog->ShowTable();
        return ShowActive(m_dialog) ? m_dialog : nullptr;
    }

    InterestRateTable ReadBack(const std::string& path) {
        InterestRateTable t;
        if (!t.Read(path, 1, 0)) t.Clear();
        return t;
    }

    bool Shown(const char* text) const {
        for (const auto& m : m_prompts->messages)
            if (m.text == text) return true;
        return false;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setEffectEnabled(Qt::UI_AnimateCombo, false);
    }

    void init() {
        m_prompts = new ScriptedPrompts;
        m_folder = new ScratchFolder;
        QSettings(QStringLiteral("Veltrin Software Applications"), QStringLiteral("QrtTableEdit")).clear();
    }

    void cleanup() {
        delete m_dialog;
        m_dialog = nullptr;
        delete m_folder;
        delete m_prompts;
        // Every window a test opened is gone with its owner.
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
    }

    void clearedDateRowDisappearsAfterSave() {
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        TypeInto(dlg->Cell(1, 0), QString());
        m_prompts->files.push_back(m_folder->Path("OUT.TB3"));
        Click(dlg->Button("save"));
        QCOMPARE(m_prompts->fileRequests.size(), size_t(1));
        QCOMPARE(m_prompts->fileRequests[0].initialName, std::string("T.TB3"));
        QCOMPARE(m_prompts->fileRequests[0].folder, m_folder->Dir());
        const InterestRateTable out = ReadBack(m_folder->Path("OUT.TB3"));
        QCOMPARE(out.GetStartingDate(0), Date(1, 1, 2020));
        QCOMPARE(out.GetStartingDate(1), Date(7, 1, 2020));
        QVERIFY(!out.GetStartingDate(2).isValid());
        QCOMPARE(dlg->Cell(1, 0)->text(), QStringLiteral("07-01-20"));
        QCOMPARE(dlg->NameField()->text(), QStringLiteral("OUT"));
        QVERIFY(!dlg->Model().Modified());
    }

    void rateCellRoundsAndRefusesTooLargeRates() {
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        TypeInto(dlg->Cell(0, N), QStringLiteral("8.125"));
        Tab();
        QCOMPARE(dlg->Cell(0, N)->text(), QStringLiteral("8.13"));
        QVERIFY(m_prompts->messages.empty());
        TypeInto(dlg->Cell(0, M), QStringLiteral("825"));
        Tab();
        QCOMPARE(m_prompts->Texts(), std::vector<std::string>{kMsgBadRate});
        QCOMPARE(dlg->Cell(0, M)->text(), QStringLiteral("82.50"));
        QCOMPARE(QApplication::focusWidget(), dlg->Cell(0, M));
        m_prompts->files.push_back(m_folder->Path("T.TB3"));
        Click(dlg->Button("save"));
        const InterestRateTable out = ReadBack(m_folder->Path("T.TB3"));
        QCOMPARE(out.GetNRate(0), 8.13);
        QCOMPARE(out.GetMRate(0), 82.5);
    }

    void badDateCellShowsMessageAndKeepsTheFocus() {
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        TypeInto(dlg->Cell(2, 0), QStringLiteral("13/45/20"));
        Tab();
        QCOMPARE(m_prompts->Texts(), std::vector<std::string>{kMsgBadDate});
        QCOMPARE(QApplication::focusWidget(), dlg->Cell(2, 0));
        // Saving does not turn the refused text into an empty slot.
        Click(dlg->Button("save"));
        QVERIFY(m_prompts->fileRequests.empty());
        QCOMPARE(dlg->Model().Table().GetStartingDate(2), Date(7, 1, 2020));
    }

    void newRowGetsDaysPerYearFromItsDate() {
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        TypeInto(dlg->Cell(3, 0), QStringLiteral("1/1/21"));
        Tab();
        QCOMPARE(dlg->Cell(3, 0)->text(), QStringLiteral("01-01-21"));
        QCOMPARE(dlg->DpyList(3)->currentText(), QStringLiteral("365"));
        QCOMPARE(dlg->DpyList(4)->currentIndex(), -1);
        // Without a computation mode the line cannot be saved.
        Click(dlg->Button("save"));
        QCOMPARE(m_prompts->Texts(), std::vector<std::string>{kMsgChooseLists});
        QVERIFY(m_prompts->fileRequests.empty());
    }

    void modeListsStoreTheirCodes_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("code");
        QTest::newRow("whole months") << "Monthly (whole months)" << 5;
        QTest::newRow("sum of factors") << "Sum of Factors" << 4;
        QTest::newRow("exact days") << "Monthly (+ exact days)" << 3;
        QTest::newRow("old method") << "Old IRS Method" << 0;
    }
    void modeListsStoreTheirCodes() {
        QFETCH(QString, mode);
        QFETCH(int, code);
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        Choose(dlg->ModeList(1), mode);
        Choose(dlg->DpyList(1), QString::fromUtf8("365\u00BC"));
        QVERIFY(dlg->Model().Modified());
        m_prompts->files.push_back(m_folder->Path("T.TB3"));
        Click(dlg->Button("save"));
        InterestRateTable out = ReadBack(m_folder->Path("T.TB3"));
        QCOMPARE(out.GetMethod(1), code);
        QCOMPARE(out.GetDPY(1), 100);
        QCOMPARE(int(out.GetHeader()->m_version), 5);
    }

    void endDateBeforeLastEntryWritesNothing() {
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        const std::string before = FileBytes(m_folder->Path("T.TB3"));
        TypeInto(dlg->Cell(3, 0), QStringLiteral("01/01/21"));
        Choose(dlg->ModeList(3), QStringLiteral("Daily"));
        TypeInto(dlg->EndDateField(), QStringLiteral("12/31/20"));
        Click(dlg->Button("save"));
        QCOMPARE(m_prompts->Texts(), std::vector<std::string>{kMsgEndBeforeLast});
        QVERIFY(m_prompts->fileRequests.empty());
        QCOMPARE(FileBytes(m_folder->Path("T.TB3")), before);
        // An end date that is no date at all: message 105, focus on the field.
        TypeInto(dlg->EndDateField(), QString());
        Click(dlg->Button("save"));
        QCOMPARE(m_prompts->messages.back().text, std::string(kMsgBadEndDate));
        QCOMPARE(QApplication::focusWidget(), dlg->EndDateField());
        QVERIFY(m_prompts->fileRequests.empty());
    }

    void scrollsToSlot499AndBack() {
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        Click(dlg->Cell(9, 0));
        for (int i = 0; i < 49; ++i) QTest::keyClick(dlg->Cell(9, 0), Qt::Key_PageDown);
        QCOMPARE(dlg->Model().TopRow(), 490);
        QCOMPARE(dlg->ScrollBar()->value(), 490);
        QTest::keyClick(dlg->Cell(9, 0), Qt::Key_Down);  // already at the end
        QCOMPARE(dlg->Model().TopRow(), 490);
        TypeInto(dlg->Cell(9, 0), QStringLiteral("01/01/40"));
        TypeInto(dlg->Cell(9, N), QStringLiteral("3"));
        for (int i = 0; i < 49; ++i) QTest::keyClick(dlg->Cell(9, N), Qt::Key_PageUp);
        QCOMPARE(dlg->Model().TopRow(), 0);
        QCOMPARE(dlg->Cell(0, 0)->text(), QStringLiteral("01-01-20"));
        const InterestRateTable& t = dlg->Model().Table();
        QCOMPARE(t.GetStartingDate(499), Date(1, 1, 2040));
        QCOMPARE(t.GetNRate(499), 3.0);
        QCOMPARE(t.GetDPY(499), 366);  // filled in when the date cell lost the focus
        // Down from the last row scrolls one row and keeps the focus there.
        QTest::keyClick(dlg->Cell(9, N), Qt::Key_Down);
        QCOMPARE(dlg->Model().TopRow(), 1);
        QCOMPARE(QApplication::focusWidget(), dlg->Cell(9, N));
        QCOMPARE(dlg->Cell(0, 0)->text(), QStringLiteral("04-01-20"));
        // The mouse wheel scrolls the grid, also over a list.
        QWheelEvent wheel(QPointF(5, 5), dlg->ModeList(0)->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(dlg->ModeList(0), &wheel);
        QCOMPARE(dlg->Model().TopRow(), 1 + QApplication::wheelScrollLines());
        QCOMPARE(dlg->ModeList(0)->currentIndex(), -1);  // an empty slot: the list's choice untouched
    }

    void newAndCloseAskToSaveChanges_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("chooseFile");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("goesOn");
        using A = EditorPrompts::Answer;
        for (const char* b : {"new", "close"}) {
            const QByteArray n(b);
            QTest::newRow(n + " cancel") << b << int(A::Cancel) << false << false << false;
            QTest::newRow(n + " no") << b << int(A::No) << false << false << true;
            QTest::newRow(n + " yes") << b << int(A::Yes) << true << true << true;
            QTest::newRow(n + " yes, save dialog cancelled") << b << int(A::Yes) << false << false << false;
        }
    }
    void newAndCloseAskToSaveChanges() {
        QFETCH(QString, button);
        QFETCH(int, answer);
        QFETCH(bool, chooseFile);
        QFETCH(bool, saved);
        QFETCH(bool, goesOn);
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        TypeInto(dlg->Cell(0, N), QStringLiteral("9"));
        m_prompts->answers.push_back(EditorPrompts::Answer(answer));
        if (chooseFile) m_prompts->files.push_back(m_folder->Path("OUT.TB3"));
        Click(dlg->Button(button.toLatin1().constData()));
        QCOMPARE(m_prompts->messages.at(0).text, std::string(kMsgSaveChanges));
        QCOMPARE(m_prompts->messages.at(0).buttons, EditorPrompts::Buttons::YesNoCancel);
        QCOMPARE(std::filesystem::exists(m_folder->Path("OUT.TB3")), saved);
        if (saved) QCOMPARE(ReadBack(m_folder->Path("OUT.TB3")).GetNRate(0), 9.0);
        if (button == QStringLiteral("close")) {
            QCOMPARE(dlg->isVisible(), !goesOn);
        } else {
            QCOMPARE(dlg->Cell(0, 0)->text().isEmpty(), goesOn);
            QCOMPARE(dlg->Model().Modified(), !goesOn);
        }
    }

    void unmodifiedTableClosesWithoutAsking() {
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        QTest::keyClick(dlg, Qt::Key_Escape);
        QVERIFY(m_prompts->messages.empty());
        QVERIFY(!dlg->isVisible());
    }

    void deleteLineAsksFirst() {
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        Click(dlg->Cell(1, N));
        Click(dlg->Button("deleteLine"));  // unanswered: No
        QCOMPARE(dlg->Cell(1, 0)->text(), QStringLiteral("04-01-20"));
        QVERIFY(!dlg->Model().Modified());
        m_prompts->answers.push_back(EditorPrompts::Answer::Yes);
        Click(dlg->Button("deleteLine"));
        QCOMPARE(m_prompts->Texts(), (std::vector<std::string>{kMsgDeleteLine, kMsgDeleteLine}));
        QCOMPARE(dlg->Cell(1, 0)->text(), QStringLiteral("07-01-20"));
        QCOMPARE(QApplication::focusWidget(), dlg->Cell(1, N));
        QVERIFY(dlg->Model().Modified());
    }

    void notesCancelKeepsAndOkStores() {
        CTableEdit* dlg = OpenSmallTable();
        QVERIFY(dlg);
        for (bool ok : {false, true}) {
            Click(dlg->Button("notes"));
            CRateTableNotes* notes = dlg->NotesDialog();
            QVERIFY(notes && ShowActive(notes));
            QCOMPARE(notes->windowTitle(), QStringLiteral("Interest Rate Table Notes"));
            QTest::keyClicks(notes->Editor(), QStringLiteral("Rates from the state revenue office."));
            QTest::keyClick(notes->Editor(), Qt::Key_Return);
            QTest::keyClicks(notes->Editor(), QStringLiteral("Checked."));
            auto* box = notes->findChild<QDialogButtonBox*>();
            Click(box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel));
            QTRY_VERIFY(!dlg->NotesDialog());
            QCOMPARE(dlg->Model().Table().TableNotes(),
                     ok ? std::string("Rates from the state revenue office.\r\nChecked.") : std::string());
            QCOMPARE(dlg->Model().Modified(), ok);
        }
    }

    // FEDERAL opened and saved unchanged is byte for byte the same file, and
    // an edit (a new quarter, sorted into place), a new end date and a note
    // change exactly what the same changes made through the table do.
    void federalTableRoundTrip() {
        const std::string original = m_folder->Path("FEDERAL.TB3");
        std::filesystem::copy_file(FederalTable(), original);
        CQrtTableEditApp app(*m_prompts);
        QDialog* main = app.InitInstance("");
        QVERIFY(main && ShowActive(main));
        m_prompts->files.push_back(original);
        Click(app.MainWindow()->Button("editTable"));
        CTableEdit* dlg = app.MainWindow()->TableDialog();
        QVERIFY(dlg && ShowActive(dlg));
        QCOMPARE(dlg->NameField()->text(), QStringLiteral("FEDERAL"));

        m_prompts->files.push_back(m_folder->Path("SAME.TB3"));
        Click(dlg->Button("save"));
        QCOMPARE(FileBytes(m_folder->Path("SAME.TB3")), FileBytes(original));

        dlg->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dlg));
        // Scroll so that the last entry is in row 1: rows 2 and 3 are the first
        // free slots (page down moves ten rows, the down key at row 9 one).
        const int entries = int(dlg->Model().Table().GetHeader()->m_entryCount);
        Click(dlg->Cell(0, 0));
        for (int i = 0; i < (entries - 2) / 10; ++i) QTest::keyClick(dlg->Cell(0, 0), Qt::Key_PageDown);
        Click(dlg->Cell(9, 0));
        for (int i = 0; i < (entries - 2) % 10; ++i) QTest::keyClick(dlg->Cell(9, 0), Qt::Key_Down);
        QCOMPARE(dlg->Model().TopRow(), entries - 2);
        QCOMPARE(dlg->Cell(1, 0)->text().isEmpty(), false);
        QCOMPARE(dlg->Cell(2, 0)->text(), QString());
        TypeInto(dlg->Cell(2, 0), QStringLiteral("07/01/26"));
        Choose(dlg->ModeList(2), QStringLiteral("Daily"));
        TypeInto(dlg->Cell(2, N), QStringLiteral("7"));
        TypeInto(dlg->Cell(2, M), QStringLiteral("8.4"));
        TypeInto(dlg->Cell(2, CTableEdit::RefundColumn), QStringLiteral("7"));
        TypeInto(dlg->Cell(3, 0), QStringLiteral("05/01/26"));
        Choose(dlg->ModeList(3), QStringLiteral("Daily"));
        TypeInto(dlg->Cell(3, N), QStringLiteral("6.5"));
        TypeInto(dlg->Cell(3, M), QStringLiteral("7.8"));
        TypeInto(dlg->Cell(3, CTableEdit::RefundColumn), QStringLiteral("6.5"));
        Click(dlg->Button("sort"));
        QCOMPARE(dlg->Cell(2, 0)->text(), QStringLiteral("05-01-26"));
        TypeInto(dlg->EndDateField(), QStringLiteral("09/30/26"));
        Click(dlg->Button("notes"));
        CRateTableNotes* notes = dlg->NotesDialog();
        QVERIFY(notes && ShowActive(notes));
        QTest::keyClick(notes->Editor(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(notes->Editor(), Qt::Key_Return);
        QTest::keyClicks(notes->Editor(), QStringLiteral("May and July 2026 added."));
        Click(notes->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
        QTRY_VERIFY(!dlg->NotesDialog());
        m_prompts->files.push_back(m_folder->Path("EDITED.TB3"));
        Click(dlg->Button("save"));
        QCOMPARE(m_prompts->Texts(), std::vector<std::string>{});
        QVERIFY(m_prompts->files.empty());

        // The same changes made through the table itself.
        InterestRateTable expected;
        QVERIFY(expected.Read(original, 1, 0));
        QCOMPARE(int(expected.GetHeader()->m_entryCount), entries);
        FillTable(expected, {}, Date());  // (cleared, then read again below)
        QVERIFY(expected.Read(original, 1, 0));
        for (auto [slot, month, n, m] : {std::tuple{entries, 5, 6.5, 7.8}, std::tuple{entries + 1, 7, 7.0, 8.4}}) {
            expected.SetStartingDate(slot, Date(month, 1, 2026));
            expected.SetMethod(slot, 2);
            expected.SetNRate(slot, n);
            expected.SetMRate(slot, m);
            expected.SetRRate(slot, n);
            expected.SetDPY(slot, 365);
        }
        expected.SetTableEndDate(Date(9, 30, 2026));
        expected.GetHeader()->TableNotes(expected.TableNotes() + "\r\nMay and July 2026 added.");
        std::string expectedPath = m_folder->Path("EXPECTED.TB3");
        QVERIFY(expected.Save(expectedPath));
        QCOMPARE(FileBytes(m_folder->Path("EDITED.TB3")), FileBytes(expectedPath));

        // Reopened from the command line, the table shows what was saved.
        Click(dlg->Button("close"));
        QVERIFY(m_prompts->messages.empty());
        Click(app.MainWindow()->Button("done"));
        CQrtTableEditApp again(*m_prompts);
        QDialog* reopened = again.InitInstance(m_folder->Path("EDITED.TB3"));
        QVERIFY(reopened == again.TableWindow());
        QCOMPARE(again.TableWindow()->EndDateField()->text(), QStringLiteral("09-30-26"));
        QCOMPARE(again.TableWindow()->Model().Folder(), m_folder->Dir());
        reopened->close();
    }

    void mainWindowKeepsItsFolder() {
        {
            QSettings s(QStringLiteral("Veltrin Software Applications"), QStringLiteral("QrtTableEdit"));
            s.setValue(QStringLiteral("OPTIONS/Initial Directory"), QStringLiteral("/srv/none/"));
            s.setValue(QStringLiteral("OPTIONS/ATNRB"), 1);
        }
        std::filesystem::copy_file(FederalTable(), m_folder->Path("FEDERAL.TB3"));
        CQrtTableEditApp app(*m_prompts);
        QDialog* main = app.InitInstance("-x");
        QVERIFY(main == app.MainWindow() && ShowActive(main));
        QCOMPARE(main->windowTitle(), QStringLiteral("Duecalc Table Editor"));
        QCOMPARE(app.AtNRB(), 1);

        m_prompts->files.push_back(m_folder->Path("MISSING.TB3"));
        Click(app.MainWindow()->Button("editTable"));
        QCOMPARE(m_prompts->fileRequests.at(0).title, std::string("Open Interest Rate Table"));
        QCOMPARE(m_prompts->fileRequests.at(0).folder, std::string("/srv/none/"));
        QCOMPARE(m_prompts->fileRequests.at(0).initialName, std::string("FEDERAL.TB3"));
        QCOMPARE(m_prompts->fileRequests.at(0).filter, std::string(kTableFilter));
        QCOMPARE(m_prompts->Texts(), std::vector<std::string>{"Failed to read " + m_folder->Path("MISSING.TB3") + "!"});
        QVERIFY(!app.MainWindow()->TableDialog());

        m_prompts->files.push_back(m_folder->Path("FEDERAL.TB3"));
        Click(app.MainWindow()->Button("editTable"));
        CTableEdit* dlg = app.MainWindow()->TableDialog();
        QVERIFY(dlg && ShowActive(dlg));
        QCOMPARE(dlg->Model().Folder(), m_folder->Dir());
        QTest::keyClick(dlg, Qt::Key_Escape);
        QTRY_VERIFY(!app.MainWindow()->TableDialog());

        Click(app.MainWindow()->Button("newTable"));
        dlg = app.MainWindow()->TableDialog();
        QVERIFY(dlg && ShowActive(dlg));
        QCOMPARE(dlg->Cell(0, 0)->text(), QString());
        QCOMPARE(dlg->Model().Folder(), m_folder->Dir());
        Click(dlg->Button("close"));
        QTRY_VERIFY(!app.MainWindow()->TableDialog());

        QAction* about = nullptr;
        for (QAction* a : main->findChildren<QAction*>())
            if (a->text() == QStringLiteral("&About QrtTableEdit...")) about = a;
        QVERIFY(about);
        about->trigger();
        QVERIFY(app.MainWindow()->AboutBox() && QTest::qWaitForWindowExposed(app.MainWindow()->AboutBox()));
        app.MainWindow()->AboutBox()->accept();

        Click(app.MainWindow()->Button("done"));
        QVERIFY(!main->isVisible());
        QSettings s(QStringLiteral("Veltrin Software Applications"), QStringLiteral("QrtTableEdit"));
        QCOMPARE(s.value(QStringLiteral("OPTIONS/Initial Directory")).toString(),
                 QString::fromStdString(m_folder->Dir()));
    }

    // -b and the main window's button reach the one batch edit, with the
    // command file's folder and name.
    void batchEditFromCommandLineAndButton() {
        std::vector<std::pair<std::string, std::string>> runs;
        auto record = [&runs](const std::string& folder, const std::string& file, EditorPrompts&) {
            runs.emplace_back(folder, file);
        };
        CQrtTableEditApp batch(*m_prompts);
        batch.SetBatchEdit(record);
        QCOMPARE(batch.InitInstance("-b \"/srv/Batch Files/edit.csv\""), nullptr);
        QCOMPARE(batch.ExitCode(), 0);

        CQrtTableEditApp app(*m_prompts);
        app.SetBatchEdit(record);
        QDialog* main = app.InitInstance("");
        QVERIFY(main && ShowActive(main));
        m_prompts->files.push_back("/srv/rates/q3.csv");
        Click(app.MainWindow()->Button("batchEdit"));
        Click(app.MainWindow()->Button("done"));
        using Run = std::pair<std::string, std::string>;
        QCOMPARE(runs, (std::vector<Run>{{"/srv/Batch Files/", "edit.csv"}, {"/srv/rates/", "q3.csv"}}));
    }

    void missingTableOnCommandLineFailsToRead() {
        CQrtTableEditApp app(*m_prompts);
        const std::string path = m_folder->Path("NONE.TB3");
        QCOMPARE(app.InitInstance(path), nullptr);
        QCOMPARE(app.ExitCode(), 1);
        QCOMPARE(m_prompts->Texts(), std::vector<std::string>{"Failed to read " + path + "!"});
    }
};

QTEST_MAIN(TableEditDialogsTest)
#include "TableEditDialogsTest.moc"
