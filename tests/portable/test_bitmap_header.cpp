// The bitmap information header: its fields at their offsets, and the pixel size it gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "imaging/bitmap_header.h"
#include "imaging/resolution.h"

namespace {

TEST(BitmapInfoHeader, DecodesEveryFieldAtItsOffsetAndEncodesThemBack) {
    uint8_t bytes[40];
    for (int i = 0; i < 40; ++i) bytes[i] = static_cast<uint8_t>(i * 9 + 1);
    BitmapInfoHeader header;
    ASSERT_TRUE(DecodeBitmapInfoHeader(bytes, sizeof bytes, &header));
    EXPECT_EQ(header.size, 0x1C130A01u);
    EXPECT_EQ(header.width, 0x40372E25);
    EXPECT_EQ(header.height, 0x645B5249);
    EXPECT_EQ(header.planes, 0x766Du);
    EXPECT_EQ(header.bitCount, 0x887Fu);
    EXPECT_EQ(header.xPelsPerMeter, static_cast<int32_t>(0xF4EBE2D9u)) << "signed";
    EXPECT_EQ(header.colorsImportant, 0x60574E45u);
    uint8_t again[40];
    EncodeBitmapInfoHeader(header, again);
    EXPECT_EQ(std::memcmp(again, bytes, 40), 0);
}

TEST(BitmapInfoHeader, ShortDataIsRefusedAndLeavesTheHeader) {
    uint8_t bytes[40] = {40};
    BitmapInfoHeader header;
    header.width = 7;
    EXPECT_FALSE(DecodeBitmapInfoHeader(bytes, 39, &header));
    EXPECT_FALSE(DecodeBitmapInfoHeader(nullptr, 40, &header));
    EXPECT_EQ(header.width, 7);
}

TEST(BitmapInfoHeader, PixelBytesAreCheckedWithoutOverflow) {
    struct Case {
        const char* what;
        int32_t width, height;
        uint16_t bitCount;
        int64_t limit, bytes;
    } cases[] = {
        {"one 24-bit pixel: a padded row", 1, 1, 24, 1 << 30, 4},
        {"five 24-bit pixels", 5, 3, 24, 1 << 30, 48},
        {"8 bits", 5, 3, 8, 1 << 30, 24},
        {"top-down rows count the same", 5, -3, 24, 1 << 30, 48},
        {"exactly the limit", 4, 4, 8, 16, 16},
        {"one byte past the limit", 4, 4, 8, 15, -1},
        {"no width", 0, 3, 24, 1 << 30, -1},
        {"no rows", 5, 0, 24, 1 << 30, -1},
        {"32 bits", 5, 3, 32, 1 << 30, -1},
        {"the largest header", INT32_MAX, INT32_MAX, 24, int64_t{1} << 62, -1},
        {"the lowest height", INT32_MAX, INT32_MIN, 24, int64_t{1} << 62, -1},
    };
    for (const Case& c : cases) {
        BitmapInfoHeader header;
        header.width = c.width;
        header.height = c.height;
        header.bitCount = c.bitCount;
        EXPECT_EQ(BitmapPixelBytes(header, c.limit), c.bytes) << c.what;
    }
}

TEST(Resolution, DpiAndPixelsPerMetreConvertBothWays) {
    struct Case {
        int dpi;
        int32_t pelsPerMeter;
    } cases[] = {{72, 2834}, {84, 3307}, {300, 11811}, {1, 39}, {0, 0}, {400, 15748}};
    for (const Case& c : cases) {
        EXPECT_EQ(PelsPerMeterFromDpi(c.dpi), c.pelsPerMeter) << c.dpi;
        EXPECT_EQ(DpiFromPelsPerMeter(c.pelsPerMeter), c.dpi) << c.pelsPerMeter;
    }
    EXPECT_EQ(DpiFromPelsPerMeter(2835), 73) << "72.009 rounds up";
    EXPECT_EQ(DpiFromPelsPerMeter(3780), 97);
}

TEST(Resolution, EveryIntConvertsWithoutOverflow) {
    // dpi × 1000 passes the int range from 2,147,484 dpi on.
    EXPECT_EQ(PelsPerMeterFromDpi(2147484), 84546614);
    EXPECT_EQ(PelsPerMeterFromDpi(INT32_MAX), INT32_MAX);
    EXPECT_EQ(PelsPerMeterFromDpi(INT32_MIN), INT32_MIN);
    EXPECT_EQ(PelsPerMeterFromDpi(-72), -2834);
    EXPECT_EQ(DpiFromPelsPerMeter(INT32_MAX), 54546085);
    EXPECT_EQ(DpiFromPelsPerMeter(INT32_MIN), -54546084);
}

}  // namespace
