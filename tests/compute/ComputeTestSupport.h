// Helpers shared by the compute tests: building event arrays and compute
// objects on the heap (a compute object is too large for a test's stack).
#pragma once

#include <memory>

#include "compute/CQRTCompute.h"

namespace qrt_test {

// Fills the first free slot of a 1000-slot array with one event; returns its
// index, or -1 when the array is full.
inline int AddEvent(CEvent* events, int kind, Date date, double amount,
                    const char* name = nullptr, double second = 0.0)
{
    for (int i = 0; i < CQRTCompute::kMaxEvents; ++i) {
        if (events[i].m_date.isValid())
            continue;
        events[i].Reset();
        events[i].m_type = static_cast<uint16_t>(kind);
        events[i].m_date = date;
        events[i].m_amount = amount;
        events[i].m_gattAmount = kind == kEventIRSCheck ? second : amount;
        events[i].SetUserName(name);
        return i;
    }
    return -1;
}

// An event array that frees its slots' names and allocations when it goes.
struct EventArray {
    CEvent slots[CQRTCompute::kMaxEvents];
    ~EventArray()
    {
        for (CEvent& e : slots)
            e.Reset();
    }
};

inline std::unique_ptr<CQRTCompute> NewCompute()
{
    return std::make_unique<CQRTCompute>();
}

}  // namespace qrt_test
