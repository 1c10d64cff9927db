// The two lists of the table grid: computation mode and days per year, each
// a list text with the code stored in the table entry, in the order shown.
// Tests: every code maps to its text and back; codes outside a list give -1.
#pragma once

#include <span>

namespace tableedit {

struct ListItem {
    const char* text;  // UTF-8
    int code;
};

// "Old IRS Method" 0, "Simple" 1, "Daily" 2, "Monthly (+ exact days)" 3,
// "Monthly (whole months)" 5, "Sum of Factors" 4.
std::span<const ListItem> ModeList();
// "365" 365, "366" 366, "365¼" 100 (365.25 days).
std::span<const ListItem> DaysPerYearList();

// Position of `code` in the list, or -1 when the list has no such code.
int IndexOfCode(std::span<const ListItem> list, int code);
// Code of the item at `index`, or -1 for no selection (index -1 or out of range).
int CodeAt(std::span<const ListItem> list, int index);

}  // namespace tableedit
