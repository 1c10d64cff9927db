// IRTU: one entry of an interest rate table, the period that opens on m_start.
// CompoundMethod: the compounding method codes stored in entries, with their
// printed names (CompoundMethodName).
//
// Rates are percent per year (8.0 = 8 %). m_dpy is a days-per-year code: 365,
// 366, or 100 (read as 365.25 days); any other value is "special". An entry
// whose m_start is not a valid Date (65535) is an empty slot. In a file or the
// table cache an entry is a 30-byte little-endian image (ratetable/
// TableFormatInternal.h); this struct is the in-memory form only and is never
// copied to or from those bytes directly.
// A plain value: any thread may use its own copies.
// Tests: the 30-byte image is pinned by the golden file test of the writer.
#pragma once

#include <cstdint>

#include "calendar/Date.h"

enum CompoundMethod : uint16_t {
    kOldIrsMethod = 0,
    kSimple = 1,
    kDaily = 2,
    kMonthlyPlusDays = 3,
    kSumOfFactors = 4,
    kMonthlyWholeMonths = 5,
};

// The printed name of a method code ("Old IRS Method", "Simple", "Daily",
// "Monthly (+ days)", "Sum of Factors", "Monthly (wh mnths)"); "" for any
// other code.
const char* CompoundMethodName(int code);

struct IRTU {
    Date m_start;                // starting date; 65535 = empty slot
    uint16_t m_method = 0;       // CompoundMethod code
    double m_normalRate = 0.0;   // normal underpayment rate, % per year
    double m_motivatedRate = 0.0;// motivated underpayment rate, % per year
    double m_refundRate = 0.0;   // refund (overpayment) rate, % per year
    uint16_t m_dpy = 0;          // days-per-year code: 365, 366, 100 = 365.25

    // All fields zero, then no starting date: an empty slot.
    void Clear() { *this = IRTU{}; }
};
