// TableHeader: the header of an interest rate table: file type and version,
// entry count, table end date, description and free notes.
//
// Its file and cache form is a 136-byte little-endian image
// (ratetable/TableFormatInternal.h): bytes 0-33 and 38-135 carry the fields
// below in order; bytes 34-37 stand where the notes string is held in memory.
// m_endDate 65535 = no end date. m_notesLength is the notes' length in bytes
// (at most 65535). A plain value owned by its table: one thread at a time.
// Tests: golden header bytes; round trip of bytes 0-33 and 38-135; notes cut
// at a NUL byte and at 65535 bytes.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/Date.h"

struct TableHeader {
    uint8_t m_fileType = 0;       // 3 when saved
    int8_t m_version = 0;         // 4, or 5 when special days-per-year codes
                                  // are used; a file above 5 is refused
    uint16_t m_entryCount = 0;    // entries in the file; set by Save/Read/ExtendThrough
    uint8_t m_reservedA[20] = {}; // kept as read; Save zeroes bytes 1-19
    Date m_endDate;               // last date the table is meant to cover
    char m_signature[4] = {};     // "SAck", written by Save
    uint16_t m_reservedB = 0;     // written 1 by Save
    uint16_t m_notesLength = 0;   // length of m_notes in bytes
    std::string m_notes;          // free notes; not part of the 136-byte image
    char m_description[94] = {};  // NUL-terminated, at most 93 characters
    uint16_t m_reservedC = 0;     // written 0 by Save
    uint16_t m_reservedD = 0;     // written 1 by Save

    // Every field zero, no end date, empty notes.
    void Clear();
    std::string TableNotes() const { return m_notes; }
    // Sets the notes (up to any NUL byte, at most 65535 bytes) and
    // m_notesLength to their length.
    void TableNotes(const std::string& notes);
};
