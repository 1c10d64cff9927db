#include "automation/EngineRun.h"

#include <new>

const char* const CEngineRun::kWarningPropertyNames[kWarnings] = {
    "TableEndWarning",       "PaymentPenaltyError",     "GattTaxEvent",         "ExcessDeposits",
    "RefundAndPenalty",      "NonDailyUsed",            "HotError",             "MotivatedTaxAfter1990",
    "MotivatedTaxUnder1000", "JurisdictionNotFound",    "NoEvents",             "EventBeforeTableStart",
    "ComputeDateBeforeEvents", "AccuracyPenalty",       "OverRefundError",      "ComputeBeforeLastEvent",
    "HotUnder100K",          "PenaltyAfterPayment",     "NoHotInterestOver100K", "GattDoublePayment",
    "GattAndNotDaily",       "FedPensWithNonFedTable",  "Penalty6651a3ExceedsTax", "Penalties6651a2and3ExceedTax",
};

void CEngineRun::Release() {
    m_compute.reset();
    m_settlement = Date();
    for (auto& w : m_warnings) w = 0;
    m_errorsDetected = 0;
    m_amountOutOfRange = 0;
}

HRESULT CEngineRun::Compute(const CEngineInputs& inputs, DATE dSettledate) {
    Date settlement;
    if (!DateFromAutomation(dSettledate, settlement)) return E_INVALIDARG;
    Release();
    m_compute.reset(new (std::nothrow) CQRTCompute(inputs.Events(), inputs.EventCount()));
    if (!m_compute) return E_FAIL;
    CQRTCompute& c = *m_compute;

    c.SetPenalties(inputs.PenaltySettings().Records());
    c.SetTableName(inputs.Jurisdiction());
    c.WholeDollarMode(inputs.WholeDollarModeEnabled());
    c.SetTaxDueDate();
    c.GATTOn(inputs.GattEnabled());
    c.GATTAmount(CyToCents(inputs.GattThreshold()));
    c.HotInterest(inputs.LCUEnabled());
    c.HotInterest2(inputs.LCURestartEnabled());
    c.Hot30Day(inputs.Lcu30Day());
    c.Hot30Day2(inputs.LcuRestart30Day());
    c.HotApplicable(inputs.LcuApplicable());
    c.HotApplicable2(inputs.LcuRestartApplicable());
    m_settlement = settlement;
    c.ReallocAndCompute(settlement, 0);

    // The compute object's flags in DISPID order. NonDailyUsed is reported
    // only where it matters: GATT on and refund interest present.
    const int32_t flags[kWarnings] = {
        c.TableEndWarning(),
        c.PaymentPenaltyError(),
        c.GattTaxEvent(),
        c.ExcessDeposits(),
        c.RefundAndPenalty(),
        (c.NonDailyUsed() && c.GATTOn() && c.InterestRefund() != 0) ? 1 : 0,
        c.HotError(),
        c.MotAfter1990(),
        c.MotUnder1000(),
        c.NoTableLoaded(),
        c.NoEvents(),
        c.EventBeforeTable(),
        c.ComputeBeforeEvents(),
        c.AccuracyPenalty(),
        c.OverRefundError(),
        c.ComputeBeforeLastEvent(),
        c.HotUnder100K(),
        c.PenaltyAfterPayment(),
        c.NoHotInterestOver100K(),
        c.GattDoublePayment(),
        c.GattAndNotDaily(),
        c.FedPensWithNonFedTable(),
        c.Penalty6651a3ExceedsTax(),
        c.Penalties6651a2and3ExceedTax(),
    };
    m_amountOutOfRange = c.AmountOutOfRange();
    m_errorsDetected = m_amountOutOfRange != 0 ? 1 : 0;
    for (int i = 0; i < kWarnings; ++i) {
        m_warnings[i] = flags[i];
        if (flags[i] != 0) m_errorsDetected = 1;
    }
    return S_OK;
}

HRESULT CEngineRun::Result(double cents, CY* value) const {
    if (!m_compute) return E_PENDING;
    if (value == nullptr) return E_INVALIDARG;
    if (!CentsFitCurrency(cents)) return DISP_E_OVERFLOW;
    *value = CentsToCy(cents);
    return S_OK;
}

HRESULT CEngineRun::Taxes(CY* v) const { return m_compute ? Result(m_compute->AllTaxes(m_settlement), v) : E_PENDING; }
HRESULT CEngineRun::Payments(CY* v) const {
    return m_compute ? Result(m_compute->AllPayments(m_settlement), v) : E_PENDING;
}
HRESULT CEngineRun::Penalties(CY* v) const {
    return m_compute ? Result(m_compute->RealPenalties() + m_compute->EventPenalties(m_settlement), v) : E_PENDING;
}
HRESULT CEngineRun::DebitInterest(CY* v) const {
    return m_compute ? Result(m_compute->DebitInterest(), v) : E_PENDING;
}
HRESULT CEngineRun::NormalCreditInterest(CY* v) const {
    return m_compute ? Result(m_compute->InterestRefund(), v) : E_PENDING;
}
HRESULT CEngineRun::GATTInterest(CY* v) const { return m_compute ? Result(m_compute->InterestGATT(), v) : E_PENDING; }
HRESULT CEngineRun::PenaltyInterest(CY* v) const {
    return m_compute ? Result(m_compute->InterestPenalty(), v) : E_PENDING;
}
HRESULT CEngineRun::Balance(CY* v) const { return m_compute ? Result(m_compute->BalanceDue(), v) : E_PENDING; }
