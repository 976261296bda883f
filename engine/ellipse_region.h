// One user-drawn elliptical region of interest, in picture pixels (x from the left, y from the
// bottom row, the storage order). The angle is the axis angle as seen on the screen (y down),
// so in picture coordinates the axis runs along (cosine, -sine).
#pragma once

#include <cstdint>

constexpr int kMaxRegions = 20;

struct EllipseRegion {
    int32_t startX, startY;    // axis start
    int32_t endX, endY;        // axis end
    int32_t centerX, centerY;
    int32_t length;            // axis length
    int32_t width;             // full width across the axis
    double angle;              // radians; -1.57075 for a vertical axis
    double ratio;              // width / length, above 0.01 and at most 1
    double cosine;             // of the angle
    double sine;
};
static_assert(sizeof(EllipseRegion) == 64, "regions are exchanged as 64-byte records");
