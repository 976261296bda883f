// FractalNoise: the grid, its draws and its samples.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <vector>

#include "imaging/fractal_noise.h"
#include "imaging/random.h"
#include "tests/support/random_steps.h"

namespace {

// The states a sequence of steps from seed passes through: draws[k] is the state of step k.
std::vector<uint32_t> StatesAfter(int seed, int count) {
    std::vector<uint32_t> states(count);
    uint32_t s = static_cast<uint32_t>(seed);
    for (uint32_t& state : states) state = s = NextState(s);
    return states;
}

int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

int Noise(uint32_t s, int amplitude) { return ScaleNoise(SignedNoiseOf(s), amplitude); }

std::vector<uint8_t> GridOf(const FractalNoise& noise) {
    return std::vector<uint8_t>(noise.Grid(), noise.Grid() + FractalNoise::kCells);
}

}  // namespace

TEST(FractalNoise, RoughnessFillsTheAmplitudeTable) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double roughness;
        uint8_t amplitude[7];
    } cases[] = {
        {1.0, {255, 93, 34, 12, 4, 1, 0}},
        {0.0, {255, 255, 255, 255, 255, 255, 255}},
        {0.5, {255, 154, 93, 56, 34, 20, 12}},
        {1000.0, {255, 0, 0, 0, 0, 0, 0}},
        // Outside the non-negative roughness: clamped to bytes instead of wrapping or undefined.
        {-1.0, {255, 255, 255, 255, 255, 255, 255}},
        {nan, {0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        FractalNoise noise;
        ASSERT_EQ(noise.SetRoughness(c.roughness), 1);
        for (int i = 0; i < 7; ++i) EXPECT_EQ(noise.Amplitude()[i], c.amplitude[i]) << c.roughness << " level " << i;
    }
}

TEST(FractalNoise, GenerateDrawsExactly6829TimesInTheGivenOrder) {
    FractalNoise noise;
    noise.SetRoughness(0.0);  // every level at full amplitude, so every draw shows
    SetSeed(4711);
    ASSERT_EQ(noise.Generate(200, 100), 1);
    const std::vector<uint32_t> s = StatesAfter(4711, FractalNoise::kGenerateDraws);
    EXPECT_EQ(RandomState, s.back());
    EXPECT_EQ(noise.Width(), 200);
    EXPECT_EQ(noise.Height(), 100);
    EXPECT_EQ(noise.Jitter(), 255);

    const auto g = [&](int row, int column) { return noise.GridAt(row, column); };
    // Corners: draws 0..3, the top byte of each.
    EXPECT_EQ(g(0, 0), static_cast<int>(TopByteOf(s[0])));
    EXPECT_EQ(g(0, 64), static_cast<int>(TopByteOf(s[1])));
    EXPECT_EQ(g(64, 0), static_cast<int>(TopByteOf(s[2])));
    EXPECT_EQ(g(64, 64), static_cast<int>(TopByteOf(s[3])));
    // Level 0, one block, draws 4..8: edges on row 0, row 64, column 0, column 64, centre.
    // Later levels never write these points.
    const int m1 = Clamp(((g(0, 0) + g(0, 64)) >> 1) + Noise(s[4], 255));
    const int m2 = Clamp(((g(64, 0) + g(64, 64)) >> 1) + Noise(s[5], 255));
    const int m3 = Clamp(((g(0, 0) + g(64, 0)) >> 1) + Noise(s[6], 255));
    const int m4 = Clamp(((g(0, 64) + g(64, 64)) >> 1) + Noise(s[7], 255));
    EXPECT_EQ(g(0, 32), m1);
    EXPECT_EQ(g(64, 32), m2);
    EXPECT_EQ(g(32, 0), m3);
    EXPECT_EQ(g(32, 64), m4);
    EXPECT_EQ(g(32, 32), Clamp(((m1 + m2 + m3 + m4) >> 2) + Noise(s[8], 255)));

    // Level 1, block (0, 0) draws 9..13, block (0, 32) draws 14..18, block (32, 0) 19..23.
    // The edge at column 32 is computed by both top blocks; the later one's draw stays. The
    // first block's centre uses its own edge values, not the ones left in the grid.
    EXPECT_EQ(g(16, 32), Clamp(((g(0, 32) + g(32, 32)) >> 1) + Noise(s[16], 255)));
    const int ownBottom = Clamp(((g(32, 0) + g(32, 32)) >> 1) + Noise(s[10], 255));
    const int ownRight = Clamp(((g(0, 32) + g(32, 32)) >> 1) + Noise(s[12], 255));
    EXPECT_EQ(g(32, 16), Clamp(((g(32, 0) + g(32, 32)) >> 1) + Noise(s[19], 255)));
    const int centre = Clamp(((g(0, 16) + ownBottom + g(16, 0) + ownRight) >> 2) + Noise(s[13], 255));
    EXPECT_EQ(g(16, 16), centre);
}

TEST(FractalNoise, SameSeedSameGridAndSamples) {
    FractalNoise first, second;
    first.SetRoughness(0.7);
    second.SetRoughness(0.7);
    SetSeed(99);
    first.Generate(320, 240);
    std::vector<int> firstSamples;
    for (int i = 0; i < 50; ++i) firstSamples.push_back(first.Sample(i * 6, i * 4));
    SetSeed(99);
    second.Generate(320, 240);
    std::vector<int> secondSamples;
    for (int i = 0; i < 50; ++i) secondSamples.push_back(second.Sample(i * 6, i * 4));
    EXPECT_EQ(GridOf(first), GridOf(second));
    EXPECT_EQ(firstSamples, secondSamples);

    // Without reseeding, the next grid continues the sequence and differs; the buffers are reused.
    const uint8_t* const buffer = second.Grid();
    second.Generate(320, 240);
    EXPECT_EQ(second.Grid(), buffer);
    EXPECT_NE(GridOf(first), GridOf(second));
}

TEST(FractalNoise, GenerateBeforeRoughnessInterpolatesTheCorners) {
    FractalNoise noise;
    SetSeed(5);
    ASSERT_EQ(noise.Generate(64, 64), 1);
    EXPECT_EQ(RandomState, StatesAfter(5, FractalNoise::kGenerateDraws).back());
    EXPECT_EQ(noise.Jitter(), 0);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(noise.Amplitude()[i], 0);
    EXPECT_EQ(noise.GridAt(0, 32), (noise.GridAt(0, 0) + noise.GridAt(0, 64)) >> 1);
    EXPECT_EQ(noise.GridAt(64, 48), (noise.GridAt(64, 32) + noise.GridAt(64, 64)) >> 1);
}

TEST(FractalNoise, SampleStepsOnceAndReadsTheCellOfItsPosition) {
    const struct {
        int width, height;
    } sizes[] = {{1, 1}, {3, 2}, {64, 64}, {65, 65}, {1000, 7}, {7, 3000}};
    for (const auto& size : sizes) {
        FractalNoise noise;
        noise.SetRoughness(1.0);  // jitter (level 6) is 0: samples are the plain grid values
        SetSeed(321);
        noise.Generate(size.width, size.height);
        ASSERT_EQ(noise.Jitter(), 0);
        const int w = size.width, h = size.height;
        const uint32_t before = RandomState;
        EXPECT_EQ(noise.Sample(0, 0), noise.GridAt(0, 0));
        const int lastRow = (h - 1) * 64 / h, lastColumn = (w - 1) * 64 / w;
        EXPECT_LE(lastRow, 63);
        EXPECT_LE(lastColumn, 63);
        EXPECT_EQ(noise.Sample(w - 1, h - 1), noise.GridAt(lastRow, lastColumn));
        EXPECT_EQ(noise.Sample(w, h), noise.GridAt(64, 64));
        EXPECT_EQ(noise.Sample(w / 2, 0), noise.GridAt(0, w / 2 * 64 / w));
        // Outside the picture the position is clamped to the grid, never read out of bounds.
        EXPECT_EQ(noise.Sample(-5, -1000000), noise.GridAt(0, 0));
        EXPECT_EQ(noise.Sample(w + 100, 2147483647), noise.GridAt(64, 64));
        uint32_t expected = before;
        expected = StateAfterSteps(expected, 6);
        EXPECT_EQ(RandomState, expected) << "one step per sample";
    }
}

TEST(FractalNoise, SampleAddsJitterNoiseAndClamps) {
    FractalNoise noise;
    noise.SetRoughness(0.0);  // jitter 255
    SetSeed(2024);
    noise.Generate(64, 64);  // position (x, y) is cell (y, x), 0..64
    int clampedHigh = 0, clampedLow = 0;
    for (int y = 0; y <= 64; ++y) {
        for (int x = 0; x <= 64; ++x) {
            const uint32_t s = NextState(RandomState);
            const int raw = noise.GridAt(y, x) + Noise(s, 255);
            const int sample = noise.Sample(x, y);
            ASSERT_EQ(sample, Clamp(raw)) << x << "," << y;
            clampedHigh += raw > 255;
            clampedLow += raw < 0;
        }
    }
    EXPECT_GT(clampedHigh, 0);
    EXPECT_GT(clampedLow, 0);
}

TEST(FractalNoise, SampleCellIsSampleAtAPositionOfThatCell) {
    // Jitter 255, so that the value shows the step too; odd sizes put several or no positions
    // in a cell.
    const struct {
        int width, height;
    } sizes[] = {{1, 1}, {3, 2}, {100, 37}, {129, 65}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        FractalNoise noise;
        noise.SetRoughness(0.0);
        SetSeed(77);
        noise.Generate(size.width, size.height);
        for (int y : {-3, 0, size.height / 2, size.height - 1, size.height + 5}) {
            for (int x : {-1, 0, size.width / 3, size.width - 1, size.width}) {
                const int row = FractalNoise::GridIndex(y, noise.Height());
                const int column = FractalNoise::GridIndex(x, noise.Width());
                const uint32_t before = RandomState;
                const int sample = noise.Sample(x, y);
                const uint32_t after = RandomState;
                RandomState = before;
                EXPECT_EQ(noise.SampleCell(row, column), sample) << x << ", " << y;
                EXPECT_EQ(RandomState, after);
            }
        }
    }
}

TEST(FractalNoise, ColumnWalkFollowsGridIndexAlongARow) {
    // Rows narrower than the grid step several cells at a time, wider ones one cell or none;
    // a walk may start anywhere on the row and runs on to position n, column 64.
    for (int n : {1, 2, 3, 63, 64, 65, 100, 129, 1030, 4097}) {
        for (int start : {0, 1, n / 3, n - 1, n}) {
            if (start > n) continue;
            FractalNoise::ColumnWalk walk(start, n);
            for (int x = start; x <= n; ++x, walk.Step())
                ASSERT_EQ(walk.Column(), FractalNoise::GridIndex(x, n))
                    << "n " << n << ", from " << start << ", at " << x;
        }
    }
}

TEST(FractalNoise, SampleWithoutGridOrSizeIsSafe) {
    FractalNoise noise;
    SetSeed(1);
    EXPECT_EQ(noise.Sample(10, 10), 0);
    EXPECT_EQ(RandomState, 1566083942u) << "still one step";
    EXPECT_EQ(noise.SampleBilinear(10, 10), 0);

    noise.SetRoughness(1.0);
    noise.Generate(0, 0);
    EXPECT_EQ(noise.Sample(5, 5), noise.GridAt(0, 0));
    EXPECT_EQ(noise.SampleBilinear(5, 5), noise.GridAt(0, 0));
}

TEST(FractalNoise, SampleBilinearInterpolatesWithoutDrawing) {
    FractalNoise noise;
    noise.SetRoughness(0.0);
    SetSeed(77);
    noise.Generate(128, 128);
    const uint32_t before = RandomState;
    const auto g = [&](int row, int column) { return noise.GridAt(row, column); };
    // Even positions hit grid points; x = 1 is half-way between columns 0 and 1.
    EXPECT_EQ(noise.SampleBilinear(0, 0), g(0, 0));
    EXPECT_EQ(noise.SampleBilinear(20, 40), g(20, 10));
    EXPECT_EQ(noise.SampleBilinear(1, 0), (g(0, 0) * 32 + g(0, 1) * 32) * 64 >> 12);
    EXPECT_EQ(noise.SampleBilinear(0, 1), (g(0, 0) * 32 + g(1, 0) * 32) * 64 >> 12);
    EXPECT_EQ(noise.SampleBilinear(1, 1),
              ((g(0, 0) + g(0, 1)) * 32 * 32 + (g(1, 0) + g(1, 1)) * 32 * 32) >> 12);
    // At column 63 the neighbour is column 63 itself, not 64.
    EXPECT_EQ(noise.SampleBilinear(127, 0), g(0, 63));
    EXPECT_EQ(noise.SampleBilinear(128, 128), g(64, 64));
    EXPECT_EQ(RandomState, before);
}
