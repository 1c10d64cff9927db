// Rows that the report kinds lay out themselves rather than from a template
// line: a pattern of 0xAD positions filled with values in order, the column
// headings of a report kind, and the date text of a report row.
// Used by the payment allocation, monthly accrual, rate table and penalty
// event summary rows. Plain functions: any thread, one generator at a time.
// Tests: through the report kinds (tests/report/ReportKindsTest.cpp).
#pragma once

#include <initializer_list>
#include <string>

#include "calendar/Date.h"

class CRepGen;
class ReportTemplate;

namespace report {

// `width` spaces with the field mark at each of `columns` (0-based).
std::string PatternLine(int width, std::initializer_list<int> columns);

// The pattern with the i-th field mark replaced by values[i], written from
// the mark's column over what follows it (lengthening the line where a value
// runs past its end); marks without a value become spaces. Trailing spaces
// are dropped; a row left empty is " ", as the report writes blank lines.
std::string FillPattern(const std::string& pattern, std::initializer_list<std::string> values);

// Copies `text` into a zeroed 120-byte work line, merges its fields with
// `penaltyKind` and outputs it with the page check (MergeTemplateLine).
int MergeAndOutput(CRepGen& gen, const std::string& text, int penaltyKind);

// Merges and outputs lines 0 to count-1 of `lines` (no penalty kind) and
// makes them the generator's column headings (the first ten of them), which
// every page break repeats.
void PrintHeadingLines(CRepGen& gen, const ReportTemplate& lines, int count);

// "MM-DD-YY", or "" for no date.
std::string RowDate(Date d);

}  // namespace report
