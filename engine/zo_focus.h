// ZoFocus: builds the engine's focus map, an 8-bit image of the picture's size whose value says
// how much a pixel belongs to the subject (high) rather than the background (low). Background-ness
// flows inward from the picture's edge through the flat regions of the colour-index map, weakened
// at every colour change; the levels are then spread over start..end, shaped by a curve, raised
// inside the user's regions of interest and blurred.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/ellipse_region.h"
#include "engine/low_color.h"
#include "imaging/dib.h"

class ZoFocus {
public:
    static constexpr int kMaxColors = 64;
    static constexpr int kStackLimit = 2000;  // stacked seeds per fill
    static constexpr int kSpanLimit = 5000;   // recorded spans per fill
    // Focus-map values while Compute runs.
    static constexpr uint8_t kUnassigned = 255;
    static constexpr uint8_t kFilling = 254;
    static constexpr uint8_t kBorder = 253;

    // Borrows both 8-bit maps (same size) and the status buffer, copies the 256-entry palette
    // and copies "Focus:" into the status buffer. A missing image or table appends
    // "Invalid Dib.", a size mismatch or more than 64 colours "Missmatch Dib."; the object is
    // then not valid and every operation returns 0.
    ZoFocus(TDib* focusMap, TDib* colorIndexMap, const LowColor* table, int count, char* status);
    virtual ~ZoFocus();
    ZoFocus(const ZoFocus&) = delete;
    ZoFocus& operator=(const ZoFocus&) = delete;

    // Builds the focus map with values start..end (0 <= start <= end <= 255), each
    // value passed through `table` when one is given. 1 on success; 0 when not valid, with
    // "Parameter." for a bad start or end, with kNoMemory when the work arrays cannot
    // be had (map untouched in both cases), or when start = end leaves nothing to spread.
    // A region too complex for the fill arrays replaces the status text with the warning
    // "警告：この画像は複雑すぎます。" and is levelled in pieces; that is not a failure.
    virtual int Compute(int start, int end, const uint8_t* table);
    // Raises the map inside each of `count` regions, never above limit (nor 255).
    // Regions shorter than 1 pixel or with no positive ratio are skipped. 1, or 0 when not
    // valid or, with "Parameter.", when count > 0 and there is no array.
    virtual int AddRegions(const EllipseRegion* regions, int count, int limit);
    // `passes` passes of the 8-neighbour mean (edges repeated). 1, or 0 when not valid
    // or, with kNoMemory, when its row buffer cannot be had.
    virtual int Blur(int passes);
    // Fills the region of colour index(x, y) that contains (x, y) and gives it a level.
    // Works only inside Compute (it needs the fill arrays); elsewhere it does nothing.
    virtual void FillRegion(int x, int y);
    // Examines row y of the current span for seeds and levelled neighbours; 0 when the
    // fill must stop (stack full, or outside Compute).
    virtual int ScanRow(int left, int right, int y, uint8_t colour);
    // Writes the current region's level into its recorded spans.
    virtual void PaintRegion();

    bool IsValid() const { return valid_ != 0; }
    int LowestLevel() const { return lowestLevel_; }
    int ColorCount() const { return colorCount_; }
    const LowColor* Palette() const { return palette_; }
    const int* LevelHistogram() const { return levelHistogram_; }
    const int* ColorWeights() const { return colorWeights_; }
    // Distance between palette colours i and j: the matrix entry for indices below the colour
    // count; for other indices 0 when equal, else 255 (unknown colours weaken the most).
    int Distance(int i, int j) const {
        if (i >= 0 && j >= 0 && i < colorCount_ && j < colorCount_ && i < kMaxColors &&
            j < kMaxColors) {
            return distance_[i][j];
        }
        return i == j ? 0 : 255;
    }

protected:
    // State of the region being filled, shared by the fill operations.
    int RegionLevel() const { return level_; }
    int RegionWeight() const { return weight_; }
    int StackCount() const { return stackCount_; }
    int SpanCount() const { return spanCount_; }
    // Recorded span i (0 <= i < SpanCount()): columns left..right of row.
    int SpanLeft(int i) const { return spanLeft_[i]; }
    int SpanRight(int i) const { return spanRight_[i]; }
    int SpanRow(int i) const { return spanRow_[i]; }

private:
    // The level a border pixel (index a, focus f) offers the current region of colour c.
    void OfferLevel(int c, int a, int f);
    bool AllocateFillArrays();
    void FreeFillArrays();

    int valid_ = 0;
    int lowestLevel_ = 255;
    char* status_ = nullptr;
    TDib* colorIndexMap_ = nullptr;
    TDib* focusMap_ = nullptr;
    LowColor palette_[256] = {};
    uint8_t distance_[kMaxColors][kMaxColors] = {};
    int colorCount_ = 0;
    int colorWeights_[256] = {};
    int width_ = 0;
    int height_ = 0;
    int levelHistogram_[256] = {};

    // Region fill state; the arrays exist only while Compute runs.
    int stackCount_ = 0;
    std::unique_ptr<int[]> stackX_;
    std::unique_ptr<int[]> stackY_;
    int spanCount_ = 0;
    std::unique_ptr<int[]> spanLeft_;
    std::unique_ptr<int[]> spanRight_;
    std::unique_ptr<int[]> spanRow_;
    int level_ = 0;
    int weight_ = 0;
};
