// Month lengths and month/day counts used by interest accrual.
#include "calendar/CalendarInternal.h"

int DaysInMonth(int month, int year)
{
    switch (month) {
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return year % 4 == 0 ? 29 : 28;
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    default:
        return 0;
    }
}

int MonthsBetween(Date from, Date to)
{
    if (!from.isValid() || !to.isValid())
        return 0;
    int fm = 0, fd = 0, fy = 0, tm = 0, td = 0, ty = 0;
    from.ToMDY(fm, fd, fy);
    to.ToMDY(tm, td, ty);
    return 12 * (ty - fy) + (tm - fm);
}

void MonthsAndDaysBetween(Date from, Date to, int* months, int* days)
{
    int m = 0, d = 0;
    if (from.isValid() && to.isValid()) {
        int fm = 0, fd = 0, fy = 0, tm = 0, td = 0, ty = 0;
        from.ToMDY(fm, fd, fy);
        to.ToMDY(tm, td, ty);
        m = 12 * (ty - fy) + (tm - fm);
        d = td - fd;
        const bool fromEnd = fd == DaysInMonth(fm, fy);
        const bool toEnd = td == DaysInMonth(tm, ty);
        if (fromEnd && toEnd) {
            d = 0;
        } else if (fromEnd) {
            m -= 1;
            d = td;
        } else if (d < 0) {
            // Borrow the length of the month before `to`. The day count is
            // taken from `to` itself: the day of `to` moved back a month can
            // be cut to a month end (30 January -> 28 February would give
            // 32 days for a 29-day span).
            const Date p = to.AddMonths(-1);
            int pm = 0, pd = 0, py = 0;
            p.ToMDY(pm, pd, py);
            m -= 1;
            d = td + DaysInMonth(pm, py) - fd;
        }
    }
    if (months)
        *months = m;
    if (days)
        *days = d;
}
