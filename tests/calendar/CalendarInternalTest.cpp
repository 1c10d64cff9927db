// Month lengths and the month/day counts of interest accrual. Expected counts
// are worked by hand in each row's comment.
#include <gtest/gtest.h>

#include "calendar/CalendarInternal.h"

namespace {

TEST(CalendarInternal, DaysInMonthFollowsTheFourYearRule)
{
    struct Case {
        int month, year, days;
    };
    const Case cases[] = {
        {1, 123, 31}, {2, 123, 28}, {2, 124, 29}, {2, 100, 29}, {2, 200, 29},   // 2100 leap
        {4, 99, 30},  {6, 54, 30},  {9, 60, 30},  {11, 61, 30}, {12, 61, 31},
        {0, 100, 0},  {13, 100, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DaysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
}

TEST(CalendarInternal, MonthsBetweenIgnoresDays)
{
    EXPECT_EQ(MonthsBetween(Date(1, 31, 2023), Date(2, 1, 2023)), 1);
    EXPECT_EQ(MonthsBetween(Date(1, 16, 2023), Date(3, 14, 2023)), 2);
    EXPECT_EQ(MonthsBetween(Date(11, 30, 2023), Date(2, 1, 2025)), 15);
    EXPECT_EQ(MonthsBetween(Date(3, 1, 2024), Date(1, 31, 2024)), -2);
    EXPECT_EQ(MonthsBetween(Date(), Date(1, 31, 2024)), 0);
}

TEST(CalendarInternal, MonthsAndDaysBetweenMonthEndRules)
{
    struct Case {
        int fm, fd, tm, td, year;
        int months, days;
        const char* why;
    };
    const Case cases[] = {
        {1, 31, 4, 30, 2023, 3, 0, "both month ends"},
        {1, 30, 3, 15, 2023, 1, 13, "15 - 30 < 0: 1 month, 15 + 28 (February) - 30"},
        {1, 31, 3, 15, 2023, 1, 15, "only from a month end: 2 - 1 months, day 15"},
        {1, 10, 3, 25, 2023, 2, 15, "plain difference"},
        {1, 30, 2, 28, 2023, 0, 29, "to a month end: 28 + 31 (January) - 30 = 29 days elapsed"},
        {3, 30, 5, 29, 2024, 1, 29, "29 + 30 (April) - 30"},
        {2, 29, 3, 31, 2024, 1, 0, "leap-year month ends"},
        {2, 28, 3, 31, 2024, 1, 3, "28 February 2024 is not a month end"},
    };
    for (const Case& c : cases) {
        int months = -99, days = -99;
        MonthsAndDaysBetween(Date(c.fm, c.fd, c.year), Date(c.tm, c.td, c.year), &months, &days);
        EXPECT_TRUE(months == c.months && days == c.days)
            << c.fm << "/" << c.fd << " -> " << c.tm << "/" << c.td << "/" << c.year << ": got "
            << months << " months " << days << " days; " << c.why;
    }
    int months = -99, days = -99;
    MonthsAndDaysBetween(Date(), Date(1, 1, 2000), &months, &days);
    EXPECT_EQ(months * 100 + days, 0);
}

} // namespace
