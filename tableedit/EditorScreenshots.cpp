// Writes pictures of the editor's windows for the README: the main window,
// the table dialog on a table, and its notes dialog.
// Usage: qrt_editor_screenshots <table.TB3> <output folder>
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <string>

#include "CQrtTableEditDlg.h"
#include "CRateTableNotes.h"
#include "CTableEdit.h"
#include "ScriptedPrompts.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3) return 2;
    const std::string table = argv[1];
    const QString out = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
    tableedit::ScriptedPrompts prompts;

    auto snap = [](QWidget* w, const QString& path) {
        w->show();
        w->activateWindow();
        for (int i = 0; i < 20; ++i) QApplication::processEvents();
        return w->grab().save(path) ? 0 : 1;
    };
    tableedit::CQrtTableEditDlg main(prompts, tableedit::RunBatchEdit);
    int failures = snap(&main, out + QStringLiteral("main-window.png"));
    main.hide();

    tableedit::CTableEdit dialog(prompts, "");
    if (!dialog.Model().Table().Read(table, 1, 0)) return 1;
    dialog.ShowTable();
    failures += snap(&dialog, out + QStringLiteral("table-dialog.png"));

    tableedit::CRateTableNotes notes(prompts, dialog.Model().Table().TableNotes(), &dialog);
    failures += snap(&notes, out + QStringLiteral("notes-dialog.png"));
    return failures;
}
