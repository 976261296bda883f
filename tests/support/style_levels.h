// The level switches of a style engine, natively (the beeps are recorded there): a level
// outside 0..2 beeps once in the phase that reads it and the painting goes on as at level 1.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/native_module.h"
#include "tests/support/pictures.h"
#include "tests/support/style_painting.h"
#include "tests/support/test_module.h"

// A level that a phase reads.
struct LevelSwitch {
    const char* name;
    int ExpertBase::*level;
    int phase;
};

// For every switch: a part of the sample on CANVAS2 at 150 dpi, every level 1 but the switch's
// level while its phase runs, which is 1, -1 or 7. The phase beeps once for -1 and 7, none for
// 1, and after the whole painting the picture, the canvas and both maps are alike.
template <typename Engine, size_t kCount>
void ExpectLevelsOutsideTheRangePaintAsOne(const LevelSwitch (&switches)[kCount],
                                           platform::ModuleHandle module) {
    using test_pictures::PixelBytes;
    auto sample = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
    ASSERT_TRUE(sample);
    for (const LevelSwitch& c : switches) {
        SCOPED_TRACE(c.name);
        std::vector<std::vector<uint8_t>> results;
        for (int level : {1, -1, 7}) {
            StylePainting<Engine> p(test_pictures::Crop(*sample, 100, 100, 160, 120), 1, 150, 5,
                                    module);
            ASSERT_EQ(p.engine.Initialize(), 1);
            ASSERT_TRUE(p.RunUntil(c.phase));
            p.engine.*c.level = level;
            platform::ClearRecords();
            ASSERT_GE(p.engine.Step(), 0) << p.status;
            EXPECT_EQ(platform::RecordedBeeps(), level == 1 ? 0 : 1) << level;
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
