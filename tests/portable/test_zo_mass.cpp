// ZoMass: the edge shading of the masses, the background relief with its random draws, and the
// two further shadings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "imaging/fractal_noise.h"
#include "imaging/hue_color.h"
#include "imaging/random.h"
#include "styles/moravel/zo_mass.h"
#include "tests/support/context_images.h"
#include "tests/support/pictures.h"
#include "tests/support/random_steps.h"

namespace {

using moravel::ZoMass;

// The pixel's colour (blue, green, red) with `change` added to its luma through the hue form.
std::vector<int> WithLumaChange(std::vector<int> bgr, int change) {
    HueColor c = {bgr[2], bgr[1], bgr[0], 0, 0, 0};
    RgbToHcy(c);
    c.luma = std::min(255, std::max(0, c.luma + change));
    HcyToRgb(c);
    return {c.blue, c.green, c.red};
}

std::vector<int> At(TDib& image, int x, int y) {
    const uint8_t* p = test_pictures::PixelAt(image, x, y);
    return {p[0], p[1], p[2]};
}

const uint8_t kFlat[3] = {40, 60, 80};    // the subject part 0
const uint8_t kLight[3] = {200, 200, 200};  // the less focused part 1

// A 3 × 3 picture (storage rows, row 0 at the bottom):   row 2:  1 1 1
//                                                        row 1:  1 0 0
//                                                        row 0:  1 0 0
// Part 0 is the subject (focus 200, colour 40/60/80), part 1 lies to its upper left (focus 50,
// colour 200/200/200) and, being the least focused of at least the mean size, is the background.
struct ZoMassEdgeShading : ::testing::Test {
    ContextImages images{3, 3, 72};
    uint8_t shape[256], reach[256], distance[256], focus[256];

    void SetUp() override {
        test_pictures::SetMapRows(*images.colorIndexMap, {{1, 0, 0}, {1, 0, 0}, {1, 1, 1}});
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                const bool subject = images.colorIndexMap->Row(y)[x] == 0;
                const uint8_t* c = subject ? kFlat : kLight;
                test_pictures::SetPixel(*images.source, x, y, c[0], c[1], c[2]);
                images.focusMap->Row(y)[x] = subject ? 200 : 50;
            }
        images.colorCount = 2;
        // Reach 2 everywhere; the shape is 200 at the edge, 100 at the end of the reach.
        std::memset(shape, 7, sizeof shape);
        shape[0] = 200;
        shape[255] = 100;
        std::memset(reach, 255, sizeof reach);
        std::memset(distance, 0, sizeof distance);
        distance[140] = 255;  // (|200-80| + |200-60| + |200-40|) / 3
        std::memset(focus, 0, sizeof focus);
        focus[200] = 128;
    }

    void Measure(ZoMass& mass) {
        mass.RankByFocus();
        mass.MeasureParts();
    }
};

TEST_F(ZoMassEdgeShading, LightsThePixelsWhoseUpperLeftIsALessFocusedPart) {
    ZoMass mass(images.Context());
    ASSERT_TRUE(mass.IsValid());
    Measure(mass);
    ASSERT_EQ(mass.BackgroundPart(), 1);
    mass.ShadeEdges(2, shape, reach, distance, focus);
    const std::vector<int> flat = {kFlat[0], kFlat[1], kFlat[2]};
    // One step away: shape[0] → w = 128 × 200 / 256 = 100, luma + 255 × 100 / 256 = 99.
    const std::vector<int> near = WithLumaChange(flat, 99);
    // Two steps away (2, 0): shape[255] → w = 50, luma + 49.
    const std::vector<int> far = WithLumaChange(flat, 49);
    EXPECT_EQ(At(*images.source, 1, 1), near);
    EXPECT_EQ(At(*images.source, 2, 1), near);
    EXPECT_EQ(At(*images.source, 1, 0), near);
    EXPECT_EQ(At(*images.source, 2, 0), far);
    EXPECT_EQ(At(*images.source, 0, 2), std::vector<int>({200, 200, 200}))
        << "the background is never shaded";
}

TEST_F(ZoMassEdgeShading, ReachOneLooksOnlyAtTheDiagonalNeighboursWithTheMiddleShape) {
    shape[128] = 64;
    std::memset(reach, 0, sizeof reach);  // length × 0 < 256: reach 1
    ZoMass mass(images.Context());
    Measure(mass);
    mass.ShadeEdges(2, shape, reach, distance, focus);
    const std::vector<int> flat = {kFlat[0], kFlat[1], kFlat[2]};
    // w = 128 × 64 / 256 = 32: luma + 255 × 32 / 256 = 31.
    EXPECT_EQ(At(*images.source, 1, 1), WithLumaChange(flat, 31));
    EXPECT_EQ(At(*images.source, 2, 0), flat) << "its part fills the only step it looks at";
}

TEST_F(ZoMassEdgeShading, DarkensWhereTheLessFocusedPartLiesToTheLowerRight) {
    // The same picture turned half round: part 1 now lies to the lower right.
    test_pictures::SetMapRows(*images.colorIndexMap, {{1, 1, 1}, {0, 0, 1}, {0, 0, 1}});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            const bool subject = images.colorIndexMap->Row(y)[x] == 0;
            const uint8_t* c = subject ? kFlat : kLight;
            test_pictures::SetPixel(*images.source, x, y, c[0], c[1], c[2]);
            images.focusMap->Row(y)[x] = subject ? 200 : 50;
        }
    ZoMass mass(images.Context());
    Measure(mass);
    mass.ShadeEdges(2, shape, reach, distance, focus);
    const std::vector<int> flat = {kFlat[0], kFlat[1], kFlat[2]};
    EXPECT_EQ(At(*images.source, 1, 1), WithLumaChange(flat, -99));
    EXPECT_EQ(At(*images.source, 0, 2), WithLumaChange(flat, -49));
}

TEST(ZoMassEdges, EqualOrHigherFocusBeyondTheEdgeGivesNoLight) {
    // The 3 × 3 picture above with a background part 2 (focus 0, 6 pixels) to its right, so
    // that part 1 is a part like another, of focus 200 or 230.
    for (int focusOfPartOne : {200, 230}) {
        SCOPED_TRACE(focusOfPartOne);
        ContextImages images(5, 3, 72);
        test_pictures::SetMapRows(*images.colorIndexMap, {{1, 0, 0, 2, 2}, {1, 0, 0, 2, 2}, {1, 1, 1, 2, 2}});
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const int part = images.colorIndexMap->Row(y)[x];
                const uint8_t* c = part == 0 ? kFlat : kLight;
                test_pictures::SetPixel(*images.source, x, y, c[0], c[1], c[2]);
                images.focusMap->Row(y)[x] = part == 0 ? 200 : part == 1 ? focusOfPartOne : 0;
            }
        images.colorCount = 3;
        ZoMass mass(images.Context());
        mass.RankByFocus();
        mass.MeasureParts();
        ASSERT_EQ(mass.BackgroundPart(), 2);
        uint8_t shape[256], reach[256], distance[256], focus[256];
        std::memset(shape, 255, sizeof shape);
        std::memset(reach, 255, sizeof reach);
        std::memset(distance, 255, sizeof distance);
        std::memset(focus, 255, sizeof focus);
        mass.ShadeEdges(2, shape, reach, distance, focus);
        // Part 0's pixels whose lower right holds no other part: part 1 toward the upper left
        // is not less focused, so nothing lights them.
        const std::vector<int> flat = {kFlat[0], kFlat[1], kFlat[2]};
        for (auto [x, y] : {std::pair{1, 1}, {1, 0}, {2, 0}})
            EXPECT_EQ(At(*images.source, x, y), flat) << x << "," << y;
    }
}

// A 4 × 3 picture whose bottom row and left column are the background part 1 (focus 10) and the
// rest part 0 (focus 250), on a textured ground.
struct ZoMassBackground : ::testing::Test {
    ContextImages images{4, 3, 72};
    uint8_t texture[8 * 8];
    MaterialInfo ground = {8, 100, 150, 200, 0, 120, 255, 100, 50, 2, texture};
    uint8_t weight[256];

    void SetUp() override {
        test_pictures::SetMapRows(*images.colorIndexMap, {{1, 1, 1, 1}, {1, 0, 0, 0}, {1, 0, 0, 0}});
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                const bool part = images.colorIndexMap->Row(y)[x] == 0;
                test_pictures::SetPixel(*images.source, x, y, 90, 100, 110);
                images.focusMap->Row(y)[x] = part ? 250 : 10;
            }
        images.colorCount = 2;
        for (int i = 0; i < 64; ++i) texture[i] = static_cast<uint8_t>(100 + 5 * i % 60);
        std::memset(weight, 0, sizeof weight);
        weight[10] = 200;
    }

    EngineContext Context() { return images.Context(&ground); }
};

TEST_F(ZoMassBackground, TheFieldsDrawTwice6829AndEachReliefPixelTwo) {
    SetSeed(321);
    ZoMass mass(Context());
    EXPECT_EQ(RandomState, StateAfterSteps(321, 2 * FractalNoise::kGenerateDraws));
    mass.RankByFocus();
    mass.MeasureParts();
    ASSERT_EQ(mass.BackgroundPart(), 1);
    const uint32_t before = RandomState;
    mass.TextureBackground(weight, 2, 0, -2, 2, 0);
    EXPECT_EQ(RandomState, StateAfterSteps(before, 2 * 6)) << "six background pixels of weight 200";

    std::memset(weight, 0, sizeof weight);
    const uint32_t unweighted = RandomState;
    mass.TextureBackground(weight, 2, 0, -2, 2, 0);
    EXPECT_EQ(RandomState, unweighted) << "weight 0: no draw";
}

TEST_F(ZoMassBackground, ChangesOnlyTheBackgroundByTheDisplacedHeight) {
    SetSeed(5);
    ZoMass mass(Context());
    mass.RankByFocus();
    mass.MeasureParts();
    // Replay the draws: the two fields are made from the same seed in the same order.
    SetSeed(5);
    FractalNoise first, second;
    first.SetRoughness(0.5);
    first.Generate(4, 3);
    second.SetRoughness(0.5);
    second.Generate(4, 3);
    const uint32_t start = RandomState;
    mass.TextureBackground(weight, 2, 0, -2, 2, 0);
    RandomState = start;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            if (images.colorIndexMap->Row(y)[x] != 1) {
                EXPECT_EQ(At(*images.source, x, y), std::vector<int>({90, 100, 110}));
                continue;
            }
            const int p = first.Sample(x, y);
            const int q = second.Sample(x, y);
            const int tx = (((p * 8) >> 2) + x) % 8;
            const int ty = (((q * 8) >> 2) + y) % 8;
            const int h = (texture[ty * 8 + tx] - 120) * 200;
            const int lumaChange = h > 0 ? 2 * h / 256 : (-h) * -2 / 256;
            const int chromaChange = h > 0 ? 0 : (-h) * 2 / 256;
            HueColor c = {110, 100, 90, 0, 0, 0};
            if (lumaChange != 0 || chromaChange != 0) {  // else the pixel is left alone
                RgbToHcy(c);
                c.luma = std::min(255, std::max(0, c.luma + lumaChange));
                c.chroma = std::min(255, c.chroma + chromaChange);
                HcyToRgb(c);
            }
            EXPECT_EQ(At(*images.source, x, y), std::vector<int>({c.blue, c.green, c.red}))
                << x << "," << y;
        }
}

TEST_F(ZoMassBackground, APlainOrMissingGroundLeavesThePictureAndTheRandomState) {
    for (bool missing : {false, true}) {
        SCOPED_TRACE(missing ? "no ground" : "plain ground");
        ground.textureSide = 0;
        EngineContext c = Context();
        if (missing) c.ground = nullptr;
        SetSeed(9);
        ZoMass mass(c);
        EXPECT_TRUE(mass.IsValid());
        EXPECT_EQ(RandomState, StateAfterSteps(9, 2 * FractalNoise::kGenerateDraws))
            << "the fields are made either way";
        mass.RankByFocus();
        mass.MeasureParts();
        const uint32_t before = RandomState;
        const std::vector<uint8_t> pixels(images.source->Bits(),
                                          images.source->Bits() + images.source->ImageBytes());
        mass.TextureBackground(weight, 2, 0, -2, 2, 0);
        EXPECT_EQ(RandomState, before);
        EXPECT_EQ(std::vector<uint8_t>(images.source->Bits(),
                                       images.source->Bits() + images.source->ImageBytes()),
                  pixels);
    }
}

TEST_F(ZoMassBackground, OutlinesTakeTheGroundColourAtTheOutlineLumaOnlyOnceDrawn) {
    ground.textureSide = 0;
    ZoMass mass(Context());
    mass.RankByFocus();
    mass.MeasureParts();
    images.colorIndexMap->Row(2)[2] = ZoPart::kOutline;  // an outline label without an outline width
    mass.TextureBackground(weight, 2, 0, -2, 2, 60);
    EXPECT_EQ(At(*images.source, 2, 2), std::vector<int>({90, 100, 110}));

    uint8_t everywhere[256];
    std::memset(everywhere, 255, sizeof everywhere);
    mass.Outline(1, 100, everywhere);
    ASSERT_EQ(mass.OutlineWidth(), 1);
    mass.TextureBackground(weight, 2, 0, -2, 2, 60);
    HueColor outline = {100, 150, 200, 0, 0, 0};
    RgbToHcy(outline);
    outline.luma = 60;
    HcyToRgb(outline);
    int outlined = 0;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            if (images.colorIndexMap->Row(y)[x] != ZoPart::kOutline) continue;
            ++outlined;
            EXPECT_EQ(At(*images.source, x, y),
                      std::vector<int>({outline.blue, outline.green, outline.red}));
        }
    EXPECT_GT(outlined, 0);
}

// A 4 × 3 grey picture: columns 0 and 1 part 0 (focus 255), columns 2 and 3 the background
// part 1 (focus 0). All pixels 100, but (0, 2) at the top left 50 and (2, 0) at the bottom 150.
struct ZoMassShadings : ::testing::Test {
    ContextImages images{4, 3, 72};
    uint8_t change[256], focus[256], reach[256];

    void SetUp() override {
        test_pictures::FillPixels(*images.source, 100, 100, 100);
        test_pictures::SetPixel(*images.source, 0, 2, 50, 50, 50);
        test_pictures::SetPixel(*images.source, 2, 0, 150, 150, 150);
        test_pictures::SetMapRows(*images.colorIndexMap, {{0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}});
        test_pictures::SetMapRows(*images.focusMap, {{255, 255, 0, 0}, {255, 255, 0, 0}, {255, 255, 0, 0}});
        images.colorCount = 2;
        for (int v = 0; v < 256; ++v) change[v] = static_cast<uint8_t>(v / 2);
        std::memset(focus, 255, sizeof focus);
        std::memset(reach, 0, sizeof reach);  // reach 1
    }

    std::vector<int> Grey(int v) { return {v, v, v}; }
};

TEST_F(ZoMassShadings, EmbossLightensByTheLumaStepAcrossThePixel) {
    ZoMass mass(images.Context());
    mass.RankByFocus();
    ASSERT_EQ(mass.BackgroundPart(), 1);
    mass.EmbossParts(change, focus);
    // (1, 1): lower right 150, upper left 50: d = 100, change[(100 × 255) >> 8] = 49.
    EXPECT_EQ(At(*images.source, 1, 1), Grey(149));
    // (0, 2): lower right 100, the upper left outside stands in as itself (50): change[49] = 24.
    EXPECT_EQ(At(*images.source, 0, 2), Grey(74));
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 2}})
        EXPECT_EQ(At(*images.source, x, y), Grey(100)) << x << "," << y;
    EXPECT_EQ(At(*images.source, 2, 0), Grey(150)) << "the background is not embossed";
    EXPECT_EQ(At(*images.canvas, 1, 1), Grey(100)) << "the canvas holds the copy it read";
}

TEST_F(ZoMassShadings, ShadeDiagonalComparesWeightedMeansAndSkipsOneSidedPixels) {
    ZoMass mass(images.Context());
    mass.RankByFocus();
    mass.ShadeDiagonal(2, change, reach, focus);
    // (1, 1): lower right 150 against upper left 50 over reach 1: change[255 × 100 / 256] = 49.
    EXPECT_EQ(At(*images.source, 1, 1), Grey(149));
    // Every other part pixel has no neighbour inside the picture on one side: left alone.
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 2}})
        EXPECT_EQ(At(*images.source, x, y), Grey(100)) << x << "," << y;
    EXPECT_EQ(At(*images.source, 0, 2), Grey(50));
}

}  // namespace
