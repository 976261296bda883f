// The random generator: its sequence, seeds and draw forms.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <ctime>
#include <string>

#include "imaging/random.h"

namespace {

// The state whose next step gives s: (s - 1) times the multiplier's inverse modulo 2^32.
uint32_t StateBefore(uint32_t s) {
    const uint32_t multiplier = 1566083941u;
    uint32_t inverse = multiplier;  // Newton's iteration for the inverse of an odd number
    for (int i = 0; i < 5; ++i) inverse *= 2u - multiplier * inverse;
    return (s - 1u) * inverse;
}

}  // namespace

TEST(Random, StepsFromKnownStates) {
    SetSeed(0);
    EXPECT_EQ(NextRandom(), 1u);
    EXPECT_EQ(RandomState, 1u);
    EXPECT_EQ(NextRandom(), 1566083942u);
    EXPECT_EQ(RandomState, 1566083942u);
}

TEST(Random, SetSeedStoresTheBitPatternAndReturnsTheSeed) {
    EXPECT_EQ(SetSeed(12345), 12345);
    EXPECT_EQ(RandomState, 12345u);
    EXPECT_EQ(SetSeed(-1), -1);
    EXPECT_EQ(RandomState, 0xFFFFFFFFu);
    EXPECT_EQ(NextRandom(), 0xFFFFFFFFu * 1566083941u + 1u);
}

TEST(Random, SeedFromTimeUsesTheCalendarSeconds) {
    const uint32_t before = static_cast<uint32_t>(std::time(nullptr));
    const int seed = SeedFromTime();
    const uint32_t after = static_cast<uint32_t>(std::time(nullptr));
    EXPECT_EQ(static_cast<uint32_t>(seed), RandomState);
    EXPECT_GE(RandomState, before);
    EXPECT_LE(RandomState, after);
}

TEST(Random, SeedFromTextWeighsSignedBytesByPowersOfTwo) {
    const struct {
        const char* text;
        uint32_t state;
    } cases[] = {
        {"", 1u},
        {"A", 66u},                       // 1 + 65
        {"AB", 198u},                     // 1 + 65 + 2 * 66
        {"\xFF", 0u},                     // the byte -1
        {"a\x80", 1u + 97u - 256u},       // 1 + 97 + 2 * -128, wrapping below zero
        // 31 bytes of -128: 1 - 128 * (2^31 - 1) = 129 - 2^38, which is 129 modulo 2^32.
        {"\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80"
         "\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80", 129u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<uint32_t>(SeedFromText(c.text)), c.state) << c.text;
        EXPECT_EQ(RandomState, c.state);
    }
    // Only the first 31 characters count.
    const std::string thirtyOne(31, 'z');
    const uint32_t expected = static_cast<uint32_t>(SeedFromText(thirtyOne.c_str()));
    EXPECT_EQ(static_cast<uint32_t>(SeedFromText((thirtyOne + "tail").c_str())), expected);
    EXPECT_EQ(SeedFromText(nullptr), 1);
}

TEST(Random, DrawFormsReadTheNewStateAndStepOnce) {
    const struct {
        uint32_t s;
        uint32_t topByte;
        int32_t signedNoise;
        uint32_t index10;
        uint32_t index65536;
        uint32_t topFiveBits;
    } cases[] = {
        {0x00000000u, 0, -16384, 0, 0, 0},
        {0xFFFFFFFFu, 255, 16383, 9, 65535, 31},
        {0x80000000u, 128, 0, 5, 32768, 16},
        {0x7FFFFFFFu, 127, -1, 4, 32767, 15},
    };
    for (const auto& c : cases) {
        const uint32_t before = StateBefore(c.s);
        RandomState = before;
        EXPECT_EQ(DrawTopByte(), c.topByte) << c.s;
        EXPECT_EQ(RandomState, c.s);
        RandomState = before;
        EXPECT_EQ(DrawSignedNoise(), c.signedNoise) << c.s;
        RandomState = before;
        EXPECT_EQ(DrawIndex(10), c.index10) << c.s;
        RandomState = before;
        EXPECT_EQ(DrawIndex(65536), c.index65536) << c.s;
        RandomState = before;
        EXPECT_EQ(DrawTopFiveBits(), c.topFiveBits) << c.s;
        RandomState = before;
        EXPECT_TRUE(DrawChance(c.s)) << "the threshold itself counts";
        RandomState = before;
        EXPECT_EQ(DrawChance(c.s - 1), c.s == 0) << "below the threshold only (unsigned)";
        EXPECT_EQ(RandomState, c.s);
    }
}

TEST(Random, ScaledNoiseTruncatesTowardZero) {
    const struct {
        int32_t r, amplitude, noise;
    } cases[] = {{-16384, 255, -255}, {16383, 255, 254}, {-1, 255, 0},       {1, 255, 0},
                 {-100, 0, 0},        {8192, 10, 5},     {-8193, 10, -5},    {-16384, INT_MAX, -INT_MAX},
                 {16383, INT_MAX, 2147352575}};
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleNoise(c.r, c.amplitude), c.noise) << c.r << " x " << c.amplitude;
    }
    RandomState = StateBefore(0xFFFFFFFFu);
    EXPECT_EQ(DrawNoise(255), 254);
}
