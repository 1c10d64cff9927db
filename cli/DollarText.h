// Exact conversions between dollar amounts written as decimal text and whole
// cents (int64_t), and between ISO dates "YYYY-MM-DD" and the engine's Date.
// Nothing here passes decimal text through binary floating point.
// Tests: exponents, too many decimals, limits, rounding of display.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/Date.h"

// Largest amount accepted from a file, in cents: $999,999,999,999.99.
constexpr int64_t kMaxInputCents = 99999999999999;

// Reads a decimal number ("1234.56", "-5", "1.5e3") as whole cents. Returns 1
// on success; 0 when it is not a number, is written with more than two
// decimal places once its exponent is applied (a zero third place included),
// or lies outside +/- kMaxInputCents.
int ParseDollarText(const std::string& text, int64_t& cents);

// A whole number (JSON integer text, optional exponent) within int32_t.
int ParseWholeNumber(const std::string& text, int32_t& value);

// Cents (a double of the engine) as "-1234.56", rounded half away from zero
// to the cent.
std::string FormatCents(double cents);

// A currency value (1/10000 dollar) as dollars with two decimals, rounded
// half away from zero to the cent.
std::string FormatCurrency(int64_t cy);

// "YYYY-MM-DD" (exactly that shape) to a valid Date; 0 when the text is not a
// date of the engine's range (1 January 1954 to the date of serial 65533).
int ParseIsoDate(const std::string& text, Date& date);

// A valid Date as "YYYY-MM-DD"; an invalid one as an empty string.
std::string IsoDate(Date date);

// "from 1954-01-01 to <last date>" for messages.
std::string DateRangeText();
