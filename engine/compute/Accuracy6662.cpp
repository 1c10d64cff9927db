// The accuracy-related penalties of section 6662 (slots 11 to 15) and the
// fraud penalty of section 6663 (slot 16), for returns due from 1990 on. Each
// is a percentage of an underpayment, assessed at the return due date
// (date 0). The 6662 base never includes tax already charged as fraud.
#include <algorithm>

#include "compute/CQRTCompute.h"

namespace {

// 6662(d), (e) and (g) need an underpayment of more than $5,000, 6662(f) one
// of more than $1,000.
constexpr double kAbove5000 = 500000.0;
constexpr double kAbove1000 = 100000.0;

const char* const kFooterBelow5000 = "R6662DD.DM";
const char* const kFooterBelow1000 = "R6662FF.DM";

}  // namespace

Date CQRTCompute::FraudActive(int slot)
{
    const Penalties& rec = m_penalties[slot];
    const Penalties& fraud = m_penalties[kPenalty6663];
    m_maximumBase[slot] = m_totalTax - (fraud.IsEnabled() ? static_cast<double>(fraud.m_amounts[0]) : 0.0);
    const double amount = rec.m_amounts[0];
    // A fraud amount above the tax leaves nothing to penalise, not a
    // negative base.
    m_baseAmount[slot] = std::max(std::min(amount, m_maximumBase[slot]), 0.0);
    m_penaltyAmount[slot] = 0.0;
    return rec.m_dates[0];
}

// Shared rule of 6662(d), (e), (f) and (g): the slot's percent of the base
// when the base is above `threshold`, else no penalty and the footer that
// explains why.
static void ComputeAboveThreshold(CQRTCompute& c, int slot, double threshold, const char* footer)
{
    const Date assessment = c.FraudActive(slot);
    c.m_totalPenalty[slot] = 0.0;
    const double base = c.GetBaseAmount(slot);
    if (base > threshold) {
        double penalty = c.m_penalties[slot].Value() * base / 100.0;
        c.RoundMoney(penalty);
        c.m_totalPenalty[slot] = penalty;
        c.m_penaltyAmount[slot] = penalty;
        c.DropPenalty(penalty, assessment, slot, -1);
    } else {
        c.PenFooter(slot, footer);
    }
}

void CQRTCompute::Compute6662c(int slot, Date)
{
    const Date assessment = FraudActive(slot);
    m_penalties[slot].SetValue(20);
    double penalty = 0.2 * m_baseAmount[slot];
    RoundMoney(penalty);
    m_totalPenalty[slot] = penalty;
    m_penaltyAmount[slot] = penalty;
    DropPenalty(penalty, assessment, slot, -1);
}

void CQRTCompute::Compute6662d(int slot, Date)
{
    ComputeAboveThreshold(*this, slot, kAbove5000, kFooterBelow5000);
}

void CQRTCompute::Compute6662e(int slot, Date)
{
    ComputeAboveThreshold(*this, slot, kAbove5000, kFooterBelow5000);
}

void CQRTCompute::Compute6662f(int slot, Date)
{
    ComputeAboveThreshold(*this, slot, kAbove1000, kFooterBelow1000);
}

void CQRTCompute::Compute6662g(int slot, Date)
{
    ComputeAboveThreshold(*this, slot, kAbove5000, kFooterBelow5000);
}

void CQRTCompute::Compute6663(int slot, Date)
{
    Penalties& rec = m_penalties[slot];
    // Fraud is charged on the record's amount as given, not on a base
    // limited by the tax; it is shown as the base of the section.
    const double amount = rec.m_amounts[0];
    m_baseAmount[slot] = amount;
    m_penaltyAmount[slot] = 0.0;
    m_totalPenalty[slot] = 0.0;
    rec.SetValue(75);
    double penalty = 0.75 * amount;
    RoundMoney(penalty);
    m_totalPenalty[slot] = penalty;
    m_penaltyAmount[slot] = penalty;
    DropPenalty(penalty, rec.m_dates[0], slot, -1);
}
