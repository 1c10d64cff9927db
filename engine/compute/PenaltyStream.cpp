// The penalty stream: assessed penalties less the payments applied to them,
// walked from the first assessment that earns interest to the computation
// date, with the interest on that balance.
#include <cmath>
#include <new>

#include "compute/CQRTCompute.h"
#include "compute/HotPeriodsInternal.h"
#include "compute/PenaltyStreamKinds.h"
#include "compute/RateBoundariesInternal.h"

namespace {

enum class StreamAction { End, Assessment, Event, RateChange, MonthEnd, Hot };

// Takes the user-penalty assessments of an earlier stream out of the list, so
// a stream run again on the same computation adds them only once.
void DropUserPenalties(CPenaltyDropList*& list)
{
    bool any = false;
    for (CPenaltyDrop* d = list->Head(); d != nullptr; d = d->m_next) any = any || d->m_slot < 0;
    if (!any) return;
    CPenaltyDropList* kept = new (std::nothrow) CPenaltyDropList;
    if (kept == nullptr) return;
    for (CPenaltyDrop* d = list->Head(); d != nullptr; d = d->m_next)
        if (d->m_slot >= 0) kept->Insert(d->m_slot, d->m_date, d->m_amount, d->m_seq);
    delete list;
    list = kept;
}

}  // namespace

int CQRTCompute::PenaltyStream(Date through, int monthEnds)
{
    const int hotOnEntry = m_hotActive;
    for (int i = 0; i < kPenaltySlots; ++i) {
        m_penaltyCredit[i] = 0.0;
        m_penaltyAssessed[i] = 0.0;
        m_penaltyPaid[i] = 0.0;
    }
    RefundAndPenalty(0);
    m_hotActive = 0;
    m_interestRunning = 1;
    FreeComputeResultsChain(m_penaltyBase);
    m_penaltyBase = nullptr;
    m_totals[kTotalInterestPenalty] = 0.0;
    if (m_penaltyDrops == nullptr) return 0;

    // User penalties are assessed on their own dates, with no grace.
    DropUserPenalties(m_penaltyDrops);
    for (int i = 0; i < kMaxEvents && m_events[i].m_date.isValid(); ++i) {
        if (!IsUserPenaltyKind(m_events[i].m_type)) continue;
        double amount = m_events[i].m_amount;
        RoundMoney(amount, 0);
        m_penaltyDrops->Insert(-1, m_events[i].m_date, amount, i);
    }

    // Events before the stream starts switch interest on and off, and what
    // their payments put into a penalty's category is that penalty's credit:
    // it pays the penalty when assessed, or it is the payment already counted
    // for an assessment cleared within its grace period (whose amount was
    // taken off the credit), so it does not count again.
    int ev = 0;
    const auto passEventsBefore = [&](Date date) {
        for (; ev < kMaxEvents && m_events[ev].m_date.isValid() && m_events[ev].m_date < date; ++ev) {
            const CEvent& e = m_events[ev];
            if (e.m_type == kEventStopInterest) m_interestRunning = 0;
            if (e.m_type == kEventStartInterest) m_interestRunning = 1;
            if (IsPaymentKind(e.m_type) && e.m_allocation != nullptr)
                for (int s = 0; s < kPenaltySlots; ++s)
                    m_penaltyCredit[s] += e.m_allocation->m_payment[kCategoryFirstPenalty + s];
        }
    };

    // Assessments paid within their grace period earn no interest.
    CPenaltyDrop* drop = m_penaltyDrops->Head();
    for (; drop != nullptr; drop = drop->m_next) {
        passEventsBefore(drop->m_date);
        if (!PayOff(drop, through)) break;
        m_penaltyCredit[drop->m_slot] -= drop->m_amount;
    }
    if (drop == nullptr || drop->m_date > through) return 0;

    Date current = drop->m_date;
    Date monthEnd;
    if (monthEnds) {
        monthEnd = current;
        monthEnd.EndOfMonth();
    }
    const RateBoundaries bounds(m_table);
    int entry = bounds.EntryFor(current);
    passEventsBefore(current);
    HotPeriods hot(m_hotInterest, m_hotInterest2, m_date6621c, m_date6621c2);
    hot.CatchUp(current);

    double balance = 0.0;  // assessed penalties less payments (and compounded interest)
    double accrued = 0.0;  // penalty interest not yet compounded into the balance
    ComputeResults* tail = nullptr;

    for (;;) {
        ComputeResults* r = new (std::nothrow) ComputeResults;
        if (r == nullptr) break;
        r->m_prev = tail;
        (tail != nullptr ? tail->m_next : m_penaltyBase) = r;

        // The period ends at the earliest of these; on a tie the later test
        // wins for the first three (a rate change before an assessment before
        // an event), the others only when strictly earlier. An assessment
        // comes before a payment of its own day: the grace test of the
        // assessment counts that payment itself, so it must not be in the
        // penalty's credit yet.
        Date end = through;
        StreamAction action = StreamAction::End;
        const bool eventLeft = ev < kMaxEvents && m_events[ev].m_date.isValid();
        if (eventLeft && m_events[ev].m_date <= end) {
            end = m_events[ev].m_date;
            action = StreamAction::Event;
        }
        if (drop != nullptr && drop->m_date <= end) {
            end = drop->m_date;
            action = StreamAction::Assessment;
        }
        const Date rateEnd = bounds.EndOf(entry);
        if (rateEnd.isValid() && rateEnd <= end) {
            end = rateEnd;
            action = StreamAction::RateChange;
        }
        if (monthEnd.isValid() && monthEnd < end) {
            end = monthEnd;
            action = StreamAction::MonthEnd;
        }
        const Date hotChange = hot.NextChange();
        if (hotChange.isValid() && hotChange < end) {
            end = hotChange;
            action = StreamAction::Hot;
        }

        const int method = TableMethod(entry);
        const double daysPerYear = TableDPY(entry);
        const double rate = TableNRate(entry);
        if (MethodCompounds(method)) {
            balance += accrued;
            accrued = 0.0;
        }
        r->m_start = current;
        r->m_end = end;
        if (daysPerYear > 0.0) {
            // Penalty interest carries no GATT figures.
            const int federalGatt = m_federalGatt;
            m_federalGatt = 0;
            m_hotActive = hot.active() ? 1 : 0;
            ComputeInterest(balance > 0.0 ? balance : 0.0, current, end, method, daysPerYear, rate,
                            rate, r);
            m_federalGatt = federalGatt;
        }

        bool keep = true;
        switch (action) {
        case StreamAction::End:
            r->m_kind = kEventFinal;
            break;
        case StreamAction::Assessment: {
            const int slot = drop->m_slot;
            const double amount = drop->m_amount;
            if (slot < 0) {
                balance += amount;
                r->m_amount = amount;
                r->m_kind = m_events[drop->m_seq].m_type;
                r->m_event = static_cast<uint16_t>(drop->m_seq);
            } else if (PayOff(drop, through)) {
                m_penaltyCredit[slot] -= amount;
                keep = false;
            } else {
                balance += amount;
                m_penaltyAssessed[slot] += amount;
                r->m_amount = amount;
                r->m_kind = static_cast<uint16_t>(penalty::kStreamKindSlotBase + slot);
                // Payments made for this penalty before it was assessed pay
                // it at once.
                const double credit = m_penaltyCredit[slot];
                const double applied = credit > amount ? amount : credit;
                balance -= applied;
                m_penaltyCredit[slot] -= applied;
                m_penaltyPaid[slot] += applied;
                r->m_paid = applied;
            }
            drop = drop->m_next;
            break;
        }
        case StreamAction::Event: {
            CEvent& e = m_events[ev];
            r->m_kind = e.m_type;
            r->m_event = static_cast<uint16_t>(ev);
            if (IsPaymentKind(e.m_type)) {
                if (e.m_allocation == nullptr) AllocatePayment(ev);
                double category[kPenaltySlots] = {};
                double total = 0.0;
                if (e.m_allocation != nullptr) {
                    for (int s = 0; s < kPenaltySlots; ++s)
                        category[s] = e.m_allocation->m_payment[kCategoryFirstPenalty + s];
                    total = e.m_allocation->m_payment[kCategoryUserPenalties] +
                            e.m_allocation->m_payment[kCategoryPenaltyInterest];
                }
                for (int s = 0; s < kPenaltySlots; ++s) {
                    double amount = category[s] + m_penaltyCredit[s];
                    m_penaltyCredit[s] = 0.0;
                    if (amount < 0.0) {
                        m_penaltyCredit[s] = amount;
                        amount = 0.0;
                    }
                    const double outstanding = m_penaltyAssessed[s] - m_penaltyPaid[s];
                    double pay = 0.0;
                    if (outstanding > 0.005) {
                        pay = amount;
                        if (amount > outstanding) {
                            pay = outstanding;
                            m_penaltyCredit[s] += amount - outstanding;
                            PaymentPenaltyError(1);
                        }
                    } else {
                        m_penaltyCredit[s] += amount;
                    }
                    m_penaltyPaid[s] += pay;
                    total += pay;
                }
                r->m_paid = total;
                balance -= total;
                keep = std::fabs(total) >= 0.005;
            } else if (e.m_type == kEventStopInterest) {
                m_interestRunning = 0;
            } else if (e.m_type == kEventStartInterest) {
                m_interestRunning = 1;
            }
            // Any other event ends the period too (the balance stays): only a
            // payment that pays no penalty and a cleared assessment are
            // passed over.
            ++ev;
            break;
        }
        case StreamAction::RateChange:
            r->m_kind = kEventRateChange;
            ++entry;
            break;
        case StreamAction::MonthEnd:
            r->m_kind = kEventMonthEnd;
            monthEnd = monthEnd.AddDays(1);
            monthEnd.EndOfMonth();
            break;
        case StreamAction::Hot:
            r->m_kind = static_cast<uint16_t>(hot.NextChangeKind() == 2 ? penalty::kStreamKindHotStop
                                                                        : penalty::kStreamKindHotStart);
            hot.ApplyNextChange();
            break;
        }

        if (!keep) {
            // No break in the balance here: the period goes on to the next
            // boundary and its interest is computed there.
            (tail != nullptr ? tail->m_next : m_penaltyBase) = nullptr;
            delete r;
            continue;
        }
        tail = r;
        accrued += r->m_interest;
        m_totals[kTotalInterestPenalty] += r->m_interest;
        if (MethodCompounds(method)) {
            balance += accrued;
            accrued = 0.0;
        }
        r->m_balance = balance + accrued;
        current = end;
        if (balance > 0.005 && Refunding(current)) RefundAndPenalty(1);
        if (action == StreamAction::End) {
            m_interestRunning = 1;
            m_hotActive = hotOnEntry;
            return 1;
        }
    }
    m_interestRunning = 1;
    m_hotActive = hotOnEntry;
    return 0;
}
