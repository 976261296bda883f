// Integer helpers shared by every per-pixel loop: arithmetic right shift of signed values.
#pragma once

#include <cstdint>

// v >> n with the sign kept (floor division by 2^n), defined for every int and 0 <= n < 32.
constexpr int32_t ArithmeticShiftRight(int32_t v, int n) {
    return v >= 0 ? (v >> n) : -1 - ((-1 - v) >> n);
}
