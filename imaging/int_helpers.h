// Integer helpers shared across the code: arithmetic shifts of signed values, the byte clamp,
// rounding and square roots in integers, a bounded byte move, and the little-endian fields of
// the stored formats (bitmap headers, grounds, settings).
#pragma once

#include <cstdint>

// v >> n with the sign kept (floor division by 2^n), defined for every int and 0 <= n < 32.
constexpr int32_t ArithmeticShiftRight(int32_t v, int n) {
    return v >= 0 ? (v >> n) : -1 - ((-1 - v) >> n);
}

// value shifted left by count when count >= 0, else shifted right arithmetically by -count.
// The left shift works on the unsigned bit pattern (wrapping); counts of 32 or more shift
// everything out (0, or -1 for a negative value shifted right).
int ShiftBits(int value, int count);

// v limited to 0..255.
constexpr int32_t ClampToByte(int64_t v) { return v < 0 ? 0 : (v > 255 ? 255 : static_cast<int32_t>(v)); }

// x rounded half up: floor(x + 0.5), clamped to the int range (NaN gives 0).
int RoundHalfUp(double x);

// The largest integer whose square does not exceed a, for every 32-bit a (4294967295 -> 65535).
int ISqrt(uint32_t a);

// Copies count bytes; source and destination may overlap. count <= 0 copies nothing.
void MoveBytes(void* destination, const void* source, int count);

// The little-endian 32-bit and 16-bit values at p, as stored in files and resources.
constexpr uint32_t ReadLittleUint32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
constexpr int32_t ReadLittleInt32(const uint8_t* p) {
    return static_cast<int32_t>(ReadLittleUint32(p));
}
constexpr uint16_t ReadLittleUint16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline void WriteLittleUint32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void WriteLittleUint16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
