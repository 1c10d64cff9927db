// The valuation and understatement additions of returns due before 1990:
// 6659 (valuation overstatement, slot 7), 6659A (pension liabilities, slot 8),
// 6660 (estate and gift valuation understatement, slot 9) and 6661
// (substantial understatement, slot 10). Each is a percentage of the
// underpayment above a threshold, assessed at one date.
#include "compute/CQRTCompute.h"

namespace {

const Date k1Jan1983(1, 1, 1983);
const Date k18Jul1984(7, 18, 1984);
const Date k21Oct1986(10, 21, 1986);
const Date k23Oct1986(10, 23, 1986);

// The 6659, 6659A and 6660 penalties need an underpayment of at least $1,000.
constexpr double kValuationThreshold = 100000.0;
// 6661 needs an understatement of more than $5,000.
constexpr double kUnderstatementThreshold = 500000.0;

const char* const kFooterBelow1000 = "R6662FF.DM";
const char* const kFooterBelow5000 = "R6662DD.DM";

// Returns due before 18 July 1984 are assessed at their notice (date 1) when
// that came before 18 July 1984 too, else on 18 July 1984; later returns at
// their due date (date 0).
Date EarlyReturnAssessmentDate(const Penalties& rec)
{
    const Date due = rec.m_dates[0];
    if (!due.isValid() || due >= k18Jul1984)
        return due;
    const Date notice = rec.m_dates[1];
    return notice.isValid() && notice < k18Jul1984 ? notice : k18Jul1984;
}

}  // namespace

// Shared rule of 6659 and 6660: the percent the caller gave on a base of at
// least $1,000, assessed by the rule for early returns.
static void ComputeValuation(CQRTCompute& c, int slot)
{
    c.Post90Check(slot);
    const Penalties& rec = c.m_penalties[slot];
    const Date assessment = EarlyReturnAssessmentDate(rec);
    c.m_totalPenalty[slot] = 0.0;
    c.m_penaltyAmount[slot] = 0.0;
    const double base = c.m_baseAmount[slot];
    if (base >= kValuationThreshold) {
        double penalty = rec.Value() * base / 100.0;
        c.RoundMoney(penalty);
        c.m_totalPenalty[slot] = penalty;
        c.m_penaltyAmount[slot] = penalty;
        c.DropPenalty(penalty, assessment, slot, -1);
    } else {
        c.PenFooter(slot, kFooterBelow1000);
    }
}

void CQRTCompute::Compute6659(int slot)
{
    ComputeValuation(*this, slot);
}

void CQRTCompute::Compute6660(int slot)
{
    ComputeValuation(*this, slot);
}

void CQRTCompute::Compute6659a(int slot)
{
    Post90Check(slot);
    const Penalties& rec = m_penalties[slot];
    m_totalPenalty[slot] = 0.0;
    m_penaltyAmount[slot] = 0.0;
    const double base = m_baseAmount[slot];
    // The pension-liability penalty exists only for tax due from 23 October
    // 1986 on.
    if (base >= kValuationThreshold && m_taxDueDate >= k23Oct1986) {
        double penalty = rec.Value() * base / 100.0;
        RoundMoney(penalty);
        m_totalPenalty[slot] = penalty;
        m_penaltyAmount[slot] = penalty;
        DropPenalty(penalty, rec.m_dates[1], slot, -1);
    } else {
        m_penFooter[slot] = kFooterBelow1000;
    }
}

void CQRTCompute::Compute6661(int slot)
{
    Post90Check(slot);
    Penalties& rec = m_penalties[slot];
    m_totalPenalty[slot] = 0.0;
    m_penaltyAmount[slot] = 0.0;
    const double base = m_baseAmount[slot];
    if (m_taxDueDate < k1Jan1983 || !(base > kUnderstatementThreshold)) {
        m_penFooter[slot] = kFooterBelow5000;
        return;
    }
    const Date assessment = EarlyReturnAssessmentDate(rec);
    // The rate rose to 25 % for tax due, or assessed, after 21 October 1986.
    const Date assessed = rec.m_dates[1];
    const bool higher = m_taxDueDate > k21Oct1986 || (assessed.isValid() && assessed > k21Oct1986);
    rec.SetValue(higher ? 25 : 10);
    double penalty = rec.Value() * base / 100.0;
    RoundMoney(penalty);
    m_totalPenalty[slot] = penalty;
    m_penaltyAmount[slot] = penalty;
    DropPenalty(penalty, assessment, slot, -1);
}
