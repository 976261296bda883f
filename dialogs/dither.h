// The ordered dither of the low-colour display: an 8 × 8 matrix of offsets 0..50 and a fixed
// 6 × 6 × 6 colour cube in palette entries 30..245. A channel value v with offset d goes to
// cube level min((v + d) / 51, 5); the three 306-entry tables hold those levels already
// weighted as palette indices, so a pixel costs three look-ups and two additions.
#pragma once

#include <cstdint>

#include "imaging/dib.h"

namespace dither {

constexpr int kCubeFirst = 30;   // palette index of cube colour (0, 0, 0)
constexpr int kCubeLast = 245;   // of (255, 255, 255)
constexpr int kLevelStep = 51;   // channel step between cube levels
constexpr int kTableSize = 306;  // channel values plus offsets 0..305

extern const uint8_t kMatrix[8][8];

struct Tables {
    int red[kTableSize];
    int green[kTableSize];
    int blue[kTableSize];
};

void MakeTables(Tables* tables);

// The cube colour of palette entry 30 + 36r + 6g + b: (51r, 51g, 51b). False outside 30..245.
bool CubeColor(int index, uint8_t* red, uint8_t* green, uint8_t* blue);

// Dithers the 24-bit `image` into the 8-bit `copy` of the same size, sampling every step-th
// pixel of every step-th row into the first width / step columns and height / step rows.
// False, changing nothing, when either image is missing or of another form, the sizes differ
// or step is below 1.
bool DitherImage(const Tables& tables, const TDib* image, int step, TDib* copy);

}  // namespace dither
