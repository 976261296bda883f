// The loaded ground of a filter call: a MaterialInfo filled from a "MAT" resource of the ground
// list and its height map resampled to the output resolution. Every holder of the reference
// sees a new load at once.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/material_info.h"
#include "plugin/filter_settings.h"

// Bytes of a ground resource: the 80-byte header and the 64 × 64 height map.
constexpr int kMaterialResourceSize = 4176;
constexpr int kMaterialMapSide = 64;

// The ground the engines read (`info`) and the texture its pointer refers to. Until a ground
// loads it is the plain white ground of PAPER1, so that a failed first load paints on white.
struct Ground {
    Ground();
    Ground(const Ground&) = delete;
    Ground& operator=(const Ground&) = delete;

    MaterialInfo info;
    std::unique_ptr<uint8_t[]> texture;  // info.texture, owned
};

// Loads the ground of line GroundLine(groundIndex) of the plug-in's ground list for output
// resolution dpi: texture side clamp(dpi, 100, 400) × 64 / 100, or 0 for a plain ground. When
// the resource is missing or memory short, the side is 0 and the other values stay those of
// the last load. In every case the record's ground reference is set to `ground.info`.
void LoadMaterial(Ground& ground, int groundIndex, int dpi, FilterSettings* settings);

// Frees the texture; the side becomes 0 until the next load.
void FreeMaterial(Ground& ground);
