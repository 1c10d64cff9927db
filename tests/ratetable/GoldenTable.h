// The golden table: a table set up in memory, and the bytes of its .TB3 file
// written out by hand, field by field, from the file layout (offsets in the
// comments). Shared by the writer, reader and round-trip tests.
#pragma once

#include <string>
#include <vector>

#include "ratetable/InterestRateTable.h"

// A Date from its serial, written as the file holds it.
inline Date SerialDate(uint16_t serial) {
    Date d;
    d.serial = serial;
    return d;
}

// Slots: two valid entries (the second with days-per-year code 100), an empty
// slot, then a stray valid slot that is not part of the table.
inline void SetUpGoldenTable(InterestRateTable& t) {
    t.Clear();
    t.SetTableName("GOLDEN");
    t.SetDescription("Golden table");
    t.SetTableEndDate(SerialDate(0x5A3C));
    TableHeader* h = t.GetHeader();
    h->m_reservedA[0] = 0x7A;  // kept by the writer
    h->m_reservedA[5] = 0xFF;  // zeroed by the writer
    h->m_reservedC = 7;        // written as 0
    h->TableNotes("Line one\nLine two");  // 17 bytes
    *t.GetEntry(0) = IRTU{SerialDate(0x2710), 2, 8.0, 10.0, 7.0, 365};
    *t.GetEntry(1) = IRTU{SerialDate(0x2774), 1, 8.25, 0.5, 7.5, 100};
    *t.GetEntry(3) = IRTU{SerialDate(0x2800), 1, 9.0, 9.0, 9.0, 365};
}

inline std::vector<unsigned char> GoldenTableBytes() {
    std::vector<unsigned char> b;
    auto put = [&b](std::initializer_list<int> bytes) {
        for (int x : bytes) b.push_back(static_cast<unsigned char>(x));
    };
    auto zeros = [&b](size_t n) { b.insert(b.end(), n, 0); };
    auto text = [&b](const std::string& s) { b.insert(b.end(), s.begin(), s.end()); };

    put({0x03});              // 0: file type 3
    put({0x05});              // 1: version 5 (an entry uses code 100)
    put({0x02, 0x00});        // 2: entry count 2
    put({0x7A});              // 4: reserved A, first byte kept
    zeros(19);                // 5-23: reserved A, zeroed
    put({0x3C, 0x5A});        // 24: end date serial 0x5A3C
    text("SAck");             // 26: signature
    put({0x01, 0x00});        // 30: reserved B = 1
    put({0x11, 0x00});        // 32: notes length 17
    zeros(4);                 // 34: notes placeholder
    text("Golden table");     // 38: description, 12 characters
    zeros(94 - 12);           //     and the rest of its 94 bytes
    put({0x00, 0x00});        // 132: reserved C = 0
    put({0x01, 0x00});        // 134: reserved D = 1
    // 136: entry 0: serial 0x2710, Daily, 8.0 (0x4020000000000000),
    // 10.0 (0x4024000000000000), 7.0 (0x401C000000000000), 365 (0x016D)
    put({0x10, 0x27, 0x02, 0x00});
    put({0, 0, 0, 0, 0, 0, 0x20, 0x40});
    put({0, 0, 0, 0, 0, 0, 0x24, 0x40});
    put({0, 0, 0, 0, 0, 0, 0x1C, 0x40});
    put({0x6D, 0x01});
    // 166: entry 1: serial 0x2774, Simple, 8.25 (0x4020800000000000),
    // 0.5 (0x3FE0000000000000), 7.5 (0x401E000000000000), 100 (0x0064)
    put({0x74, 0x27, 0x01, 0x00});
    put({0, 0, 0, 0, 0, 0x80, 0x20, 0x40});
    put({0, 0, 0, 0, 0, 0, 0xE0, 0x3F});
    put({0, 0, 0, 0, 0, 0, 0x1E, 0x40});
    put({0x64, 0x00});
    text("Line one\nLine two");  // 196: notes, no terminator
    return b;                    // 213 bytes
}
