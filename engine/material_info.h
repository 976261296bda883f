// The loaded ground: texture side (0 for a plain ground), ground colour, heights, strength,
// noise scale, displacement shift and the square height map resampled to the output resolution.
#pragma once

#include <cstdint>

struct MaterialInfo {
    int textureSide;   // N of the N × N texture, 64..256; 0 when the ground has no relief
    int red, green, blue;
    int minimum, middle, maximum;
    int strength;      // percent
    int noiseScale;    // percent, roughness of the displacement noise
    int shift;         // right shift of the displacement; larger is weaker
    uint8_t* texture;  // N × N bytes, row by row
};
