// Conversions between dots per inch and pixels per metre, in double for every int.
#include "imaging/resolution.h"

#include <cmath>

int32_t PelsPerMeterFromDpi(int dpi) {
    const double pelsPerMeter = dpi * 1000.0 * (1 / 25.4);
    if (pelsPerMeter >= 2147483647.0) return INT32_MAX;
    if (pelsPerMeter <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(pelsPerMeter);
}

int DpiFromPelsPerMeter(int32_t pelsPerMeter) {
    // |pelsPerMeter| × 0.0254 stays far inside the int range.
    return static_cast<int>(std::ceil(pelsPerMeter * 0.001 * 25.4));
}
