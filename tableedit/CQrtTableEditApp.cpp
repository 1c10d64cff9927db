#include "CQrtTableEditApp.h"

#include <QCoreApplication>
#include <QSettings>

#include "CQrtTableEditDlg.h"
#include "CTableEdit.h"
#include "CommandLine.h"
#include "TableEditModel.h"
#include "TextCodec.h"

namespace tableedit {

namespace {

const char kOrganisation[] = "Veltrin Software Applications";
const char kApplication[] = "QrtTableEdit";
const char kSection[] = "OPTIONS";
const char kAtnrbKey[] = "ATNRB";
const char kFolderKey[] = "Initial Directory";

}  // namespace

CQrtTableEditApp::CQrtTableEditApp(EditorPrompts& prompts) : m_prompts(prompts), m_interaction(prompts) {}

CQrtTableEditApp::~CQrtTableEditApp() = default;

QDialog* CQrtTableEditApp::InitInstance(const std::string& commandLine) {
    QCoreApplication::setOrganizationName(QString::fromLatin1(kOrganisation));
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplication));
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kSection));
    m_atnrb = settings.value(QString::fromLatin1(kAtnrbKey), 0).toInt();

    const EditorCommand command = ParseCommandLine(commandLine);
    switch (command.kind) {
    case EditorCommand::BatchEdit:
        if (m_batchEdit) m_batchEdit(command.folder, command.file, m_prompts);
        return nullptr;
    case EditorCommand::OpenTable: {
        m_tableWindow = std::make_unique<CTableEdit>(m_prompts, FolderOf(command.file));
        if (!m_tableWindow->Model().Table().Read(command.file, 1, 1)) {
            m_tableWindow.reset();
            m_prompts.Message("Failed to read " + command.file + "!");
            m_exitCode = 1;
            return nullptr;
        }
        m_tableWindow->ShowTable();
        m_tableWindow->show();
        return m_tableWindow.get();
    }
    case EditorCommand::MainWindow:
        break;
    }
    m_mainWindow = std::make_unique<CQrtTableEditDlg>(m_prompts, m_batchEdit);
    m_mainWindow->SetFolder(ToUtf8(settings.value(QString::fromLatin1(kFolderKey), QString()).toString()));
    QObject::connect(m_mainWindow.get(), &QDialog::finished, m_mainWindow.get(), [this] {
        QSettings out;
        out.beginGroup(QString::fromLatin1(kSection));
        out.setValue(QString::fromLatin1(kFolderKey), FromUtf8(m_mainWindow->Folder()));
    });
    m_mainWindow->show();
    return m_mainWindow.get();
}

}  // namespace tableedit
