// Payment allocation along one walk: see IncrementalReallocInternal.h.
#include "compute/IncrementalReallocInternal.h"

#include <cmath>
#include <cstring>

#include "compute/StepWalkInternal.h"

namespace {

// A whole number of cents small enough that every sum of such amounts is
// exact: the running sums then equal FixBalance's own order of additions.
bool WholeCents(double v)
{
    return std::fabs(v) < 1e15 && v == std::trunc(v);
}

} // namespace

bool OneWalkInputsFit(const CQRTCompute& c)
{
    if (c.HotInterest() || c.GATTOn()) return false;
    for (const Penalties& p : c.m_penalties)
        if (p.IsEnabled()) return false;
    for (int i = 0; i < CQRTCompute::kMaxEvents && c.m_events[i].m_date.isValid(); ++i) {
        const CEvent& e = c.m_events[i];
        if (IsUserPenaltyKind(e.m_type) || !WholeCents(e.m_amount)) return false;
        if (e.m_allocation != nullptr)
            for (double specific : e.m_allocation->m_specific)
                if (!WholeCents(specific)) return false;
    }
    return true;
}

namespace {

// The table held and inputs that fit (see OneWalkInputsFit): no step of the
// walk depends on the computation date.
bool OneWalkFits(const CQRTCompute& c)
{
    return c.m_tableHeld && OneWalkInputsFit(c);
}

// The running balances, totals and flags of the compute object that a walk
// changes: kept before a copy finishes the walk, put back after.
class RunningState {
public:
    explicit RunningState(const CQRTCompute& c)
        : m_doubles{c.m_normalInterestDue, c.m_motivatedInterestDue, c.m_refundInterestDue,
                    c.m_motivatedPrincipal, c.m_normalPrincipal,     c.m_gattInterestDue,
                    c.m_gattPrincipal,      c.m_gattAmountLeft,      c.m_gattAmountStart},
          m_interestRunning(c.m_interestRunning), m_hotActive(c.m_hotActive)
    {
        std::memcpy(m_totals, c.m_totals, sizeof m_totals);
        std::memcpy(m_flags, c.m_flags, sizeof m_flags);
    }

    void Restore(CQRTCompute& c) const
    {
        c.m_normalInterestDue = m_doubles[0];
        c.m_motivatedInterestDue = m_doubles[1];
        c.m_refundInterestDue = m_doubles[2];
        c.m_motivatedPrincipal = m_doubles[3];
        c.m_normalPrincipal = m_doubles[4];
        c.m_gattInterestDue = m_doubles[5];
        c.m_gattPrincipal = m_doubles[6];
        c.m_gattAmountLeft = m_doubles[7];
        c.m_gattAmountStart = m_doubles[8];
        c.m_interestRunning = m_interestRunning;
        c.m_hotActive = m_hotActive;
        std::memcpy(c.m_totals, m_totals, sizeof m_totals);
        std::memcpy(c.m_flags, m_flags, sizeof m_flags);
    }

private:
    double m_doubles[9];
    int32_t m_interestRunning;
    int32_t m_hotActive;
    double m_totals[CQRTCompute::kTotals];
    int32_t m_flags[CQRTCompute::kFlagCount];
};

// Installs the running sums on the compute object for one scope.
class EventSumsScope {
public:
    EventSumsScope(CQRTCompute& c, CEventSums& sums) : m_c(c) { m_c.m_eventSums = &sums; }
    ~EventSumsScope() { m_c.m_eventSums = nullptr; }
    EventSumsScope(const EventSumsScope&) = delete;
    EventSumsScope& operator=(const EventSumsScope&) = delete;

private:
    CQRTCompute& m_c;
};

} // namespace

bool CEventSums::AddThrough(const CQRTCompute& c, int n, double* balances)
{
    if (n < m_through) return false;
    for (; m_through < n && m_through < CQRTCompute::kMaxEvents && c.m_events[m_through].m_date.isValid();
         ++m_through)
        AddEventToBalances(c.m_events[m_through], m_sums);
    // Past the used slots there is nothing more to add, however far n goes.
    if (m_through < n) m_through = n;
    for (int k = 0; k < kCategoryCount; ++k) balances[k] += m_sums[k];
    return true;
}

int PaymentsBetween(const CQRTCompute& c, int first, int last, int* payments)
{
    int count = 0;
    for (int i = first; i <= last && i < CQRTCompute::kMaxEvents && c.m_events[i].m_date.isValid(); ++i)
        if (IsPaymentKind(c.m_events[i].m_type)) payments[count++] = i;
    return count;
}

void AllocateAlong(CQRTCompute& c, CStepWalk& walk, const int* payments, int count)
{
    CEventSums sums;
    const EventSumsScope installed(c, sums);
    for (int j = 0; j < count; ++j) {
        const int i = payments[j];
        const Date date = c.m_events[i].m_date;
        walk.RunBefore(date);
        const RunningState kept(c);
        CStepWalk(walk, date).Finish();
        c.AllocatePayment(i);
        kept.Restore(c);
        walk.DropLaterRecords();
    }
}

int AllocateAlongOneWalk(CQRTCompute& c, int first, int last)
{
    int payments[CQRTCompute::kMaxEvents];
    const int count = PaymentsBetween(c, first, last, payments);
    if (count < 2 || !OneWalkFits(c)) return first;

    // The state a computation starts its walk from (daily mode, as
    // ReallocPayments computes), on empty result lists.
    c.FreeCashflow();
    c.FreeResultsList();
    c.m_monthly = 0;
    c.m_interestRunning = 1;
    c.m_hotActive = 0;
    for (double& t : c.m_totals) t = 0.0;
    c.m_normalInterestDue = c.m_motivatedInterestDue = c.m_refundInterestDue = 0.0;
    c.m_motivatedPrincipal = c.m_normalPrincipal = 0.0;
    c.m_gattInterestDue = c.m_gattPrincipal = 0.0;
    c.m_gattAmountLeft = c.m_gattAmountStart = c.GATTAmount();

    CStepWalk walk(c, c.m_events[payments[count - 1]].m_date, 0, 0);
    walk.Start();
    AllocateAlong(c, walk, payments, count - 1);
    // The last payment's full computation starts from clean lists.
    c.FreeCashflow();
    c.FreeResultsList();
    return payments[count - 1];
}
