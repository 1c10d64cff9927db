// Date: serial day numbers from 1 January 1954 and their calendar arithmetic.
#include "calendar/Date.h"

#include <cmath>
#include <cstring>

#include "calendar/CalendarInternal.h"

namespace {

constexpr int kFirstYear = 54;   // 1954, years since 1900
constexpr int kLastYear = 233;   // 2133
constexpr int kFriday = 0;
constexpr int kSaturday = 1;
constexpr int kSunday = 2;
constexpr int kWednesday = 5;

const char* const kDayNames[7] = {"Fri", "Sat", "Sun", "Mon", "Tue", "Wed", "Thu"};

// Days of the months before month m (1-12) in a common year.
constexpr int kDaysBeforeMonth[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Days from 1 January 1954 to 1 January of year y (years since 1900, y >= 54):
// 365 a year plus one for each leap year 1956, 1960, ... before y.
int DaysBeforeYear(int y)
{
    return 365 * (y - kFirstYear) + (y - 1) / 4 - (kFirstYear - 1) / 4;
}

int DayOfYearStart(int month, int year)
{
    return kDaysBeforeMonth[month] + (month > 2 && year % 4 == 0 ? 1 : 0);
}

// Month, day and year (since 1900) of a valid serial. Equal to walking the
// years and then the months from 1954: 1952 starts a 4-year cycle of
// 366 + 365 + 365 + 365 days, and 1 January 1954 is day 731 of that cycle.
void Split(unsigned serial, int& month, int& day, int& year)
{
    const unsigned fromCycleStart = serial + 731u;
    const unsigned cycle = fromCycleStart / 1461u;
    unsigned rest = fromCycleStart % 1461u;
    unsigned yearInCycle = 0;
    if (rest >= 366u) {
        rest -= 366u;
        yearInCycle = 1u + rest / 365u;
        rest %= 365u;
    }
    year = 52 + static_cast<int>(4u * cycle + yearInCycle);
    const int dayOfYear = static_cast<int>(rest);
    int m = 1 + dayOfYear / 32;   // never past the true month; at most 1 short
    if (m < 12 && dayOfYear >= DayOfYearStart(m + 1, year))
        ++m;
    month = m;
    day = dayOfYear - DayOfYearStart(m, year) + 1;
}

// Moves a valid serial by n days; 65535 (no date) when the result leaves
// 1 January 1954 to 3 June 2133.
uint16_t Offset(uint16_t serial, long long n)
{
    const long long r = static_cast<long long>(serial) + n;
    if (r < 0 || r > Date::kLastSerial)
        return Date::kInvalid;
    return static_cast<uint16_t>(r);
}

bool IsWeekend(uint16_t serial)
{
    const int wd = serial % 7;
    return wd == kSaturday || wd == kSunday;
}

// Gregorian day count from 1 January 1970 (proleptic calendar, century rule
// included), for the OLE Automation date conversion.
constexpr long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, long long& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

bool GregorianLeap(long long y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// OLE Automation dates count days from 30 December 1899; the last one the
// platform converts is 31 December 9999.
constexpr long long kOleEpoch = DaysFromCivil(1899, 12, 30);
constexpr long long kOleLastDay = 2958465;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == '-' || c == '/' || c == ' '; }

// Reads one digit, or two digits whose value is below `limit`; returns -1 when
// the text does not start with a digit or the two-digit value is too large.
int ReadField(const char*& p, int limit)
{
    if (!IsDigit(p[0]))
        return -1;
    if (!IsDigit(p[1]))
        return *p++ - '0';
    const int v = (p[0] - '0') * 10 + (p[1] - '0');
    if (v >= limit)
        return -1;
    p += 2;
    return v;
}

void WriteTwoDigits(char* dst, int v)
{
    dst[0] = static_cast<char>('0' + v / 10 % 10);
    dst[1] = static_cast<char>('0' + v % 10);
}

} // namespace

void Date::SetDate(int month, int day, int year)
{
    serial = kInvalid;
    if (month < 1 || month > 12 || day < 1 || year < 0)
        return;
    if (year > 1900)
        year -= 1900;
    if (year < kFirstYear)
        year += 100;
    if (year < kFirstYear || year > kLastYear)
        return;
    if (day > DaysInMonth(month, year))
        return;
    const int s = DaysBeforeYear(year) + DayOfYearStart(month, year) + day - 1;
    if (s > kLastSerial)
        return;
    serial = static_cast<uint16_t>(s);
}

int Date::Year() const
{
    if (!isValid())
        return -1;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    return y;
}

char Date::Month() const
{
    if (!isValid())
        return -1;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    return static_cast<char>(m);
}

char Date::Day() const
{
    if (!isValid())
        return -1;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    return static_cast<char>(d);
}

void Date::ToMDY(int& m, int& d, int& y) const
{
    if (!isValid()) {
        m = d = y = -1;
        return;
    }
    Split(serial, m, d, y);
}

void Date::ToMDY(int* m, int* d, int* y) const
{
    int mm = -1, dd = -1, yy = -1;
    ToMDY(mm, dd, yy);
    if (m)
        *m = mm;
    if (d)
        *d = dd;
    if (y)
        *y = yy;
}

void Date::ToMDY(char* m, char* d, char* y) const
{
    int mm = -1, dd = -1, yy = -1;
    ToMDY(mm, dd, yy);
    if (m)
        *m = static_cast<char>(mm);
    if (d)
        *d = static_cast<char>(dd);
    if (y)
        *y = static_cast<char>(yy);
}

Date Date::AddMonths(int n) const
{
    Date r;
    if (!isValid())
        return r;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    const bool monthEnd = d >= DaysInMonth(m, y);
    // Month index counted from January of year 0 (1900); floor division
    // carries whole years in either direction.
    const long long index = 12LL * y + (m - 1) + n;
    long long ny = index >= 0 ? index / 12 : (index - 11) / 12;
    const int nm = static_cast<int>(index - 12 * ny) + 1;
    if (ny < kFirstYear)
        ny = kFirstYear;   // stepping back from early 1954 stays in 1954
    if (ny > kLastYear)
        return r;
    const int len = DaysInMonth(nm, static_cast<int>(ny));
    if (monthEnd || d > len)
        d = len;
    r.SetDate(nm, d, static_cast<int>(ny));
    return r;
}

void Date::AddYear()
{
    if (!isValid())
        return;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    SetDate(m, d, y + 1);
}

int Date::DaysBetween(Date other) const
{
    const int diff = static_cast<int>(serial) - static_cast<int>(other.serial);
    return diff < 0 ? -diff : diff;
}

void Date::EndOfMonth()
{
    if (!isValid())
        return;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    serial = Offset(serial, DaysInMonth(m, y) - d);   // June 2133 ends past the range
}

int Date::is1stOM() const
{
    return isValid() && Day() == 1 ? 1 : 0;
}

int Date::isEOM() const
{
    if (!isValid())
        return 0;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    return d == DaysInMonth(m, y) ? 1 : 0;
}

int Date::InYear(int y) const
{
    return isValid() && Year() == y ? 1 : 0;
}

int Date::DayOfWeek(char* dst) const
{
    if (!isValid()) {
        if (dst)
            dst[0] = '\0';
        return -1;
    }
    const int wd = serial % 7;
    if (dst)
        std::memcpy(dst, kDayNames[wd], 4);
    return wd;
}

void Date::NextWed()
{
    if (!isValid())
        return;
    // Wednesday is 5 = serial % 7; at least one day forward.
    serial = Offset(serial, 1 + (kWednesday - (serial + 1) % 7 + 7) % 7);
}

void Date::NextFri()
{
    if (!isValid())
        return;
    serial = Offset(serial, 1 + (kFriday - (serial + 1) % 7 + 7) % 7);
}

Date Date::NextWedOrFri(Holiday*)
{
    if (isValid()) {
        while (isValid() && serial % 7 != kWednesday && serial % 7 != kFriday)
            serial = Offset(serial, 1);
        SkipWeekends();
    }
    return *this;
}

void Date::FirstDayOfSemiWeeklyPeriod(Date d)
{
    *this = d;
    // Periods run Wednesday-Friday and Saturday-Tuesday. The period of
    // Thursday and Friday 1 January 1954 starts before the first date.
    while (isValid() && serial % 7 != kWednesday && serial % 7 != kSaturday)
        serial = Offset(serial, -1);
}

void Date::Next15th(Holiday* h)
{
    if (!isValid())
        return;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    if (++m > 12) {
        m = 1;
        ++y;
    }
    SetDate(m, 15, y);
    if (h)
        SkipWeekends();
}

void Date::NextBusinessDay(Holiday*)
{
    if (!isValid())
        return;
    serial = Offset(serial, 1);
    SkipWeekends();
}

void Date::SkipWeekends()
{
    while (isValid() && IsWeekend(serial))
        serial = Offset(serial, 1);
}

void Date::Today()
{
    const std::time_t now = std::time(nullptr);
    struct tm local {};
    if (localtime_r(&now, &local) == nullptr) {
        Invalidate();
        return;
    }
    SetDate(local.tm_mon + 1, local.tm_mday, local.tm_year);
}

void Date::SetTM(struct tm* t) const
{
    if (!t)
        return;
    int m = -1, d = -1, y = -1;
    ToMDY(m, d, y);
    t->tm_mon = m - 1;
    t->tm_mday = d;
    t->tm_year = y;
    t->tm_hour = 12;
    t->tm_min = 1;
    t->tm_sec = 1;
    t->tm_isdst = 0;
}

int Date::FromString(const char* text)
{
    Invalidate();
    if (!text)
        return 0;
    const char* p = text;
    const int month = ReadField(p, 13);
    if (month < 0)
        return 0;
    if (IsSeparator(*p))
        ++p;
    const int day = ReadField(p, 32);
    if (day < 0)
        return 0;
    if (IsSeparator(*p))
        ++p;
    int digits = 0;
    int year = 0;
    while (IsDigit(*p)) {
        if (++digits > 4)
            return 0;
        year = year * 10 + (*p++ - '0');
    }
    if (*p != '\0' && *p != '\t')
        return 0;
    if (digits == 2) {
        if (year < 54)
            year += 100;
    } else if (digits == 4) {
        if (year < 1900 || year > 2099)
            return 0;
        year -= 1900;
    } else {
        return 0;
    }
    SetDate(month, day, year);
    return isValid();
}

int Date::ToString(char* dst, int fourDigitYear) const
{
    if (!dst)
        return 0;
    std::memset(dst, ' ', 8);
    dst[0] = '\0';
    if (!isValid())
        return 0;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    char* p = dst;
    WriteTwoDigits(p, m);
    p[2] = '-';
    WriteTwoDigits(p + 3, d);
    p[5] = '-';
    p += 6;
    if (fourDigitYear) {
        // The century of the year itself, so 2100-2133 print as 21xx.
        WriteTwoDigits(p, 19 + y / 100);
        p += 2;
    }
    WriteTwoDigits(p, y % 100);
    p[2] = '\0';
    return 1;
}

void Date::ToStringDOW(char* dst) const
{
    if (!dst)
        return;
    if (!ToString(dst, 0))
        return;
    dst[8] = ' ';
    DayOfWeek(dst + 9);
}

double Date::VariantDate() const
{
    if (!isValid())
        return -1.0;
    int m = 0, d = 0, y = 0;
    Split(serial, m, d, y);
    const long long fullYear = 1900 + y;
    // 29 February 2100 is a date here but not in the OLE calendar.
    if (m == 2 && d == 29 && !GregorianLeap(fullYear))
        return -1.0;
    return static_cast<double>(DaysFromCivil(fullYear, m, d) - kOleEpoch);
}

int Date::FromVariantDate(double v)
{
    if (v < 0.0) {
        Invalidate();
        return 1;
    }
    if (!(v <= static_cast<double>(kOleLastDay + 1)))   // NaN, infinity, past 9999
        return 0;
    // Like the platform conversion, round to the nearest second before
    // dropping the time of day, so 0.99999999 of a day is the next day.
    const long long seconds = static_cast<long long>(std::floor(v * 86400.0 + 0.5));
    const long long days = seconds / 86400;
    if (days > kOleLastDay)
        return 0;
    long long y = 0;
    int m = 0, d = 0;
    CivilFromDays(days + kOleEpoch, y, m, d);
    // The full year counts: a day outside 1954 to 3 June 2133 is not
    // converted (reading only the last two digits would turn 2060 into 1960).
    if (y < 1900 + kFirstYear || y > 1900 + kLastYear)
        return 0;
    Date t(m, d, static_cast<int>(y));
    if (!t.isValid())
        return 0;
    *this = t;
    return 1;
}

void Date::DateSub(int& a, int& b, int& c, Date other) const
{
    a = b = c = 0;
    if (!isValid() || !other.isValid())
        return;
    Date from = *this;
    Date to = other;
    const int sign = other < *this ? -1 : 1;
    if (sign < 0) {
        from = other;
        to = *this;
    }
    int fm = 0, fd = 0, fy = 0, tm = 0, td = 0, ty = 0;
    Split(from.serial, fm, fd, fy);
    Split(to.serial, tm, td, ty);
    int years = ty - fy;
    int months = tm - fm;
    int days = td - fd;
    if (days < 0) {
        // Borrow the month before `to`: from `from`'s day in that month (or
        // its end, when that month is shorter) up to `to`.
        months -= 1;
        const int prevMonth = tm == 1 ? 12 : tm - 1;
        const int prevYear = tm == 1 ? ty - 1 : ty;
        const int rest = DaysInMonth(prevMonth, prevYear) - fd;
        days = td + (rest > 0 ? rest : 0);
    }
    if (months < 0) {
        months += 12;
        years -= 1;
    }
    a = sign * years;
    b = sign * months;
    c = sign * days;
}
