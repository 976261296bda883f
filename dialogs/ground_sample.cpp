// The ground sample: the preview's displaced heights, tinted.
#include "dialogs/ground_sample.h"

#include <cstring>

#include "dialogs/preview_picture.h"

namespace ground_sample {

namespace {

void FillWhite(TDib* sample) {
    for (int y = 0; y < sample->Height(); ++y)
        std::memset(sample->Row(y), 255, 3 * static_cast<size_t>(sample->Width()));
}

// A channel scaled by a height + 1 in 1..256; a negative colour's product divides toward zero.
uint8_t Tint(int color, int weight) { return static_cast<uint8_t>(color * weight / 256); }

}  // namespace

bool Paint(const MaterialInfo& ground, TDib* sample) {
    FillWhite(sample);
    // The heights come from the preview's ground builder, which draws the same noise in the same
    // order; only the tint differs.
    std::unique_ptr<TDib> heights = TDib::Create8(sample->Width(), sample->Height());
    if (!heights || !preview::BuildGround(ground, heights.get())) return false;
    if (ground.textureSide <= 0 || ground.texture == nullptr) return true;
    for (int y = 0; y < sample->Height(); ++y) {
        const uint8_t* height = heights->Row(y);
        uint8_t* out = sample->Row(y);
        for (int x = 0; x < sample->Width(); ++x, out += 3) {
            const int weight = height[x] + 1;
            out[0] = Tint(ground.blue, weight);
            out[1] = Tint(ground.green, weight);
            out[2] = Tint(ground.red, weight);
        }
    }
    return true;
}

}  // namespace ground_sample
