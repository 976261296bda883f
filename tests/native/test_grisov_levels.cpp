// GRISOV's level switches: a level outside 0..2 beeps once in the phase that reads it and the
// phase then paints with the level-1 values.
#include <gtest/gtest.h>

#include <vector>

#include "platform/native_module.h"
#include "styles/grisov/expert.h"
#include "tests/support/pictures.h"
#include "tests/support/style_painting.h"
#include "tests/support/test_module.h"

namespace {

using test_pictures::PixelBytes;

TEST(GrisovLevels, ALevelOutsideTheRangeBeepsOnceAndPaintsAsLevelOne) {
    struct Case {
        const char* name;
        int ExpertBase::*level;
        int phase;
    } cases[] = {
        {"deform level, Deform", &ExpertBase::deformLevel, 3},
        {"touch level, DetectLines", &ExpertBase::touchLevel, 4},
        {"colour level, MapColors", &ExpertBase::colorLevel, 5},
        {"colour level, BackRun", &ExpertBase::colorLevel, 6},
        {"material level, Finish", &ExpertBase::materialLevel, 7},
    };
    auto sample = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
    ASSERT_TRUE(sample);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<uint8_t>> results;
        for (int level : {1, -1, 7}) {
            StylePainting<grisov::Expert> p(test_pictures::Crop(*sample, 100, 100, 160, 120), 1,
                                            150, 5, ProductModule("Zo_Gri"));
            ASSERT_EQ(p.engine.Initialize(), 1);
            ASSERT_TRUE(p.RunUntil(c.phase));
            p.engine.*c.level = level;
            platform::ClearRecords();
            ASSERT_GE(p.engine.Step(), 0) << p.status;
            EXPECT_EQ(platform::RecordedBeeps(), level == 1 ? 0 : 1) << level;
            // The strokes too: the last phase draws them into the picture.
            ASSERT_TRUE(p.RunUntil(p.engine.phaseCount)) << p.status;
            std::vector<uint8_t> result = PixelBytes(*p.picture);
            for (const TDib* image : {p.engine.canvas.get(), p.engine.colorIndexMap.get(),
                                      p.engine.focusMap.get()}) {
                const std::vector<uint8_t> bytes = PixelBytes(*image);
                result.insert(result.end(), bytes.begin(), bytes.end());
            }
            results.push_back(result);
        }
        EXPECT_TRUE(results[0] == results[1]) << "level -1";
        EXPECT_TRUE(results[0] == results[2]) << "level 7";
    }
}

}  // namespace
