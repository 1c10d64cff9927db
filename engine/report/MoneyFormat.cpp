// Number formatting of the reports: dollars from cents, thousands separators,
// right justification.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "report/CRepGen.h"

void CRepGen::FormatMoney(char* out, double cents, int commas, int angleBrackets, int dropCentsWhenLarge,
                          int wholeDollars)
{
    if (out == nullptr) return;
    out[0] = '\0';
    if (std::isnan(cents)) return;
    bool negative = cents < -0.009;
    double value = std::fabs(cents);  // -0.0 becomes 0.0
    if (value > 99999999999999.98) return;

    char text[kMoneyTextSize];
    if (wholeDollars) {
        const double dollars = std::round(value / 100.0);  // half away from zero
        std::snprintf(text, sizeof text, "%1.0lf", dollars);
        // An amount that rounds to no dollars is not shown as a negative 0.
        if (dollars == 0.0) negative = false;
    } else {
        std::snprintf(text, sizeof text, "%0.2lf", value / 100.0);
    }

    if (commas) {
        if (dropCentsWhenLarge) {
            // Amounts that would not fit 13 columns with their cents lose
            // them: above $99,999,999.99, or above $9,999,999.99 when
            // negative (the brackets take two columns).
            if (value > 9999999999.9 || (negative && value > 999999999.9)) {
                char* point = std::strchr(text, '.');
                if (point != nullptr) *point = '\0';
            }
            InsertThousandsSeparators(text);
        } else if (value <= 9999999999999.99) {
            InsertThousandsSeparators(text);
        }
    }

    if (negative)
        std::snprintf(out, kMoneyTextSize, angleBrackets ? "<%s>" : "-%s", text);
    else
        std::snprintf(out, kMoneyTextSize, "%s", text);
}

void CRepGen::InsertThousandsSeparators(char* text)
{
    if (text == nullptr) return;
    const size_t length = std::strlen(text);
    if (length < 4 || length > 50) return;
    const char* point = std::strchr(text, '.');
    const size_t integerEnd = point != nullptr ? static_cast<size_t>(point - text) : length;

    // Built from the right: the decimal part as it is, then the integer
    // part with a comma before every fourth, seventh, ... digit.
    char reversed[2 * 50 + 2];
    size_t n = 0;
    for (size_t i = length; i > integerEnd; --i) reversed[n++] = text[i - 1];
    int digits = 0;
    for (size_t i = integerEnd; i > 0; --i) {
        const char c = text[i - 1];
        if (c >= '0' && c <= '9') {
            if (digits == 3) {
                reversed[n++] = ',';
                digits = 0;
            }
            ++digits;
        }
        reversed[n++] = c;
    }
    for (size_t i = 0; i < n; ++i) text[i] = reversed[n - 1 - i];
    text[n] = '\0';
}

void CRepGen::RightJustify(char* text, int width)
{
    if (text == nullptr || width <= 0) return;
    const size_t length = std::strlen(text);
    size_t target = static_cast<size_t>(width);
    if (length > 0 && text[length - 1] == '>') ++target;
    if (length >= target) return;
    const size_t pad = target - length;
    std::memmove(text + pad, text, length + 1);
    std::memset(text, ' ', pad);
}
