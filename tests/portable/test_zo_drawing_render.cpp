// The line engine's drawing of its strokes (straight, curved, closed and open, the composite)
// and its hatching mode from the marks to the strokes.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "styles/kolda/zo_drawing.h"
#include "tests/support/context_images.h"
#include "tests/support/drawing_fixture.h"
#include "tests/support/pictures.h"

namespace {

using Points = std::vector<std::pair<int, int>>;
using Pixel = std::pair<int, int>;

// Radius 2 at every stamp of a stroke: minimum width 2, pen size 0 and a rising taper give
// radii 2 and 3 over two points, and a segment's stamps never reach its end radius.
struct RenderFixture : ::testing::Test {
    RenderFixture() : images(60, 40, 72), drawing(images.Context()) {
        settings = EdgeSettings(tables);
        settings.taper = kTaperRising;
        settings.penSizeTable = tables.zero;
        drawing.SetSettings(&settings);
        drawing.ComputeLimits();
    }
    std::map<Pixel, int> Lit() const {
        std::map<Pixel, int> lit;
        for (int y = 0; y < images.height; ++y)
            for (int x = 0; x < images.width; ++x)
                if (int v = images.canvas->Row(y)[3 * x]) lit[{x, y}] = v;
        return lit;
    }
    bool IsLit(int x, int y) const { return images.canvas->Row(y)[3 * x] != 0; }

    DrawingTables tables;
    DrawingSettings settings;
    ContextImages images;
    ZoDrawing drawing;
};

TEST_F(RenderFixture, ATwoPointStrokeIsOneStraightSegment) {
    // Weight 255 (pen weight 1020), radius 2 eighths at the first sub-cell of each pixel: the
    // disc covers 6 sub-cells of its own pixel, 3 of the pixel to the left and of the pixel
    // below, 1 of the one below left. Stamps at columns 5..9; the end (10, 5) is not stamped.
    ASSERT_EQ(StorePoints(drawing, {{5, 5}, {10, 5}}, 255), 1);
    ASSERT_EQ(drawing.Render(0), 1);
    std::map<Pixel, int> expected = {{{4, 5}, 11}, {{4, 4}, 3}};
    for (int x = 5; x <= 9; ++x) {
        expected[{x, 5}] = (6 * 1020) >> 8;
        expected[{x, 4}] = (3 * 1020) >> 8;
    }
    EXPECT_EQ(Lit(), expected);
}

TEST_F(RenderFixture, CompositeDarkensOnlyUnderTheLines) {
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) images.SetSourcePixel(x, y, 200, 100, 50);
    ASSERT_EQ(StorePoints(drawing, {{5, 5}, {10, 5}}, 255), 1);
    const uint64_t untouched = test_pictures::Checksum(*images.source);
    ASSERT_EQ(drawing.Render(0), 1);
    EXPECT_EQ(test_pictures::Checksum(*images.source), untouched) << "composite 0";
    ASSERT_EQ(drawing.Render(1), 1);
    const uint8_t* under = images.source->Row(5) + 3 * 7;  // line value 23
    EXPECT_EQ(under[0], (200 * 232) >> 8);
    EXPECT_EQ(under[1], (100 * 232) >> 8);
    EXPECT_EQ(under[2], (50 * 232) >> 8);
    const uint8_t* beside = images.source->Row(20) + 3 * 30;
    EXPECT_EQ(beside[0], 200) << "a value of 0 leaves the pixel, not (c × 255) >> 8";
    EXPECT_EQ(beside[2], 50);
}

TEST_F(RenderFixture, EndsFourApartCloseTheStrokeAndFiveApartDoNot) {
    struct Case {
        const char* name;
        int lastY;
        bool closed;
    } cases[] = {{"|dx| + |dy| = 4: closed", 14, true}, {"5: open", 15, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drawing.Reset();
        ASSERT_EQ(StorePoints(drawing, {{10, 10}, {40, 10}, {40, 30}, {10, 30}, {10, c.lastY}}, 255), 1);
        ASSERT_EQ(drawing.Render(0), 1);
        // Open strokes start with a straight run from the first point to the middle of the
        // first two and end with one down to the last point; a closed one starts at that
        // middle and its last piece bends from the left side back toward it instead.
        EXPECT_EQ(IsLit(12, 10), !c.closed) << "the run from (10, 10) toward (25, 10)";
        EXPECT_EQ(IsLit(13, 15), c.closed) << "the bend from (10, 22) toward (25, 12)";
        EXPECT_EQ(IsLit(10, 15), !c.closed) << "the run from (10, 22) down to (10, 15)";
        EXPECT_TRUE(IsLit(25, 10)) << "both pass the middle of the first two points";
        EXPECT_TRUE(IsLit(40, 20)) << "and the middle of the second side";
    }
}

TEST_F(RenderFixture, CurvesFollowTheirFormulaWithinAPixel) {
    const Points corners = {{5, 5}, {30, 35}, {55, 5}};
    ASSERT_EQ(StorePoints(drawing, corners, 255), 1);
    ASSERT_EQ(drawing.Render(0), 1);
    // The path: (5, 5) straight to the middle (17, 20), the curve of the three corners from
    // t = 0 to 0.98, then straight to (55, 5), with weights from the exponent itself.
    const double a = 1.7715533;
    std::vector<std::pair<double, double>> path;
    const auto along = [&](double x0, double y0, double x1, double y1) {
        for (int i = 0; i <= 200; ++i)
            path.push_back({x0 + (x1 - x0) * i / 200, y0 + (y1 - y0) * i / 200});
    };
    const auto curve = [&](double t) {
        const double w0 = std::pow(1 - t, a) / 2, w2 = std::pow(t, a) / 2, w1 = 1 - w0 - w2;
        return std::pair<double, double>{w0 * 5 + w1 * 30 + w2 * 55, w0 * 5 + w1 * 35 + w2 * 5};
    };
    along(5, 5, 17, 20);
    for (int i = 0; i <= 980; ++i) path.push_back(curve(i / 1000.0));
    along(curve(0.98).first, curve(0.98).second, 55, 5);
    // Pen positions are the path's coordinates truncated, and a thin pen spills a little into
    // the pixels beside them: every lit pixel lies within a pixel, along each axis, of the path.
    const auto nearest = [&](int x, int y) {
        double best = 1e9;
        for (const auto& p : path) {
            const double dx = p.first < x ? x - p.first : (p.first > x + 1 ? p.first - x - 1 : 0);
            const double dy = p.second < y ? y - p.second : (p.second > y + 1 ? p.second - y - 1 : 0);
            best = std::min(best, std::max(dx, dy));
        }
        return best;
    };
    const auto lit = Lit();
    ASSERT_FALSE(lit.empty());
    for (const auto& [pixel, value] : lit)
        EXPECT_LE(nearest(pixel.first, pixel.second), 1.0)
            << "(" << pixel.first << ", " << pixel.second << ") lies off the curve";
    for (int i = 0; i <= 98; i += 2) {
        const auto p = curve(i / 100.0);
        bool found = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                found = found || IsLit(static_cast<int>(p.first) + dx, static_cast<int>(p.second) + dy);
        EXPECT_TRUE(found) << "no line near the curve at t = " << i / 100.0;
    }
}

TEST_F(RenderFixture, StrokesAreDrawnInTheirOwnWeight) {
    ASSERT_EQ(StorePoints(drawing, {{5, 5}, {10, 5}}, 100), 1);
    ASSERT_EQ(StorePoints(drawing, {{5, 20}, {10, 20}}, 255), 1);
    ASSERT_EQ(drawing.Render(0), 1);
    EXPECT_EQ(images.canvas->Row(5)[3 * 7], (6 * 400) >> 8);
    EXPECT_EQ(images.canvas->Row(20)[3 * 7], (6 * 1020) >> 8);
}

// ---- hatching ---------------------------------------------------------------------------------------

// 40 × 40 at 420 dpi: scale 80^0.2 × 0.42 = 1.009, so a short window of 10 spaces the hatch
// lines 10 apart. Dark grey (luma 50) everywhere, focus 255.
struct HatchFixture : ::testing::Test {
    HatchFixture() : images(40, 40, 420) {
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) images.SetSourcePixel(x, y, 50, 50, 50);
        settings = EdgeSettings(tables);
        settings.mode = kDrawingHatch;
        settings.shortWindow = 10;
        settings.longWindow = 80;   // highest luma hatched
        settings.edgeThreshold = 100;  // mean darkness 205 exceeds it
        settings.hatchFocusLow = 0;
        settings.hatchFocusHigh = 256;
    }
    DrawingTables tables;
    DrawingSettings settings;
    ContextImages images;
};

TEST_F(HatchFixture, HatchRowsAndColumnsBecomeStraightStrokes) {
    struct Case {
        const char* name;
        int direction;
        std::vector<Points> strokes;
    } cases[] = {
        {"rows", kHatchRows,
         {{{0, 0}, {39, 0}}, {{0, 10}, {39, 10}}, {{0, 20}, {39, 20}}, {{0, 30}, {39, 30}}}},
        {"columns", kHatchColumns,
         {{{0, 0}, {0, 39}}, {{10, 0}, {10, 39}}, {{20, 0}, {20, 39}}, {{30, 0}, {30, 39}}}},
        // x ≡ y (mod 10): the first diagonal runs corner to corner.
        {"diagonal", kHatchDiagonal,
         {{{0, 0}, {39, 39}}, {{10, 0}, {39, 29}}, {{20, 0}, {39, 19}}, {{30, 0}, {39, 9}},
          {{0, 10}, {29, 39}}, {{0, 20}, {19, 39}}, {{0, 30}, {9, 39}}}},
        // x + y ≡ 9 (mod 10): from (9, 0) the only neighbour is a 90° turn up and left.
        {"anti-diagonal", kHatchAntiDiagonal,
         {{{9, 0}, {0, 9}}, {{19, 0}, {0, 19}}, {{29, 0}, {0, 29}}, {{39, 0}, {0, 39}},
          {{39, 10}, {10, 39}}, {{39, 20}, {20, 39}}, {{39, 30}, {30, 39}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.hatchDirection = c.direction;
        ZoDrawing drawing(images.Context());
        ASSERT_EQ(drawing.Run(&settings), 1);
        const auto strokes = StrokesOf(drawing);
        std::vector<Points> positions;
        for (const auto& stroke : strokes) {
            positions.push_back(PositionsOf(stroke));
            EXPECT_EQ(stroke.header.colour[0], 0);
            EXPECT_EQ(stroke.header.colour[1], 0);
            EXPECT_EQ(stroke.header.colour[2], 255);
            EXPECT_EQ(stroke.header.weight, 255);
        }
        EXPECT_EQ(positions, c.strokes);
    }
}

TEST_F(HatchFixture, OnlyDarkGreyFocusedPixelsAreMarked) {
    settings.hatchDirection = kHatchRows;
    settings.hatchFocusLow = 100;
    settings.hatchFocusHigh = 200;
    struct Case {
        const char* name;
        uint8_t blue, green, red, focus;
        int marked;  // the third byte, 255 - luma, or 0
    } cases[] = {
        {"luma 50", 50, 50, 50, 150, 205},
        {"luma 80, the highest", 80, 80, 80, 150, 175},
        {"luma 81", 81, 81, 81, 150, 0},
        {"chroma 32", 40, 40, 72, 150, 255 - ((77 * 72 + 151 * 40 + 28 * 40) >> 8)},
        {"chroma 33", 40, 40, 73, 150, 0},
        {"focus 100, the lowest", 50, 50, 50, 100, 205},
        {"focus 99", 50, 50, 50, 99, 0},
        {"focus 200, the highest", 50, 50, 50, 200, 205},
        {"focus 201", 50, 50, 50, 201, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        images.SetSourcePixel(static_cast<int>(i), 0, cases[i].blue, cases[i].green, cases[i].red);
        images.focusMap->Row(0)[i] = cases[i].focus;
    }
    ZoDrawing drawing(images.Context());
    drawing.SetSettings(&settings);
    drawing.MarkHatch();
    for (size_t i = 0; i < std::size(cases); ++i) {
        const uint8_t* p = images.canvas->Row(0) + 3 * i;
        EXPECT_EQ(p[2], cases[i].marked) << cases[i].name;
        EXPECT_EQ(p[0], cases[i].marked ? 1 : 0) << cases[i].name;
        EXPECT_EQ(p[1], cases[i].marked ? 1 : 0) << cases[i].name;
    }
    EXPECT_EQ(images.canvas->Row(1)[2], 0) << "row 1 is between hatch lines";
}

TEST_F(HatchFixture, LinesMustBeLongAndDarkEnough) {
    settings.hatchDirection = kHatchRows;
    struct Case {
        const char* name;
        int edgeThreshold;
        int minLength;  // × scale 1.009
        int strokes;
    } cases[] = {
        {"darkness 205 above 204", 204, 0, 4},
        {"not above 205", 205, 0, 0},
        {"40 points reach a minimum of 40", 100, 40, 4},
        {"but not one of 41", 100, 41, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.edgeThreshold = c.edgeThreshold;
        settings.minLength = c.minLength;
        ZoDrawing drawing(images.Context());
        ASSERT_EQ(drawing.Run(&settings), 1);
        EXPECT_EQ(drawing.StrokeCount(), c.strokes);
    }
}

}  // namespace
