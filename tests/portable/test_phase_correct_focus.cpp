// The default CorrectFocus phase.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "engine/zo_focus.h"
#include "imaging/math_tbl.h"
#include "tests/support/pictures.h"

namespace {

// The "Focus Correct" constants by focus level: sigmoid slope, centre, low, high; start; end
// without and with regions; region limit.
struct LevelRow {
    double curve[4];
    int start, endWithoutRegions, endWithRegions, limit;
};
const LevelRow kLevels[3] = {
    {{-0.05, 0.6, -0.02, 1.05}, 50, 200, 200, 200},
    {{0, 0.5, 0, 1}, 0, 255, 200, 255},
    {{0.04, 0.4, 0, 1}, 0, 255, 150, 255},
};

LowColor Grey(uint8_t level, uint32_t central, uint32_t outside) {
    LowColor c = {};
    c.red = c.green = c.blue = level;
    c.centralCount = central;
    c.outsideCount = outside;
    return c;
}

EllipseRegion Circle(int cx, int cy, int diameter) {
    EllipseRegion r = {};
    r.centerX = cx;
    r.centerY = cy;
    r.length = r.width = diameter;
    r.ratio = 1;
    r.cosine = 1;
    return r;
}

constexpr int kWidth = 30;
constexpr int kHeight = 24;

// An engine on a 30 × 24 picture whose colour-index map holds a background (colour 0), a
// frame of colour 1 and an inner block of colour 2, so that the focus map has three levels
// and the curve shapes the middle one.
struct FocusEngine : ::testing::Test {
    char status[kStatusSize] = "";
    std::unique_ptr<TDib> picture = test_pictures::Flat(kWidth, kHeight, 10, 20, 30);
    ExpertBase engine;

    void SetUp() override {
        engine.source = picture.get();
        engine.status = status;
        ASSERT_EQ(engine.Initialize(), 1);
        TDib& index = *engine.colorIndexMap;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                uint8_t c = 0;
                if (x >= 8 && x <= 23 && y >= 5 && y <= 18) c = 1;
                if (x >= 12 && x <= 19 && y >= 9 && y <= 14) c = 2;
                index.Row(y)[x] = c;
            }
        }
        engine.colorTable[0] = Grey(102, 0, 400);
        engine.colorTable[1] = Grey(136, 50, 30);
        engine.colorTable[2] = Grey(187, 40, 0);
        engine.colorCount = 3;
        std::memset(engine.focusMap->Bits(), 0, engine.focusMap->ImageBytes());
    }

    std::vector<uint8_t> FocusBytes(const TDib& map) const {
        std::vector<uint8_t> bytes;
        for (int y = 0; y < kHeight; ++y) bytes.insert(bytes.end(), map.Row(y), map.Row(y) + kWidth);
        return bytes;
    }

    // The map the phase should make at `level`, built step by step from the constants above.
    std::vector<uint8_t> Expected(int level, const EllipseRegion* regions, int count) {
        const LevelRow& row = kLevels[level];
        auto focus = TDib::Create8(kWidth, kHeight);
        auto index = TDib::Create8(kWidth, kHeight);
        std::memcpy(index->Bits(), engine.colorIndexMap->Bits(), index->ImageBytes());
        MathTbl curve;
        curve.Sigmoid(row.curve[0], row.curve[1], row.curve[2], row.curve[3]);
        char scratch[kStatusSize] = "";
        ZoFocus zo(focus.get(), index.get(), engine.colorTable, engine.colorCount, scratch);
        EXPECT_EQ(zo.Compute(row.start, count > 0 ? row.endWithRegions : row.endWithoutRegions,
                             curve.Table()),
                  1);
        if (count > 0) {
            EXPECT_EQ(zo.AddRegions(regions, count, row.limit), 1);
        }
        EXPECT_EQ(zo.Blur(2), 1);
        return FocusBytes(*focus);
    }

    uint8_t Focus(int x, int y) const { return engine.focusMap->Row(y)[x]; }
};

TEST_F(FocusEngine, CurveAndRangeFollowTheFocusLevel) {
    for (int level = 0; level < 3; ++level) {
        SCOPED_TRACE(level);
        engine.focusLevel = level;
        ASSERT_EQ(engine.CorrectFocus(), 1);
        EXPECT_STREQ(status, "Focus:");
        EXPECT_EQ(FocusBytes(*engine.focusMap), Expected(level, nullptr, 0));
        // Far from the objects the blur changes nothing: the background lies at the curve's
        // value of start, the inner block at its value of end, both kept within start..end.
        const LevelRow& row = kLevels[level];
        MathTbl curve;
        curve.Sigmoid(row.curve[0], row.curve[1], row.curve[2], row.curve[3]);
        const auto within = [&](int v) {
            return std::min(std::max(v, row.start), row.endWithoutRegions);
        };
        EXPECT_EQ(Focus(2, 2), within(curve.Table()[row.start]));
        EXPECT_EQ(Focus(15, 11), within(curve.Table()[row.endWithoutRegions]));
        if (level > 0) {
            EXPECT_EQ(Focus(2, 2), 0);
            EXPECT_EQ(Focus(15, 11), 255);
        }
    }
    // The three levels give three different maps: the curve and range are not one constant.
    engine.focusLevel = 0;
    ASSERT_EQ(engine.CorrectFocus(), 1);
    const auto level0 = FocusBytes(*engine.focusMap);
    engine.focusLevel = 2;
    ASSERT_EQ(engine.CorrectFocus(), 1);
    const auto level2 = FocusBytes(*engine.focusMap);
    EXPECT_NE(level0, level2);
    EXPECT_NE(level2, Expected(1, nullptr, 0));
}

TEST_F(FocusEngine, RegionsOnlyWhenTheCountIsPositive) {
    const EllipseRegion region = Circle(4, 4, 8);
    for (int i = 0; i < kMaxRegions; ++i) engine.regions[i] = region;
    struct Case {
        int count;
        int used;  // regions the phase should apply
    } cases[] = {{0, 0}, {-2, 0}, {1, 1}, {3, 3}, {kMaxRegions, kMaxRegions},
                 {kMaxRegions + 5, kMaxRegions}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        for (int level = 0; level < 3; ++level) {
            SCOPED_TRACE(level);
            engine.focusLevel = level;
            engine.regionCount = c.count;
            ASSERT_EQ(engine.CorrectFocus(), 1);
            EXPECT_EQ(FocusBytes(*engine.focusMap), Expected(level, engine.regions, c.used));
        }
    }
    // A region raises its part of the background above the rest of it.
    engine.focusLevel = 1;
    engine.regionCount = 1;
    ASSERT_EQ(engine.CorrectFocus(), 1);
    EXPECT_GT(Focus(4, 4), Focus(26, 20));
}

TEST_F(FocusEngine, ComponentThatCannotWorkFailsThePhase) {
    engine.colorCount = 65;  // more than the focus map compares
    StatusCopy(status, "earlier");
    EXPECT_EQ(engine.CorrectFocus(), 0);
    EXPECT_STREQ(status, "メモリが足りません。");

    ExpertBase uninitialised;
    uninitialised.status = status;
    StatusCopy(status, "earlier");
    EXPECT_EQ(uninitialised.CorrectFocus(), 0);
    EXPECT_STREQ(status, "メモリが足りません。");
}

TEST_F(FocusEngine, LevelOutsideTheListPaintsAsLevelOne) {
    engine.focusLevel = 1;
    ASSERT_EQ(engine.CorrectFocus(), 1);
    const auto level1 = FocusBytes(*engine.focusMap);
    for (int level : {-1, 3, 99}) {
        engine.focusLevel = level;
        ASSERT_EQ(engine.CorrectFocus(), 1);
        EXPECT_EQ(FocusBytes(*engine.focusMap), level1) << level;
    }
}

}  // namespace
