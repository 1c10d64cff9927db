// CStepWalk: the step loop of one MainCompute run (engine-private).
//
// Walks an account from its first event to the computation date in steps
// (events, rate changes, month ends in monthly mode, the final step), accrues
// the normal and the motivated stream between steps, applies each event to
// the running balances of the compute object and keeps its cash-flow list.
// Dates compare by day number, so "no date" (65535) lies after every date.
// One walk belongs to one compute object on one thread.
#pragma once

#include "compute/CQRTCompute.h"

class CStepWalk {
public:
    CStepWalk(CQRTCompute& c, Date computeDate, int monthly, int sumOfFactors);
    // A copy of a started walk that goes on to another computation date; it
    // appends to the same result and cash-flow lists.
    CStepWalk(const CStepWalk& from, Date computeDate);
    CStepWalk(const CStepWalk&) = default;
    CStepWalk& operator=(const CStepWalk&) = delete;

    // Runs the walk through the final step. REQUIRES: the table is loaded and
    // the inputs passed validation (slot 0 holds an event on or after the
    // table's first entry and not after the computation date).
    void Run();
    // Run in parts: Start sets the walk at the first event, RunBefore takes
    // every step that ends before d (the steps every walk to a date on or
    // after d shares), Finish runs on through the final step.
    // RunBefore REQUIRES: daily mode and no split point (no 6621(c) interest,
    // no federal GATT), so that no step depends on the computation date.
    void Start();
    void RunBefore(Date d);
    void Finish();
    // Frees what a copy run further appended after this walk's last records
    // and cash-flow node, so that the lists end where this walk stands.
    void DropLaterRecords();

private:
    Date EntryEnd(int i) const;
    Date StepEnd(int kind) const;
    void TakeStep(int kind);
    int ChooseStep();
    int TakeSplitPoint(int kind);
    int CutStreams(Date d, int kind);
    void NormalStream(int kind, Date stepEnd);
    void LiabilityEffect(int kind);
    void MotivatedStream(int kind, Date stepEnd);
    void EventEffects(int kind);
    void Advance(int kind);
    void NoteCashFlow(Date stepEnd);
    ComputeResults* AppendNormal(int kind, int event);
    ComputeResults* AppendMotivated(int kind, int event);
    void FillNormal(ComputeResults* r, Date start, Date end, int kind);
    void FillMotivated(ComputeResults* r, Date start, Date end, int kind);
    bool BeforeEveryCandidate(Date d) const;

    CQRTCompute& m_c;
    Date m_computeDate;
    const int m_monthly;
    const int m_sumOfFactors;

    int m_event = 0;   // index of the next event
    int m_entry = 0;   // rate table entry in force
    int m_entries = 0; // number of valid table entries
    Date m_normalStart;
    Date m_motivatedStart;
    Date m_monthEnd;
    int m_monthEndMonth = 0;   // m_monthEnd's month (1-12) and year, as ToMDY gives them
    int m_monthEndYear = 0;
    Date m_nextEvent;
    Date m_nextRate;
    ComputeResults* m_lastNormal = nullptr;
    ComputeResults* m_lastMotivated = nullptr;
    CashFlow* m_lastCashFlow = nullptr;
    int m_hotStarted = 0;
    int m_hotStopped = 0;
    int m_gatt94Done = 0;
};
