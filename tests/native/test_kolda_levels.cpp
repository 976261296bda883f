// KOLDA's level switches: a level outside 0..2 beeps once in the phase that reads it and the
// phase then paints with the level-1 values.
#include <gtest/gtest.h>

#include "styles/kolda/expert.h"
#include "tests/support/style_levels.h"

namespace {

TEST(KoldaLevels, ALevelOutsideTheRangeBeepsOnceAndPaintsAsLevelOne) {
    const LevelSwitch switches[] = {
        {"deform level, Deform", &ExpertBase::deformLevel, 3},
        {"touch level, DetectLines", &ExpertBase::touchLevel, 4},
        {"colour level, MapColors", &ExpertBase::colorLevel, 5},
        {"touch level, MakeCollage", &ExpertBase::touchLevel, 6},
        {"material level, MakeCollage", &ExpertBase::materialLevel, 6},
    };
    ExpectLevelsOutsideTheRangePaintAsOne<kolda::Expert>(switches, ProductModule("Zo_Kol"));
}

}  // namespace
