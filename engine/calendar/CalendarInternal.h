// Calendar functions of the engine's interest accrual (not exported):
// month lengths and whole-month/day counts between two Dates. Years are
// counted from 1900 (1954 is 54); every year divisible by 4 is a leap year.
// Pure functions; any thread.
// Tests: month lengths, month counts across years, the month-end rules of
// MonthsAndDaysBetween.
#pragma once

#include "calendar/Date.h"

// Length of month (1-12) in year (years since 1900); 0 for a month outside 1-12.
int DaysInMonth(int month, int year);

// 12 x (year of to - year of from) + (month of to - month of from): whole
// calendar months, days ignored; negative when to lies in an earlier month.
// 0 when either date is invalid.
int MonthsBetween(Date from, Date to);

// Whole months and remaining days from `from` to `to`:
// both month ends -> 0 days; only `from` a month end -> one month less and the
// day of `to` as days; otherwise a negative day count borrows the length of
// the month before `to` (30 January -> 28 February 2023 = 0 months 29 days).
// 31 January -> 30 April = 3 months 0 days;
// 30 January 2023 -> 15 March 2023 = 1 month 13 days.
// Both outputs are 0 when either date is invalid.
void MonthsAndDaysBetween(Date from, Date to, int* months, int* days);
