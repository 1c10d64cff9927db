// CashFlow: one node of the doubly linked list of dates on which the account
// turns between owing and being owed. Owned by the compute object (head:
// CQRTCompute::GetCashFlow(), freed by FreeCashflow).
// m_direction: +1 normal principal owed, -1 normal or GATT principal due to the
// taxpayer, 0 neither.
#pragma once

#include <cstdint>

#include "calendar/Date.h"

struct CashFlow {
    Date m_date;
    int32_t m_direction = 0;
    CashFlow* m_next = nullptr;
    CashFlow* m_prev = nullptr;
};
