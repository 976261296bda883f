// CorrectFocus with levels outside 0..2: the beep, heard only natively.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "platform/native_module.h"
#include "tests/support/pictures.h"

namespace {

// A focus level outside 0..2 beeps once per painting of the focus map; the listed levels never.
TEST(CorrectFocusLevels, BeepsOnlyForLevelsOutsideTheList) {
    struct Case {
        int level;
        int beeps;
    } cases[] = {{0, 0}, {1, 0}, {2, 0}, {-1, 1}, {3, 1}};
    char status[kStatusSize] = "";
    auto picture = test_pictures::Gradient(12, 10);
    ExpertBase engine;
    engine.source = picture.get();
    engine.status = status;
    ASSERT_EQ(engine.Initialize(), 1);
    std::memset(engine.colorIndexMap->Bits(), 0, engine.colorIndexMap->ImageBytes());
    engine.colorCount = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        platform::ClearRecords();
        engine.focusLevel = c.level;
        EXPECT_EQ(engine.CorrectFocus(), 1);
        EXPECT_EQ(platform::RecordedBeeps(), c.beeps);
    }
}

}  // namespace
