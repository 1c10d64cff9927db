// Decimal text is split into digits and a power of ten and scaled to cents
// with integer arithmetic only.
#include "DollarText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Digits of a decimal number with its sign and the power of ten of the last
// digit: "12.5e1" is digits "125", exponent 0.
struct DecimalParts {
    bool negative = false;
    std::string digits;
    long exponent = 0;
};

int SplitDecimal(const std::string& text, DecimalParts& parts) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    size_t intDigits = 0, fracDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        parts.digits += text[i++];
        ++intDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            parts.digits += text[i++];
            ++fracDigits;
        }
        if (fracDigits == 0) return 0;
    }
    if (intDigits == 0) return 0;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) negExp = text[i++] == '-';
        size_t expStart = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (i == expStart) return 0;
        if (negExp) exponent = -exponent;
    }
    if (i != text.size()) return 0;
    parts.exponent = exponent - static_cast<long>(fracDigits);
    // Leading zeros carry nothing.
    size_t firstNonZero = parts.digits.find_first_not_of('0');
    parts.digits = firstNonZero == std::string::npos ? "" : parts.digits.substr(firstNonZero);
    return 1;
}

// The value of parts times 10^shift as an integer, when that is whole and
// at most limit in magnitude.
int ScaledInteger(DecimalParts parts, long shift, int64_t limit, int64_t& value) {
    long exponent = parts.exponent + shift;
    // Trailing zeros below the unit are harmless: 12.500 is 12.5.
    while (exponent < 0 && !parts.digits.empty() && parts.digits.back() == '0') {
        parts.digits.pop_back();
        ++exponent;
    }
    if (parts.digits.empty()) {
        value = 0;
        return 1;
    }
    if (exponent < 0) return 0;                       // a fraction remains
    if (parts.digits.size() + exponent > 18) return 0;  // far beyond any limit
    int64_t v = 0;
    for (char c : parts.digits) v = v * 10 + (c - '0');
    for (long k = 0; k < exponent; ++k) v *= 10;
    if (v > limit) return 0;
    value = parts.negative ? -v : v;
    return 1;
}

}  // namespace

int ParseDollarText(const std::string& text, int64_t& cents) {
    DecimalParts parts;
    if (!SplitDecimal(text, parts)) return 0;
    // A third decimal place is refused even when it is zero ("10000.100"):
    // amounts are written in cents, and a longer fraction is more likely a
    // typing slip than a value.
    if (parts.exponent < -2) return 0;
    return ScaledInteger(parts, 2, kMaxInputCents, cents);
}

int ParseWholeNumber(const std::string& text, int32_t& value) {
    DecimalParts parts;
    if (!SplitDecimal(text, parts)) return 0;
    int64_t v = 0;
    if (!ScaledInteger(parts, 0, 2147483647, v)) return 0;
    value = static_cast<int32_t>(v);
    return 1;
}

std::string FormatCurrency(int64_t cy) {
    // Round the four decimals of the currency type to two, half away from zero.
    bool negative = cy < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(cy) : static_cast<uint64_t>(cy);
    uint64_t cents = (magnitude + 50) / 100;
    // Written by hand rather than with snprintf: a batch of accounts formats
    // dozens of amounts per account.
    char text[40];
    char* p = text;
    if (negative && cents != 0) *p++ = '-';
    p = std::to_chars(p, text + sizeof text, cents / 100).ptr;
    *p++ = '.';
    *p++ = static_cast<char>('0' + cents % 100 / 10);
    *p++ = static_cast<char>('0' + cents % 10);
    return std::string(text, p);
}

std::string FormatCents(double cents) {
    // Past 2^53 cents a double holds whole cents only, and times 100 the
    // currency type would overflow: print the double's own digits.
    if (!(std::fabs(cents) < 9.0e15)) {
        char digits[400];
        std::snprintf(digits, sizeof digits, "%.0f", std::nearbyint(cents));
        std::string text = digits;
        if (text.find_first_not_of("-0123456789") != std::string::npos) return text;  // inf, nan
        return text.substr(0, text.size() - 2) + "." + text.substr(text.size() - 2);
    }
    double rounded = cents < 0 ? -static_cast<double>(static_cast<int64_t>(-cents + 0.5))
                               : static_cast<double>(static_cast<int64_t>(cents + 0.5));
    return FormatCurrency(static_cast<int64_t>(rounded) * 100);
}

int ParseIsoDate(const std::string& text, Date& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return 0;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9') return 0;
    int year = std::atoi(text.substr(0, 4).c_str());
    int month = std::atoi(text.substr(5, 2).c_str());
    int day = std::atoi(text.substr(8, 2).c_str());
    if (year < 1954 || year > 2133) return 0;
    Date d(month, day, year);
    if (!d.isValid()) return 0;
    // SetDate may normalise what it is given; keep only exact dates.
    int m = 0, dd = 0, y = 0;
    d.ToMDY(m, dd, y);
    if (m != month || dd != day || (y != year && y + 1900 != year)) return 0;
    date = d;
    return 1;
}

std::string DateRangeText() {
    Date first, last;
    first.serial = 0;
    last.serial = Date::kLastSerial;
    return "from " + IsoDate(first) + " to " + IsoDate(last);
}

std::string IsoDate(Date date) {
    if (!date.isValid()) return "";
    int m = 0, d = 0, y = 0;
    date.ToMDY(m, d, y);
    if (y < 1000) y += 1900;
    char text[40];
    if (y < 1000 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
        return text;
    }
    // The usual case by hand (no snprintf): YYYY-MM-DD.
    const int parts[3] = {y, m, d};
    char* p = text;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) *p++ = '-';
        const int v = parts[k];
        if (k == 0) {
            *p++ = static_cast<char>('0' + v / 1000);
            *p++ = static_cast<char>('0' + v / 100 % 10);
        }
        *p++ = static_cast<char>('0' + v / 10 % 10);
        *p++ = static_cast<char>('0' + v % 10);
    }
    return std::string(text, p);
}
