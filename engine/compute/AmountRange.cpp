// FiguresInRange: whether every figure of the last computation is exact to the
// cent. Amounts are cents held in doubles, which count whole cents exactly up
// to 2^53; past that a rounded interest or a balance can be off by cents and a
// conversion to the automation currency type can overflow.
#include "compute/CQRTCompute.h"

#include <cmath>

namespace {

constexpr double kLargestExactCents = 9007199254740992.0;  // 2^53

// A NaN fails the comparison and an infinity exceeds the bound, so one
// comparison also tells a finite figure.
bool Exact(double cents) { return std::fabs(cents) <= kLargestExactCents; }

// Without an early return, so that the compiler checks several at a time:
// the check runs after every computation.
bool AllExact(const double* values, int count)
{
    bool exact = true;
    for (int i = 0; i < count; ++i)
        exact &= Exact(values[i]);
    return exact;
}

bool PeriodsExact(const ComputeResults* r)
{
    for (; r != nullptr; r = r->m_next) {
        const double figures[] = {r->m_principal, r->m_interest,      r->m_gattPrincipal,    r->m_gattInterest,
                                  r->m_paid,      r->m_amount,        r->m_balance,          r->m_gattPrincipalWas,
                                  r->m_gattInterestWas};
        if (!AllExact(figures, static_cast<int>(sizeof figures / sizeof figures[0]))) return false;
    }
    return true;
}

} // namespace

int CQRTCompute::FiguresInRange()
{
    for (int i = 0; i < kMaxEvents && m_events[i].m_date.isValid(); ++i)
        if (!Exact(m_events[i].m_amount) || !Exact(m_events[i].m_gattAmount)) return 0;
    if (!PeriodsExact(m_normalBase) || !PeriodsExact(m_motivatedBase) || !PeriodsExact(m_penaltyBase)) return 0;
    if (m_penaltyDrops != nullptr)
        for (const CPenaltyDrop* d = m_penaltyDrops->Head(); d != nullptr; d = d->m_next)
            if (!Exact(d->m_amount)) return 0;
    const double* const perSlot[] = {m_totalPenalty, m_totalPenalty2, m_baseAmount,    m_reduction,
                                     m_reduction2,   m_penaltyAmount, m_penaltyAddedAmt, m_penaltyPaid};
    for (const double* values : perSlot)
        if (!AllExact(values, kPenaltySlots)) return 0;
    const double running[] = {m_normalInterestDue, m_motivatedInterestDue, m_refundInterestDue, m_motivatedPrincipal,
                              m_normalPrincipal,   m_gattInterestDue,      m_gattPrincipal,     m_totalTax,
                              m_totalLiability,    m_balanceDue};
    return AllExact(running, static_cast<int>(sizeof running / sizeof running[0])) && AllExact(m_totals, kTotals)
                   && AllExact(m_balances, kCategoryCount) && AllExact(m_paidByCategory, kCategoryCount)
               ? 1
               : 0;
}
