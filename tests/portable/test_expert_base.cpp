// ExpertBase: initialisation, work images, the seed and packed bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "imaging/random.h"
#include "tests/support/pictures.h"

namespace {

struct EngineFixture : ::testing::Test {
    char status[kStatusSize] = "";
    ExpertBase engine;

    int InitializeOn(TDib* picture) {
        engine.source = picture;
        engine.status = status;
        return engine.Initialize();
    }
};

TEST_F(EngineFixture, ConstructorDefaults) {
    EXPECT_EQ(engine.phaseCounter, -1);
    EXPECT_EQ(engine.phaseCount, -1);
    EXPECT_EQ(engine.touchLevel, 1);
    EXPECT_EQ(engine.colorLevel, 1);
    EXPECT_EQ(engine.deformLevel, 1);
    EXPECT_EQ(engine.focusLevel, 1);
    EXPECT_EQ(engine.materialLevel, 1);
    EXPECT_EQ(engine.regionCount, 0);
    EXPECT_EQ(engine.colorCount, 0);
    EXPECT_EQ(engine.seed, 0);
    EXPECT_EQ(engine.ground, nullptr);
    EXPECT_FALSE(engine.canvas || engine.focusMap || engine.colorIndexMap);
    EXPECT_EQ(engine.Step(), 100);
}

TEST_F(EngineFixture, RefusesPicturesItCannotPaint) {
    struct Case {
        const char* name;
        int colors;
        int32_t xPels, yPels;
        const char* status;
    } cases[] = {
        // The bit count is checked before the resolution.
        {"8-bit without resolution", 256, 0, 0, "The Image is not Full Color."},
        {"no horizontal resolution", 257, 0, 2834, "Invalid Image Size."},
        {"no vertical resolution", 257, 2834, 0, "Invalid Image Size."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto picture = TDib::Create(4, 4, c.colors);
        picture->SetPelsPerMeter(c.xPels, c.yPels);
        StatusCopy(status, "Focus:earlier text");
        EXPECT_EQ(InitializeOn(picture.get()), 0);
        EXPECT_STREQ(status, c.status) << "the text replaces the buffer's content";
        EXPECT_FALSE(engine.canvas || engine.focusMap || engine.colorIndexMap);
    }
}

TEST_F(EngineFixture, GeometryAndWorkImages) {
    struct Case {
        int width, height;
        int32_t pelsPerMeter;
        int diagonal, rowBytes24, rowBytes8, dpi;
    } cases[] = {
        {3, 4, 2834, 5, 12, 4, 72},
        {5, 2, 3307, 5, 16, 8, 84},
        {1, 1, 11811, 1, 4, 4, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        auto picture = test_pictures::Gradient(c.width, c.height, c.pelsPerMeter);
        ASSERT_EQ(InitializeOn(picture.get()), 1);
        EXPECT_EQ(engine.width, c.width);
        EXPECT_EQ(engine.height, c.height);
        EXPECT_EQ(engine.diagonal, c.diagonal);
        EXPECT_EQ(engine.rowBytes24, c.rowBytes24);
        EXPECT_EQ(engine.rowBytes8, c.rowBytes8);
        EXPECT_EQ(engine.dpi, c.dpi);
        ASSERT_TRUE(engine.canvas && engine.focusMap && engine.colorIndexMap);
        EXPECT_EQ(engine.canvas->BitCount(), 24);
        EXPECT_EQ(engine.focusMap->BitCount(), 8);
        EXPECT_EQ(engine.colorIndexMap->BitCount(), 8);
        EXPECT_EQ(engine.canvas->Width(), c.width);
        EXPECT_EQ(engine.focusMap->Height(), c.height);

        const EngineContext& k = engine.context;
        EXPECT_EQ(k.status, status);
        EXPECT_EQ(k.source, picture.get());
        EXPECT_EQ(k.canvas, engine.canvas.get());
        EXPECT_EQ(k.focusMap, engine.focusMap.get());
        EXPECT_EQ(k.colorIndexMap, engine.colorIndexMap.get());
        EXPECT_EQ(k.colorTable, engine.colorTable);
        EXPECT_EQ(k.colorCount, &engine.colorCount);
        EXPECT_EQ(k.width, c.width);
        EXPECT_EQ(k.diagonal, c.diagonal);
        EXPECT_EQ(k.rowBytes8, c.rowBytes8);
        EXPECT_EQ(k.dpi, c.dpi);
    }
}

TEST_F(EngineFixture, ASecondInitializeMakesNewWorkImages) {
    auto first = test_pictures::Gradient(6, 6);
    auto second = test_pictures::Gradient(9, 2);
    ASSERT_EQ(InitializeOn(first.get()), 1);
    ASSERT_EQ(InitializeOn(second.get()), 1);
    EXPECT_EQ(engine.canvas->Width(), 9);
    EXPECT_EQ(engine.colorIndexMap->Height(), 2);
}

// The seed sums 10 × (blue + green + red) over the sampled pixels, starting from 1.
uint32_t ExpectedSeed(const TDib& picture, int stepX, int stepY, int* samples) {
    uint32_t seed = 1;
    *samples = 0;
    for (int y = 0; y < picture.Height(); y += stepY)
        for (int x = 0; x < picture.Width(); x += stepX) {
            const uint8_t* p = picture.Row(y) + 3 * x;
            seed += 10u * (p[0] + p[1] + p[2]);
            ++*samples;
        }
    return seed;
}

TEST_F(EngineFixture, SeedSamplesAboutAHundredPixels) {
    struct Case {
        int width, height, stepX, stepY, samples;
    } cases[] = {
        {10, 10, 1, 1, 100},  // width / 10 = 1, odd already
        {20, 20, 3, 3, 49},   // 2 | 1 = 3
        {45, 7, 5, 1, 63},    // 4 | 1 = 5; 0 | 1 = 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        auto picture = test_pictures::Gradient(c.width, c.height);
        int samples = 0;
        const uint32_t expected = ExpectedSeed(*picture, c.stepX, c.stepY, &samples);
        EXPECT_EQ(samples, c.samples);
        ASSERT_EQ(InitializeOn(picture.get()), 1);
        EXPECT_EQ(static_cast<uint32_t>(engine.seed), expected);
        EXPECT_EQ(RandomState, expected) << "the generator is seeded with it";
    }
}

// One colour: the seed is 1 + samples × 10 × (blue + green + red), counted by hand.
TEST_F(EngineFixture, FlatPictureSeedsByItsSampleCount) {
    struct Case {
        int width, height;
        uint8_t blue, green, red;
        int seed;
    } cases[] = {
        {20, 20, 0, 0, 0, 1},          // black gives 1
        {20, 20, 1, 2, 3, 2941},       // 49 samples × 60
        {1, 1, 255, 255, 255, 7651},   // the one pixel
        {19, 3, 0, 0, 1, 571},         // 19 / 10 | 1 = 1: every pixel, 57 samples × 10
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        auto picture = test_pictures::Flat(c.width, c.height, c.blue, c.green, c.red);
        RandomState = 12345;
        ASSERT_EQ(InitializeOn(picture.get()), 1);
        EXPECT_EQ(engine.seed, c.seed);
        EXPECT_EQ(RandomState, static_cast<uint32_t>(c.seed));
    }
}

TEST_F(EngineFixture, SeedNeedsAFullColourSource) {
    RandomState = 77;
    EXPECT_EQ(engine.SeedFromImage(), 0) << "no source";
    // An 8-bit picture has rows of one byte per pixel: reading three would run past them.
    auto grey = TDib::Create8(10, 10);
    engine.source = grey.get();
    EXPECT_EQ(engine.SeedFromImage(), 0) << "8 bits";
    EXPECT_EQ(RandomState, 77u);
}

TEST(TDib, RowsArePaddedAndBottomUp) {
    struct Case {
        int width, colors, rowBytes, bitCount;
    } cases[] = {{1, 257, 4, 24}, {5, 257, 16, 24}, {4, 257, 12, 24}, {1, 256, 4, 8}, {5, 256, 8, 8}};
    for (const Case& c : cases) {
        auto image = TDib::Create(c.width, 3, c.colors);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->RowBytes(), c.rowBytes);
        EXPECT_EQ(image->BitCount(), c.bitCount);
        EXPECT_EQ(image->Row(2) - image->Bits(), 2 * c.rowBytes);
    }
}

TEST(TDib, CreationFailsWithoutExceptions) {
    EXPECT_FALSE(TDib::Create24(0, 5));
    EXPECT_FALSE(TDib::Create24(5, -1));
    EXPECT_FALSE(TDib::Create24(70000, 70000)) << "over the image size limit";
    EXPECT_FALSE(TDib::Create8(2147483647, 2147483647)) << "row bytes overflow";
}

TEST(TDib, FromPackedReadsHeaderPaletteAndRows) {
    // A 2 × 2 8-bit bitmap with a 2-entry palette.
    uint8_t packed[40 + 8 + 8] = {};
    packed[0] = 40;
    packed[4] = 2;
    packed[8] = 2;
    packed[12] = 1;
    packed[14] = 8;
    packed[24] = 0x12;
    packed[28] = 0x34;
    packed[32] = 2;  // colours used
    const uint8_t palette[8] = {1, 2, 3, 0, 4, 5, 6, 0};
    std::memcpy(packed + 40, palette, 8);
    const uint8_t rows[8] = {1, 0, 9, 9, 0, 1, 9, 9};
    std::memcpy(packed + 48, rows, 8);
    auto image = TDib::FromPacked(packed, sizeof packed);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->BitCount(), 8);
    EXPECT_EQ(image->XPelsPerMeter(), 0x12);
    EXPECT_EQ(image->YPelsPerMeter(), 0x34);
    EXPECT_EQ(std::memcmp(image->Palette(), palette, 8), 0);
    EXPECT_EQ(std::memcmp(image->Bits(), rows, 8), 0);

    EXPECT_FALSE(TDib::FromPacked(packed, sizeof packed - 1)) << "truncated rows";
    packed[16] = 1;  // compressed
    EXPECT_FALSE(TDib::FromPacked(packed, sizeof packed));
}

}  // namespace
