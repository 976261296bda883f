// The collage's edge shadows: the rim of a piece along its lower-right border, where the next
// piece diagonally toward the bottom right is less focused, gets a luma and a chroma change.
#pragma once

#include <cstdint>

#include "imaging/dib.h"

// For every canvas pixel (x, y) with label c, walks (x + k, y - k) for k = 1 .. length (one
// column right and one stored row down per step) while inside the picture; at the first pixel
// of another label c', when meanFocus[c] > meanFocus[c'], the canvas pixel's luma and chroma
// change by the deltas, each kept in 0..255. Labels are only read, so the order does not
// matter. The distance to the next label change is carried along the diagonals in one row
// buffer. 1, or 0 when the images do not match (24-bit canvas, 8-bit labels of its size) or,
// after appending texts::kNoMemory, when the row buffer cannot be had.
int ShadowEdges(TDib* canvas, const TDib* labels, const int32_t meanFocus[256], int length,
                int lightDelta, int chromaDelta, char* status);
