// One entry of the reduced palette: a colour on the 16-level grid, its hue-chroma-luma form,
// the cell it stands for and how often it occurs.
#pragma once

#include <cstdint>

struct LowColor {
    uint8_t red, green, blue;     // 17 × cell coordinate
    uint8_t hue, chroma, luma;    // RgbToHcy of the colour
    uint8_t cellRed, cellGreen, cellBlue;  // 0..15
    uint32_t pixelCount;          // pixels mapped to this entry
    uint32_t centralCount;        // of those, inside the central area
    uint32_t outsideCount;        // of those, outside it
};
static_assert(sizeof(LowColor) == 24, "palette entries are 24 bytes");
