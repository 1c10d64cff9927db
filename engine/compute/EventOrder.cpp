// Event order: the comparison, the sortedness test and the in-place sort of
// the used event slots.
#include <cstdlib>
#include <cstring>

#include "compute/CQRTCompute.h"

int CQRTCompute::SortEventCallback(const void* a, const void* b)
{
    const CEvent& x = *static_cast<const CEvent*>(a);
    const CEvent& y = *static_cast<const CEvent*>(b);
    if (x.m_date != y.m_date)
        return x.m_date < y.m_date ? -1 : 1;
    // Same date: a liability before a payment; other kinds take no part.
    if (IsLiabilityKind(x.m_type) && IsPaymentKind(y.m_type))
        return -1;
    if (IsPaymentKind(x.m_type) && IsLiabilityKind(y.m_type))
        return 1;
    if (x.m_amount != y.m_amount)
        return x.m_amount < y.m_amount ? -1 : 1;
    if (x.m_userName == nullptr || y.m_userName == nullptr) {
        if (x.m_userName == y.m_userName)
            return 0;
        return x.m_userName == nullptr ? -1 : 1;
    }
    return std::strcmp(x.m_userName, y.m_userName);
}

int CQRTCompute::EventCount() const
{
    int n = 0;
    while (n < kMaxEvents && m_events[n].m_date.isValid())
        ++n;
    return n;
}

int CQRTCompute::EventsAreSorted()
{
    const int n = EventCount();
    for (int i = 0; i + 1 < n; ++i)
        if (SortEventCallback(&m_events[i], &m_events[i + 1]) > 0)
            return 0;
    return 1;
}

int CQRTCompute::SortEvents(int keep)
{
    if (EventsAreSorted())
        return keep >= 0 ? keep : 0;
    const int n = EventCount();
    for (int i = 0; i < n; ++i)
        m_events[i].m_sortMark = i == keep ? 1 : 0;
    std::qsort(m_events, static_cast<size_t>(n), sizeof(CEvent), SortEventCallback);
    for (int i = 0; i < n; ++i)
        if (m_events[i].m_sortMark != 0)
            return i;
    return 0;
}

void CQRTCompute::DumpEvents() const
{
    const int n = EventCount();
    for (int i = 0; i < n; ++i)
        m_events[i].Dump(i);
}

void CQRTCompute::SortEventsForCompute()
{
    const int n = EventCount();
    for (int i = 0; i < n; ++i) {
        CEvent& e = m_events[i];
        if (e.m_type == kEventStopInterest || e.m_type == kEventStartInterest) {
            e.m_amount = 0.0;
            e.m_gattAmount = 0.0;
        }
    }
    SortEvents(-1);
}
