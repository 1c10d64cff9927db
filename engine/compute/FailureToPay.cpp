// Failure-to-pay month walk, rate rule, piece totals and the maximum penalty.
#include <algorithm>
#include <new>

#include "compute/CQRTCompute.h"
#include "compute/FailureToPayInternal.h"

namespace ftp {
namespace {

constexpr int kMaxUnits = 100;  // 25 % in quarter-percent units

void AppendPiece(F2Fs**& tail, int first, double amount, double base, int units, Date monthStart)
{
    F2Fs* piece = new (std::nothrow) F2Fs;
    if (piece == nullptr) return;
    piece->m_first = first;
    piece->m_amount = amount;
    piece->m_base = base;
    piece->m_rateCode = units - 1;
    piece->m_monthStart = monthStart;
    *tail = piece;
    tail = &piece->m_next;
}

}  // namespace

int MonthUnits(const Penalties& rec, Date monthStart, Date levy, Date jeopardy)
{
    if ((levy.isValid() && monthStart >= levy.AddDays(10)) ||
        (jeopardy.isValid() && monthStart >= jeopardy))
        return 4;
    const Date reduce = rec.m_dates[8];
    const Date reinstate = rec.m_dates[9];
    if (rec.Flag(kPenaltyTimely) && monthStart > Date(12, 31, 1999) && reduce.isValid() &&
        reduce < monthStart && (!reinstate.isValid() || reinstate >= monthStart))
        return 1;
    return 2;
}

Date AssessmentGraceStart(Date notice, int shortGrace)
{
    if (!notice.isValid()) return Date();
    if (notice < Date(1, 1, 1997)) return notice.AddDays(10);
    return notice.AddDays(shortGrace ? 14 : 21);
}

int AssessmentPaidInGrace(CQRTCompute& c, Date start)
{
    // A payment on the last day of the grace period is in time.
    return c.AnyPayments(-1, Date(1, 1, 1954), start.AddDays(1)) >= c.TotalLiability() - 0.5 ? 1 : 0;
}

double AssessmentPaymentThreshold(CQRTCompute& c)
{
    const Penalties& shown = c.m_penalties[kPenalty6651a2];
    if (!shown.IsEnabled()) return 0.0;
    // Payments made after the tax shown was due but before the assessment's
    // penalty starts have paid that much of the tax shown already. Leaving
    // them out would make the walk's first payments pay the tax shown a
    // second time, and an assessment paid in full would go on accruing.
    const Penalties& assessed = c.m_penalties[kPenalty6651a3];
    Date upTo = shown.m_dates[0];
    const Date start = AssessmentGraceStart(assessed.m_dates[0], assessed.m_graceMask & 1);
    if (start.isValid() && (!upTo.isValid() || start > upTo)) upTo = start;
    const double paid = upTo.isValid() ? c.AnyPayments(-1, Date(), upTo.AddDays(1)) : 0.0;
    return std::max(0.0, shown.m_amounts[0] - paid);
}

double MonthPayments(CQRTCompute& c, Date start, int n)
{
    const Date monthStart = start.AddMonths(n);
    const Date from = monthStart.AddDays(n == 0 ? 1 : 2);
    const Date to = start.AddMonths(n + 1).AddDays(2);
    return c.AnyPayments(-1, from, to);
}

void RunWalk(CQRTCompute& c, Walk& w, F2Fs*& list)
{
    const Penalties& rec = c.m_penalties[w.slot];
    const Date levy = rec.m_dates[w.levyIndex];
    const Date jeopardy = rec.m_dates[w.jeopardyIndex];

    F2Fs** tail = &list;
    while (*tail != nullptr) tail = &(*tail)->m_next;

    double balance = std::max(0.0, w.balance);
    double limitBase = std::max(0.0, c.m_baseAmount[w.slot]);
    int units = 0;          // units charged so far
    int nonPositive = 0;    // months met with nothing left to pay
    double pending = 0.0;   // penalty not yet assessed
    double paidSoFar = 0.0; // payments since the start (slot 2 threshold)
    double appliedSoFar = 0.0;
    int notice = w.firstNotice;

    if (w.firstMarker)
        AppendPiece(tail, 1, 0.0, balance, MonthUnits(rec, w.start, levy, jeopardy), w.start);

    int n = 0;
    for (;; ++n) {
        const Date monthStart = w.start.AddMonths(n);
        const Date next = w.start.AddMonths(n + 1);

        int u = MonthUnits(rec, monthStart, levy, jeopardy);
        if (units + u > kMaxUnits) u = kMaxUnits - units;
        if (!(balance > 0.0)) ++nonPositive;
        if (u > 0 && (balance > 0.0 || nonPositive < 2)) {
            double amount = u * 0.0025 * balance;
            c.RoundMoney(amount);
            if (balance > 0.0) units += u;
            AppendPiece(tail, 0, amount, balance, u, monthStart);
            pending += amount;
        }

        double paid = MonthPayments(c, w.start, n);
        if (w.threshold > 0.0) {
            paidSoFar += paid;
            const double beyond = std::max(0.0, paidSoFar - w.threshold);
            paid = beyond - appliedSoFar;
            appliedSoFar = beyond;
        }
        balance -= paid;
        if (balance < -0.5) balance = 0.0;

        if (!w.noDrops) {
            while (notice <= w.lastNotice && rec.m_dates[notice].isValid() &&
                   next >= rec.m_dates[notice]) {
                double room = 0.25 * limitBase - c.m_penaltyAddedAmt[w.slot];
                if (w.assessCap >= 0.0)
                    room = std::min(room, w.assessCap - c.m_penaltyAddedAmt[w.slot]);
                double amount = std::min(pending, std::max(0.0, room));
                c.RoundMoney(amount);
                c.DropPenalty(amount, rec.m_dates[notice], w.slot, notice);
                pending = 0.0;
                if (w.noticeAddsAmount) {
                    balance += rec.m_amounts[notice];
                    limitBase += rec.m_amounts[notice];
                }
                ++notice;
            }
        }
        if (!next.isValid() || next >= w.through) break;
    }
    w.monthsWalked = n + 1;
}

}  // namespace ftp

double CQRTCompute::ComputeReal6651(F2Fs* list)
{
    double total = 0.0;
    for (F2Fs* p = list; p != nullptr;) {
        double group = 0.0;
        const double amount = p->m_amount;
        const int code = p->m_rateCode;
        while (p != nullptr && p->m_amount == amount && p->m_rateCode == code) {
            group += p->m_amount;
            p = p->m_next;
        }
        RoundMoney(group);
        total += group;
    }
    RoundMoney(total);
    return total;
}

double CQRTCompute::ComputeMaximumPenalty(int slot)
{
    if (slot != kPenalty6651a2 && slot != kPenalty6651a3) return 0.0;
    const Penalties& rec = m_penalties[slot];
    const bool shown = slot == kPenalty6651a2;

    Date start;
    double balance = 0.0;
    double threshold = 0.0;
    if (shown) {
        start = rec.m_dates[0].isValid() ? rec.m_dates[0] : m_taxDueDate;
        balance = std::max(0.0, m_baseAmount[slot]);
    } else {
        start = ftp::AssessmentGraceStart(rec.m_dates[0], rec.m_graceMask & 1);
        if (!start.isValid()) return 0.0;
        if (ftp::AssessmentPaidInGrace(*this, start)) return 0.0;
        balance = std::min(static_cast<double>(rec.m_amounts[0]), m_maximumBase[slot]);
        threshold = ftp::AssessmentPaymentThreshold(*this);
    }
    if (!start.isValid()) return 0.0;
    const Date levy = rec.m_dates[shown ? 5 : 4];
    const Date jeopardy = rec.m_dates[shown ? 6 : 5];

    double result = 0.0;
    double paidSoFar = 0.0;
    double appliedSoFar = 0.0;
    int notice = 1;
    int steps = 0;
    for (int n = 0; steps < 50; ++n) {
        const Date monthStart = start.AddMonths(n);
        bool high = (levy.isValid() && monthStart >= levy.AddDays(10)) ||
                    (jeopardy.isValid() && monthStart >= jeopardy);
        if (steps >= 49) high = false;
        steps += high ? 2 : 1;
        double amount = (high ? 0.01 : 0.005) * balance;
        RoundMoney(amount);
        result += amount;

        double paid = ftp::MonthPayments(*this, start, n);
        if (!shown && threshold > 0.0) {
            paidSoFar += paid;
            const double beyond = std::max(0.0, paidSoFar - threshold);
            paid = beyond - appliedSoFar;
            appliedSoFar = beyond;
        }
        balance -= paid;
        if (balance < -0.5) balance = 0.0;
        if (!shown) {
            // Later assessments of the same account raise the maximum as
            // they raise the penalty's balance.
            const Date next = start.AddMonths(n + 1);
            while (notice <= 3 && rec.m_dates[notice].isValid() && next >= rec.m_dates[notice]) {
                balance += rec.m_amounts[notice];
                ++notice;
            }
        }
        if (shown && balance <= 0.0) break;
    }
    return result;
}
