// Sweeps over every 24-bit colour and every valid hue-based triple: the ranges of the
// conversions hold everywhere, and (under the sanitizers) no product overflows.
#include <gtest/gtest.h>

#include <cstdint>

#include "imaging/hue_color.h"

namespace {

struct Range {
    int32_t low = INT32_MAX, high = INT32_MIN;
    void Add(int32_t v) {
        if (v < low) low = v;
        if (v > high) high = v;
    }
};

}  // namespace

TEST(HueColorExhaustive, ForwardRangesHoldForEveryColour) {
    Range hue[3], fifth[3], sixth[3];
    int64_t changedChannels = 0, wrongReturn = 0;
    for (int32_t rgb = 0; rgb < (1 << 24); ++rgb) {
        const int32_t r = rgb >> 16, g = (rgb >> 8) & 255, b = rgb & 255;
        HueColor colors[3] = {{r, g, b, -1, -1, -1}, {r, g, b, -1, -1, -1}, {r, g, b, -1, -1, -1}};
        RgbToHcy(colors[0]);
        RgbToHcl(colors[1]);
        if (RgbToHsl(colors[2]) != colors[2].luma) ++wrongReturn;
        for (int k = 0; k < 3; ++k) {
            const HueColor& c = colors[k];
            hue[k].Add(c.hue);
            fifth[k].Add(c.chroma);
            sixth[k].Add(c.luma);
            if (c.red != r || c.green != g || c.blue != b) ++changedChannels;
        }
    }
    const char* const names[3] = {"RgbToHcy", "RgbToHcl", "RgbToHsl"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(hue[k].low, 0) << names[k];
        EXPECT_EQ(hue[k].high, 251) << names[k];
        EXPECT_GE(fifth[k].low, 0) << names[k];
        EXPECT_EQ(fifth[k].high, 255) << names[k];
        EXPECT_EQ(sixth[k].low, 0) << names[k];
        EXPECT_EQ(sixth[k].high, 255) << names[k];
    }
    EXPECT_EQ(fifth[0].low, 0);  // chroma of a grey
    EXPECT_EQ(fifth[2].low, 1);  // saturation: a grey has 128, any other colour at least 1
    EXPECT_EQ(changedChannels, 0);
    EXPECT_EQ(wrongReturn, 0);
}

TEST(HueColorExhaustive, BackConversionsOverTheWholeValidDomain) {
    Range channels[3];
    int64_t hcyClamped = 0, hclLimited = 0;
    for (int32_t h = 0; h < 252; ++h) {
        for (int32_t c = 0; c < 256; ++c) {
            for (int32_t y = 0; y < 256; ++y) {
                HueColor hcy{-1, -1, -1, h, c, y};
                const int hcyResult = HcyToRgb(hcy);
                HueColor hcl{-1, -1, -1, h, c, y};
                const int hclResult = HclToRgb(hcl);
                HueColor hsl{-1, -1, -1, h, c, y};
                HslToRgb(hsl);
                ASSERT_TRUE(hcyResult == 0 || hcyResult == 1);
                ASSERT_TRUE(hclResult == 0 || hclResult == 1);
                hcyClamped += hcyResult == 0;
                hclLimited += hclResult == 0;
                const HueColor* all[3] = {&hcy, &hcl, &hsl};
                for (int k = 0; k < 3; ++k) {
                    channels[k].Add(all[k]->red);
                    channels[k].Add(all[k]->green);
                    channels[k].Add(all[k]->blue);
                }
            }
        }
    }
    const char* const names[3] = {"HcyToRgb", "HclToRgb", "HslToRgb"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(channels[k].low, 0) << names[k];
        EXPECT_EQ(channels[k].high, 255) << names[k];
    }
    EXPECT_GT(hcyClamped, 0);
    EXPECT_GT(hclLimited, 0);
}

TEST(HueColorExhaustive, HcyRoundTripOfEveryColourStaysNear) {
    int32_t worst = 0;
    for (int32_t rgb = 0; rgb < (1 << 24); ++rgb) {
        const int32_t r = rgb >> 16, g = (rgb >> 8) & 255, b = rgb & 255;
        HueColor c{r, g, b, 0, 0, 0};
        RgbToHcy(c);
        HcyToRgb(c);
        const int32_t d[3] = {c.red - r, c.green - g, c.blue - b};
        for (int32_t v : d) {
            if (v < 0) v = -v;
            if (v > worst) worst = v;
        }
    }
    // The hue quotient truncates to one of 42 steps per sector: at most chroma / 42 plus the
    // truncations of the luma and the back quotients.
    EXPECT_LE(worst, 8);
}
