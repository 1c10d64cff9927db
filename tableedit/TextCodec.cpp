#include "TextCodec.h"

namespace tableedit {

QString FromTableText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToTableText(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

std::string ToUtf8(const QString& text) { return text.toStdString(); }

QString NotesForEditor(const std::string& notes) {
    QString text = FromTableText(notes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string NotesForTable(const QString& text) {
    QString notes = text;
    notes.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    notes.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return ToTableText(notes);
}

}  // namespace tableedit
