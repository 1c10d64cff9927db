#include "CellChecks.h"

#include <charconv>
#include <cmath>

namespace tableedit {

namespace {

double RoundToCents(double v) { return std::round(v * 100.0) / 100.0; }

// The leading number of the text, as strtod reads it in the "C" locale
// (blanks and a "+" allowed in front, anything after the number ignored),
// but independent of the user's locale, which the Qt application sets.
double LeadingNumber(const std::string& text) {
    const char* p = text.c_str();
    const char* end = p + text.size();
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    if (p < end && *p == '+') ++p;
    double value = 0.0;
    if (std::from_chars(p, end, value).ec != std::errc()) return 0.0;
    return value;
}

}  // namespace

std::string DateText(Date d) {
    char buffer[11] = {};
    d.ToString(buffer, 0);
    return buffer;
}

DateCellCheck CheckDateCell(const std::string& text) {
    DateCellCheck result{true, Date(), text};
    if (text.empty()) return result;
    if (!result.date.FromString(text.c_str())) {
        result.ok = false;
        return result;
    }
    result.text = DateText(result.date);
    return result;
}

RateCellCheck CheckRateCell(const std::string& text) {
    // "8.5%" reads 8.5, "abc" reads 0.
    double value = LeadingNumber(text);
    if (!std::isfinite(value)) value = 0.0;
    value = RoundToCents(value) + 0.0;  // + 0.0: no "-0.00"
    bool tooLarge = false;
    while (value > 99.99) {
        value = RoundToCents(value / 10.0);
        tooLarge = true;
    }
    return {tooLarge, value, FormatRate(value)};
}

std::string FormatRate(double rate) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

}  // namespace tableedit
