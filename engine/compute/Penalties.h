// Penalties: the settings and state of one penalty slot, an 88-byte record
// with a fixed byte layout (an array of 24 crosses from the automation
// component to the engine as one block). The doubles are not 8-byte aligned in
// this layout, so they are UnalignedDouble values: they read and assign like
// doubles, and no reference to one is ever misaligned.
//
// Dates are 65535 (no date) where a slot has none; amounts are cents. A new
// (or Reset) record has every date invalid and every other byte zero.
// Tests: size and field offsets; Reset; the enabled bit helpers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "calendar/Date.h"
#include "compute/UnalignedDouble.h"

// Bits of Penalties::m_flags.
enum PenaltyFlag : uint16_t {
    kPenaltyEnabled = 0x0001,   // bit 0: the slot is switched on
    kPenaltyFraud = 0x0002,     // bit 1: failure to file at the fraud rate
                                // (slot 3: payments follow the authority's allocation)
    kPenaltyMinimum = 0x0008,   // bit 3: apply the minimum failure-to-file penalty
    kPenaltyRestart = 0x0040,   // bit 6: restart dates present (slot 22)
    kPenaltyTimely = 0x0080,    // bit 7: return filed timely
};

struct Penalties {
    Penalties() { Reset(); }

    Date m_dates[12];        // offset 0
    uint16_t m_graceMask;    // offset 24: bit k = notice k has the short grace period
    uint16_t m_monthCount;   // offset 26: months counted by failure to file (0 to 5)
    UnalignedDouble m_amounts[5];  // offset 28
    UnalignedDouble m_value;       // offset 68: whole percent or month count
    uint16_t m_flags;        // offset 76: PenaltyFlag bits
    UnalignedDouble m_reserved1;   // offset 78: zero
    uint16_t m_reserved2;    // offset 86: zero

    // All dates invalid, every other field zero.
    void Reset();

    int IsEnabled() const { return (m_flags & kPenaltyEnabled) != 0 ? 1 : 0; }
    void Enable(int on)
    {
        m_flags = static_cast<uint16_t>(on ? (m_flags | kPenaltyEnabled)
                                           : (m_flags & ~kPenaltyEnabled));
    }
    int Flag(uint16_t bit) const { return (m_flags & bit) != 0 ? 1 : 0; }
    void SetFlag(uint16_t bit, int on)
    {
        m_flags = static_cast<uint16_t>(on ? (m_flags | bit) : (m_flags & ~bit));
    }

    double Value() const { return m_value; }
    // Stores the value truncated to a whole number (toward zero).
    void SetValue(double v);
};

static_assert(sizeof(Penalties) == 88, "Penalties is an 88-byte record");
static_assert(std::is_standard_layout_v<Penalties> && std::is_trivially_copyable_v<Penalties>);
static_assert(offsetof(Penalties, m_graceMask) == 24);
static_assert(offsetof(Penalties, m_monthCount) == 26);
static_assert(offsetof(Penalties, m_amounts) == 28);
static_assert(offsetof(Penalties, m_value) == 68);
static_assert(offsetof(Penalties, m_flags) == 76);
static_assert(offsetof(Penalties, m_reserved1) == 78);
static_assert(offsetof(Penalties, m_reserved2) == 86);
