// CPowerMemo: the powers (1 + periodic rate)^n of the compounding methods,
// remembered by base and exponent. An account's periods repeat a few rates
// over a few lengths (quarters, months), and every computation of a payment
// allocation walks the same periods again, so most powers are found here
// instead of computed. A hit returns the very value std::pow gave for the
// same two arguments: nothing computed changes.
// One memo belongs to one compute object (no locking).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

class CPowerMemo {
public:
    double Power(double base, int exponent)
    {
        uint64_t bits = 0;
        std::memcpy(&bits, &base, sizeof bits);
        Slot& slot = m_slots[Index(bits, exponent)];
        if (!slot.filled || slot.exponent != exponent || slot.bits != bits) {
            slot.filled = true;
            slot.bits = bits;
            slot.exponent = exponent;
            slot.power = std::pow(base, exponent);
        }
        return slot.power;
    }

private:
    static constexpr int kSlotBits = 6;

    static unsigned Index(uint64_t bits, int exponent)
    {
        const uint64_t mixed = (bits ^ (bits >> 31) ^ static_cast<uint64_t>(static_cast<uint32_t>(exponent)))
                               * 0x9E3779B97F4A7C15ULL;
        return static_cast<unsigned>(mixed >> (64 - kSlotBits));
    }

    struct Slot {
        uint64_t bits = 0;
        int32_t exponent = 0;
        bool filled = false;
        double power = 0.0;
    };
    Slot m_slots[1 << kSlotBits];
};
