// Totals and queries over the events, the penalty results and the cash-flow
// list; the tax due date.
#include "compute/CQRTCompute.h"

namespace {

// Calls f(event) for every used event dated on or before d (events are
// sorted, so the scan stops at the first later one).
template <class F>
void ForEventsThrough(const CEvent* events, Date d, F f)
{
    for (int i = 0; i < CQRTCompute::kMaxEvents; ++i) {
        const CEvent& e = events[i];
        if (!e.m_date.isValid() || e.m_date > d)
            break;
        f(e);
    }
}

// Sum of the amounts of the events of one kind group dated on or before d.
double SumThrough(const CEvent* events, Date d, int (*ofKind)(int))
{
    double sum = 0.0;
    ForEventsThrough(events, d, [&](const CEvent& e) {
        if (ofKind(e.m_type))
            sum += e.m_amount;
    });
    return sum;
}

}  // namespace

double CQRTCompute::AllTaxes(Date d)
{
    return SumThrough(m_events, d, IsTaxKind);
}

double CQRTCompute::AllPayments(Date d)
{
    return SumThrough(m_events, d, IsPaymentKind);
}

double CQRTCompute::EventPenalties(Date d)
{
    return SumThrough(m_events, d, IsUserPenaltyKind);
}

double CQRTCompute::EventStreamAmounts(Date d)
{
    double sum = 0.0;
    ForEventsThrough(m_events, d, [&](const CEvent& e) {
        sum += IsPaymentKind(e.m_type) ? -e.m_amount : e.m_amount;
    });
    return sum;
}

double CQRTCompute::NetTaxDueOn(Date d)
{
    double sum = 0.0;
    ForEventsThrough(m_events, d, [&](const CEvent& e) {
        if (IsFirstLiabilityKind(e.m_type))
            sum += e.m_amount;
        else if (IsPaymentKind(e.m_type))
            sum -= e.m_amount;
    });
    return sum;
}

double CQRTCompute::NetTaxDue()
{
    const int n = EventCount();
    Date first;
    for (int i = 0; i < n; ++i) {
        if (m_events[i].m_type == kEventTax || m_events[i].m_type == kEventMotivatedTax) {
            first = m_events[i].m_date;
            break;
        }
    }
    if (!first.isValid())
        return 0.0;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const CEvent& e = m_events[i];
        if (e.m_date != first)
            continue;
        if (IsLiabilityKind(e.m_type))
            sum += e.m_amount;
        else if (IsPaymentKind(e.m_type))
            sum -= e.m_amount;
    }
    return sum;
}

double CQRTCompute::AllPenalties(Date)
{
    double sum = 0.0;
    for (int i = 0; i < kPenaltySlots; ++i)
        if (m_penalties[i].IsEnabled())
            sum += m_penaltyAmount[i];
    return sum;
}

double CQRTCompute::RealPenalties()
{
    double sum = 0.0;
    for (double amount : m_penaltyAmount)
        sum += amount;
    return sum;
}

int CQRTCompute::AnyIRSPenalties()
{
    return TotalIRSPenalties() > 0 ? 1 : 0;
}

int16_t CQRTCompute::TotalIRSPenalties()
{
    int16_t count = 0;
    for (int i = 0; i < kPenaltySlots; ++i)
        if (i != kPenalty6621c && m_penalties[i].IsEnabled())
            ++count;
    return count;
}

void CQRTCompute::TurnOffPenalties()
{
    for (int i = 0; i < kPenaltySlots; ++i)
        if (i != kPenalty6621c)
            m_penalties[i].Enable(0);
}

double CQRTCompute::AllInterest()
{
    return InterestNormal() + InterestMotivated() + InterestGATT() + InterestRefund() +
           InterestPenalty();
}

double CQRTCompute::DebitInterest()
{
    return InterestNormal() + InterestMotivated();
}

double CQRTCompute::CreditInterest()
{
    return InterestRefund() + InterestGATT();
}

Date CQRTCompute::GetFirstLiabDate()
{
    const int n = EventCount();
    for (int i = 0; i < n; ++i)
        if (IsFirstLiabilityKind(m_events[i].m_type))
            return m_events[i].m_date;
    return Date();
}

Date CQRTCompute::GetLastEventDate()
{
    const int n = EventCount();
    return n > 0 ? m_events[n - 1].m_date : Date();
}

int CQRTCompute::Refunding(Date d)
{
    const CashFlow* last = nullptr;
    for (const CashFlow* c = m_cashFlow; c != nullptr; c = c->m_next)
        if (c->m_date < d)
            last = c;
    return last != nullptr && last->m_direction < 0 ? 1 : 0;
}

void CQRTCompute::SetTaxDueDate()
{
    m_taxDueDate = Date();
    m_totalTax = 0.0;
    m_totalLiability = 0.0;

    Date latestTax;   // latest date of any tax-kind event seen so far
    Date firstCheck;  // used only when the account has no tax other than checks
    int conflict = 0;
    const int n = EventCount();
    for (int i = 0; i < n; ++i) {
        const CEvent& e = m_events[i];
        if (IsTaxKind(e.m_type)) {
            latestTax = e.m_date;
            // A check from the authority neither fixes nor contradicts the
            // date: only the other tax events must share one date.
            if (e.m_type == kEventIRSCheck) {
                if (!firstCheck.isValid())
                    firstCheck = e.m_date;
            } else if (!m_taxDueDate.isValid()) {
                m_taxDueDate = e.m_date;
            } else if (e.m_date != m_taxDueDate) {
                conflict = 1;
            }
            m_totalTax += e.m_amount;
            m_totalLiability += e.m_amount;
        } else if ((e.m_type == kEventPayment && e.m_date == latestTax) ||
                   e.m_type == kEventCredit) {
            m_totalLiability -= e.m_amount;
        }
    }
    if (!m_taxDueDate.isValid())
        m_taxDueDate = firstCheck;
    if (conflict)
        m_taxDueDate = Date();
}
