// Integer colour conversions; see hue_color.h. All arithmetic is 32-bit with
// divisions truncating toward zero, a product always formed before it is divided.
#include "imaging/hue_color.h"

#include "imaging/int_helpers.h"

namespace {

constexpr int32_t kHueSteps = 252;
constexpr int32_t kSectorSteps = 42;

// Inputs of the back conversions are saturated to this magnitude first: every product below
// stays far inside 32 bits for such values, and no real colour comes near the bound.
constexpr int32_t kSafeMagnitude = 32767;

int32_t Saturate(int32_t v) {
    return v < -kSafeMagnitude ? -kSafeMagnitude : (v > kSafeMagnitude ? kSafeMagnitude : v);
}

// The hue a grey gets from its brightness: dark greys on the blue side, light ones at red.
int32_t GreyHue(int32_t brightness) {
    int32_t hue = (brightness >> 1) + 168;
    return hue > 251 ? hue - kHueSteps : hue;
}

struct Extremes {
    int32_t red, green, blue, max, min;
};

// The channels as the forward conversions read them: a channel outside 0..255 (never an image
// byte) is clamped for the computation so that no product can overflow.
Extremes ReadChannels(const HueColor& color) {
    Extremes e{color.red, color.green, color.blue, 0, 0};
    if (static_cast<uint32_t>(e.red | e.green | e.blue) > 255u) {
        e.red = ClampToByte(e.red);
        e.green = ClampToByte(e.green);
        e.blue = ClampToByte(e.blue);
    }
    e.max = e.red > e.green ? e.red : e.green;
    if (e.blue > e.max) e.max = e.blue;
    e.min = e.red < e.green ? e.red : e.green;
    if (e.blue < e.min) e.min = e.blue;
    return e;
}

// Hue of a non-grey for the lightness pairs: channels tested blue, green, red, each hue the
// difference of two separately truncated quotients.
int32_t LightnessPairHue(const Extremes& e, int32_t diff) {
    int32_t hue;
    if (e.blue == e.max) {
        hue = 168 + kSectorSteps * (e.max - e.green) / diff - kSectorSteps * (e.max - e.red) / diff;
    } else if (e.green == e.max) {
        hue = 84 + kSectorSteps * (e.max - e.red) / diff - kSectorSteps * (e.max - e.blue) / diff;
    } else {
        hue = kSectorSteps * (e.max - e.blue) / diff - kSectorSteps * (e.max - e.green) / diff;
    }
    return hue < 0 ? hue + kHueSteps : hue;
}

// Places max, min and the interpolated channel by the sector of h (shared by the lightness
// pairs). A sector outside 0..5 leaves the channels as they are.
void PlaceChannels(HueColor& color, int32_t h, int32_t max, int32_t min) {
    const int32_t span = max - min;
    switch (h / kSectorSteps) {
        case 0: color.red = max; color.green = min + span * h / 42; color.blue = min; break;
        case 1: color.red = min + span * (84 - h) / 42; color.green = max; color.blue = min; break;
        case 2: color.red = min; color.green = max; color.blue = min + span * (h - 84) / 42; break;
        case 3: color.red = min; color.green = min + span * (168 - h) / 42; color.blue = max; break;
        case 4: color.red = min + span * (h - 168) / 42; color.green = min; color.blue = max; break;
        case 5: color.red = max; color.green = min; color.blue = min + span * (252 - h) / 42; break;
        default: break;
    }
}

}  // namespace

void RgbToHcy(HueColor& color) {
    const Extremes e = ReadChannels(color);
    const int32_t chroma = e.max - e.min;
    const int32_t luma = (77 * e.red + 151 * e.green + 28 * e.blue) >> 8;
    int32_t hue;
    if (chroma == 0) {
        hue = GreyHue(luma);
    } else {
        if (e.red == e.max) {
            hue = kSectorSteps * (e.green - e.blue) / chroma;
        } else if (e.green == e.max) {
            hue = 84 + kSectorSteps * (e.blue - e.red) / chroma;
        } else {
            hue = 168 + kSectorSteps * (e.red - e.green) / chroma;
        }
        if (hue < 0) hue += kHueSteps;
    }
    color.hue = hue;
    color.chroma = chroma;
    color.luma = luma;
}

int HcyToRgb(HueColor& color) {
    // The maximum channel is y plus c times a linear function of h over 10752 (= 42 x 256),
    // the exact inverse of the luma weights.
    const int32_t h = color.hue;
    const int32_t c = Saturate(color.chroma);
    const int32_t y = Saturate(color.luma);
    int32_t red = 0, green = 0, blue = 0;
    switch (h / kSectorSteps) {
        case 0:
            red = y + c * (7518 - 151 * h) / 10752;
            green = red + c * (h - 42) / 42;
            blue = red - c;
            break;
        case 1:
            green = y + c * (77 * h - 2058) / 10752;
            red = green - c * (h - 42) / 42;
            blue = green - c;
            break;
        case 2:
            green = y + c * (6762 - 28 * h) / 10752;
            blue = green + c * (h - 126) / 42;
            red = green - c;
            break;
        case 3:
            blue = y + c * (151 * h - 15792) / 10752;
            green = blue - c * (h - 126) / 42;
            red = blue - c;
            break;
        case 4:
            blue = y + c * (22512 - 77 * h) / 10752;
            red = blue + c * (h - 210) / 42;
            green = blue - c;
            break;
        case 5:
            red = y + c * (28 * h + 462) / 10752;
            blue = red - c * (h - 210) / 42;
            green = red - c;
            break;
        default:
            break;
    }
    int result = 1;
    if (red != ClampToByte(red)) result = 0;
    if (green != ClampToByte(green)) result = 0;
    if (blue != ClampToByte(blue)) result = 0;
    color.red = ClampToByte(red);
    color.green = ClampToByte(green);
    color.blue = ClampToByte(blue);
    return result;
}

void RgbToHcl(HueColor& color) {
    const Extremes e = ReadChannels(color);
    const int32_t chroma = e.max - e.min;
    const int32_t lightness = (e.max + e.min + 1) >> 1;
    color.hue = chroma == 0 ? GreyHue(lightness) : LightnessPairHue(e, chroma);
    color.chroma = chroma;
    color.luma = lightness;
}

int HclToRgb(HueColor& color) {
    const int32_t h = color.hue;
    int32_t c = Saturate(color.chroma);
    const int32_t l = Saturate(color.luma);
    if (c == 0) {
        color.red = color.green = color.blue = l;
        return 1;
    }
    const int32_t limit = l < 128 ? 2 * l : 2 * (255 - l);
    int result = 1;
    if (c > limit) {
        c = limit;
        result = 0;
    }
    const int32_t max = l + ArithmeticShiftRight(c, 1);
    const int32_t min = 2 * l - max;
    PlaceChannels(color, h, max, min);
    return result;
}

int RgbToHsl(HueColor& color) {
    const Extremes e = ReadChannels(color);
    const int32_t diff = e.max - e.min;
    const int32_t sum = e.max + e.min;
    const int32_t lightness = (sum + 1) >> 1;
    int32_t hue, saturation;
    if (diff == 0) {
        hue = GreyHue(lightness);
        saturation = 128;
    } else {
        // The sum form holds up to lightness 128 inclusive (the back conversion only below).
        saturation = lightness <= 128 ? 255 * diff / sum : 255 * diff / (510 - sum);
        hue = LightnessPairHue(e, diff);
    }
    color.hue = hue;
    color.chroma = saturation;
    color.luma = lightness;
    return lightness;
}

void HslToRgb(HueColor& color) {
    const int32_t h = color.hue;
    const int32_t s = Saturate(color.chroma);
    const int32_t l = Saturate(color.luma);
    if (s == 0) {
        color.red = color.green = color.blue = l;
        return;
    }
    const int32_t max = l < 128 ? (s + 255) * l / 255 : s + l - l * s / 255;
    const int32_t min = 2 * l - max;
    PlaceChannels(color, h, max, min);
}

void AdjustLumaChroma(uint8_t* bgr, int64_t lumaChange, int64_t chromaChange) {
    HueColor color = {bgr[2], bgr[1], bgr[0], 0, 0, 0};
    RgbToHcy(color);
    color.luma = ClampToByte(color.luma + lumaChange);
    color.chroma = ClampToByte(color.chroma + chromaChange);
    HcyToRgb(color);
    bgr[0] = static_cast<uint8_t>(color.blue);
    bgr[1] = static_cast<uint8_t>(color.green);
    bgr[2] = static_cast<uint8_t>(color.red);
}
