#include "automation/CQRTEngine.h"

#include <ctime>
#include <new>

#include "automation/ComponentInfo.h"
#include "automation/ReportFile.h"

namespace {

template <typename T>
HRESULT Out(T* pVal, const T& value) {
    if (pVal == nullptr) return E_INVALIDARG;
    *pVal = value;
    return S_OK;
}

// A BSTR put: a narrow copy ends at the first NUL.
std::string Narrow(const std::string& value) { return std::string(value.c_str()); }

}  // namespace

// The component's own build stamp. A component that compiles
// automation/ComponentBuildTime.cpp into itself replaces this definition, so
// that each component reports when it was built; without it the stamp is
// this file's.
__attribute__((weak)) const char* ComponentBuildTime() { return __DATE__ " " __TIME__; }

CQRTEngine::CQRTEngine() : m_inputs(std::make_unique<CEngineInputs>()) { Init(); }

CQRTEngine::~CQRTEngine() = default;

HRESULT CQRTEngine::Init() {
    m_report.reset();
    m_reportText.clear();
    m_run.Release();
    m_inputs->Init();
    ReportOptions defaults;
    for (int i = 0; i < 3; ++i) defaults.header[i] = m_reportOptions.header[i];
    defaults.footer = m_reportOptions.footer;
    defaults.taxpayerName = m_reportOptions.taxpayerName;
    defaults.taxpayerId = m_reportOptions.taxpayerId;
    m_reportOptions = defaults;
    return S_OK;
}

HRESULT CQRTEngine::AddEvent(int32_t eType, DATE dDate, CY cyAmount, CY cyGattAmount) {
    return AddNamedEvent(eType, dDate, cyAmount, cyGattAmount, std::string());
}

HRESULT CQRTEngine::AddNamedEvent(int32_t eType, DATE dDate, CY cyAmount, CY cyGattAmount,
                                  const std::string& bsEventName) {
    return m_inputs->AddNamedEvent(eType, dDate, cyAmount, cyGattAmount, bsEventName.c_str());
}

HRESULT CQRTEngine::Enable6651A1PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dNotice,
                                            DATE dReceivedByIRS, int32_t bUse100Minimum) {
    return m_inputs->PenaltySettings().Enable6651A1PenaltyAlt1(bEnable, cyAmount, dReturnDue, dNotice, dReceivedByIRS,
                                                               bUse100Minimum);
}
HRESULT CQRTEngine::Enable6651A1PenaltyAlt2(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dReceivedByIRS,
                                            int32_t bUse100Minimum) {
    return m_inputs->PenaltySettings().Enable6651A1PenaltyAlt2(bEnable, cyAmount, dReturnDue, dReceivedByIRS,
                                                               bUse100Minimum);
}
HRESULT CQRTEngine::Enable6651A1PenaltyAlt3(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dReceivedByIRS,
                                            int32_t bUse100Minimum, int32_t bFraud) {
    return m_inputs->PenaltySettings().Enable6651A1PenaltyAlt3(bEnable, cyAmount, dReturnDue, dReceivedByIRS,
                                                               bUse100Minimum, bFraud);
}
HRESULT CQRTEngine::Enable6651A2PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE dTaxDue) {
    return m_inputs->PenaltySettings().Enable6651A2PenaltyAlt1(bEnable, cyAmount, dTaxDue);
}
HRESULT CQRTEngine::Enable6651A2PenaltyAlt2(int32_t bEnable, CY cyAmount, DATE dTaxDue, DATE d1stNotice,
                                            int32_t b1stIsFirstNoticeOfLevy, int32_t b1stIsFirstJeopardy,
                                            int32_t i1stGracePeriod, DATE d2ndNotice, int32_t b2ndIsFirstNoticeOfLevy,
                                            int32_t b2ndIsFirstJeopardy, int32_t i2ndGracePeriod, DATE d3rdNotice,
                                            int32_t b3rdIsFirstNoticeOfLevy, int32_t b3rdIsFirstJeopardy,
                                            int32_t i3rdGracePeriod, DATE d4thNotice, int32_t b4thIsFirstNoticeOfLevy,
                                            int32_t b4thIsFirstJeopardy, int32_t i4thGracePeriod,
                                            DATE dReducePenaltyAfter, DATE dReinstatePenaltyAfter,
                                            int32_t bTimelyFiled) {
    return m_inputs->PenaltySettings().Enable6651A2PenaltyAlt2(
        bEnable, cyAmount, dTaxDue, d1stNotice, b1stIsFirstNoticeOfLevy, b1stIsFirstJeopardy, i1stGracePeriod,
        d2ndNotice, b2ndIsFirstNoticeOfLevy, b2ndIsFirstJeopardy, i2ndGracePeriod, d3rdNotice, b3rdIsFirstNoticeOfLevy,
        b3rdIsFirstJeopardy, i3rdGracePeriod, d4thNotice, b4thIsFirstNoticeOfLevy, b4thIsFirstJeopardy, i4thGracePeriod,
        dReducePenaltyAfter, dReinstatePenaltyAfter, bTimelyFiled);
}
HRESULT CQRTEngine::Enable6651A3PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE d1stNotice) {
    return m_inputs->PenaltySettings().Enable6651A3PenaltyAlt1(bEnable, cyAmount, d1stNotice);
}
HRESULT CQRTEngine::Enable6651A3PenaltyAlt2(
    int32_t bEnable, CY cyAmount, DATE d1stNotice, int32_t b1stIsFirstNoticeOfLevy, int32_t b1stIsFirstJeopardy,
    int32_t i1stGracePeriod, DATE d2ndNotice, int32_t b2ndIsFirstNoticeOfLevy, int32_t b2ndIsFirstJeopardy,
    int32_t i2ndGracePeriod, DATE d3rdNotice, int32_t b3rdIsFirstNoticeOfLevy, int32_t b3rdIsFirstJeopardy,
    int32_t i3rdGracePeriod, DATE d4thNotice, int32_t b4thIsFirstNoticeOfLevy, int32_t b4thIsFirstJeopardy,
    int32_t i4thGracePeriod, DATE dReducePenaltyAfter, DATE dReinstatePenaltyAfter, int32_t bTimelyFiled) {
    return m_inputs->PenaltySettings().Enable6651A3PenaltyAlt2(
        bEnable, cyAmount, d1stNotice, b1stIsFirstNoticeOfLevy, b1stIsFirstJeopardy, i1stGracePeriod, d2ndNotice,
        b2ndIsFirstNoticeOfLevy, b2ndIsFirstJeopardy, i2ndGracePeriod, d3rdNotice, b3rdIsFirstNoticeOfLevy,
        b3rdIsFirstJeopardy, i3rdGracePeriod, d4thNotice, b4thIsFirstNoticeOfLevy, b4thIsFirstJeopardy, i4thGracePeriod,
        dReducePenaltyAfter, dReinstatePenaltyAfter, bTimelyFiled);
}
HRESULT CQRTEngine::Enable6653APenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dTaxDue, DATE dNotice) {
    return m_inputs->PenaltySettings().Enable6653APenaltyAlt1(bEnable, cyAmountSubject, dTaxDue, dNotice);
}
HRESULT CQRTEngine::Enable6653APenaltyAlt2(int32_t bEnable, CY cyAmountSubject, CY cyAmountDueToNeg, CY cyMotivated,
                                           DATE dNotice, DATE dAssessment, int32_t bUseIRSPmtAlloc) {
    return m_inputs->PenaltySettings().Enable6653APenaltyAlt2(bEnable, cyAmountSubject, cyAmountDueToNeg, cyMotivated,
                                                              dNotice, dAssessment, bUseIRSPmtAlloc);
}
HRESULT CQRTEngine::Enable6653APenaltyAlt3(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    return m_inputs->PenaltySettings().Enable6653APenaltyAlt3(bEnable, cyAmountSubject, dReturnDue);
}
HRESULT CQRTEngine::Enable6653BPenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dTaxDue, DATE dNotice) {
    return m_inputs->PenaltySettings().Enable6653BPenaltyAlt1(bEnable, cyAmountSubject, dTaxDue, dNotice);
}
HRESULT CQRTEngine::Enable6653BPenaltyAlt2(int32_t bEnable, CY cyAmountSubject, CY cyAmountDueToFraud, CY cyMotivated,
                                           DATE dTaxDue, DATE dNotice, DATE dAssessment) {
    return m_inputs->PenaltySettings().Enable6653BPenaltyAlt2(bEnable, cyAmountSubject, cyAmountDueToFraud, cyMotivated,
                                                              dTaxDue, dNotice, dAssessment);
}
HRESULT CQRTEngine::Enable6653BPenaltyAlt3(int32_t bEnable, CY cyAmountSubject, DATE dTaxDue, DATE dReturnDue) {
    return m_inputs->PenaltySettings().Enable6653BPenaltyAlt3(bEnable, cyAmountSubject, dTaxDue, dReturnDue);
}
HRESULT CQRTEngine::Enable6659PenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent) {
    return m_inputs->PenaltySettings().Enable6659PenaltyAlt1(bEnable, cyAmountSubject, dReturnDue, dPercent);
}
HRESULT CQRTEngine::Enable6659PenaltyAlt2(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, DATE dNotice,
                                          double dPercent) {
    return m_inputs->PenaltySettings().Enable6659PenaltyAlt2(bEnable, cyAmountSubject, dReturnDue, dNotice, dPercent);
}
HRESULT CQRTEngine::Enable6659APenalty(int32_t bEnable, CY cyAmountSubject, DATE dNotice, double dPercent) {
    return m_inputs->PenaltySettings().Enable6659APenalty(bEnable, cyAmountSubject, dNotice, dPercent);
}
HRESULT CQRTEngine::Enable6660PenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent) {
    return m_inputs->PenaltySettings().Enable6660PenaltyAlt1(bEnable, cyAmountSubject, dReturnDue, dPercent);
}
HRESULT CQRTEngine::Enable6660PenaltyAlt2(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, DATE dNotice,
                                          double dPercent) {
    return m_inputs->PenaltySettings().Enable6660PenaltyAlt2(bEnable, cyAmountSubject, dReturnDue, dNotice, dPercent);
}
HRESULT CQRTEngine::Enable6661PenaltyAlt1(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, DATE dAssessment) {
    return m_inputs->PenaltySettings().Enable6661PenaltyAlt1(bEnable, cyAmountSubject, dReturnDue, dAssessment);
}
HRESULT CQRTEngine::Enable6661PenaltyAlt2(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    return m_inputs->PenaltySettings().Enable6661PenaltyAlt2(bEnable, cyAmountSubject, dReturnDue);
}
HRESULT CQRTEngine::Enable6662CPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    return m_inputs->PenaltySettings().Enable6662CPenalty(bEnable, cyAmountSubject, dReturnDue);
}
HRESULT CQRTEngine::Enable6662DPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    return m_inputs->PenaltySettings().Enable6662DPenalty(bEnable, cyAmountSubject, dReturnDue);
}
HRESULT CQRTEngine::Enable6662EPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent) {
    return m_inputs->PenaltySettings().Enable6662EPenalty(bEnable, cyAmountSubject, dReturnDue, dPercent);
}
HRESULT CQRTEngine::Enable6662FPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent) {
    return m_inputs->PenaltySettings().Enable6662FPenalty(bEnable, cyAmountSubject, dReturnDue, dPercent);
}
HRESULT CQRTEngine::Enable6662GPenalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue, double dPercent) {
    return m_inputs->PenaltySettings().Enable6662GPenalty(bEnable, cyAmountSubject, dReturnDue, dPercent);
}
HRESULT CQRTEngine::Enable6663Penalty(int32_t bEnable, CY cyAmountSubject, DATE dReturnDue) {
    return m_inputs->PenaltySettings().Enable6663Penalty(bEnable, cyAmountSubject, dReturnDue);
}

HRESULT CQRTEngine::Compute(DATE dSettledate) {
    Date settlement;
    if (!DateFromAutomation(dSettledate, settlement)) return E_INVALIDARG;
    m_report.reset();
    m_reportText.clear();
    return m_run.Compute(*m_inputs, dSettledate);
}

HRESULT CQRTEngine::EnsureComputed() {
    if (m_run.ComputeObject() != nullptr) return S_OK;
    Date when = m_run.SettlementDate();
    if (!when.isValid()) when.Today();
    Compute(DateToAutomation(when));
    return m_run.ComputeObject() != nullptr ? S_OK : E_FAIL;
}

ReportOptions CQRTEngine::OptionsForReport() const {
    ReportOptions options = m_reportOptions;
    options.useEventDescriptions = m_inputs->UseEventDescriptions();
    options.computeDate = m_run.SettlementDate();
    return options;
}

HRESULT CQRTEngine::EnsureReport() {
    if (m_report) return S_OK;
    if (EnsureComputed() != S_OK) return E_FAIL;
    auto report = std::unique_ptr<BuiltReport>(new (std::nothrow) BuiltReport());
    if (!report || !BuildInterestAndPenaltyReport(*m_run.ComputeObject(), OptionsForReport(), *report)) return E_FAIL;
    m_reportText = ReportTextOfBuffer(report->buffer);
    m_report = std::move(report);
    return S_OK;
}

HRESULT CQRTEngine::BuildReportOfKind(ReportKind kind, BuiltReport* report) {
    if (report == nullptr) return E_INVALIDARG;
    if (EnsureComputed() != S_OK) return E_FAIL;
    return BuildReport(*m_run.ComputeObject(), OptionsForReport(), kind, *report) ? S_OK : E_FAIL;
}

HRESULT CQRTEngine::WriteReport(const std::string& bsFileName, int32_t bAppend) {
    CReportFile file;
    if (!file.Open(Narrow(bsFileName), bAppend != 0)) return E_OPEN_FAILED;
    const HRESULT built = EnsureReport();
    if (built != S_OK) return built;  // the file's destructor leaves the old file as it was
    return file.Write(m_reportText) && file.Commit() ? S_OK : E_FAIL;
}

std::string ReportTextOfBuffer(const std::string& buffer) {
    std::string text = buffer;
    for (char& c : text)
        if (c == '\0') c = '\n';
    if (!text.empty() && text.back() != '\n') text += '\n';
    return text;
}

// Options kept by the inputs.
HRESULT CQRTEngine::get_WholeDollarModeEnabled(int32_t* p) { return Out(p, m_inputs->WholeDollarModeEnabled()); }
HRESULT CQRTEngine::put_WholeDollarModeEnabled(int32_t v) {
    m_inputs->WholeDollarModeEnabled(v);
    return S_OK;
}
HRESULT CQRTEngine::get_Jurisdiction(std::string* p) { return Out(p, m_inputs->Jurisdiction()); }
HRESULT CQRTEngine::put_Jurisdiction(const std::string& v) {
    m_inputs->Jurisdiction(Narrow(v));
    return S_OK;
}
HRESULT CQRTEngine::get_GattEnabled(int32_t* p) { return Out(p, m_inputs->GattEnabled()); }
HRESULT CQRTEngine::put_GattEnabled(int32_t v) {
    m_inputs->GattEnabled(v);
    return S_OK;
}
HRESULT CQRTEngine::get_GattThreshold(CY* p) { return Out(p, m_inputs->GattThreshold()); }
HRESULT CQRTEngine::put_GattThreshold(CY v) {
    m_inputs->GattThreshold(v);
    return S_OK;
}
HRESULT CQRTEngine::get_LCUEnabled(int32_t* p) { return Out(p, m_inputs->LCUEnabled()); }
HRESULT CQRTEngine::put_LCUEnabled(int32_t v) {
    m_inputs->LCUEnabled(v);
    return S_OK;
}
HRESULT CQRTEngine::get_LCU30DayLetterDate(DATE* p) { return Out(p, m_inputs->LCU30DayLetterDate()); }
HRESULT CQRTEngine::put_LCU30DayLetterDate(DATE v) { return m_inputs->LCU30DayLetterDate(v); }
HRESULT CQRTEngine::get_LCUApplicableDate(DATE* p) { return Out(p, m_inputs->LCUApplicableDate()); }
HRESULT CQRTEngine::put_LCUApplicableDate(DATE v) { return m_inputs->LCUApplicableDate(v); }
HRESULT CQRTEngine::get_LCURestartEnabled(int32_t* p) { return Out(p, m_inputs->LCURestartEnabled()); }
HRESULT CQRTEngine::put_LCURestartEnabled(int32_t v) {
    m_inputs->LCURestartEnabled(v);
    return S_OK;
}
HRESULT CQRTEngine::get_LCURestart30DayLetterDate(DATE* p) { return Out(p, m_inputs->LCURestart30DayLetterDate()); }
HRESULT CQRTEngine::put_LCURestart30DayLetterDate(DATE v) { return m_inputs->LCURestart30DayLetterDate(v); }
HRESULT CQRTEngine::get_LCURestartApplicableDate(DATE* p) { return Out(p, m_inputs->LCURestartApplicableDate()); }
HRESULT CQRTEngine::put_LCURestartApplicableDate(DATE v) { return m_inputs->LCURestartApplicableDate(v); }
HRESULT CQRTEngine::get_UseEventDescriptions(int32_t* p) { return Out(p, m_inputs->UseEventDescriptions()); }
HRESULT CQRTEngine::put_UseEventDescriptions(int32_t v) {
    m_inputs->UseEventDescriptions(v);
    return S_OK;
}

// Report options.
#define QRT_REPORT_OPTION(Name, Type, member)                                          \
    HRESULT CQRTEngine::get_##Name(Type* p) { return Out(p, m_reportOptions.member); } \
    HRESULT CQRTEngine::put_##Name(Type v) {                                           \
        m_reportOptions.member = v;                                                    \
        return S_OK;                                                                   \
    }
#define QRT_REPORT_TEXT(Name, member)                                                         \
    HRESULT CQRTEngine::get_##Name(std::string* p) { return Out(p, m_reportOptions.member); } \
    HRESULT CQRTEngine::put_##Name(const std::string& v) {                                    \
        m_reportOptions.member = Narrow(v);                                                   \
        return S_OK;                                                                          \
    }
QRT_REPORT_OPTION(IncludeHeader, int32_t, includeHeader)
QRT_REPORT_TEXT(Header1, header[0])
QRT_REPORT_TEXT(Header2, header[1])
QRT_REPORT_TEXT(Header3, header[2])
QRT_REPORT_OPTION(IncludeFooter, int32_t, includeFooter)
QRT_REPORT_TEXT(Footer, footer)
QRT_REPORT_TEXT(TaxpayerName, taxpayerName)
QRT_REPORT_TEXT(TaxpayerId, taxpayerId)
QRT_REPORT_OPTION(IncludeDate, int32_t, includeDate)
QRT_REPORT_OPTION(IncludeTime, int32_t, includeTime)
QRT_REPORT_OPTION(LinesPerPage, int32_t, linesPerPage)
QRT_REPORT_OPTION(Printing, int32_t, forPrint)
#undef QRT_REPORT_OPTION
#undef QRT_REPORT_TEXT

HRESULT CQRTEngine::get_ObjectVersion(int32_t* p) { return Out(p, kObjectVersion); }
HRESULT CQRTEngine::get_ObjectBuildTime(std::string* p) { return Out(p, std::string(ComponentBuildTime())); }
HRESULT CQRTEngine::get_DefaultDirectory(std::string* p) { return Out(p, ModuleDirectory()); }

// Results and flags.
HRESULT CQRTEngine::get_Taxes(CY* p) { return m_run.Taxes(p); }
HRESULT CQRTEngine::get_Payments(CY* p) { return m_run.Payments(p); }
HRESULT CQRTEngine::get_Penalties(CY* p) { return m_run.Penalties(p); }
HRESULT CQRTEngine::get_DebitInterest(CY* p) { return m_run.DebitInterest(p); }
HRESULT CQRTEngine::get_NormalCreditInterest(CY* p) { return m_run.NormalCreditInterest(p); }
HRESULT CQRTEngine::get_GATTInterest(CY* p) { return m_run.GATTInterest(p); }
HRESULT CQRTEngine::get_PenaltyInterest(CY* p) { return m_run.PenaltyInterest(p); }
HRESULT CQRTEngine::get_Balance(CY* p) { return m_run.Balance(p); }

HRESULT CQRTEngine::get_ErrorsDetected(int32_t* p) {
    return m_run.ComputeObject() == nullptr ? E_PENDING : Out(p, m_run.ErrorsDetected());
}

HRESULT CQRTEngine::Flag(int index, int32_t* p) const {
    return m_run.ComputeObject() == nullptr ? E_PENDING : Out(p, m_run.Warning(index));
}

HRESULT CQRTEngine::get_TableEndWarning(int32_t* p) { return Flag(0, p); }
HRESULT CQRTEngine::get_PaymentPenaltyError(int32_t* p) { return Flag(1, p); }
HRESULT CQRTEngine::get_GattTaxEvent(int32_t* p) { return Flag(2, p); }
HRESULT CQRTEngine::get_ExcessDeposits(int32_t* p) { return Flag(3, p); }
HRESULT CQRTEngine::get_RefundAndPenalty(int32_t* p) { return Flag(4, p); }
HRESULT CQRTEngine::get_NonDailyUsed(int32_t* p) { return Flag(5, p); }
HRESULT CQRTEngine::get_HotError(int32_t* p) { return Flag(6, p); }
HRESULT CQRTEngine::get_MotivatedTaxAfter1990(int32_t* p) { return Flag(7, p); }
HRESULT CQRTEngine::get_MotivatedTaxUnder1000(int32_t* p) { return Flag(8, p); }
HRESULT CQRTEngine::get_JurisdictionNotFound(int32_t* p) { return Flag(9, p); }
HRESULT CQRTEngine::get_NoEvents(int32_t* p) { return Flag(10, p); }
HRESULT CQRTEngine::get_EventBeforeTableStart(int32_t* p) { return Flag(11, p); }
HRESULT CQRTEngine::get_ComputeDateBeforeEvents(int32_t* p) { return Flag(12, p); }
HRESULT CQRTEngine::get_AccuracyPenalty(int32_t* p) { return Flag(13, p); }
HRESULT CQRTEngine::get_OverRefundError(int32_t* p) { return Flag(14, p); }
HRESULT CQRTEngine::get_ComputeBeforeLastEvent(int32_t* p) { return Flag(15, p); }
HRESULT CQRTEngine::get_HotUnder100K(int32_t* p) { return Flag(16, p); }
HRESULT CQRTEngine::get_PenaltyAfterPayment(int32_t* p) { return Flag(17, p); }
HRESULT CQRTEngine::get_NoHotInterestOver100K(int32_t* p) { return Flag(18, p); }
HRESULT CQRTEngine::get_GattDoublePayment(int32_t* p) { return Flag(19, p); }
HRESULT CQRTEngine::get_GattAndNotDaily(int32_t* p) { return Flag(20, p); }
HRESULT CQRTEngine::get_FedPensWithNonFedTable(int32_t* p) { return Flag(21, p); }
HRESULT CQRTEngine::get_Penalty6651a3ExceedsTax(int32_t* p) { return Flag(22, p); }
HRESULT CQRTEngine::get_Penalties6651a2and3ExceedTax(int32_t* p) { return Flag(23, p); }

// Report members.
HRESULT CQRTEngine::get_Report(std::string* p) {
    if (p == nullptr) return E_INVALIDARG;
    const HRESULT built = EnsureReport();
    return built != S_OK ? built : Out(p, m_reportText);
}

HRESULT CQRTEngine::get_NumPages(int32_t* p) {
    if (p == nullptr) return E_INVALIDARG;
    const HRESULT built = EnsureReport();
    return built != S_OK ? built : Out(p, static_cast<int32_t>(m_report->numPages));
}

HRESULT CQRTEngine::get_PageStart(int32_t iPageNum, int32_t* p) {
    if (p == nullptr) return E_INVALIDARG;
    const HRESULT built = EnsureReport();
    if (built != S_OK) return built;
    if (iPageNum < 0 || iPageNum >= m_report->numPages) return E_INVALIDARG;
    const auto page = static_cast<size_t>(iPageNum);
    return Out(p, page < m_report->pageStarts.size() ? static_cast<int32_t>(m_report->pageStarts[page]) : -1);
}
