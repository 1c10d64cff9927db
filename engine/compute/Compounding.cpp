// Compounding points and GATT netting of the running balances.
#include "compute/CQRTCompute.h"

void CQRTCompute::CalculateGattSwicthOver(ComputeResults*, int index)
{
    CheckCompounding(index);
    NormalizeGATT();
}

void CQRTCompute::NetGATT()
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
