// Conversions from double to integer that truncate toward zero like a cast, but saturate at the
// type's limits (NaN gives 0) instead of leaving out-of-range values undefined: settings that
// multiply a caller's factor by an extent or a 32-bit range stay defined for any factor.
#pragma once

#include <cstdint>
#include <limits>

inline int64_t TruncToInt64(double v) {
    if (!(v == v)) return 0;
    if (v >= 9223372036854775807.0) return std::numeric_limits<int64_t>::max();
    if (v <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(v);
}

inline int32_t TruncToInt(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// A 64-bit result held to the int range: products of int coordinates with a scale factor, which
// pass it only for the largest pictures.
constexpr int32_t SaturateToInt(int64_t v) {
    return v > std::numeric_limits<int32_t>::max()   ? std::numeric_limits<int32_t>::max()
           : v < std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::min()
                                                     : static_cast<int32_t>(v);
}
