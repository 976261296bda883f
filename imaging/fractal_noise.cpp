// Midpoint-displacement noise grid; see fractal_noise.h. The order of the generator draws is
// part of the output: corners first, then per level and per block in row-major order the two
// row edges, the two column edges and the centre.
#include "imaging/fractal_noise.h"

#include <cmath>
#include <cstring>
#include <new>

#include "imaging/int_helpers.h"
#include "imaging/random.h"

namespace {

constexpr int kLast = FractalNoise::kSide - 1;  // 64

// One displaced value: the mean given plus the noise of one fresh step, clamped to a byte.
int Displace(int mean, int amplitude) { return ClampToByte(mean + DrawNoise(amplitude)); }

}  // namespace

bool FractalNoise::AllocateAmplitude() {
    if (!amplitude_) {
        // Zero-filled, so that a grid generated before any roughness is plain interpolation.
        amplitude_.reset(new (std::nothrow) uint8_t[kLevels]());
    }
    return amplitude_ != nullptr;
}

int FractalNoise::SetRoughness(double roughness) {
    if (!AllocateAmplitude()) return 0;
    for (int i = 0; i < kLevels; ++i) {
        const double level = std::exp(-i * roughness) * 255.0;
        // A negative roughness would exceed a byte and NaN has no value: clamp both.
        amplitude_[i] = !(level > 0.0) ? 0 : (level >= 255.0 ? 255 : static_cast<uint8_t>(level));
    }
    return 1;
}

int FractalNoise::Generate(int width, int height) {
    if (!AllocateAmplitude()) return 0;
    if (!grid_) {
        grid_.reset(new (std::nothrow) uint8_t[kCells]());
        if (!grid_) return 0;
    }
    width_ = width;
    height_ = height;
    jitter_ = amplitude_[6];

    uint8_t* const g = grid_.get();
    g[0] = static_cast<uint8_t>(DrawTopByte());
    g[kLast] = static_cast<uint8_t>(DrawTopByte());
    g[kLast * kSide] = static_cast<uint8_t>(DrawTopByte());
    g[kLast * kSide + kLast] = static_cast<uint8_t>(DrawTopByte());

    for (int level = 0; level < 6; ++level) {
        const int e = kLast >> level;
        const int h = e / 2;
        const int a = amplitude_[level];
        for (int y = 0; y < kLast; y += e) {
            uint8_t* const top = g + y * kSide;
            uint8_t* const middle = g + (y + h) * kSide;
            uint8_t* const bottom = g + (y + e) * kSide;
            for (int x = 0; x < kLast; x += e) {
                const int m1 = Displace((top[x] + top[x + e]) >> 1, a);
                const int m2 = Displace((bottom[x] + bottom[x + e]) >> 1, a);
                const int m3 = Displace((top[x] + bottom[x]) >> 1, a);
                const int m4 = Displace((top[x + e] + bottom[x + e]) >> 1, a);
                const int centre = Displace((m1 + m2 + m3 + m4) >> 2, a);
                top[x + h] = static_cast<uint8_t>(m1);
                bottom[x + h] = static_cast<uint8_t>(m2);
                middle[x] = static_cast<uint8_t>(m3);
                middle[x + e] = static_cast<uint8_t>(m4);
                middle[x + h] = static_cast<uint8_t>(centre);
            }
        }
    }
    return 1;
}

int FractalNoise::GridIndex(int p, int n) {
    if (n <= 0 || p <= 0) return 0;
    if (p >= n) return kLast;
    return static_cast<int>(static_cast<int64_t>(p) * kLast / n);
}

int FractalNoise::Sample(int x, int y) {
    if (!grid_) {
        NextRandom();  // the step all the same
        return 0;
    }
    return SampleCell(GridIndex(y, height_), GridIndex(x, width_));
}

int FractalNoise::SampleBilinear(int x, int y) const {
    if (!grid_) return 0;
    // Grid position and its 6-bit fraction along one axis, the position clamped to 0..n.
    struct Axis {
        int index, next, fraction;
    };
    const auto axis = [](int p, int n) {
        Axis a{0, 0, 0};
        if (n > 0 && p > 0) {
            const int64_t clamped = p < n ? p : n;
            a.index = static_cast<int>(clamped * kLast / n);
            a.fraction = static_cast<int>(clamped * (kLast * 64) / n % 64);
        }
        a.next = a.index < kLast - 1 ? a.index + 1 : a.index;
        return a;
    };
    const Axis column = axis(x, width_);
    const Axis row = axis(y, height_);
    const uint8_t* const near = grid_.get() + row.index * kSide;
    const uint8_t* const far = grid_.get() + row.next * kSide;
    const int lower = near[column.index] * (64 - column.fraction) + near[column.next] * column.fraction;
    const int upper = far[column.index] * (64 - column.fraction) + far[column.next] * column.fraction;
    return (lower * (64 - row.fraction) + upper * row.fraction) >> 12;
}
