// CQRTEngine: the automation object QRTEngine, every member of IQRTEngine in
// vtable order (the one description is IQRTEngine.xml). Scripts and other
// programs describe one account (events, penalties, options), Compute it
// through a settlement date, read totals and warning flags, and take the
// interest-and-penalty report as text or as a file. Both components (the
// in-process library and the D-Bus server) and qrtcalc serve this object.
//
// Conventions, so that generated dispatch code can bind every member:
// - Every member returns an HRESULT (AutomationTypes.h).
// - Methods keep their interface names; a property X is get_X(T* pVal) and,
//   when writable, put_X(T value). PageStart is get_PageStart(int32_t, int32_t*).
// - I4 = int32_t, CY = int64_t (dollars x 10000), DATE = OLE date (double,
//   negative = no date), R8 = double, BSTR = UTF-8 std::string (an in-string
//   ends at its first NUL, as a narrow copy of a wide string does).
// - A null out pointer gives E_INVALIDARG.
//
// The inputs live in CEngineInputs, the Compute sequence and its results in
// CEngineRun; this class adds the report options and the report members.
// Not thread-safe: the object is apartment-threaded (one caller thread).
// Tests: tests/automation (each member's checks, the report members,
// WriteReport's file handling, the description against the interface table).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "automation/AutomationTypes.h"
#include "automation/EngineInputs.h"
#include "automation/EngineRun.h"
#include "automation/ReportBuild.h"

class CQRTEngine {
public:
    static constexpr int32_t kObjectVersion = 10400;

    // Performs Init; the header, footer and taxpayer strings start empty.
    CQRTEngine();
    ~CQRTEngine();
    CQRTEngine(const CQRTEngine&) = delete;
    CQRTEngine& operator=(const CQRTEngine&) = delete;

    // Deletes the computation and the report; every input and option back to
    // its default. Keeps Header1-3, Footer, TaxpayerName and TaxpayerId.
    HRESULT Init();
    // E_INVALIDARG and nothing added: a kind other than 0-6 and 9, a negative
    // amount for kinds 0-4 and 9, no valid date, or a 1001st event.
    HRESULT AddEvent(int32_t eType, DATE dDate, CY cyAmount, CY cyGattAmount);
    HRESULT AddNamedEvent(int32_t eType, DATE dDate, CY cyAmount, CY cyGattAmount, const std::string& bsEventName);

    // The penalty settings (CPenaltySettings): bEnable 0 clears the slot's
    // enabled bit; otherwise E_INVALIDARG with the slot unchanged, or S_OK.
    HRESULT Enable6651A1PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dNotice, DATE dReceivedByIRS,
                                    int32_t bUse100Minimum);
    HRESULT Enable6651A1PenaltyAlt2(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dReceivedByIRS,
                                    int32_t bUse100Minimum);
    HRESULT Enable6651A1PenaltyAlt3(int32_t bEnable, CY cyAmount, DATE dReturnDue, DATE dReceivedByIRS,
                                    int32_t bUse100Minimum, int32_t bFraud);
    HRESULT Enable6651A2PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE dTaxDue);
    HRESULT Enable6651A2PenaltyAlt2(int32_t bEnable, CY cyAmount, DATE dTaxDue, DATE d1stNotice,
                                    int32_t b1stIsFirstNoticeOfLevy, int32_t b1stIsFirstJeopardy,
                                    int32_t i1stGracePeriod, DATE d2ndNotice, int32_t b2ndIsFirstNoticeOfLevy,
                                    int32_t b2ndIsFirstJeopardy, int32_t i2ndGracePeriod, DATE d3rdNotice,
                                    int32_t b3rdIsFirstNoticeOfLevy, int32_t b3rdIsFirstJeopardy,
                                    int32_t i3rdGracePeriod, DATE d4thNotice, int32_t b4thIsFirstNoticeOfLevy,
                                    int32_t b4thIsFirstJeopardy, int32_t i4thGracePeriod, DATE dReducePenaltyAfter,
                                    DATE dReinstatePenaltyAfter, int32_t bTimelyFiled);
    HRESULT Enable6651A3PenaltyAlt1(int32_t bEnable, CY cyAmount, DATE d1stNotice);
    HRESULT Enable6651A3PenaltyAlt2(int32_t bEnable, CY cyAmount, DATE d1stNotice, int32_t b1stIsFirstNoticeOfLevy,
                                    int32_t b1stIsFirstJeopardy, int32_t i1stGracePeriod, DATE d2ndNotice,
                                    int32_t b2ndIsFirstNoticeOfLevy, int32_t b2ndIsFirstJeopardy,
                                    int32_t i2ndGracePeriod, DATE d3rdNotice, int32_t b3rdIsFirstNoticeOfLevy,
                                    int32_t b3rdIsFirstJeopardy, int32_t i3rdGracePeriod, DATE d4thNotice,
                                    int32_t b4thIsFirstNoticeOfLevy, int32_t b4thIsFirstJeopardy,
                                    int32_t i4thGracePeriod, DATE dReducePenaltyAfter, DATE dReinstatePenaltyAfter,
                                    int32_t bTimelyFiled);
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

    // Deletes the report and the previous computation and computes the
    // account through dSettledate. E_INVALIDARG (nothing changed) for a date
    // outside the engine's range; E_FAIL when no compute object can be made.
    HRESULT Compute(DATE dSettledate);
    // Writes the report, each line followed by "\n": replacing the file (a
    // temporary file in its folder renamed over it, so a failed write leaves
    // the old file whole) or, with bAppend, at the end of it (created when
    // missing). E_OPEN_FAILED and nothing written or computed when the file
    // cannot be opened; E_FAIL when the report or the write fails.
    HRESULT WriteReport(const std::string& bsFileName, int32_t bAppend);

    // Options. DATE puts: negative = no date; a date outside the engine's
    // range gives E_INVALIDARG and leaves the property unchanged.
    HRESULT get_WholeDollarModeEnabled(int32_t* pVal);
    HRESULT put_WholeDollarModeEnabled(int32_t newVal);
    HRESULT get_Jurisdiction(std::string* pVal);
    HRESULT put_Jurisdiction(const std::string& newVal);
    HRESULT get_GattEnabled(int32_t* pVal);
    HRESULT put_GattEnabled(int32_t newVal);
    HRESULT get_GattThreshold(CY* pVal);
    HRESULT put_GattThreshold(CY newVal);
    HRESULT get_LCUEnabled(int32_t* pVal);
    HRESULT put_LCUEnabled(int32_t newVal);
    HRESULT get_LCU30DayLetterDate(DATE* pVal);
    HRESULT put_LCU30DayLetterDate(DATE newVal);
    HRESULT get_LCUApplicableDate(DATE* pVal);
    HRESULT put_LCUApplicableDate(DATE newVal);
    HRESULT get_LCURestartEnabled(int32_t* pVal);
    HRESULT put_LCURestartEnabled(int32_t newVal);
    HRESULT get_LCURestart30DayLetterDate(DATE* pVal);
    HRESULT put_LCURestart30DayLetterDate(DATE newVal);
    HRESULT get_LCURestartApplicableDate(DATE* pVal);
    HRESULT put_LCURestartApplicableDate(DATE newVal);

    // Report options: read when the report is built, not after.
    HRESULT get_UseEventDescriptions(int32_t* pVal);
    HRESULT put_UseEventDescriptions(int32_t newVal);
    HRESULT get_IncludeHeader(int32_t* pVal);
    HRESULT put_IncludeHeader(int32_t newVal);
    HRESULT get_Header1(std::string* pVal);
    HRESULT put_Header1(const std::string& newVal);
    HRESULT get_Header2(std::string* pVal);
    HRESULT put_Header2(const std::string& newVal);
    HRESULT get_Header3(std::string* pVal);
    HRESULT put_Header3(const std::string& newVal);
    HRESULT get_IncludeFooter(int32_t* pVal);
    HRESULT put_IncludeFooter(int32_t newVal);
    HRESULT get_Footer(std::string* pVal);
    HRESULT put_Footer(const std::string& newVal);
    HRESULT get_TaxpayerName(std::string* pVal);
    HRESULT put_TaxpayerName(const std::string& newVal);
    HRESULT get_TaxpayerId(std::string* pVal);
    HRESULT put_TaxpayerId(const std::string& newVal);
    HRESULT get_IncludeDate(int32_t* pVal);
    HRESULT put_IncludeDate(int32_t newVal);
    HRESULT get_IncludeTime(int32_t* pVal);
    HRESULT put_IncludeTime(int32_t newVal);
    HRESULT get_LinesPerPage(int32_t* pVal);
    HRESULT put_LinesPerPage(int32_t newVal);
    HRESULT get_Printing(int32_t* pVal);
    HRESULT put_Printing(int32_t newVal);

    // 10400.
    HRESULT get_ObjectVersion(int32_t* pVal);
    // The build date and time of the component holding the object,
    // "Mmm dd yyyy hh:mm:ss" (the compiler's date and time forms).
    HRESULT get_ObjectBuildTime(std::string* pVal);
    // The folder of the module (shared library or program) that holds the
    // object, ending in "/".
    HRESULT get_DefaultDirectory(std::string* pVal);

    // Results, in currency, and the flags: E_PENDING before a Compute (and
    // after Init).
    HRESULT get_Taxes(CY* pVal);
    HRESULT get_Payments(CY* pVal);
    HRESULT get_Penalties(CY* pVal);
    HRESULT get_DebitInterest(CY* pVal);
    HRESULT get_NormalCreditInterest(CY* pVal);
    HRESULT get_GATTInterest(CY* pVal);
    HRESULT get_PenaltyInterest(CY* pVal);
    HRESULT get_Balance(CY* pVal);
    HRESULT get_ErrorsDetected(int32_t* pVal);
    HRESULT get_TableEndWarning(int32_t* pVal);
    HRESULT get_PaymentPenaltyError(int32_t* pVal);
    HRESULT get_GattTaxEvent(int32_t* pVal);
    HRESULT get_ExcessDeposits(int32_t* pVal);
    HRESULT get_RefundAndPenalty(int32_t* pVal);
    HRESULT get_NonDailyUsed(int32_t* pVal);
    HRESULT get_HotError(int32_t* pVal);
    HRESULT get_MotivatedTaxAfter1990(int32_t* pVal);
    HRESULT get_MotivatedTaxUnder1000(int32_t* pVal);
    HRESULT get_JurisdictionNotFound(int32_t* pVal);
    HRESULT get_NoEvents(int32_t* pVal);
    HRESULT get_EventBeforeTableStart(int32_t* pVal);
    HRESULT get_ComputeDateBeforeEvents(int32_t* pVal);
    HRESULT get_AccuracyPenalty(int32_t* pVal);
    HRESULT get_OverRefundError(int32_t* pVal);
    HRESULT get_ComputeBeforeLastEvent(int32_t* pVal);
    HRESULT get_HotUnder100K(int32_t* pVal);
    HRESULT get_PenaltyAfterPayment(int32_t* pVal);
    HRESULT get_NoHotInterestOver100K(int32_t* pVal);
    HRESULT get_GattDoublePayment(int32_t* pVal);
    HRESULT get_GattAndNotDaily(int32_t* pVal);
    HRESULT get_FedPensWithNonFedTable(int32_t* pVal);
    HRESULT get_Penalty6651a3ExceedsTax(int32_t* pVal);
    HRESULT get_Penalties6651a2and3ExceedTax(int32_t* pVal);

    // The report members build the report on first use: without a
    // computation they Compute as of the stored settlement date, or today.
    // The report then stays until the next Compute or Init; options set
    // after it do not change it. E_FAIL when it cannot be built.
    // Report: each line of the report followed by "\n".
    HRESULT get_Report(std::string* pVal);
    HRESULT get_NumPages(int32_t* pVal);
    // The offset in the Report text of page iPageNum's first line (-1 for a
    // page past the 100th); E_INVALIDARG unless 0 <= iPageNum < NumPages.
    HRESULT get_PageStart(int32_t iPageNum, int32_t* pVal);

    // Beyond the interface, for qrtcalc and tests: the inputs the members
    // above write and the computation they read.
    CEngineInputs& Inputs() { return *m_inputs; }
    const CEngineRun& Run() const { return m_run; }
    // A report of any kind, built as Report's is (computing first when
    // there is no computation), with the current options; not kept.
    HRESULT BuildReportOfKind(ReportKind kind, BuiltReport* report);
    // The last month of the fiscal year for the monthly accrual report, 0
    // (January) to 11 (December, the default); no interface property sets it.
    void FiscalYearEnd(int month) { m_reportOptions.fiscalYearEnd = month; }

private:
    HRESULT EnsureComputed();
    HRESULT EnsureReport();
    ReportOptions OptionsForReport() const;
    HRESULT Flag(int index, int32_t* pVal) const;

    std::unique_ptr<CEngineInputs> m_inputs;  // 1000 events: kept off the stack
    CEngineRun m_run;
    ReportOptions m_reportOptions;  // computeDate and useEventDescriptions are filled when building
    std::unique_ptr<BuiltReport> m_report;
    std::string m_reportText;
};

// The report text of a report buffer: every NUL-ended line followed by "\n"
// (a last line without its NUL too), so offsets into the buffer are offsets
// into the text.
std::string ReportTextOfBuffer(const std::string& buffer);
