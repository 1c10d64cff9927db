// Edge cases of Date: year normalisation, the range ends, month arithmetic,
// the weekday rules, the text and OLE date forms.
//
// Expected serials come from OLE Automation dates, which count days from
// 30 December 1899: 1 January 1954 is OLE 19725 (serial 0), 1 January 2000 is
// OLE 36526 (the widely published spreadsheet serial of that day), so serial =
// OLE - 19725 for any day before March 2100. Weekdays are the calendar's
// (1 January 2000 a Saturday, 11 September 2001 a Tuesday, 1 June 2024 a
// Saturday).
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "calendar/Date.h"

namespace {

struct Mdy {
    int m, d, y;   // y in years since 1900; all -1 for an invalid date
};

Mdy Fields(Date t)
{
    Mdy r{};
    t.ToMDY(r.m, r.d, r.y);
    return r;
}

Date FromSerial(int s)
{
    Date t;
    t.serial = static_cast<uint16_t>(s);
    return t;
}

std::string Text(Date t, int four = 0)
{
    char buf[16];
    std::memset(buf, 'x', sizeof buf);
    t.ToString(buf, four);
    return buf;
}

TEST(DateSetDate, NormalisesYearsAndRejectsImpossibleDays)
{
    struct Case {
        int m, d, y;
        int serial;   // 65535 = rejected
        const char* why;
    };
    const Case cases[] = {
        {1, 1, 54, 0, "two-digit 54 is 1954"},
        {1, 1, 1954, 0, "full year"},
        {1, 1, 2000, 16801, "OLE 36526 - 19725"},
        {2, 29, 2000, 16860, "1 January 2000 + 31 + 28"},
        {2, 29, 100, 16860, "years since 1900"},
        {2, 29, 0, 16860, "two-digit 00 is 2000"},
        {1, 1, 154, 36525, "2054: 100 years with 25 leap days"},
        {1, 1, 53, 36160, "2053: 99 years with 25 leap days"},
        {1, 1, 1953, 36160, "full years 1901-1953 read as 2001-2053"},
        {6, 3, 2133, 65533, "last day: 65380 (1 January 2133, see the walk test) + 151 + 2"},
        {2, 29, 2100, 53385, "2100 is a leap year here: the day after 28 February 2100 (OLE 73109)"},
        {2, 29, 2023, 65535, "not a leap year"},
        {13, 1, 2020, 65535, "month 13"},
        {0, 1, 2020, 65535, "month 0"},
        {4, 31, 99, 65535, "April has 30 days"},
        {1, 0, 99, 65535, "day 0"},
        {6, 4, 2133, 65535, "past the last day"},
        {12, 31, 2133, 65535, "would not fit 16 bits"},
        {1, 1, 2134, 65535, "past the range"},
        {1, 1, 1900, 65535, "1900 is not normalised, out of range"},
        {1, 1, -5, 65535, "negative year"},
    };
    for (const Case& c : cases) {
        const Date t(c.m, c.d, c.y);
        EXPECT_EQ(t.serial, c.serial) << c.m << "/" << c.d << "/" << c.y << ": " << c.why;
    }
}

TEST(DateFields, InvalidDatesGiveMinusOneFieldsAndZeroFlags)
{
    const Date bad;
    EXPECT_EQ(bad.serial, Date::kInvalid);
    EXPECT_EQ(bad.isValid(), 0);
    EXPECT_EQ(FromSerial(Date::kReserved).isValid(), 0);
    EXPECT_EQ(bad.Year(), -1);
    EXPECT_EQ(bad.Month(), -1);
    EXPECT_EQ(bad.Day(), -1);
    unsigned char m = 0, d = 0, y = 0;
    bad.ToMDY(reinterpret_cast<char*>(&m), reinterpret_cast<char*>(&d), reinterpret_cast<char*>(&y));
    EXPECT_EQ(m, 255);
    EXPECT_EQ(d, 255);
    EXPECT_EQ(y, 255);
    EXPECT_EQ(bad.InYear(-1), 0);
    EXPECT_EQ(bad.isEOM(), 0);
    EXPECT_EQ(bad.is1stOM(), 0);
    EXPECT_EQ(bad.VariantDate(), -1.0);
    EXPECT_EQ(Text(bad), "");
    char buf[16] = "garbage";
    EXPECT_EQ(bad.DayOfWeek(buf), -1);
    EXPECT_STREQ(buf, "");

    const Date d2024(7, 31, 2024);
    EXPECT_EQ(d2024.Year(), 124);
    EXPECT_EQ(d2024.InYear(124), 1);
    EXPECT_EQ(d2024.isEOM(), 1);
    int mm = 0, dd = 0, yy = 0;
    d2024.ToMDY(&mm, &dd, &yy);
    EXPECT_EQ(mm * 10000 + dd * 1000 + yy, 7 * 10000 + 31 * 1000 + 124);
}

TEST(DateAddMonths, KeepsMonthEndsAndCutsLongDays)
{
    struct Case {
        Mdy from;
        int n;
        Mdy to;
    };
    const Case cases[] = {
        {{1, 31, 124}, 1, {2, 29, 124}},    // 31 January 2024 + 1 month
        {{3, 31, 123}, -1, {2, 28, 123}},
        {{2, 28, 123}, 1, {3, 31, 123}},    // a month end stays a month end
        {{1, 30, 123}, 1, {2, 28, 123}},
        {{1, 15, 123}, 1, {2, 15, 123}},
        {{11, 30, 123}, 3, {2, 29, 124}},   // over the year end, to a month end
        {{3, 15, 124}, -15, {12, 15, 122}},
        {{1, 15, 54}, -1, {12, 15, 54}},    // year before 1954 clamped to 1954
        {{2, 10, 54}, -25, {1, 10, 54}},
        {{6, 3, 233}, 0, {6, 3, 233}},
        {{6, 3, 233}, 1, {-1, -1, -1}},     // July 2133 is past the range
        {{5, 3, 233}, 1, {6, 3, 233}},
        {{5, 4, 233}, 1, {-1, -1, -1}},
    };
    for (const Case& c : cases) {
        const Date from(c.from.m, c.from.d, c.from.y);
        const Mdy got = Fields(from.AddMonths(c.n));
        EXPECT_TRUE(got.m == c.to.m && got.d == c.to.d && got.y == c.to.y)
            << c.from.m << "/" << c.from.d << "/" << c.from.y << " + " << c.n << " months = "
            << got.m << "/" << got.d << "/" << got.y << ", expected " << c.to.m << "/" << c.to.d
            << "/" << c.to.y;
    }
    EXPECT_FALSE(Date().AddMonths(1).isValid());
    EXPECT_FALSE(Date(1, 1, 2000).AddMonths(std::numeric_limits<int>::max()).isValid());
    EXPECT_EQ(Fields(Date(1, 1, 2000).AddMonths(std::numeric_limits<int>::min())).y, 54);
}

TEST(DateSteps, AddYearEndOfMonthAndRangeEnds)
{
    Date leap(2, 29, 2024);
    leap.AddYear();
    EXPECT_FALSE(leap.isValid());
    Date plain(3, 1, 2023);
    plain.AddYear();
    EXPECT_EQ(plain, Date(3, 1, 2024));
    Date lastYear(1, 1, 2133);
    lastYear.AddYear();
    EXPECT_FALSE(lastYear.isValid());

    Date feb(2, 3, 2100);
    feb.EndOfMonth();
    EXPECT_EQ(Fields(feb).d, 29);
    Date june(6, 1, 2133);
    june.EndOfMonth();   // 30 June 2133 is not representable
    EXPECT_FALSE(june.isValid());

    const Date first = FromSerial(0);
    const Date last = FromSerial(Date::kLastSerial);
    EXPECT_FALSE(first.AddDays(-1).isValid());
    EXPECT_FALSE(first.AddDays(-3).isValid());   // would wrap to 65533
    EXPECT_FALSE(last.AddDays(1).isValid());
    EXPECT_EQ(last.AddDays(-65533), first);
    EXPECT_FALSE(Date().AddDays(-2).isValid());
    EXPECT_EQ(first.DaysBetween(last), 65533);
    EXPECT_EQ(last.DaysBetween(first), 65533);
}

TEST(DateWeekdays, SteppersAndNames)
{
    char name[8];
    EXPECT_EQ(FromSerial(0).DayOfWeek(name), 0);
    EXPECT_STREQ(name, "Fri");
    EXPECT_EQ(Date(1, 1, 2000).DayOfWeek(name), 1);
    EXPECT_STREQ(name, "Sat");
    EXPECT_EQ(Date(9, 11, 2001).DayOfWeek(name), 4);
    EXPECT_STREQ(name, "Tue");

    // Week of 8 (Saturday) to 21 (Friday) September 2001.
    struct Case {
        const char* op;
        int from;
        int to;   // day of September 2001; 0 = invalid
    };
    const Case cases[] = {
        {"NextFri", 14, 21}, {"NextFri", 13, 14}, {"NextWed", 12, 19}, {"NextWed", 11, 12},
        {"NextWedOrFri", 14, 14}, {"NextWedOrFri", 15, 19}, {"NextWedOrFri", 13, 14},
        {"Semi", 11, 8}, {"Semi", 14, 12}, {"Semi", 12, 12}, {"Semi", 8, 8}, {"Semi", 10, 8},
        {"NextBusinessDay", 14, 17}, {"NextBusinessDay", 15, 17}, {"NextBusinessDay", 10, 11},
        {"SkipWeekends", 15, 17}, {"SkipWeekends", 14, 14},
    };
    for (const Case& c : cases) {
        Date t(9, c.from, 2001);
        const std::string op = c.op;
        if (op == "NextFri")
            t.NextFri();
        else if (op == "NextWed")
            t.NextWed();
        else if (op == "NextWedOrFri")
            EXPECT_EQ(t.NextWedOrFri(nullptr), Date(9, c.to, 2001));
        else if (op == "Semi")
            t.FirstDayOfSemiWeeklyPeriod(Date(9, c.from, 2001));
        else if (op == "NextBusinessDay")
            t.NextBusinessDay(nullptr);
        else
            t.SkipWeekends();
        EXPECT_EQ(t, Date(9, c.to, 2001)) << op << " from " << c.from;
    }

    Holiday h;
    Date mid(5, 20, 2024);
    mid.Next15th(nullptr);
    EXPECT_EQ(mid, Date(6, 15, 2024));   // a Saturday, kept without a handle
    mid = Date(5, 20, 2024);
    mid.Next15th(&h);
    EXPECT_EQ(mid, Date(6, 17, 2024));
    Date early(1, 10, 2024);
    early.Next15th(nullptr);
    EXPECT_EQ(early, Date(2, 15, 2024));   // always the next month
    Date dec(12, 20, 2023);
    dec.Next15th(&h);
    EXPECT_EQ(dec, Date(1, 15, 2024));

    // Invalid dates stay invalid instead of wrapping to 1954.
    Date bad;
    bad.NextWed();
    EXPECT_FALSE(bad.isValid());
    bad.NextBusinessDay(nullptr);
    EXPECT_FALSE(bad.isValid());
    EXPECT_FALSE(bad.NextWedOrFri(nullptr).isValid());
    Date last = FromSerial(Date::kLastSerial);   // a Thursday
    last.NextFri();
    EXPECT_FALSE(last.isValid());
    Date start;
    start.FirstDayOfSemiWeeklyPeriod(FromSerial(0));   // its Wednesday is in 1953
    EXPECT_FALSE(start.isValid());
}

TEST(DateText, FromStringForms)
{
    struct Case {
        const char* text;
        int ok;
        Mdy want;
    };
    const Case cases[] = {
        {"1/5/99", 1, {1, 5, 99}},
        {"01-05-1999", 1, {1, 5, 99}},
        {"010599", 1, {1, 5, 99}},
        {"01 05 99", 1, {1, 5, 99}},
        {"1/5/99\tmore", 1, {1, 5, 99}},
        {"01/01/1950", 1, {1, 1, 150}},
        {"12/31/53", 1, {12, 31, 153}},
        {"12-31-2099", 1, {12, 31, 199}},
        {"2/29/00", 1, {2, 29, 100}},
        {"1/5/99 ", 0, {}},
        {"1/5/199", 0, {}},
        {"1/5/9", 0, {}},
        {"1/5/19999", 0, {}},
        {"13/1/99", 0, {}},
        {"1/32/99", 0, {}},
        {"2/30/99", 0, {}},
        {"00/10/99", 0, {}},
        {"1/5/2100", 0, {}},
        {"1/5/1899", 0, {}},
        {"1//5/99", 0, {}},
        {"x1/5/99", 0, {}},
        {"", 0, {}},
    };
    for (const Case& c : cases) {
        Date t(7, 4, 1976);
        EXPECT_EQ(t.FromString(c.text), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            const Mdy got = Fields(t);
            EXPECT_TRUE(got.m == c.want.m && got.d == c.want.d && got.y == c.want.y) << c.text;
        } else {
            EXPECT_FALSE(t.isValid()) << c.text;
        }
    }
    Date t(1, 1, 2000);
    EXPECT_EQ(t.FromString(nullptr), 0);
    EXPECT_FALSE(t.isValid());
}

TEST(DateText, ToStringForms)
{
    EXPECT_EQ(Text(Date(1, 5, 2001)), "01-05-01");
    EXPECT_EQ(Text(Date(1, 5, 2001), 1), "01-05-2001");
    EXPECT_EQ(Text(Date(12, 31, 1999), 1), "12-31-1999");
    EXPECT_EQ(Text(Date(1, 1, 2100), 1), "01-01-2100");
    EXPECT_EQ(Text(Date(1, 1, 2100)), "01-01-00");

    char buf[16];
    std::memset(buf, 'x', sizeof buf);
    Date().ToString(buf, 1);
    EXPECT_EQ(std::string(buf, 8), std::string("\0       ", 8));

    Date(1, 1, 2000).ToStringDOW(buf);
    EXPECT_STREQ(buf, "01-01-00 Sat");
    Date().ToStringDOW(buf);
    EXPECT_STREQ(buf, "");
}

TEST(DateOle, ConversionsBothWays)
{
    EXPECT_EQ(FromSerial(0).VariantDate(), 19725.0);
    EXPECT_EQ(Date(1, 1, 2000).VariantDate(), 36526.0);
    EXPECT_EQ(Date(2, 29, 2100).VariantDate(), -1.0);     // no such OLE day
    EXPECT_EQ(Date(3, 1, 2100).VariantDate(), 73110.0);   // 36526 + 36525 + 59

    struct Case {
        double v;
        int ret;
        int serial;   // 65535 invalid; keep = unchanged from the start value
        const char* why;
    };
    const int keep = -2;
    const Case cases[] = {
        {-1.0, 1, 65535, "negative: no date"},
        {19725.0, 1, 0, "1 January 1954"},
        {19725.75, 1, 0, "time of day dropped"},
        {19725.9999999999, 1, 1, "rounds to the next day's midnight"},
        {36526.0, 1, 16801, "1 January 2000"},
        {54789.0, 1, 35064, "1 January 2050"},
        {58441.0, 1, 38716, "1 January 2060 stays in 2060"},
        {73109.0, 1, 53384, "28 February 2100"},
        {73110.0, 1, 53386, "1 March 2100: the day after 29 February 2100 here"},
        {65532.0 + 19725.0, 1, 65533, "3 June 2133 (one OLE day fewer since March 2100)"},
        {65533.0 + 19725.0, 0, keep, "4 June 2133 is past the range"},
        {19724.0, 0, keep, "31 December 1953 is before the range"},
        {18264.0, 0, keep, "1 January 1950 is not read as 2050"},
        {0.0, 0, keep, "30 December 1899"},
        {2958465.0, 0, keep, "31 December 9999"},
        {2958466.0, 0, keep, "past the last OLE day"},
        {std::nan(""), 0, keep, "not a number"},
        {std::numeric_limits<double>::infinity(), 0, keep, "infinity"},
    };
    for (const Case& c : cases) {
        Date t(7, 4, 1976);
        const uint16_t before = t.serial;
        EXPECT_EQ(t.FromVariantDate(c.v), c.ret) << c.why;
        EXPECT_EQ(t.serial, c.serial == keep ? before : c.serial) << c.why;
    }
}

TEST(DateSub, YearsMonthsDaysWithBorrows)
{
    struct Case {
        Mdy from, to;
        int years, months, days;
    };
    const Case cases[] = {
        {{1, 15, 120}, {1, 15, 124}, 4, 0, 0},
        {{3, 20, 120}, {1, 10, 124}, 3, 9, 21},   // 20 Mar -> 20 Dec 2023 -> 10 Jan
        {{1, 31, 123}, {3, 1, 123}, 0, 1, 1},     // 31 Jan + 1 month = 28 Feb, + 1 day
        {{1, 15, 123}, {3, 10, 123}, 0, 1, 23},
        {{1, 10, 124}, {3, 20, 120}, -3, -9, -21},
        {{5, 5, 100}, {5, 5, 100}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        int a = 99, b = 99, d = 99;
        Date(c.from.m, c.from.d, c.from.y).DateSub(a, b, d, Date(c.to.m, c.to.d, c.to.y));
        EXPECT_TRUE(a == c.years && b == c.months && d == c.days)
            << c.from.m << "/" << c.from.d << "/" << c.from.y << " -> " << c.to.m << "/" << c.to.d
            << "/" << c.to.y << " = " << a << "y " << b << "m " << d << "d";
    }
    int a = 9, b = 9, d = 9;
    Date().DateSub(a, b, d, Date(1, 1, 2000));
    EXPECT_EQ(a + b + d, 0);
}

TEST(DateClock, TodayAndSetTM)
{
    Date t;
    t.Today();
    const std::time_t now = std::time(nullptr);
    struct tm local {};
    localtime_r(&now, &local);
    EXPECT_EQ(Fields(t).y, local.tm_year);   // years since 1900, as tm counts them
    EXPECT_EQ(Fields(t).m, local.tm_mon + 1);

    struct tm out {};
    out.tm_wday = 42;
    Date(2, 29, 2024).SetTM(&out);
    EXPECT_EQ(out.tm_mon, 1);
    EXPECT_EQ(out.tm_mday, 29);
    EXPECT_EQ(out.tm_year, 124);
    EXPECT_EQ(out.tm_hour * 10000 + out.tm_min * 100 + out.tm_sec, 120101);
    EXPECT_EQ(out.tm_isdst, 0);
    EXPECT_EQ(out.tm_wday, 42);   // other members untouched
}

} // namespace
