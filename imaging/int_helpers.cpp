// The integer helpers that are not small enough to inline; see int_helpers.h.
#include "imaging/int_helpers.h"

#include <cmath>
#include <cstring>

int ISqrt(uint32_t a) {
    if (a == 0) return 0;
    // A power of two at or above the root, then Newton steps down to the floor root.
    uint32_t r = 1;
    uint32_t b = a;
    while (b > r) {
        r <<= 1;
        b >>= 1;
    }
    uint32_t previous;
    do {
        previous = r;
        // The sum is formed in 64 bits so that it can never wrap.
        r = static_cast<uint32_t>((uint64_t{r} + a / r) >> 1);
    } while (r < previous);
    return static_cast<int>(previous);
}

void MoveBytes(void* destination, const void* source, int count) {
    if (count <= 0 || destination == nullptr || source == nullptr) return;
    std::memmove(destination, source, static_cast<size_t>(count));
}

int RoundHalfUp(double x) {
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return 2147483647;
    if (x <= -2147483648.0) return -2147483647 - 1;
    // floor(x) + 1 when the fraction reaches one half; x - floor(x) is exact, unlike x + 0.5.
    const double f = std::floor(x);
    return static_cast<int>(f) + (x - f >= 0.5 ? 1 : 0);
}

int ShiftBits(int value, int count) {
    if (count >= 0) {
        if (count >= 32) return 0;
        return static_cast<int>(static_cast<uint32_t>(value) << count);
    }
    if (count <= -32) return value < 0 ? -1 : 0;
    return ArithmeticShiftRight(value, -count);
}
