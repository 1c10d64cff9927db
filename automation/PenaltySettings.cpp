// The Enable... methods: convert and check every argument first, then write
// the record, so that a refusal never leaves a half-written record.
#include "automation/PenaltySettings.h"

namespace {

constexpr uint16_t kEnabledBit = kPenaltyEnabled;
constexpr uint16_t kFraudBit = kPenaltyFraud;  // slot 3: payments follow the authority's allocation
constexpr uint16_t kMinimumBit = kPenaltyMinimum;
constexpr uint16_t kTimelyBit = kPenaltyTimely;

void SetBit(Penalties& p, uint16_t bit, bool on) { p.SetFlag(bit, on ? 1 : 0); }

const Date k19Jul1984(7, 19, 1984);
const Date k1Jan1990(1, 1, 1990);

}  // namespace

double Percent102030(double v) {
    if (v >= 9.9999999 && v <= 10.001) return 10.0;
    if (v >= 19.999 && v <= 20.001) return 20.0;
    if (v >= 29.999 && v <= 30.001) return 30.0;
    return 0.0;
}

double Percent2040(double v) {
    if (v >= 19.9999999 && v <= 20.001) return 20.0;
    if (v >= 39.999 && v <= 40.001) return 40.0;
    return 0.0;
}

CPenaltySettings::CPenaltySettings() { Reset(); }

void CPenaltySettings::Reset() {
    for (auto& record : m_records) record.Reset();
    Accept();
}

HRESULT CPenaltySettings::Refuse(const char* argument, const char* reason) {
    m_refusedArgument = argument;
    m_refusalReason = reason;
    return E_INVALIDARG;
}

void CPenaltySettings::Accept() {
    m_refusedArgument = "";
    m_refusalReason = "";
}

HRESULT CPenaltySettings::Disable(int slot) {
    SetBit(m_records[slot], kEnabledBit, false);
    Accept();
    return S_OK;
}

// Argument conversions shared by every method; each returns 0 after naming
// the argument through Refuse.
#define QRT_AMOUNT(arg, cents)                                               \
    double cents = 0;                                                        \
    if ((arg) < 0) return Refuse(#arg, "must be 0 or more");                 \
    cents = CyToCents(arg)
#define QRT_DATE(arg, date)                                                  \
    Date date;                                                               \
    if (!DateFromAutomation((arg), date))                                    \
        return Refuse(#arg, "is not a date of the engine (1954 to June 2133)")
#define QRT_REQUIRE_DATE(arg, date)                                          \
    QRT_DATE(arg, date);                                                     \
    if (!date.isValid()) return Refuse(#arg, "must be a date")

HRESULT CPenaltySettings::Enable6651A1Full(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dReceivedByIRS,
                                           DATE dNotice, int32_t bFraud, int32_t bUse100Minimum) {
    const int slot = 23;
    if (!bEnable) return Disable(slot);
    QRT_AMOUNT(cyAmount, amount);
    QRT_REQUIRE_DATE(dReturnDue, returnDue);
    QRT_DATE(dNotice, notice);
    QRT_REQUIRE_DATE(dReceivedByIRS, received);
    // The notice date matters only to returns due before 19 July 1984, the
    // fraud rate only to returns due from 1990 on.
    bool fraud = bFraud != 0;
    if (returnDue < k19Jul1984) {
        fraud = false;
    } else if (returnDue < k1Jan1990) {
        fraud = false;
        notice = Date();
    } else {
        notice = Date();
    }
    Penalties& p = m_records[slot];
    p.m_amounts[0] = amount;
    p.m_dates[0] = returnDue;
    p.m_dates[1] = notice;
    p.m_dates[2] = received;
    SetBit(p, kMinimumBit, bUse100Minimum != 0);
    SetBit(p, kFraudBit, fraud);
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6651A1PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dNotice,
                                                  DATE dReceivedByIRS, int32_t bUse100Minimum) {
    return Enable6651A1Full(bEnable, cyAmount, dReturnDue, dReceivedByIRS, dNotice, 0, bUse100Minimum);
}

HRESULT CPenaltySettings::Enable6651A1PenaltyAlt2(int32_t bEnable, CY cyAmount, DATE dReturnDue,
                                                  DATE dReceivedByIRS, int32_t bUse100Minimum) {
    return Enable6651A1Full(bEnable, cyAmount, dReturnDue, dReceivedByIRS, -1.0, 0, bUse100Minimum);
}

HRESULT CPenaltySettings::Enable6651A1PenaltyAlt3(int32_t bEnable, CY cyAmount, DATE dReturnDue,
                                                  DATE dReceivedByIRS, int32_t bUse100Minimum, int32_t bFraud) {
    return Enable6651A1Full(bEnable, cyAmount, dReturnDue, dReceivedByIRS, -1.0, bFraud, bUse100Minimum);
}

HRESULT CPenaltySettings::EnableFailureToPay(int slot, int32_t bEnable, CY cyAmount, DATE dTaxDue,
                                             const Notice notices[4], DATE dReduce, DATE dReinstate,
                                             int32_t bTimelyFiled) {
    static const char* const kNoticeNames[4] = {"d1stNotice", "d2ndNotice", "d3rdNotice", "d4thNotice"};
    if (!bEnable) return Disable(slot);
    QRT_AMOUNT(cyAmount, amount);
    Date taxDue;
    if (slot == 1) {
        QRT_REQUIRE_DATE(dTaxDue, due);
        taxDue = due;
    }
    Date when[4];
    for (int k = 0; k < 4; ++k) {
        if (!DateFromAutomation(notices[k].date, when[k]))
            return Refuse(kNoticeNames[k], "is not a date of the engine (1954 to June 2133)");
    }
    if (slot == 2 && !when[0].isValid()) return Refuse("d1stNotice", "must be a date");
    for (int k = 1; k < 4; ++k) {
        if (!when[k].isValid()) continue;
        if (!when[k - 1].isValid()) return Refuse(kNoticeNames[k], "is given after a missing notice");
        if (when[k] < when[k - 1]) return Refuse(kNoticeNames[k], "is before the notice ahead of it");
    }
    QRT_DATE(dReduce, reduce);
    QRT_DATE(dReinstate, reinstate);
    // Only a timely filed return can have its rate reduced by an agreement.
    if (!bTimelyFiled) {
        reduce = Date();
        reinstate = Date();
    }
    if (reinstate.isValid() && !reduce.isValid())
        return Refuse("dReinstatePenaltyAfter", "needs dReducePenaltyAfter");
    if (reinstate.isValid() && reinstate < reduce)
        return Refuse("dReinstatePenaltyAfter", "is before dReducePenaltyAfter");

    Date levy, jeopardy;
    uint16_t grace = 0;
    for (int k = 3; k >= 0; --k) {
        if (notices[k].levy) levy = when[k];
        if (notices[k].jeopardy) jeopardy = when[k];
        if (notices[k].gracePeriod < 21) grace = static_cast<uint16_t>(grace | (1u << k));
    }
    Penalties& p = m_records[slot];
    p.m_amounts[0] = amount;
    const int first = slot == 1 ? 1 : 0;  // slot 1 keeps its tax due date in date 0
    if (slot == 1) p.m_dates[0] = taxDue;
    for (int k = 0; k < 4; ++k) p.m_dates[first + k] = when[k];
    p.m_dates[first + 4] = levy;
    p.m_dates[first + 5] = jeopardy;
    p.m_dates[8] = reduce;
    p.m_dates[9] = reinstate;
    p.m_graceMask = grace;
    SetBit(p, kTimelyBit, bTimelyFiled != 0);
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6651A2PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE dTaxDue) {
    return Enable6651A2PenaltyAlt2(bEnable, cyAmount, dTaxDue, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0,
                                   -1, -1, 1);
}

HRESULT CPenaltySettings::Enable6651A2PenaltyAlt2(
    int32_t bEnable, CY cyAmount, DATE dTaxDue, DATE d1stNotice, int32_t b1stIsFirstNoticeOfLevy,
    int32_t b1stIsFirstJeopardy, int32_t i1stGracePeriod, DATE d2ndNotice, int32_t b2ndIsFirstNoticeOfLevy,
    int32_t b2ndIsFirstJeopardy, int32_t i2ndGracePeriod, DATE d3rdNotice, int32_t b3rdIsFirstNoticeOfLevy,
    int32_t b3rdIsFirstJeopardy, int32_t i3rdGracePeriod, DATE d4thNotice, int32_t b4thIsFirstNoticeOfLevy,
    int32_t b4thIsFirstJeopardy, int32_t i4thGracePeriod, DATE dReducePenaltyAfter, DATE dReinstatePenaltyAfter,
    int32_t bTimelyFiled) {
    const Notice notices[4] = {{d1stNotice, b1stIsFirstNoticeOfLevy, b1stIsFirstJeopardy, i1stGracePeriod},
                               {d2ndNotice, b2ndIsFirstNoticeOfLevy, b2ndIsFirstJeopardy, i2ndGracePeriod},
                               {d3rdNotice, b3rdIsFirstNoticeOfLevy, b3rdIsFirstJeopardy, i3rdGracePeriod},
                               {d4thNotice, b4thIsFirstNoticeOfLevy, b4thIsFirstJeopardy, i4thGracePeriod}};
    return EnableFailureToPay(1, bEnable, cyAmount, dTaxDue, notices, dReducePenaltyAfter, dReinstatePenaltyAfter,
                              bTimelyFiled);
}

HRESULT CPenaltySettings::Enable6651A3PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE d1stNotice) {
    return Enable6651A3PenaltyAlt2(bEnable, cyAmount, d1stNotice, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0,
                                   -1, -1, 1);
}

HRESULT CPenaltySettings::Enable6651A3PenaltyAlt2(
    int32_t bEnable, CY cyAmount, DATE d1stNotice, int32_t b1stIsFirstNoticeOfLevy, int32_t b1stIsFirstJeopardy,
    int32_t i1stGracePeriod, DATE d2ndNotice, int32_t b2ndIsFirstNoticeOfLevy, int32_t b2ndIsFirstJeopardy,
    int32_t i2ndGracePeriod, DATE d3rdNotice, int32_t b3rdIsFirstNoticeOfLevy, int32_t b3rdIsFirstJeopardy,
    int32_t i3rdGracePeriod, DATE d4thNotice, int32_t b4thIsFirstNoticeOfLevy, int32_t b4thIsFirstJeopardy,
    int32_t i4thGracePeriod, DATE dReducePenaltyAfter, DATE dReinstatePenaltyAfter, int32_t bTimelyFiled) {
    const Notice notices[4] = {{d1stNotice, b1stIsFirstNoticeOfLevy, b1stIsFirstJeopardy, i1stGracePeriod},
                               {d2ndNotice, b2ndIsFirstNoticeOfLevy, b2ndIsFirstJeopardy, i2ndGracePeriod},
                               {d3rdNotice, b3rdIsFirstNoticeOfLevy, b3rdIsFirstJeopardy, i3rdGracePeriod},
                               {d4thNotice, b4thIsFirstNoticeOfLevy, b4thIsFirstJeopardy, i4thGracePeriod}};
    return EnableFailureToPay(2, bEnable, cyAmount, -1.0, notices, dReducePenaltyAfter, dReinstatePenaltyAfter,
                              bTimelyFiled);
}

HRESULT CPenaltySettings::Enable6653APenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dTaxDue, DATE dNotice) {
    if (!bEnable) return Disable(3);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_REQUIRE_DATE(dTaxDue, taxDue);
    QRT_REQUIRE_DATE(dNotice, notice);
    if (notice < taxDue) return Refuse("dNotice", "is before dTaxDue");
    Penalties& p = m_records[3];
    p.m_amounts[0] = subject;
    p.m_amounts[1] = 0;
    p.m_amounts[2] = 0;
    p.m_dates[0] = taxDue;
    p.m_dates[1] = notice;
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6653APenaltyAlt2(int32_t bEnable, CY cyAmountSubject, CY cyAmountDueToNeg,
                                                 CY cyMotivated, DATE dNotice, DATE dAssessment,
                                                 int32_t bUseIRSPmtAlloc) {
    if (!bEnable) return Disable(3);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_AMOUNT(cyAmountDueToNeg, dueToNeg);
    QRT_AMOUNT(cyMotivated, motivated);
    QRT_REQUIRE_DATE(dNotice, notice);
    QRT_REQUIRE_DATE(dAssessment, assessment);
    if (assessment > notice) return Refuse("dAssessment", "is after dNotice");
    Penalties& p = m_records[3];
    p.m_amounts[0] = subject;
    p.m_amounts[1] = dueToNeg;
    p.m_amounts[2] = motivated;
    p.m_dates[0] = Date();
    p.m_dates[1] = notice;
    p.m_dates[2] = assessment;
    SetBit(p, kFraudBit, bUseIRSPmtAlloc != 0);
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6653APenaltyAlt3(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    if (!bEnable) return Disable(3);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_REQUIRE_DATE(dReturnDue, returnDue);
    Penalties& p = m_records[3];
    p.m_amounts[0] = subject;
    p.m_dates[0] = returnDue;
    p.m_dates[1] = returnDue;
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6653BPenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dTaxDue, DATE dNotice) {
    if (!bEnable) return Disable(4);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_REQUIRE_DATE(dTaxDue, taxDue);
    QRT_REQUIRE_DATE(dNotice, notice);
    if (notice < taxDue) return Refuse("dNotice", "is before dTaxDue");
    Penalties& p = m_records[4];
    p.m_amounts[0] = subject;
    p.m_amounts[1] = 0;
    p.m_amounts[2] = 0;
    p.m_dates[0] = taxDue;
    p.m_dates[1] = notice;
    p.m_dates[2] = taxDue;
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6653BPenaltyAlt2(int32_t bEnable, CY cyAmountSubject, CY cyAmountDueToFraud,
                                                 CY cyMotivated, DATE dTaxDue, DATE dNotice, DATE dAssessment) {
    if (!bEnable) return Disable(4);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_AMOUNT(cyAmountDueToFraud, dueToFraud);
    QRT_AMOUNT(cyMotivated, motivated);
    QRT_REQUIRE_DATE(dTaxDue, taxDue);
    QRT_DATE(dNotice, notice);
    QRT_DATE(dAssessment, assessment);
    if (notice.isValid()) {
        if (!assessment.isValid()) return Refuse("dAssessment", "must be a date when dNotice is given");
        if (assessment > notice) return Refuse("dAssessment", "is after dNotice");
    }
    Penalties& p = m_records[4];
    p.m_amounts[0] = subject;
    p.m_amounts[1] = dueToFraud;
    p.m_amounts[2] = motivated;
    p.m_dates[0] = taxDue;
    p.m_dates[1] = notice;
    p.m_dates[2] = assessment;
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6653BPenaltyAlt3(int32_t bEnable, CY cyAmountSubject, DATE dTaxDue,
                                                 DATE dReturnDue) {
    if (!bEnable) return Disable(4);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_REQUIRE_DATE(dTaxDue, taxDue);
    QRT_REQUIRE_DATE(dReturnDue, returnDue);
    Penalties& p = m_records[4];
    p.m_amounts[0] = subject;
    p.m_dates[0] = returnDue;
    p.m_dates[1] = taxDue;
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6659Or6660(int slot, int32_t bEnable, CY cyAmountSubject, DATE dReturnDue,
                                           DATE dNotice, double dPercent) {
    if (!bEnable) return Disable(slot);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_REQUIRE_DATE(dReturnDue, returnDue);
    if (returnDue >= k1Jan1990) return Refuse("dReturnDue", "must be before 1990-01-01");
    QRT_DATE(dNotice, notice);
    if (notice.isValid() && notice < returnDue) return Refuse("dNotice", "is before dReturnDue");
    double percent = Percent102030(dPercent);
    if (percent == 0.0) return Refuse("dPercent", "must be 10, 20 or 30");
    Penalties& p = m_records[slot];
    p.m_amounts[0] = subject;
    p.m_dates[0] = returnDue;
    p.m_dates[1] = notice;
    p.SetValue(percent);
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6659PenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue,
                                                double dPercent) {
    return Enable6659PenaltyAlt2(bEnable, cyAmountSubject, dReturnDue, -1.0, dPercent);
}

HRESULT CPenaltySettings::Enable6659PenaltyAlt2(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, DATE dNotice,
                                                double dPercent) {
    return Enable6659Or6660(7, bEnable, cyAmountSubject, dReturnDue, dNotice, dPercent);
}

HRESULT CPenaltySettings::Enable6660PenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue,
                                                double dPercent) {
    return Enable6660PenaltyAlt2(bEnable, cyAmountSubject, dReturnDue, -1.0, dPercent);
}

HRESULT CPenaltySettings::Enable6660PenaltyAlt2(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, DATE dNotice,
                                                double dPercent) {
    return Enable6659Or6660(9, bEnable, cyAmountSubject, dReturnDue, dNotice, dPercent);
}

HRESULT CPenaltySettings::Enable6659APenalty(int32_t bEnable, CY cyAmountSubject, DATE dNotice, double dPercent) {
    if (!bEnable) return Disable(8);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_DATE(dNotice, notice);
    double percent = Percent102030(dPercent);
    if (percent == 0.0) return Refuse("dPercent", "must be 10, 20 or 30");
    Penalties& p = m_records[8];
    p.m_amounts[0] = subject;
    p.m_dates[1] = notice;
    p.SetValue(percent);
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6661PenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue,
                                                DATE dAssessment) {
    if (!bEnable) return Disable(10);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_REQUIRE_DATE(dReturnDue, returnDue);
    if (returnDue >= k1Jan1990) return Refuse("dReturnDue", "must be before 1990-01-01");
    QRT_DATE(dAssessment, assessment);
    if (assessment.isValid() && assessment < returnDue) return Refuse("dAssessment", "is before dReturnDue");
    Penalties& p = m_records[10];
    p.m_amounts[0] = subject;
    p.m_dates[0] = returnDue;
    p.m_dates[1] = assessment;
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6661PenaltyAlt2(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    return Enable6661PenaltyAlt1(bEnable, cyAmountSubject, dReturnDue, -1.0);
}

// 6662(c), 6662(d) (value 20) and 6663: an amount and a return due date.
HRESULT CPenaltySettings::EnableReturnDueOnly(int slot, int32_t bEnable, CY cyAmountSubject, DATE dReturnDue,
                                              double value) {
    if (!bEnable) return Disable(slot);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_REQUIRE_DATE(dReturnDue, returnDue);
    Penalties& p = m_records[slot];
    p.m_amounts[0] = subject;
    p.m_dates[0] = returnDue;
    if (value > 0) p.SetValue(value);
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6662Percent(int slot, int32_t bEnable, CY cyAmountSubject, DATE dReturnDue,
                                            double dPercent) {
    if (!bEnable) return Disable(slot);
    QRT_AMOUNT(cyAmountSubject, subject);
    QRT_REQUIRE_DATE(dReturnDue, returnDue);
    double percent = Percent2040(dPercent);
    if (percent == 0.0) return Refuse("dPercent", "must be 20 or 40");
    Penalties& p = m_records[slot];
    p.m_amounts[0] = subject;
    p.m_dates[0] = returnDue;
    p.SetValue(percent);
    SetBit(p, kEnabledBit, true);
    Accept();
    return S_OK;
}

HRESULT CPenaltySettings::Enable6662CPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    return EnableReturnDueOnly(11, bEnable, cyAmountSubject, dReturnDue, 0.0);
}

HRESULT CPenaltySettings::Enable6662DPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    return EnableReturnDueOnly(12, bEnable, cyAmountSubject, dReturnDue, 20.0);
}

HRESULT CPenaltySettings::Enable6662EPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent) {
    return Enable6662Percent(13, bEnable, cyAmountSubject, dReturnDue, dPercent);
}

HRESULT CPenaltySettings::Enable6662FPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent) {
    return Enable6662Percent(14, bEnable, cyAmountSubject, dReturnDue, dPercent);
}

HRESULT CPenaltySettings::Enable6662GPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent) {
    return Enable6662Percent(15, bEnable, cyAmountSubject, dReturnDue, dPercent);
}

HRESULT CPenaltySettings::Enable6663Penalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    return EnableReturnDueOnly(16, bEnable, cyAmountSubject, dReturnDue, 0.0);
}
