// KOLDA's engine: its eight steps, what its phases hand to the line engine, the segmentation,
// the collage painter and the colour map at every level, the phases that must leave the
// picture alone, failed and abandoned line phases, and whole paintings pinned for every build.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/zo_cluster.h"
#include "engine/zo_form.h"
#include "imaging/fractal_noise.h"
#include "imaging/math_tbl.h"
#include "imaging/random.h"
#include "styles/kolda/color_map_ex.h"
#include "styles/kolda/expert.h"
#include "styles/kolda/zo_collage.h"
#include "tests/support/curve_expectations.h"
#include "tests/support/line_phase_checks.h"
#include "tests/support/pictures.h"
#include "tests/support/random_steps.h"
#include "tests/support/pinned_paintings.h"
#include "tests/support/style_painting.h"
#include "tests/support/style_twins.h"
#include "tests/support/test_module.h"

namespace {

using test_pictures::PixelBytes;

using kolda::Expert;

// KOLDA's own resources: the collage colour map.
platform::ModuleHandle KoldaModule() { return ProductModule("Zo_Kol"); }

struct Painting : StylePainting<Expert> {
    Painting(std::unique_ptr<TDib> image, int level, int dpi, int groundIndex)
        : StylePainting(std::move(image), level, dpi, groundIndex, KoldaModule()) {}
};

// A 120 × 80 part of the sample around the cup's rim: colourful, with edges and flat areas.
std::unique_ptr<TDib> SamplePart() {
    auto sample = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
    return sample ? test_pictures::Crop(*sample, 180, 240, 120, 80) : nullptr;
}

TEST(KoldaExpert, EightStepsReportTheirPercentagesThenFail) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 2);
    ASSERT_EQ(p.engine.Initialize(), 1);
    EXPECT_EQ(p.engine.phaseCount, 8);
    const int expected[8] = {20, 25, 30, 40, 60, 70, 85, 100};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(p.engine.Step(), expected[k]) << "phase " << k << " " << p.status;
        EXPECT_EQ(p.engine.Drawing() != nullptr, k >= 4 && k < 7)
            << "the strokes are held from the tracing to the drawing, after phase " << k;
    }
    ExpectNoStepBeyondTheLast(p);
}

TEST(KoldaExpert, TheLinePhaseFillsTheSettingsOnceByTheTouchLevel) {
    struct Case {
        int touch;
        int maxWidth, fullStrength, simplifyFactor;
    } cases[] = {{0, 80, 200, 100}, {1, 90, 150, 150}, {2, 100, 100, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "touch level " << c.touch);
        Painting p(test_pictures::Gradient(40, 30), 1, 72, 0);
        p.engine.touchLevel = c.touch;
        p.engine.lines.settings.hatchDirection = 3;  // neither is the style's to write
        p.engine.lines.settings.reserved = 7;
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(4));
        EXPECT_EQ(p.engine.Step(), 60);
        // Thick in the middle; the hatch direction and the reserved field as they were.
        const int32_t expected[] = {1,   kDrawingEdgeLines, kTaperThickMiddle, 3,
                                    20,  0,                 256,               2,
                                    10,  50,                50000,             15,
                                    c.maxWidth, 50,         250,               c.fullStrength,
                                    c.simplifyFactor,       7};
        ExpectLineSettings(p.engine.lines.settings, expected, p.engine.lines);

        // Run again at another level, the filled record stays as it is.
        p.engine.touchLevel = (c.touch + 1) % 3;
        p.engine.phaseCounter = 4;
        EXPECT_EQ(p.engine.Step(), 60);
        EXPECT_EQ(p.engine.lines.settings.maxWidth, c.maxWidth);
    }
}

TEST(KoldaExpert, TheSevenCurvesCarryTheirNamesAndValues) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 2);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(8)) << p.status;
    const kolda::LineWork& w = p.engine.lines;
    ExpectSigmoidCurves({
        {p.engine.randomFocus, "Random / Focus", {0.01, 1.0, 0.0, 1.0}},
        {w.colorDistance, "Color Distance for Detect/Focus", {0.03, 0.4, 0.2, 1.0}},
        {w.minLength, "Min Length/Focus", {0.03, 0.7, 1.0, 0.4}},
        {w.penSize, "Line Pel Size/Focus", {0.03, 1.0, 1.0, 0.0}},
        {w.weight, "Line Wight/Focus", {0.0, 1.0, 1.0, 1.0}},
        {w.speed, "Line Speed/Focus", {0.03, 0.7, 1.0, 0.0}},
        {w.spotSize, "Spot Size per Focus", {0.03, 0.5, 0.0, 1.0}},
    });
}

// KOLDA's engines on the sample part, run to a phase.
struct Twins : StyleTwins<Expert> {
    Twins(int level, int dpi, int groundIndex, int phase)
        : StyleTwins(SamplePart, level, dpi, groundIndex, phase, KoldaModule()) {}
};

TEST(KoldaExpert, DeformJittersByTheDeformLevelThenSharpens) {
    struct Case {
        int level;
        double amount;
    } cases[] = {{1, 0.5}, {2, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "deform level " << c.level);
        Twins twins(c.level, 150, 5, 3);
        twins.Compare(40, [&](Expert& e) {
            ZoForm form(e.width, e.height, e.status);
            MathTbl mask;
            mask.Sigmoid(0.01, 1.0, 0.0, 1.0);
            form.Jitter(c.amount, 0.8, e.focusMap.get(), mask.Table());
            form.WarpImage(e.source, e.canvas.get());
            form.WarpPlanes(e.colorIndexMap.get(), e.focusMap.get(), e.canvas.get());
            ZoCluster cluster(e.source, e.canvas.get(), e.status);
            cluster.Sharpen(7, 1);
            cluster.Sharpen(7, 0);
        });
    }
}

TEST(KoldaExpert, DeformLevelZeroLeavesEveryImage) {
    Painting p(SamplePart(), 1, 72, 0);
    p.engine.deformLevel = 0;
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(3));
    ExpectStepLeavesEverything(p, 40);
    EXPECT_EQ(p.engine.randomFocus.count, 0) << "its curve is not even defined";
}

TEST(KoldaExpert, AMeshThatCannotBeMadeFailsDeformAndLeavesThePicture) {
    Painting p(SamplePart(), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(3));
    const auto source = PixelBytes(*p.picture);
    p.engine.width = 0;  // a mesh for no picture is not valid
    EXPECT_EQ(p.engine.Step(), -1);
    EXPECT_EQ(p.engine.phaseCounter, 3);
    EXPECT_STREQ(p.status, texts::kNoMemory);
    EXPECT_EQ(PixelBytes(*p.picture), source);
}

TEST(KoldaExpert, TheColourMapThresholdsByTheColourLevel) {
    struct Case {
        int level;
        int offset, chromaThreshold, maskHigh;
    } cases[] = {{0, -2, 16, 100}, {1, 0, 16, 200}, {2, 2, 32, 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "colour level " << c.level);
        Twins twins(c.level, 72, 0, 5);
        // Weak colours of every chroma up to about 40 along the rows and every focus along the
        // columns, so that each threshold and each end of the mask range shows.
        twins.Prepare([](Expert& e) {
            for (int y = 0; y < e.height; ++y)
                for (int x = 0; x < e.width; ++x) {
                    const int grey = 40 + (x * 3 + y * 5) % 180, tint = y / 4;
                    test_pictures::SetPixel(*e.source, x, y, grey - tint, grey, grey + tint);
                    e.focusMap->Row(y)[x] = static_cast<uint8_t>(x * 255 / (e.width - 1));
                }
        });
        twins.Compare(70, [&](Expert& e) {
            ColorMapEx map(e.status);
            ASSERT_EQ(map.SetupMasked(e.source, e.source, e.focusMap.get(), c.offset, c.offset), 1);
            ASSERT_EQ(map.LoadFromResource(e.module, "ColorMap"), 1);
            map.SetThresholds(c.chromaThreshold, 128, 0, c.maskHigh);
            ASSERT_EQ(map.Run(), 1);
        });
    }
}

TEST(KoldaExpert, TheCollageCutsByTouchAndPapersByMaterial) {
    struct Case {
        const char* name;
        int level, groundIndex;
        int colours[3], passes[3];
        int gain;
        bool shaded;
        int length, lightDelta, chromaDelta;
    } cases[] = {
        // CANVAS2: heights 106..238, a range of 132. 144^0.3 = 4.4413 at 300 dpi.
        {"levels 0", 0, 5, {6, 8, 10}, {10, 5, 5}, 90, true, 3, -20, 10},
        {"levels 1", 1, 5, {6, 6, 8}, {20, 10, 5}, 180, true, 5, -41, 20},
        {"levels 2", 2, 5, {3, 4, 5}, {20, 20, 5}, 240, true, 6, -82, 41},
        {"a ground without texture", 1, 0, {6, 6, 8}, {20, 10, 5}, 180, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Twins twins(c.level, 300, c.groundIndex, 6);
        twins.Compare(85, [&](Expert& e) {
            kolda::ZoCollage collage(e.context);
            ASSERT_TRUE(collage.IsValid());
            collage.SetGains(c.gain, 2, 0, -4, 4);
            const int limits[3] = {100, 180, 256};
            collage.Segment(3, limits, c.colours, c.passes, 1);
            collage.RankByFocus();
            collage.MeasureParts();
            if (c.shaded) collage.ShadowEdges(c.length, c.lightDelta, c.chromaDelta);
            collage.CopyCanvasToSource();
        });
        EXPECT_LE(twins.own.engine.colorCount, c.colours[0] + c.colours[1] + c.colours[2]);
        if (!c.shaded) {
            EXPECT_EQ(RandomState,
                      StateAfterSteps(twins.stateBefore, 2 * FractalNoise::kGenerateDraws))
                << "plain pieces draw nothing beyond the paper's noise fields";
        }
    }
}

TEST(KoldaExpert, ShadowsGrowWithThePictureAndTheResolution) {
    MaterialInfo ground{64, 255, 255, 255, 100, 150, 200, 100, 30, 13, nullptr};
    MaterialInfo plain = ground;
    plain.textureSide = 0;
    struct Case {
        const char* name;
        const MaterialInfo* ground;
        int material, diagonal, dpi;
        kolda::CollageShadow expected;
    } cases[] = {
        {"no ground", nullptr, 1, 1000, 300, {false, 0, 0, 0}},
        {"a ground without texture", &plain, 1, 1000, 300, {false, 0, 0, 0}},
        // Heights 100..200: range 100; 100 × -160 / 256 = -62.5, 100 × 160 / 512 = 31.25.
        {"material 2", &ground, 2, 1000, 300, {true, 11, -62, 31}},
        {"material 1", &ground, 1, 1000, 300, {true, 9, -31, 15}},
        {"material 0", &ground, 0, 1000, 300, {true, 7, -15, 7}},
        {"1 dpi: at least 1", &ground, 2, 100, 1, {true, 1, -62, 31}},
        {"0 dpi counts as 1", &ground, 2, 100, 0, {true, 1, -62, 31}},
        {"400 dpi, large: at most 20", &ground, 2, 40000, 400, {true, 20, -62, 31}},
        {"the resolution counts up to 400", &ground, 0, 1000, 2000, {true, 9, -15, 7}},
    };
    for (const Case& c : cases) {
        const kolda::CollageShadow s = kolda::ShadowFor(c.ground, c.material, c.diagonal, c.dpi);
        EXPECT_EQ(s.shaded, c.expected.shaded) << c.name;
        EXPECT_EQ(s.length, c.expected.length) << c.name;
        EXPECT_EQ(s.lightDelta, c.expected.lightDelta) << c.name;
        EXPECT_EQ(s.chromaDelta, c.expected.chromaDelta) << c.name;
    }
}

// A painting of the sample part on PAPER3.
std::unique_ptr<Painting> PaperPainting() {
    return std::make_unique<Painting>(SamplePart(), 1, 72, 2);
}

TEST(KoldaExpert, AFailedLinePhaseRunsAgain) { ExpectAFailedLinePhaseRunsAgain(PaperPainting, 4, 60); }

TEST(KoldaExpert, ACollageWithoutItsPainterFailsAndRunsAgain) {
    Painting p(SamplePart(), 1, 72, 2);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(6));
    const auto source = PixelBytes(*p.picture);
    // A context its painter cannot work on stands for one that could not get its buffers.
    const EngineContext context = p.engine.context;
    p.engine.context.height = context.height + 1;
    EXPECT_EQ(p.engine.Step(), -1);
    EXPECT_STREQ(p.status, "Init collage. (Out of Memory)");
    EXPECT_EQ(p.engine.phaseCounter, 6);
    EXPECT_EQ(PixelBytes(*p.picture), source);
    p.engine.context = context;
    EXPECT_EQ(p.engine.Step(), 85);
    EXPECT_NE(PixelBytes(*p.picture), source);
}

TEST(KoldaExpert, DrawingLinesNeedsTracedOnes) {
    Painting p(SamplePart(), 1, 72, 2);
    ASSERT_EQ(p.engine.Initialize(), 1);
    std::strcpy(p.status, "before");
    const auto source = PixelBytes(*p.picture);
    EXPECT_EQ(p.engine.DrawLines(), 0) << "nothing traced yet";
    EXPECT_STREQ(p.status, "before") << "no text of its own";
    EXPECT_EQ(PixelBytes(*p.picture), source);
    ASSERT_TRUE(p.RunUntil(8));
    EXPECT_EQ(p.engine.DrawLines(), 0) << "the strokes were drawn and let go";
}

TEST(KoldaExpert, AbandonedOrReinitialisedPaintingsLetTheirStrokesGo) {
    ExpectHeldStrokesGoWithThePainting(PaperPainting, 6);
}

TEST(KoldaPainting, PaintsTheSampleAsPinnedInEveryBuild) {
    ExpectPinnedPaintings<Expert>(kKoldaPaintings, KoldaModule());
}

TEST(KoldaPainting, SamePictureTwiceSameBytes) { ExpectSameBytesTwice<Expert>(KoldaModule()); }

TEST(KoldaPainting, OddAndTinyPicturesPaintWithoutFault) {
    ExpectOddPicturesPaint<Expert>(6, KoldaModule());
}

}  // namespace
