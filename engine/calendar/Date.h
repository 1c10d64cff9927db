// Date: the one calendar value of the engine, a 16-bit day number.
//
// serial 0 is 1 January 1954 (a Friday); the last date is serial 65533,
// 4 June 2133. 65535 means "no date" (what a default Date holds and what every
// failed operation leaves); 65534 is reserved and also reported as not valid.
// Years inside the class count from 1900 (1954 is 54, 2024 is 124). Every year
// divisible by 4 is a leap year (2100 included). Weekday = serial % 7, with
// 0 = Friday ... 6 = Thursday.
//
// A plain 2-byte value: any thread may use its own copies.
// Tests: round trips of every day 1954-2099, end-of-month rule of AddMonths,
// the text and OLE date forms, the weekday steppers.
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
    // full years 1954-2133 as they are. Leaves 65535 on any rejection.
    void SetDate(int month, int day, int year);
    void Invalidate() { serial = kInvalid; }
    int isValid() const { return serial != kInvalid && serial != kReserved ? 1 : 0; }

    int Year() const;   // years since 1900; -1 if invalid
    char Month() const; // 1-12; -1 if invalid
    char Day() const;   // 1-31; -1 if invalid
    void ToMDY(int& m, int& d, int& y) const;
    void ToMDY(int* m, int* d, int* y) const;
    void ToMDY(char* m, char* d, char* y) const;

    // serial + n when valid, else a copy of this invalid date. No range check.
    Date AddDays(int n) const;
    // n calendar months later; a month end stays a month end, and a day past
    // the target month's length becomes its last day: 31 January 2024 + 1
    // month = 29 February 2024; 28 February 2023 + 1 = 31 March 2023.
    Date AddMonths(int n) const;
    void AddYear();                      // 29 February becomes invalid
    int DaysBetween(Date other) const;   // absolute serial difference
    void EndOfMonth();
    int is1stOM() const;
    int isEOM() const;
    int InYear(int y) const;             // y in years since 1900

    int DayOfWeek(char* dst) const;      // 0 = Friday; writes "Fri" etc.
    void NextWed();
    void NextFri();
    Date NextWedOrFri(Holiday* h);
    void FirstDayOfSemiWeeklyPeriod(Date d);
    void Next15th(Holiday* h);
    void NextBusinessDay(Holiday* h);
    void SkipWeekends();

    void Today();
    void SetTM(struct tm* t) const;

    int FromString(const char* text);    // MM-DD-YY, M/D/YYYY, MMDDYY ...
    int ToString(char* dst, int fourDigitYear) const;  // dst holds 11 bytes
    void ToStringDOW(char* dst) const;   // "MM-DD-YY Fri"

    double VariantDate() const;          // OLE date; -1.0 if invalid
    int FromVariantDate(double v);

    // Difference other - this as years (a), months (b), days (c), with
    // borrows; negative when other is earlier.
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
