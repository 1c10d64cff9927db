// QrtTableEdit: the rate table editor. The command line (the arguments
// joined by blanks) chooses the main window, a batch edit ("-B <command
// file>") or one table file to edit.
#include <QApplication>
#include <string>

#include "CQrtTableEditApp.h"
#include "QtEditorPrompts.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    tableedit::QtEditorPrompts prompts;
    tableedit::CQrtTableEditApp editor(prompts);
    QDialog* window = editor.InitInstance(commandLine);
    if (!window) return editor.ExitCode();
    QObject::connect(window, &QDialog::finished, &application, &QCoreApplication::quit);
    return application.exec();
}
