// ZoMaterial: the ground relief.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/status_text.h"
#include "engine/zo_material.h"
#include "imaging/fractal_noise.h"
#include "imaging/hue_color.h"
#include "imaging/random.h"
#include "tests/support/pictures.h"
#include "tests/support/random_steps.h"

namespace {

constexpr uint32_t kFieldDraws = 2 * FractalNoise::kGenerateDraws;

// A small ground of our own: side × side texture from texel(u, v).
struct Ground {
    std::vector<uint8_t> texture;
    MaterialInfo info;

    template <typename F>
    Ground(int side, int middle, int shift, F texel) : texture(static_cast<size_t>(side) * side) {
        for (int v = 0; v < side; ++v) {
            for (int u = 0; u < side; ++u) texture[v * side + u] = static_cast<uint8_t>(texel(u, v));
        }
        info = MaterialInfo{side, 255, 255, 255, 0, middle, 255, 100, 50, shift, texture.data()};
    }
};

std::unique_ptr<TDib> FocusMap(int width, int height, uint8_t value) {
    auto focus = TDib::Create8(width, height);
    std::memset(focus->Bits(), value, focus->ImageBytes());
    return focus;
}

std::vector<uint8_t> PixelsOf(const TDib& image) {
    return std::vector<uint8_t>(image.Bits(), image.Bits() + image.ImageBytes());
}

struct Bgr {
    int blue, green, red;
};

// The pixel after luma and chroma changes, limited to 0..255 before the conversion back.
Bgr Changed(Bgr pixel, int lumaChange, int chromaChange) {
    HueColor color = {pixel.red, pixel.green, pixel.blue, 0, 0, 0};
    RgbToHcy(color);
    color.luma += lumaChange;
    color.chroma += chromaChange;
    color.luma = color.luma < 0 ? 0 : (color.luma > 255 ? 255 : color.luma);
    color.chroma = color.chroma < 0 ? 0 : (color.chroma > 255 ? 255 : color.chroma);
    HcyToRgb(color);
    return {color.blue, color.green, color.red};
}

TEST(ZoMaterialTest, ConstructorMakesBothFieldsForThePicture) {
    char status[kStatusSize] = "Form:old";
    Ground ground(8, 128, 12, [](int, int) { return 128; });
    auto picture = test_pictures::Gradient(7, 5);
    auto focus = FocusMap(7, 5, 0);
    SetSeed(42);
    ZoMaterial material(picture.get(), nullptr, focus.get(), ground.info, status);
    EXPECT_TRUE(material.IsValid());
    EXPECT_EQ(material.TextureSide(), 8);
    EXPECT_STREQ(status, "Material:");
    EXPECT_EQ(RandomState, StateAfterSteps(42, kFieldDraws));
}

TEST(ZoMaterialTest, ImagesItCannotReadMakeItInvalidWithoutDrawing) {
    Ground ground(8, 128, 12, [](int u, int v) { return u * 30 + v; });
    auto picture = test_pictures::Gradient(6, 4);
    auto focus = FocusMap(6, 4, 200);
    auto smallFocus = FocusMap(6, 3, 200);
    auto wideFocus = test_pictures::Flat(6, 4, 1, 1, 1);
    auto greyPicture = FocusMap(6, 4, 9);
    struct Case {
        const char* name;
        TDib *source, *focus;
    } cases[] = {
        {"no source", nullptr, focus.get()},
        {"no focus map", picture.get(), nullptr},
        {"focus map of another size", picture.get(), smallFocus.get()},
        {"24-bit focus map", picture.get(), wideFocus.get()},
        {"8-bit source", greyPicture.get(), focus.get()},
    };
    uint8_t table[256];
    std::memset(table, 255, sizeof table);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char status[kStatusSize] = "";
        const auto before = PixelsOf(*picture);
        SetSeed(8);
        ZoMaterial material(c.source, nullptr, c.focus, ground.info, status);
        EXPECT_FALSE(material.IsValid());
        EXPECT_STREQ(status, "Material:Invalid Dib.");
        material.ApplyTexture(table, 4, -4, -4, 4);
        material.TintTexture(table);
        EXPECT_EQ(RandomState, 8u);
        EXPECT_EQ(PixelsOf(*picture), before);
    }
}

TEST(ZoMaterialTest, ZeroWeightsChangeNothingAndDrawNothing) {
    char status[kStatusSize] = "";
    Ground ground(8, 100, 10, [](int u, int v) { return 10 * u + 20 * v; });
    auto picture = test_pictures::Gradient(9, 6);
    auto focus = FocusMap(9, 6, 77);
    const auto before = PixelsOf(*picture);
    const uint8_t zeros[256] = {};
    SetSeed(5);
    ZoMaterial material(picture.get(), nullptr, focus.get(), ground.info, status);
    material.ApplyTexture(zeros, 4, -4, -4, 4);
    material.TintTexture(zeros);
    EXPECT_EQ(RandomState, StateAfterSteps(5, kFieldDraws));
    EXPECT_EQ(PixelsOf(*picture), before);
}

TEST(ZoMaterialTest, TexelAtTheMiddleHeightStillDrawsItsSamples) {
    char status[kStatusSize] = "";
    Ground ground(16, 140, 8, [](int, int) { return 140; });
    auto picture = test_pictures::Gradient(5, 4);
    auto focus = FocusMap(5, 4, 0);
    focus->Row(1)[2] = 9;  // the one pixel of weight 0
    uint8_t table[256];
    std::memset(table, 200, sizeof table);
    table[9] = 0;
    const auto before = PixelsOf(*picture);
    SetSeed(11);
    ZoMaterial material(picture.get(), nullptr, focus.get(), ground.info, status);
    material.ApplyTexture(table, 4, -4, -4, 4);
    EXPECT_EQ(PixelsOf(*picture), before);
    EXPECT_EQ(RandomState, StateAfterSteps(11, kFieldDraws + 2 * (5 * 4 - 1)));
}

TEST(ZoMaterialTest, ReliefChangesLumaAndChromaByTheConstants) {
    // A flat texture makes g = (texel - middle) × weight the same at every pixel.
    struct Case {
        const char* name;
        int texel, middle, weight;
        int a, b, c, d;
        int lumaChange, chromaChange;
    } cases[] = {
        {"g 200, raised", 200, 100, 2, 2, 0, -4, 4, 1, 0},
        {"g -200, sunk", 0, 200, 1, 2, 0, -4, 4, -3, 3},
        {"engine default, raised", 180, 130, 3, 4, -4, -4, 4, 2, -2},   // g 150: 600 / 256
        {"engine default, sunk", 30, 130, 1, 4, -4, -4, 4, -1, 1},      // g -100: -400 / 256
        {"truncated toward zero", 129, 128, 63, 4, -4, -4, 4, 0, 0},    // g 63: 252 / 256
        {"large chroma only", 255, 0, 255, 0, 4, -4, 4, 0, 255},
    };
    const Bgr pixels[] = {{60, 100, 140}, {200, 30, 90}, {128, 128, 128}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char status[kStatusSize] = "";
        Ground ground(8, c.middle, 12, [&](int, int) { return c.texel; });
        auto picture = TDib::Create24(3, 1);
        for (int x = 0; x < 3; ++x) {
            uint8_t* p = picture->Row(0) + 3 * x;
            p[0] = static_cast<uint8_t>(pixels[x].blue);
            p[1] = static_cast<uint8_t>(pixels[x].green);
            p[2] = static_cast<uint8_t>(pixels[x].red);
        }
        auto focus = FocusMap(3, 1, 0);
        uint8_t table[256] = {};
        table[0] = static_cast<uint8_t>(c.weight);
        ZoMaterial material(picture.get(), nullptr, focus.get(), ground.info, status);
        material.ApplyTexture(table, c.a, c.b, c.c, c.d);
        for (int x = 0; x < 3; ++x) {
            SCOPED_TRACE(x);
            const Bgr expected = c.lumaChange == 0 && c.chromaChange == 0
                                     ? pixels[x]
                                     : Changed(pixels[x], c.lumaChange, c.chromaChange);
            const uint8_t* p = picture->Row(0) + 3 * x;
            EXPECT_EQ(p[0], expected.blue);
            EXPECT_EQ(p[1], expected.green);
            EXPECT_EQ(p[2], expected.red);
        }
    }
}

TEST(ZoMaterialTest, LumaAndChromaAreLimitedBeforeTheConversionBack) {
    // Pure red has luma 76 and chroma 255: +250 luma stops at 255, +250 chroma at 255.
    char status[kStatusSize] = "";
    Ground ground(8, 0, 12, [](int, int) { return 250; });
    auto picture = test_pictures::Flat(2, 1, 0, 0, 255);
    picture->Row(0)[3] = 255, picture->Row(0)[4] = 255, picture->Row(0)[5] = 255;  // white
    auto focus = FocusMap(2, 1, 0);
    uint8_t table[256] = {};
    table[0] = 1;
    ZoMaterial material(picture.get(), nullptr, focus.get(), ground.info, status);
    material.ApplyTexture(table, 256, 256, 0, 0);  // luma and chroma each +250
    const Bgr red = Changed({0, 0, 255}, 250, 250);
    HueColor unlimited = {255, 0, 0, 0, 0, 0};
    RgbToHcy(unlimited);
    unlimited.luma += 250;
    unlimited.chroma += 250;
    HcyToRgb(unlimited);
    const uint8_t* p = picture->Row(0);
    EXPECT_EQ(p[0], red.blue);
    EXPECT_EQ(p[1], red.green);
    EXPECT_EQ(p[2], red.red);
    EXPECT_FALSE(unlimited.blue == red.blue && unlimited.green == red.green &&
                 unlimited.red == red.red)
        << "the limit must show in the result";
    const Bgr white = Changed({255, 255, 255}, 250, 250);
    EXPECT_EQ(p[3], white.blue);
    EXPECT_EQ(p[4], white.green);
    EXPECT_EQ(p[5], white.red);
}

TEST(ZoMaterialTest, PlainGroundMakesBothPassesReturnAtOnce) {
    std::vector<uint8_t> flat(64 * 64, 255);
    struct Case {
        const char* name;
        MaterialInfo ground;
    } cases[] = {
        {"side 0 (PAPER1)", {0, 255, 255, 255, 255, 255, 255, 100, 50, 14, flat.data()}},
        {"negative side", {-64, 255, 255, 255, 0, 100, 255, 100, 50, 14, flat.data()}},
        {"side without texture", {64, 255, 255, 255, 0, 100, 255, 100, 50, 14, nullptr}},
    };
    uint8_t table[256];
    std::memset(table, 255, sizeof table);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char status[kStatusSize] = "";
        auto picture = test_pictures::Gradient(5, 5);
        auto focus = FocusMap(5, 5, 0);
        const auto before = PixelsOf(*picture);
        SetSeed(21);
        ZoMaterial material(picture.get(), nullptr, focus.get(), c.ground, status);
        EXPECT_EQ(material.TextureSide(), 0);
        const uint32_t afterFields = RandomState;
        material.ApplyTexture(table, 4, -4, -4, 4);
        material.TintTexture(table);
        EXPECT_EQ(RandomState, afterFields);
        EXPECT_EQ(PixelsOf(*picture), before);
    }
}

TEST(ZoMaterialTest, TexelsFollowTheNoiseSamplesInDrawOrder) {
    // With a white ground and weight 255 the tint pass writes the texel itself into every
    // channel ((texel + 1) × 255 / 256), so the texture lookup can be read off the picture.
    // The texture tells u from v, so swapped samples or a missed skip show.
    struct Case {
        int side, shift, usedShift;
    } cases[] = {
        {8, 4, 4},    // displacement up to 7 × 16 / 16
        {4, 0, 0},    // displacement far beyond the side: wraps several times
        {3, 31, 31},  // no displacement
        {5, -3, 0},   // a negative shift is taken as 0
        {6, 40, 31},  // a shift beyond 31 as 31
    };
    const int width = 11, height = 4;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.side << " shift " << c.shift);
        char status[kStatusSize] = "";
        Ground ground(c.side, 0, c.shift, [&](int u, int v) { return 1 + v * c.side + u; });
        auto picture = test_pictures::Flat(width, height, 250, 250, 250);
        auto focus = TDib::Create8(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) focus->Row(y)[x] = (x + y) % 3 == 0 ? 0 : 1;
        }
        uint8_t table[256] = {};
        table[1] = 255;
        SetSeed(99);
        ZoMaterial material(picture.get(), nullptr, focus.get(), ground.info, status);
        material.TintTexture(table);
        const uint32_t after = RandomState;

        SetSeed(99);
        FractalNoise noise1, noise2;
        noise1.SetRoughness(0.5);
        noise1.Generate(width, height);
        noise2.SetRoughness(0.5);
        noise2.Generate(width, height);
        int drawn = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = picture->Row(y) + 3 * x;
                if (focus->Row(y)[x] == 0) {
                    EXPECT_EQ(p[0], 250) << "skipped " << x << "," << y;
                    continue;
                }
                ++drawn;
                const int first = noise1.Sample(x, y);
                const int second = noise2.Sample(x, y);
                const int u = (x + ((first * c.side) >> c.usedShift)) % c.side;
                const int v = (y + ((second * c.side) >> c.usedShift)) % c.side;
                const int texel = 1 + v * c.side + u;
                EXPECT_EQ(p[0], texel) << x << "," << y;
                EXPECT_EQ(p[1], texel) << x << "," << y;
                EXPECT_EQ(p[2], texel) << x << "," << y;
            }
        }
        EXPECT_EQ(RandomState, after);
        EXPECT_EQ(after, StateAfterSteps(99, kFieldDraws + 2 * drawn));
    }
}

TEST(ZoMaterialTest, TintMovesEachChannelTowardTheGroundColour) {
    // k = 127 + 1, t = 199 + 1: blue target 199 -> 100 + 99 × 128 / 256; green target 0;
    // red target 100 = the channel.
    char status[kStatusSize] = "";
    Ground ground(8, 0, 12, [](int, int) { return 199; });
    ground.info.blue = 255, ground.info.green = 0, ground.info.red = 128;
    auto picture = test_pictures::Flat(2, 2, 100, 100, 100);
    auto focus = FocusMap(2, 2, 3);
    uint8_t table[256] = {};
    table[3] = 127;
    ZoMaterial material(picture.get(), nullptr, focus.get(), ground.info, status);
    material.TintTexture(table);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            const uint8_t* p = picture->Row(y) + 3 * x;
            EXPECT_EQ(p[0], 149);
            EXPECT_EQ(p[1], 50);
            EXPECT_EQ(p[2], 100);
        }
    }
}

TEST(ZoMaterialTest, ExtremeGroundValuesStayDefined) {
    // Heights and factors far beyond a byte: the changes saturate instead of overflowing.
    char status[kStatusSize] = "";
    Ground ground(4, -2000000000, 12, [](int, int) { return 255; });
    auto picture = test_pictures::Flat(3, 2, 10, 20, 30);
    auto focus = FocusMap(3, 2, 0);
    uint8_t table[256] = {};
    table[0] = 255;
    ZoMaterial material(picture.get(), nullptr, focus.get(), ground.info, status);
    material.ApplyTexture(table, 2000000000, -2000000000, 1, 1);
    const Bgr expected = Changed({10, 20, 30}, 255, -255);
    const uint8_t* p = picture->Row(1) + 3;
    EXPECT_EQ(p[0], expected.blue);
    EXPECT_EQ(p[1], expected.green);
    EXPECT_EQ(p[2], expected.red);
}

}  // namespace
