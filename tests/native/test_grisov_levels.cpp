// GRISOV's level switches: a level outside 0..2 beeps once in the phase that reads it and the
// phase then paints with the level-1 values.
#include <gtest/gtest.h>

#include "styles/grisov/expert.h"
#include "tests/support/style_levels.h"

namespace {

TEST(GrisovLevels, ALevelOutsideTheRangeBeepsOnceAndPaintsAsLevelOne) {
    const LevelSwitch switches[] = {
        {"deform level, Deform", &ExpertBase::deformLevel, 3},
        {"touch level, DetectLines", &ExpertBase::touchLevel, 4},
        {"colour level, MapColors", &ExpertBase::colorLevel, 5},
        {"colour level, BackRun", &ExpertBase::colorLevel, 6},
        {"material level, Finish", &ExpertBase::materialLevel, 7},
    };
    ExpectLevelsOutsideTheRangePaintAsOne<grisov::Expert>(switches, ProductModule("Zo_Gri"));
}

}  // namespace
