// Consistency checks of the penalty inputs that raise warning flags:
// accuracy penalties beyond the tax, a user penalty after the last payment,
// and 6651(a)(3) assessments beyond the tax.
#include "compute/CQRTCompute.h"

int CQRTCompute::AccuracyPenaltyCheck()
{
    m_accuracyError = 0;
    if (m_taxDueDate < Date(1, 1, 1990)) return 0;
    double totalTax = 0.0;
    for (int i = 0; i < 1000 && m_events[i].m_date.isValid(); ++i)
        if (IsTaxKind(m_events[i].m_type)) totalTax += m_events[i].m_amount;
    double accuracyBases = 0.0;
    for (int slot = 11; slot <= 15; ++slot)
        if (m_penalties[slot].IsEnabled()) accuracyBases += m_penalties[slot].m_amounts[0];
    if (accuracyBases > totalTax) {
        m_accuracyError = 1;
        return 1;
    }
    return 0;
}

int CQRTCompute::PenaltyAfterPaymentCheck()
{
    int seenPayment = 0;
    int penaltyAfter = 0;
    for (int i = 0; i < 1000 && m_events[i].m_date.isValid(); ++i) {
        const int kind = m_events[i].m_type;
        if (IsPaymentKind(kind)) {
            seenPayment = 1;
            penaltyAfter = 0;   // a later payment may pay that penalty
        } else if ((kind == 4 || kind == 10) && seenPayment) {
            penaltyAfter = 1;
        }
    }
    return penaltyAfter;
}

void CQRTCompute::Check6651a3Penalty()
{
    Penalty6651a3ExceedsTax(0);
    Penalties6651a2and3ExceedTax(0);
    const Penalties& a3 = m_penalties[2];
    if (!a3.IsEnabled()) return;
    double assessed = 0.0;
    for (int k = 0; k < 4; ++k)
        if (a3.m_dates[k].isValid()) assessed += a3.m_amounts[k];
    if (a3.m_dates[0].isValid() && assessed > NetTaxDueOn(a3.m_dates[0]))
        Penalty6651a3ExceedsTax(1);
    if (m_penalties[1].IsEnabled() && m_penalties[1].m_amounts[0] + assessed > TotalTax())
        Penalties6651a2and3ExceedTax(1);
}
