// Failure to pay the tax shown (6651(a)(2), slot 1) and failure to file
// (6651(a)(1), slot 23), computed together because the failure-to-file
// penalty is reduced by the failure-to-pay penalty of the same months.
#include <algorithm>

#include "compute/CQRTCompute.h"
#include "compute/FailureToFileMinimum.h"
#include "compute/FailureToPayInternal.h"

namespace {

// Returns due before this date are assessed at their notice date and leave
// the months after it out of the assessed amount.
const Date kNoticeRuleEnd(7, 18, 1984);

// Sum of the failure-to-pay pieces that stand for the `counted` months of a
// failure to file from `due`. Pieces dated before `due` are passed over; when
// the first piece is dated after `due`, the months from `due` up to that piece
// count against `counted` before any piece is taken.
double PairedFailureToPay(const F2Fs* list, Date due, int counted)
{
    const F2Fs* p = list;
    if (p == nullptr || counted <= 0) return 0.0;
    int limit = counted;
    if (p->m_monthStart <= due) {
        while (p != nullptr && p->m_monthStart < due) p = p->m_next;
    } else {
        for (Date m = due; limit > 0 && m.isValid() && m < p->m_monthStart; m = m.AddMonths(1))
            --limit;
    }
    double sum = 0.0;
    for (int i = 0; p != nullptr && i < limit; ++i, p = p->m_next) sum += p->m_amount;
    return std::max(0.0, sum);
}

}  // namespace

void CQRTCompute::Compute6651a1a2(int slotA2, int slotA1, Date through, int, int noDrops)
{
    // ---- Failure to pay the tax shown ----
    Penalties& shown = m_penalties[slotA2];
    FreeF2F(m_fpsBase);
    m_maximumBase[slotA2] = shown.m_amounts[0];
    if (m_taxDueDate < Date(1, 1, 1990)) {
        m_maximumBase[slotA2] = TotalLiability();
        if (m_penalties[kPenalty6653b].IsEnabled())
            m_maximumBase[slotA2] -= m_penalties[kPenalty6653b].m_amounts[0];
    }
    m_baseAmount[slotA2] = std::min(static_cast<double>(shown.m_amounts[0]), m_maximumBase[slotA2]);
    m_totalPenalty[slotA2] = 0.0;
    m_penaltyAmount[slotA2] = 0.0;
    m_reduction[slotA2] = 0.0;

    // A failure to pay that starts before the tax was due is an input error
    // (CheckPenaltyDates reports it): neither penalty is computed. Without a
    // single tax due date there is nothing to compare against.
    if (shown.IsEnabled() && shown.m_dates[0].isValid() && m_taxDueDate.isValid() &&
        shown.m_dates[0] < m_taxDueDate)
        return;

    const Date start = shown.m_dates[0].isValid() ? shown.m_dates[0] : m_taxDueDate;
    if (shown.IsEnabled() && start.isValid() && start < through) {
        ftp::Walk walk;
        walk.slot = slotA2;
        walk.start = start;
        walk.through = through;
        walk.balance = m_baseAmount[slotA2];
        walk.levyIndex = 5;
        walk.jeopardyIndex = 6;
        walk.firstNotice = 1;
        walk.lastNotice = 4;
        walk.noDrops = noDrops;
        ftp::RunWalk(*this, walk, m_fpsBase);
        shown.SetValue(walk.monthsWalked);
        m_totalPenalty[slotA2] = ComputeReal6651(m_fpsBase);
        double maximum = ComputeMaximumPenalty(slotA2);
        RoundMoney(maximum);
        m_penaltyMaximum[slotA2] = maximum;
        m_penaltyAmount[slotA2] = std::min(m_totalPenalty[slotA2], maximum);
    }

    // ---- Failure to file ----
    Penalties& file = m_penalties[slotA1];
    Post90Check(slotA1);
    m_reduction[slotA1] = 0.0;
    m_totalPenalty[slotA1] = 0.0;
    m_totalPenalty2[slotA1] = 0.0;
    file.m_value = 0.0;
    file.m_monthCount = 0;
    file.m_amounts[1] = 0.0;

    const Date due = file.m_dates[0];
    const Date notice = file.m_dates[1];
    const Date received = file.m_dates[2];
    const double base = m_baseAmount[slotA1];
    double assessable = 0.0;

    // A return not yet received (no date 2) stays late through the
    // computation date.
    const bool applies = file.IsEnabled() && due.isValid() && due < through && received > due &&
                         (!m_taxDueDate.isValid() || m_taxDueDate < received);
    if (applies) {
        const Date end = std::min(received, through);
        const bool fraud = file.Flag(kPenaltyFraud) != 0;
        const double rate = fraud ? 0.15 : 0.05;
        const bool noticeRule = due < kNoticeRuleEnd && notice.isValid() && notice < kNoticeRuleEnd;

        double total = 0.0;
        int months = 0;
        Date m = due;
        do {
            const double amount = base * rate;
            total += amount;
            if (!(noticeRule && m >= notice)) assessable += amount;
            m = m.AddMonths(1);
            ++months;
        } while (m.isValid() && m < end && months < 5);
        file.m_monthCount = static_cast<uint16_t>(months);
        file.SetValue(fraud ? 15 : 5);

        int allMonths = 0;
        for (Date k = due; k.isValid() && k < end; k = k.AddMonths(1)) ++allMonths;
        file.m_amounts[1] = allMonths;

        double reduction = PairedFailureToPay(m_fpsBase, due, months);
        RoundMoney(reduction);
        m_reduction[slotA1] = reduction;
        RoundMoney(total);
        m_totalPenalty[slotA1] = total;
        RoundMoney(assessable);
    }

    double minimum = 0.0;
    if (file.Flag(kPenaltyMinimum)) {
        minimum = penalty::FailureToFileMinimum(due);
        if (due.isValid() && received.isValid() && received < due.AddDays(60)) minimum = 0.0;
        if (minimum > base) minimum = std::max(0.0, base);
    }
    m_penaltyMinimum[slotA1] = minimum;
    assessable = std::max(assessable, minimum);

    double real = m_totalPenalty[slotA1] - m_reduction[slotA1];
    if (real > 0.0 && real < minimum) real = minimum;
    RoundMoney(real);
    m_penaltyAmount[slotA1] = real;

    if (!noDrops) {
        Date date = due;
        if (due < kNoticeRuleEnd)
            date = notice.isValid() && notice < kNoticeRuleEnd ? notice : kNoticeRuleEnd;
        DropPenalty(std::min(assessable, real), date, slotA1, 0);
    }
    if (m_taxDueDate < Date(1, 1, 1990)) {
        m_penHeader[slotA1] = "R6651A1H.DM";
        m_penHeader[slotA2] = "R6651A2H.DM";
    }
}

void CQRTCompute::Post90Check(int slot)
{
    const Penalties& rec = m_penalties[slot];
    const double amount = rec.m_amounts[0];
    m_maximumBase[slot] = amount;
    m_baseAmount[slot] = amount;

    bool limit = slot == kPenalty6651a1;
    if (!limit) {
        for (int i = 0; i < kMaxEvents && m_events[i].m_date.isValid(); ++i) {
            if (IsTaxKind(m_events[i].m_type)) {
                limit = m_events[i].m_date > Date(1, 1, 1990);
                break;
            }
        }
    }
    if (limit) {
        if (m_penalties[kPenalty6653b].IsEnabled())
            m_maximumBase[slot] -= m_penalties[kPenalty6653b].m_amounts[0];
        m_baseAmount[slot] = std::min(amount, m_maximumBase[slot]);
    }
    // A fraud amount above the base leaves nothing to penalise, not a
    // negative base.
    if (m_baseAmount[slot] < 0.0) m_baseAmount[slot] = 0.0;
}
