// Warnings about 6621(c) and GATT interest set at the end of a computation.
#include "compute/CQRTCompute.h"

namespace {
constexpr double kHundredThousandDollars = 10000000.0;   // cents
} // namespace

int CQRTCompute::Warn6621c(Date through)
{
    NoHotInterestOver100K(0);
    if (through <= Date(12, 31, 1990) || m_hotInterest) return 0;

    // Of several periods starting on one day only the last (the balance after
    // every event of that day) counts.
    const Date after(12, 31, 1990);
    bool found = false;
    for (const ComputeResults* r = m_normalBase; r != nullptr; r = r->m_next) {
        if (r->m_next != nullptr && r->m_next->m_start == r->m_start) continue;
        if (r->m_balance >= kHundredThousandDollars && r->m_end > after) {
            found = true;
            break;
        }
    }
    if (!found) return 0;

    double paidByDueDate = 0.0;
    for (int i = 0; i < 1000; ++i) {
        const CEvent& e = m_events[i];
        if (!e.m_date.isValid() || e.m_date > m_taxDueDate) break;
        if (IsPaymentKind(e.m_type)) paidByDueDate += e.m_amount;
    }
    if (TotalTax() - paidByDueDate > kHundredThousandDollars) {
        NoHotInterestOver100K(1);
        return 1;
    }
    return 0;
}

void CQRTCompute::WarnGATTDoublePayment()
{
    GattDoublePayment(0);
    if (InterestGATT() == 0.0) return;
    int payments = 0;
    for (int i = 0; i < 1000 && m_events[i].m_date.isValid(); ++i)
        if (IsPaymentKind(m_events[i].m_type)) ++payments;
    if (payments > 1) GattDoublePayment(1);
}
