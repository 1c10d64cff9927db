// The fuzz programs' reader of an input's bytes as values: bytes, integers
// and doubles taken in turn, zeros once the input is used up.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fuzz {

struct Bytes {
    const uint8_t* data;
    size_t size;
    uint8_t Byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    template <typename T> T Value() {
        T v{};
        unsigned char raw[sizeof(T)] = {};
        for (unsigned char& c : raw) c = Byte();
        std::memcpy(&v, raw, sizeof(T));
        return v;
    }
    // The next `most` bytes, or fewer at the end; moves past them.
    const uint8_t* Take(size_t most, size_t* taken) {
        const uint8_t* start = data;
        *taken = std::min(most, size);
        data += *taken;
        size -= *taken;
        return start;
    }
};

}  // namespace fuzz
