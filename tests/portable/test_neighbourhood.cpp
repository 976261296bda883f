// The neighbourhood helpers: the median of five, and the rolling window of padded row copies
// with its eight-neighbour sums, on pictures small enough to read the expected bytes off.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "engine/neighbourhood.h"
#include "imaging/dib.h"

namespace {

using neighbourhood::PaddedRowWindow;
using neighbourhood::PixelWindow;

// An 8-bit picture whose pixel (x, y) holds values[y][x].
std::unique_ptr<TDib> Map(const std::vector<std::vector<uint8_t>>& values) {
    auto map = TDib::Create8(static_cast<int>(values[0].size()), static_cast<int>(values.size()));
    for (int y = 0; y < map->Height(); ++y)
        std::copy(values[y].begin(), values[y].end(), map->Row(y));
    return map;
}

// The window's copy of a row, margins included: pixel -1 .. width.
std::vector<int> Line(const uint8_t* pixel0, int width) {
    return std::vector<int>(pixel0 - 1, pixel0 + width + 1);
}

}  // namespace

TEST(MedianOfFive, IsTheMiddleValueInEveryOrder) {
    const std::array<int, 5> sets[] = {
        {1, 2, 3, 4, 5},   {1, 1, 3, 5, 5},   {0, 0, 0, 255, 255}, {7, 7, 7, 7, 7},
        {0, 1, 128, 128, 255}, {-3, -3, 2, 2, 10}, {4, 9, 9, 9, 12},  {0, 0, 1, 1, 1},
    };
    for (const auto& set : sets) {
        std::array<int, 5> v = set;  // sorted: every order is a later permutation
        const int median = v[2];
        do {
            ASSERT_EQ(neighbourhood::MedianOfFive(v[0], v[1], v[2], v[3], v[4]), median)
                << v[0] << " " << v[1] << " " << v[2] << " " << v[3] << " " << v[4];
        } while (std::next_permutation(v.begin(), v.end()));
    }
}

TEST(PaddedRowWindow, RepeatsTheEdgePixelsAndTheEdgeRows) {
    const auto map = Map({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
    PaddedRowWindow<1> rows(*map);
    ASSERT_TRUE(rows.IsReady());

    rows.CentreOn(0);
    EXPECT_EQ(Line(rows.Before(), 3), (std::vector<int>{1, 1, 2, 3, 3})) << "row 0 stands in";
    EXPECT_EQ(Line(rows.Row(), 3), (std::vector<int>{1, 1, 2, 3, 3}));
    EXPECT_EQ(Line(rows.After(), 3), (std::vector<int>{4, 4, 5, 6, 6}));

    rows.CentreOn(2);
    EXPECT_EQ(rows.CentreRow(), 2);
    EXPECT_EQ(Line(rows.Before(), 3), (std::vector<int>{4, 4, 5, 6, 6}));
    EXPECT_EQ(Line(rows.Row(), 3), (std::vector<int>{7, 7, 8, 9, 9}));
    EXPECT_EQ(Line(rows.After(), 3), (std::vector<int>{7, 7, 8, 9, 9})) << "the last row stands in";
}

TEST(PaddedRowWindow, OnePixelWideOrHighRepeatsThatPixel) {
    const auto column = Map({{5}, {6}});
    PaddedRowWindow<1> down(*column);
    ASSERT_TRUE(down.IsReady());
    down.CentreOn(0);
    EXPECT_EQ(Line(down.Before(), 1), (std::vector<int>{5, 5, 5}));
    EXPECT_EQ(Line(down.After(), 1), (std::vector<int>{6, 6, 6}));

    auto pixel = TDib::Create24(1, 1);
    const uint8_t bgr[3] = {10, 20, 30};
    std::copy(bgr, bgr + 3, pixel->Row(0));
    PaddedRowWindow<3> window(*pixel);
    ASSERT_TRUE(window.IsReady());
    window.CentreOn(0);
    for (const uint8_t* line : {window.Before(), window.Row(), window.After()}) {
        // A whole pixel (three bytes) is repeated on each side, not one byte.
        EXPECT_EQ(std::vector<int>(line - 3, line + 6),
                  (std::vector<int>{10, 20, 30, 10, 20, 30, 10, 20, 30}));
    }
}

TEST(PaddedRowWindow, AdvanceKeepsTheCopiesWhileTheImageIsWritten) {
    auto map = Map({{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    PaddedRowWindow<1> rows(*map);
    ASSERT_TRUE(rows.IsReady());
    rows.CentreOn(0);
    std::fill(map->Row(0), map->Row(0) + 2, 90);  // the pass writes row 0
    rows.Advance();
    EXPECT_EQ(rows.CentreRow(), 1);
    EXPECT_EQ(Line(rows.Before(), 2), (std::vector<int>{1, 1, 2, 2})) << "row 0 as it was";
    EXPECT_EQ(Line(rows.Row(), 2), (std::vector<int>{3, 3, 4, 4}));
    EXPECT_EQ(Line(rows.After(), 2), (std::vector<int>{5, 5, 6, 6}));

    std::fill(map->Row(1), map->Row(1) + 2, 91);  // and row 1
    rows.AdvanceRereadingBefore();
    EXPECT_EQ(Line(rows.Before(), 2), (std::vector<int>{91, 91, 91, 91})) << "row 1 as written";
    EXPECT_EQ(Line(rows.Row(), 2), (std::vector<int>{5, 5, 6, 6}));
    EXPECT_EQ(Line(rows.After(), 2), (std::vector<int>{7, 7, 8, 8}));
}

TEST(PaddedRowWindow, SumsTheEightNeighboursOfEveryPixelOfTheRow) {
    // 4 × 3; neighbours beyond the edges are the nearest edge pixels.
    const auto map = Map({{1, 2, 3, 4}, {10, 20, 30, 40}, {100, 110, 120, 130}});
    const int expected[3][4] = {
        // Row 0 (its row before is row 0 again), e.g. x = 0: 1 + 1 + 2 | 1 + 2 | 10 + 10 + 20.
        {47, 70, 105, 128},
        // Row 1, e.g. x = 1: 1 + 2 + 3 + 10 + 30 + 100 + 110 + 120.
        {344, 376, 429, 461},
        // Row 2 (its row after is row 2 again).
        {560, 610, 690, 740},
    };
    PaddedRowWindow<1> rows(*map);
    ASSERT_TRUE(rows.IsReady());
    rows.CentreOn(0);
    for (int y = 0; y < 3; ++y, rows.Advance()) {
        std::vector<int> sums;
        std::vector<int> centres;
        rows.ForEachPixel([&](const PixelWindow<1>& window, int x) {
            EXPECT_EQ(window.centre, rows.Row() + x);
            EXPECT_EQ(window.before, rows.Before() + x);
            EXPECT_EQ(window.after, rows.After() + x);
            sums.push_back(window.sums[0]);
            centres.push_back(window.centre[0]);
        });
        EXPECT_EQ(sums, std::vector<int>(expected[y], expected[y] + 4)) << "row " << y;
        EXPECT_EQ(centres, std::vector<int>(map->Row(y), map->Row(y) + 4)) << "row " << y;
    }
}

TEST(PaddedRowWindow, SumsEachChannelOfAFullColourRowApart) {
    // 2 × 1, blue, green, red: every neighbour is one of the two pixels.
    auto picture = TDib::Create24(2, 1);
    const uint8_t pixels[6] = {1, 10, 100, 2, 20, 200};
    std::copy(pixels, pixels + 6, picture->Row(0));
    PaddedRowWindow<3> rows(*picture);
    ASSERT_TRUE(rows.IsReady());
    rows.CentreOn(0);
    std::vector<std::array<int, 3>> sums;
    rows.ForEachPixel([&](const PixelWindow<3>& window, int) {
        sums.push_back({window.sums[0], window.sums[1], window.sums[2]});
    });
    // Pixel 0 counts itself five times (its margin and the repeated rows) and pixel 1 three
    // times; pixel 1 the other way round.
    const std::vector<std::array<int, 3>> expected = {
        {5 * 1 + 3 * 2, 5 * 10 + 3 * 20, 5 * 100 + 3 * 200},
        {3 * 1 + 5 * 2, 3 * 10 + 5 * 20, 3 * 100 + 5 * 200},
    };
    EXPECT_EQ(sums, expected);
}

TEST(RunRowPasses, TheRowBeforeIsAsFoundOrAsWritten) {
    // One column of three rows; each row becomes its row before plus 10.
    using neighbourhood::RowBefore;
    const struct {
        const char* name;
        RowBefore rowBefore;
        int passes;
        std::vector<int> rows;
    } cases[] = {
        {"as found", RowBefore::kAsBeforeThePass, 1, {11, 11, 12}},
        {"as written", RowBefore::kAsWritten, 1, {11, 21, 31}},
        {"each pass reads the one before", RowBefore::kAsBeforeThePass, 2, {21, 21, 21}},
        {"no pass", RowBefore::kAsWritten, 0, {1, 2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto map = Map({{1}, {2}, {3}});
        std::vector<int> centres;
        const bool done = neighbourhood::RunRowPasses<1>(
            *map, c.passes, c.rowBefore, [&](const PaddedRowWindow<1>& rows, int y) {
                EXPECT_EQ(rows.CentreRow(), y);
                centres.push_back(y);
                map->Row(y)[0] = static_cast<uint8_t>(rows.Before()[0] + 10);
            });
        ASSERT_TRUE(done);
        EXPECT_EQ(centres.size(), static_cast<size_t>(3 * c.passes)) << "every row once a pass";
        EXPECT_EQ((std::vector<int>{map->Row(0)[0], map->Row(1)[0], map->Row(2)[0]}), c.rows);
    }
}
