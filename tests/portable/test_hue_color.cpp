// The colour conversions, by example.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "imaging/hue_color.h"

namespace {

enum class Conversion { kRgbToHcy, kHcyToRgb, kRgbToHcl, kHclToRgb, kRgbToHsl, kHslToRgb };

struct ConversionCase {
    const char* name;
    Conversion conversion;
    HueColor input;
    HueColor expected;
    int result;  // expected result; -1 for conversions without one
};

int Convert(Conversion conversion, HueColor& color) {
    switch (conversion) {
        case Conversion::kRgbToHcy: RgbToHcy(color); return -1;
        case Conversion::kHcyToRgb: return HcyToRgb(color);
        case Conversion::kRgbToHcl: RgbToHcl(color); return -1;
        case Conversion::kHclToRgb: return HclToRgb(color);
        case Conversion::kRgbToHsl: return RgbToHsl(color);
        case Conversion::kHslToRgb: HslToRgb(color); return -1;
    }
    return -2;
}

using C = Conversion;
// Fields: red, green, blue, hue, chroma (or saturation), luma (or lightness).
const ConversionCase kConversionCases[] = {
    {"pure red forward", C::kRgbToHcy, {255, 0, 0, 0, 0, 0}, {255, 0, 0, 0, 255, 76}, -1},
    {"pure red back clamps blue -1", C::kHcyToRgb, {9, 9, 9, 0, 255, 76}, {254, 0, 0, 0, 255, 76}, 0},
    {"mid grey hcy", C::kRgbToHcy, {128, 128, 128, 0, 0, 0}, {128, 128, 128, 232, 0, 128}, -1},
    {"mid grey hcl", C::kRgbToHcl, {128, 128, 128, 0, 0, 0}, {128, 128, 128, 232, 0, 128}, -1},
    {"mid grey hsl saturation 128", C::kRgbToHsl, {128, 128, 128, 0, 0, 0}, {128, 128, 128, 232, 128, 128}, 128},
    {"hsl back of grey hue is not grey", C::kHslToRgb, {0, 0, 0, 232, 128, 128}, {192, 64, 124, 232, 128, 128}, -1},
    {"black hcy", C::kRgbToHcy, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 168, 0, 0}, -1},
    {"black hcl", C::kRgbToHcl, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 168, 0, 0}, -1},
    {"black hsl", C::kRgbToHsl, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 168, 128, 0}, 0},
    {"white hcy", C::kRgbToHcy, {255, 255, 255, 0, 0, 0}, {255, 255, 255, 43, 0, 255}, -1},
    {"white hcl", C::kRgbToHcl, {255, 255, 255, 0, 0, 0}, {255, 255, 255, 43, 0, 255}, -1},
    {"white hsl", C::kRgbToHsl, {255, 255, 255, 0, 0, 0}, {255, 255, 255, 43, 128, 255}, 255},
    {"yellow hcy", C::kRgbToHcy, {255, 255, 0, 0, 0, 0}, {255, 255, 0, 42, 255, 227}, -1},
    {"yellow hcl", C::kRgbToHcl, {255, 255, 0, 0, 0, 0}, {255, 255, 0, 42, 255, 128}, -1},
    {"yellow hsl", C::kRgbToHsl, {255, 255, 0, 0, 0, 0}, {255, 255, 0, 42, 255, 128}, 128},
    {"magenta hcy", C::kRgbToHcy, {255, 0, 255, 0, 0, 0}, {255, 0, 255, 210, 255, 104}, -1},
    {"magenta hcl", C::kRgbToHcl, {255, 0, 255, 0, 0, 0}, {255, 0, 255, 210, 255, 128}, -1},
    {"magenta hsl", C::kRgbToHsl, {255, 0, 255, 0, 0, 0}, {255, 0, 255, 210, 255, 128}, 128},
    {"red hcl back limits chroma to 254", C::kHclToRgb, {0, 0, 0, 0, 255, 128}, {255, 1, 1, 0, 255, 128}, 0},
    {"hcl back limits chroma 200 to 110", C::kHclToRgb, {0, 0, 0, 0, 200, 200}, {255, 145, 145, 0, 200, 200}, 0},
    {"hcl back within limit", C::kHclToRgb, {0, 0, 0, 14, 150, 125}, {200, 100, 50, 14, 150, 125}, 1},
    {"hcl back of zero chroma is grey", C::kHclToRgb, {1, 2, 3, 100, 0, 77}, {77, 77, 77, 100, 0, 77}, 1},
    {"hcy back hue 252 is black", C::kHcyToRgb, {9, 9, 9, 252, 100, 100}, {0, 0, 0, 252, 100, 100}, 1},
    {"hcy back hue -21 is sector 0", C::kHcyToRgb, {9, 9, 9, -21, 42, 100}, {141, 78, 99, -21, 42, 100}, 1},
    {"hcy back hue -42 is black", C::kHcyToRgb, {9, 9, 9, -42, 42, 100}, {0, 0, 0, -42, 42, 100}, 1},
    {"hcl back hue 252 keeps channels", C::kHclToRgb, {1, 2, 3, 252, 50, 100}, {1, 2, 3, 252, 50, 100}, 1},
    {"hsl back hue 252 keeps channels", C::kHslToRgb, {1, 2, 3, 252, 50, 100}, {1, 2, 3, 252, 50, 100}, -1},
    {"hsl back zero saturation is grey", C::kHslToRgb, {1, 2, 3, 40, 0, 90}, {90, 90, 90, 40, 0, 90}, -1},
    {"orange hcy", C::kRgbToHcy, {200, 100, 50, 0, 0, 0}, {200, 100, 50, 14, 150, 124}, -1},
    {"orange hcl", C::kRgbToHcl, {200, 100, 50, 0, 0, 0}, {200, 100, 50, 14, 150, 125}, -1},
    {"orange hsl", C::kRgbToHsl, {200, 100, 50, 0, 0, 0}, {200, 100, 50, 14, 153, 125}, 125},
    {"hsl saturation above lightness 128 uses 510 - sum", C::kRgbToHsl, {250, 10, 10, 0, 0, 0}, {250, 10, 10, 0, 244, 130}, 130},
    // The lightness pairs take the hue as two separately truncated quotients (hcy: 14, 70, 154).
    {"hcl hue of red max, two quotients", C::kRgbToHcl, {200, 101, 50, 0, 0, 0}, {200, 101, 50, 15, 150, 125}, -1},
    {"hcl hue of green max, two quotients", C::kRgbToHcl, {101, 200, 50, 0, 0, 0}, {101, 200, 50, 69, 150, 125}, -1},
    {"hcl hue of blue max, two quotients", C::kRgbToHcl, {50, 101, 200, 0, 0, 0}, {50, 101, 200, 153, 150, 125}, -1},
    {"hsl hue of blue max, two quotients", C::kRgbToHsl, {50, 101, 200, 0, 0, 0}, {50, 101, 200, 153, 153, 125}, 125},
    {"hcy hue of green max, one quotient", C::kRgbToHcy, {101, 200, 50, 0, 0, 0}, {101, 200, 50, 70, 150, 153}, -1},
    // One hue in every sector of each back conversion; the interpolated channel's quotient has a
    // remainder, and in sectors 0, 2 and 4 of HcyToRgb it is negative and truncates toward zero.
    {"hcy back sector 0", C::kHcyToRgb, {0, 0, 0, 13, 100, 120}, {171, 102, 71, 13, 100, 120}, 1},
    {"hcy back sector 1", C::kHcyToRgb, {0, 0, 0, 55, 100, 120}, {110, 140, 40, 55, 100, 120}, 1},
    {"hcy back sector 2", C::kHcyToRgb, {0, 0, 0, 97, 100, 120}, {57, 157, 88, 97, 100, 120}, 1},
    {"hcy back sector 3", C::kHcyToRgb, {0, 0, 0, 139, 100, 120}, {68, 138, 168, 139, 100, 120}, 1},
    {"hcy back sector 4", C::kHcyToRgb, {0, 0, 0, 181, 100, 120}, {130, 99, 199, 181, 100, 120}, 1},
    {"hcy back sector 5", C::kHcyToRgb, {0, 0, 0, 223, 100, 120}, {182, 82, 152, 223, 100, 120}, 1},
    {"hcl back sector 0", C::kHclToRgb, {0, 0, 0, 13, 100, 100}, {150, 80, 50, 13, 100, 100}, 1},
    {"hcl back sector 1", C::kHclToRgb, {0, 0, 0, 55, 100, 100}, {119, 150, 50, 55, 100, 100}, 1},
    {"hcl back sector 2", C::kHclToRgb, {0, 0, 0, 97, 100, 100}, {50, 150, 80, 97, 100, 100}, 1},
    {"hcl back sector 3", C::kHclToRgb, {0, 0, 0, 139, 100, 100}, {50, 119, 150, 139, 100, 100}, 1},
    {"hcl back sector 4", C::kHclToRgb, {0, 0, 0, 181, 100, 100}, {80, 50, 150, 181, 100, 100}, 1},
    {"hcl back sector 5", C::kHclToRgb, {0, 0, 0, 223, 100, 100}, {150, 50, 119, 223, 100, 100}, 1},
    {"hcl back odd chroma keeps an even span", C::kHclToRgb, {0, 0, 0, 21, 101, 100}, {150, 100, 50, 21, 101, 100}, 1},
    {"hsl back sector 0", C::kHslToRgb, {0, 0, 0, 13, 100, 100}, {139, 85, 61, 13, 100, 100}, -1},
    {"hsl back sector 1", C::kHslToRgb, {0, 0, 0, 55, 100, 100}, {114, 139, 61, 55, 100, 100}, -1},
    {"hsl back sector 2", C::kHslToRgb, {0, 0, 0, 97, 100, 100}, {61, 139, 85, 97, 100, 100}, -1},
    {"hsl back sector 3", C::kHslToRgb, {0, 0, 0, 139, 100, 100}, {61, 114, 139, 139, 100, 100}, -1},
    {"hsl back sector 4", C::kHslToRgb, {0, 0, 0, 181, 100, 100}, {85, 61, 139, 181, 100, 100}, -1},
    {"hsl back sector 5", C::kHslToRgb, {0, 0, 0, 223, 100, 100}, {139, 61, 114, 223, 100, 100}, -1},
    {"hsl back at lightness 127 uses the product form", C::kHslToRgb, {0, 0, 0, 0, 100, 127}, {176, 78, 78, 0, 100, 127}, -1},
    {"hsl back at lightness 200", C::kHslToRgb, {0, 0, 0, 181, 100, 200}, {191, 178, 222, 181, 100, 200}, -1},
    // A channel that is no byte is read as its clamped value and left as it is.
    {"out-of-range channel read clamped", C::kRgbToHcy, {300, -5, 0, 0, 0, 0}, {300, -5, 0, 0, 255, 76}, -1},
};

}  // namespace

TEST(HueColor, ConversionCases) {
    for (const ConversionCase& c : kConversionCases) {
        HueColor color = c.input;
        const int result = Convert(c.conversion, color);
        EXPECT_EQ(color.red, c.expected.red) << c.name;
        EXPECT_EQ(color.green, c.expected.green) << c.name;
        EXPECT_EQ(color.blue, c.expected.blue) << c.name;
        EXPECT_EQ(color.hue, c.expected.hue) << c.name;
        EXPECT_EQ(color.chroma, c.expected.chroma) << c.name;
        EXPECT_EQ(color.luma, c.expected.luma) << c.name;
        EXPECT_EQ(result, c.result) << c.name;
    }
}

TEST(HueColor, AbsurdBackInputsAreSaturatedNotOverflowed) {
    // Far outside any colour: the inputs act as their saturated values (+-32767), so every
    // product stays inside 32 bits (the sanitizer build traps any overflow).
    const int32_t extremes[] = {INT_MIN, -32768, 32768, INT_MAX};
    for (int32_t chroma : extremes) {
        for (int32_t luma : extremes) {
            for (int32_t hue : {0, 100, 251}) {
                const int32_t saturatedChroma = chroma < 0 ? -32767 : 32767;
                const int32_t saturatedLuma = luma < 0 ? -32767 : 32767;
                for (Conversion back : {C::kHcyToRgb, C::kHclToRgb, C::kHslToRgb}) {
                    HueColor absurd{0, 0, 0, hue, chroma, luma};
                    HueColor saturated{0, 0, 0, hue, saturatedChroma, saturatedLuma};
                    EXPECT_EQ(Convert(back, absurd), Convert(back, saturated));
                    EXPECT_EQ(absurd.red, saturated.red);
                    EXPECT_EQ(absurd.green, saturated.green);
                    EXPECT_EQ(absurd.blue, saturated.blue);
                }
                HueColor clamped{0, 0, 0, hue, chroma, luma};
                EXPECT_EQ(HcyToRgb(clamped), 0);
                EXPECT_GE(clamped.red, 0);
                EXPECT_LE(clamped.red, 255);
            }
        }
    }
}

TEST(HueColor, HcyBackIsCloseToTheForwardColour) {
    // Not an exact inverse: the hue quotient truncates, losing up to chroma / 42 per channel.
    const int32_t samples[] = {0, 1, 37, 90, 128, 161, 200, 254, 255};
    for (int32_t r : samples) {
        for (int32_t g : samples) {
            for (int32_t b : samples) {
                HueColor color{r, g, b, 0, 0, 0};
                RgbToHcy(color);
                HcyToRgb(color);
                EXPECT_NEAR(color.red, r, 7) << r << "," << g << "," << b;
                EXPECT_NEAR(color.green, g, 7) << r << "," << g << "," << b;
                EXPECT_NEAR(color.blue, b, 7) << r << "," << g << "," << b;
            }
        }
    }
}
