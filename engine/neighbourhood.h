// The 3 × 3 neighbourhood of a pixel in a row-padded image (rows in storage order: the row
// "before" row y is y - 1). The ring of eight neighbours with its byte offsets, small clamping
// and distance helpers, and a walk over the interior pixels that hands each one the channel
// sums of its eight neighbours from running column sums (three adds per channel, not eight).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/int_helpers.h"

namespace neighbourhood {

// The eight neighbours clockwise around the ring, starting at the row before, column - 1.
// Consecutive entries are next to each other, so "the neighbours beside k" are k - 1 and k + 1
// modulo 8.
constexpr int kRingDx[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
constexpr int kRingDy[8] = {-1, -1, -1, 0, 1, 1, 1, 0};

// Byte offsets of the ring from a pixel, computed once per call.
struct RingOffsets {
    ptrdiff_t offset[8];
};

inline RingOffsets MakeRingOffsets(int pixelBytes, int rowBytes) {
    RingOffsets ring{};
    for (int k = 0; k < 8; ++k)
        ring.offset[k] = static_cast<ptrdiff_t>(kRingDx[k]) * pixelBytes +
                         static_cast<ptrdiff_t>(kRingDy[k]) * rowBytes;
    return ring;
}

// A coordinate clamped to 0..size - 1 (the nearest pixel inside the image); size >= 1.
inline int ClampCoordinate(int value, int size) {
    return value < 0 ? 0 : (value >= size ? size - 1 : value);
}

// Sum over blue, green and red of |a - b|, 0..765.
inline int ColourDistance(const uint8_t* a, const uint8_t* b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

// Calls visit(centre, sums, out, x, y) for every interior pixel (1 <= x <= width - 2,
// 1 <= y <= height - 2) in storage order. `centre` points at the input pixel, `out` at the same
// pixel of the output, and sums[c] is channel c summed over the eight neighbours in the input.
// Input and output share `rowBytes` and must not be the same image. Nothing happens when the
// image has no interior pixel.
template <int Channels, typename Visit>
void ForEachInteriorSum(const uint8_t* input, uint8_t* output, int width, int height,
                        int rowBytes, Visit&& visit) {
    if (width < 3 || height < 3) return;  // the first two columns are read before the loop
    const size_t step = static_cast<size_t>(rowBytes);
    for (int y = 1; y < height - 1; ++y) {
        const uint8_t* before = input + step * (y - 1);
        const uint8_t* row = before + step;
        const uint8_t* after = row + step;
        uint8_t* out = output + step * y;
        int left[Channels];
        int middle[Channels];
        for (int c = 0; c < Channels; ++c) {
            left[c] = before[c] + row[c] + after[c];
            middle[c] = before[Channels + c] + row[Channels + c] + after[Channels + c];
        }
        for (int x = 1; x < width - 1; ++x) {
            const int i = Channels * x;
            int sums[Channels];
            for (int c = 0; c < Channels; ++c) {
                const int j = i + Channels + c;
                const int right = before[j] + row[j] + after[j];
                sums[c] = left[c] + middle[c] + right - row[i + c];
                left[c] = middle[c];
                middle[c] = right;
            }
            visit(row + i, static_cast<const int*>(sums), out + i, x, y);
        }
    }
}

}  // namespace neighbourhood
