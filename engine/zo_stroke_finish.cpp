// ZoStroke's finishing operations: detail restoration at strong edges of the source and the
// clean-up that holds the rest of the canvas near the source before the canvas becomes the
// picture, and the plain canvas operations (fill, copies, softening, vignette).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/neighbourhood.h"
#include "engine/zo_stroke.h"
#include "imaging/int_helpers.h"
#include "imaging/saturating_cast.h"

void ZoStroke::DetailClean(const uint8_t* edge, const uint8_t* weight, const uint8_t* colour,
                           const uint8_t* clean) {
    if (clean == nullptr) return;
    EdgeRestore(edge, weight, colour, clean);
}

void ZoStroke::DetailRestore(const uint8_t* edge, const uint8_t* weight, const uint8_t* colour) {
    EdgeRestore(edge, weight, colour, nullptr);
}

void ZoStroke::EdgeRestore(const uint8_t* edge, const uint8_t* weight, const uint8_t* colour,
                           const uint8_t* clean) {
    if (!valid_ || edge == nullptr || weight == nullptr) return;
    // The strongest step from a pixel to one of its eight neighbours in any channel is, per
    // channel, the larger of (3 × 3 maximum - value) and (value - 3 × 3 minimum). The column
    // extremes of a stretch of bytes come first, then each byte's step, then the pixels.
    constexpr int kStretch = neighbourhood::kStretchBytes;
    uint8_t highs[kStretch + 6];
    uint8_t lows[kStretch + 6];
    uint8_t steps[kStretch];
    neighbourhood::ForEachInteriorStretch(width_, height_, [&](int y, int first, int count) {
        const uint8_t* source = source_->Row(y) + first;
        const uint8_t* before = source_->Row(y - 1) + first;
        const uint8_t* after = source_->Row(y + 1) + first;
        const uint8_t* focus = focusMap_->Row(y);
        uint8_t* canvas = canvas_->Row(y) + first;
        for (int k = -3; k < count + 3; ++k) {
            highs[k + 3] = std::max({before[k], source[k], after[k]});
            lows[k + 3] = std::min({before[k], source[k], after[k]});
        }
        for (int k = 0; k < count; ++k) {
            const int value = source[k];
            const int high = std::max({highs[k], highs[k + 3], highs[k + 6]});
            const int low = std::min({lows[k], lows[k + 3], lows[k + 6]});
            steps[k] = static_cast<uint8_t>(std::max(high - value, value - low));
        }
        for (int k = 0; k < count; k += 3) {
            const int x = (first + k) / 3;
            const uint8_t* s = source + k;
            uint8_t* p = canvas + k;
            const uint8_t* stepOf = steps + k;
            const int f = focus[x];
            const int step = std::max({stepOf[0], stepOf[1], stepOf[2]}) - edge[f];
            if (step > 0) {
                const int keep = 255 - weight[step];  // of the canvas, in 1/256
                for (int c = 0; c < 3; ++c) {
                    const int target = colour != nullptr ? colour[s[c]] : s[c];
                    p[c] = static_cast<uint8_t>(
                        target + ArithmeticShiftRight((p[c] - target) * keep, 8));
                }
            } else if (clean != nullptr && clean[f] < 255) {
                const int reach = clean[f];
                for (int c = 0; c < 3; ++c) {
                    if (p[c] > s[c] + reach) {
                        p[c] = static_cast<uint8_t>(s[c] + reach);
                    } else if (p[c] < s[c] - reach) {
                        p[c] = static_cast<uint8_t>(s[c] - reach);
                    }
                }
            }
        }
    });
    CopyCanvasToSource();
}

void ZoStroke::Fill(int red, int green, int blue) {
    if (!valid_) return;
    const uint8_t colour[3] = {static_cast<uint8_t>(ClampToByte(blue)),
                               static_cast<uint8_t>(ClampToByte(green)),
                               static_cast<uint8_t>(ClampToByte(red))};
    for (int y = 0; y < height_; ++y) {
        uint8_t* pixel = canvas_->Row(y);
        for (int x = 0; x < width_; ++x, pixel += 3) std::memcpy(pixel, colour, 3);
    }
}

void ZoStroke::CopyCanvasToSource() {
    if (!valid_) return;
    for (int y = 0; y < height_; ++y)
        std::memcpy(source_->Row(y), canvas_->Row(y), static_cast<size_t>(rowBytes24_));
}

void ZoStroke::CopySourceToCanvas() {
    if (!valid_) return;
    for (int y = 0; y < height_; ++y)
        std::memcpy(canvas_->Row(y), source_->Row(y), static_cast<size_t>(rowBytes24_));
}

void ZoStroke::SoftenCanvas() {
    if (!valid_) return;
    const neighbourhood::RingOffsets ring = neighbourhood::MakeRingOffsets(3, rowBytes24_);
    for (int y = 1; y < height_ - 1; ++y) {
        uint8_t* pixel = canvas_->Row(y) + 3;
        for (int x = 1; x < width_ - 1; ++x, pixel += 3) {
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int k = 0; k < 8; ++k) sum += pixel[ring.offset[k] + c];
                pixel[c] = static_cast<uint8_t>((pixel[c] + sum / 8) / 2);
            }
        }
    }
}

namespace {

// |v - half| / half raised to the fifth power, by products so that every build rounds alike.
double FifthPowerOfDistance(int v, int half) {
    if (half <= 0) return 0.0;
    const double a = std::fabs(static_cast<double>(v - half)) / half;
    return a * a * a * a * a;
}

}  // namespace

void ZoStroke::Vignette(int red, int green, int blue, const uint8_t* table) {
    if (!valid_ || table == nullptr) return;
    const int halfWidth = width_ / 2;
    const int halfHeight = height_ / 2;
    auto distance = [&](int x, int y) {
        return FifthPowerOfDistance(x, halfWidth) + FifthPowerOfDistance(y, halfHeight);
    };
    const double d0 = distance(halfWidth, halfHeight);
    const double d1 = distance(width_ - 1, height_ - 1);
    const int colour[3] = {blue, green, red};
    for (int y = 0; y < height_; ++y) {
        const uint8_t* source = source_->Row(y);
        uint8_t* canvas = canvas_->Row(y);
        const double dy = FifthPowerOfDistance(y, halfHeight);
        for (int x = 0; x < width_; ++x) {
            // The corners beyond (width - 1, height - 1) lie further out than d1: clamp.
            int i = d1 > d0 ? TruncToInt(255.0 * (FifthPowerOfDistance(x, halfWidth) + dy - d0) /
                                         (d1 - d0))
                            : 0;
            i = ClampToByte(i);
            const int keep = table[i] >> 1;  // of the source, in 1/128
            for (int c = 0; c < 3; ++c) {
                const int s = source[3 * x + c];
                canvas[3 * x + c] =
                    keep == 127
                        ? static_cast<uint8_t>(s)
                        : static_cast<uint8_t>(ClampToByte(
                              colour[c] + ArithmeticShiftRight((s - colour[c]) * keep, 7)));
            }
        }
    }
}
