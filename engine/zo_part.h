// ZoPart: region segmentation. Groups the palette colours of the reduced picture into parts,
// band by band of the focus map, so that the colour-index map becomes a part map; floods every
// connected piece to paint and measure it; ranks parts by focus, draws outlines between parts,
// merges pieces into their most similar neighbour and brings the canvas back into the source.
// Base class of the styles' mass and collage painters, which override FillPart.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/expert_base.h"
#include "imaging/dib.h"

class ZoPart {
public:
    static constexpr int kMaxBands = 8;
    static constexpr int kMaxParts = 126;
    static constexpr int kStackLimit = 2000;  // stacked seeds per fill
    static constexpr int kSpanLimit = 5000;   // recorded spans per fill
    static constexpr uint8_t kVisited = 128;  // bit 7 of a label while a pass runs
    static constexpr uint8_t kOutline = 255;  // label of outline pixels

    // Copies "Part:" into the status buffer and borrows the context's images, palette and
    // colour count. The object is valid when the four images fit the context's size (24-bit
    // source and canvas, 8-bit focus and label maps) and the fill arrays were obtained; an
    // invalid object does nothing.
    explicit ZoPart(const EngineContext& context);
    virtual ~ZoPart();
    ZoPart(const ZoPart&) = delete;
    ZoPart& operator=(const ZoPart&) = delete;

    bool IsValid() const { return valid_ != 0; }

    // Turns the colour-index map into a part map: colours are merged per focus band (band b
    // holds the focus values below limits[b]; limits rise and the last is 256) into
    // mergeCounts[b] representatives, each band's representatives become parts, every pixel
    // takes the part of its colour in its band, and bands with passes[b] > 0 are cleaned.
    // With requantise the picture is first reduced to a fresh 64-colour palette. The engine's
    // colour count becomes the number of parts. 0 for more than 8 bands (silently), with
    // "create Low" when the reducer cannot be made, or with "over clors" for more than 126
    // parts (map left with colour indices); else 1.
    int Segment(int bandCount, const int limits[], const int mergeCounts[], const int passes[],
                int requantise);
    // Per-label mean focus, and the background part: the least focused part of at least the
    // mean part size (the lowest label on ties).
    void RankByFocus();
    // Floods every piece once, painting it through FillPart, and leaves per-label mean colours
    // and pixel counts. Outline pixels (label 255) are neither flooded nor counted. Always 1.
    int MeasureParts();
    // Black outlines of label 255 along part borders: width + 1 growing steps where
    // table[focus] × width / 255 allows, each candidate pixel taken with chance percent %
    // (clamped to 0..100, one random draw per candidate). Nothing for width or percent <= 0.
    // The canvas's blue and green bytes are used as work planes; the caller repaints it.
    void Outline(int width, int percent, const uint8_t* table);
    // One pass merging pieces into the neighbour of lowest cost (below 60). Must follow
    // MeasureParts and must not follow Outline. 1 when a piece was merged, else 0.
    int MergeSmallParts(const uint8_t* focusTable, const uint8_t* lumaTable,
                        const uint8_t* chromaTable);
    // The canvas through the luma and chroma tables into the source; the canvas is unchanged.
    void RemapLumaChroma(const uint8_t* lumaTable, const uint8_t* chromaTable);
    // Copies the canvas pixels over the source.
    void CopyCanvasToSource();

    // The fills behind MeasureParts and MergeSmallParts; (x, y) must lie inside the picture.
    void FloodPart(int x, int y);
    int PushSpans(int left, int right, int y, int label);
    void TryMergePart(int x, int y);
    int PushSpansWithStats(int left, int right, int y, int direction, int label);
    void RelabelPart(int label);

    // Called by FloodPart once per piece after it was flooded (or cut at a limit):
    // paints the recorded spans on the canvas. At the call every span pixel carries the
    // piece's label with bit 7 set and the piece statistics hold its source sums and pixel
    // count (at least 1). An override must not change the label map, the spans or the piece
    // statistics. The base paints the piece's mean source colour.
    virtual void FillPart();

    // Results of the passes, per label 0..255.
    int BackgroundPart() const { return backgroundPart_; }
    int OutlineWidth() const { return outlineWidth_; }
    int MeanRed(int label) const { return meanRed_[label]; }
    int MeanGreen(int label) const { return meanGreen_[label]; }
    int MeanBlue(int label) const { return meanBlue_[label]; }
    int PixelCount(int label) const { return pixelCount_[label]; }
    int MeanFocus(int label) const { return meanFocus_[label]; }

protected:
    // The recorded spans of the piece being filled: columns SpanLeft..SpanRight of SpanRow.
    int SpanCount() const { return spanCount_; }
    int SpanLeft(int i) const { return spanLeft_[i]; }
    int SpanRight(int i) const { return spanRight_[i]; }
    int SpanRow(int i) const { return spanRow_[i]; }
    // Source sums and pixel count of the piece being filled.
    int64_t PieceRed() const { return pieceRed_; }
    int64_t PieceGreen() const { return pieceGreen_; }
    int64_t PieceBlue() const { return pieceBlue_; }
    int64_t PieceCount() const { return pieceCount_; }

    char* Status() const { return status_; }
    TDib* Source() const { return source_; }
    TDib* Canvas() const { return canvas_; }
    TDib* FocusMap() const { return focusMap_; }
    TDib* LabelMap() const { return labelMap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    // Neighbour statistics gathered while TryMergePart floods a piece.
    struct Neighbour {
        int64_t canvas[3];   // blue, green, red sums of the border pixels on the canvas
        int64_t squares;     // sum of their squared canvas channels
        int64_t outside[3];  // source sums of the border pixels
        int64_t inside[3];   // source sums of the piece's pixels next to them
        int highestFocus;
        int64_t count;
    };

    // The fill loop shared by FloodPart and TryMergePart; with kStats the border pixels of the
    // span walks and neighbouring rows go into the neighbour statistics.
    template <bool kStats>
    void Flood(int x, int y);
    // A border pixel of neighbour m: its canvas and source pixels, the source pixel of the piece
    // next to it, and its focus.
    void AddBorderPixel(int m, const uint8_t* paint, const uint8_t* outside,
                        const uint8_t* inside, int focus);
    // Clears the statistics of the neighbours the last piece touched; the others are zero.
    void ClearNeighbours();
    void PushSeed(int x, int y);
    void ClearVisitedMarks(bool keepOutline);

    int valid_ = 0;
    char* status_ = nullptr;
    TDib* source_ = nullptr;
    TDib* canvas_ = nullptr;
    TDib* focusMap_ = nullptr;
    TDib* labelMap_ = nullptr;
    LowColor* palette_ = nullptr;
    int* colorCount_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int outlineWidth_ = 0;
    int backgroundPart_ = 255;

    int64_t labelSum_[256][3] = {};  // blue, green, red sums while MeasureParts runs
    int64_t labelCount_[256] = {};
    int meanRed_[256] = {};
    int meanGreen_[256] = {};
    int meanBlue_[256] = {};
    int pixelCount_[256] = {};
    int meanFocus_[256] = {};

    int64_t pieceRed_ = 0;
    int64_t pieceGreen_ = 0;
    int64_t pieceBlue_ = 0;
    int64_t pieceCount_ = 0;

    int stackCount_ = 0;
    std::unique_ptr<int32_t[]> stackX_;
    std::unique_ptr<int32_t[]> stackY_;
    int spanCount_ = 0;
    std::unique_ptr<int32_t[]> spanLeft_;
    std::unique_ptr<int32_t[]> spanRight_;
    std::unique_ptr<int32_t[]> spanRow_;

    int mergeFlag_ = 0;
    const uint8_t* focusCost_ = nullptr;
    const uint8_t* lumaCost_ = nullptr;
    const uint8_t* chromaCost_ = nullptr;
    Neighbour neighbours_[128] = {};
    // The labels whose statistics the piece being examined has touched, in the order met.
    uint8_t touched_[128] = {};
    int touchedCount_ = 0;
    int64_t borderCount_ = 0;
};
