// ZoStroke: the brush-stroke painter. Loads a brush bitmap (red = coverage, green = relief
// around 128) scaled to the output resolution into slices of (coverage, relief) pairs, then
// lays stroke passes over a jittered grid: each stroke takes the mean colour of the pixels under
// it, is accepted by focus, brightness and colour variance, and is blended onto the canvas with
// the brush's relief. Finishing operations bring detail back from the source.
#pragma once

#include <cstdint>
#include <memory>

#include "imaging/dib.h"
#include "platform/platform.h"

// Every setting of a stroke pass, as the setters leave it.
struct StrokeSettings {
    int sampleFromSource;       // 1: stroke colours from the source, 0: from the canvas
    uint32_t densityThreshold;  // a cell gets a stroke when the next state is at most this
    int stepX, stepY;           // grid spacing in pixels
    int jitterX, jitterY;       // displacement range of a stroke's centre
    int focusLow, focusHigh;    // focus window of the pixels under a stroke, inclusive
    int brightnessLow, brightnessHigh;  // window of R + G + B + dither of the mean colour
    int colorJitter;            // random per-channel change of a stroke's colour
    int cellHueStep;            // hue added (class 0) or subtracted (class 3)
    int spareCellValue;         // kept, without effect
    int lightUpStep;            // luma added in class 1
    int lightDownStep;          // luma subtracted in class 2
    int hueShift, chromaShift, lightShift;  // offsets while any cell step is above 0
    uint32_t maxVariance[256];  // per focus value: variance must stay below this
    uint32_t minVariance[256];  // per focus value: variance must reach this
};

class ZoStroke {
public:
    // The stroke grid's dither of the brightness test, [grid row % 4][grid column % 4].
    static const int kDither[4][4];

    // Copies "Stroke:" over the status text and borrows the four images. Valid when the
    // source has 24 bits, the canvas 24 bits and the source's size, and the focus and label
    // maps 8 bits and that size; the defaults are then set. An invalid object adds no text and
    // does nothing.
    ZoStroke(TDib* source, TDib* canvas, TDib* focusMap, TDib* labelMap, char* status);
    ~ZoStroke();
    ZoStroke(const ZoStroke&) = delete;
    ZoStroke& operator=(const ZoStroke&) = delete;

    bool IsValid() const { return valid_ != 0; }

    // Replaces the brush by bitmap resource `name` of the module, scaled by `scale` (each
    // side at least 2), its coverage times coverageFactor / 2 (pairs of coverage 12 or less
    // dropped) and its relief around 128 times reliefFactor, both held to 0..255 (never
    // wrapped), stored in a pair buffer of
    // bufferSize bytes. 1 on success (also for a brush with no pair left), else 0 with
    // "Load Brush." (no such bitmap), "Bad Brush." (not 24 bits, a side below 2 pixels, or a
    // scale that is not positive or too large), kNoMemory, or "Out Of Brush Buffer" (the
    // pairs need bufferSize - 2 bytes or more) appended; the brush is then freed. Settings
    // are kept, the bend table cleared.
    int LoadBrush(platform::ModuleHandle module, const char* name, int bufferSize,
                  double coverageFactor, double scale, double reliefFactor);
    // The same from a bitmap at hand (null counts as "Load Brush.").
    int LoadBrushFromBitmap(const TDib* bitmap, int bufferSize, double coverageFactor,
                            double scale, double reliefFactor);
    // Drops the brush (pairs, slices, bend table, extents); the settings stay.
    void FreeBrush();

    // The defaults: from the source, every cell, step 10 × 10, no jitter, focus 0..255,
    // brightness -382..1148, no colour changes, variance 0 .. below 1200.
    void SetDefaults();
    void SetSampleSource(int on);
    // threshold = trunc(p × 4294967295.0) taken modulo 2^32 (p = 1.0 gives every cell).
    void SetDensity(double p);
    // step = trunc(extent × factor), at least 1. Uses the loaded brush's extent.
    void SetSpacing(double fx, double fy);
    // jitter = trunc(step × factor).
    void SetJitter(double fx, double fy);
    void SetFocusRange(int low, int high);
    // Levels 0..255 of the brightness window: 6 × level - 382 in the channel sum.
    void SetBrightnessRange(int low, int high);
    // variance limit[f] = 3 × table[f]² (the table is a per-channel standard deviation).
    void SetMaxVariance(const uint8_t* table);
    void SetMinVariance(const uint8_t* table);
    // Fills the bend table: three runs of sines over the slices at full, half and a quarter
    // of amplitude × the extent along the slices, sweeping a quarter, a half and the whole
    // of phase × 6.28.
    void SetBend(double amplitude, double phase);
    void SetColorJitter(int amount);
    void SetCellShift(int hueStep, int spare, int upStep, int downStep);
    void SetColorShift(int hue, int chroma, int light);

    // One stroke pass over the whole picture onto the canvas. 0 when not valid or without a
    // brush, else 1.
    int Paint();
    // The same pass sampling and painting only pixels whose label is `label`, so that every
    // stroke stays inside its part. Footprints outside the label's bounding box are not
    // sampled, but their cells make their draws all the same.
    int PaintColor(int label);

    // Pulls the canvas toward the source at strong edges (weight[edge strength], the source
    // through `colour` when given) and holds the rest within clean[focus] of the source, on
    // every pixel off the outermost rows and columns; then copies the canvas over the source.
    // Nothing happens when not valid or a required table is missing.
    void DetailClean(const uint8_t* edge, const uint8_t* weight, const uint8_t* colour,
                     const uint8_t* clean);
    // DetailClean without the clean-up of the non-edge pixels.
    void DetailRestore(const uint8_t* edge, const uint8_t* weight, const uint8_t* colour);
    // Every canvas pixel becomes (blue, green, red) = (blue, green, red).
    void Fill(int red, int green, int blue);
    void CopyCanvasToSource();
    void CopySourceToCanvas();
    // Each interior canvas pixel becomes (itself + the mean of its eight neighbours) / 2,
    // in place row by row, so that its earlier neighbours are already softened.
    void SoftenCanvas();
    // The canvas becomes the source blended toward the colour by table[i] / 2 (in 1/128),
    // i rising from 0 in the centre to 255 at the corners along a superellipse of power 5.
    void Vignette(int red, int green, int blue, const uint8_t* table);

    // The loaded brush.
    int BrushPixels() const { return brushPixels_; }
    int BytesUsed() const { return bytesUsed_; }
    int BufferSize() const { return bufferSize_; }
    int ExtentX() const { return extentX_; }
    int ExtentY() const { return extentY_; }
    int CentreX() const { return centreX_; }
    int CentreY() const { return centreY_; }
    int SliceCount() const { return sliceCount_; }
    int SliceOffset() const { return sliceOffset_; }
    int RowsFlag() const { return rowsFlag_; }
    int BendSize() const { return bendSize_; }
    // Gaps inside the covered runs of the loaded brush's slices; the pairs of a slice are laid
    // out contiguously, so a gap closes up in the painted stroke. None of the shipped brushes
    // has one.
    int SliceGaps() const { return sliceGaps_; }
    int SliceStart(int i) const { return sliceStart_[i]; }
    int SliceLength(int i) const { return sliceLength_[i]; }
    int Bend(int i) const { return bend_[i]; }
    const uint8_t* Pairs() const { return pairs_.get(); }
    const StrokeSettings& Settings() const { return settings_; }

private:
    // A pixel of the label under the stroke being painted: its byte offset in the 24-bit
    // images and the index of its pair.
    struct MatchedPixel {
        uint32_t at24;
        uint32_t pair;
    };

    template <bool kLabel>
    void StrokePassFor(int label);
    template <bool kLabel, bool kRows, bool kOvershoot>
    void StrokePass(int label);
    // The stroke colour's shift by the cell class of grid row and column.
    void ShiftColour(int row, int column, int& red, int& green, int& blue) const;
    // The label's bounding box; false when no pixel carries it.
    bool LabelBox(int label, int& x0, int& y0, int& x1, int& y1) const;
    void EdgeRestore(const uint8_t* edge, const uint8_t* weight, const uint8_t* colour,
                     const uint8_t* clean);

    int valid_ = 0;
    int brushPixels_ = 0;
    int bytesUsed_ = 0;
    int bufferSize_ = 0;
    char* status_ = nullptr;
    TDib* source_ = nullptr;
    TDib* canvas_ = nullptr;
    TDib* focusMap_ = nullptr;
    TDib* labelMap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int rowBytes24_ = 0;
    int rowBytes8_ = 0;
    int extentX_ = 0;
    int extentY_ = 0;
    int centreX_ = 0;
    int centreY_ = 0;
    int bendSize_ = 0;
    int sliceGaps_ = 0;
    int sliceCount_ = 0;
    int sliceOffset_ = 0;
    int rowsFlag_ = 0;
    std::unique_ptr<int32_t[]> sliceStart_;
    std::unique_ptr<int32_t[]> sliceLength_;
    std::unique_ptr<int32_t[]> sliceFirstPair_;  // index of each slice's first pair
    std::unique_ptr<uint8_t[]> pairs_;
    std::unique_ptr<int32_t[]> bend_;
    std::unique_ptr<MatchedPixel[]> matched_;  // brush pixels entries, for PaintColor
    int coverageMax_ = 0;
    StrokeSettings settings_ = {};
};
