// Runs of equal bytes in a row of an 8-bit map, found eight bytes at a time: the region fills
// walk and skip long runs of one label on every pass, and a byte-by-byte loop spends most of
// their time there.
#pragma once

#include <cstdint>
#include <cstring>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the lowest byte of a loaded word is the first byte in memory");

namespace byte_runs {

constexpr uint64_t kOnes = 0x0101010101010101ull;

inline uint64_t Load8(const uint8_t* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The first column in from..end-1 whose byte differs from `value`, or end.
inline int RunEnd(const uint8_t* row, int from, int end, uint8_t value) {
    const uint64_t pattern = kOnes * value;
    int x = from;
    for (; x + 8 <= end; x += 8) {
        const uint64_t diff = Load8(row + x) ^ pattern;
        if (diff != 0) return x + (__builtin_ctzll(diff) >> 3);
    }
    while (x < end && row[x] == value) ++x;
    return x;
}

// The first column of the run of `value` that ends just before column `to`, not below
// `begin`: `to` itself when row[to - 1] differs (or to == begin).
inline int RunStart(const uint8_t* row, int begin, int to, uint8_t value) {
    const uint64_t pattern = kOnes * value;
    int x = to;
    for (; x - 8 >= begin; x -= 8) {
        const uint64_t diff = Load8(row + x - 8) ^ pattern;
        if (diff != 0) return x - 8 + ((63 - __builtin_clzll(diff)) >> 3) + 1;
    }
    while (x > begin && row[x - 1] == value) --x;
    return x;
}

// The first column in from..end-1 whose byte has bit 7 clear, or end.
inline int FirstBelow128(const uint8_t* row, int from, int end) {
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    int x = from;
    for (; x + 8 <= end; x += 8) {
        const uint64_t clear = ~Load8(row + x) & kHighBits;
        if (clear != 0) return x + (__builtin_ctzll(clear) >> 3);
    }
    while (x < end && (row[x] & 0x80) != 0) ++x;
    return x;
}

}  // namespace byte_runs
