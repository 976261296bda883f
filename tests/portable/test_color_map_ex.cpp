// The extended colour map: what it adds to ColorMap (thresholds to black and white through
// the grid, a tint by mask, tone tables on the grid) and that without them it is ColorMap.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/color_map.h"
#include "engine/status_text.h"
#include "imaging/random.h"
#include "styles/kolda/color_map_ex.h"
#include "tests/support/pictures.h"
#include "tests/support/test_module.h"

namespace {

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
};
std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

// Every key the same grid, row r and column c = (250 - 60 r, 20 + 100 c, 7), no remaps, no
// grey window: thresholded white reads (250, 20, 7), thresholded black 63/64 of the way from
// row 3 (70, 20, 7) to row 4 (10, 20, 7), that is (10, 20, 7).
ColorMapTable GridTable() {
    ColorMapTable table;
    std::memset(&table, 0, sizeof table);
    table.lightMaximum = 255;
    for (int i = 0; i < 256; ++i) table.lightTarget[i] = table.chromaTarget[i] = 1;
    for (auto& key : table.hueKeys)
        for (int r = 0; r < kColorMapRows; ++r)
            for (int c = 0; c < kColorMapColumns; ++c) {
                key[r][c][0] = static_cast<uint8_t>(250 - 60 * r);
                key[r][c][1] = static_cast<uint8_t>(20 + 100 * c);
                key[r][c][2] = 7;
            }
    return table;
}
const Rgb kWhite = {250, 20, 7};
const Rgb kBlack = {10, 20, 7};

std::unique_ptr<TDib> OnePixel(const Rgb& colour) {
    auto picture = TDib::Create24(1, 1);
    std::memset(picture->Bits(), 0, picture->ImageBytes());
    uint8_t* p = picture->Row(0);
    p[0] = static_cast<uint8_t>(colour.blue);
    p[1] = static_cast<uint8_t>(colour.green);
    p[2] = static_cast<uint8_t>(colour.red);
    return picture;
}
std::unique_ptr<TDib> Mask(int width, int height, uint8_t value) {
    auto mask = TDib::Create8(width, height);
    std::memset(mask->Bits(), value, mask->ImageBytes());
    return mask;
}
Rgb PixelOf(const TDib& picture, int x = 0) {
    const uint8_t* p = picture.Row(0) + 3 * x;
    return {p[2], p[1], p[0]};
}

// What plain ColorMap makes of the colour with the grid table.
Rgb PlainMap(const Rgb& colour) {
    char status[kStatusSize];
    auto picture = OnePixel(colour);
    ColorMap map(status);
    *map.Table() = GridTable();
    map.Setup(picture.get(), picture.get(), 0, 0);
    map.Run();
    return PixelOf(*picture);
}

struct Thresholds {
    int chroma, split, maskLow, maskHigh;
};

// The colour through ColorMapEx with the grid table, the mask value and the thresholds.
Rgb Mapped(const Rgb& colour, uint8_t mask, const Thresholds* thresholds) {
    char status[kStatusSize];
    auto picture = OnePixel(colour);
    auto maskImage = Mask(1, 1, mask);
    ColorMapEx map(status);
    *map.Table() = GridTable();
    EXPECT_EQ(map.SetupMasked(picture.get(), picture.get(), maskImage.get(), 0, 0), 1);
    if (thresholds)
        map.SetThresholds(thresholds->chroma, thresholds->split, thresholds->maskLow,
                          thresholds->maskHigh);
    EXPECT_EQ(map.Run(), 1);
    return PixelOf(*picture);
}

TEST(ColorMapEx, WithoutSettersItIsColorMap) {
    for (int offset : {-2, 0, 2}) {
        SCOPED_TRACE(offset);
        char status[kStatusSize];
        auto plain = test_pictures::Gradient(37, 23);
        auto extended = test_pictures::Gradient(37, 23);
        auto mask = TDib::Create8(37, 23);
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x) mask->Row(y)[x] = static_cast<uint8_t>(x * 7 + y);
        ColorMap map(status);
        ASSERT_EQ(map.LoadFile(SourcePath("resources/colormaps/kolda.cmp")), 1);
        ASSERT_EQ(map.Setup(plain.get(), plain.get(), offset, offset), 1);
        ASSERT_EQ(map.Run(), 1);
        ColorMapEx ex(status);
        EXPECT_STREQ(status, "ColorMap:");
        ASSERT_EQ(ex.LoadFile(SourcePath("resources/colormaps/kolda.cmp")), 1);
        ASSERT_EQ(ex.SetupMasked(extended.get(), extended.get(), mask.get(), offset, offset), 1);
        const uint32_t random = RandomState;
        ASSERT_EQ(ex.Run(), 1);
        EXPECT_EQ(RandomState, random);
        EXPECT_EQ(test_pictures::Checksum(*extended), test_pictures::Checksum(*plain));
        EXPECT_STREQ(status, "ColorMap:");
    }
}

TEST(ColorMapEx, SetupMaskedRefusesMasksThatDoNotCoverTheImages) {
    auto picture = test_pictures::Gradient(20, 10);
    auto other = test_pictures::Gradient(20, 9);
    auto fits = Mask(20, 10, 0);
    auto narrower = Mask(19, 10, 0);
    auto lower = Mask(20, 9, 0);
    auto wider = Mask(21, 10, 0);
    auto colour = test_pictures::Gradient(20, 10);
    struct Case {
        const char* name;
        TDib* target;
        const TDib* mask;
    } cases[] = {
        {"no mask", picture.get(), nullptr},
        {"a 24-bit mask", picture.get(), colour.get()},
        {"a narrower mask", picture.get(), narrower.get()},
        {"a lower mask", picture.get(), lower.get()},
        {"a wider mask", picture.get(), wider.get()},
        {"images of two sizes", other.get(), fits.get()},
    };
    const uint64_t before = test_pictures::Checksum(*picture);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char status[kStatusSize];
        ColorMapEx map(status);
        *map.Table() = GridTable();
        ASSERT_EQ(map.SetupMasked(picture.get(), picture.get(), fits.get(), 0, 0), 1);
        EXPECT_EQ(map.SetupMasked(picture.get(), c.target, c.mask, 0, 0), 0);
        EXPECT_FALSE(map.IsValid());
        EXPECT_STREQ(status, "ColorMap:Setup.");
        EXPECT_EQ(map.Run(), 0);
        EXPECT_EQ(map.Apply(), 0);
        EXPECT_EQ(test_pictures::Checksum(*picture), before);
    }
}

TEST(ColorMapEx, WeaklyColouredPixelsInTheMaskRangeBecomeBlackOrWhite) {
    struct Case {
        const char* name;
        Rgb input;
        uint8_t mask;
        Thresholds thresholds;
        bool thresholded;
        Rgb expected;  // when thresholded
    } cases[] = {
        {"dark grey", {100, 100, 100}, 50, {16, 128, 0, 200}, true, kBlack},
        {"light grey", {200, 200, 200}, 50, {16, 128, 0, 200}, true, kWhite},
        {"lightness 127, below the split", {127, 127, 127}, 50, {16, 128, 0, 200}, true, kBlack},
        {"lightness 128, at the split", {128, 128, 128}, 50, {16, 128, 0, 200}, true, kWhite},
        {"split -1 turns black white", {0, 0, 0}, 50, {16, -1, 0, 200}, true, kWhite},
        {"split 256 turns white black", {255, 255, 255}, 50, {16, 256, 0, 200}, true, kBlack},
        {"chroma 15 is weak", {115, 100, 100}, 50, {16, 128, 0, 200}, true, kBlack},
        {"chroma 16 is not", {116, 100, 100}, 50, {16, 128, 0, 200}, false, {}},
        {"mask at the high end", {100, 100, 100}, 200, {16, 128, 0, 200}, true, kBlack},
        {"mask above it", {100, 100, 100}, 201, {16, 128, 0, 200}, false, {}},
        {"mask at the low end", {100, 100, 100}, 10, {16, 128, 10, 200}, true, kBlack},
        {"mask below it", {100, 100, 100}, 9, {16, 128, 10, 200}, false, {}},
        {"threshold 0 never applies", {100, 100, 100}, 50, {0, 128, 0, 255}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rgb expected = c.thresholded ? c.expected : PlainMap(c.input);
        EXPECT_EQ(Mapped(c.input, c.mask, &c.thresholds), expected);
    }
}

TEST(ColorMapEx, TintMovesTowardItsColourByTheMaskWeight) {
    // Grey 200 reads (198, 20, 7) from the grid (55/64 of the way from row 0 to 1). The tint
    // moves each channel by (tint - c) × (weight + 1) / 256, truncated toward zero.
    uint8_t weights[256];
    for (int m = 0; m < 256; ++m) weights[m] = static_cast<uint8_t>(m);
    struct Case {
        const char* name;
        uint8_t mask;  // = weight
        Rgb tint;
        Rgb expected;
    } cases[] = {
        {"weight 255: the tint exactly", 255, {30, 40, 50}, {30, 40, 50}},
        {"weight 0: a move below 1 leaves the colour", 0, {255, 255, 255}, {198, 20, 7}},
        {"weight 0 toward black", 0, {0, 0, 0}, {198, 20, 7}},
        // 57 × 128 / 256 = 28.5 and -20 × 128 / 256 = -10.
        {"weight 127: half way", 127, {255, 0, 255}, {226, 10, 131}},
        // -198 × 3 / 256 = -2.3 and -20 × 3 / 256 = -0.23: truncated to -2 and 0, not -3 and -1.
        {"weight 2 toward black", 2, {0, 0, 0}, {196, 20, 7}},
        {"tint channels are limited to 0..255", 255, {300, -5, 128}, {255, 0, 128}},
    };
    const Rgb base = PlainMap({200, 200, 200});
    ASSERT_EQ(base, (Rgb{198, 20, 7}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char status[kStatusSize];
        auto picture = OnePixel({200, 200, 200});
        auto mask = Mask(1, 1, c.mask);
        ColorMapEx map(status);
        *map.Table() = GridTable();
        ASSERT_EQ(map.SetupMasked(picture.get(), picture.get(), mask.get(), 0, 0), 1);
        map.SetTint(c.tint.red, c.tint.green, c.tint.blue, weights);
        ASSERT_EQ(map.Run(), 1);
        EXPECT_EQ(PixelOf(*picture), c.expected);
    }
    char status[kStatusSize];
    auto picture = OnePixel({200, 200, 200});
    auto mask = Mask(1, 1, 255);
    ColorMapEx map(status);
    *map.Table() = GridTable();
    ASSERT_EQ(map.SetupMasked(picture.get(), picture.get(), mask.get(), 0, 0), 1);
    map.SetTint(0, 0, 0, nullptr);
    ASSERT_EQ(map.Run(), 1);
    EXPECT_EQ(PixelOf(*picture), base) << "no weight table, no tint";
}

TEST(ColorMapEx, ToneTablesReshapeTheGrid) {
    uint8_t zero[256], full[256], identity[256];
    for (int i = 0; i < 256; ++i) {
        zero[i] = 0;
        full[i] = 255;
        identity[i] = static_cast<uint8_t>(i);
    }
    struct Case {
        const char* name;
        const uint8_t* saturation;
        const uint8_t* lightness;
        bool (*holds)(const Rgb&);
    } cases[] = {
        {"saturation 0: greys", zero, nullptr, [](const Rgb& c) { return c.red == c.green && c.green == c.blue; }},
        {"lightness 255: white", identity, full, [](const Rgb& c) { return c == Rgb{255, 255, 255}; }},
        {"lightness 0: black", nullptr, zero, [](const Rgb& c) { return c == Rgb{0, 0, 0}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char status[kStatusSize];
        auto picture = test_pictures::Gradient(16, 16);
        auto mask = Mask(16, 16, 0);
        ColorMapEx map(status);
        ASSERT_EQ(map.LoadFile(SourcePath("resources/colormaps/kolda.cmp")), 1);
        ASSERT_EQ(map.SetupMasked(picture.get(), picture.get(), mask.get(), 0, 0), 1);
        map.SetToneTables(c.saturation, c.lightness);
        ASSERT_EQ(map.Run(), 1);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const uint8_t* p = picture->Row(y) + 3 * x;
                ASSERT_TRUE(c.holds(Rgb{p[2], p[1], p[0]})) << x << ", " << y;
            }
    }
}

TEST(ColorMapEx, KoldaThresholdsToWhitePaperAndBlackPaper) {
    // The collage style's thresholds by colour level: offset, chroma threshold, mask high.
    struct Level {
        int offset, chromaThreshold, maskHigh;
    } levels[] = {{-2, 16, 100}, {0, 16, 200}, {2, 32, 200}};
    const std::vector<Rgb> light = {{255, 255, 255}, {230, 230, 230}, {220, 214, 226}, {200, 205, 198}};
    const std::vector<Rgb> dark = {{0, 0, 0}, {20, 20, 20}, {60, 52, 58}, {80, 80, 86}};
    for (const Level& level : levels) {
        SCOPED_TRACE(testing::Message() << "offset " << level.offset);
        std::vector<Rgb> inputs = light;
        inputs.insert(inputs.end(), dark.begin(), dark.end());
        auto picture = TDib::Create24(static_cast<int>(inputs.size()), 1);
        for (size_t x = 0; x < inputs.size(); ++x) {
            uint8_t* p = picture->Row(0) + 3 * x;
            p[0] = static_cast<uint8_t>(inputs[x].blue);
            p[1] = static_cast<uint8_t>(inputs[x].green);
            p[2] = static_cast<uint8_t>(inputs[x].red);
        }
        auto mask = Mask(static_cast<int>(inputs.size()), 1, static_cast<uint8_t>(level.maskHigh));
        char status[kStatusSize];
        ColorMapEx map(status);
        ASSERT_EQ(map.LoadFile(SourcePath("resources/colormaps/kolda.cmp")), 1);
        ASSERT_EQ(map.SetupMasked(picture.get(), picture.get(), mask.get(), level.offset, level.offset), 1);
        map.SetThresholds(level.chromaThreshold, 128, 0, level.maskHigh);
        ASSERT_EQ(map.Run(), 1);
        for (size_t x = 0; x < inputs.size(); ++x) {
            const Rgb out = PixelOf(*picture, static_cast<int>(x));
            if (x < light.size()) {
                EXPECT_EQ(out, (Rgb{255, 255, 255})) << "input " << inputs[x];
            } else {
                EXPECT_LE(out.red, 16) << "input " << inputs[x] << " gave " << out;
                EXPECT_LE(out.green, 16) << "input " << inputs[x] << " gave " << out;
                EXPECT_LE(out.blue, 16) << "input " << inputs[x] << " gave " << out;
            }
        }
    }
}

}  // namespace
