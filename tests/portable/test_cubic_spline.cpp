// CubicSpline: the kernel tables, the buffer resampler used for the ground texture, and the
// image resampler between rectangles of two TDibs.
#include "imaging/cubic_spline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct KernelRow {
    int i;
    int weights[4];
};

TEST(CubicSplineKernel, TellingRowsHaveTheirWeights) {
    const KernelRow rows[] = {
        {0, {0, 256, 0, 0}},        {64, {-36, 228, 76, -12}}, {128, {-32, 160, 160, -32}},
        {192, {-12, 76, 228, -36}}, {255, {0, 1, 255, 0}},
    };
    CubicSpline spline;
    for (const KernelRow& row : rows)
        for (int tap = 0; tap < 4; ++tap)
            EXPECT_EQ(spline.Weight(tap, row.i), row.weights[tap])
                << "i " << row.i << " tap " << tap;
}

TEST(CubicSplineKernel, EveryRowSumsTo256AndTheLowestWeightIsMinus37) {
    CubicSpline spline;
    int lowest = 0;
    for (int i = 0; i < 256; ++i) {
        int sum = 0;
        for (int tap = 0; tap < 4; ++tap) {
            sum += spline.Weight(tap, i);
            lowest = std::min(lowest, spline.Weight(tap, i));
        }
        EXPECT_EQ(sum, 256) << "row " << i;
    }
    EXPECT_EQ(lowest, -37);
}

std::vector<uint8_t> Resized(const std::vector<uint8_t>& source, int sw, int sh, int tw, int th) {
    std::vector<uint8_t> target(static_cast<size_t>(tw) * th, 0xEE);
    CubicSpline spline;
    EXPECT_EQ(spline.ResizeBuffer(source.data(), 0, 0, sw, sh, target.data(), 0, 0, tw, th), 1);
    return target;
}

// Bytes that differ from their neighbours, so that a wrong tap shows.
std::vector<uint8_t> Pattern(int w, int h) {
    std::vector<uint8_t> p(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p[y * w + x] = static_cast<uint8_t>((x * 37 + y * 91 + x * y) & 255);
    return p;
}

int Clamped(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

TEST(CubicSplineResizeBuffer, ConstantSourceStaysConstant) {
    struct Case {
        int sw, sh, tw, th;
    };
    const Case cases[] = {{5, 3, 11, 7}, {64, 64, 96, 96}, {1, 1, 4, 3},
                          {2, 1, 5, 5},  {1, 2, 3, 9},     {6, 6, 2, 3}};
    for (const Case& c : cases) {
        const std::vector<uint8_t> source(static_cast<size_t>(c.sw) * c.sh, 77);
        const std::vector<uint8_t> target = Resized(source, c.sw, c.sh, c.tw, c.th);
        for (size_t i = 0; i < target.size(); ++i)
            ASSERT_EQ(target[i], 77)
                << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th << " at " << i;
    }
}

TEST(CubicSplineResizeBuffer, DoublingKeepsEvenPositionsAndBlendsOddOnesHalfway) {
    const std::vector<uint8_t> s = Pattern(64, 64);
    const std::vector<uint8_t> t = Resized(s, 64, 64, 128, 128);
    auto src = [&](int x, int y) { return int{s[y * 64 + x]}; };
    for (int k = 0; k < 64; ++k)
        for (int m = 0; m < 64; ++m)
            ASSERT_EQ(t[(2 * k) * 128 + 2 * m], src(m, k)) << m << "," << k;
    // Away from the borders an odd column weighs its four neighbours -32, 160, 160, -32.
    for (int k = 0; k < 64; ++k)
        for (int m = 1; m < 62; ++m) {
            const int blend =
                (-32 * src(m - 1, k) + 160 * src(m, k) + 160 * src(m + 1, k) - 32 * src(m + 2, k)) /
                256;
            ASSERT_EQ(t[(2 * k) * 128 + 2 * m + 1], Clamped(blend)) << m << "," << k;
        }
    // An odd row blends four rows first (each column value truncated), then at even columns
    // nothing more.
    for (int k = 1; k < 62; ++k)
        for (int m = 0; m < 64; ++m) {
            const int blend =
                (-32 * src(m, k - 1) + 160 * src(m, k) + 160 * src(m, k + 1) - 32 * src(m, k + 2)) /
                256;
            ASSERT_EQ(t[(2 * k + 1) * 128 + 2 * m], Clamped(blend)) << m << "," << k;
        }
}

TEST(CubicSplineResizeBuffer, StepOvershootsAndIsClamped) {
    const std::vector<uint8_t> source = {0, 0, 255, 255, 0, 0, 255, 255};
    const std::vector<uint8_t> row = {0, 0, 0, 127, 255, 255, 255, 255};
    const std::vector<uint8_t> target = Resized(source, 4, 2, 8, 2);
    EXPECT_EQ(std::vector<uint8_t>(target.begin(), target.begin() + 8), row);
    EXPECT_EQ(std::vector<uint8_t>(target.begin() + 8, target.end()), row);
}

TEST(CubicSplineResizeBuffer, EqualSizesReproduceTheSource) {
    const std::vector<uint8_t> source = Pattern(7, 5);
    EXPECT_EQ(Resized(source, 7, 5, 7, 5), source);
}

TEST(CubicSplineResizeBuffer, ReducingByTwoTakesEverySecondSample) {
    const std::vector<uint8_t> source = Pattern(8, 6);
    const std::vector<uint8_t> target = Resized(source, 8, 6, 4, 3);
    for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 4; ++l) EXPECT_EQ(target[k * 4 + l], source[(2 * k) * 8 + 2 * l]);
}

TEST(CubicSplineResizeBuffer, BordersReadTheMirroredPadding) {
    // One row: the row padding copies it, so only the column taps matter.
    const std::vector<uint8_t> source = {40, 0, 100, 200};
    const std::vector<uint8_t> target = Resized(source, 4, 1, 8, 1);
    // Column 1 halfway between source 0 and 1: taps 0 (repeated before the start), 0, 1, 2.
    EXPECT_EQ(target[1], Clamped((-32 * 40 + 160 * 40 + 160 * 0 - 32 * 100) / 256));
    // The last column: taps sw - 2, sw - 1, sw - 1, sw - 2.
    EXPECT_EQ(target[7], (-32 * 100 + 160 * 200 + 160 * 200 - 32 * 100) / 256);
    EXPECT_EQ(target[7], 225);
}

// Source line i (-1 .. size + 1) as the padded copy holds it: the first line repeated before
// the start; after the end the last line and then the one before it (size >= 2).
int Mirrored(int i, int size) {
    if (i < 0) return 0;
    if (i == size) return size - 1;
    if (i == size + 1) return size - 2;
    return i;
}

TEST(CubicSplineResizeBuffer, UnevenRatiosFollowTheirTapsAndFractions) {
    struct Case {
        int sw, sh, tw, th;
    };
    const Case cases[] = {{5, 4, 13, 11}, {64, 64, 96, 96}, {64, 64, 192, 192}, {7, 3, 4, 5},
                          {3, 6, 8, 2}};
    CubicSpline spline;
    for (const Case& c : cases) {
        const std::vector<uint8_t> s = Pattern(c.sw, c.sh);
        const std::vector<uint8_t> t = Resized(s, c.sw, c.sh, c.tw, c.th);
        for (int k = 0; k < c.th; ++k) {
            // Target row k samples source row y at fraction fy / 256, with no half-pixel shift.
            const int y = c.sh * k / c.th;
            const int fy = (c.sh * k - y * c.th) * 256 / c.th;
            for (int l = 0; l < c.tw; ++l) {
                const int x = c.sw * l / c.tw;
                const int fx = (c.sw * l - x * c.tw) * 256 / c.tw;
                int value = 0;
                for (int i = 0; i < 4; ++i) {
                    int column = 0;
                    for (int j = 0; j < 4; ++j)
                        column += spline.Weight(j, fy) *
                                  s[Mirrored(y - 1 + j, c.sh) * c.sw + Mirrored(x - 1 + i, c.sw)];
                    value += spline.Weight(i, fx) * (column / 256);
                }
                ASSERT_EQ(t[k * c.tw + l], Clamped(value / 256))
                    << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th << " at " << l << ","
                    << k;
            }
        }
    }
}

TEST(CubicSplineResizeBuffer, TinySourcesStayInsideTheirPadding) {
    // Sources of one pixel across have no "one before the last"; the result is still sound.
    const std::vector<uint8_t> column = {10, 250};
    const std::vector<uint8_t> target = Resized(column, 1, 2, 2, 4);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(target[k * 2], target[k * 2 + 1]) << "row " << k;
    EXPECT_EQ(target[0], 10);
    EXPECT_EQ(target[4], 250);
}

TEST(CubicSplineResizeBuffer, RejectsMissingBuffersAndEmptySourcesWithoutWriting) {
    const std::vector<uint8_t> source = Pattern(4, 4);
    std::vector<uint8_t> target(16, 0xEE);
    CubicSpline spline;
    EXPECT_EQ(spline.ResizeBuffer(source.data(), 0, 0, 4, 4, nullptr, 0, 0, 4, 4), 0);
    EXPECT_EQ(spline.ResizeBuffer(nullptr, 0, 0, 4, 4, target.data(), 0, 0, 4, 4), 0);
    EXPECT_EQ(spline.ResizeBuffer(source.data(), 0, 0, 0, 4, target.data(), 0, 0, 4, 4), 0);
    EXPECT_EQ(spline.ResizeBuffer(source.data(), 3, 3, 3, 2, target.data(), 0, 0, 4, 4), 0);
    EXPECT_EQ(target, std::vector<uint8_t>(16, 0xEE));
}

TEST(CubicSplineResizeBuffer, OnlyTheDifferencesOfTheCornersCount) {
    const std::vector<uint8_t> source = Pattern(5, 4);
    std::vector<uint8_t> shifted(20 * 7), plain(20 * 7);
    CubicSpline spline;
    ASSERT_EQ(spline.ResizeBuffer(source.data(), 10, 20, 15, 24, shifted.data(), -3, 5, 17, 12), 1);
    ASSERT_EQ(spline.ResizeBuffer(source.data(), 0, 0, 5, 4, plain.data(), 0, 0, 20, 7), 1);
    EXPECT_EQ(shifted, plain);
}

// ---- images ----------------------------------------------------------------------------------

std::unique_ptr<TDib> Image8(int w, int h, uint8_t fill) {
    auto dib = TDib::Create8(w, h);
    for (int y = 0; y < h; ++y) std::memset(dib->Row(y), fill, dib->RowBytes());
    return dib;
}

std::unique_ptr<TDib> Image24(int w, int h, uint8_t fill) {
    auto dib = TDib::Create24(w, h);
    for (int y = 0; y < h; ++y) std::memset(dib->Row(y), fill, dib->RowBytes());
    return dib;
}

TEST(CubicSplineResize, EightBitRectangleIntoRectangle) {
    // The step picture in rows 1..2, columns 1..4 of a 6 × 4 image.
    auto source = Image8(6, 4, 9);
    for (int y = 1; y <= 2; ++y) {
        const uint8_t step[4] = {0, 0, 255, 255};
        std::memcpy(source->Row(y) + 1, step, 4);
    }
    auto target = Image8(10, 5, 0xEE);
    CubicSpline spline;
    ASSERT_EQ(spline.Resize(source.get(), 1, 1, 5, 3, target.get(), 2, 2, 10, 4), 1);
    const uint8_t row[8] = {0, 0, 0, 127, 255, 255, 255, 255};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = y >= 2 && y < 4 && x >= 2;
            EXPECT_EQ(target->Row(y)[x], inside ? row[x - 2] : 0xEE) << x << "," << y;
        }
}

TEST(CubicSplineResize, TwentyFourBitEnlargesEachByteOnItsOwn) {
    auto source = Image24(4, 2, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            uint8_t* p = source->Row(y) + 3 * x;
            p[0] = x < 2 ? 0 : 255;  // blue: the step
            p[1] = 90;               // green: constant
            p[2] = x < 2 ? 255 : 0;  // red: the step reversed
        }
    auto target = Image24(8, 2, 0xEE);
    CubicSpline spline;
    ASSERT_EQ(spline.Resize(source.get(), 0, 0, 4, 2, target.get(), 0, 0, 8, 2), 1);
    const uint8_t blue[8] = {0, 0, 0, 127, 255, 255, 255, 255};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint8_t* p = target->Row(y) + 3 * x;
            EXPECT_EQ(p[0], blue[x]) << x;
            EXPECT_EQ(p[1], 90) << x;
            // 255 - step, resampled: the overshoot now clamps at the other end.
            const uint8_t red[8] = {255, 255, 255, 127, 0, 0, 0, 0};
            EXPECT_EQ(p[2], red[x]) << x;
        }
}

TEST(CubicSplineResize, LargerSourceImageIsReducedByBlockMeans) {
    auto source = Image24(4, 4, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            uint8_t* p = source->Row(y) + 3 * x;
            p[0] = static_cast<uint8_t>(10 * x + 40 * y);
            p[1] = static_cast<uint8_t>(x == 3 && y == 3 ? 3 : 0);
            p[2] = 200;
        }
    auto target = Image24(2, 2, 0xEE);
    CubicSpline spline;
    ASSERT_EQ(spline.Resize(source.get(), 0, 0, 4, 4, target.get(), 0, 0, 2, 2), 1);
    // Block (k, j) holds rows 2j, 2j + 1 and columns 2k, 2k + 1; means truncate.
    const int blue[2][2] = {{25, 45}, {105, 125}};
    for (int j = 0; j < 2; ++j)
        for (int k = 0; k < 2; ++k) {
            const uint8_t* p = target->Row(j) + 3 * k;
            EXPECT_EQ(p[0], blue[j][k]) << k << "," << j;
            EXPECT_EQ(p[1], 0) << k << "," << j;  // 3 / 4
            EXPECT_EQ(p[2], 200);
        }
}

TEST(CubicSplineResize, ReducedBlockWithoutPixelsTakesItsFirstOne) {
    // A wider source image selects the reduction even where one axis is enlarged: target row 0
    // covers source rows 0 up to 0, an empty block.
    auto source = Image24(4, 1, 0);
    const uint8_t row[12] = {10, 0, 0, 30, 0, 0, 50, 0, 0, 71, 0, 0};
    std::memcpy(source->Row(0), row, 12);
    auto target = Image24(2, 2, 0xEE);
    CubicSpline spline;
    ASSERT_EQ(spline.Resize(source.get(), 0, 0, 4, 1, target.get(), 0, 0, 2, 2), 1);
    EXPECT_EQ(target->Row(0)[0], 10);
    EXPECT_EQ(target->Row(0)[3], 50);
    EXPECT_EQ(target->Row(1)[0], 20);
    EXPECT_EQ(target->Row(1)[3], 60);
}

TEST(CubicSplineResize, RejectsBadArgumentsWithoutWriting) {
    auto source24 = Image24(4, 4, 50);
    auto source8 = Image8(4, 4, 50);
    auto target = Image24(6, 6, 0xEE);
    struct Case {
        const char* what;
        const TDib* source;
        int sl, st, sr, sb;
        int tl, tt, tr, tb;
    };
    const Case cases[] = {
        {"no source", nullptr, 0, 0, 4, 4, 0, 0, 6, 6},
        {"depths differ", source8.get(), 0, 0, 4, 4, 0, 0, 6, 6},
        {"source right beyond", source24.get(), 0, 0, 5, 4, 0, 0, 6, 6},
        {"source top negative", source24.get(), 0, -1, 4, 4, 0, 0, 6, 6},
        {"target bottom beyond", source24.get(), 0, 0, 4, 4, 0, 0, 6, 7},
        {"target left negative", source24.get(), 0, 0, 4, 4, -1, 0, 6, 6},
        {"empty source", source24.get(), 2, 0, 2, 4, 0, 0, 6, 6},
        {"empty target", source24.get(), 0, 0, 4, 4, 0, 3, 6, 3},
    };
    CubicSpline spline;
    for (const Case& c : cases)
        EXPECT_EQ(
            spline.Resize(c.source, c.sl, c.st, c.sr, c.sb, target.get(), c.tl, c.tt, c.tr, c.tb),
            0)
            << c.what;
    EXPECT_EQ(spline.Resize(source24.get(), 0, 0, 4, 4, nullptr, 0, 0, 6, 6), 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 18; ++x) ASSERT_EQ(target->Row(y)[x], 0xEE);
}

}  // namespace
