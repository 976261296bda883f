// The line engine's circular pen: what one disc covers, where a segment stamps it, and how
// stamps combine in the line layer.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "styles/kolda/line_pen.h"

namespace {

std::unique_ptr<TDib> Layer(int width, int height) {
    auto layer = TDib::Create24(width, height);
    std::memset(layer->Bits(), 0, layer->ImageBytes());
    return layer;
}

int64_t SumOfFirstBytes(const TDib& layer) {
    int64_t sum = 0;
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x) sum += layer.Row(y)[3 * x];
    return sum;
}

// Sub-cells (sx, sy) with (sx - cx)² + (sy - cy)² <= r², counted directly, only those with
// sx >= minX and sy >= minY.
int64_t LatticePoints(int r, int cx, int cy, int minX = -100000, int minY = -100000) {
    int64_t count = 0;
    for (int sy = cy - r; sy <= cy + r; ++sy)
        for (int sx = cx - r; sx <= cx + r; ++sx)
            if ((sx - cx) * (sx - cx) + (sy - cy) * (sy - cy) <= r * r && sx >= minX && sy >= minY)
                ++count;
    return count;
}

std::set<std::pair<int, int>> LitPixels(const TDib& layer) {
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < layer.Height(); ++y)
        for (int x = 0; x < layer.Width(); ++x)
            if (layer.Row(y)[3 * x] != 0) lit.insert({x, y});
    return lit;
}

TEST(LinePen, ADiscCoversItsLatticePoints) {
    // With weight 256 a pixel's value is its coverage, so the layer sums the covered sub-cells.
    struct Case {
        const char* name;
        int radius, subX, subY;
    } cases[] = {
        {"radius 0: the one centre sub-cell", 0, 0, 0},
        {"radius 1", 1, 0, 0},
        {"radius 8, one pixel", 8, 0, 0},
        {"radius 8 off centre in x", 8, 5, 0},
        {"radius 13 below the pixel", 13, 0, -6},
        {"radius 100", 100, 3, 0},
        {"radius 499, the largest", 499, -7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto layer = Layer(200, 200);
        LinePen pen(layer.get());
        pen.SetWeight(256);
        pen.Stamp(100, 100, c.subX, c.subY, c.radius);
        EXPECT_EQ(SumOfFirstBytes(*layer), LatticePoints(c.radius, c.subX, c.subY));
    }
}

TEST(LinePen, CoverageTimesWeightCappedAt255) {
    struct Case {
        int radius, weight;
        int centre;  // value of the pen's own pixel
    } cases[] = {
        {0, 1020, (1 * 1020) >> 8},  // one sub-cell: 3
        {0, 255, 0},                 // below 1/256 of a full pixel's worth
        {60, 400, (64 * 400) >> 8},  // a fully covered pixel: 100
        {60, 1020, 255},             // 64 × 1020 >> 8 = 255
        {60, 2000, 255},             // capped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "radius " << c.radius << " weight " << c.weight);
        auto layer = Layer(30, 30);
        LinePen pen(layer.get());
        pen.SetWeight(c.weight);
        pen.Stamp(15, 15, 0, 0, c.radius);
        EXPECT_EQ(layer->Row(15)[45], c.centre);
    }
}

TEST(LinePen, ClipsAtTheEdgesOfTheLayer) {
    auto layer = Layer(20, 20);
    LinePen pen(layer.get());
    pen.SetWeight(256);
    pen.Stamp(0, 0, 0, 0, 40);
    EXPECT_EQ(SumOfFirstBytes(*layer), LatticePoints(40, 0, 0, 0, 0)) << "the quarter inside";
    auto corner = Layer(20, 20);
    LinePen far(corner.get());
    far.SetWeight(256);
    far.Stamp(19, 19, 7, 7, 40);
    EXPECT_EQ(SumOfFirstBytes(*corner), LatticePoints(40, 7, 7, -100000, -100000) -
                                            LatticePoints(40, 7, 7, 8, -100000) -
                                            LatticePoints(40, 7, 7, -100000, 8) +
                                            LatticePoints(40, 7, 7, 8, 8));
    far.Stamp(-70, 5, 0, 0, 499);  // wholly outside but within reach
    far.Stamp(5, 90, 0, 0, 499);
}

TEST(LinePen, StampsKeepTheLargerValue) {
    auto layer = Layer(10, 10);
    LinePen pen(layer.get());
    pen.SetWeight(1020);
    pen.Stamp(5, 5, 0, 0, 60);
    pen.SetWeight(400);
    pen.Stamp(5, 5, 0, 0, 60);
    EXPECT_EQ(layer->Row(5)[15], 255) << "a lighter stamp does not lighten";
}

TEST(LinePen, RadiusAbove499IsDrawnWith499) {
    auto big = Layer(300, 300);
    auto capped = Layer(300, 300);
    LinePen a(big.get()), b(capped.get());
    a.SetWeight(256);
    b.SetWeight(256);
    a.DrawSegment(150, 150, 800, true);
    a.DrawSegment(152, 150, 800, false);
    b.DrawSegment(150, 150, 499, true);
    b.DrawSegment(152, 150, 499, false);
    EXPECT_EQ(a.Radius(), 499);
    EXPECT_EQ(std::memcmp(big->Bits(), capped->Bits(), big->ImageBytes()), 0);
}

TEST(LinePen, SegmentsStampEveryPixelButTheEnd) {
    // Radius 0: each stamp lights the pixel holding its centre sub-cell, so the lit pixels
    // show the positions and the sub-pixel fractions (falling ones truncate toward zero, so a
    // fraction of -4 eighths lies in the pixel below).
    struct Case {
        const char* name;
        int fromX, fromY, toX, toY;
        std::set<std::pair<int, int>> lit;
    } cases[] = {
        {"horizontal", 2, 3, 6, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {"vertical down", 4, 6, 4, 2, {{4, 6}, {4, 5}, {4, 4}, {4, 3}}},
        {"rising x-major", 0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {"falling x-major", 0, 2, 4, 0, {{0, 2}, {1, 1}, {2, 1}, {3, 0}}},
        {"left and up, y-major", 5, 1, 3, 5, {{5, 1}, {4, 2}, {4, 3}, {3, 4}}},
        {"diagonal is y-major", 1, 1, 4, 4, {{1, 1}, {2, 2}, {3, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto layer = Layer(8, 8);
        LinePen pen(layer.get());
        pen.SetWeight(1020);
        pen.DrawSegment(c.fromX, c.fromY, 0, true);
        EXPECT_TRUE(LitPixels(*layer).empty()) << "a move draws nothing";
        pen.DrawSegment(c.toX, c.toY, 0, false);
        EXPECT_EQ(LitPixels(*layer), c.lit);
        EXPECT_EQ(pen.X(), c.toX);
        EXPECT_EQ(pen.Y(), c.toY);
    }
}

TEST(LinePen, RadiusChangesAlongTheSegmentAndStaysAtTheSamePoint) {
    auto layer = Layer(40, 10);
    LinePen pen(layer.get());
    pen.SetWeight(256);
    pen.DrawSegment(5, 5, 0, true);
    pen.DrawSegment(25, 5, 40, false);
    // Stamp i has radius 40 i / 20: thin at the start, two pixels at the far end.
    EXPECT_EQ(layer->Row(7)[3 * 5], 0);
    EXPECT_GT(layer->Row(7)[3 * 24], 0);
    EXPECT_EQ(pen.Radius(), 40);
    pen.DrawSegment(25, 5, 3, false);
    EXPECT_EQ(pen.Radius(), 40) << "no move, no change";
    pen.DrawSegment(25, 5, 3, true);
    EXPECT_EQ(pen.Radius(), 3);
}

}  // namespace
