// MORAVEL's engine: its fifteen steps, the brush scale and shading length, the phases that must
// leave the picture alone, and whole paintings of the sample pinned for every build.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/status_text.h"
#include "imaging/random.h"
#include "styles/moravel/expert.h"
#include "tests/support/curve_expectations.h"
#include "tests/support/pictures.h"
#include "tests/support/pinned_paintings.h"
#include "tests/support/style_painting.h"

namespace {

using moravel::Expert;
using test_pictures::PixelBytes;

using Painting = StylePainting<Expert>;

TEST(MoravelExpert, FifteenStepsReportTheirPercentagesThenFail) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    EXPECT_EQ(p.engine.phaseCount, 15);
    const int expected[15] = {20, 30, 40, 60, 65, 74, 76, 78, 80, 82, 84, 86, 88, 95, 100};
    for (int k = 0; k < 15; ++k) EXPECT_EQ(p.engine.Step(), expected[k]) << "phase " << k << p.status;
    ExpectNoStepBeyondTheLast(p);
}

TEST(MoravelExpert, KnifeScaleFollowsDiagonalAndResolutionWithinItsBounds) {
    struct Case {
        const char* what;
        int diagonal, dpi;
        double scaleFactor, expected;
    } cases[] = {
        {"300 dpi, capped at 0.2 % of the diagonal", 1000, 300, 1.0, 2.0},
        {"72 dpi", 1000, 72, 1.0, 0.85787},
        {"small picture just under its cap", 300, 72, 1.0, 0.59781},
        {"touch 0 lowers the cap too", 1000, 300, 0.8, 1.6},
        {"touch 2 raises the floor to 0.4167", 100, 10, 1.25, 0.41667},
        {"the floor: a third of the factor", 100, 1, 1.0, 1.0 / 3},
        {"never above 4.0", 40000, 400, 1.25, 4.0},
        {"resolution limited to 400", 3000, 2000, 1.0, 4.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(moravel::KnifeScale(c.diagonal, c.dpi, 1.0, c.scaleFactor), c.expected, 5e-5)
            << c.what;
}

TEST(MoravelExpert, ShadeLengthIsTruncatedAndKeptWithinThreeAndTwenty) {
    struct Case {
        int diagonal, dpi;
        double lengthFactor;
        int expected;
    } cases[] = {
        {1000, 300, 0.005, 11},  // 7.943 × 0.005 × 300 = 11.9
        {1000, 72, 0.005, 3},    // 2.86, raised to 3
        {40000, 400, 0.007, 20}, // 67.7, cut to 20
        {1000, 1000, 0.005, 15}, // the resolution counts as 400: 15.9
        {1000, 0, 0.005, 3},     // as 1 dpi
    };
    for (const Case& c : cases)
        EXPECT_EQ(moravel::ShadeLength(c.diagonal, c.dpi, c.lengthFactor), c.expected)
            << c.diagonal << " at " << c.dpi;
}

TEST(MoravelExpert, DeformLevelZeroLeavesEveryImage) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 0);
    p.engine.deformLevel = 0;
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(3));
    const auto source = PixelBytes(*p.picture), canvas = PixelBytes(*p.engine.canvas),
               focus = PixelBytes(*p.engine.focusMap), labels = PixelBytes(*p.engine.colorIndexMap);
    EXPECT_EQ(p.engine.Step(), 60);
    EXPECT_EQ(PixelBytes(*p.picture), source);
    EXPECT_EQ(PixelBytes(*p.engine.canvas), canvas);
    EXPECT_EQ(PixelBytes(*p.engine.focusMap), focus);
    EXPECT_EQ(PixelBytes(*p.engine.colorIndexMap), labels);
}

TEST(MoravelExpert, APlainGroundLeavesTheFinishWithoutEffectOrDraws) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 0);  // PAPER1 has no relief
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(14));
    const auto before = PixelBytes(*p.picture);
    const uint32_t state = RandomState;
    EXPECT_EQ(p.engine.Step(), 100);
    EXPECT_EQ(PixelBytes(*p.picture), before);
    EXPECT_EQ(RandomState, state);
}

TEST(MoravelExpert, TheDetailPassKeepsItsCurvesFromTheFirstRun) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(12));
    ASSERT_EQ(p.engine.InitStroke(Expert::kDetailPass), 1);
    const ParamCurve clean = p.engine.clean;
    EXPECT_STREQ(clean.name, "Clean / Focus");
    EXPECT_EQ(clean.count, 4);
    EXPECT_EQ(clean.type, kCurveSigmoid);
    p.engine.clean.value[3] = 0.9;  // a second run must not rebuild from the values
    ASSERT_EQ(p.engine.InitStroke(Expert::kDetailPass), 1);
    EXPECT_EQ(std::memcmp(p.engine.clean.table, clean.table, 256), 0);
}

TEST(MoravelExpert, EveryCurveCarriesItsNameAndTheValuesOfItsPassAndLevel) {
    // The variance curves of each knife pass, from KNIFE6 to KNIFE1.
    const double minVariance[6][4] = {{0.01, 0, 0, 0},    {0.01, 0, 0.2, 0}, {0.01, 1, 0.15, 0},
                                      {0.01, 1, 0.2, 0},  {0.02, 1, 0.3, 0}, {0.02, 1, 0.4, 0.1}};
    const double maxVariance[6][4] = {{0.01, 1, 0.3, 1}, {0.02, 1, 0.2, 1}, {0.01, 1, 0.2, 1},
                                      {0.01, 1, 0.2, 1}, {0.02, 1, 0.3, 1}, {0.02, 1, 0.5, 1}};
    struct Level {
        int level;
        double distanceSlope, focusWeightEnd;  // the edge shading's by touch level
        double background[4];                  // the finish's "Wight" by material level
    } levels[] = {
        {0, 0.005, 0.4, {0, 0, 0.1, 0}},
        {1, 0.01, 0.5, {0.2, 0, 0.5, 0}},
        {2, 0.02, 0.5, {0, 0, 0.5, 0.1}},
    };
    for (const Level& c : levels) {
        SCOPED_TRACE(testing::Message() << "level " << c.level);
        Painting p(test_pictures::Gradient(40, 30), c.level, 72, 6);
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(6));
        for (int pass = 0; pass < Expert::kKnifePasses; ++pass) {
            SCOPED_TRACE(testing::Message() << "knife pass " << pass);
            ASSERT_GE(p.engine.Step(), 0) << p.status;
            ExpectSigmoidCurve(p.engine.minVariance, "Stroke Min Variance / Focus",
                               minVariance[pass]);
            ExpectSigmoidCurve(p.engine.maxVariance, "Stroke Max Variance / Focus",
                               maxVariance[pass]);
        }
        ASSERT_TRUE(p.RunUntil(p.engine.phaseCount)) << p.status;
        ExpectSigmoidCurve(p.engine.detailWeight, "Wight", {0.04, 0, 0, 1.0});
        ExpectSigmoidCurve(p.engine.edgeDecrease, "Decrese from Edge / focus", {0.01, 1.0, 1.0, 0});
        ExpectSigmoidCurve(p.engine.detailColor, "Detail Color Correction", {0.02, 0.5, 0, 1.0});
        ExpectSigmoidCurve(p.engine.clean, "Clean / Focus", {0.07, 0.7, 1.0, 0.1});
        ExpectSigmoidCurve(p.engine.shadeShape, "(Shape) Add / Length", {0.01, 0, 0.4, 0.1});
        ExpectSigmoidCurve(p.engine.shadeLength, "Length / Focus", {0.04, 1.0, 1.0, 0});
        ExpectSigmoidCurve(p.engine.shadeDistance, "Wight / Color Distance",
                           {c.distanceSlope, 0, 0, 1.0});
        ExpectSigmoidCurve(p.engine.shadeFocus, "Wight / Focus", {0.08, 1.0, 1.0, c.focusWeightEnd});
        ExpectSigmoidCurve(p.engine.backgroundWeight, "Wight", c.background);
    }
}

TEST(MoravelPainting, PaintsTheSampleAsPinnedInEveryBuild) {
    ExpectPinnedPaintings<Expert>(kMoravelPaintings);
}

TEST(MoravelPainting, SamePictureTwiceSameBytes) { ExpectSameBytesTwice<Expert>(); }

TEST(MoravelPainting, OddAndTinyPicturesPaintWithoutFault) { ExpectOddPicturesPaint<Expert>(6); }

}  // namespace
