#include "automation/AutomationTypes.h"

#include <cmath>

CY CentsToCy(double cents) { return static_cast<CY>(std::llround(cents * 100.0)); }

int CentsFitCurrency(double cents)
{
    // The currency value cents x 100 must stay below 2^63 in magnitude (the
    // product is what CentsToCy rounds; -2^63 itself is left out as well).
    constexpr double kTwoTo63 = 9223372036854775808.0;
    return std::isfinite(cents) && std::fabs(cents * 100.0) < kTwoTo63 ? 1 : 0;
}

// Serial 0 (1 January 1954) is OLE date 19725. The conversion maps whole days
// one to one, so every engine date from 1954 to 2133 survives a round trip
// (a calendar conversion that keeps only two digits of the year would turn
// 2060 into 1960).
int DateFromAutomation(DATE value, Date& date) {
    if (value < 0) {
        date = Date();
        return 1;
    }
    if (!std::isfinite(value)) return 0;
    double serial = std::floor(value) - kOleDateOfSerial0;
    if (serial < 0 || serial > Date::kLastSerial) return 0;
    Date d;
    d.serial = static_cast<uint16_t>(serial);
    date = d;
    return 1;
}

DATE DateToAutomation(Date date) {
    return date.isValid() ? static_cast<DATE>(date.serial) + kOleDateOfSerial0 : -1.0;
}
