// ZoPart's merging of pieces into their cheapest neighbour, and its outlines.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/zo_part.h"
#include "imaging/random.h"
#include "tests/support/context_images.h"
#include "tests/support/pictures.h"
#include "tests/support/random_steps.h"

namespace {

using Rows = test_pictures::MapRows;

struct Tables {
    uint8_t focus[256];
    uint8_t luma[256];
    uint8_t chroma[256];
    Tables(int focusValue, int lumaValue, int chromaValue) {
        std::memset(focus, focusValue, sizeof focus);
        std::memset(luma, lumaValue, sizeof luma);
        std::memset(chroma, chromaValue, sizeof chroma);
    }
};

// Measures, then merges once with the tables; returns the merge result.
int MeasureAndMerge(ContextImages& images, const Tables& t) {
    ZoPart part(images.Context());
    part.MeasureParts();
    return part.MergeSmallParts(t.focus, t.luma, t.chroma);
}

TEST(ZoPartMerge, APieceInsideOneFlatNeighbourOfItsColourAlwaysMerges) {
    // The ring (label 0, flooded first) and the centre (label 1) share one colour: the ring's
    // cost is 20 × 255 / 256 = 19, so it merges into the centre, which then has no neighbour.
    ContextImages images(3, 3, 72, 0);
    test_pictures::FillPixels(*images.source, 90, 100, 110);
    images.colorIndexMap->Row(1)[1] = 1;
    EXPECT_EQ(MeasureAndMerge(images, Tables(255, 0, 0)), 1);
    EXPECT_EQ(test_pictures::RowsOf(*images.colorIndexMap), (Rows{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}));
}

TEST(ZoPartMerge, TheCostLimitIsSixty) {
    // Piece 0 at the left, neighbour 1 at the right, colours 11 apart in the channel sum on
    // the canvas and across the border in the source: base = 20 + 11 + 8 × 11 + luma + chroma,
    // cost = 128 × base / 256.
    struct Case {
        int luma;
        bool merges;
    } cases[] = {{0, true}, {1, false}};  // base 119 -> cost 59; base 120 -> cost 60
    for (const Case& c : cases) {
        SCOPED_TRACE(c.luma);
        ContextImages images(2, 1, 72, 0);
        test_pictures::SetPixel(*images.source, 0, 0, 100, 100, 100);
        test_pictures::SetPixel(*images.source, 1, 0, 111, 100, 100);
        images.colorIndexMap->Row(0)[1] = 1;
        EXPECT_EQ(MeasureAndMerge(images, Tables(128, c.luma, 0)), c.merges ? 1 : 0);
        EXPECT_EQ(images.colorIndexMap->Row(0)[0], c.merges ? 1 : 0);
        EXPECT_EQ(images.colorIndexMap->Row(0)[1], 1);
    }
}

TEST(ZoPartMerge, EqualCostsGoToTheLowerLabel) {
    // Piece 7 at (0,0) touches two neighbours of one colour and focus, one to its right and
    // one above; whichever sits where, the lower label wins.
    struct Case {
        uint8_t right, above, expected;
    } cases[] = {{3, 5, 3}, {5, 3, 3}};
    for (const Case& c : cases) {
        ContextImages images(2, 2, 72, 0);
        test_pictures::FillPixels(*images.source, 60, 60, 60);
        test_pictures::SetMapRows(*images.colorIndexMap, {{7, c.right}, {c.above, 9}});
        // Label 9 costs too much to take anything: far from the others in colour.
        test_pictures::SetPixel(*images.source, 1, 1, 250, 250, 250);
        MeasureAndMerge(images, Tables(255, 0, 0));
        EXPECT_EQ(images.colorIndexMap->Row(0)[0], c.expected) << int(c.right) << "," << int(c.above);
    }
}

TEST(ZoPartMerge, ANeighbourOfSeveralPaintedColoursIsNeverChosen) {
    // Rows (row 0 first):  P A B      P = label 1 (focus 0), A = label 2 in two separate
    //                      P B B      pieces (focus 0), B = label 3 (focus 255, far colour).
    //                      A B B
    // Every A pixel would cost 0 (focus table 0 at focus 0), but when the two A pieces are
    // painted black and white their border pixels spread too much: P stays.
    struct Case {
        const char* name;
        int secondA;
        uint8_t expected;
    } cases[] = {{"spread", 255, 1}, {"flat", 0, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(3, 3, 72, 0);
        test_pictures::SetMapRows(*images.colorIndexMap, {{1, 2, 3}, {1, 3, 3}, {2, 3, 3}});
        test_pictures::FillPixels(*images.source, 200, 200, 200);
        test_pictures::SetPixel(*images.source, 0, 0, 0, 0, 0);
        test_pictures::SetPixel(*images.source, 0, 1, 0, 0, 0);
        test_pictures::SetPixel(*images.source, 1, 0, 0, 0, 0);
        test_pictures::SetPixel(*images.source, 0, 2, c.secondA, c.secondA, c.secondA);
        test_pictures::FillMap(*images.focusMap, 255);
        images.focusMap->Row(0)[0] = images.focusMap->Row(1)[0] = 0;
        images.focusMap->Row(0)[1] = images.focusMap->Row(2)[0] = 0;
        Tables tables(255, 0, 0);
        tables.focus[0] = 0;
        MeasureAndMerge(images, tables);
        EXPECT_EQ(images.colorIndexMap->Row(0)[0], c.expected);
        EXPECT_EQ(images.colorIndexMap->Row(1)[0], c.expected);
    }
}

// Two parts split down the middle of an 8 × 6 picture, focus 255 everywhere.
void TwoParts(ContextImages& images) {
    for (int y = 0; y < 6; ++y) std::memset(images.colorIndexMap->Row(y) + 4, 1, 4);
    test_pictures::FillPixels(*images.source, 100, 150, 200);
    for (int y = 0; y < 6; ++y)
        for (int x = 4; x < 8; ++x) test_pictures::SetPixel(*images.source, x, y, 20, 30, 40);
    test_pictures::FillMap(*images.focusMap, 255);
    test_pictures::FillPixels(*images.canvas, 7, 8, 9);
}

struct OutlineFixture : ::testing::Test {
    ContextImages images{8, 6, 72, 0};
    uint8_t full[256];
    void SetUp() override {
        TwoParts(images);
        std::memset(full, 255, sizeof full);
        SetSeed(1234);
    }
};

TEST_F(OutlineFixture, NoWidthOrNoChanceLeavesEverythingAlone) {
    for (auto args : {std::pair<int, int>{0, 100}, {3, 0}, {-1, 50}, {2, -5}}) {
        ZoPart part(images.Context());
        const Rows before = test_pictures::RowsOf(*images.colorIndexMap);
        part.Outline(args.first, args.second, full);
        EXPECT_EQ(test_pictures::RowsOf(*images.colorIndexMap), before);
        EXPECT_EQ(part.OutlineWidth(), 0);
        EXPECT_EQ(test_pictures::PixelAt(*images.canvas, 3, 3)[0], 7);
        EXPECT_EQ(RandomState, 1234u);
    }
}

TEST_F(OutlineFixture, FullChanceGrowsTheBorderEvenly) {
    ZoPart part(images.Context());
    part.Outline(1, 100, full);
    EXPECT_EQ(part.OutlineWidth(), 1);
    // reach = 255 × 1 / 255 = 1: no growing step has r + 1 < 1, so only the marked border
    // columns 3 and 4 become outline, and no random draw is made.
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(images.colorIndexMap->Row(y)[2], 0);
        EXPECT_EQ(images.colorIndexMap->Row(y)[3], 255);
        EXPECT_EQ(images.colorIndexMap->Row(y)[4], 255);
        EXPECT_EQ(images.colorIndexMap->Row(y)[5], 1);
        EXPECT_EQ(test_pictures::PixelAt(*images.canvas, 3, y)[2], 0);
    }
    EXPECT_EQ(RandomState, 1234u);
    // The other pixels keep their red byte; blue and green were the work planes.
    EXPECT_EQ(test_pictures::PixelAt(*images.canvas, 0, 0)[2], 9);

    // Measuring afterwards leaves the outline black and outside the statistics.
    part.MeasureParts();
    EXPECT_EQ(images.colorIndexMap->Row(2)[3], 255);
    EXPECT_EQ(test_pictures::PixelAt(*images.canvas, 4, 2)[0], 0);
    EXPECT_EQ(part.PixelCount(0), 18);
    EXPECT_EQ(part.PixelCount(1), 18);
    EXPECT_EQ(part.PixelCount(255), 0);
    EXPECT_EQ(test_pictures::PixelAt(*images.canvas, 0, 0)[2], 200);
}

TEST_F(OutlineFixture, WiderOutlinesGrowOneColumnPerStepAndDrawPerCandidate) {
    ZoPart part(images.Context());
    part.Outline(3, 100, full);
    // reach 3: steps r = 0 and 1 grow (r + 1 < 3), steps 2 and 3 would only copy. Columns 1..6.
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(images.colorIndexMap->Row(y)[0], 0);
        for (int x = 1; x <= 6; ++x) EXPECT_EQ(images.colorIndexMap->Row(y)[x], 255) << x;
        EXPECT_EQ(images.colorIndexMap->Row(y)[7], 1);
    }
    // Candidates: step 0 the 36 unmarked pixels, step 1 the 24 left.
    uint32_t expected = 1234;
    expected = StateAfterSteps(expected, 36 + 24);
    EXPECT_EQ(RandomState, expected);
}

TEST_F(OutlineFixture, PercentAboveHundredActsAsHundred) {
    ZoPart part(images.Context());
    part.Outline(3, 250, full);
    const uint32_t stateClamped = RandomState;

    ContextImages reference(8, 6, 72, 0);
    TwoParts(reference);
    SetSeed(1234);
    ZoPart referencePart(reference.Context());
    referencePart.Outline(3, 100, full);
    EXPECT_EQ(test_pictures::RowsOf(*images.colorIndexMap), test_pictures::RowsOf(*reference.colorIndexMap));
    EXPECT_EQ(RandomState, stateClamped);
}

TEST_F(OutlineFixture, LowChanceGrowsOnlyWhereTheDrawAllows) {
    // With 1 % only states below 2^32 / 100 take a candidate; replay the draws to know which.
    ZoPart part(images.Context());
    part.Outline(2, 1, full);
    // Step 0 (r + 1 = 1 < reach 2) is the only growing step; its candidates are the unmarked
    // pixels in storage order, and a taken one needs a marked neighbour in the blue plane.
    uint32_t state = 1234;
    const uint32_t threshold = static_cast<uint32_t>(1 * 4294967295.0 * 0.01);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (x == 3 || x == 4) {
                EXPECT_EQ(images.colorIndexMap->Row(y)[x], 255);
                continue;
            }
            state = NextState(state);
            const bool nextToBorder = x == 2 || x == 5;
            const uint8_t expected = (state <= threshold && nextToBorder) ? 255 : (x < 4 ? 0 : 1);
            EXPECT_EQ(images.colorIndexMap->Row(y)[x], expected) << x << "," << y;
        }
    }
    EXPECT_EQ(RandomState, state);
}

}  // namespace
