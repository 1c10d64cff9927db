#include "compute/CQRTCompute.h"

#include <cmath>
#include <cstring>
#include <new>

CQRTCompute::CQRTCompute()
{
    // Members are initialised where they are declared: events are empty slots,
    // penalty records reset, every Date no date, list heads and template
    // pointers null, totals zero.
}

CQRTCompute::~CQRTCompute()
{
    FreeCashflow();
    FreeResultsList();
    FreeComputeResultsChain(m_spareRecords);
    FreeF2F(m_fpsBase);
    FreeF2F(m_fpaBase);
    for (CEvent& e : m_events)
        e.ReleaseOwned();
    delete m_penaltyDrops;
    m_penaltyDrops = nullptr;
}

CQRTCompute::CQRTCompute(const CEvent* events, int used)
{
    if (events != nullptr) CopyUsedEvents(events, used);
}

void CQRTCompute::SetEvents(const CEvent* src, int used)
{
    if (src == nullptr || src == m_events)
        return;
    used = CopyUsedEvents(src, used);
    // Reading is cheaper than writing: a fresh object's slots are empty.
    for (int i = used; i < kMaxEvents; ++i)
        if (!m_events[i].IsEmpty())
            m_events[i].Reset();
}

int CQRTCompute::CopyUsedEvents(const CEvent* src, int used)
{
    if (used < 0) used = 0;
    if (used > kMaxEvents) used = kMaxEvents;
    // Our own copies of the previous events' names and allocations go first,
    // or the block copy below would orphan them.
    for (int i = 0; i < used; ++i)
        m_events[i].ReleaseOwned();
    std::memcpy(static_cast<void*>(m_events), src, used * sizeof(CEvent));
    for (int i = 0; i < used; ++i) {
        CEvent& e = m_events[i];
        const CEvent& from = src[i];
        e.m_userName = nullptr;
        e.m_allocation = nullptr;
        if (from.m_userName != nullptr) {
            e.m_userName = new (std::nothrow) char[CEvent::kNameSize]();
            if (e.m_userName != nullptr)
                std::strncpy(e.m_userName, from.m_userName, CEvent::kNameSize - 1);
        }
        if (from.m_allocation != nullptr)
            e.m_allocation = new (std::nothrow) Payment(*from.m_allocation);
    }
    return used;
}

void CQRTCompute::SetPenalties(const Penalties* src)
{
    if (src == nullptr || src == m_penalties)
        return;
    std::memcpy(static_cast<void*>(m_penalties), src, sizeof m_penalties);
}

void CQRTCompute::SetTableName(const char* name)
{
    m_table.SetTableName(name);
    m_tableSource = m_table.GetTableName();
    m_tableAliasResolved = 0;
    m_tableHeld = 0;   // a table held by ReallocPayments is no longer the one named
}

int CQRTCompute::TableLines()
{
    return m_table.GetHeader()->m_entryCount;
}

void CQRTCompute::ClearFlags()
{
    for (int32_t& f : m_flags)
        f = 0;
    m_amountOutOfRange = 0;
}
