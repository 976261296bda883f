// ZoLow: colour reduction. Reduces a 24-bit picture to at most 256 colours on a grid of 16
// levels per channel, writes every pixel's palette index into an 8-bit colour-index map and
// counts each colour inside and outside the central area. It also merges its palette into fewer
// representatives and cleans any index map of the picture's size by a majority rule between
// opposite neighbours.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/low_color.h"
#include "imaging/dib.h"

// A cube of cells of the colour cube, as handed to ZoLow::Split.
struct LowCube {
    int weight;  // sum of the cell histogram over the cube
    int quota;   // palette entries the cube may get
    int red;     // lowest cell coordinates of the cube, 0..15
    int green;
    int blue;
};

class ZoLow {
public:
    static constexpr int kCells = 4096;  // 16 × 16 × 16
    static constexpr int kPaletteSize = 256;

    // Keeps both images (borrowed; the map must be 8 bits of the source's size) and the status
    // buffer, copies the first `count` entries of `table` when one is given, and copies "Low:"
    // into the status buffer. A missing or mismatched image appends "Invalid Dib.", a buffer
    // that cannot be had appends kNoMemory; the object is then not valid.
    ZoLow(TDib* source, TDib* colorIndexMap, const LowColor* table, int count, char* status);

    // Builds a palette of at most n colours (2..256) from the source, cells of side 16 << shift
    // levels. 1 on success; 0 when not valid, or with "Parameter." for n outside 2..256.
    int Init(int n, int shift);
    // Writes every pixel's palette index into the map and adds to each entry's pixel, central
    // and outside counts. Does nothing when not valid.
    void Map();
    // Chooses at most n representatives among the occurring palette colours, none closer than
    // `distance` to an earlier one, and maps every entry to its nearest representative. With a
    // table, colours are compared through it (table[channel]).
    void Merge(int n, int distance, const uint8_t* table);
    // `passes` passes of the majority rule over the colour-index map. 1, or 0 (map unchanged)
    // when not valid or the row buffer cannot be had.
    int Smooth(int passes);
    // The same, a pixel changing only where the mask (8 bits, the picture's size) is below
    // limit. A missing or mismatched mask appends "Invalid Dib." and gives 0.
    int SmoothMasked(int passes, const TDib* mask, int limit);

    // The cell histogram from about a/2 × a/2 samples of the source, weighted towards
    // the middle; returns the sum of its 4096 values (0 when not valid).
    virtual int Histogram(int a);
    // Shares the cube's quota among its eight sub-cubes by weight and recurses; cubes
    // of single cells become palette entries. Never grows the palette beyond 256 entries.
    virtual void Split(LowCube cube, int size);
    // For every cell the palette index nearest by cell coordinates (0 with no palette).
    virtual void BuildInverse();

    virtual ~ZoLow();
    ZoLow(const ZoLow&) = delete;
    ZoLow& operator=(const ZoLow&) = delete;

    // Like Map, with each pixel's colour first interpolated bilinearly between the source
    // pixels at the corners of its n × n block (n clamped to 1..the shorter side).
    void MapBlocks(int n);
    // Mean source red, green and blue of every class (classTable[index]) into three 256-byte
    // arrays, 0 for an empty class. 1, or 0 when not valid or an argument is missing.
    int ClassMeans(const uint8_t* classTable, uint8_t* red, uint8_t* green, uint8_t* blue);
    // Smooth and SmoothMasked with the four opposite-pair rules only.
    int SmoothPairs(int passes);
    int SmoothPairsMasked(int passes, const TDib* mask, int limit);
    // Each pixel of the map takes the most frequent index (the lowest on ties) of its
    // (2r + 1)² window clipped at the edges, all read from the map as it was before.
    int ModeFilter(int r);
    // The same with a radius per pixel of ((k × table[map value]) >> 8) + 1, at least 0.
    int ModeFilterByMap(int k, const uint8_t* table, const TDib* map);
    // Each pixel off the outermost rows and columns takes the median of itself and its four
    // direct neighbours, read from the map as it was before.
    int CrossMedian();

    bool IsValid() const { return valid_ != 0; }
    int ColorCount() const { return colorCount_; }
    const LowColor* Palette() const { return palette_; }
    int RepresentativeCount() const { return representativeCount_; }
    const uint8_t* MergeMap() const { return mergeMap_; }
    const uint8_t* CellHistogram() const { return cellHistogram_.get(); }
    const uint8_t* InverseMap() const { return inverseMap_.get(); }

private:
    void FillCellTables(int shift);
    int CellOf(const uint8_t* pixel) const {
        return redCells_[pixel[2]] + greenCells_[pixel[1]] + blueCells_[pixel[0]];
    }
    // The smoothing passes; the mask is null or fits the map.
    int SmoothWith(int passes, const TDib* mask, int limit, bool pairsOnly);
    // The same for the masked forms: not valid gives 0, a mask that does not fit "Invalid Dib.".
    int SmoothCheckingMask(int passes, const TDib* mask, int limit, bool pairsOnly);
    bool MaskFits(const TDib* mask) const;
    void AppendEntry(int red, int green, int blue);

    int valid_ = 0;
    int colorCount_ = 0;
    LowColor palette_[kPaletteSize] = {};
    int representativeCount_ = 0;
    uint8_t mergeMap_[kPaletteSize] = {};
    char* status_ = nullptr;
    TDib* source_ = nullptr;
    TDib* map_ = nullptr;
    std::unique_ptr<uint8_t[]> cellHistogram_;
    std::unique_ptr<uint8_t[]> inverseMap_;
    std::unique_ptr<int[]> redCells_;
    std::unique_ptr<int[]> greenCells_;
    std::unique_ptr<int[]> blueCells_;
    int width_ = 0;
    int height_ = 0;
};
