// Conversions between the widgets' text and the editor's strings. Table
// texts (name, description, notes) are single-byte: each byte is one
// character, so a table's text survives showing and editing byte for byte.
// Paths and messages are UTF-8, as the file system and the message texts are.
#pragma once

#include <QString>
#include <string>

namespace tableedit {

QString FromTableText(const std::string& text);
// Characters outside the single-byte range become "?".
std::string ToTableText(const QString& text);
QString FromUtf8(const std::string& text);
std::string ToUtf8(const QString& text);

// Notes as a multi-line editor shows them ("\n") and as tables keep them
// ("\r\n", the line break of the batch edit's notes and of existing tables).
QString NotesForEditor(const std::string& notes);
std::string NotesForTable(const QString& text);

}  // namespace tableedit
