// ZAVET's engine where it needs none of its pens: the pens' scale, the colour phase's curves and
// the finish's relief, pinned for every build.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/status_text.h"
#include "imaging/math_tbl.h"
#include "imaging/random.h"
#include "styles/zavet/expert.h"
#include "tests/support/curve_expectations.h"
#include "tests/support/pictures.h"
#include "tests/support/style_checks.h"
#include "tests/support/test_module.h"

namespace {

using zavet::Expert;
using test_pictures::PixelBytes;

TEST(ZavetPenScale, FollowsDiagonalAndResolutionWithinItsBounds) {
    struct Case {
        const char* what;
        int diagonal, dpi;
        double scaleFactor, expected;
    } cases[] = {
        {"1000 x 1000 at 100 dpi, touch 0", 1414, 100, 1.0, 0.88132},
        {"the same at 400 dpi, touch 2: the upper bound", 1414, 400, 2.0, 6.0},
        {"the same at 300 dpi, touch 1", 1414, 300, 1.5, 3.96595},
        {"diagonal 280 at 72 dpi: the lower bound", 280, 72, 1.0, 0.5},
        {"just above the lower bound", 280, 93, 1.0, 0.50426},
        {"resolution limited to 400", 1414, 1000, 1.0, 3.52529},
        {"resolution 0 counts as 1", 1414, 0, 2.0, 0.5},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(zavet::PenScale(c.diagonal, c.dpi, c.scaleFactor), c.expected, 5e-5) << c.what;
}

// An initialised engine on a 13 × 9 gradient whose focus rises from background to subject
// across the columns, with a small textured ground of its own.
struct ZavetPhases : ::testing::Test {
    char status[kStatusSize] = "";
    std::unique_ptr<TDib> picture = test_pictures::Gradient(13, 9);
    std::vector<uint8_t> texture = SmallGroundTexture();
    MaterialInfo ground = SmallGround(texture.data());
    Expert engine;

    void SetUp() override {
        engine.source = picture.get();
        engine.status = status;
        engine.module = TestModule();
        engine.ground = &ground;
        ASSERT_EQ(engine.Initialize(), 1);
        RampFocusAcrossColumns(*engine.focusMap);
    }
};

TEST_F(ZavetPhases, TheColourPhaseFillsItsThreeCurvesOnceAndKeepsThem) {
    EXPECT_EQ(engine.MapColors(), 1);
    const CurveRows groundRows = {{0.01, 0.1, 0.1, 0.1}, {0, 0, 0, 0}, {5, 1, 1, 1}};
    const CurveRows sharpRows = {{0.01, 0.02, 0.1, 0.1}, {-5, 0, 0, 0}, {5, 1, 1, 1}};
    ExpectSigmoidCurve(engine.groundColor, "Ground Color", {0.02, 0, 0.3, 0}, &groundRows);
    ExpectSigmoidCurve(engine.sharpFunction, "Sharp Function", {0.05, 0.2, 0, 0.5}, &sharpRows);
    ExpectSigmoidCurve(engine.sharpBlend, "Sharp Blend", {0.04, 0.6, 0, 1.0}, &sharpRows);

    // The tint is strongest out of focus and gone at full focus; the sharpening strength rises
    // from none out of focus to full in focus; the amount rises from 0 at no difference.
    const uint8_t* tint = engine.groundColor.table;
    const uint8_t* strength = engine.sharpBlend.table;
    EXPECT_EQ(tint[255], 0);
    EXPECT_EQ(strength[0], 0);
    EXPECT_EQ(strength[255], 255);
    EXPECT_EQ(engine.sharpFunction.table[0], 0);
    EXPECT_GT(engine.sharpFunction.table[255], 100);
    for (int i = 1; i < 256; ++i) {
        EXPECT_LE(tint[i], tint[i - 1]) << i;
        EXPECT_GE(strength[i], strength[i - 1]) << i;
    }
    EXPECT_GT(tint[0], 60);

    // A second run keeps the tables, whatever the records say now.
    const ParamCurve tintBefore = engine.groundColor, amountBefore = engine.sharpFunction,
                     blendBefore = engine.sharpBlend;
    engine.groundColor.value[2] = 1.0;
    engine.sharpFunction.value[3] = 1.0;
    engine.sharpBlend.value[1] = 0.1;
    EXPECT_EQ(engine.MapColors(), 1);
    EXPECT_EQ(std::memcmp(engine.groundColor.table, tintBefore.table, 256), 0);
    EXPECT_EQ(std::memcmp(engine.sharpFunction.table, amountBefore.table, 256), 0);
    EXPECT_EQ(std::memcmp(engine.sharpBlend.table, blendBefore.table, 256), 0);
}

TEST_F(ZavetPhases, TheFinishLaysTheReliefAtOneWeightByMaterialLevel) {
    const auto source = PixelBytes(*picture);
    auto finishAt = [&](const ReliefWeight& c) {
        SCOPED_TRACE(c.level);
        Expert fresh;
        fresh.source = picture.get();
        fresh.status = status;
        fresh.ground = &ground;
        fresh.materialLevel = c.level;
        ASSERT_EQ(fresh.Initialize(), 1);
        std::memcpy(fresh.focusMap->Bits(), engine.focusMap->Bits(), engine.focusMap->ImageBytes());
        std::memcpy(picture->Bits(), source.data(), source.size());
        ExpectReliefAtOneWeight(fresh, c, 4, [](Expert& e) { return &e.textureWeight; });
    };
    for (const ReliefWeight& c : kReliefWeights) finishAt(c);
    finishAt({7, 0.5, 127});  // a level outside 0..2 lays level 1's relief
}

TEST_F(ZavetPhases, APlainGroundLeavesTheFinishWithoutEffectOrDraws) {
    ground.textureSide = 0;
    const auto before = PixelBytes(*picture);
    const uint32_t state = RandomState;
    EXPECT_EQ(engine.Finish(), 1);
    EXPECT_EQ(PixelBytes(*picture), before);
    EXPECT_EQ(RandomState, state);
}

}  // namespace
