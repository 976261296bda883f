// Resolution in dots per inch and in pixels per metre, the form a bitmap header carries. The
// two conversions are exact inverses on whole dpi: 72 dpi is 2834 pixels per metre and 2834
// gives 72 again.
#pragma once

#include <cstdint>

// trunc(dpi × 1000 × (1 / 25.4)), limited to the int32 range.
int32_t PelsPerMeterFromDpi(int dpi);

// ceil(pelsPerMeter × 0.001 × 25.4), the whole dpi at or above the resolution; negative
// values give negative dpi.
int DpiFromPelsPerMeter(int32_t pelsPerMeter);
