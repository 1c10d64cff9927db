// Compounding points and GATT netting of the running balances.
#include "compute/CQRTCompute.h"

void CQRTCompute::Compound()
{
    m_normalPrincipal += m_normalInterestDue + m_refundInterestDue;
    m_motivatedPrincipal += m_motivatedInterestDue;
    m_gattPrincipal += m_gattInterestDue;
    m_refundInterestDue = 0.0;
    m_normalInterestDue = 0.0;
    m_motivatedInterestDue = 0.0;
    m_gattInterestDue = 0.0;
    if (m_motivatedPrincipal < 0.0) {
        m_normalPrincipal += m_motivatedPrincipal;
        m_motivatedPrincipal = 0.0;
    }
    NormalizeGATT();
}

void CQRTCompute::CalculateGattSwicthOver(ComputeResults*, int index)
{
    CheckCompounding(index);
    NormalizeGATT();
}

void CQRTCompute::NormalizeGATT()
{
    if (m_gattPrincipal > 0.0) {
        m_normalPrincipal += m_gattPrincipal;
        m_gattPrincipal = 0.0;
    }
    if (m_gattPrincipal < 0.0 && m_normalPrincipal > 0.0) {
        m_gattPrincipal += m_normalPrincipal;
        m_normalPrincipal = 0.0;
        if (m_gattPrincipal > 0.0) {
            m_normalPrincipal = m_gattPrincipal;
            m_gattPrincipal = 0.0;
        }
    }
}
