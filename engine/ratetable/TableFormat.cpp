#include "ratetable/TableFormatInternal.h"

#include <cstring>

namespace tb3 {
namespace {

void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

uint16_t Get16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void PutDouble(uint8_t* p, double d) {
    uint64_t v;
    std::memcpy(&v, &d, sizeof v);
    for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

double GetDouble(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    double d;
    std::memcpy(&d, &v, sizeof d);
    return d;
}

}  // namespace

void EncodeEntry(const IRTU& e, uint8_t* out) {
    Put16(out + kStartOffset, e.m_start.serial);
    Put16(out + kMethodOffset, e.m_method);
    PutDouble(out + kNormalRateOffset, e.m_normalRate);
    PutDouble(out + kMotivatedRateOffset, e.m_motivatedRate);
    PutDouble(out + kRefundRateOffset, e.m_refundRate);
    Put16(out + kDpyOffset, e.m_dpy);
}

void DecodeEntry(const uint8_t* in, IRTU& e) {
    e.m_start.serial = Get16(in + kStartOffset);
    e.m_method = Get16(in + kMethodOffset);
    e.m_normalRate = GetDouble(in + kNormalRateOffset);
    e.m_motivatedRate = GetDouble(in + kMotivatedRateOffset);
    e.m_refundRate = GetDouble(in + kRefundRateOffset);
    e.m_dpy = Get16(in + kDpyOffset);
}

void EncodeHeader(const TableHeader& h, uint8_t* out) {
    out[kFileTypeOffset] = h.m_fileType;
    out[kVersionOffset] = static_cast<uint8_t>(h.m_version);
    Put16(out + kEntryCountOffset, h.m_entryCount);
    std::memcpy(out + kReservedAOffset, h.m_reservedA, kReservedASize);
    Put16(out + kEndDateOffset, h.m_endDate.serial);
    std::memcpy(out + kSignatureOffset, h.m_signature, sizeof h.m_signature);
    Put16(out + kReservedBOffset, h.m_reservedB);
    Put16(out + kNotesLengthOffset, h.m_notesLength);
    std::memset(out + kNotesPlaceholderOffset, 0, kNotesPlaceholderSize);
    std::memcpy(out + kDescriptionOffset, h.m_description, kDescriptionSize);
    Put16(out + kReservedCOffset, h.m_reservedC);
    Put16(out + kReservedDOffset, h.m_reservedD);
}

void DecodeHeader(const uint8_t* in, TableHeader& h) {
    h.m_fileType = in[kFileTypeOffset];
    h.m_version = static_cast<int8_t>(in[kVersionOffset]);
    h.m_entryCount = Get16(in + kEntryCountOffset);
    std::memcpy(h.m_reservedA, in + kReservedAOffset, kReservedASize);
    h.m_endDate.serial = Get16(in + kEndDateOffset);
    std::memcpy(h.m_signature, in + kSignatureOffset, sizeof h.m_signature);
    h.m_reservedB = Get16(in + kReservedBOffset);
    h.m_notesLength = Get16(in + kNotesLengthOffset);
    std::memcpy(h.m_description, in + kDescriptionOffset, kDescriptionSize);
    // A description without its terminator would let Description() readers
    // run past the field; the last byte is then made the terminator.
    if (std::memchr(h.m_description, '\0', kDescriptionSize) == nullptr)
        h.m_description[kDescriptionSize - 1] = '\0';
    h.m_reservedC = Get16(in + kReservedCOffset);
    h.m_reservedD = Get16(in + kReservedDOffset);
}

}  // namespace tb3
