// The checks a grid cell or the end-date field makes on its text when it
// loses the focus, and the text form of a rate.
// Tests: valid and invalid dates with their rewritten text; rates rounded to
// two decimals, divided by 10 while above 99.99, non-numbers and infinities
// read as 0.
#pragma once

#include <string>

#include "calendar/Date.h"

namespace tableedit {

struct DateCellCheck {
    bool ok;           // the text is empty or a valid date
    Date date;         // the date read (no date when empty or invalid)
    std::string text;  // what the cell shows afterwards: "MM-DD-YY", "" or the text as typed
};

struct RateCellCheck {
    bool tooLarge;     // the number was above 99.99 and was divided by 10 until it was not
    double value;      // percent, rounded to two decimals
    std::string text;  // the value formatted "%2.2lf"
};

DateCellCheck CheckDateCell(const std::string& text);
// A text that is not a number (or is not finite) reads as 0.
RateCellCheck CheckRateCell(const std::string& text);
// "%2.2lf": 8 gives "8.00", 12.5 gives "12.50".
std::string FormatRate(double rate);
// The date as the cells show it: "MM-DD-YY", or "" when it is not valid.
std::string DateText(Date d);

}  // namespace tableedit
