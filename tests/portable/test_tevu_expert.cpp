// TEVU's engine with its own colour map (the Zo_Tev module): the eight steps, the outline
// width, the merge loop, the part map after merging and flattening, its curves by level, the
// phases that fail and what they leave, the relief, and whole paintings pinned for every build.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/status_text.h"
#include "engine/zo_part.h"
#include "imaging/random.h"
#include "styles/tevu/expert.h"
#include "tests/support/context_images.h"
#include "tests/support/curve_expectations.h"
#include "tests/support/pictures.h"
#include "tests/support/pinned_paintings.h"
#include "tests/support/style_checks.h"
#include "tests/support/style_painting.h"
#include "tests/support/test_module.h"

namespace {

using tevu::Expert;
using test_pictures::PixelBytes;

// TEVU's own resources: the silkscreen colour map.
platform::ModuleHandle TevuModule() { return ProductModule("Zo_Tev"); }

struct Painting : StylePainting<Expert> {
    Painting(std::unique_ptr<TDib> image, int level, int dpi, int groundIndex)
        : StylePainting(std::move(image), level, dpi, groundIndex, TevuModule()) {}
};

// A 160 × 120 part of the sample around the cup: colourful, with edges and flat areas.
std::unique_ptr<TDib> SamplePart() {
    auto sample = test_pictures::ReadBmp(SourcePath("samples/coffee.bmp"));
    return sample ? test_pictures::Crop(*sample, 180, 200, 160, 120) : nullptr;
}

TEST(TevuExpert, EightStepsReportTheirPercentagesThenFail) {
    Painting p(test_pictures::Gradient(40, 30), 1, 72, 5);
    ASSERT_EQ(p.engine.Initialize(), 1);
    EXPECT_EQ(p.engine.phaseCount, 8);
    const int expected[8] = {10, 20, 30, 40, 50, 80, 90, 100};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(p.engine.Step(), expected[k]) << "phase " << k << " " << p.status;
        EXPECT_EQ(p.engine.phaseCounter, k + 1);
        EXPECT_EQ(p.engine.Part() != nullptr, k >= 5) << "the part object from phase 5 on";
    }
    ExpectNoStepBeyondTheLast(p);
}

TEST(TevuOutlineWidth, GrowsWithDiagonalAndResolutionWithinOneToTwenty) {
    struct Case {
        const char* what;
        int diagonal, dpi, touch, expected;
    } cases[] = {
        {"1000 x 1000 at 100 dpi, touch 1: 1.32", 1414, 100, 1, 1},
        {"the same at 400 dpi, touch 2: 7.05", 1414, 400, 2, 7},
        {"the same at 400 dpi, touch 0: 3.52", 1414, 400, 0, 3},
        {"4000 x 3000 at 400 dpi, touch 2: 10.3", 5000, 400, 2, 10},
        {"200 x 150 at 84 dpi, touch 2: 0.88, the lower bound", 250, 84, 2, 1},
        {"resolution limited to 400", 1414, 1200, 2, 7},
        {"resolution 0 counts as 1", 1414, 0, 2, 1},
        {"a huge picture: the upper bound", 100000, 400, 2, 20},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tevu::OutlineWidth(c.diagonal, c.dpi, c.touch), c.expected) << c.what;
}

// The merge tables of one value each.
struct CostTables {
    uint8_t focus[256], luma[256], chroma[256];
    explicit CostTables(int focusValue) {
        std::memset(focus, focusValue, sizeof focus);
        std::memset(luma, 0, sizeof luma);
        std::memset(chroma, 0, sizeof chroma);
    }
};

// Vertical stripes one pixel wide, labels 0 and 1 in turn, on one flat colour.
void Stripes(ContextImages& images) {
    test_pictures::FillPixels(*images.source, 90, 120, 150);
    for (int y = 0; y < images.height; ++y)
        for (int x = 0; x < images.width; ++x) images.colorIndexMap->Row(y)[x] = x % 2;
}

int DistinctLabels(const TDib& map) {
    bool seen[256] = {};
    int count = 0;
    for (int y = 0; y < map.Height(); ++y)
        for (int x = 0; x < map.Width(); ++x) {
            const uint8_t label = map.Row(y)[x];
            if (!seen[label]) ++count;
            seen[label] = true;
        }
    return count;
}

TEST(TevuMergeLoop, OnePassWhenNothingMergesAndNoMoreThanTheLimit) {
    {
        // A black half and a white half: far too different to merge.
        ContextImages images(8, 6, 72, 255);
        test_pictures::FillPixels(*images.source, 255, 255, 255);
        for (int y = 0; y < 6; ++y) {
            std::memset(images.colorIndexMap->Row(y) + 4, 1, 4);
            for (int x = 0; x < 4; ++x) test_pictures::SetPixel(*images.source, x, y, 0, 0, 0);
        }
        ZoPart part(images.Context());
        CostTables tables(255);
        EXPECT_EQ(tevu::MergeUntilSettled(part, tables.focus, tables.luma, tables.chroma,
                                          Expert::kMaxMergePasses),
                  1);
        EXPECT_EQ(DistinctLabels(*images.colorIndexMap), 2);
    }
    // Free merging on 24 stripes: every stripe but the last takes its right neighbour's label,
    // so each pass joins only the last two pieces, and it takes 23 passes to make one piece
    // and one more to find nothing left to merge.
    struct Case {
        int maxPasses, expected;
        bool settled;
    } cases[] = {{Expert::kMaxMergePasses, 20, false}, {30, 24, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maxPasses);
        ContextImages images(24, 3, 72, 255);
        Stripes(images);
        ZoPart part(images.Context());
        CostTables tables(0);
        EXPECT_EQ(tevu::MergeUntilSettled(part, tables.focus, tables.luma, tables.chroma,
                                          c.maxPasses),
                  c.expected);
        EXPECT_EQ(DistinctLabels(*images.colorIndexMap) == 1, c.settled);
    }
}

TEST(TevuExpert, APictureWithNothingToMergeTakesOneMergePass) {
    Painting p(test_pictures::Flat(30, 20, 40, 90, 160), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(5)) << p.status;
    test_pictures::FillMap(*p.engine.focusMap, 255);  // one band: one part, one piece
    EXPECT_EQ(p.engine.Step(), 80);
    EXPECT_EQ(p.engine.MergePasses(), 1);
    EXPECT_EQ(DistinctLabels(*p.engine.colorIndexMap), 1);
}

TEST(TevuExpert, PartsAreAtMost120ThenOutlinedInBlackWithLabel255) {
    for (int touch : {0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "touch level " << touch);
        Painting p(SamplePart(), 1, 300, 5);
        p.engine.touchLevel = touch;
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(6)) << p.status;
        EXPECT_GE(p.engine.MergePasses(), 1);
        EXPECT_LE(p.engine.MergePasses(), Expert::kMaxMergePasses);
        EXPECT_GT(p.engine.colorCount, 1);
        EXPECT_LE(p.engine.colorCount, 120);
        const TDib& labels = *p.engine.colorIndexMap;
        for (int y = 0; y < labels.Height(); ++y)
            for (int x = 0; x < labels.Width(); ++x)
                ASSERT_LT(labels.Row(y)[x], p.engine.colorCount) << x << "," << y;

        ASSERT_EQ(p.engine.Step(), 90) << p.status;
        EXPECT_EQ(p.engine.Part()->OutlineWidth(),
                  tevu::OutlineWidth(p.engine.diagonal, 300, touch));
        int outline = 0;
        for (int y = 0; y < labels.Height(); ++y)
            for (int x = 0; x < labels.Width(); ++x) {
                const uint8_t label = labels.Row(y)[x];
                if (label != ZoPart::kOutline) {
                    ASSERT_LT(label, p.engine.colorCount) << x << "," << y;
                    continue;
                }
                ++outline;
                for (TDib* image : {p.engine.canvas.get(), p.picture.get()}) {
                    const uint8_t* pixel = test_pictures::PixelAt(*image, x, y);
                    ASSERT_EQ(pixel[0] | pixel[1] | pixel[2], 0) << "black at " << x << "," << y;
                }
            }
        EXPECT_GT(outline, 0);
    }
}

TEST(TevuExpert, EveryPieceIsFlatAfterTheFlattening) {
    Painting p(SamplePart(), 1, 150, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(7)) << p.status;
    // Neighbours of one label within a row share their colour in the flattened picture.
    const TDib& labels = *p.engine.colorIndexMap;
    int compared = 0;
    for (int y = 0; y < labels.Height(); ++y)
        for (int x = 1; x < labels.Width(); ++x) {
            if (labels.Row(y)[x] != labels.Row(y)[x - 1]) continue;
            ASSERT_EQ(std::memcmp(test_pictures::PixelAt(*p.picture, x, y),
                                  test_pictures::PixelAt(*p.picture, x - 1, y), 3),
                      0)
                << x << "," << y;
            ++compared;
        }
    EXPECT_GT(compared, labels.Width() * labels.Height() / 2);
}

void ExpectCurve(const ParamCurve* curve, const char* name, const double (&values)[4],
                 const CurveRows& rows) {
    ASSERT_NE(curve, nullptr) << name;
    ExpectSigmoidCurve(*curve, name, values, &rows);
}

constexpr CurveRows kCorrectionRows = {{0.01, 0.1, 0.1, 0.1}, {-5, 0, -1, -1}, {5, 1, 2, 2}};
constexpr CurveRows kWeightRows = {{0.01, 0.1, 0.05, 0.05}, {0, 0, 0, 0}, {5, 1, 1, 1}};
constexpr CurveRows kCostRows = {{0.01, 0.1, 0.1, 0.1}, {0, 0, 0, 0}, {5, 1, 1, 1}};

TEST(TevuCurves, TheColourMapsCorrectionsAreTheSameAtEveryLevel) {
    for (int level : {0, 2}) {
        Painting p(test_pictures::Gradient(13, 9), level, 72, 0);
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(5)) << p.status;
        ExpectCurve(p.engine.firstLight.get(), "Light correction", {0.02, 0.5, 0, 1.0},
                    kCorrectionRows);
        ExpectCurve(p.engine.firstChroma.get(), "Croma correction", {0.01, 1.0, 0, 0.9},
                    kCorrectionRows);
        // An S-curve of light from 0 to 255; chroma held below 0.9 × 255.
        EXPECT_EQ(p.engine.firstLight->table[0], 0);
        EXPECT_EQ(p.engine.firstLight->table[255], 255);
        EXPECT_NEAR(p.engine.firstChroma->table[255], 0.9 * 255, 1);
    }
}

// The first entry at or above `level` (rising) or at or below it (falling); 256 for none.
int FirstEntryPast(const uint8_t* table, int level, bool rising) {
    for (int i = 0; i < 256; ++i)
        if (rising ? table[i] >= level : table[i] <= level) return i;
    return 256;
}

TEST(TevuCurves, TheMergeCostsByTouchLevel) {
    struct Case {
        int touch;
        double low, high;
    } cases[] = {{0, 0.35, 0.45}, {1, 0.25, 0.35}, {2, 0.15, 0.35}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "touch level " << c.touch);
        Painting p(test_pictures::Gradient(13, 9), 1, 72, 0);
        p.engine.touchLevel = c.touch;
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(6)) << p.status;
        ExpectCurve(p.engine.mergeFocus.get(), "Merge Wight / Focus", {0.02, 1.0, c.low, c.high},
                    kWeightRows);
        ExpectCurve(p.engine.darkWeight.get(), "Dark Wight", {0.1, 0.1, 1.0, 0}, kCostRows);
        ExpectCurve(p.engine.vividWeight.get(), "Vivid Wight", {0.04, 0.8, 0, 1.0}, kCostRows);
        // In focus harder to merge; dark pieces not at all; vivid ones less.
        const uint8_t* focus = p.engine.mergeFocus->table;
        EXPECT_NEAR(focus[0], c.low * 255, 1);
        EXPECT_NEAR(focus[255], c.high * 255, 1);
        const uint8_t* dark = p.engine.darkWeight->table;
        EXPECT_EQ(dark[0], 255);
        EXPECT_NEAR(FirstEntryPast(dark, 128, false), 26, 3);
        EXPECT_LE(dark[60], 10);
        EXPECT_LE(dark[90], 1);
        const uint8_t* vivid = p.engine.vividWeight->table;
        EXPECT_EQ(vivid[0], 0);
        EXPECT_NEAR(FirstEntryPast(vivid, 128, true), 204, 10);
        for (int i = 1; i < 256; ++i) {
            EXPECT_GE(focus[i], focus[i - 1]) << i;
            EXPECT_LE(dark[i], dark[i - 1]) << i;
            EXPECT_GE(vivid[i], vivid[i - 1]) << i;
        }
    }
}

TEST(TevuCurves, TheFlatPiecesLightAndChromaByColourLevel) {
    struct Case {
        int colour;
        double light[4];
        double chroma[4];
        int light64, light192;  // entries of the light table
        int chroma100, chroma200;
    } cases[] = {
        {0, {0.01, 0, 0, 1.1}, {0, 0, 0, 1.0}, -1, -1, 100, 200},  // a slight lift
        {1, {0, 0, 0, 1.0}, {0, 0, 0, 1.0}, 64, 192, 100, 200},    // unchanged
        {2, {0.02, 0.5, 0, 1.0}, {0, 0, 0, 2.0}, -1, -1, 200, 255},  // S-curve, doubled chroma
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "colour level " << c.colour);
        Painting p(test_pictures::Gradient(13, 9), 1, 72, 0);
        p.engine.colorLevel = c.colour;
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(7)) << p.status;
        ExpectCurve(p.engine.secondLight.get(), "Light correction", c.light, kCorrectionRows);
        ExpectCurve(p.engine.secondChroma.get(), "Croma correction", c.chroma, kCorrectionRows);
        const uint8_t* light = p.engine.secondLight->table;
        const uint8_t* chroma = p.engine.secondChroma->table;
        if (c.light64 >= 0) {
            EXPECT_EQ(light[64], c.light64);
            EXPECT_EQ(light[192], c.light192);
        } else if (c.colour == 0) {
            for (int i = 1; i < 255; ++i) EXPECT_GT(light[i], i) << i;
        } else {
            EXPECT_LT(light[64], 64);
            EXPECT_GT(light[192], 192);
        }
        EXPECT_EQ(chroma[100], c.chroma100);
        EXPECT_EQ(chroma[200], c.chroma200);
    }
}

// An engine on a 13 × 9 gradient with a small textured ground of its own, at phase 7.
struct TevuFinish : ::testing::Test {
    char status[kStatusSize] = "";
    std::unique_ptr<TDib> picture = test_pictures::Gradient(13, 9);
    std::vector<uint8_t> texture = SmallGroundTexture();
    MaterialInfo ground = SmallGround(texture.data());

    void Prepare(Expert& engine, int materialLevel) {
        engine.source = picture.get();
        engine.status = status;
        engine.module = TevuModule();
        engine.ground = &ground;
        engine.materialLevel = materialLevel;
        ASSERT_EQ(engine.Initialize(), 1);
        RampFocusAcrossColumns(*engine.focusMap);
    }
};

TEST_F(TevuFinish, LaysTheReliefAtOneWeightByMaterialLevel) {
    for (const ReliefWeight& c : kReliefWeights) {
        SCOPED_TRACE(c.level);
        picture = test_pictures::Gradient(13, 9);
        Expert engine;
        Prepare(engine, c.level);
        ExpectReliefAtOneWeight(engine, c, 0, [](Expert& e) { return e.textureWeight.get(); });
    }
}

TEST_F(TevuFinish, WithoutATexturedGroundChangesNothingAndDrawsNothing) {
    for (bool plain : {true, false}) {
        SCOPED_TRACE(plain ? "plain ground" : "no ground");
        Expert engine;
        Prepare(engine, 1);
        if (plain) {
            ground.textureSide = 0;
        } else {
            engine.ground = nullptr;
        }
        const auto before = PixelBytes(*picture);
        const uint32_t state = RandomState;
        EXPECT_EQ(engine.Finish(), 1);
        EXPECT_EQ(PixelBytes(*picture), before);
        EXPECT_EQ(RandomState, state);
        EXPECT_EQ(engine.textureWeight->count, 0) << "no relief, no curve";
    }
}

TEST(TevuFailures, APhaseWhoseCurveIsMissingFailsWithShortMemoryAndChangesNothing) {
    struct Case {
        const char* name;
        std::unique_ptr<ParamCurve> Expert::*curve;
        int phase;
    } cases[] = {
        {"first light", &Expert::firstLight, 4},   {"first chroma", &Expert::firstChroma, 4},
        {"merge focus", &Expert::mergeFocus, 5},   {"dark", &Expert::darkWeight, 5},
        {"vivid", &Expert::vividWeight, 5},        {"second light", &Expert::secondLight, 6},
        {"second chroma", &Expert::secondChroma, 6}, {"relief", &Expert::textureWeight, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Painting p(test_pictures::Gradient(20, 14), 1, 72, 5);
        ASSERT_EQ(p.engine.Initialize(), 1);
        ASSERT_TRUE(p.RunUntil(c.phase)) << p.status;
        (p.engine.*c.curve).reset();
        const auto picture = PixelBytes(*p.picture);
        const auto labels = PixelBytes(*p.engine.colorIndexMap);
        const uint32_t state = RandomState;
        EXPECT_EQ(p.engine.Step(), -1);
        EXPECT_EQ(p.engine.phaseCounter, c.phase);
        EXPECT_STREQ(p.status, texts::kNoMemory);
        EXPECT_EQ(PixelBytes(*p.picture), picture);
        EXPECT_EQ(PixelBytes(*p.engine.colorIndexMap), labels);
        EXPECT_EQ(RandomState, state);
    }
}

TEST(TevuFailures, AnUnusablePartObjectIsReportedAndNoneIsKept) {
    Painting p(test_pictures::Gradient(20, 14), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(6)) << p.status;
    ASSERT_NE(p.engine.Part(), nullptr);
    // A focus map of another size: the part object is made but not valid. The earlier one
    // goes, and the invalid one is not kept.
    p.engine.focusMap = TDib::Create8(19, 14);
    p.engine.context.focusMap = p.engine.focusMap.get();
    p.engine.phaseCounter = 5;
    EXPECT_EQ(p.engine.Step(), -1);
    EXPECT_EQ(p.engine.phaseCounter, 5);
    EXPECT_STREQ(p.status, "Init Part. (Out of Memory)");
    EXPECT_EQ(p.engine.Part(), nullptr);

    // The flattening without a part object fails without a word of its own.
    p.engine.phaseCounter = 6;
    StatusCopy(p.status, "unchanged");
    const auto picture = PixelBytes(*p.picture);
    EXPECT_EQ(p.engine.Step(), -1);
    EXPECT_EQ(p.engine.phaseCounter, 6);
    EXPECT_STREQ(p.status, "unchanged");
    EXPECT_EQ(PixelBytes(*p.picture), picture);
}

TEST(TevuFailures, AFlatteningWhoseCleanerRefusesTheImagesFailsAndLeavesTheParts) {
    Painting p(test_pictures::Gradient(20, 14), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(6)) << p.status;
    // A source of another size than the part map: the cleaner is not valid and is deleted.
    auto other = test_pictures::Gradient(3, 3);
    p.engine.source = other.get();
    const auto labels = PixelBytes(*p.engine.colorIndexMap);
    const auto canvas = PixelBytes(*p.engine.canvas);
    EXPECT_EQ(p.engine.Step(), -1);
    EXPECT_EQ(p.engine.phaseCounter, 6);
    EXPECT_STREQ(p.status, texts::kNoMemory);
    EXPECT_EQ(PixelBytes(*p.engine.colorIndexMap), labels);
    EXPECT_EQ(PixelBytes(*p.engine.canvas), canvas);

    // With the picture back, the phase runs on the same part object.
    p.engine.source = p.picture.get();
    EXPECT_EQ(p.engine.Step(), 90) << p.status;
}

TEST(TevuExpert, ANewInitialisationDropsThePartObject) {
    Painting p(test_pictures::Gradient(20, 14), 1, 72, 0);
    ASSERT_EQ(p.engine.Initialize(), 1);
    ASSERT_TRUE(p.RunUntil(6)) << p.status;
    ASSERT_NE(p.engine.Part(), nullptr);
    ASSERT_EQ(p.engine.Initialize(), 1);
    EXPECT_EQ(p.engine.Part(), nullptr);
    p.engine.phaseCounter = 6;
    EXPECT_EQ(p.engine.Step(), -1) << "no flattening through the images of before";
}

TEST(TevuPainting, PaintsTheSampleAsPinnedInEveryBuild) {
    ExpectPinnedPaintings<Expert>(kTevuPaintings, TevuModule());
}

TEST(TevuPainting, SamePictureTwiceSameBytes) { ExpectSameBytesTwice<Expert>(TevuModule()); }

TEST(TevuPainting, OddAndTinyPicturesPaintWithoutFault) {
    ExpectOddPicturesPaint<Expert>(kNoGround, TevuModule());
    ExpectOddPicturesPaint<Expert>(6, TevuModule());
}

}  // namespace
