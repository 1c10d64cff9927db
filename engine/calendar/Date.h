// Date: the one calendar value of the engine, a 16-bit day number.
//
// serial 0 is 1 January 1954 (a Friday); the last date is serial 65533,
// 3 June 2133 (2100 counts as a leap year here). 65535 means "no date" (what
// a default Date holds and what every failed operation leaves); 65534 is
// reserved and also reported as not valid. Years inside the class count from
// 1900 (1954 is 54, 2024 is 124). Every year divisible by 4 is a leap year.
// Weekday = serial % 7, with 0 = Friday ... 6 = Thursday.
//
// A plain 2-byte value: any thread may use its own copies.
// Tests: every serial against an independent day-by-day calendar, round trips
// of the text and OLE forms for every day 1954-2099, the end-of-month rule of
// AddMonths, the weekday steppers, the range ends.
#pragma once

#include <cstdint>
#include <ctime>

// A calendar of holidays; no holiday is ever consulted (business days are
// Monday to Friday). Occurs only as a pointer argument.
class Holiday {};

class Date {
public:
    static constexpr uint16_t kInvalid = 65535;
    static constexpr uint16_t kReserved = 65534;
    static constexpr uint16_t kLastSerial = 65533;

    Date() = default;
    Date(int month, int day, int year) { SetDate(month, day, year); }

    // Year 54-99 = 1954-1999, 0-53 = 2000-2053, 100-233 = years since 1900,
    // full years 1954-2133 as they are (1901-1953 read as 2001-2053).
    // Leaves 65535 on any rejection: a negative year, a day the month lacks,
    // or a date after 3 June 2133.
    void SetDate(int month, int day, int year);
    void Invalidate() { serial = kInvalid; }
    int isValid() const { return serial != kInvalid && serial != kReserved ? 1 : 0; }

    int Year() const;   // years since 1900; -1 if invalid
    char Month() const; // 1-12; -1 if invalid
    char Day() const;   // 1-31; -1 if invalid
    void ToMDY(int& m, int& d, int& y) const;
    void ToMDY(int* m, int* d, int* y) const;
    void ToMDY(char* m, char* d, char* y) const;

    // serial + n when valid, else a copy of this invalid date; invalid when
    // serial + n leaves 0..65533 (never wraps round to another date).
    // Inline: the walk over a rate table steps through it entry by entry.
    Date AddDays(int n) const
    {
        if (!isValid())
            return *this;
        const long long moved = static_cast<long long>(serial) + n;
        Date r;
        r.serial = moved < 0 || moved > kLastSerial ? kInvalid : static_cast<uint16_t>(moved);
        return r;
    }
    // n calendar months later; a month end stays a month end, and a day past
    // the target month's length becomes its last day: 31 January 2024 + 1
    // month = 29 February 2024; 28 February 2023 + 1 = 31 March 2023.
    // A year before 1954 is clamped to 1954: 15 January 1954 - 1 month =
    // 15 December 1954.
    Date AddMonths(int n) const;
    void AddYear();                      // 29 February becomes invalid
    int DaysBetween(Date other) const;   // absolute serial difference, no validity check
    void EndOfMonth();                   // invalid stays invalid
    int is1stOM() const;
    int isEOM() const;
    int InYear(int y) const;             // y in years since 1900

    // 0 = Friday; writes "Fri" etc. (4 bytes). -1 and "" for an invalid date.
    int DayOfWeek(char* dst) const;
    // The steppers below leave an invalid date invalid, and give the invalid
    // date when they would step outside 1 January 1954 to 3 June 2133.
    // The Holiday handles are not consulted (Next15th skips weekends only
    // when its handle is not null).
    void NextWed();
    void NextFri();
    Date NextWedOrFri(Holiday* h);
    void FirstDayOfSemiWeeklyPeriod(Date d);
    void Next15th(Holiday* h);
    void NextBusinessDay(Holiday* h);
    void SkipWeekends();

    void Today();                        // local calendar date of the machine
    // Writes tm_mon, tm_mday, tm_year (from 1900), 12:01:01, tm_isdst = 0;
    // an invalid date writes its -1 fields (tm_mon -2).
    void SetTM(struct tm* t) const;

    // M-D-YY, MM/DD/YYYY, MMDDYY ...; separators "-", "/" or a blank; the
    // text ends after the year or at a tab. Returns isValid().
    int FromString(const char* text);
    // "MM-DD-YY" or "MM-DD-YYYY" (dst holds 11 bytes); "" and 0 if invalid.
    int ToString(char* dst, int fourDigitYear) const;
    void ToStringDOW(char* dst) const;   // "MM-DD-YY Fri" (13 bytes); "" if invalid

    // OLE Automation date (days since 30 December 1899); -1.0 if invalid or
    // 29 February 2100, which the OLE calendar lacks.
    double VariantDate() const;
    // v < 0: invalid date, returns 1. Else the day of v (time of day dropped)
    // and 1; when that day lies outside 1 January 1954 to 3 June 2133, or v
    // is NaN or infinite, returns 0 and leaves the date unchanged.
    int FromVariantDate(double v);

    // Difference other - this as years (a), months (b), days (c), with
    // borrows: this + a years + b months (day cut to the month's length)
    // + c days = other. When other is earlier, the difference from other to
    // this with all three negated. All 0 when either date is invalid.
    void DateSub(int& a, int& b, int& c, Date other) const;

    friend bool operator==(Date a, Date b) { return a.serial == b.serial; }
    friend bool operator!=(Date a, Date b) { return a.serial != b.serial; }
    friend bool operator<(Date a, Date b) { return a.serial < b.serial; }
    friend bool operator<=(Date a, Date b) { return a.serial <= b.serial; }
    friend bool operator>(Date a, Date b) { return a.serial > b.serial; }
    friend bool operator>=(Date a, Date b) { return a.serial >= b.serial; }

    uint16_t serial = kInvalid;
};

static_assert(sizeof(Date) == 2, "Date is a 2-byte value");
