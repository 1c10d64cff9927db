// Compute6621c: the effective start and restart dates of large-corporate-
// underpayment (hot) interest, prepared at the start of every run.
#include "compute/CQRTCompute.h"
#include "compute/HotPeriodsInternal.h"

namespace {

// The later of a 30-day letter date plus 30 days and an applicable date (the
// applicable date wins when both are given), never before 31 December 1990.
Date EffectiveHotDate(Date letter30Day, Date applicable)
{
    Date d;
    if (letter30Day.isValid()) d = letter30Day.AddDays(30);
    if (applicable.isValid()) d = applicable;
    const Date earliest(12, 31, 1990);
    if (d.isValid() && d < earliest) d = earliest;
    return d;
}

} // namespace

void CQRTCompute::Compute6621c(int slot, Date through)
{
    m_date6621c.Invalidate();
    m_date6621c2.Invalidate();
    m_6621cAdded = 0;
    m_hotActive = 0;
    m_penalties[slot].Enable(0);
    if (!m_hotInterest) return;

    if (through <= Date(1, 31, 1991)) {
        PenFooter(slot, "R6621CF.DM");
        return;
    }
    m_date6621c = EffectiveHotDate(m_hot30Day, m_hotApplicable);
    m_penalties[slot].Enable(1);

    if (m_hotInterest2 && through >= Date(1, 1, 1997)) {
        m_date6621c2 = EffectiveHotDate(m_hot30Day2, m_hotApplicable2);
        m_penalties[slot].SetFlag(kPenaltyRestart, m_hot30Day2.isValid() || m_hotApplicable2.isValid());
    }
}

int CQRTCompute::HotRestartInconsistent() const
{
    if (!m_hotInterest || !m_hotInterest2) return 0;
    return HotRestartTakesEffect(EffectiveHotDate(m_hot30Day, m_hotApplicable),
                                 EffectiveHotDate(m_hot30Day2, m_hotApplicable2))
               ? 0
               : 1;
}
