// CPowerMemo: the powers (1 + rate / divisor)^n of the compounding methods,
// remembered by rate, divisor and exponent. An account's periods repeat a
// few rates over a few lengths (quarters, months), and every computation of
// a payment allocation walks the same periods again, so most powers are
// found here, without their division or pow. A hit returns the very value
// the same expression gave: nothing computed changes.
// One memo belongs to one compute object (no locking).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

class CPowerMemo {
public:
    double Power(double rate, double divisor, int exponent)
    {
        uint64_t rateBits = 0;
        uint64_t divisorBits = 0;
        std::memcpy(&rateBits, &rate, sizeof rateBits);
        std::memcpy(&divisorBits, &divisor, sizeof divisorBits);
        Slot& slot = m_slots[Index(rateBits, divisorBits, exponent)];
        if (!slot.filled || slot.exponent != exponent || slot.rate != rateBits || slot.divisor != divisorBits) {
            slot.filled = true;
            slot.rate = rateBits;
            slot.divisor = divisorBits;
            slot.exponent = exponent;
            slot.power = std::pow(1.0 + rate / divisor, exponent);
        }
        return slot.power;
    }

private:
    static constexpr int kSlotBits = 6;

    static unsigned Index(uint64_t rate, uint64_t divisor, int exponent)
    {
        const uint64_t mixed =
            (rate ^ (rate >> 31) ^ (divisor >> 17) ^ static_cast<uint64_t>(static_cast<uint32_t>(exponent)))
            * 0x9E3779B97F4A7C15ULL;
        return static_cast<unsigned>(mixed >> (64 - kSlotBits));
    }

    struct Slot {
        uint64_t rate = 0;
        uint64_t divisor = 0;
        int32_t exponent = 0;
        bool filled = false;
        double power = 0.0;
    };
    Slot m_slots[1 << kSlotBits];
};
