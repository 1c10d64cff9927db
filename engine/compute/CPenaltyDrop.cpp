#include "compute/CPenaltyDrop.h"

#include <new>

CPenaltyDrop* CPenaltyDropList::Insert(int slot, Date date, double amount, int seq)
{
    if (!date.isValid() || !(amount > 0.0))
        return nullptr;
    CPenaltyDrop* drop = new (std::nothrow) CPenaltyDrop;
    if (drop == nullptr)
        return nullptr;
    drop->m_slot = slot;
    drop->m_date = date;
    drop->m_amount = amount;
    drop->m_seq = seq;

    if (m_head == nullptr || date < m_head->m_date) {
        drop->m_next = m_head;
        m_head = drop;
        return drop;
    }
    CPenaltyDrop* after = m_head;
    while (after->m_next != nullptr && after->m_next->m_date <= date)
        after = after->m_next;
    drop->m_next = after->m_next;
    after->m_next = drop;
    return drop;
}

int CPenaltyDropList::Count() const
{
    int n = 0;
    for (const CPenaltyDrop* d = m_head; d != nullptr; d = d->m_next)
        ++n;
    return n;
}

void CPenaltyDropList::Clear()
{
    while (m_head != nullptr) {
        CPenaltyDrop* next = m_head->m_next;
        delete m_head;
        m_head = next;
    }
}
