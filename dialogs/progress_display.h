// The progress display of the final painting: after phase i of n the progress study is shown
// in 2^level × 2^level blocks of its mean colours (level = i × 8 / n), lit by the ground's
// relief, on the canvas pixels of the progress picture only.
#pragma once

#include "engine/material_info.h"
#include "imaging/dib.h"

namespace progress {

constexpr int kMaxLevel = 8;

// i × 8 / n, or 0 when n is below 1.
int Level(int phase, int phases);

// Remembers the last level shown, so the display is redrawn only when the level changes.
class LevelTracker {
public:
    // The level to draw after phase i of n, or -1 when it is the one already shown. Phase 0
    // forgets the remembered level, so a new painting always draws its first level.
    int Next(int phase, int phases);

private:
    int remembered_ = -1;
};

// Paints the study's block means at `level` into the canvas pixels (lowest blue bit 0) of the
// preview, with the study's lower-left corner at (originX, originY) in storage coordinates:
// each pixel's luma raised by (ground pixel − middle height), its blue bit kept 0.
void PaintBlocks(const TDib& study, int originX, int originY, const TDib& groundImage,
                 const MaterialInfo& ground, int level, TDib* previewImage);

}  // namespace progress
