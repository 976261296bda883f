// The ground dialog's sample: a patch of the loaded ground as the final painting will show it,
// its height map displaced by two noise fields and tinted with the ground's colour.
#pragma once

#include "engine/material_info.h"
#include "imaging/dib.h"

namespace ground_sample {

constexpr int kWidth = 150;
constexpr int kHeight = 160;

// Paints the 24-bit `sample` (any size; the dialog's is kWidth × kHeight). Both noise fields
// are generated first (2 × 6829 draws), then, with a texture, one sample of each per pixel, the
// first field's before the second's; each channel is colour × (height + 1) / 256. Without a
// texture the sample is white. The generator is not seeded: the same ground again shows new
// noise. False, with the sample white, when a noise field or the height image cannot be made.
bool Paint(const MaterialInfo& ground, TDib* sample);

}  // namespace ground_sample
