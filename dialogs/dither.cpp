// The ordered dither into the colour cube.
#include "dialogs/dither.h"

#include <algorithm>

namespace dither {

const uint8_t kMatrix[8][8] = {
    {0, 38, 9, 47, 2, 40, 11, 50},  {25, 12, 35, 22, 27, 15, 37, 24},
    {6, 44, 3, 41, 8, 47, 5, 43},   {31, 19, 28, 15, 34, 21, 31, 18},
    {1, 39, 11, 49, 0, 39, 10, 48}, {27, 14, 36, 23, 26, 13, 35, 23},
    {7, 46, 4, 43, 7, 45, 3, 42},   {33, 20, 30, 17, 32, 19, 29, 16},
};

void MakeTables(Tables* tables) {
    for (int v = 0; v < kTableSize; ++v) {
        const int level = std::min(v / kLevelStep, 5);
        tables->red[v] = 36 * level;
        tables->green[v] = 6 * level;
        tables->blue[v] = kCubeFirst + level;
    }
}

bool CubeColor(int index, uint8_t* red, uint8_t* green, uint8_t* blue) {
    if (index < kCubeFirst || index > kCubeLast) return false;
    const int cube = index - kCubeFirst;
    *red = static_cast<uint8_t>(kLevelStep * (cube / 36));
    *green = static_cast<uint8_t>(kLevelStep * (cube / 6 % 6));
    *blue = static_cast<uint8_t>(kLevelStep * (cube % 6));
    return true;
}

bool DitherImage(const Tables& tables, const TDib* image, int step, TDib* copy) {
    if (image == nullptr || copy == nullptr || step < 1) return false;
    if (image->BitCount() != 24 || copy->BitCount() != 8) return false;
    if (image->Width() != copy->Width() || image->Height() != copy->Height()) return false;
    const int rows = image->Height() / step;
    const int columns = image->Width() / step;
    for (int i = 0; i < rows; ++i) {
        const uint8_t* source = image->Row(i * step);
        uint8_t* out = copy->Row(i);
        const uint8_t* offsets = kMatrix[i % 8];
        for (int j = 0; j < columns; ++j) {
            const uint8_t* pixel = source + 3 * j * step;
            const int d = offsets[j % 8];
            out[j] = static_cast<uint8_t>(tables.red[pixel[2] + d] + tables.green[pixel[1] + d] +
                                          tables.blue[pixel[0] + d]);
        }
    }
    return true;
}

}  // namespace dither
