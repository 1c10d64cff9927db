// CEvent: one input event of an account, a fixed-layout record. Arrays of 1000
// cross between the automation component and the engine as blocks, so the
// field order and widths below are part of the interface.
//
// Amounts are cents as doubles. m_date 65535 (no date) marks an empty slot; the
// used part of an array ends at the first slot without a valid date.
// The record is copied as a block and has no destructor: whoever holds an
// array owns the pointed-to Payment and name buffer of each slot and releases
// them with Reset (the compute object and the automation object do).
// A default-constructed CEvent is an empty slot.
// Tests: dump formats through the trace sink; Reset frees and clears.
#pragma once

#include <cstdint>
#include <type_traits>

#include "calendar/Date.h"
#include "compute/EventKind.h"
#include "compute/Payment.h"

struct CEvent {
    static constexpr int kNameSize = 41;  // 40 characters and a terminator

    uint16_t m_type = kEventNone;      // EventKind; 65535 in an empty slot
    Date m_date;                       // event date; no date in an empty slot
    double m_amount = 0.0;             // cents (for kind 9 the check amount)
    double m_gattAmount = 0.0;         // kind 9: the principal contained in the check
    Payment* m_allocation = nullptr;   // owned allocation of a payment-kind event, or null
    double m_balof = 0.0;              // unpaid part (liabilities) / unplaced part (payments)
    char* m_userName = nullptr;        // owned 41-byte name buffer, or null
    uint32_t m_spare = 0;              // kept zero
    uint16_t m_sortMark = 0;           // 1 on the event SortEvents must report

    // Frees the Payment and the name buffer and empties the slot (kind 65535,
    // no date, amounts 0, pointers null). Inline: arrays of 1000 slots are
    // reset for every computation, nearly all of them empty already.
    void Reset()
    {
        ReleaseOwned();
        // Field by field: assigning a temporary CEvent builds it on the
        // stack and copies it back, which stalls on every slot.
        m_type = kEventNone;
        m_date = Date();
        m_amount = 0.0;
        m_gattAmount = 0.0;
        m_balof = 0.0;
        m_spare = 0;
        m_sortMark = 0;
    }

    // Whether the slot is as Reset leaves it.
    bool IsEmpty() const
    {
        return m_type == kEventNone && m_date == Date() && m_amount == 0.0 &&
               m_gattAmount == 0.0 && m_allocation == nullptr && m_balof == 0.0 && m_userName == nullptr &&
               m_spare == 0 && m_sortMark == 0;
    }

    // Frees the Payment and the name buffer and nulls both pointers; the
    // rest of the slot is left (for a block copy that overwrites it).
    void ReleaseOwned()
    {
        if (m_allocation != nullptr) {
            delete m_allocation;
            m_allocation = nullptr;
        }
        if (m_userName != nullptr) {
            delete[] m_userName;
            m_userName = nullptr;
        }
    }

    // Gives the slot its own 41-byte name buffer holding the first 40
    // characters of `name`; null or "" frees the buffer instead.
    void SetUserName(const char* name);

    // The slot's Payment, created (default letters, zeros) when missing.
    // Returns null only when memory runs out.
    Payment* EnsureAllocation();

    // Writes the record to the engine trace as "CEvent(index) ...".
    void Dump(int index) const;
};

static_assert(sizeof(Date) == 2, "CEvent layout needs a 2-byte Date");
static_assert(std::is_trivially_copyable_v<CEvent>, "CEvent arrays are copied as blocks");
