// CQRTCompute: one taxpayer account and its computation. A caller fills it
// (events, penalty settings, table name, options), runs MainCompute through a
// computation date and reads totals, balances, per-penalty results, result
// lists and warning flags.
//
// Money: cents as doubles, kept integral by RoundMoney (whole dollars in
// whole-dollar mode). Rates: percent per year. Dates: Date, 65535 = no date.
// Ownership: the object owns its copies of the events (with each payment's
// Payment and name buffer), its penalty records, its embedded rate table and
// every list a computation builds (result periods, cash flow, failure-to-pay
// pieces, penalty drops); it frees them when a new computation starts and at
// destruction. Copying a compute object is not allowed.
// Flags: 32-bit ints, an accessor pair per flag (Name() reads, Name(int)
// sets), cleared at the start of every MainCompute.
// Indexes are not checked: events 0 to 999, penalty slots 0 to 23, categories
// 0 to 49, table entries 0 to 499.
// Thread rule: one computation at a time per object, on the caller's thread;
// separate objects may compute in parallel.
// Tests: event order and SortEvents' index, tax due date, rounding, deep
// copies and repeated fill/destroy under the sanitizers, every compounding
// method against independently derived factors.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "calendar/Date.h"
#include "compute/AllocationCategory.h"
#include "compute/CEvent.h"
#include "compute/CPenaltyDrop.h"
#include "compute/CashFlow.h"
#include "compute/ComputeResults.h"
#include "compute/EventKind.h"
#include "compute/F2Fs.h"
#include "compute/Payment.h"
#include "compute/Penalties.h"
#include "compute/PowerMemo.h"
#include "ratetable/InterestRateTable.h"

// Declares a warning/error flag's accessor pair over the member m_<name>.
class CEventSums;

#define QRT_FLAG_ACCESSORS(Name, member) \
    int Name() const { return member; }  \
    void Name(int v) { member = v; }

class CQRTCompute {
public:
    static constexpr int kMaxEvents = 1000;
    static constexpr int kPenaltySlots = 24;
    static constexpr int kTotals = 14;
    static constexpr int kFlagCount = 24;
    // Positions in the totals block.
    static constexpr int kTotalRuntimePenalties = 2;
    static constexpr int kTotalTaxMotivated = 6;
    static constexpr int kTotalTaxGATT = 7;
    static constexpr int kTotalInterestNormal = 8;
    static constexpr int kTotalInterestMotivated = 9;
    static constexpr int kTotalInterestPenalty = 10;
    static constexpr int kTotalInterestRefund = 11;
    static constexpr int kTotalInterestGATT = 12;

    CQRTCompute();
    // A new object holding copies of the first `used` records of events (as
    // SetEvents(events, used) would), the later slots empty from the start.
    CQRTCompute(const CEvent* events, int used);
    virtual ~CQRTCompute();
    CQRTCompute(const CQRTCompute&) = delete;
    CQRTCompute& operator=(const CQRTCompute&) = delete;

    // ---- Money ----
    // Rounds `value` in place half away from zero to whole cents, or with
    // wholeDollars nonzero to whole dollars (multiples of 100 cents).
    // Inline: every period and every split of a payment rounds.
    static void RoundMoney(double& value, int wholeDollars)
    {
        double v = wholeDollars ? value / 100.0 : value;
        const double whole = std::trunc(v);
        const double fraction = v - whole;
        if (fraction >= 0.5)
            v = whole + 1.0;
        else if (fraction <= -0.5)
            v = whole - 1.0;
        else
            v = whole;
        value = wholeDollars ? v * 100.0 : v;
    }
    // RoundMoney with this object's WholeDollarMode().
    void RoundMoney(double& value) const { RoundMoney(value, m_wholeDollarMode); }

    // ---- Inputs ----
    // Copies the 1000 records of src; the object gets its own copies of every
    // name buffer and Payment record (the caller keeps its array).
    void SetEvents(const CEvent* src) { SetEvents(src, kMaxEvents); }
    // The same for a src whose slots from `used` on are all empty slots (as
    // the automation object's are): only the first `used` are copied, and
    // this object's later slots are emptied where they are not empty already.
    void SetEvents(const CEvent* src, int used);
    CEvent* GetEvent(int i) { return &m_events[i]; }
    // Copies the 24 records of src.
    void SetPenalties(const Penalties* src);
    Penalties* GetPenalty(int i) { return &m_penalties[i]; }
    // Names the table MainCompute will read; the alias must be resolved again.
    void SetTableName(const char* name);
    void SetTableName(const std::string& name) { SetTableName(name.c_str()); }
    std::string GetTableName() const { return m_table.GetTableName(); }
    InterestRateTable* GetTable() { return &m_table; }

    // ---- Options ----
    int WholeDollarMode() const { return m_wholeDollarMode; }
    void WholeDollarMode(int on) { m_wholeDollarMode = on; }
    int GATTOn() const { return m_gattOn; }
    void GATTOn(int on) { m_gattOn = on; }
    double GATTAmount() const { return m_gattAmount; }  // cents
    void GATTAmount(double cents) { m_gattAmount = cents; }
    int HotInterest() const { return m_hotInterest; }
    void HotInterest(int on) { m_hotInterest = on; }
    int HotInterest2() const { return m_hotInterest2; }
    void HotInterest2(int on) { m_hotInterest2 = on; }
    Date Hot30Day() const { return m_hot30Day; }
    void Hot30Day(Date d) { m_hot30Day = d; }
    Date Hot30Day2() const { return m_hot30Day2; }
    void Hot30Day2(Date d) { m_hot30Day2 = d; }
    Date HotApplicable() const { return m_hotApplicable; }
    void HotApplicable(Date d) { m_hotApplicable = d; }
    Date HotApplicable2() const { return m_hotApplicable2; }
    void HotApplicable2(Date d) { m_hotApplicable2 = d; }

    // ---- Rate table queries (entry i of the embedded table) ----
    // Inline: every period of a walk asks them.
    double TableNRate(int i) { return m_table.GetEntry(i)->m_normalRate; }
    double TableRRate(int i) { return m_table.GetEntry(i)->m_refundRate; }
    double TableMRate(int i) { return m_table.GetEntry(i)->m_motivatedRate; }
    int TableMethod(int i) { return m_table.GetEntry(i)->m_method; }
    // 365.25 for code 100, 365.0 / 366.0 for 365 / 366, 0.0 otherwise.
    double TableDPY(int i)
    {
        switch (m_table.GetEntry(i)->m_dpy) {
        case 100: return 365.25;
        case 365: return 365.0;
        case 366: return 366.0;
        default: return 0.0;
        }
    }
    // Entry count of the table header.
    int TableLines();

    // ---- Warning and error flags, in storage order ----
    QRT_FLAG_ACCESSORS(TableEndWarning, m_flags[0])
    QRT_FLAG_ACCESSORS(PaymentPenaltyError, m_flags[1])
    QRT_FLAG_ACCESSORS(GattTaxEvent, m_flags[2])
    QRT_FLAG_ACCESSORS(ExcessDeposits, m_flags[3])
    QRT_FLAG_ACCESSORS(RefundAndPenalty, m_flags[4])
    QRT_FLAG_ACCESSORS(NonDailyUsed, m_flags[5])
    QRT_FLAG_ACCESSORS(HotError, m_flags[6])
    QRT_FLAG_ACCESSORS(MotAfter1990, m_flags[7])
    QRT_FLAG_ACCESSORS(MotUnder1000, m_flags[8])
    QRT_FLAG_ACCESSORS(NoTableLoaded, m_flags[9])
    QRT_FLAG_ACCESSORS(NoEvents, m_flags[10])
    QRT_FLAG_ACCESSORS(EventBeforeTable, m_flags[11])
    QRT_FLAG_ACCESSORS(ComputeBeforeEvents, m_flags[12])
    QRT_FLAG_ACCESSORS(AccuracyPenalty, m_flags[13])
    QRT_FLAG_ACCESSORS(OverRefundError, m_flags[14])
    QRT_FLAG_ACCESSORS(ComputeBeforeLastEvent, m_flags[15])
    QRT_FLAG_ACCESSORS(HotUnder100K, m_flags[16])
    QRT_FLAG_ACCESSORS(PenaltyAfterPayment, m_flags[17])
    QRT_FLAG_ACCESSORS(NoHotInterestOver100K, m_flags[18])
    QRT_FLAG_ACCESSORS(GattDoublePayment, m_flags[19])
    QRT_FLAG_ACCESSORS(GattAndNotDaily, m_flags[20])
    QRT_FLAG_ACCESSORS(FedPensWithNonFedTable, m_flags[21])
    QRT_FLAG_ACCESSORS(Penalty6651a3ExceedsTax, m_flags[22])
    QRT_FLAG_ACCESSORS(Penalties6651a2and3ExceedTax, m_flags[23])
    // Set when a figure of the last computation (an event amount, a period's
    // principal, interest or balance, a penalty, a total) lies outside what a
    // double holds to the cent, +-2^53 cents (about $90 trillion): the figures
    // are then not exact and must not be used. Kept apart from the 24 flags
    // above, whose order the automation interface's properties follow.
    QRT_FLAG_ACCESSORS(AmountOutOfRange, m_amountOutOfRange)
    // 1 when every figure of the last computation is within +-2^53 cents.
    int FiguresInRange();
    // Sets all 24 flags and AmountOutOfRange to 0.
    void ClearFlags();
    // Flag i (0 to 23) in storage order.
    int Flag(int i) const { return m_flags[i]; }

    // ---- Totals and queries (events dated on or before d) ----
    double AllTaxes(Date d);
    double AllPayments(Date d);
    double EventPenalties(Date d);
    double EventStreamAmounts(Date d);
    double NetTaxDueOn(Date d);
    double NetTaxDue();
    double AllPenalties(Date d);
    double RealPenalties();
    int AnyIRSPenalties();
    int16_t TotalIRSPenalties();
    void TurnOffPenalties();
    double AllInterest();
    double DebitInterest();
    double CreditInterest();
    double InterestNormal() const { return m_totals[kTotalInterestNormal]; }
    double InterestMotivated() const { return m_totals[kTotalInterestMotivated]; }
    double InterestPenalty() const { return m_totals[kTotalInterestPenalty]; }
    double InterestRefund() const { return m_totals[kTotalInterestRefund]; }
    double InterestGATT() const { return m_totals[kTotalInterestGATT]; }
    double TaxMotivated() const { return m_totals[kTotalTaxMotivated]; }
    double TaxGATT() const { return m_totals[kTotalTaxGATT]; }
    double RuntimePenalties() const { return m_totals[kTotalRuntimePenalties]; }
    double TaxNormal() const { return m_totalTax; }
    double TotalTax() const { return m_totalTax; }
    double TotalLiability() const { return m_totalLiability; }
    double BalanceDue() const { return m_balanceDue; }
    double Balances(int i) const { return m_balances[i]; }
    Date GetFirstLiabDate();
    Date GetLastEventDate();
    // 1 when the last cash-flow node dated before d has a direction below 0.
    int Refunding(Date d);
    ComputeResults* NormalBase() { return m_normalBase; }
    ComputeResults* MotivatedBase() { return m_motivatedBase; }
    ComputeResults* PenaltyBase() { return m_penaltyBase; }
    CashFlow* GetCashFlow() { return m_cashFlow; }
    F2Fs* GetFPSBase() { return m_fpsBase; }
    F2Fs* GetFPABase() { return m_fpaBase; }

    // Tax due date (the one date all tax events other than checks share; no
    // date on a conflict), total tax and total liability from the events.
    void SetTaxDueDate();
    Date TaxDueDate() const { return m_taxDueDate; }

    // ---- Result lifecycle ----
    // Resets a computation's results (not the inputs) before a new run.
    void ClearCoputeResults();
    // Empties the penalty results, the drop list and both piece lists.
    void ClearComputedPenalties();
    void FreeCashflow();
    // Frees the motivated, normal and penalty result lists, in that order.
    void FreeResultsList();
    // Result records come from a list of spare records that the object keeps,
    // so that a computation repeated on one object allocates no record.
    // NewRecord returns a record in its initial state; KeepRecords takes back
    // a chain (linked by m_next) that no list holds any more.
    ComputeResults* NewRecord();
    void KeepRecords(ComputeResults* head);
    // Frees a failure-to-pay piece list and nulls the head passed in.
    void FreeF2F(F2Fs*& list);
    // The drop list (null outside a penalty computation).
    CPenaltyDropList* PenaltyDrops() { return m_penaltyDrops; }

    // ---- Event order ----
    // qsort comparison of two CEvent: date, liabilities before payments,
    // smaller amount, unnamed before named, then name byte order.
    static int SortEventCallback(const void* a, const void* b);
    int EventsAreSorted();
    // Sorts the used slots; returns where the event that was at `keep` now
    // stands (0 when keep is -1).
    int SortEvents(int keep);
    // The order every computation walks in: the stop- and start-interest
    // events' amounts emptied (they carry none; a same-day order by amount
    // would otherwise change once a computation empties them), then
    // SortEvents(-1).
    void SortEventsForCompute();
    // Number of used slots (up to the first slot without a valid date).
    int EventCount() const;
    // Writes every used event to the engine trace.
    void DumpEvents() const;

    // ---- Interest accrual ----
    static int MethodCompounds(int method)
    {
        return method == kDaily || method == kMonthlyPlusDays || method == kMonthlyWholeMonths ? 1 : 0;
    }
    void ComputeInterest(double principal, Date start, Date end, int method,
                         double daysPerYear, double rate, double normalRate, ComputeResults* r);
    Date DoIntComp(Date start, Date end, ComputeResults* r, int kind, int entry, int normal,
                   int unitRates);
    // Folds the interest due into principal when entry's method compounds.
    // Inline: each step of a walk checks several times.
    void CheckCompounding(int entry)
    {
        if (MethodCompounds(TableMethod(entry))) Compound();
    }
    void Compound()
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

    // ---- Driver ----
    int MainCompute(Date computeDate, int eventLimit, int monthly);
    void ReallocPayments(int last);
    // ReallocPayments(kMaxEvents) and then MainCompute(computeDate, -1,
    // monthly), with the same results; where the account allows, one walk
    // allocates every payment and is the computation's own walk as well.
    // The table is held for the call (see HoldTable).
    int ReallocAndCompute(Date computeDate, int monthly);
    // MainCompute in parts: BeginCompute resets, loads the table, validates
    // (0, with MainCompute's flags, when it cannot compute) and sets the
    // running state the walk starts from; EndCompute is the results phase
    // after the walk.
    int BeginCompute(Date computeDate, int monthly);
    void EndCompute(Date computeDate, int monthly);
    // While on, the computations after the first use the table it read, as
    // those of one ReallocPayments always do: a caller that allocates and
    // then computes (the automation object's Compute) sees one version of
    // the table and reads the file once. Off reads again every time.
    void HoldTable(bool on)
    {
        m_holdTable = on ? 1 : 0;
        m_tableHeld = 0;
    }

    // ---- Payment allocation ----
    void AllocatePayment(int i);
    void FixBalance(int n);
    void ApplyPayment(int i, ComputeResults* r, int entry);
    int PaidNormal(Payment* p);
    int AppliedToPenalties(int i);
    void DoPaidtoBalof();
    double AnyPayments(int penalty, Date from, Date to);
    double TenDayPayments(int penalty);

    // ---- GATT and 6621(c) ----
    // Nets the GATT principal against the normal one; nothing to net while
    // it is zero (always, without GATT).
    void NormalizeGATT()
    {
        if (m_gattPrincipal != 0.0) NetGATT();
    }
    void NetGATT();
    void CalculateGattSwicthOver(ComputeResults* results, int index);
    void Compute6621c(int slot, Date through);
    // 1 when 6621(c) interest and its restart option are on but the restart
    // cannot take effect: no restart date, a restart on or before 31 December
    // 1997, or a first hot date after it. The computation then runs as
    // without the option and sets HotError.
    int HotRestartInconsistent() const;
    Date Get6621cDate() const { return m_date6621c; }
    int Get6621cAdded() const { return m_6621cAdded; }
    int Warn6621c(Date through);
    void WarnGATTDoublePayment();

    // ---- Failure to file and failure to pay ----
    // Failure to pay the tax shown (slotA2, 1) and failure to file (slotA1,
    // 23) through `through`; with noDrops nonzero nothing is assessed.
    void Compute6651a1a2(int slotA2, int slotA1, Date through, int unused, int noDrops);
    // Failure to pay an assessment (slot 2) through `through`.
    void Compute6651a3(int slot, Date through);
    // Total of a piece list: runs of equal amount and rate rounded, then summed.
    double ComputeReal6651(F2Fs* list);
    // Base and largest base of slot 23 and slots 7 to 10 (less the fraud
    // amount of slot 4 where it applies; never below 0).
    void Post90Check(int slot);
    void Check6651a3Penalty();
    int CheckPenaltyDates(int slot);

    // ---- Accuracy-related and fraud penalties ----
    void Compute6653a(int slot, Date through);
    void Compute6653b(int slot, Date through);
    void Compute6659(int slot);
    void Compute6659a(int slot);
    void Compute6660(int slot);
    void Compute6661(int slot);
    void Compute6662c(int slot, Date through);
    void Compute6662d(int slot, Date through);
    void Compute6662e(int slot, Date through);
    void Compute6662f(int slot, Date through);
    void Compute6662g(int slot, Date through);
    void Compute6663(int slot, Date through);
    Date FraudActive(int slot);
    int AccuracyPenaltyCheck();
    int AccuracyError() const { return m_accuracyError; }

    // ---- Penalty stream and penalty interest ----
    // Runs every enabled penalty through `through` (in cents, whole-dollar
    // mode off meanwhile) and collects their assessments; returns 1.
    int ComputePenalties(Date through);
    // Assesses `amount` (rounded to the cent) of slot 0-23 at `date`; nothing
    // for an invalid date or an amount not above 0.
    void DropPenalty(double amount, Date date, int slot, int seq);
    // 1 when the assessment earns no interest: paid within its grace period
    // (10 days; 14 or 21 for failure-to-pay notices from 1997) or the grace
    // period has not ended by `through`.
    int PayOff(CPenaltyDrop* drop, Date through);
    // Penalty balance and its interest from the first assessment that earns
    // interest to `through` (PenaltyBase list, InterestPenalty); monthEnds
    // nonzero breaks periods at month ends. 1 when it ran, 0 when there was
    // nothing to do. Record kinds: PenaltyStreamKinds.h.
    int PenaltyStream(Date through, int monthEnds);
    // Interest on `amount` from `from` to `to` (motivated rate when
    // `motivated`), reduced by the payments that pay it beyond the rest of the
    // tax when `useBase`; 6621(c) periods apply. m_hotActive is unchanged.
    double PenaltyInterest(double amount, int motivated, Date from, Date to, int useBase,
                           int slot);
    // Largest failure-to-pay penalty of slot 1 or 2 (0.5 %, 1 % after a levy
    // or jeopardy notice, at most 50 half-percent steps); 0 for other slots.
    double ComputeMaximumPenalty(int slot);
    int PenaltyAfterPaymentCheck();
    // Extra report templates of a slot (static texts such as "R6651A1H.DM"),
    // null when none.
    const char* PenHeader(int slot) const { return m_penHeader[slot]; }
    void PenHeader(int slot, const char* templ) { m_penHeader[slot] = templ; }
    const char* PenFooter(int slot) const { return m_penFooter[slot]; }
    void PenFooter(int slot, const char* templ) { m_penFooter[slot] = templ; }

    // ---- Per-penalty results (slot 0 to 23) ----
    double TotalPenalty(int slot) const { return m_totalPenalty[slot]; }
    double TotalPenalty2(int slot) const { return m_totalPenalty2[slot]; }
    double GetBaseAmount(int slot) const { return m_baseAmount[slot]; }
    double Reduction(int slot) const { return m_reduction[slot]; }
    double Reduction2(int slot) const { return m_reduction2[slot]; }
    double PenaltyMinimum(int slot) const { return m_penaltyMinimum[slot]; }
    double PenaltyMaximum(int slot) const { return m_penaltyMaximum[slot]; }
    double MaximumBase(int slot) const { return m_maximumBase[slot]; }
    double PenaltyAmount(int slot) const { return m_penaltyAmount[slot]; }
    double RealPenalty(int slot) const { return m_penaltyAmount[slot]; }
    double PenaltyAddedAmt(int slot) const { return m_penaltyAddedAmt[slot]; }
    Date PenaltyAddedDate(int slot) const { return m_penaltyAddedDate[slot]; }
    // Payments applied to the slot's penalty by the last penalty stream.
    double PenaltyPaid(int slot) const { return m_penaltyPaid[slot]; }
    double GetNegligenceBase(int k) const { return m_negligenceBase[k]; }

    // Copies the first `used` records of src (clamped to 0..1000) over this
    // object's, freeing what those slots owned; returns the clamped count.
    int CopyUsedEvents(const CEvent* src, int used);

    // ---- Fields, in the record order of the engine ----
    int32_t m_wholeDollarMode = 0;
    CEvent m_events[kMaxEvents];
    Penalties m_penalties[kPenaltySlots];
    InterestRateTable m_table;
    int32_t m_tableAliasResolved = 0;
    // The table as the caller named it (a bare name or a path), or the name
    // an alias or an on-demand table put in its place. Every computation
    // reads by this name: reading renames m_table to its bare name.
    std::string m_tableSource;
    // Set while ReallocPayments runs; m_tableHeld then says that m_table is
    // the table its first computation loaded, unchanged since, so that the
    // later computations of the call use it instead of reading the file again.
    int32_t m_inRealloc = 0;
    int32_t m_tableHeld = 0;
    int32_t m_holdTable = 0;   // HoldTable: m_tableHeld outlives ReallocPayments
    CashFlow* m_cashFlow = nullptr;
    ComputeResults* m_normalBase = nullptr;
    ComputeResults* m_motivatedBase = nullptr;
    ComputeResults* m_penaltyBase = nullptr;
    // Running balances carried from period to period, cents.
    double m_normalInterestDue = 0.0;
    double m_motivatedInterestDue = 0.0;
    double m_refundInterestDue = 0.0;
    double m_motivatedPrincipal = 0.0;
    double m_normalPrincipal = 0.0;
    double m_gattInterestDue = 0.0;
    double m_gattPrincipal = 0.0;
    double m_totals[kTotals] = {};
    Date m_taxDueDate;
    double m_totalTax = 0.0;
    double m_totalLiability = 0.0;
    Date m_date6621c;
    int32_t m_6621cAdded = 0;
    // Working fields of the driver and the 6621(c) code.
    Date m_date6621c2;
    int32_t m_hotRestarted = 0;    // the 6621(c) restart has been made
    int32_t m_hotActive = 0;       // accrual adds the 6621(c) increase
    int32_t m_federalGatt = 0;     // GATT on and the table name begins with "FED"
    int32_t m_hotSpare = 0;
    int32_t m_gattOn = 0;
    double m_gattAmount = 0.0;
    int32_t m_hotInterest = 0;
    int32_t m_hotInterest2 = 0;
    Date m_hot30Day;
    Date m_hot30Day2;
    Date m_hotApplicable;
    Date m_hotApplicable2;
    const char* m_penHeader[kPenaltySlots] = {};
    const char* m_penFooter[kPenaltySlots] = {};
    // Per-penalty results.
    double m_totalPenalty[kPenaltySlots] = {};
    double m_totalPenalty2[kPenaltySlots] = {};
    double m_baseAmount[kPenaltySlots] = {};
    double m_reduction[kPenaltySlots] = {};
    double m_reduction2[kPenaltySlots] = {};
    double m_penaltyMinimum[kPenaltySlots] = {};
    double m_penaltyMaximum[kPenaltySlots] = {};
    double m_maximumBase[kPenaltySlots] = {};
    double m_penaltyPaid[kPenaltySlots] = {};      // payments applied in the last stream
    double m_penaltyCredit[kPenaltySlots] = {};    // stream working state: designated credit
    double m_penaltyAssessed[kPenaltySlots] = {};  // stream working state: assessed so far
    double m_penaltyAmount[kPenaltySlots] = {};    // RealPenalty / PenaltyAmount
    double m_penaltyAddedAmt[kPenaltySlots] = {};
    Date m_penaltyAddedDate[kPenaltySlots];
    double m_negligenceBase[3] = {};
    double m_paidByCategory[kCategoryCount] = {};
    double m_balanceDue = 0.0;
    int32_t m_accuracyError = 0;
    double m_balances[kCategoryCount] = {};
    F2Fs* m_fpsBase = nullptr;
    F2Fs* m_fpaBase = nullptr;
    CPenaltyDropList* m_penaltyDrops = nullptr;
    int32_t m_interestRunning = 1;   // 0 between a stop- and a start-interest event
    int32_t m_monthly = 0;           // monthly argument of the last MainCompute
    double m_gattAmountLeft = 0.0;
    double m_gattAmountStart = 0.0;
    double m_driverWork = 0.0;
    int32_t m_flags[kFlagCount] = {};
    int32_t m_amountOutOfRange = 0;
    ComputeResults* m_spareRecords = nullptr;
    CEventSums* m_eventSums = nullptr;  // events already summed, while ReallocPayments walks on
    CPowerMemo m_powers;                // the compounding powers of this object's computations
};

#undef QRT_FLAG_ACCESSORS
