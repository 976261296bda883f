// The step, minimum and maximum rows that TEVU's curves record for a curve editor; no table
// depends on them.
#pragma once

#include "imaging/math_tbl.h"

namespace tevu {

// The light and chroma corrections, before the merging and after the flattening.
inline constexpr CurveRows kCorrectionRows = {{0.01, 0.1, 0.1, 0.1}, {-5, 0, -1, -1}, {5, 1, 2, 2}};
// The merge cost by focus and the relief's weight.
inline constexpr CurveRows kWeightRows = {{0.01, 0.1, 0.05, 0.05}, {0, 0, 0, 0}, {5, 1, 1, 1}};
// The merge costs by luma and by chroma.
inline constexpr CurveRows kCostRows = {{0.01, 0.1, 0.1, 0.1}, {0, 0, 0, 0}, {5, 1, 1, 1}};

}  // namespace tevu
