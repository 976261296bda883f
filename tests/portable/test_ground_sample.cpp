// The ground dialog's sample: its formula on a tiny texture, its random draws (both noise
// fields first, then the first field's sample before the second's at every pixel), the white
// sample of a plain ground, and new noise for the same ground again.
#include "dialogs/ground_sample.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imaging/fractal_noise.h"
#include "imaging/random.h"
#include "tests/support/pictures.h"
#include "tests/support/random_steps.h"

namespace {

using test_pictures::PixelText;

// A ground of colour (red 200, green 100, blue 50) over a 2 × 2 texture.
struct TinyGround {
    uint8_t texture[4] = {10, 20, 30, 255};
    MaterialInfo info = {};
    TinyGround() {
        info.textureSide = 2;
        info.texture = texture;
        info.red = 200;
        info.green = 100;
        info.blue = 50;
        info.noiseScale = 50;
        info.shift = 30;  // (noise × 2) >> 30 is 0: the texture tiled, without displacement
    }
};

// A white ground over an 8 × 8 texture of heights 4 × i, displaced by noise of roughness 0.7.
struct DisplacedGround {
    uint8_t texture[64];
    MaterialInfo info = {};
    DisplacedGround() {
        for (int i = 0; i < 64; ++i) texture[i] = static_cast<uint8_t>(4 * i);
        info.textureSide = 8;
        info.texture = texture;
        info.red = info.green = info.blue = 255;
        info.noiseScale = 70;
        info.shift = 8;
    }
};

}  // namespace

TEST(GroundSample, EachChannelIsTheColourTimesTheHeightPlusOneOver256) {
    TinyGround ground;
    auto sample = TDib::Create24(3, 2);
    ASSERT_TRUE(ground_sample::Paint(ground.info, sample.get()));
    const struct {
        int x, y;
        const char* bgr;
    } cases[] = {
        {0, 0, "2,4,8"},       // height 10: 50 × 11 / 256, 100 × 11 / 256, 200 × 11 / 256
        {1, 0, "4,8,16"},      // height 20
        {2, 0, "2,4,8"},       // tiled: column 2 is column 0
        {0, 1, "6,12,24"},     // height 30
        {1, 1, "50,100,200"},  // height 255: the colour itself
    };
    for (const auto& c : cases) EXPECT_EQ(PixelText(*sample, c.x, c.y), c.bgr) << c.x << "," << c.y;
}

TEST(GroundSample, ANegativeColourIsDividedTowardZero) {
    TinyGround ground;
    ground.info.blue = -50;  // -50 × 11 / 256 is -2.1: -2, where a shift would give -3
    auto sample = TDib::Create24(1, 1);
    ASSERT_TRUE(ground_sample::Paint(ground.info, sample.get()));
    EXPECT_EQ(sample->Row(0)[0], static_cast<uint8_t>(-2));
}

TEST(GroundSample, BothFieldsAreMadeFirstThenTheFirstIsSampledBeforeTheSecond) {
    // A displacement that moves the texture: u from the first field, v from the second.
    const DisplacedGround displaced;
    const uint8_t* texture = displaced.texture;
    const int width = 5, height = 4;

    RandomState = 4242;
    FractalNoise first, second;
    first.SetRoughness(70 * 0.01);
    second.SetRoughness(70 * 0.01);
    first.Generate(width, height);
    second.Generate(width, height);
    std::vector<int> expected;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int a = first.Sample(x, y);
            const int b = second.Sample(x, y);
            const int u = (x + ((a * 8) >> 8)) % 8;
            const int v = (y + ((b * 8) >> 8)) % 8;
            expected.push_back(255 * (texture[v * 8 + u] + 1) / 256);
        }
    const uint32_t after = RandomState;

    RandomState = 4242;
    auto sample = TDib::Create24(width, height);
    ASSERT_TRUE(ground_sample::Paint(displaced.info, sample.get()));
    EXPECT_EQ(RandomState, after);
    std::vector<int> painted;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) painted.push_back(sample->Row(y)[3 * x]);
    EXPECT_EQ(painted, expected);
}

TEST(GroundSample, DrawsTwoFieldsOnAPlainGroundAndTwoSamplesAPixelOnATexturedOne) {
    TinyGround textured;
    MaterialInfo plain = textured.info;
    plain.textureSide = 0;
    plain.red = 174;  // a plain ground of any colour shows white
    const struct {
        const char* name;
        const MaterialInfo* ground;
        uint32_t draws;
        bool white;
    } cases[] = {
        {"plain", &plain, 2 * FractalNoise::kGenerateDraws, true},
        {"textured", &textured.info, 2 * FractalNoise::kGenerateDraws + 2 * 150 * 160, false},
    };
    for (const auto& c : cases) {
        auto sample = TDib::Create24(ground_sample::kWidth, ground_sample::kHeight);
        RandomState = 99;
        ASSERT_TRUE(ground_sample::Paint(*c.ground, sample.get())) << c.name;
        EXPECT_EQ(RandomState, StateAfterSteps(99, c.draws)) << c.name;
        bool white = true;
        for (int y = 0; y < sample->Height(); ++y)
            for (int x = 0; x < 3 * sample->Width(); ++x) white = white && sample->Row(y)[x] == 255;
        EXPECT_EQ(white, c.white) << c.name;
    }
}

TEST(GroundSample, TheSameGroundAgainShowsNewNoise) {
    const DisplacedGround ground;
    auto first = TDib::Create24(ground_sample::kWidth, ground_sample::kHeight);
    auto again = TDib::Create24(ground_sample::kWidth, ground_sample::kHeight);
    RandomState = 1;
    ASSERT_TRUE(ground_sample::Paint(ground.info, first.get()));
    ASSERT_TRUE(ground_sample::Paint(ground.info, again.get()));
    EXPECT_NE(std::memcmp(first->Bits(), again->Bits(), first->ImageBytes()), 0);
}
