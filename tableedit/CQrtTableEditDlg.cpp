#include "CQrtTableEditDlg.h"

#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "CAboutDlg.h"
#include "CTableEdit.h"
#include "EditorMessages.h"
#include "TableEditModel.h"

namespace tableedit {

namespace {

const char kBatchFilter[] = "Batch Edit Files (*.csv)|*.csv||All Files|*.*||";

}  // namespace

CQrtTableEditDlg::CQrtTableEditDlg(EditorPrompts& prompts, BatchEditRunner batchEdit, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_batchEdit(std::move(batchEdit)) {
    setWindowTitle(QStringLiteral("Duecalc Table Editor"));

    // The window menu of a desktop is the window manager's; the about entry
    // sits in the window's own menu bar instead.
    auto* menuBar = new QMenuBar(this);
    QMenu* help = menuBar->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About QrtTableEdit..."), this, &CQrtTableEditDlg::OnAbout);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    auto* intro = new QLabel(QStringLiteral("Interest rate tables (.TB3) of the Duecalc engine"), this);
    intro->setAlignment(Qt::AlignCenter);
    layout->addWidget(intro);
    layout->addSpacing(6);
    auto addButton = [&](const char* text, const char* name, void (CQrtTableEditDlg::*slot)()) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumWidth(220);
        connect(b, &QPushButton::clicked, this, slot);
        layout->addWidget(b, 0, Qt::AlignHCenter);
        return b;
    };
    addButton("Edit Table", "editTable", &CQrtTableEditDlg::OnEditTable);
    addButton("New Table", "newTable", &CQrtTableEditDlg::OnNewTable);
    addButton("Batch Mode Edit...", "batchEdit", &CQrtTableEditDlg::OnBatchEdit);
    layout->addSpacing(10);
    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("done"));
    done->setAutoDefault(false);
    done->setMinimumWidth(220);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(done, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CTableEdit* CQrtTableEditDlg::TableDialog() const { return m_editor; }

CAboutDlg* CQrtTableEditDlg::AboutBox() const { return m_about; }

QPushButton* CQrtTableEditDlg::Button(const char* objectName) const {
    return findChild<QPushButton*>(QString::fromLatin1(objectName));
}

void CQrtTableEditDlg::OpenTableDialog(CTableEdit* dialog) {
    m_editor = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, dialog] { m_folder = dialog->Model().Folder(); });
    dialog->ShowTable();
    dialog->open();
}

void CQrtTableEditDlg::OnEditTable() {
    const auto chosen = m_prompts.OpenFile("Open Interest Rate Table", m_folder, "FEDERAL.TB3", kTableFilter);
    if (!chosen || chosen->empty()) return;
    m_folder = FolderOf(*chosen);
    const std::string path = m_folder + FileNameOf(*chosen);
    auto* dialog = new CTableEdit(m_prompts, m_folder, this);
    if (!dialog->Model().Table().Read(path, 1, 1)) {
        delete dialog;
        m_prompts.Message("Failed to read " + path + "!");
        return;
    }
    OpenTableDialog(dialog);
}

void CQrtTableEditDlg::OnNewTable() { OpenTableDialog(new CTableEdit(m_prompts, m_folder, this)); }

void CQrtTableEditDlg::OnBatchEdit() {
    const auto chosen = m_prompts.OpenFile("Batch Mode Edit", m_folder, "", kBatchFilter);
    if (!chosen || chosen->empty()) return;
    if (m_batchEdit) m_batchEdit(FolderOf(*chosen), FileNameOf(*chosen), m_prompts);
}

void CQrtTableEditDlg::OnAbout() {
    if (!m_about) {
        m_about = new CAboutDlg(this);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->open();
}

}  // namespace tableedit
