// TEVU's part phases: the picture cut into parts by focus bands with small pieces merged into
// their most similar neighbours, then the part map cleaned, outlined in black and filled flat,
// its light and chroma shifted by the colour level, into the source.
#include <cstring>

#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/picture_length.h"
#include "engine/zo_low.h"
#include "styles/tevu/curve_rows.h"
#include "styles/tevu/expert.h"

namespace tevu {

namespace {

// Four focus bands of 30 colours each: at most 120 parts, below the part map's limit.
constexpr int kBands = 4;
constexpr int kBandLimits[kBands] = {64, 128, 192, 256};
constexpr int kBandColours[kBands] = {30, 30, 30, 30};
constexpr int kBandPasses[kBands] = {1, 1, 1, 1};

// The merge cost by focus rises from low × 255 out of focus to high × 255 in focus: pieces in
// focus are harder to merge, the more so at a low touch level.
struct FocusCost {
    double low;
    double high;
};
constexpr FocusCost kFocusCostByTouch[3] = {{0.35, 0.45}, {0.25, 0.35}, {0.15, 0.35}};

// The cleaning passes of the part map and the outline factor, by touch level.
constexpr int kCleaningPasses[3] = {1, 2, 3};
constexpr double kOutlineFactor[3] = {0.001, 0.0015, 0.002};
constexpr int kMinOutline = 1;
constexpr int kMaxOutline = 20;
// The second cleaning reaches only what is less in focus than this.
constexpr int kCleanFocusLimit = 192;
// Every candidate pixel of the outline's growth is taken.
constexpr int kOutlineChance = 100;

// The flat pieces' luma and chroma by colour level: a slight lift, unchanged, or an S-curve
// with doubled chroma.
struct Correction {
    double light[4];
    double chroma[4];
};
constexpr Correction kCorrectionByColour[3] = {
    {{0.01, 0, 0, 1.1}, {0, 0, 0, 1.0}},
    {{0, 0, 0, 1.0}, {0, 0, 0, 1.0}},
    {{0.02, 0.5, 0, 1.0}, {0, 0, 0, 2.0}},
};

}  // namespace

int OutlineWidth(int diagonal, int dpi, int touchLevel) {
    return PictureLength(diagonal, dpi, ForLevel(kOutlineFactor, touchLevel), kMinOutline,
                         kMaxOutline);
}

int MergeUntilSettled(ZoPart& part, const uint8_t* focusCost, const uint8_t* lumaCost,
                      const uint8_t* chromaCost, int maxPasses) {
    int passes = 0;
    while (passes < maxPasses) {
        ++passes;
        // Each round judges the pieces by the mean colours that the measuring paints.
        part.MeasureParts();
        if (part.MergeSmallParts(focusCost, lumaCost, chromaCost) == 0) break;
    }
    return passes;
}

int Expert::MergeParts() {
    // A part object from an earlier try borrows a part map that is about to be made afresh.
    part_.reset();
    mergePasses_ = 0;
    if (!CurvesOrReport({mergeFocus.get(), darkWeight.get(), vividWeight.get()})) return 0;
    part_ = MakeValidOrReport<ZoPart>(status, texts::kInitPartNoMemory, context);
    if (!part_) return 0;
    // A segmentation that fails leaves the map as it is, and the merging works on that.
    part_->Segment(kBands, kBandLimits, kBandColours, kBandPasses, 1);
    const FocusCost& cost = ForLevel(kFocusCostByTouch, touchLevel);
    const uint8_t* focusCost = KeepSigmoidCurve(*mergeFocus, "Merge Wight / Focus",
                                                {0.02, 1.0, cost.low, cost.high}, &kWeightRows);
    // Dark pieces do not merge, vivid ones merge less.
    const uint8_t* lumaCost =
        KeepSigmoidCurve(*darkWeight, "Dark Wight", {0.1, 0.1, 1.0, 0}, &kCostRows);
    const uint8_t* chromaCost =
        KeepSigmoidCurve(*vividWeight, "Vivid Wight", {0.04, 0.8, 0, 1.0}, &kCostRows);
    mergePasses_ = MergeUntilSettled(*part_, focusCost, lumaCost, chromaCost, kMaxMergePasses);
    return 1;
}

int Expert::FlattenParts() {
    if (!part_) return 0;
    if (!CurvesOrReport({secondLight.get(), secondChroma.get()})) return 0;
    auto low = MakeValidOrReport<ZoLow>(status, texts::kNoMemory, source, colorIndexMap.get(),
                                        nullptr, 0, status);
    if (!low) return 0;
    // A touch level outside 0..2 cleans nothing and outlines as level 1, with one beep.
    const bool touchInRange = touchLevel >= 0 && touchLevel <= 2;
    const int touch = CheckedLevel(touchLevel);
    if (touchInRange) {
        // Areas out of focus are cleaned twice as often.
        low->Smooth(kCleaningPasses[touch]);
        low->SmoothMasked(kCleaningPasses[touch], focusMap.get(), kCleanFocusLimit);
    }
    low.reset();

    // Every focus value allows the full width, so the outline grows evenly.
    uint8_t fullWidth[256];
    std::memset(fullWidth, 255, sizeof fullWidth);
    part_->Outline(OutlineWidth(diagonal, dpi, touch), kOutlineChance, fullWidth);
    // Every piece but the outline painted flat with its mean colour; the outline stays black.
    part_->MeasureParts();

    const Correction& correction = ForLevel(kCorrectionByColour, colorLevel);
    const uint8_t* light =
        KeepSigmoidCurve(*secondLight, "Light correction", correction.light, &kCorrectionRows);
    const uint8_t* chroma =
        KeepSigmoidCurve(*secondChroma, "Croma correction", correction.chroma, &kCorrectionRows);
    part_->RemapLumaChroma(light, chroma);
    return 1;
}

}  // namespace tevu
