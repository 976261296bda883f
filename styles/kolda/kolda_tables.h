// The constant tables of the collage painter and the line engine, written as source by
// tools/make_kolda_tables (styles/kolda/kolda_tables.cpp) so that every build shares the bits.
#pragma once

#include <cstdint>

// The 32 angles of a collage piece: (int)(1000 × sin(i × 6.28 / 32)) and the same with cos,
// truncated toward zero. The factor is 6.28, not 2π, so the table is a little short of a
// full turn (kCollageSine[16] is 1 and kCollageCosine[24] is -2).
constexpr int kCollageAngles = 32;
extern const int32_t kCollageSine[kCollageAngles];
extern const int32_t kCollageCosine[kCollageAngles];

// Weights (w0, w1, w2) of the three control points of a stroke's curve at t = row / 100:
// w0 = (1 - t)^a / 2, w2 = t^a / 2, w1 = 1 - w0 - w2, with a = 1.7715533, the exponent that
// puts √2/2 on the middle point at t = 0.5. Row 100 - r mirrors row r.
constexpr int kCurveBlendRows = 100;
extern const double kCurveBlend[kCurveBlendRows][3];
