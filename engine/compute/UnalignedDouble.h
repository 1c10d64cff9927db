// UnalignedDouble: a double stored as 8 raw bytes (host byte order), for
// fixed-layout records whose doubles do not fall on 8-byte boundaries. It
// reads and writes like a double (conversion, assignment, compound
// arithmetic), and because its alignment is 1 no pointer or reference to it is
// ever misaligned. Code that needs a real double& takes a copy first.
// Tests: the Penalties record's offsets and values.
#pragma once

#include <cstring>

struct UnalignedDouble {
    unsigned char m_bytes[8];

    UnalignedDouble() = default;
    UnalignedDouble(double v) { std::memcpy(m_bytes, &v, sizeof v); }  // NOLINT: implicit on purpose
    UnalignedDouble& operator=(double v)
    {
        std::memcpy(m_bytes, &v, sizeof v);
        return *this;
    }
    operator double() const
    {
        double v;
        std::memcpy(&v, m_bytes, sizeof v);
        return v;
    }
    UnalignedDouble& operator+=(double v) { return *this = double(*this) + v; }
    UnalignedDouble& operator-=(double v) { return *this = double(*this) - v; }
    UnalignedDouble& operator*=(double v) { return *this = double(*this) * v; }
    UnalignedDouble& operator/=(double v) { return *this = double(*this) / v; }

    // Streams print the value (test failure messages among them).
    template <class Stream>
    friend auto operator<<(Stream& out, const UnalignedDouble& v) -> decltype(out << 1.0)
    {
        return out << double(v);
    }
};

static_assert(sizeof(UnalignedDouble) == 8 && alignof(UnalignedDouble) == 1);
