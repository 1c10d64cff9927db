// CPenaltySettings: the 24 penalty records (Penalties, indexed by slot) that a
// client of the automation interface fills through its Enable... methods, with
// exactly those methods' checks and field settings. Amounts arrive as CY and
// are stored in cents; dates arrive as DATE (negative = no date).
// Every method returns S_OK, or E_INVALIDARG with the records unchanged and
// the refused argument named by RefusedArgument()/RefusalReason().
// bEnable = 0 only clears the slot's enabled bit (no checks). Not thread-safe.
// Tests: every refusal class, the fields each method sets, Alt variants.
#pragma once

#include <cstdint>

#include "automation/AutomationTypes.h"
#include "compute/Penalties.h"

class CPenaltySettings {
public:
    static constexpr int kSlots = 24;

    CPenaltySettings();

    // Every record back to a new record (all dates invalid, all else zero).
    void Reset();
    const Penalties* Records() const { return m_records; }
    // REQUIRES: 0 <= slot < 24.
    const Penalties& Record(int slot) const { return m_records[slot]; }

    // After E_INVALIDARG: the interface name of the refused argument and what
    // it needed ("must be 0 or more"). Empty strings after a success.
    const char* RefusedArgument() const { return m_refusedArgument; }
    const char* RefusalReason() const { return m_refusalReason; }

    HRESULT Enable6651A1PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dNotice,
                                    DATE dReceivedByIRS, int32_t bUse100Minimum);
    HRESULT Enable6651A1PenaltyAlt2(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dReceivedByIRS,
                                    int32_t bUse100Minimum);
    HRESULT Enable6651A1PenaltyAlt3(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dReceivedByIRS,
                                    int32_t bUse100Minimum, int32_t bFraud);
    HRESULT Enable6651A2PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE dTaxDue);
    HRESULT Enable6651A2PenaltyAlt2(int32_t bEnable, CY cyAmount, DATE dTaxDue,
                                    DATE d1stNotice, int32_t b1stIsFirstNoticeOfLevy, int32_t b1stIsFirstJeopardy, int32_t i1stGracePeriod,
                                    DATE d2ndNotice, int32_t b2ndIsFirstNoticeOfLevy, int32_t b2ndIsFirstJeopardy, int32_t i2ndGracePeriod,
                                    DATE d3rdNotice, int32_t b3rdIsFirstNoticeOfLevy, int32_t b3rdIsFirstJeopardy, int32_t i3rdGracePeriod,
                                    DATE d4thNotice, int32_t b4thIsFirstNoticeOfLevy, int32_t b4thIsFirstJeopardy, int32_t i4thGracePeriod,
                                    DATE dReducePenaltyAfter, DATE dReinstatePenaltyAfter, int32_t bTimelyFiled);
    HRESULT Enable6651A3PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE d1stNotice);
    HRESULT Enable6651A3PenaltyAlt2(int32_t bEnable, CY cyAmount,
                                    DATE d1stNotice, int32_t b1stIsFirstNoticeOfLevy, int32_t b1stIsFirstJeopardy, int32_t i1stGracePeriod,
                                    DATE d2ndNotice, int32_t b2ndIsFirstNoticeOfLevy, int32_t b2ndIsFirstJeopardy, int32_t i2ndGracePeriod,
                                    DATE d3rdNotice, int32_t b3rdIsFirstNoticeOfLevy, int32_t b3rdIsFirstJeopardy, int32_t i3rdGracePeriod,
                                    DATE d4thNotice, int32_t b4thIsFirstNoticeOfLevy, int32_t b4thIsFirstJeopardy, int32_t i4thGracePeriod,
                                    DATE dReducePenaltyAfter, DATE dReinstatePenaltyAfter, int32_t bTimelyFiled);
    HRESULT Enable6653APenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dTaxDue, DATE dNotice);
    HRESULT Enable6653APenaltyAlt2(int32_t bEnable, CY cyAmountSubject, CY cyAmountDueToNeg, CY cyMotivated,
                                   DATE dNotice, DATE dAssessment, int32_t bUseIRSPmtAlloc);
    HRESULT Enable6653APenaltyAlt3(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue);
    HRESULT Enable6653BPenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dTaxDue, DATE dNotice);
    HRESULT Enable6653BPenaltyAlt2(int32_t bEnable, CY cyAmountSubject, CY cyAmountDueToFraud, CY cyMotivated,
                                   DATE dTaxDue, DATE dNotice, DATE dAssessment);
    HRESULT Enable6653BPenaltyAlt3(int32_t bEnable, CY cyAmountSubject, DATE dTaxDue, DATE dReturnDue);
    HRESULT Enable6659PenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent);
    HRESULT Enable6659PenaltyAlt2(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, DATE dNotice, double dPercent);
    HRESULT Enable6659APenalty(int32_t bEnable, CY cyAmountSubject, DATE dNotice, double dPercent);
    HRESULT Enable6660PenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent);
    HRESULT Enable6660PenaltyAlt2(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, DATE dNotice, double dPercent);
    HRESULT Enable6661PenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, DATE dAssessment);
    HRESULT Enable6661PenaltyAlt2(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue);
    HRESULT Enable6662CPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue);
    HRESULT Enable6662DPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue);
    HRESULT Enable6662EPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent);
    HRESULT Enable6662FPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent);
    HRESULT Enable6662GPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent);
    HRESULT Enable6663Penalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue);

private:
    struct Notice {
        DATE date;
        int32_t levy, jeopardy, gracePeriod;
    };

    // The one failure-to-file operation behind the three 6651(a)(1) variants.
    HRESULT Enable6651A1Full(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dReceivedByIRS, DATE dNotice,
                             int32_t bFraud, int32_t bUse100Minimum);
    // Slot 1 (with a tax due date) and slot 2 (without) share the notice rules.
    HRESULT EnableFailureToPay(int slot, int32_t bEnable, CY cyAmount, DATE dTaxDue, const Notice notices[4],
                               DATE dReduce, DATE dReinstate, int32_t bTimelyFiled);
    HRESULT Enable6659Or6660(int slot, int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, DATE dNotice,
                             double dPercent);
    HRESULT EnableReturnDueOnly(int slot, int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double value);
    HRESULT Enable6662Percent(int slot, int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent);

    HRESULT Disable(int slot);
    HRESULT Refuse(const char* argument, const char* reason);
    void Accept();

    Penalties m_records[kSlots];
    const char* m_refusedArgument = "";
    const char* m_refusalReason = "";
};

// The accepted percent for the 10/20/30 test (9.9999999-10.001, 19.999-20.001,
// 29.999-30.001) as 10, 20 or 30; 0 when the value fails.
double Percent102030(double value);
// The same for the 20/40 test (19.9999999-20.001, 39.999-40.001).
double Percent2040(double value);
