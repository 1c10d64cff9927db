#include "compute/EventKind.h"

namespace {

struct KindNames {
    const char* dump;    // 10 characters
    const char* result;  // 11 characters
    const char* label;
};

constexpr KindNames kInputKinds[12] = {
    {"NORMAL TAX", "NORMALTAX  ", "Tax"},
    {"MOTIV TAX ", "MOT TAX    ", "Motiv. Tax"},
    {"PAYMENT   ", "PAYMENT    ", "Payment"},
    {"DEPOSIT   ", "DEPOSIT    ", "Deposit"},
    {"USR PENLTY", "USR PEN    ", "Penalty"},
    {"STP INT   ", "STP INT    ", "Stop Int"},
    {"STRT INT  ", "RES INT    ", "Start Int"},
    {"DEBIT     ", "DEBIT      ", "Tax"},
    {"CREDIT    ", "CREDIT     ", "Payment"},
    {"IRS CHECK ", "IRS CHECK  ", "IRS Check"},
    {"US NMD PEN", "USR NMD PEN", "Penalty"},
    {"PENLTY TYP", "PEN TYPE   ", "Penalty"},
};

}  // namespace

const char* EventDumpName(int kind)
{
    if (kind >= 0 && kind < 12)
        return kInputKinds[kind].dump;
    return "UNKNOWN   ";
}

const char* ResultDumpName(int kind)
{
    if (kind >= 0 && kind < 12)
        return kInputKinds[kind].result;
    switch (kind) {
    case kEventRateChange:
        return "RATE CHANGE";
    case kEventMonthEnd:
        return "MON ACC BRK";
    case kEventFinal:
        return "FINAL FLAG ";
    default:
        return nullptr;
    }
}

const char* EventReportLabel(int kind)
{
    if (kind >= 0 && kind < 12)
        return kInputKinds[kind].label;
    return "";
}
