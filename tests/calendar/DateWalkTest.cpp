// Exhaustive walks over every serial 0..65533. The expected calendar is an
// odometer kept by the test itself (day, month, year counters advanced one day
// at a time with the month lengths 31, 28/29, 31, 30, ...; every fourth year
// a leap year) and a weekday counter starting on Friday 1 January 1954.
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "calendar/Date.h"

namespace {

int MonthLength(int month, int fullYear)
{
    static const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && fullYear % 4 == 0 ? 29 : kLengths[month - 1];
}

struct Odometer {
    int m = 1, d = 1, y = 1954, weekday = 0;
    void Advance()
    {
        weekday = (weekday + 1) % 7;
        if (++d > MonthLength(m, y)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
};

TEST(DateWalk, EverySerialMatchesTheCalendar)
{
    static const char* const kNames[7] = {"Fri", "Sat", "Sun", "Mon", "Tue", "Wed", "Thu"};
    Odometer cal;
    int failures = 0;
    for (int s = 0; s <= Date::kLastSerial && failures < 10; ++s, cal.Advance()) {
        const Date t(cal.m, cal.d, cal.y);
        int m = 0, d = 0, y = 0;
        t.ToMDY(m, d, y);
        char name[8] = "";
        const int len = MonthLength(cal.m, cal.y);
        Date end = t;
        end.EndOfMonth();
        const bool ok = t.serial == s && m == cal.m && d == cal.d && y == cal.y - 1900 &&
                        t.Month() == cal.m && t.Day() == cal.d && t.Year() == cal.y - 1900 &&
                        t.DayOfWeek(name) == cal.weekday && std::strcmp(name, kNames[cal.weekday]) == 0 &&
                        t.isEOM() == (cal.d == len) && t.is1stOM() == (cal.d == 1) &&
                        (s == Date::kLastSerial || t.AddDays(1).serial == s + 1) &&
                        (s == 0 || t.AddDays(-1).serial == s - 1) &&
                        (cal.y == 2133 && cal.m == 6 ? !end.isValid()
                                                     : end.serial == s + len - cal.d);
        if (!ok) {
            ++failures;
            ADD_FAILURE() << "serial " << s << ": calendar " << cal.m << "/" << cal.d << "/" << cal.y
                          << " weekday " << cal.weekday << ", got serial " << t.serial << " fields "
                          << m << "/" << d << "/" << y << " weekday " << t.DayOfWeek(name);
        }
    }
    // 65533 is 3 June 2133: 179 years of 365 days plus 45 leap days (1956 to
    // 2132, 2100 included) to 1 January 2133 = 65380, then 151 + 2 days.
    EXPECT_EQ(cal.m * 10000 + cal.d * 100, 6 * 10000 + 4 * 100) << "65533 must be 3 June 2133";
    EXPECT_EQ(cal.y, 2133);
}

// Text and OLE forms of every day from 1954 to 2099. OLE dates count from
// 30 December 1899; 1 January 1954 is 19725, and through 2099 both calendars
// have the same leap years, so day s is 19725 + s. Two-digit years read back
// in the window 1954-2053, so from 2054 the short text gives the same day a
// century earlier (serial - 36525).
TEST(DateWalk, TextAndOleFormsRoundTripEveryDayTo2099)
{
    Odometer cal;
    int failures = 0;
    for (int s = 0; cal.y <= 2099 && failures < 10; ++s, cal.Advance()) {
        const Date t(cal.m, cal.d, cal.y);
        char want2[48], want4[48], got2[16], got4[16];
        std::snprintf(want2, sizeof want2, "%02d-%02d-%02d", cal.m, cal.d, cal.y % 100);
        std::snprintf(want4, sizeof want4, "%02d-%02d-%04d", cal.m, cal.d, cal.y);
        Date back2, back4, backOle;
        const bool ok = t.ToString(got2, 0) == 1 && std::strcmp(got2, want2) == 0 &&
                        t.ToString(got4, 1) == 1 && std::strcmp(got4, want4) == 0 &&
                        back2.FromString(got2) == 1 &&
                        back2.serial == (cal.y <= 2053 ? s : s - 36525) && back4.FromString(got4) == 1 &&
                        back4 == t && t.VariantDate() == 19725.0 + s &&
                        backOle.FromVariantDate(t.VariantDate() + 0.5) == 1 && backOle == t;
        if (!ok) {
            ++failures;
            ADD_FAILURE() << cal.m << "/" << cal.d << "/" << cal.y << ": text " << got2 << " / "
                          << got4 << " (want " << want2 << " / " << want4 << "), OLE "
                          << t.VariantDate() << " (want " << 19725 + s << "), back "
                          << back2.serial << " " << back4.serial << " " << backOle.serial;
        }
    }
}

} // namespace
