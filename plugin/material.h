// The loaded ground: one MaterialInfo per plug-in, filled from a "MAT" resource of the ground
// list (string 121) and its height map resampled to the output resolution. Every holder of the
// reference sees a new load at once.
#pragma once

#include "engine/material_info.h"
#include "plugin/filter_settings.h"

// Bytes of a ground resource: the 80-byte header and the 64 × 64 height map.
constexpr int kMaterialResourceSize = 4176;
constexpr int kMaterialMapSide = 64;

// Loads ground groundIndex (limited to 0..9) for output resolution dpi: texture side
// clamp(dpi, 100, 400) × 64 / 100, or 0 for a plain ground. When the resource is missing or
// memory short, the side is 0 and the other values stay those of the last load. In every
// case the record's ground reference is set to the one MaterialInfo.
void LoadMaterial(int groundIndex, int dpi, FilterSettings* settings);

// Frees the texture; the side becomes 0 until the next load.
void FreeMaterial();

// The one MaterialInfo. Before any load it holds the plain white ground of PAPER1.
const MaterialInfo& CurrentMaterial();
