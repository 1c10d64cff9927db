// CEngineRun: the Compute of the automation interface and what it leaves
// behind: the compute object (owned), the settlement date, the 24 warning
// properties (in DISPID order, named by kWarningPropertyNames), ErrorsDetected
// and the eight result properties in currency.
// Result properties return E_PENDING before a Compute. Not thread-safe.
// Tests: the NonDailyUsed rule, ErrorsDetected, totals against the compute
// object's own accessors.
#pragma once

#include <cstdint>
#include <memory>

#include "automation/AutomationTypes.h"
#include "automation/EngineInputs.h"
#include "compute/CQRTCompute.h"

class CEngineRun {
public:
    static constexpr int kWarnings = 24;

    // Property names of the warnings, "TableEndWarning" to
    // "Penalties6651a2and3ExceedTax", in DISPID order (54 to 77).
    static const char* const kWarningPropertyNames[kWarnings];

    // Deletes the previous compute object, builds a new one from inputs in the
    // interface's order (events, penalties, table name, whole dollars, tax due
    // date, GATT switch and threshold, 6621(c) switches and dates), allocates
    // the payments and computes through the settlement date
    // (ReallocAndCompute: the results of ReallocPayments(1000) and then
    // MainCompute(settlement, -1, 0)) and copies the flags. E_INVALIDARG (nothing run) when dSettledate is not a date of
    // the engine's range; E_FAIL when the compute object cannot be made.
    HRESULT Compute(const CEngineInputs& inputs, DATE dSettledate);

    // Deletes the compute object; results return E_PENDING again.
    void Release();

    CQRTCompute* ComputeObject() const { return m_compute.get(); }
    Date SettlementDate() const { return m_settlement; }

    // Warning property i (0 to 23, DISPID order) and ErrorsDetected.
    int32_t Warning(int i) const { return m_warnings[i]; }
    int32_t ErrorsDetected() const { return m_errorsDetected; }
    // The engine's AmountOutOfRange of the last Compute (a figure past 2^53
    // cents: not exact); counted in ErrorsDetected, not one of the 24.
    int32_t AmountOutOfRange() const { return m_amountOutOfRange; }

    HRESULT Taxes(CY* value) const;                 // AllTaxes(settlement)
    HRESULT Payments(CY* value) const;              // AllPayments(settlement)
    HRESULT Penalties(CY* value) const;             // RealPenalties() + EventPenalties(settlement)
    HRESULT DebitInterest(CY* value) const;         // DebitInterest()
    HRESULT NormalCreditInterest(CY* value) const;  // InterestRefund()
    HRESULT GATTInterest(CY* value) const;          // InterestGATT()
    HRESULT PenaltyInterest(CY* value) const;       // InterestPenalty()
    HRESULT Balance(CY* value) const;               // BalanceDue()
    // Each result getter returns DISP_E_OVERFLOW and leaves *value alone when
    // the amount does not fit the currency type.

private:
    HRESULT Result(double cents, CY* value) const;

    std::unique_ptr<CQRTCompute> m_compute;
    Date m_settlement;
    int32_t m_warnings[kWarnings] = {};
    int32_t m_errorsDetected = 0;
    int32_t m_amountOutOfRange = 0;
};
