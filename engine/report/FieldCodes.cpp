#include "report/FieldCodesInternal.h"

#include <cstring>

namespace report {
namespace {

// In lookup order; the one-letter codes come last.
constexpr const char* kCodes[kFieldCodeCount] = {
    "JIM0", "JIM1", "GACT", "ADDA", "ADDD", "AADE", "AADF", "AADG", "DATE", "TIME", "SDAT", "PAGE",
    "TITLE", "VER", "PNAM", "NAME", "IDNM", "D101", "D102", "D103", "D104",
    "AMT0", "AMT1", "AMT2", "AMT3", "AMT4", "ALT0", "ALT1", "ALT2", "ALT3", "ALT4",
    "PPER", "PPF1", "PPR1", "PPR2",
    "DTE10", "DTE11", "DTE0", "DTE1", "DTE2", "DTE3", "DTE4", "DTE5", "DTE6", "DTE7", "DTE8", "DTE9",
    "D+11", "DUED", "A3AA", "BASE", "BAS1", "BAM0", "BAM1", "BAM2", "TTAX", "TTSD",
    "PBCM", "PARE", "PBRD", "INTP", "A30D", "AADD",
    "REDU", "PMAX", "PBIN", "PMIN", "MBAS", "RED2", "REAL",
    "TEND", "TDES", "TNAM", "PNA", "FRAU", "P2BA", "ESUM", "SUMM",
    "M", "m", "R",
};

}  // namespace

const char* FieldCodeText(int code)
{
    return code >= 0 && code < kFieldCodeCount ? kCodes[code] : "";
}

int FindFieldCode(const char* text, size_t length)
{
    for (int code = 0; code < kFieldCodeCount; ++code) {
        const size_t n = std::strlen(kCodes[code]);
        if (n <= length && std::memcmp(text, kCodes[code], n) == 0) return code;
    }
    return kNoCode;
}

int FieldRejected(int code, int kind, Date taxDue)
{
    // The due year counts from 1900 (1989 is 89); -1 without a due date.
    const int year = taxDue.Year();
    const bool before1982Act = taxDue < Date(9, 3, 1982);
    const bool outside81to88 = year < 81 || year > 88;
    switch (code) {
    case kAlt1:
        if (kind == 4) return before1982Act || year >= 89;
        return kind == 3 && outside81to88;
    case kAlt2:
    case kDte2:
        return kind == 3 && outside81to88;
    case kPpr1:
        if (kind == 3) return outside81to88;
        return kind == 23 && year < 90;
    case kDte1:
        switch (kind) {
        case 7: return year < 90;
        case 9:
        case 23: return taxDue >= Date(7, 19, 1984);
        case 4: return before1982Act || year >= 89;
        case 10: return taxDue > Date(10, 21, 1986);
        default: return 0;
        }
    case kDte0:
        return kind == 4 && year >= 89;
    default:
        return 0;
    }
}

}  // namespace report
