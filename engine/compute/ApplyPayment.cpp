// ApplyPayment: the driver's application of a payment's stored split to the
// running balances, with the GATT netting of large corporate overpayments.
#include "compute/CQRTCompute.h"

void CQRTCompute::ApplyPayment(int i, ComputeResults* /*r: last normal record, not changed*/, int entry)
{
    const CEvent& e = m_events[i];
    const Payment* p = e.m_allocation;
    if (p == nullptr) return;

    const double keptLeft = m_gattAmountLeft;
    double keptNormal = m_normalPrincipal;
    const double room = m_gattAmountStart < m_gattAmountLeft ? m_gattAmountStart : m_gattAmountLeft;

    double allocated = 0.0;
    for (int k = 0; k < 50; ++k) allocated += p->m_payment[k];
    if (e.m_type == 3 && e.m_amount - allocated > 0.5) ExcessDeposits(1);

    m_motivatedPrincipal -= p->m_payment[2];
    m_motivatedInterestDue -= p->m_payment[3];

    // Under a compounding method the interest has already joined the principal.
    const int compounds = MethodCompounds(TableMethod(entry));
    double taxPart = p->m_payment[0] + (compounds ? p->m_payment[1] : 0.0);

    if (!m_federalGatt || !GATTOn() || e.m_type == 3) {
        m_normalPrincipal -= p->m_payment[0];
        m_normalInterestDue -= p->m_payment[1];
    } else {
        double interestPart = 0.0;
        if (!compounds) {
            m_normalInterestDue -= p->m_payment[1];
            interestPart = p->m_payment[1];
        }
        CheckCompounding(entry);
        if (m_normalPrincipal > taxPart) {
            m_normalPrincipal -= taxPart;
            m_gattAmountLeft -= taxPart;
        } else {
            if (m_normalPrincipal > 0.0) {
                taxPart -= m_normalPrincipal;
                m_normalPrincipal = 0.0;
            }
            if (room <= 0.0) {
                m_gattPrincipal -= taxPart;
            } else if (room >= taxPart) {
                m_normalPrincipal -= taxPart;
                m_gattAmountLeft -= p->m_payment[0] + p->m_payment[1];
                CheckCompounding(entry);
            } else {
                m_normalPrincipal -= room;
                m_gattPrincipal -= taxPart - room;
                CheckCompounding(entry);
                m_gattAmountLeft = 0.0;
                keptNormal = 0.0;
            }
        }
        m_gattAmountLeft += interestPart;
        if (keptNormal > 0.0 && room > 0.0) {
            m_gattAmountLeft += keptNormal;
            if (m_gattAmountLeft > keptLeft) m_gattAmountLeft = keptLeft;
        }
        if (m_gattAmountLeft < 0.0) m_gattAmountLeft = 0.0;
    }

    // Overpaid interest becomes principal; overpaid motivated amounts fall
    // through to the normal principal.
    if (m_normalInterestDue < 0.0) {
        m_normalPrincipal += m_normalInterestDue;
        m_normalInterestDue = 0.0;
    }
    if (m_motivatedInterestDue < 0.0) {
        m_motivatedPrincipal += m_motivatedInterestDue;
        m_motivatedInterestDue = 0.0;
    }
    if (m_motivatedPrincipal < 0.0) {
        m_normalPrincipal += m_motivatedPrincipal;
        m_motivatedPrincipal = 0.0;
    }
}
