// Interest on an amount between two dates under the rate table, reduced by
// the payments that pay it (the interest part of the 1982-1988 negligence and
// fraud penalties).
#include <algorithm>

#include "compute/CQRTCompute.h"
#include "compute/HotPeriodsInternal.h"
#include "compute/RateBoundariesInternal.h"

double CQRTCompute::PenaltyInterest(double amount, int motivated, Date from, Date to, int useBase,
                                    int slot)
{
    const int hotOnEntry = m_hotActive;
    m_hotActive = 0;

    // Payments first pay the part of the tax that is not this penalty's
    // underpayment; only what goes beyond it reduces the amount.
    double threshold = 0.0;
    if (useBase)
        threshold = TotalTax() - (slot == kPenalty6653b ? static_cast<double>(m_penalties[slot].m_amounts[0])
                                                        : static_cast<double>(m_penalties[slot].m_amounts[1]));

    const RateBoundaries bounds(m_table);
    int entry = bounds.EntryFor(from);
    int ev = 0;
    while (ev < kMaxEvents && m_events[ev].m_date.isValid() && m_events[ev].m_date < from) ++ev;
    HotPeriods hot(m_hotInterest, m_hotInterest2, m_date6621c, m_date6621c2);
    hot.CatchUp(from);

    const int paymentCat = motivated ? kCategoryMotivatedTax : kCategoryTax;
    double paidSum = 0.0;
    double interest = 0.0;
    while (from.isValid() && from < to && amount > 0.0) {
        Date end = to;
        const Date rateEnd = bounds.EndOf(entry);
        if (rateEnd.isValid() && rateEnd < end) end = rateEnd;
        const Date hotChange = hot.NextChange();
        const bool hotCut = hotChange.isValid() && hotChange <= end;
        if (hotCut) end = hotChange;

        // The first payment before the end closes the period at its date.
        double reduction = 0.0;
        for (; ev < kMaxEvents && m_events[ev].m_date.isValid() && m_events[ev].m_date < end; ++ev) {
            const CEvent& e = m_events[ev];
            if (!IsPaymentKind(e.m_type)) continue;
            end = e.m_date;
            if (e.m_allocation != nullptr) {
                const double part = e.m_allocation->m_payment[paymentCat] +
                                    e.m_allocation->m_payment[paymentCat + 1];
                paidSum += part;
                if (paidSum > threshold) {
                    reduction = std::min(paidSum - threshold, part);
                    threshold = 0.0;
                    paidSum = 0.0;
                }
            }
            ++ev;
            break;
        }

        ComputeResults r;
        const int method = TableMethod(entry);
        m_hotActive = hot.active() ? 1 : 0;
        ComputeInterest(amount, from, end, method, TableDPY(entry),
                        motivated ? TableMRate(entry) : TableNRate(entry), TableNRate(entry), &r);
        if (hotCut && end == hotChange) hot.ApplyNextChange();
        interest += r.m_interest;
        amount -= reduction;
        if (MethodCompounds(method)) amount += r.m_interest;
        from = end;
        while (bounds.EndOf(entry).isValid() && bounds.EndOf(entry) <= from) ++entry;
    }
    m_hotActive = hotOnEntry;
    return interest;
}
