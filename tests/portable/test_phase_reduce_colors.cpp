// The default ReduceColors phase.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "imaging/random.h"

namespace {

struct ReduceColorsTest : ::testing::Test {
    char status[kStatusSize] = "";
    ExpertBase engine;

    void Start(TDib* picture) {
        engine.source = picture;
        engine.status = status;
        ASSERT_EQ(engine.Initialize(), 1);
    }
};

// 8 × 6: columns 0, 1, 3 black, column 2 a red stripe, columns 4..7 white.
std::unique_ptr<TDib> StripedPicture() {
    auto picture = TDib::Create24(8, 6);
    std::memset(picture->Bits(), 0, picture->ImageBytes());
    for (int y = 0; y < 6; ++y) {
        uint8_t* pixel = picture->Row(y);
        for (int x = 0; x < 8; ++x, pixel += 3) {
            if (x == 2) pixel[2] = 255;
            if (x >= 4) pixel[0] = pixel[1] = pixel[2] = 255;
        }
    }
    picture->SetPelsPerMeter(2834, 2834);
    return picture;
}

TEST_F(ReduceColorsTest, PaletteAndCleanedMapEndInTheEngine) {
    auto picture = StripedPicture();
    Start(picture.get());
    const uint32_t stateBefore = RandomState;
    std::memset(engine.colorIndexMap->Bits(), 77, engine.colorIndexMap->ImageBytes());
    engine.colorTable[200].pixelCount = 5;  // the whole table is replaced

    ASSERT_EQ(engine.ReduceColors(), 1);
    EXPECT_STREQ(status, "Low:");
    EXPECT_EQ(RandomState, stateBefore);

    // Weights (edge distance, ISqrt): white 6, black 5, red 3: that is the palette order.
    struct Expected {
        uint8_t red, green, blue, hue, chroma, luma;
        uint32_t pixels, central, outside;
    } expected[] = {
        {255, 255, 255, 43, 0, 255, 24, 8, 16},
        {0, 0, 0, 168, 0, 0, 18, 4, 14},
        {255, 0, 0, 0, 255, 76, 6, 4, 2},
    };
    ASSERT_EQ(engine.colorCount, 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const LowColor& e = engine.colorTable[i];
        const Expected& x = expected[i];
        EXPECT_EQ(e.red, x.red);
        EXPECT_EQ(e.green, x.green);
        EXPECT_EQ(e.blue, x.blue);
        EXPECT_EQ(e.cellRed, x.red / 17);
        EXPECT_EQ(e.hue, x.hue);
        EXPECT_EQ(e.chroma, x.chroma);
        EXPECT_EQ(e.luma, x.luma);
        // The counts are those of the map before the cleaning.
        EXPECT_EQ(e.pixelCount, x.pixels);
        EXPECT_EQ(e.centralCount, x.central);
        EXPECT_EQ(e.outsideCount, x.outside);
    }
    for (int i = 3; i < 256; ++i) ASSERT_EQ(engine.colorTable[i].pixelCount, 0u) << i;

    // Four passes of the majority rule have removed the one-pixel red stripe.
    for (int y = 0; y < 6; ++y) {
        const uint8_t* row = engine.colorIndexMap->Row(y);
        EXPECT_EQ(std::vector<uint8_t>(row, row + 8),
                  (std::vector<uint8_t>{1, 1, 1, 1, 0, 0, 0, 0}))
            << "row " << y;
    }
    // The engine's context sees the same table and count.
    EXPECT_EQ(*engine.context.colorCount, 3);
    EXPECT_EQ(engine.context.colorTable[0].pixelCount, 24u);
}

TEST_F(ReduceColorsTest, OnePixelPicture) {
    auto picture = TDib::Create24(1, 1);
    uint8_t* pixel = picture->Row(0);
    pixel[0] = 200;
    pixel[1] = 100;
    pixel[2] = 50;
    picture->SetPelsPerMeter(2834, 2834);
    Start(picture.get());
    engine.colorIndexMap->Row(0)[0] = 9;
    ASSERT_EQ(engine.ReduceColors(), 1);
    ASSERT_EQ(engine.colorCount, 1);
    EXPECT_EQ(engine.colorTable[0].red, 51);
    EXPECT_EQ(engine.colorTable[0].green, 102);
    EXPECT_EQ(engine.colorTable[0].blue, 204);
    EXPECT_EQ(engine.colorTable[0].pixelCount, 1u);
    EXPECT_EQ(engine.colorTable[0].outsideCount, 1u);
    EXPECT_EQ(engine.colorIndexMap->Row(0)[0], 0);
}

TEST_F(ReduceColorsTest, WithoutWorkImagesReportsMemory) {
    // The engine was never initialised: the reducer has no map and is not valid.
    auto picture = StripedPicture();
    engine.source = picture.get();
    engine.status = status;
    StatusCopy(status, "Focus:earlier text");
    EXPECT_EQ(engine.ReduceColors(), 0);
    EXPECT_STREQ(status, "メモリが足りません。");
    EXPECT_EQ(engine.colorCount, 0);
}

}  // namespace
