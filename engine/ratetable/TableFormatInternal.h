// The .TB3 rate table file format, shared by reader, writer and table cache:
// a 136-byte header image, entryCount 30-byte entry images, then the notes
// (notesLength bytes, no terminator). Integers little-endian, doubles 64-bit
// IEEE 754 little-endian, no gaps. Images are built and parsed field by field
// here; no struct is ever copied to or from these bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ratetable/IRTU.h"
#include "ratetable/TableHeader.h"

namespace tb3 {

constexpr size_t kHeaderSize = 136;
constexpr size_t kEntrySize = 30;
constexpr int kMaxEntries = 500;

// Header image offsets.
constexpr size_t kFileTypeOffset = 0;        // 1 byte: 3
constexpr size_t kVersionOffset = 1;         // 1 signed byte: 4 or 5
constexpr size_t kEntryCountOffset = 2;      // 2 bytes
constexpr size_t kReservedAOffset = 4;       // 20 bytes
constexpr size_t kReservedASize = 20;
constexpr size_t kEndDateOffset = 24;        // 2 bytes: Date serial
constexpr size_t kSignatureOffset = 26;      // 4 bytes: "SAck"
constexpr size_t kReservedBOffset = 30;      // 2 bytes: 1
constexpr size_t kNotesLengthOffset = 32;    // 2 bytes
constexpr size_t kNotesPlaceholderOffset = 34;  // 4 bytes, meaningless
constexpr size_t kNotesPlaceholderSize = 4;
constexpr size_t kDescriptionOffset = 38;    // 94 bytes, NUL-terminated
constexpr size_t kDescriptionSize = 94;
constexpr size_t kReservedCOffset = 132;     // 2 bytes: 0
constexpr size_t kReservedDOffset = 134;     // 2 bytes: 1

// Entry image offsets.
constexpr size_t kStartOffset = 0;           // 2 bytes: Date serial
constexpr size_t kMethodOffset = 2;          // 2 bytes
constexpr size_t kNormalRateOffset = 4;      // 8 bytes
constexpr size_t kMotivatedRateOffset = 12;  // 8 bytes
constexpr size_t kRefundRateOffset = 20;     // 8 bytes
constexpr size_t kDpyOffset = 28;            // 2 bytes

constexpr char kSignature[4] = {'S', 'A', 'c', 'k'};
constexpr uint8_t kFileType = 3;
constexpr int8_t kVersionPlain = 4;
constexpr int8_t kVersionSpecialDpy = 5;
constexpr int8_t kMaxVersion = 5;

// 30-byte image of an entry.
void EncodeEntry(const IRTU& e, uint8_t* out);
void DecodeEntry(const uint8_t* in, IRTU& e);
// 136-byte image of a header; the notes placeholder (bytes 34-37) is written
// as zeros. DecodeHeader sets every field but m_notes, which it leaves alone.
void EncodeHeader(const TableHeader& h, uint8_t* out);
void DecodeHeader(const uint8_t* in, TableHeader& h);

}  // namespace tb3
