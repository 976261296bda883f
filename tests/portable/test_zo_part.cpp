// ZoPart: segmentation into parts, ranking by focus, measuring pieces with their fill limits,
// and the transfers from the canvas into the source.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/zo_part.h"
#include "imaging/hue_color.h"
#include "tests/support/context_images.h"
#include "tests/support/pictures.h"

namespace {

using Rows = test_pictures::MapRows;
const char kWarning[] = "警告：この画像は複雑すぎます。";

// Every pixel's (blue, green, red) on an image.
std::vector<int> Colour(TDib& image, int x, int y) {
    const uint8_t* p = test_pictures::PixelAt(image, x, y);
    return {p[0], p[1], p[2]};
}

TEST(ZoPart, ConstructorReplacesTheStatusAndChecksTheImages) {
    ContextImages images(4, 2, 72, 0);
    StatusCopy(images.status, "Low:old");
    ZoPart part(images.Context());
    EXPECT_TRUE(part.IsValid());
    EXPECT_STREQ(images.status, "Part:");
    EXPECT_EQ(part.BackgroundPart(), 255);
    EXPECT_EQ(part.OutlineWidth(), 0);

    EngineContext wrong = images.Context();
    wrong.canvas = images.focusMap.get();  // 8 bits where 24 are needed
    ZoPart invalid(wrong);
    EXPECT_FALSE(invalid.IsValid());
    const int limits[] = {256}, merges[] = {6}, passes[] = {0};
    EXPECT_EQ(invalid.Segment(1, limits, merges, passes, 1), 0);
    EXPECT_EQ(invalid.MergeSmallParts(nullptr, nullptr, nullptr), 0);
}

// The 4 × 2 label map (row 0 first):   0 0 1 1
//                                      0 1 1 0
// label 0 has two pieces, {(0,0), (1,0), (0,1)} and {(3,1)}; label 1 one piece of four.
struct FourByTwo : ::testing::Test {
    ContextImages images{4, 2, 72, 0};
    void SetUp() override {
        test_pictures::SetMapRows(*images.colorIndexMap, {{0, 0, 1, 1}, {0, 1, 1, 0}});
        const int blue[2][4] = {{10, 20, 100, 110}, {30, 120, 130, 200}};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                test_pictures::SetPixel(*images.source, x, y, blue[y][x], blue[y][x] + 1,
                                       blue[y][x] + 2);
        images.colorCount = 2;
    }
};

TEST_F(FourByTwo, MeasurePartsPaintsEveryPieceInItsOwnMean) {
    ZoPart part(images.Context());
    EXPECT_EQ(part.MeasureParts(), 1);
    // Piece {10, 20, 30} has mean 20; the lone pixel keeps 200; label 1: (100+110+120+130)/4.
    const int expected[2][4] = {{20, 20, 115, 115}, {20, 115, 115, 200}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Colour(*images.canvas, x, y),
                      (std::vector<int>{expected[y][x], expected[y][x] + 1, expected[y][x] + 2}))
                << x << "," << y;
    // Per label over all its pieces: label 0 (10 + 20 + 30 + 200) / 4 = 65.
    EXPECT_EQ(part.PixelCount(0), 4);
    EXPECT_EQ(part.MeanBlue(0), 65);
    EXPECT_EQ(part.MeanGreen(0), 66);
    EXPECT_EQ(part.MeanRed(0), 67);
    EXPECT_EQ(part.PixelCount(1), 4);
    EXPECT_EQ(part.MeanBlue(1), 115);
    EXPECT_EQ(part.PixelCount(2), 0);
    // The visited marks are gone again.
    EXPECT_EQ(test_pictures::RowsOf(*images.colorIndexMap), (Rows{{0, 0, 1, 1}, {0, 1, 1, 0}}));
    EXPECT_STREQ(images.status, "Part:");

    // Measured again after label 1 has gone, its statistics are cleared, not left over.
    test_pictures::SetMapRows(*images.colorIndexMap, {{0, 0, 0, 0}, {0, 0, 0, 0}});
    part.MeasureParts();
    EXPECT_EQ(part.PixelCount(1), 0);
    EXPECT_EQ(part.MeanBlue(1), 0);
    EXPECT_EQ(part.PixelCount(0), 8);
}

// A FillPart that records what the contract promises at the call.
class RecordingPart : public ZoPart {
public:
    using ZoPart::ZoPart;
    struct Piece {
        int spans;
        int64_t count, blueSum;
        bool allMarked;
    };
    std::vector<Piece> pieces;
    void FillPart() override {
        bool marked = true;
        for (int i = 0; i < SpanCount(); ++i)
            for (int x = SpanLeft(i); x <= SpanRight(i); ++x)
                marked = marked && (LabelMap()->Row(SpanRow(i))[x] & kVisited) != 0;
        pieces.push_back({SpanCount(), PieceCount(), PieceBlue(), marked});
    }
};

TEST_F(FourByTwo, FillPartIsCalledOncePerPieceWithItsSpansMarked) {
    RecordingPart part(images.Context());
    part.MeasureParts();
    ASSERT_EQ(part.pieces.size(), 3u);
    // In storage order of the pieces' first pixels: label 0 at (0,0), label 1 at (2,0),
    // label 0 at (3,1).
    EXPECT_EQ(part.pieces[0].count, 3);
    EXPECT_EQ(part.pieces[0].blueSum, 60);
    EXPECT_EQ(part.pieces[0].spans, 2);
    EXPECT_EQ(part.pieces[1].count, 4);
    EXPECT_EQ(part.pieces[2].count, 1);
    for (const auto& piece : part.pieces) EXPECT_TRUE(piece.allMarked);
    // The override painted nothing; the statistics are still the base's.
    EXPECT_EQ(Colour(*images.canvas, 0, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(part.MeanBlue(0), 65);
}

TEST(ZoPartFill, SpanLimitCutsTheTallPieceAndWarns) {
    // One column of 5001 rows: one span per row, so the fill stops at 5000 spans.
    ContextImages images(1, 5001, 72, 0);
    for (int y = 0; y < 5001; ++y) test_pictures::SetPixel(*images.source, 0, y, y < 5000 ? 10 : 250, 0, 0);
    RecordingPart part(images.Context());
    part.MeasureParts();
    EXPECT_STREQ(images.status, kWarning);
    ASSERT_EQ(part.pieces.size(), 2u);
    EXPECT_EQ(part.pieces[0].spans, 5000);
    EXPECT_EQ(part.pieces[0].count, 5000);
    EXPECT_EQ(part.pieces[1].count, 1);  // the rest, flooded later as a piece of its own
    EXPECT_EQ(part.PixelCount(0), 5001);
    EXPECT_EQ(images.colorIndexMap->Row(5000)[0], 0) << "visited marks cleared";
}

TEST(ZoPartFill, StackLimitStopsTheFillAtTwoThousandSeeds) {
    // Row 0 is label 0 across 4001 columns; row 1 alternates 0, 1, ... so the fill of row 0
    // would push 2001 seeds into row 1 and stops at the 2000th.
    ContextImages images(4001, 2, 72, 0);
    std::vector<uint8_t> alternating(4001);
    for (int x = 0; x < 4001; ++x) alternating[x] = static_cast<uint8_t>(x % 2);
    test_pictures::SetMapRows(*images.colorIndexMap, {std::vector<uint8_t>(4001, 0), alternating});
    RecordingPart part(images.Context());
    part.MeasureParts();
    EXPECT_STREQ(images.status, kWarning);
    ASSERT_FALSE(part.pieces.empty());
    EXPECT_EQ(part.pieces[0].spans, 1);
    EXPECT_EQ(part.pieces[0].count, 4001);  // the seeds stacked in row 1 were never taken
    // The 2001 label-0 pixels of row 1 are flooded later, each a piece of its own; the 2000
    // label-1 pixels too.
    EXPECT_EQ(part.pieces.size(), 1u + 2001u + 2000u);
    EXPECT_EQ(part.PixelCount(0), 4001 + 2001);
    EXPECT_EQ(part.PixelCount(1), 2000);
}

TEST(ZoPartFill, PicturesWiderThan32767PixelsAreMeasured) {
    ContextImages images(40000, 2, 72, 0);
    test_pictures::FillPixels(*images.source, 50, 60, 70);
    for (int x = 35000; x < 40000; ++x) images.colorIndexMap->Row(1)[x] = 1;
    ZoPart part(images.Context());
    part.MeasureParts();
    EXPECT_EQ(part.PixelCount(0), 80000 - 5000);
    EXPECT_EQ(part.PixelCount(1), 5000);
    EXPECT_EQ(Colour(*images.canvas, 39999, 1), (std::vector<int>{50, 60, 70}));
    EXPECT_EQ(Colour(*images.canvas, 39999, 0), (std::vector<int>{50, 60, 70}));
}

TEST(ZoPartFill, LargeWhiteAreasKeepTheirMean) {
    // 8.7 million white pixels: the piece's and the label's sums pass 2^31.
    ContextImages images(3000, 2900, 72, 0);
    test_pictures::FillPixels(*images.source, 255, 255, 255);
    ZoPart part(images.Context());
    part.MeasureParts();
    EXPECT_EQ(part.PixelCount(0), 3000 * 2900);
    EXPECT_EQ(part.MeanRed(0), 255);
    EXPECT_EQ(Colour(*images.canvas, 1234, 2345), (std::vector<int>{255, 255, 255}));

    test_pictures::FillMap(*images.focusMap, 255);
    images.colorCount = 1;
    part.RankByFocus();
    EXPECT_EQ(part.MeanFocus(0), 255);
    EXPECT_EQ(part.BackgroundPart(), 0);
}

TEST(ZoPartFill, PieceSumsOverLongSpansOfVariedColoursAreExact) {
    // Spans of every length up to thousands of pixels, each pixel of another colour: the
    // means are the exact integer means of the source.
    for (int width : {5, 8, 9, 2063, 4100}) {
        SCOPED_TRACE(width);
        ContextImages images(width, 3, 72, 0);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                test_pictures::SetPixel(*images.source, x, y, (x * 7 + y) % 256, (x * 13 + 5) % 256,
                                        255 - (x * 3 + y * 11) % 256);
        // Label 1 on the middle row from column 3 on: label 0 around it in one piece.
        for (int x = 3; x < width; ++x) images.colorIndexMap->Row(1)[x] = 1;
        int64_t sums[2][3] = {}, counts[2] = {};
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                const int label = images.colorIndexMap->Row(y)[x];
                const uint8_t* pixel = test_pictures::PixelAt(*images.source, x, y);
                for (int c = 0; c < 3; ++c) sums[label][c] += pixel[c];
                ++counts[label];
            }
        ZoPart part(images.Context());
        part.MeasureParts();
        for (int label = 0; label < 2; ++label) {
            EXPECT_EQ(part.PixelCount(label), counts[label]);
            EXPECT_EQ(part.MeanBlue(label), sums[label][0] / counts[label]);
            EXPECT_EQ(part.MeanGreen(label), sums[label][1] / counts[label]);
            EXPECT_EQ(part.MeanRed(label), sums[label][2] / counts[label]);
        }
        EXPECT_EQ(Colour(*images.canvas, width - 1, 1),
                  (std::vector<int>{part.MeanBlue(1), part.MeanGreen(1), part.MeanRed(1)}));
    }
}

TEST(ZoPartRank, BackgroundIsTheLeastFocusedPartOfAtLeastMeanSize) {
    struct Case {
        const char* name;
        Rows labels;
        Rows focus;
        int parts;
        int background;
        std::vector<int> means;
    } cases[] = {
        // Label 2 is the least focused but has 1 pixel, below the mean size 12 / 3 = 4.
        {"small part skipped", {{0, 0, 0, 0}, {1, 1, 1, 1}, {1, 1, 1, 2}},
         {{90, 90, 90, 90}, {40, 40, 40, 40}, {40, 40, 40, 0}}, 3, 1, {90, 40, 0}},
        // Equal means: the lower label wins.
        {"tie", {{0, 0, 1, 1}, {0, 0, 1, 1}}, {{30, 30, 30, 30}, {30, 30, 30, 30}}, 2, 0, {30, 30}},
        // A label without pixels gets mean 0 and is never chosen.
        {"empty label", {{1, 1}, {1, 1}}, {{70, 80}, {90, 100}}, 2, 1, {0, 85}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(static_cast<int>(c.labels[0].size()),
                             static_cast<int>(c.labels.size()), 72, 0);
        test_pictures::SetMapRows(*images.colorIndexMap, c.labels);
        test_pictures::SetMapRows(*images.focusMap, c.focus);
        images.colorCount = c.parts;
        ZoPart part(images.Context());
        part.RankByFocus();
        EXPECT_EQ(part.BackgroundPart(), c.background);
        for (int label = 0; label < c.parts; ++label) EXPECT_EQ(part.MeanFocus(label), c.means[label]);
    }
}

// A picture of four far-apart colours in vertical stripes of `stripe` columns, repeated.
void FourColourStripes(ContextImages& images, int stripe) {
    const int colours[4][3] = {{0, 0, 0}, {255, 255, 255}, {0, 0, 255}, {255, 0, 0}};
    for (int y = 0; y < images.height; ++y)
        for (int x = 0; x < images.width; ++x) {
            const int* c = colours[(x / stripe) % 4];
            test_pictures::SetPixel(*images.source, x, y, c[0], c[1], c[2]);
        }
}

TEST(ZoPartSegment, OneBandGivesOnePartPerColour) {
    ContextImages images(16, 4, 72, 0);
    FourColourStripes(images, 2);
    const int limits[] = {256}, merges[] = {6}, passes[] = {0};
    ZoPart part(images.Context());
    ASSERT_EQ(part.Segment(1, limits, merges, passes, 1), 1);
    EXPECT_EQ(images.colorCount, 4);
    const Rows labels = test_pictures::RowsOf(*images.colorIndexMap);
    for (int x = 0; x < 16; ++x) {
        EXPECT_LT(labels[0][x], 4);
        EXPECT_EQ(labels[0][x], labels[0][x % 8]) << "one colour, one part";
        EXPECT_EQ(labels[3][x], labels[0][x]);
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) EXPECT_NE(labels[0][2 * a], labels[0][2 * b]);
}

TEST(ZoPartSegment, BandsNumberTheirPartsInTurn) {
    // Focus 0 on the left half, 255 on the right: the same colours become parts 0..3 on the
    // left and 4..7 on the right.
    ContextImages images(16, 2, 72, 0);
    FourColourStripes(images, 1);
    for (int y = 0; y < 2; ++y) std::memset(images.focusMap->Row(y) + 8, 255, 8);
    const int limits[] = {128, 256}, merges[] = {6, 6}, passes[] = {0, 0};
    ZoPart part(images.Context());
    ASSERT_EQ(part.Segment(2, limits, merges, passes, 1), 1);
    EXPECT_EQ(images.colorCount, 8);
    const Rows labels = test_pictures::RowsOf(*images.colorIndexMap);
    for (int x = 0; x < 8; ++x) {
        EXPECT_LT(labels[0][x], 4);
        EXPECT_EQ(labels[0][x + 8], labels[0][x] + 4) << x;
    }
}

TEST(ZoPartSegment, BandsWithPassesAreCleanedBelowTheirLimit) {
    // Black with one white pixel in each half; focus 0 on the left, 255 on the right. Band 0
    // (focus below 128) gets a cleaning pass, band 1 none: only the left stray pixel goes.
    ContextImages images(12, 5, 72, 0);
    test_pictures::SetPixel(*images.source, 2, 2, 255, 255, 255);
    test_pictures::SetPixel(*images.source, 9, 2, 255, 255, 255);
    for (int y = 0; y < 5; ++y) std::memset(images.focusMap->Row(y) + 6, 255, 6);
    const int limits[] = {128, 256}, merges[] = {6, 6}, passes[] = {1, 0};
    ZoPart part(images.Context());
    ASSERT_EQ(part.Segment(2, limits, merges, passes, 1), 1);
    EXPECT_EQ(images.colorCount, 4);
    const Rows labels = test_pictures::RowsOf(*images.colorIndexMap);
    EXPECT_EQ(labels[2][2], labels[2][1]) << "cleaned into its surroundings";
    EXPECT_NE(labels[2][9], labels[2][8]) << "a focused band without passes keeps it";
    EXPECT_NE(labels[2][1], labels[2][8]) << "the bands' parts differ";
}

TEST(ZoPartSegment, FailuresLeaveTheMapAsItWas) {
    // 64 colours spread over the cube: eight bands keep 16 each, 128 parts, above 126.
    ContextImages images(64, 8, 72, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 64; ++x)
            test_pictures::SetPixel(*images.source, x, y, 85 * (x % 4), 85 * (x / 4 % 4),
                                   85 * (x / 16));
    for (int y = 0; y < 8; ++y) std::memset(images.focusMap->Row(y), 32 * y, 64);
    const int limits[] = {32, 64, 96, 128, 160, 192, 224, 256};
    const int merges[] = {16, 16, 16, 16, 16, 16, 16, 16};
    const int passes[8] = {};
    {
        ZoPart part(images.Context());
        test_pictures::FillMap(*images.colorIndexMap, 7);
        images.colorCount = 5;
        EXPECT_EQ(part.Segment(9, limits, merges, passes, 1), 0);
        EXPECT_EQ(images.colorCount, 5);
        EXPECT_EQ(images.colorIndexMap->Row(3)[10], 7);
        EXPECT_STREQ(images.status, "Part:") << "silently";
    }
    ZoPart part(images.Context());
    EXPECT_EQ(part.Segment(8, limits, merges, passes, 1), 0);
    EXPECT_EQ(std::string(images.status).substr(std::string(images.status).size() - 10), "over clors");
    // The engine's count is the fresh palette's (at most 64), not the number of parts.
    EXPECT_GT(images.colorCount, 16);
    EXPECT_LE(images.colorCount, 64);
    // Every pixel still holds its colour index: equal colours, equal indices.
    for (int x = 0; x < 64; ++x) {
        EXPECT_LT(images.colorIndexMap->Row(0)[x], 64);
        EXPECT_EQ(images.colorIndexMap->Row(7)[x], images.colorIndexMap->Row(0)[x]);
    }
}

TEST(ZoPartSegment, WithoutRequantisingTheEnginePaletteIsUsed) {
    ContextImages images(4, 1, 72, 0);
    const uint8_t colours[3][3] = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}};
    for (int j = 0; j < 3; ++j) {
        images.colorTable[j].red = colours[j][0];
        images.colorTable[j].green = colours[j][1];
        images.colorTable[j].blue = colours[j][2];
        images.colorTable[j].pixelCount = 1;
    }
    images.colorCount = 3;
    test_pictures::SetMapRows(*images.colorIndexMap, {{2, 1, 0, 2}});
    const int limits[] = {256}, merges[] = {8}, passes[] = {0};
    ZoPart part(images.Context());
    ASSERT_EQ(part.Segment(1, limits, merges, passes, 0), 1);
    EXPECT_EQ(images.colorCount, 3);
    // Three far-apart colours stay three parts, numbered by their lowest colour index.
    EXPECT_EQ(test_pictures::RowsOf(*images.colorIndexMap), (Rows{{2, 1, 0, 2}}));
}

TEST(ZoPart, RemapLumaChromaWritesTheCanvasThroughTheTablesIntoTheSource) {
    ContextImages images(2, 1, 72, 0);
    test_pictures::SetPixel(*images.canvas, 0, 0, 40, 120, 200);
    test_pictures::SetPixel(*images.canvas, 1, 0, 90, 90, 90);
    uint8_t identity[256], half[256];
    for (int i = 0; i < 256; ++i) {
        identity[i] = static_cast<uint8_t>(i);
        half[i] = static_cast<uint8_t>(i / 2);
    }
    ZoPart part(images.Context());
    part.RemapLumaChroma(identity, identity);
    // The identity tables reproduce the colour up to the conversions' rounding.
    HueColor expected{200, 120, 40, 0, 0, 0};
    RgbToHcy(expected);
    HcyToRgb(expected);
    EXPECT_EQ(Colour(*images.source, 0, 0),
              (std::vector<int>{expected.blue, expected.green, expected.red}));

    part.RemapLumaChroma(half, identity);
    HueColor darker{90, 90, 90, 0, 0, 0};
    RgbToHcy(darker);
    darker.luma /= 2;
    HcyToRgb(darker);
    EXPECT_EQ(Colour(*images.source, 1, 0), (std::vector<int>{darker.blue, darker.green, darker.red}));
    EXPECT_EQ(Colour(*images.canvas, 1, 0), (std::vector<int>{90, 90, 90})) << "canvas unchanged";

    part.CopyCanvasToSource();
    EXPECT_EQ(Colour(*images.source, 0, 0), (std::vector<int>{40, 120, 200}));
}

TEST(ZoPart, RemapLumaChromaGivesEveryPixelItsOwnColourWhateverRepeats) {
    // Runs of one colour, changes back and forth and across rows, black first: each pixel as
    // if it alone went through the tables.
    ContextImages images(5, 2, 72, 0);
    const int colours[10][3] = {{0, 0, 0},    {0, 0, 0},      {40, 120, 200}, {40, 120, 200},
                                {0, 0, 0},    {40, 120, 200}, {40, 120, 201}, {40, 120, 201},
                                {90, 90, 90}, {0, 0, 0}};
    for (int i = 0; i < 10; ++i)
        test_pictures::SetPixel(*images.canvas, i % 5, i / 5, colours[i][0], colours[i][1],
                                colours[i][2]);
    uint8_t inverse[256], doubled[256];
    for (int i = 0; i < 256; ++i) {
        inverse[i] = static_cast<uint8_t>(255 - i);
        doubled[i] = static_cast<uint8_t>(i < 128 ? 2 * i : 255);
    }
    ZoPart part(images.Context());
    part.RemapLumaChroma(inverse, doubled);
    for (int i = 0; i < 10; ++i) {
        HueColor expected{colours[i][2], colours[i][1], colours[i][0], 0, 0, 0};
        RgbToHcy(expected);
        expected.luma = inverse[expected.luma];
        expected.chroma = doubled[expected.chroma];
        HcyToRgb(expected);
        EXPECT_EQ(Colour(*images.source, i % 5, i / 5),
                  (std::vector<int>{expected.blue, expected.green, expected.red}))
            << i;
    }
}

}  // namespace
