// F2Fs: one month of a failure-to-pay penalty, a node of a singly linked list
// owned by the compute object (tax-shown list GetFPSBase, assessment list
// GetFPABase; freed by FreeF2F). Amounts in cents.
// m_rateCode: rate in quarter-percent units minus 1 (0 = 0.25 %, 1 = 0.5 %,
// 3 = 1 %).
#pragma once

#include "calendar/Date.h"

struct F2Fs {
    int m_first = 0;         // 1 for the first-month piece of a slot-2 run
    double m_amount = 0.0;   // penalty for the month, rounded
    double m_base = 0.0;     // unpaid balance the month's rate applied to
    int m_rateCode = 0;
    Date m_monthStart;       // first day of the month
    F2Fs* m_next = nullptr;
};
