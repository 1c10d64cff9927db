#include "QtEditorPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "TextCodec.h"

namespace tableedit {

namespace {

const char kBoxTitle[] = "QrtTableEdit";

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
    const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (description.isEmpty()) break;
        if (description.contains(QLatin1Char('(')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters;
}

EditorPrompts::Answer QtEditorPrompts::Message(const std::string& text, Buttons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromLatin1(kBoxTitle));
    box.setText(FromUtf8(text));
    switch (buttons) {
    case Buttons::Ok:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<std::string> QtEditorPrompts::RunFileDialog(bool save, const std::string& title,
                                                          const std::string& folder,
                                                          const std::string& initialName,
                                                          const std::string& filter) {
    QFileDialog dialog(QApplication::activeWindow(), FromUtf8(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = QtNameFilters(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        // The default extension is the first filter's ("*.TB3" gives "TB3").
        const QString first = FromUtf8(filter).section(QLatin1Char('|'), 1, 1).trimmed();
        if (first.startsWith(QStringLiteral("*.")) && first.indexOf(QLatin1Char('*'), 2) < 0)
            dialog.setDefaultSuffix(first.mid(2));
    }
    if (!folder.empty()) dialog.setDirectory(FromUtf8(folder));
    // "*.TB3" and the like are patterns, not names to propose.
    if (!initialName.empty() && initialName.find('*') == std::string::npos)
        dialog.selectFile(FromUtf8(initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToUtf8(dialog.selectedFiles().front());
}

std::optional<std::string> QtEditorPrompts::OpenFile(const std::string& title, const std::string& folder,
                                                     const std::string& initialName,
                                                     const std::string& filter) {
    return RunFileDialog(false, title, folder, initialName, filter);
}

std::optional<std::string> QtEditorPrompts::SaveFile(const std::string& title, const std::string& folder,
                                                     const std::string& initialName,
                                                     const std::string& filter) {
    return RunFileDialog(true, title, folder, initialName, filter);
}

}  // namespace tableedit
