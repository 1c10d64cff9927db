// The step loop of MainCompute: see StepWalkInternal.h.
#include "compute/StepWalkInternal.h"

#include "calendar/CalendarInternal.h"
#include "compute/HotPeriodsInternal.h"

namespace {

constexpr int kRateChange = kEventRateChange;
constexpr int kMotivatedRateChange = kEventMotivatedRateChange;
constexpr int kMonthEnd = kEventMonthEnd;
constexpr int kFinal = kEventFinal;
constexpr int kHotCut = kEventHotStart;
constexpr int kHotStop = kEventHotStop;
constexpr uint16_t kNoEvent = 65535;

bool IsNormalLiability(int kind) { return kind == 0 || kind == 7 || kind == 9; }
bool IsEventStep(int kind) { return kind >= 0 && kind <= 11; }

const Date kGatt1994(12, 31, 1994);
const Date kHotStopDate = HotStopDate();

} // namespace

CStepWalk::CStepWalk(CQRTCompute& c, Date computeDate, int monthly, int sumOfFactors)
    : m_c(c), m_computeDate(computeDate), m_monthly(monthly), m_sumOfFactors(sumOfFactors)
{
}

CStepWalk::CStepWalk(const CStepWalk& from, Date computeDate)
    : CStepWalk(from)
{
    m_computeDate = computeDate;
}

void CStepWalk::Run()
{
    Start();
    Finish();
}

void CStepWalk::Start()
{
    InterestRateTable& table = m_c.m_table;
    bool rising = true;   // every entry starts after the one before it
    while (m_entries < 500 && table.GetStartingDate(m_entries).isValid()) {
        if (m_entries > 0 && !(table.GetStartingDate(m_entries - 1) < table.GetStartingDate(m_entries)))
            rising = false;
        ++m_entries;
    }

    // The first entry that does not end before the first event. With rising
    // starts the entries that end before it are a prefix, found by halving
    // (a table of quarterly rates since 1954 has some 300 entries); otherwise
    // entry by entry.
    const Date firstEvent = m_c.m_events[0].m_date;
    m_entry = 0;
    if (rising) {
        int high = m_entries > 0 ? m_entries - 1 : 0;   // the last entry has no end
        if (high > 499) high = 499;
        while (m_entry < high) {
            const int middle = m_entry + (high - m_entry) / 2;
            if (EntryEnd(middle) < firstEvent)
                m_entry = middle + 1;
            else
                high = middle;
        }
    } else {
        while (m_entry < 499 && EntryEnd(m_entry) < firstEvent) ++m_entry;
    }
    m_monthEnd = firstEvent;
    m_monthEnd.EndOfMonth();
    int day = 0;
    m_monthEnd.ToMDY(m_monthEndMonth, day, m_monthEndYear);
    m_gatt94Done = firstEvent > kGatt1994 ? 1 : 0;
}

void CStepWalk::Finish()
{
    for (;;) {
        const int kind = ChooseStep();
        if (TakeSplitPoint(kind)) continue;
        TakeStep(kind);
        if (kind == kFinal) break;
    }
}

void CStepWalk::RunBefore(Date d)
{
    for (;;) {
        const int kind = ChooseStep();
        if (!(StepEnd(kind) < d)) return;
        if (TakeSplitPoint(kind)) continue;
        TakeStep(kind);
    }
}

// The day before entry i+1 starts. Only the entries in use have an end: the
// walk never moves past the last of them, whose end (like every later one)
// is no date.
Date CStepWalk::EntryEnd(int i) const
{
    return i + 1 < m_entries ? m_c.m_table.GetStartingDate(i + 1).AddDays(-1) : Date();
}

Date CStepWalk::StepEnd(int kind) const
{
    if (IsEventStep(kind)) return m_nextEvent;
    if (kind == kRateChange) return m_nextRate;
    if (kind == kMonthEnd) return m_monthEnd;
    return m_computeDate;
}

void CStepWalk::TakeStep(int kind)
{
    const Date stepEnd = StepEnd(kind);
    NormalStream(kind, stepEnd);
    LiabilityEffect(kind);
    MotivatedStream(kind, stepEnd);
    EventEffects(kind);
    Advance(kind);
    NoteCashFlow(stepEnd);
    if (kind == kMonthEnd) {
        // The next month's last day, from the month and year kept: the day
        // after this month end moved to its month's end, without splitting
        // a date into its fields at every month.
        if (++m_monthEndMonth > 12) {
            m_monthEndMonth = 1;
            ++m_monthEndYear;
        }
        m_monthEnd = m_monthEnd.AddDays(DaysInMonth(m_monthEndMonth, m_monthEndYear));
    }
}

void CStepWalk::DropLaterRecords()
{
    ComputeResults*& normal = m_lastNormal != nullptr ? m_lastNormal->m_next : m_c.m_normalBase;
    m_c.KeepRecords(normal);
    normal = nullptr;
    ComputeResults*& motivated = m_lastMotivated != nullptr ? m_lastMotivated->m_next : m_c.m_motivatedBase;
    m_c.KeepRecords(motivated);
    motivated = nullptr;
    CashFlow*& flow = m_lastCashFlow != nullptr ? m_lastCashFlow->m_next : m_c.m_cashFlow;
    while (flow != nullptr) {
        CashFlow* next = flow->m_next;
        delete flow;
        flow = next;
    }
}

int CStepWalk::ChooseStep()
{
    // User penalties never form a step: the penalty stream reads them. Nor
    // does an event of a kind the engine does not know (it would otherwise be
    // taken for a rate change or the final step and the walk would not move on).
    while (m_event < 1000 && m_c.m_events[m_event].m_date.isValid()
           && (IsUserPenaltyKind(m_c.m_events[m_event].m_type) || m_c.m_events[m_event].m_type > 11))
        ++m_event;

    m_nextEvent = m_event < 1000 ? m_c.m_events[m_event].m_date : Date();
    if (m_entry > m_entries - 1) m_entry = m_entries > 0 ? m_entries - 1 : 0;
    const Date end = EntryEnd(m_entry);
    m_nextRate = end.isValid() && end < m_computeDate ? end : Date();

    int kind = kRateChange;
    if (m_nextEvent.isValid() && m_nextEvent <= m_nextRate && m_nextEvent <= m_computeDate)
        kind = m_c.m_events[m_event].m_type;
    if (m_monthly && m_monthEnd < m_nextEvent && m_monthEnd < m_nextRate) kind = kMonthEnd;
    if (m_nextEvent > m_computeDate && m_nextRate > m_computeDate
        && (!m_monthly || !(m_monthEnd < m_computeDate)))
        kind = kFinal;
    return kind;
}

bool CStepWalk::BeforeEveryCandidate(Date d) const
{
    return d < m_nextEvent && d < m_nextRate && d < m_computeDate && (!m_monthly || d < m_monthEnd);
}

int CStepWalk::TakeSplitPoint(int kind)
{
    CQRTCompute& c = m_c;

    // GATT 1994: an overpayment standing at the end of 1994 is split there,
    // with its refund interest taken into the principal before the GATT rules apply.
    if (c.m_federalGatt && c.GATTOn() && !m_gatt94Done && m_normalStart.isValid()
        && m_normalStart < kGatt1994 && c.m_normalPrincipal < 0.0 && m_nextEvent > kGatt1994
        && m_nextRate > kGatt1994 && kind != kFinal && (!m_monthly || m_monthEnd > kGatt1994)) {
        ComputeResults* r = AppendNormal(kRateChange, kNoEvent);
        const int e = m_entry;
        c.ComputeInterest(c.m_normalPrincipal, m_normalStart, kGatt1994, c.TableMethod(e), c.TableDPY(e),
                          c.TableRRate(e), c.TableNRate(e), r);
        r->m_kind = kRateChange;
        r->m_event = kNoEvent;
        c.m_gattInterestDue += r->m_gattInterest;
        c.m_totals[12] += r->m_gattInterest;
        c.m_totals[11] += r->m_interest;
        c.m_normalPrincipal += r->m_interest;
        c.CalculateGattSwicthOver(r, e);
        m_normalStart = kGatt1994;
        m_gatt94Done = 1;
        return 1;
    }

    if (c.HotInterest() && c.m_date6621c.isValid() && !c.m_6621cAdded && BeforeEveryCandidate(c.m_date6621c)) {
        CutStreams(c.m_date6621c, kHotCut);
        c.CheckCompounding(m_entry);
        c.m_penaltyAddedDate[22] = c.m_date6621c;
        c.m_hotActive = 1;
        c.m_6621cAdded = 1;
        m_hotStarted = 1;
        return 1;
    }

    // The restart option stops and restarts hot interest only when its dates
    // can take effect (the same rule as the penalty loops).
    const bool restartOn = c.HotInterest() && c.HotInterest2() && HotRestartTakesEffect(c.m_date6621c, c.m_date6621c2);
    if (restartOn && m_hotStarted && !m_hotStopped && BeforeEveryCandidate(kHotStopDate)) {
        CutStreams(kHotStopDate, kHotStop);
        c.CheckCompounding(m_entry);
        c.m_hotActive = 0;
        m_hotStopped = 1;
        return 1;
    }

    if (restartOn && !c.m_hotRestarted && m_hotStarted && m_hotStopped && BeforeEveryCandidate(c.m_date6621c2)) {
        CutStreams(c.m_date6621c2, kHotCut);
        c.CheckCompounding(m_entry);
        c.m_penaltyAddedDate[22] = c.m_date6621c2;
        c.m_hotActive = 1;
        c.m_hotRestarted = 1;
        return 1;
    }
    return 0;
}

// Ends each running stream at d. A stream whose period began after d is left
// alone: cutting it "up to" an earlier day would give a period of negative
// length and move its start back, so that the time after d accrued twice.
int CStepWalk::CutStreams(Date d, int kind)
{
    int cut = 0;
    if (m_normalStart.isValid() && !(d < m_normalStart)) {
        FillNormal(AppendNormal(kind, kNoEvent), m_normalStart, d, kind);
        m_normalStart = d;
        ++cut;
    }
    if (m_motivatedStart.isValid() && !(d < m_motivatedStart)) {
        FillMotivated(AppendMotivated(kind, kNoEvent), m_motivatedStart, d, kind);
        m_motivatedStart = d;
        ++cut;
    }
    return cut;
}

void CStepWalk::NormalStream(int kind, Date stepEnd)
{
    bool record = IsNormalLiability(kind) || kind == 5 || kind == 6;
    if (IsPaymentKind(kind)) record = m_c.PaidNormal(m_c.m_events[m_event].m_allocation) != 0;
    if ((kind == kRateChange || kind == kMonthEnd || kind == kFinal) && m_normalStart.isValid()) record = true;
    if (!record) return;
    ComputeResults* r = AppendNormal(kind, IsEventStep(kind) ? m_event : kNoEvent);
    FillNormal(r, m_normalStart, stepEnd, kind);
    m_normalStart = stepEnd;
}

void CStepWalk::LiabilityEffect(int kind)
{
    if (!IsNormalLiability(kind)) return;
    CQRTCompute& c = m_c;
    const CEvent& e = c.m_events[m_event];
    if (!c.GATTOn() || !c.m_federalGatt) {
        c.m_normalPrincipal += e.m_amount;
        if (!c.MethodCompounds(c.TableMethod(m_entry)) && c.m_normalPrincipal > 0.001
            && c.m_refundInterestDue < -0.001)
            c.OverRefundError(1);
        return;
    }
    if (kind == 9) {
        // A check from the authority: its principal part returns to the normal
        // stream, the rest (interest paid out) to the GATT principal.
        c.CheckCompounding(m_entry);
        c.m_gattPrincipal += e.m_amount - e.m_gattAmount;
        c.m_normalPrincipal += e.m_gattAmount;
        c.NormalizeGATT();
        c.m_gattAmountStart -= e.m_gattAmount;
        if (c.m_gattAmountStart < 0.0) c.m_gattAmountStart = 0.0;
        return;
    }
    c.NormalizeGATT();
    c.CheckCompounding(m_entry);
    c.m_gattPrincipal += e.m_amount;
    if (c.m_totals[12] != 0.0) c.GattTaxEvent(1);
    if (c.m_gattPrincipal > 0.0) {
        c.m_gattAmountLeft += c.m_gattPrincipal;
        if (c.m_gattAmountLeft > c.GATTAmount()) c.m_gattAmountLeft = c.GATTAmount();
        if (c.m_gattAmountLeft < 0.0) c.m_gattAmountLeft = 0.0;
    }
    c.NormalizeGATT();
}

void CStepWalk::MotivatedStream(int kind, Date stepEnd)
{
    // The final step closes the motivated stream too, so that motivated
    // interest runs to the computation date and not only to the last event,
    // rate change or month end before it.
    const bool reached = IsPaymentKind(kind) || kind == 5 || kind == 6 || kind == 1 || kind == kRateChange
                         || kind == kMonthEnd || kind == kFinal;
    if (!reached) return;
    if (!m_motivatedStart.isValid() && kind != 1) return;
    const int recordKind = kind == kRateChange ? kMotivatedRateChange : kind;
    ComputeResults* r = AppendMotivated(recordKind, IsEventStep(kind) ? m_event : kNoEvent);
    FillMotivated(r, m_motivatedStart, stepEnd, recordKind);
    m_motivatedStart = stepEnd;
}

void CStepWalk::EventEffects(int kind)
{
    CQRTCompute& c = m_c;
    if (kind == 1) {
        c.m_motivatedPrincipal += c.m_events[m_event].m_amount;
    } else if (IsPaymentKind(kind)) {
        c.CheckCompounding(m_entry);
        c.ApplyPayment(m_event, m_lastNormal, m_entry);
    } else if (kind == 5) {
        c.m_interestRunning = 0;
    }
}

void CStepWalk::Advance(int kind)
{
    m_c.CheckCompounding(m_entry);
    if (IsEventStep(kind)) {
        if (kind == 6) m_c.m_interestRunning = 1;
        ++m_event;
    } else if (kind == kRateChange) {
        ++m_entry;
    }
    m_c.CheckCompounding(m_entry);
}

void CStepWalk::NoteCashFlow(Date stepEnd)
{
    const double normal = m_c.m_normalPrincipal;
    const double gatt = m_c.m_gattPrincipal;
    const int direction = normal > 0.0 ? 1 : (normal < 0.0 || gatt < 0.0 ? -1 : 0);
    bool append = m_lastCashFlow == nullptr;
    if (m_lastCashFlow != nullptr) {
        const int last = m_lastCashFlow->m_direction;
        append = (last == 1 && (normal < 0.0 || gatt < 0.0)) || (last == -1 && (normal > 0.0 || gatt > 0.0))
                 // An account that starts neither owing nor owed (a motivated tax
                 // or a stop of interest first) still records its first turn.
                 || (last == 0 && direction != 0);
    }
    if (!append) return;
    CashFlow* node = new CashFlow();
    node->m_date = stepEnd;
    node->m_direction = direction;
    node->m_prev = m_lastCashFlow;
    if (m_lastCashFlow != nullptr) m_lastCashFlow->m_next = node;
    else m_c.m_cashFlow = node;
    m_lastCashFlow = node;
}

ComputeResults* CStepWalk::AppendNormal(int kind, int event)
{
    ComputeResults* r = m_c.NewRecord();
    r->m_kind = static_cast<uint16_t>(kind);
    r->m_event = static_cast<uint16_t>(event);
    r->m_prev = m_lastNormal;
    if (m_lastNormal != nullptr) m_lastNormal->m_next = r;
    else m_c.m_normalBase = r;
    m_lastNormal = r;
    return r;
}

ComputeResults* CStepWalk::AppendMotivated(int kind, int event)
{
    ComputeResults* r = m_c.NewRecord();
    r->m_kind = static_cast<uint16_t>(kind);
    r->m_event = static_cast<uint16_t>(event);
    r->m_prev = m_lastMotivated;
    if (m_lastMotivated != nullptr) m_lastMotivated->m_next = r;
    else m_c.m_motivatedBase = r;
    m_lastMotivated = r;
    return r;
}

void CStepWalk::FillNormal(ComputeResults* r, Date start, Date end, int kind)
{
    r->m_principal = m_c.m_normalPrincipal;
    if (m_sumOfFactors && (!start.isValid() || start == end)) return;
    m_c.DoIntComp(start, end, r, kind, m_entry, 1, m_sumOfFactors ? 1 : 0);
}

void CStepWalk::FillMotivated(ComputeResults* r, Date start, Date end, int kind)
{
    r->m_principal = m_c.m_motivatedPrincipal;
    const int federalGatt = m_c.m_federalGatt;
    m_c.m_federalGatt = 0;
    m_c.DoIntComp(start, end, r, kind, m_entry, 0, 0);
    m_c.m_federalGatt = federalGatt;
}
