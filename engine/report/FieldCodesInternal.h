// The field codes of report templates: the table that MergeTemplateLine looks
// codes up in, and the applicability rules that drop penalty template lines
// whose field does not apply to the account's tax year.
// Constant data: any thread.
#pragma once

#include <cstddef>

#include "calendar/Date.h"

namespace report {

// The byte that marks a field in a template line.
constexpr unsigned char kFieldMark = 0xAD;

enum FieldCode : int {
    kJim0, kJim1, kGact, kAdda, kAddd, kAade, kAadf, kAadg, kDate, kTime, kSdat, kPage,
    kTitle, kVer, kPnam, kName, kIdnm, kD101, kD102, kD103, kD104,
    kAmt0, kAmt1, kAmt2, kAmt3, kAmt4, kAlt0, kAlt1, kAlt2, kAlt3, kAlt4,
    kPper, kPpf1, kPpr1, kPpr2,
    kDte10, kDte11, kDte0, kDte1, kDte2, kDte3, kDte4, kDte5, kDte6, kDte7, kDte8, kDte9,
    kDPlus11, kDued, kA3aa, kBase, kBas1, kBam0, kBam1, kBam2, kTtax, kTtsd,
    kPbcm, kPare, kPbrd, kIntp, kA30d, kAadd,
    kRedu, kPmax, kPbin, kPmin, kMbas, kRed2, kReal,
    kTend, kTdes, kTnam, kPna, kFrau, kP2ba, kEsum, kSumm,
    kMonths, kCount, kRate,
    kFieldCodeCount,
    kNoCode = -1,
};

// The code's text ("AMT0"), "" outside the table.
const char* FieldCodeText(int code);

// The code at text (the bytes after a field mark): the first code of the
// table, in table order, that text begins with (the one-letter codes M, m
// and R are tried last); kNoCode when none matches. DTE10 and DTE11 stand
// before DTE1 so that all twelve date codes can be reached.
int FindFieldCode(const char* text, size_t length);

// 1 when a line holding field `code` is dropped for penalty kind `kind` on
// an account whose tax is due on `taxDue`.
int FieldRejected(int code, int kind, Date taxDue);

}  // namespace report
