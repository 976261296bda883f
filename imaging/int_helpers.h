// Integer helpers shared across the code: arithmetic right shift of signed values, the byte
// clamp, and the
// little-endian fields of the stored formats (bitmap headers, grounds, settings).
#pragma once

#include <cstdint>

// v >> n with the sign kept (floor division by 2^n), defined for every int and 0 <= n < 32.
constexpr int32_t ArithmeticShiftRight(int32_t v, int n) {
    return v >= 0 ? (v >> n) : -1 - ((-1 - v) >> n);
}

// v limited to 0..255.
constexpr int32_t ClampToByte(int64_t v) { return v < 0 ? 0 : (v > 255 ? 255 : static_cast<int32_t>(v)); }

// The little-endian 32-bit and 16-bit values at p.
constexpr int32_t ReadLittleInt32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                                uint32_t{p[3]} << 24);
}
constexpr uint16_t ReadLittleUint16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
