// MORAVEL's knife pass with a module that carries no knives: the step fails, keeps its counter
// and leaves the brush loader's text, so the driver's box can say what went wrong.
#include <gtest/gtest.h>

#include "engine/status_text.h"
#include "imaging/resolution.h"
#include "platform/native_module.h"
#include "styles/moravel/expert.h"
#include "tests/support/pictures.h"

namespace {

TEST(MoravelFailures, AMissingKnifeFailsItsPassAndLeavesTheCounter) {
    auto picture = test_pictures::Gradient(30, 20, PelsPerMeterFromDpi(72));
    char status[kStatusSize] = "";
    moravel::Expert engine;
    engine.source = picture.get();
    engine.status = status;
    engine.module = platform::NativeModuleHandle("Zo_Kol");  // grounds and strings, no knives
    engine.phaseCounter = 0;
    ASSERT_EQ(engine.Initialize(), 1);
    for (int k = 0; k < 6; ++k) ASSERT_GE(engine.Step(), 0) << status;
    EXPECT_EQ(engine.Step(), -1);
    EXPECT_EQ(engine.phaseCounter, 6);
    EXPECT_STREQ(status, "Stroke:Load Brush.");
    EXPECT_EQ(engine.Step(), -1) << "tried again, it fails again";
    EXPECT_EQ(engine.phaseCounter, 6);
}

}  // namespace
