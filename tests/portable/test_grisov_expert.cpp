// GRISOV's engine with its own colour map (the Zo_Gri module): its nine steps, what its phases
// hand to the line engine, the mesh, the colour map and the relief at every level, the
// back-run's values, the phases that must leave the picture alone, failed and abandoned phases,
// and whole paintings pinned for every build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/status_text.h"
#include "engine/zo_cluster.h"
#include "engine/zo_form.h"
#include "engine/zo_material.h"
#include "imaging/math_tbl.h"
#include "imaging/random.h"
#include "styles/grisov/back_run_field.h"
#include "styles/grisov/expert.h"
#include "tests/support/curve_expectations.h"
#include "tests/support/line_phase_checks.h"
#include "tests/support/pictures.h"
#include "tests/support/pinned_paintings.h"
#include "tests/support/style_painting.h"
#include "tests/support/style_twins.h"
#include "tests/support/test_module.h"

namespace {

using grisov::Expert;
using test_pictures::PixelBytes;

// GRISOV's own resources: its colour map.
platform::ModuleHandle GrisovModule() { return ProductModule("Zo_Gri"); }

struct Painting : StylePainting<Expert> {
    Painting(std::unique_ptr<TDib> image, int level, int dpi, int groundIndex)
        : StylePainting(std::move(image), level, dpi, groundIndex, GrisovModule()) {}
};

// A 120 × 80 part of the sample across the saucer's rim: colourful, with edges and flat areas.
std::unique_ptr<TDib> SamplePart() {
    auto sample = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
    return sample ? test_pictures::Crop(*sample, 60, 120, 120, 80) : nullptr;
}

struct Twins : StyleTwins<Expert> {
    Twins(int level, int dpi, int groundIndex, int phase)
        : StyleTwins(SamplePart, level, dpi, groundIndex, phase, GrisovModule()) {}
};

TEST(GrisovExpert, NineStepsReportTheirPercentagesThenFail) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 2);
    ASSERT_EQ(p.engine.Initialize(), 1);
    EXPECT_EQ(p.engine.phaseCount, 9);
    const int expected[9] = {20, 25, 30, 40, 50, 60, 80, 90, 100};
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(p.engine.Step(), expected[k]) << "phase " << k << " " << p.status;
        EXPECT_EQ(p.engine.phaseCounter, k + 1);
        EXPECT_EQ(p.engine.Drawing() != nullptr, k >= 4 && k < 8)
            << "the strokes are held from the tracing to the drawing, after phase " << k;
    }
    ExpectNoStepBeyondTheLast(p);
}

TEST(GrisovExpert, TheLinePhaseFillsTheSettingsOnceByTheTouchLevel) {
    struct Case {
        int touch;
        int maxWidth, fullStrength, simplifyFactor;
    } cases[] = {{0, 40, 100, 30}, {1, 80, 50, 50}, {2, 100, 30, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "touch level " << c.touch);
        Painting p(SamplePart(), 1, 72, 0);
        p.engine.touchLevel = c.touch;
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(4));
        EXPECT_EQ(p.engine.Step(), 50);
        // Rising from the start, the edges found at 15 over windows of up to 15; the hatch
        // direction and the reserved field never written, so 0 as the record starts.
        const int32_t expected[] = {1,   kDrawingEdgeLines, kTaperRising, 0,
                                    15,  0,                 256,          2,
                                    15,  50,                50000,        15,
                                    c.maxWidth, 50,         50,           c.fullStrength,
                                    c.simplifyFactor,       0};
        ExpectLineSettings(p.engine.lines.settings, expected, p.engine.lines);
        ASSERT_NE(p.engine.Drawing(), nullptr);
        EXPECT_GT(p.engine.Drawing()->StrokeCount(), 0);

        // Run again at another level, the filled record stays as it is.
        p.engine.touchLevel = (c.touch + 1) % 3;
        p.engine.phaseCounter = 4;
        EXPECT_EQ(p.engine.Step(), 50);
        EXPECT_EQ(p.engine.lines.settings.maxWidth, c.maxWidth);
    }
}

TEST(GrisovExpert, TheTenCurvesCarryTheirNamesAndValues) {
    // CANVAS2: strength 80, so the back-run's weight runs from 0.32 to 0.2; material level 1.
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 5);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(9)) << p.status;
    const kolda::LineWork& w = p.engine.lines;
    ExpectSigmoidCurves({
        {p.engine.groundColor, "Ground Color", {0.03, 0.0, 1.0, 0.0}},
        {w.colorDistance, "Color Distance for Detect/Focus", {0.05, 0.7, 1.0, 1.0}},
        {w.spotSize, "Spot Size per Focus", {0.03, 0.9, 1.0, 1.0}},
        {w.minLength, "Min Length/Focus", {0.03, 0.7, 1.0, 1.0}},
        {w.penSize, "Line Pel Size/Focus", {0.04, 0.7, 1.0, 0.1}},
        {w.weight, "Line Wight/Focus", {0.0, 1.0, 1.0, 1.0}},
        {w.speed, "Line Speed/Focus", {0.05, 1.0, 1.0, 0.5}},
        {p.engine.backRunWeight,
         "Back-Run Wight / Focus",
         {0.01, 1.0, 0.4 * 80 * 0.01, 0.25 * 80 * 0.01}},
        {p.engine.backRunLoops, "Back-Run Loops / Focus", {0.04, 0.8, 1.0, 0.3}},
        {p.engine.textureWeight, "Wight", {0.0, 0.0, 0.5, 0.5}},
    });
    // The tint is strongest out of focus and gone in focus.
    const uint8_t* tint = p.engine.groundColor.table;
    EXPECT_GT(tint[0], 100);
    EXPECT_EQ(tint[255], 0);
    for (int i = 1; i < 256; ++i) EXPECT_LE(tint[i], tint[i - 1]) << i;
}

TEST(GrisovExpert, TheBackRunTakesItsValuesFromColourLevelGroundAndResolution) {
    MaterialInfo half = {0, 255, 255, 255, 100, 150, 200, 50, 30, 13, nullptr};
    MaterialInfo full = half, canvas = half;
    full.strength = 100;
    canvas.strength = 80;
    struct Case {
        const char* what;
        int colorLevel;
        const MaterialInfo* ground;
        int dpi;
        int radius, ringPoints;
        int passes;     // at focus 0, the most
        int passesIn;   // at focus 255
        int weightOut;  // at focus 0
    } cases[] = {
        {"colour level 2 at 400 dpi without a ground", 2, nullptr, 400, 40, 460, 15, 4, 102},
        {"strength 50, colour level 0, 72 dpi", 0, &half, 72, 1, 8, 5, 1, 51},
        {"strength 100, colour level 1, 84 dpi", 1, &full, 84, 6, 66, 13, 3, 102},
        {"the resolution counts up to 400", 1, &full, 1000, 32, 368, 13, 3, 102},
        {"at least radius 1", 0, nullptr, 0, 1, 8, 10, 2, 102},
        {"strength 80, colour level 2, A4 at 257 dpi", 2, &canvas, 257, 20, 228, 12, 3, 82},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Painting p(test_pictures::Gradient(20, 10), 1, 72, kNoGround);
        ASSERT_EQ(p.engine.Initialize(), 1);
        p.engine.colorLevel = c.colorLevel;
        p.engine.ground = c.ground;
        p.engine.dpi = c.dpi;
        const grisov::BackRunValues v = p.engine.BackRunSettings();
        EXPECT_EQ(v.radius, c.radius);
        EXPECT_EQ(v.passes, c.passes);
        EXPECT_EQ(v.loops[0], c.passes);
        EXPECT_EQ(v.loops[255], c.passesIn);
        EXPECT_EQ(v.weights[0], c.weightOut);
        EXPECT_LE(v.weights[255], v.weights[0]);
        for (int f = 1; f < 256; ++f) ASSERT_LE(v.loops[f], v.loops[f - 1]) << f;
        auto field = std::make_unique<grisov::RingField>();
        ASSERT_TRUE(grisov::MakeRingField(v.radius, p.picture->RowBytes(), *field));
        EXPECT_EQ(field->count, c.ringPoints);
    }
}

TEST(GrisovExpert, TheBackRunRunsItsFieldThenSoftensTwice) {
    struct Case {
        int level, groundIndex;
    } cases[] = {{0, 2}, {1, 0}, {2, 5}, {1, kNoGround}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " ground " << c.groundIndex);
        Twins twins(c.level, 150, c.groundIndex, 6);
        twins.Compare(80, [&](Expert& e) {
            const grisov::BackRunValues v = e.BackRunSettings();
            ASSERT_EQ(e.BackRunField(v.radius, v.passes, v.loops, v.weights), 1);
            ZoCluster cluster(e.source, e.canvas.get(), e.status);
            for (int direction : {1, 0, 1, 0}) cluster.Soften(direction);
        });
    }
}

TEST(GrisovExpert, ABackRunThatNeedsTooManyRingPointsFailsAndKeepsItsCounterAndText) {
    // No built-in ground gets near: strength 440 at 400 dpi wants radius 176.
    MaterialInfo strong = {0, 255, 255, 255, 100, 150, 200, 440, 30, 13, nullptr};
    Painting p(test_pictures::Gradient(30, 20), 2, 400, kNoGround);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(6)) << p.status;
    p.engine.ground = &strong;
    const auto before = PixelBytes(*p.picture);
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(p.engine.Step(), -1) << attempt;
        EXPECT_EQ(p.engine.phaseCounter, 6);
        EXPECT_STREQ(p.status, "Out of Back Run Field");
        EXPECT_EQ(PixelBytes(*p.picture), before);
    }
}

TEST(GrisovExpert, DeformBendsTheMeshByTheDeformLevel) {
    struct Case {
        int level;
        double k;
    } cases[] = {{1, 0.06}, {2, 0.12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "deform level " << c.level);
        Twins twins(c.level, 150, 5, 3);
        twins.Compare(40, [&](Expert& e) {
            ZoForm form(e.width, e.height, e.status);
            form.Distort(c.k, 0.0);
            form.WarpImage(e.source, e.canvas.get());
            form.WarpPlanes(e.colorIndexMap.get(), e.focusMap.get(), e.canvas.get());
        });
    }
}

TEST(GrisovExpert, DeformLevelZeroLeavesEveryImage) {
    Painting p(SamplePart(), 1, 72, 0);
    p.engine.deformLevel = 0;
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(3));
    ExpectStepLeavesEverything(p, 40);
}

TEST(GrisovExpert, ADeformWithoutAValidMeshFailsAndRunsAgain) {
    Painting p(SamplePart(), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(3));
    const auto source = PixelBytes(*p.picture);
    // A size the mesh refuses stands for one whose nodes could not be had.
    const int width = p.engine.width;
    p.engine.width = 0;
    EXPECT_EQ(p.engine.Step(), -1);
    EXPECT_EQ(p.engine.phaseCounter, 3);
    EXPECT_STREQ(p.status, "メモリが足りません。");
    EXPECT_EQ(PixelBytes(*p.picture), source);
    p.engine.width = width;
    EXPECT_EQ(p.engine.Step(), 40);
    EXPECT_NE(PixelBytes(*p.picture), source);
}

TEST(GrisovExpert, WeakColoursAwayFromTheSubjectTurnToPaper) {
    // Near-greys from dark to light along the rows, focus rising along the columns: below the
    // colour level's focus limit every one of them turns to the same paper, never to black.
    struct Case {
        int level;
        int maskHigh;
    } cases[] = {{0, 100}, {1, 200}, {2, 200}, {7, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "colour level " << c.level);
        Painting p(test_pictures::Gradient(64, 12), 1, 72, kNoGround);
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(5));
        p.engine.colorLevel = c.level;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 64; ++x) {
                const int grey = 30 + y * 18;
                test_pictures::SetPixel(*p.picture, x, y, grey + 2, grey, grey - 2);
                p.engine.focusMap->Row(y)[x] = static_cast<uint8_t>(x * 4 + 1);
            }
        EXPECT_EQ(p.engine.Step(), 60);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 64; ++x) {
                const uint8_t* pixel = test_pictures::PixelAt(*p.picture, x, y);
                const bool paper = pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255;
                ASSERT_EQ(paper, x * 4 + 1 <= c.maskHigh) << x << ", " << y;
            }
    }
}

TEST(GrisovExpert, PaperIsTintedTowardTheGroundOutOfFocus) {
    // WOOD1's colour is (174, 80, 25): paper at focus 0 moves about half the way to it, paper
    // at the limit of the mask hardly.
    Painting p(test_pictures::Gradient(64, 4), 1, 72, 9);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(5));
    test_pictures::FillPixels(*p.picture, 150, 150, 150);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 64; ++x) p.engine.focusMap->Row(y)[x] = static_cast<uint8_t>(x * 3);
    EXPECT_EQ(p.engine.Step(), 60);
    const int k = p.engine.groundColor.table[0] + 1;
    const uint8_t* out = test_pictures::PixelAt(*p.picture, 0, 0);
    EXPECT_EQ(out[2], 255 + ((174 - 255) * k) / 256);
    EXPECT_EQ(out[1], 255 + ((80 - 255) * k) / 256);
    EXPECT_EQ(out[0], 255 + ((25 - 255) * k) / 256);
    const uint8_t* inFocus = test_pictures::PixelAt(*p.picture, 63, 0);
    EXPECT_GE(inFocus[0], 250) << "focus 189: nearly white";
}

TEST(GrisovExpert, APlainGroundOrNoneLeavesTheFinishWithoutEffectOrDraws) {
    for (int groundIndex : {kNoGround, 0}) {
        SCOPED_TRACE(groundIndex);
        Painting p(test_pictures::Gradient(40, 30), 1, 72, groundIndex);
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(7));
        ExpectStepLeavesEverything(p, 90);
        EXPECT_EQ(p.engine.textureWeight.count, 0) << "no relief, no curve";
    }
}

TEST(GrisovExpert, TheFinishLaysTheReliefAtOneWeightByMaterialLevel) {
    struct Case {
        int level;
        int weight;  // every entry of the "Wight" table
    } cases[] = {{0, 51}, {1, 127}, {2, 204}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        Twins twins(1, 150, 6, 7);
        twins.Prepare([&](Expert& e) { e.materialLevel = c.level; });
        twins.Compare(90, [&](Expert& e) {
            uint8_t weights[256];
            std::memset(weights, c.weight, sizeof weights);
            ZoMaterial material(e.source, e.canvas.get(), e.focusMap.get(), *e.ground, e.status);
            ASSERT_TRUE(material.IsValid());
            material.ApplyTexture(weights, 2, 0, -4, 4);
        });
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(twins.own.engine.textureWeight.table[i], c.weight) << i;
    }
}

// A painting of the sample part on PAPER3.
std::unique_ptr<Painting> PaperPainting() {
    return std::make_unique<Painting>(SamplePart(), 1, 72, 2);
}

TEST(GrisovExpert, AFailedLinePhaseRunsAgainOnAFreshLineEngine) {
    ExpectAFailedLinePhaseRunsAgain(PaperPainting, 4, 50);
}

TEST(GrisovExpert, AbandonedOrReinitialisedPaintingsLetTheirStrokesGo) {
    // Held through the colour map, the back-run and the relief.
    ExpectHeldStrokesGoWithThePainting(PaperPainting, 7);
}

TEST(GrisovPainting, PaintsTheSampleAsPinnedInEveryBuild) {
    ExpectPinnedPaintings<Expert>(kGrisovPaintings, GrisovModule());
}

TEST(GrisovPainting, SamePictureTwiceSameBytes) { ExpectSameBytesTwice<Expert>(GrisovModule()); }

TEST(GrisovPainting, OddAndTinyPicturesPaintWithoutFault) {
    ExpectOddPicturesPaint<Expert>(6, GrisovModule());
    ExpectOddPicturesPaint<Expert>(kNoGround, GrisovModule());
}

}  // namespace
