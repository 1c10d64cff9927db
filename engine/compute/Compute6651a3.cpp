// Failure to pay an assessed amount after notice and demand (6651(a)(3),
// slot 2).
#include <algorithm>

#include "compute/CQRTCompute.h"
#include "compute/FailureToPayInternal.h"

void CQRTCompute::Compute6651a3(int slot, Date through)
{
    Penalties& rec = m_penalties[slot];
    Penalties& shown = m_penalties[kPenalty6651a2];
    Penalties& file = m_penalties[kPenalty6651a1];

    const double threshold = ftp::AssessmentPaymentThreshold(*this);

    double maximumBase = TotalLiability();
    if (m_penalties[kPenalty6653b].IsEnabled() && m_taxDueDate < Date(1, 1, 1990))
        maximumBase -= m_penalties[kPenalty6653b].m_amounts[0];
    if (shown.IsEnabled())
        maximumBase -= std::min(static_cast<double>(shown.m_amounts[0]), m_maximumBase[kPenalty6651a2]);
    maximumBase = std::max(0.0, maximumBase);
    m_maximumBase[slot] = maximumBase;
    m_baseAmount[slot] = std::min(static_cast<double>(rec.m_amounts[0]), maximumBase);

    FreeF2F(m_fpaBase);
    m_totalPenalty[slot] = 0.0;
    m_totalPenalty2[slot] = 0.0;
    m_penaltyAmount[slot] = 0.0;
    m_reduction[slot] = 0.0;
    m_reduction2[slot] = 0.0;

    // The penalty runs from the end of the notice's grace period; an
    // assessment paid in full within it owes nothing.
    const Date start = ftp::AssessmentGraceStart(rec.m_dates[0], rec.m_graceMask & 1);
    if (!start.isValid()) return;
    if (ftp::AssessmentPaidInGrace(*this, start)) return;
    if (through < start) return;

    // Returns due before 1987: the maximum is reduced by the failure-to-file
    // penalty on the same amount (computed on the assessment less what was
    // paid within ten days of the notice, without the failure-to-pay
    // reduction). Both failure-to-file runs assess nothing.
    if (file.IsEnabled() && m_taxDueDate < Date(1, 1, 1987)) {
        const int shownOn = shown.IsEnabled();
        const double fileAmount = file.m_amounts[0];
        shown.Enable(0);
        file.m_amounts[0] = m_baseAmount[slot] - TenDayPayments(slot);
        Compute6651a1a2(kPenalty6651a2, kPenalty6651a1, through, 0, 1);
        m_reduction[slot] = m_penaltyAmount[kPenalty6651a1];
        file.m_amounts[0] = fileAmount;
        shown.Enable(shownOn);
        Compute6651a1a2(kPenalty6651a2, kPenalty6651a1, through, 1, 1);
        if (m_reduction[slot] < 0.0) m_reduction[slot] = 0.0;
    }

    double maximum = ComputeMaximumPenalty(slot);
    if (maximum < 0.0) maximum = 0.0;
    RoundMoney(maximum);
    m_penaltyMaximum[slot] = maximum;
    m_reduction2[slot] = std::max(0.0, maximum - m_reduction[slot]);

    ftp::Walk walk;
    walk.slot = slot;
    walk.start = start;
    walk.through = through;
    walk.balance = m_baseAmount[slot];
    walk.levyIndex = 4;
    walk.jeopardyIndex = 5;
    walk.firstNotice = 1;
    walk.lastNotice = 3;
    walk.noticeAddsAmount = 1;
    walk.firstMarker = 1;
    walk.threshold = threshold;
    // What is assessed never exceeds the penalty that counts, so the penalty
    // stream cannot carry a balance that no payment is allocated to.
    walk.assessCap = m_reduction2[slot];
    ftp::RunWalk(*this, walk, m_fpaBase);

    double total = ComputeReal6651(m_fpaBase);
    RoundMoney(total);
    if (total > maximum) {
        m_totalPenalty2[slot] = total - maximum;
        total = maximum;
    }
    m_totalPenalty[slot] = total;
    double real = std::min(total, m_reduction2[slot]);
    RoundMoney(real);
    m_penaltyAmount[slot] = real;

    m_penHeader[slot] = m_taxDueDate < Date(1, 1, 1990) ? "R6651A3H.DM" : "R6653AH.DM";
}
