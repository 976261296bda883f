// ZAVET's engine with its own pens and colour map (the Zo_Zav module): the eleven steps, what
// each pen pass hands its stroke painter, the canvas cleared to the ground, a missing pen,
// levels out of range, and whole paintings of the sample pinned for every build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/status_text.h"
#include "imaging/random.h"
#include "platform/native_module.h"
#include "styles/zavet/expert.h"
#include "tests/support/pictures.h"
#include "tests/support/pinned_paintings.h"
#include "tests/support/style_painting.h"

namespace {

using zavet::Expert;
using test_pictures::PixelBytes;

// An engine with the resources of `moduleName`, by default ZAVET's own.
struct Painting : StylePainting<Expert> {
    Painting(std::unique_ptr<TDib> image, int level, int dpi, int groundIndex,
             const char* moduleName = "Zo_Zav")
        : StylePainting(std::move(image), level, dpi, groundIndex,
                        platform::NativeModuleHandle(moduleName)) {}

    // A stroke painter on the engine's images, as a pen pass makes it.
    std::unique_ptr<ZoStroke> Stroke() {
        return std::make_unique<ZoStroke>(picture.get(), engine.canvas.get(),
                                          engine.focusMap.get(), engine.colorIndexMap.get(),
                                          status);
    }
};

TEST(ZavetExpert, ElevenStepsReportTheirPercentagesThenFail) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    EXPECT_EQ(p.engine.phaseCount, 11);
    const int expected[11] = {20, 25, 30, 45, 50, 60, 65, 70, 85, 90, 100};
    for (int k = 0; k < 11; ++k) {
        EXPECT_EQ(p.engine.Step(), expected[k]) << "phase " << k << " " << p.status;
        EXPECT_EQ(p.engine.phaseCounter, k + 1);
    }
    ExpectNoStepBeyondTheLast(p);
}

TEST(ZavetExpert, WithoutPen3TheFirstPenPassFailsAndKeepsItsCounterAndText) {
    // Zo_Kol carries the grounds, the strings and a colour map, but no pens.
    Painting p(test_pictures::Gradient(30, 20), 1, 72, 0, "Zo_Kol");
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(5)) << p.status;
    EXPECT_EQ(p.engine.Step(), -1);
    EXPECT_EQ(p.engine.phaseCounter, 5);
    EXPECT_STREQ(p.status, "Stroke:Load Brush.");
    EXPECT_EQ(p.engine.Step(), -1) << "tried again, it fails again";
    EXPECT_EQ(p.engine.phaseCounter, 5);
    EXPECT_STREQ(p.status, "Stroke:Load Brush.");
}

TEST(ZavetExpert, TheFirstPassClearsTheCanvasToTheGroundColourBeforeItsPen) {
    // Without pens nothing is painted over the cleared canvas, so it shows what the first
    // pass clears it to.
    struct Case {
        const char* what;
        int groundIndex;
    } cases[] = {{"no ground: white", kNoGround}, {"PAPER3", 2}, {"CANVAS3", 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Painting p(test_pictures::Gradient(9, 7), 1, 72, c.groundIndex, "Zo_Kol");
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(5));
        EXPECT_EQ(p.engine.StrokePass(0), 0);
        const MaterialInfo* g = p.engine.ground;
        const uint8_t blue = g ? g->blue : 255, green = g ? g->green : 255, red = g ? g->red : 255;
        if (g) {
            EXPECT_FALSE(blue == 255 && green == 255 && red == 255) << "a tinted ground";
        }
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x) {
                const uint8_t* pixel = test_pictures::PixelAt(*p.engine.canvas, x, y);
                ASSERT_EQ(pixel[0], blue);
                ASSERT_EQ(pixel[1], green);
                ASSERT_EQ(pixel[2], red);
            }
    }
}

TEST(ZavetExpert, TheLaterPassesDoNotClearTheCanvas) {
    Painting p(test_pictures::Gradient(9, 7), 1, 72, kNoGround, "Zo_Kol");
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(5));
    test_pictures::FillPixels(*p.engine.canvas, 1, 2, 3);
    const auto canvas = PixelBytes(*p.engine.canvas);
    for (int pass = 1; pass < Expert::kPenPasses; ++pass) {
        EXPECT_EQ(p.engine.StrokePass(pass), 0) << pass;
        EXPECT_EQ(PixelBytes(*p.engine.canvas), canvas) << pass;
    }
}

// What every pen pass hands its stroke painter, by pass.
struct PenPass {
    const char* brush;
    int side;  // of the pen bitmap
    double coverage, relief;
    double spacing, jitter, density;
    int hueStep, lightUp, lightDown, chromaShift;
    int lightShift[3];    // by colour level
    int colorJitter[3];   // by colour level
    double bend[3];       // by touch level
    double minVariance[4];
};

const PenPass kPenPasses[4] = {
    {"PEN3", 16, 0.5, 0.6, 0.5, 2.0, 0.8, 32, 40, 10, 0, {100, 80, 60}, {0, 0, 60}, {0.4, 0.6, 0.8},
     {0, 0, 0, 0}},
    {"PEN2", 10, 0.6, 0.5, 0.7, 2.0, 0.6, 16, 30, 10, 10, {80, 60, 40}, {0, 0, 30}, {0.3, 0.5, 0.7},
     {0.01, 0, 0.1, 0}},
    {"PEN1", 10, 0.8, 0.4, 0.7, 3.0, 0.5, 8, 20, 10, 20, {40, 30, 30}, {0, 0, 0}, {0, 0, 0},
     {0.01, 0, 0.2, 0.02}},
    {"PEN0", 5, 1.0, 0.5, 0.8, 3.0, 0.5, 4, 10, 10, 30, {20, 10, 10}, {0, 0, 0}, {0, 0, 0},
     {0.01, 0, 0.4, 0.05}},
};

// The largest bend entry of a stroke: 0 without bend, else about amplitude × extent.
int LargestBend(const ZoStroke& stroke) {
    int largest = 0;
    for (int i = 0; i < stroke.BendSize(); ++i)
        largest = std::max(largest, std::abs(stroke.Bend(i)));
    return largest;
}

TEST(ZavetExpert, EachPenPassHandsItsValuesToTheStrokePainter) {
    for (int level = 0; level < 3; ++level) {
        // 1000 × 1000 at 300 dpi: scales 2.64, 3.96 and 5.28 by touch level.
        Painting p(test_pictures::Gradient(1000, 1000), level, 300, 0);
        ASSERT_EQ(p.engine.Initialize(), 1);
        const double scale = zavet::PenScale(1414, 300, 1.0 + 0.5 * level);
        for (int pass = 0; pass < 4; ++pass) {
            SCOPED_TRACE(testing::Message() << "level " << level << " pass " << pass);
            const PenPass& c = kPenPasses[pass];
            auto stroke = p.Stroke();
            ASSERT_EQ(p.engine.SetUpPen(*stroke, pass), 1) << p.status;

            // The pen at the picture's scale, with its coverage and relief factors.
            auto reference = p.Stroke();
            ASSERT_EQ(reference->LoadBrush(p.engine.module, c.brush, Expert::kBrushBufferBytes,
                                           c.coverage, scale, c.relief),
                      1);
            EXPECT_EQ(stroke->SliceCount(), static_cast<int>(c.side * scale));
            ASSERT_EQ(stroke->BrushPixels(), reference->BrushPixels());
            EXPECT_EQ(
                std::memcmp(stroke->Pairs(), reference->Pairs(), 2 * stroke->BrushPixels()), 0);

            const StrokeSettings& s = stroke->Settings();
            EXPECT_EQ(s.sampleFromSource, 1);
            EXPECT_EQ(s.stepX, static_cast<int>(stroke->ExtentX() * c.spacing));
            EXPECT_EQ(s.stepY, static_cast<int>(stroke->ExtentY() * c.spacing));
            EXPECT_EQ(s.jitterX, static_cast<int>(s.stepX * c.jitter));
            EXPECT_EQ(s.jitterY, static_cast<int>(s.stepY * c.jitter));
            EXPECT_EQ(s.densityThreshold, static_cast<uint32_t>(c.density * 4294967295.0));
            EXPECT_EQ(s.focusLow, 0);
            EXPECT_EQ(s.focusHigh, 255);
            EXPECT_EQ(s.brightnessLow, -382);
            EXPECT_EQ(s.brightnessHigh, 1148);
            EXPECT_EQ(s.colorJitter, c.colorJitter[level]);
            EXPECT_EQ(s.cellHueStep, c.hueStep);
            EXPECT_EQ(s.spareCellValue, 0);
            EXPECT_EQ(s.lightUpStep, c.lightUp);
            EXPECT_EQ(s.lightDownStep, c.lightDown);
            EXPECT_EQ(s.hueShift, 0);
            EXPECT_EQ(s.chromaShift, c.chromaShift);
            EXPECT_EQ(s.lightShift, c.lightShift[level]);

            // The variance limits from this pass's curves.
            EXPECT_STREQ(p.engine.minVariance.name, "Stroke Min Variance / Focus");
            EXPECT_STREQ(p.engine.maxVariance.name, "Stroke Max Variance / Focus");
            for (int i = 0; i < 4; ++i) EXPECT_EQ(p.engine.minVariance.value[i], c.minVariance[i]);
            for (int f = 0; f < 256; ++f) {
                const uint32_t low = p.engine.minVariance.table[f];
                ASSERT_EQ(s.minVariance[f], 3 * low * low) << f;
                ASSERT_EQ(s.maxVariance[f], 3u * 255 * 255) << f;
            }
            if (pass == 0) {
                EXPECT_EQ(s.minVariance[0] + s.minVariance[255], 0u) << "no lower limit";
            } else {
                EXPECT_GT(s.minVariance[0], s.minVariance[255]) << "more out of focus";
            }

            // The bend: about amplitude × the extent along the slices, none for the fine pens.
            const int extent = stroke->RowsFlag() ? stroke->ExtentX() : stroke->ExtentY();
            if (c.bend[level] == 0) {
                EXPECT_EQ(LargestBend(*stroke), 0);
            } else {
                EXPECT_NEAR(LargestBend(*stroke), c.bend[level] * extent, 1.0);
            }
        }
    }
}

TEST(ZavetExpert, ColourLevelsZeroAndOneDrawNoColourJitter) {
    // The first pass accepts every dab that meets the picture, whatever its colours, and the
    // colour shifts draw nothing: from one state, levels 0 and 1 draw alike, while level 2's
    // jitter draws three more states for every dab.
    Painting p(test_pictures::Gradient(60, 40), 1, 150, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(5));
    uint32_t after[3];
    for (int level : {0, 1, 2}) {
        SCOPED_TRACE(level);
        p.engine.colorLevel = level;
        for (int pass = 0; pass < 4; ++pass) {
            auto stroke = p.Stroke();
            ASSERT_EQ(p.engine.SetUpPen(*stroke, pass), 1);
            EXPECT_EQ(stroke->Settings().colorJitter, kPenPasses[pass].colorJitter[level]) << pass;
        }
        RandomState = 12345;
        ASSERT_EQ(p.engine.StrokePass(0), 1);
        after[level] = RandomState;
    }
    EXPECT_EQ(after[0], after[1]);
    EXPECT_NE(after[1], after[2]);
}

TEST(ZavetExpert, TheColourPhaseSharpensEvenWithoutTheColourMap) {
    const platform::NativeModule empty = {"Empty", nullptr, 0, nullptr, 0};
    Painting p(test_pictures::Gradient(13, 9), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(4));
    p.engine.module = const_cast<platform::NativeModule*>(&empty);
    const auto before = PixelBytes(*p.picture);
    EXPECT_EQ(p.engine.Step(), 50);
    EXPECT_EQ(p.engine.sharpBlend.count, 4);
    EXPECT_NE(PixelBytes(*p.picture), before) << "sharpened in focus, smoothed out of it";
}

TEST(ZavetExpert, TheCopyPassMakesTheCanvasThePicture) {
    Painting p(test_pictures::Gradient(13, 5), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(9));
    test_pictures::FillPixels(*p.engine.canvas, 9, 8, 7);
    EXPECT_EQ(p.engine.Step(), 90);
    EXPECT_EQ(PixelBytes(*p.picture), PixelBytes(*p.engine.canvas));
}

TEST(ZavetExpert, AStrokePainterThatRefusesTheImagesFailsEveryPassEvenTheCopy) {
    Painting p(test_pictures::Gradient(13, 5), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(5));
    // A focus map of another size: the stroke painter is not valid.
    p.engine.focusMap = TDib::Create8(12, 5);
    ASSERT_TRUE(p.engine.focusMap);
    const auto picture = PixelBytes(*p.picture);
    for (int pass = 0; pass <= Expert::kCopyPass; ++pass) {
        StatusCopy(p.status, "");
        EXPECT_EQ(p.engine.StrokePass(pass), 0) << pass;
        EXPECT_STREQ(p.status, "Init Stroke. (Out of Memory)") << pass;
    }
    EXPECT_EQ(PixelBytes(*p.picture), picture) << "nothing copied";
}

TEST(ZavetExpert, WithoutAGroundTheFinishChangesNothingAndDrawsNothing) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, kNoGround);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(10));
    const auto before = PixelBytes(*p.picture);
    const uint32_t state = RandomState;
    EXPECT_EQ(p.engine.Step(), 100);
    EXPECT_EQ(PixelBytes(*p.picture), before);
    EXPECT_EQ(RandomState, state);
    EXPECT_EQ(p.engine.textureWeight.count, 0) << "no relief, no curve";
}

TEST(ZavetExpert, LevelsOutOfRangeBeepAndPaintAsLevelOne) {
    const uint64_t levelOne = [] {
        Painting p(test_pictures::Gradient(50, 40), 1, 150, 5);
        EXPECT_EQ(p.engine.Initialize(), 1);
        EXPECT_TRUE(p.RunUntil(11)) << p.status;
        return test_pictures::Checksum(*p.picture);
    }();
    for (int level : {-1, 3, 7}) {
        SCOPED_TRACE(level);
        Painting p(test_pictures::Gradient(50, 40), level, 150, 5);
        platform::ClearRecords();
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(11)) << p.status;
        EXPECT_GT(platform::RecordedBeeps(), 0);
        EXPECT_EQ(test_pictures::Checksum(*p.picture), levelOne);
    }
}

TEST(ZavetExpert, OddAndTinyPicturesPaintAtEveryLevelWithoutFault) {
    const platform::ModuleHandle zavet = platform::NativeModuleHandle("Zo_Zav");
    ExpectOddPicturesPaint<Expert>(kNoGround, zavet);
    ExpectOddPicturesPaint<Expert>(6, zavet);
    // A level below 0 as well.
    for (auto [width, height] : {std::pair{257, 123}, {1, 1}, {2, 3}, {5, 1000}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height << " level -1");
        for (int groundIndex : {kNoGround, 6}) {
            Painting p(test_pictures::Gradient(width, height), -1, 300, groundIndex);
            ASSERT_EQ(p.engine.Initialize(), 1);
            for (int k = 0; k < 11; ++k) EXPECT_GE(p.engine.Step(), 0) << p.status;
        }
    }
}

TEST(ZavetPainting, PaintsTheSampleAsPinnedInEveryBuild) {
    ExpectPinnedPaintings<Expert>(kZavetPaintings, platform::NativeModuleHandle("Zo_Zav"));
}

TEST(ZavetPainting, SamePictureTwiceSameBytes) {
    ExpectSameBytesTwice<Expert>(platform::NativeModuleHandle("Zo_Zav"));
}

}  // namespace
