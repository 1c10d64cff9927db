// MainCompute: one complete computation of the account through a date (reset
// and validation, the step walk, the results phase), and ReallocPayments, which
// allocates every payment against the account as it stood on its own date.
#include "compute/CQRTCompute.h"
#include "compute/IncrementalReallocInternal.h"
#include "compute/StepWalkInternal.h"
#include "ratetable/CQrtDLLApp.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {


// The table's file name without folders.
std::string BaseName(const std::string& name)
{
    const size_t cut = name.find_last_of("/\\");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

bool StartsWithFed(const std::string& name)
{
    return name.size() >= 3 && (name[0] == 'F' || name[0] == 'f') && (name[1] == 'E' || name[1] == 'e')
           && (name[2] == 'D' || name[2] == 'd');
}

constexpr double kHundredThousandDollars = 10000000.0;   // cents

// Resolves the table name through the alias list (once per object) and reads
// the table through the cache, falling back to an on-demand table. When no
// table can be had the embedded table is emptied (keeping the name asked
// for): a failed read leaves the table as it was, and the entries of an
// earlier computation must not stand in for the table asked for now.
void LoadTable(CQRTCompute& c)
{
    InterestRateTable& table = c.m_table;
    if (!c.m_tableAliasResolved) {
        const CTableAlias* aliases = CQrtDLLApp::Instance().TableAlias();
        const std::string alias =
            aliases != nullptr ? aliases->Lookup(c.m_tableSource, c.GetFirstLiabDate()) : std::string();
        if (!alias.empty()) {
            c.m_tableAliasResolved = 1;
            c.m_tableSource = alias;
        }
    }
    table.SetTableName(c.m_tableSource);
    int loaded = table.Read(c.m_tableSource, 0, 1);
    if (!loaded) {
        const std::string made = table.CreateTableOnDemand();
        if (!made.empty()) {
            c.m_tableSource = made;
            table.SetTableName(made);
            loaded = table.Read(made, 0, 1);
        }
    }
    if (!loaded) {
        table.Clear();
        table.SetTableName(c.m_tableSource);
    }
}

// The table of this computation. Inside ReallocPayments the table is read
// once, by its first computation, and the later computations of the call use
// it as it stands: the computations of one allocation see one table, and a
// table read per payment is saved. A sum-of-factors table is read each time,
// because a computation extends it through its own date.
void LoadTableFor(CQRTCompute& c)
{
    const bool holding = c.m_inRealloc || c.m_holdTable;
    if (holding && c.m_tableHeld) return;
    LoadTable(c);
    c.m_tableHeld = holding && c.m_table.GetStartingDate(0).isValid() && c.TableMethod(0) != 4 ? 1 : 0;
}

// Marks one ReallocPayments call on its compute object, however it ends.
class ReallocScope {
public:
    explicit ReallocScope(CQRTCompute& c) : m_c(c)
    {
        m_c.m_inRealloc = 1;
        if (!m_c.m_holdTable) m_c.m_tableHeld = 0;
    }
    ~ReallocScope()
    {
        m_c.m_inRealloc = 0;
        if (!m_c.m_holdTable) m_c.m_tableHeld = 0;
    }
    ReallocScope(const ReallocScope&) = delete;
    ReallocScope& operator=(const ReallocScope&) = delete;

private:
    CQRTCompute& m_c;
};

// Holds the table for one call, unless the caller holds it already.
class TableHoldScope {
public:
    explicit TableHoldScope(CQRTCompute& c) : m_c(c), m_wasHeld(c.m_holdTable != 0)
    {
        if (!m_wasHeld) m_c.HoldTable(true);
    }
    ~TableHoldScope()
    {
        if (!m_wasHeld) m_c.HoldTable(false);
    }
    TableHoldScope(const TableHoldScope&) = delete;
    TableHoldScope& operator=(const TableHoldScope&) = delete;

private:
    CQRTCompute& m_c;
    const bool m_wasHeld;
};

} // namespace

int CQRTCompute::MainCompute(Date computeDate, int /*eventLimit: not used*/, int monthly)
{
    if (!BeginCompute(computeDate, monthly)) return 0;
    const int sumOfFactors = TableMethod(0) == 4 ? 1 : 0;
    if (sumOfFactors) m_table.ExtendThrough(computeDate);

    // Phase 2: the step walk.
    CStepWalk walk(*this, computeDate, monthly, sumOfFactors);
    walk.Run();

    EndCompute(computeDate, monthly);
    return 1;
}

int CQRTCompute::BeginCompute(Date computeDate, int monthly)
{
    // Phase 1: reset and validation.
    ClearFlags();
    m_6621cAdded = 0;
    m_hotRestarted = 0;
    m_balanceDue = 0.0;
    ClearCoputeResults();
    // No date to compute to (an unconvertible settlement date) is a
    // computation date before the events: the walk would have no end.
    if (!computeDate.isValid()) {
        ComputeBeforeEvents(1);
        return 0;
    }

    LoadTableFor(*this);
    if (!m_table.GetStartingDate(0).isValid()) {
        NoTableLoaded(1);
        return 0;
    }
    if (m_table.TableEndDate() < computeDate) TableEndWarning(1);

    ComputePenalties(computeDate);

    const std::string tableName = m_table.GetTableName();
    m_federalGatt = GATTOn() && StartsWithFed(tableName) ? 1 : 0;
    m_gattAmountLeft = GATTAmount();
    m_gattAmountStart = GATTAmount();

    FreeCashflow();
    FreeResultsList();
    SetTaxDueDate();
    m_interestRunning = 1;
    for (double& t : m_totals) t = 0.0;

    Compute6621c(22, computeDate);
    if (m_taxDueDate.isValid() && HotInterest()) {
        if ((Hot30Day().isValid() && Hot30Day() < m_taxDueDate)
            || (HotApplicable().isValid() && HotApplicable() < m_taxDueDate))
            HotError(1);
    }
    if (HotRestartInconsistent()) HotError(1);

    if (BaseName(tableName) == "FEDERAL") {
        const Date cut1990(1, 1, 1990);
        for (int i = 0; i < 1000 && m_events[i].m_date.isValid(); ++i) {
            const CEvent& e = m_events[i];
            if (e.m_type != 1) continue;
            if (e.m_date >= cut1990) {
                MotAfter1990(1);
                break;
            }
            if (e.m_amount <= 100000.0) {
                MotUnder1000(1);
                break;
            }
        }
    }

    if (!m_table.GetStartingDate(0).isValid()) {
        NoTableLoaded(1);
        return 0;
    }
    const Date firstEvent = m_events[0].m_date;
    if (!firstEvent.isValid()) {
        NoEvents(1);
        return 0;
    }
    if (firstEvent < m_table.GetStartingDate(0)) {
        EventBeforeTable(1);
        return 0;
    }
    if (firstEvent > computeDate) {
        ComputeBeforeEvents(1);
        return 0;
    }

    AccuracyPenalty(AccuracyPenaltyCheck());
    m_monthly = monthly;
    m_interestRunning = 1;
    for (double& t : m_totals) t = 0.0;
    m_normalInterestDue = m_motivatedInterestDue = m_refundInterestDue = 0.0;
    m_motivatedPrincipal = m_normalPrincipal = 0.0;
    m_gattInterestDue = m_gattPrincipal = 0.0;
    return 1;
}

void CQRTCompute::EndCompute(Date computeDate, int monthly)
{
    // Phase 3: results.
    const std::string tableName = m_table.GetTableName();
    DoPaidtoBalof();
    PenaltyStream(computeDate, monthly);
    m_balanceDue = EventStreamAmounts(computeDate) + AllInterest() + AllPenalties(computeDate);
    DoPaidtoBalof();

    ComputeBeforeLastEvent(computeDate < GetLastEventDate() ? 1 : 0);
    HotUnder100K(HotInterest() && TotalTax() <= kHundredThousandDollars ? 1 : 0);
    PenaltyAfterPayment(InterestRefund() < 0.0 && PenaltyAfterPaymentCheck() ? 1 : 0);
    Warn6621c(computeDate);
    WarnGATTDoublePayment();
    GattAndNotDaily(NonDailyUsed() && GATTOn() && InterestRefund() != 0.0 ? 1 : 0);
    FedPensWithNonFedTable(!StartsWithFed(tableName) && AnyIRSPenalties() ? 1 : 0);
    Check6651a3Penalty();
    AmountOutOfRange(FiguresInRange() ? 0 : 1);
}

void CQRTCompute::ReallocPayments(int last)
{
    // Put the events in the computations' order before any slot is looked
    // at: the slot allocated must be the slot tested.
    SortEventsForCompute();
    const ReallocScope scope(*this);
    int runs = 0;
    for (int i = 0; i <= last && i < 1000 && m_events[i].m_date.isValid(); ++i) {
        if (!IsPaymentKind(m_events[i].m_type)) continue;
        // From the second payment on, the payments before the last are
        // allocated along one walk when the account allows it; the first
        // run has loaded the table and put the events in order.
        if (++runs == 2) i = AllocateAlongOneWalk(*this, i, last);
        if (!MainCompute(m_events[i].m_date, i, 0)) return;
        AllocatePayment(i);
    }
}

int CQRTCompute::ReallocAndCompute(Date computeDate, int monthly)
{
    const TableHoldScope held(*this);
    SortEventsForCompute();
    int payments[kMaxEvents];
    const int count = PaymentsBetween(*this, 0, kMaxEvents, payments);
    // A computation that fails its validation leaves what the allocation's
    // last full run wrote: only the full runs give that.
    const bool computable = computeDate.isValid() && !(computeDate < m_events[0].m_date);
    if (count > 0 && computable && OneWalkInputsFit(*this)) {
        // In daily mode with no payment after the computation date, the walk
        // to that date is the computation's own walk and allocates every
        // payment on its way. Otherwise one walk to the last payment serves
        // the allocations and the computation walks anew.
        const Date lastPayment = m_events[payments[count - 1]].m_date;
        const bool shared = !monthly && !(computeDate < lastPayment);
        const Date walkEnd = shared ? computeDate : lastPayment;
        bool allocated = false;
        {
            const ReallocScope scope(*this);
            // The walk allocates the slots found above, which must still be
            // the payments once the computation has sorted again: a same-day
            // order that is not strict (a penalty-type event with an amount)
            // can come out of a second sort otherwise; the full runs handle it.
            int sorted[kMaxEvents];
            if (BeginCompute(walkEnd, 0) && m_tableHeld && PaymentsBetween(*this, 0, kMaxEvents, sorted) == count
                && std::equal(payments, payments + count, sorted)) {
                CStepWalk walk(*this, walkEnd, 0, 0);
                walk.Start();
                AllocateAlong(*this, walk, payments, count);
                if (shared) walk.Finish();
                allocated = true;
            }
        }
        if (allocated && shared) {
            EndCompute(computeDate, 0);
            return 1;
        }
        if (allocated) return MainCompute(computeDate, -1, monthly);
    }
    ReallocPayments(kMaxEvents);
    return MainCompute(computeDate, -1, monthly);
}
