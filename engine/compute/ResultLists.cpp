// Result lifecycle: clearing a computation's results and freeing the lists
// the compute object owns.
#include "compute/CQRTCompute.h"

#include <new>
#include <type_traits>

void CQRTCompute::FreeCashflow()
{
    while (m_cashFlow != nullptr) {
        CashFlow* next = m_cashFlow->m_next;
        delete m_cashFlow;
        m_cashFlow = next;
    }
}

void CQRTCompute::FreeResultsList()
{
    KeepRecords(m_motivatedBase);
    m_motivatedBase = nullptr;
    KeepRecords(m_normalBase);
    m_normalBase = nullptr;
    KeepRecords(m_penaltyBase);
    m_penaltyBase = nullptr;
}

ComputeResults* CQRTCompute::NewRecord()
{
    ComputeResults* r = m_spareRecords;
    if (r == nullptr) return new ComputeResults();
    m_spareRecords = r->m_next;
    // Built in place from the members' initialisers (every member has one):
    // assigning a temporary record builds it on the stack and copies it
    // back, and value-initialising zero-fills it first, both on every period.
    static_assert(std::is_trivially_destructible_v<ComputeResults>);
    return new (r) ComputeResults;
}

void CQRTCompute::KeepRecords(ComputeResults* head)
{
    while (head != nullptr) {
        ComputeResults* next = head->m_next;
        head->m_next = m_spareRecords;
        m_spareRecords = head;
        head = next;
    }
}

void CQRTCompute::FreeF2F(F2Fs*& list)
{
    while (list != nullptr) {
        F2Fs* next = list->m_next;
        delete list;
        list = next;
    }
}

void CQRTCompute::ClearComputedPenalties()
{
    delete m_penaltyDrops;
    m_penaltyDrops = nullptr;
    for (int i = 0; i < kPenaltySlots; ++i) {
        m_penHeader[i] = nullptr;
        m_penFooter[i] = nullptr;
        m_baseAmount[i] = 0.0;
        m_totalPenalty[i] = 0.0;
        m_totalPenalty2[i] = 0.0;
        m_reduction[i] = 0.0;
        m_reduction2[i] = 0.0;
        m_penaltyMinimum[i] = 0.0;
        m_penaltyMaximum[i] = 0.0;
        m_penaltyAmount[i] = 0.0;
        m_maximumBase[i] = 0.0;
        m_penaltyAddedAmt[i] = 0.0;
        m_penaltyAddedDate[i] = Date();
    }
    FreeF2F(m_fpsBase);
    FreeF2F(m_fpaBase);
}

void CQRTCompute::ClearCoputeResults()
{
    SortEventsForCompute();
    ClearComputedPenalties();
    GattTaxEvent(0);
    ExcessDeposits(0);
    m_gattAmountLeft = GATTAmount();
    m_gattAmountStart = GATTAmount();
    FreeCashflow();
    FreeResultsList();
    SetTaxDueDate();
    for (double& t : m_totals)
        t = 0.0;
    delete m_penaltyDrops;
    m_penaltyDrops = nullptr;
    PaymentPenaltyError(0);
}
