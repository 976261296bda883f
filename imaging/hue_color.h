// Integer colour conversions between red-green-blue and three hue-based forms. Everything here
// is integer-only and allocation-free because the conversions run once per pixel or per palette
// entry.
//
// The hue circle has 252 steps in six sectors of 42: 0 red, 42 yellow, 84 green, 126 cyan,
// 168 blue, 210 magenta. A grey still receives a hue from its brightness b:
// ((b >> 1) + 168) mod 252, so black is 168 and white 43.
#pragma once

#include <cstdint>

// One colour in red-green-blue and in a hue-based form. The meaning of the last two fields
// depends on the conversion pair that wrote them:
//   RgbToHcy / HcyToRgb: chroma = max - min of the channels, luma = weighted brightness;
//   RgbToHcl / HclToRgb: chroma = max - min, luma = lightness (mid-range of the channels);
//   RgbToHsl / HslToRgb: chroma = saturation, luma = lightness.
// The field names stay `chroma` and `luma` for all three so that one record serves them all.
struct HueColor {
    int32_t red;     // 0..255
    int32_t green;   // 0..255
    int32_t blue;    // 0..255
    int32_t hue;     // 0..251
    int32_t chroma;  // chroma or saturation, 0..255
    int32_t luma;    // luma or lightness, 0..255
};

// Reads red, green, blue; writes hue, chroma, luma (luma weights 77, 151, 28 over 256).
void RgbToHcy(HueColor& color);

// Reads hue, chroma, luma; writes red, green, blue clamped to 0..255. Returns 1 when no channel
// had to be clamped, else 0. A hue outside 0..251 whose sector is not 0..5 gives black.
int HcyToRgb(HueColor& color);

// Reads red, green, blue; writes hue, chroma and the lightness (in `luma`).
void RgbToHcl(HueColor& color);

// Reads hue, chroma, lightness (in `luma`); writes red, green, blue. Returns 1 when the chroma
// fitted the lightness, 0 when it had to be reduced. A sector outside 0..5 leaves the channels.
int HclToRgb(HueColor& color);

// Reads red, green, blue; writes hue, the saturation (in `chroma`) and the lightness (in
// `luma`); returns the lightness. A grey gets saturation 128.
int RgbToHsl(HueColor& color);

// Reads hue, saturation (in `chroma`), lightness (in `luma`); writes red, green, blue. A sector
// outside 0..5 leaves the channels unchanged.
void HslToRgb(HueColor& color);

// The pixel at `bgr` (blue, green, red bytes) with `lumaChange` and `chromaChange` added to its
// luma and chroma through RgbToHcy and HcyToRgb, each kept within 0..255. The round trip is
// made even for changes of 0, so a caller that means "unchanged" skips the call.
void AdjustLumaChroma(uint8_t* bgr, int64_t lumaChange, int64_t chromaChange);
