// TEVU's level switches and its colour phase without a colour map: a level outside 0..2 beeps
// once in the phase that reads it and paints with the level-1 values, except that the part
// map is then not cleaned at all.
#include <gtest/gtest.h>

#include <vector>

#include "platform/native_module.h"
#include "styles/tevu/expert.h"
#include "tests/support/pictures.h"
#include "tests/support/style_painting.h"
#include "tests/support/test_module.h"

namespace {

using test_pictures::PixelBytes;
using tevu::Expert;

struct Painting : StylePainting<Expert> {
    explicit Painting(std::unique_ptr<TDib> image)
        : StylePainting(std::move(image), 1, 150, 5, platform::NativeModuleHandle("Zo_Tev")) {}
};

// A 160 × 120 part of the sample around the cup.
std::unique_ptr<TDib> SamplePart() {
    auto sample = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
    return sample ? test_pictures::Crop(*sample, 180, 200, 160, 120) : nullptr;
}

// The picture, the canvas and the part map after the phase.
std::vector<uint8_t> Result(Painting& p) {
    std::vector<uint8_t> result = PixelBytes(*p.picture);
    for (const TDib* image : {p.engine.canvas.get(), p.engine.colorIndexMap.get()}) {
        const std::vector<uint8_t> bytes = PixelBytes(*image);
        result.insert(result.end(), bytes.begin(), bytes.end());
    }
    return result;
}

TEST(TevuLevels, ALevelOutsideTheRangeBeepsOnceAndPaintsAsLevelOne) {
    struct Case {
        const char* name;
        int ExpertBase::*level;
        int phase;
    } cases[] = {
        {"touch level, MergeParts", &ExpertBase::touchLevel, 5},
        {"colour level, FlattenParts", &ExpertBase::colorLevel, 6},
        {"material level, Finish", &ExpertBase::materialLevel, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<uint8_t>> results;
        for (int level : {1, 7, -1}) {
            Painting p(SamplePart());
            ASSERT_EQ(p.engine.Initialize(), 1);
            ASSERT_TRUE(p.RunUntil(c.phase));
            p.engine.*c.level = level;
            platform::ClearRecords();
            ASSERT_GE(p.engine.Step(), 0) << p.status;
            EXPECT_EQ(platform::RecordedBeeps(), level == 1 ? 0 : 1);
            results.push_back(Result(p));
        }
        EXPECT_TRUE(results[0] == results[1]);
        EXPECT_TRUE(results[0] == results[2]);
    }
}

TEST(TevuLevels, ATouchLevelOutsideTheRangeCleansNothingAndOutlinesAsLevelOne) {
    struct Case {
        int touch;
        int beeps;
        bool cleaned;
    } cases[] = {{1, 0, true}, {7, 1, false}, {-1, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.touch);
        Painting p(SamplePart());
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(6));
        const test_pictures::MapRows before = test_pictures::RowsOf(*p.engine.colorIndexMap);
        p.engine.touchLevel = c.touch;
        platform::ClearRecords();
        ASSERT_EQ(p.engine.Step(), 90) << p.status;
        EXPECT_EQ(platform::RecordedBeeps(), c.beeps);
        EXPECT_EQ(p.engine.Part()->OutlineWidth(), tevu::OutlineWidth(p.engine.diagonal, 150, 1));
        // Apart from the outline, a part map that was not cleaned is the merged one.
        const test_pictures::MapRows after = test_pictures::RowsOf(*p.engine.colorIndexMap);
        int changed = 0;
        for (size_t y = 0; y < after.size(); ++y)
            for (size_t x = 0; x < after[y].size(); ++x)
                changed += after[y][x] != ZoPart::kOutline && after[y][x] != before[y][x];
        EXPECT_EQ(changed > 0, c.cleaned) << changed;
    }
}

TEST(TevuLevels, TheOutlineWidthOfALevelOutsideTheRangeIsLevelOnesWithABeep) {
    platform::ClearRecords();
    EXPECT_EQ(tevu::OutlineWidth(1414, 400, 7), tevu::OutlineWidth(1414, 400, 1));
    EXPECT_EQ(platform::RecordedBeeps(), 1);
}

TEST(TevuColours, WithoutAColourMapThePhaseSucceedsAndLeavesThePicture) {
    const platform::NativeModule empty = {"Empty", nullptr, 0, nullptr, 0};
    Painting p(test_pictures::Gradient(13, 9));
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(4));
    p.engine.module = const_cast<platform::NativeModule*>(&empty);
    const auto before = PixelBytes(*p.picture);
    EXPECT_EQ(p.engine.Step(), 50);
    EXPECT_EQ(PixelBytes(*p.picture), before);
    EXPECT_EQ(p.engine.firstLight->count, 4) << "the curves are filled all the same";
}

}  // namespace
