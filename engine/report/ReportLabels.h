// The fixed label texts of the report kinds that no other table of the
// engine holds: the label table of the interest detail's event lines and
// the labels of its period lines. Event kind labels, penalty codes, method
// names and allocation category names live with their own tables
// (EventKind.h, PenaltyTable.h, IRTU.h, AllocationCategory.h).
// Constant data: any thread. Tests: through the report goldens and the
// label rows of ReportKindsTest.
#pragma once

namespace report {

// Label of an interest detail event line by the line's kind: 0 to 11 the
// event kind labels, 12 to 35 the section codes of penalty slots 0 to 23,
// 36 "Stop Hot Interest", 37 "Large corp. rate increase"; "" otherwise.
const char* EventLineLabel(int kind);

constexpr int kStopHotLineKind = 36;
constexpr int kHotStartLineKind = 37;

// Labels of an interest period line.
enum RateLabel : int { kRateLabelGatt, kRateLabelHigh, kRateLabelInterest, kRateLabelHot };
const char* PeriodLineLabel(RateLabel label);

// The event summary's line for the start of large-corporate interest.
extern const char kHotInterestLine[];
// The account summary's tax line when the account has a refund check.
extern const char kTaxOrCheckLine[];

}  // namespace report
