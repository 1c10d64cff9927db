#include "ratetable/TableHeader.h"

#include <cstring>

void TableHeader::Clear() {
    *this = TableHeader{};
}

void TableHeader::TableNotes(const std::string& notes) {
    // The length field is 16 bits and the text ends at its first NUL byte, so
    // the notes kept are exactly what a file can carry.
    size_t n = notes.find('\0');
    if (n == std::string::npos) n = notes.size();
    if (n > 65535) n = 65535;
    m_notes.assign(notes, 0, n);
    m_notesLength = static_cast<uint16_t>(n);
}
