// The negligence (6653(a), slot 3) and fraud (6653(b), slot 4) additions of
// returns due before 1989: a percentage of the underpayment and, for tax due
// from 1982 to 1988, half of the interest on the negligent or fraudulent
// underpayment (its normal-rate and motivated-rate parts apart).
#include <algorithm>

#include "compute/CQRTCompute.h"

namespace {

const Date k1Jan1982(1, 1, 1982);
const Date k3Sep1982(9, 3, 1982);
const Date k1Jan1987(1, 1, 1987);
const Date k31Dec1988(12, 31, 1988);
const Date k1Jan1989(1, 1, 1989);

}  // namespace

// Half the interest, from the account's tax due date to the assessment date
// (date 2; `through` without one, and never past `through`), on `underpaid`
// less its motivated part at the normal rate plus on the motivated part at
// the motivated rate; rounded. With `useBase` payments reduce the amount only
// beyond the tax that is not this penalty's underpayment.
static double HalfInterest(CQRTCompute& c, int slot, double underpaid, double motivated,
                           int useBase, Date through)
{
    const Date assessed = c.m_penalties[slot].m_dates[2];
    Date end = assessed.isValid() ? assessed : through;
    if (end > through)
        end = through;
    const Date from = c.TaxDueDate();
    const double normal =
        c.PenaltyInterest(underpaid - motivated, 0, from, end, useBase, slot);
    const double motiv = c.PenaltyInterest(motivated, 1, from, end, useBase, slot);
    double half = 0.5 * (normal + motiv);
    c.RoundMoney(half);
    return half;
}

void CQRTCompute::Compute6653a(int slot, Date through)
{
    Penalties& rec = m_penalties[slot];
    const Penalties& fraud = m_penalties[kPenalty6653b];
    const bool fraudOn = fraud.IsEnabled() != 0;
    const double fraudAmount = fraud.m_amounts[0];

    // Negligence cannot also be charged on the part of the tax already
    // charged as fraud.
    m_maximumBase[slot] = m_totalTax - (fraudOn ? fraudAmount : 0.0);
    for (int k = 0; k < 3; ++k) {
        const double amount = rec.m_amounts[k];
        double base = fraudOn ? std::min(m_totalTax - fraudAmount, amount) : amount;
        // A fraud amount above the tax leaves nothing, not a negative base.
        m_negligenceBase[k] = std::max(base, 0.0);
    }
    m_baseAmount[slot] = m_negligenceBase[0];

    rec.SetValue(5);
    double penalty = 0.05 * m_negligenceBase[0];
    RoundMoney(penalty);
    m_totalPenalty[slot] = penalty;
    m_penaltyAmount[slot] = penalty;
    m_totalPenalty2[slot] = 0.0;
    Date assessment = rec.m_dates[1];

    if (m_taxDueDate < k1Jan1982) {
        if (!assessment.isValid())
            assessment = rec.m_dates[0];
    } else if (m_taxDueDate <= k31Dec1988) {
        const double half = HalfInterest(*this, slot, m_negligenceBase[1], m_negligenceBase[2],
                                         rec.Flag(kPenaltyFraud), through);
        m_totalPenalty2[slot] = half;
        m_penaltyAmount[slot] += half;
    } else {
        assessment = rec.m_dates[0];
    }
    DropPenalty(m_penaltyAmount[slot], assessment, slot, -1);
}

void CQRTCompute::Compute6653b(int slot, Date through)
{
    Penalties& rec = m_penalties[slot];
    const double base = rec.m_amounts[0];
    m_baseAmount[slot] = base;
    rec.SetValue(m_taxDueDate < k1Jan1987 ? 50 : 75);
    double penalty = rec.Value() * base / 100.0;
    RoundMoney(penalty);
    m_totalPenalty[slot] = penalty;
    m_penaltyAmount[slot] = penalty;
    m_totalPenalty2[slot] = 0.0;

    Date assessment;
    if (m_taxDueDate <= k3Sep1982) {
        assessment = rec.m_dates[1];
    } else if (m_taxDueDate >= k1Jan1989) {
        assessment = rec.m_dates[0];
    } else {
        // Fraud interest always follows the authority's allocation.
        const double half =
            HalfInterest(*this, slot, rec.m_amounts[1], rec.m_amounts[2], 1, through);
        m_totalPenalty2[slot] = half;
        m_penaltyAmount[slot] += half;
        assessment = rec.m_dates[1];
    }
    DropPenalty(m_penaltyAmount[slot], assessment, slot, -1);
}
