// ZoCluster: the engine's small neighbourhood filters on two 24-bit images of one size (the
// source picture and the canvas). Most filters read one image and write the other, chosen by a
// direction argument, so that a phase runs a chain back and forth without allocating; the
// in-place filters and Denoise work on one image, reading it through a window of three row
// copies made for the pass. Owns no buffers; every pass is integer-only.
//
// Direction: non-zero reads the first image and writes the second, 0 the reverse.
// Which image (in-place filters): non-zero the first, 0 the second. An in-place filter whose
// three row copies cannot be had appends kNoMemory and leaves the image as it was (result 0).
// An interior pixel has 1 <= x <= width - 2 and 1 <= y <= height - 2; the rest is the border.
// The neighbour mean m of a channel is the sum over the eight neighbours >> 3.
// Pictures narrower or lower than a filter's window are handled: the pixels it cannot compute
// are copied, and nothing is read or written outside the images.
#pragma once

#include <cstdint>

#include "imaging/dib.h"

class ZoCluster {
public:
    // Copies "Cluster:" into the status buffer. Valid only when both images are set, 24 bits,
    // and of equal width and height; otherwise appends "Invalid Dib.". An invalid object's
    // filters do nothing (those with a result return 0).
    ZoCluster(TDib* first, TDib* second, char* status);
    ZoCluster(const ZoCluster&) = delete;
    ZoCluster& operator=(const ZoCluster&) = delete;

    int IsValid() const { return valid_; }

    // Copies rows 0 and height - 1 and columns 0 and width - 1 from the input to the output.
    void CopyBorder(int direction);

    // Per interior channel (c + m) >> 1; border copied.
    void Soften(int direction);

    // Per interior channel c + ((c - m) >> (8 - level)), clamped to 0..255; border copied.
    // Levels above 8 act as 8 (shift 0) and shifts beyond 31 as 31. 0 when not valid.
    int Sharpen(int level, int direction);

    // Mode 0: each pixel at least 3 from every edge takes the channel means of the least-spread
    // of four eight-pixel wedges and stores the wedge number in the low bits of blue (bit 0) and
    // red (bit 1). Any other mode reads the wedge from those bits of the input pixel instead.
    // The 3-pixel frame is copied. 1, or 0 when not valid.
    int WedgeSmooth(int direction, int mode);

    // Measures the first image's roughness on a sparse grid and smooths it in place
    // (SmoothInPlace) while the measure is not below `limit`, at most five passes.
    // 1 when at least one pass ran, else 0 (also when a pass could not have its rows).
    int Denoise(int limit);

    // One in-place pass: each channel becomes (c + (S >> 3)) >> 1 with S the sum over the eight
    // neighbours, the row before already smoothed, the rest as before the pass, neighbours
    // outside the image taken from the nearest edge pixel. 1, or 0 when not valid or, with
    // kNoMemory, when its rows cannot be had (the image unchanged).
    int SmoothInPlace(int whichImage);

    // Each interior output channel is the mean of the closer horizontal and the closer vertical
    // neighbour (ties: left, row after); the border then repeats its nearest interior pixel.
    // A picture without interior pixels is copied. 1, or 0 when not valid.
    int PairSmooth(int direction);

    // Each interior pixel moves toward its neighbour mean by (table[R] + 1) / 256, R the largest
    // channel range over the eight neighbours; border copied. `table` has 256 entries.
    void RangeSmooth(const uint8_t* table, int direction);

    // Each interior channel is pushed away from its neighbour mean by amount[|c - m|] and then
    // blended back toward the mean by strength[map value] / 256; border copied. `map` is an
    // 8-bit image at least as large as the images (otherwise nothing happens).
    void MapSharpen(const TDib* map, const uint8_t* strength, const uint8_t* amount,
                    int direction);

    // The further filters of the toolbox.

    // For each pixel whose length (lengthTable[map value]) is at least 2: the mean of the
    // least-varying of four lines from the pixel (+x, -y, -x, +y) whose far end lies inside the
    // image, halving the length until the spread is at most 3 × threshold²; that mean is pushed
    // away from the mean of the fitting lines by sharpenTable. Writes the second image, then
    // copies the result back into the first. Fails (0) with "Invalid Datas." (map or a table
    // missing, |threshold| > 255), "Missmatch Dib." (map not 8 bits or of another size) or
    // "Bad Length." (a table length above 50), appended to the status buffer.
    int DirectionalSmooth(const TDib* map, const uint8_t* lengthTable,
                          const uint8_t* sharpenTable, int threshold);

    // Each pixel becomes the mean of the least-varying of four lines of `length` pixels from it
    // (+x, -y, -x, +y) whose far end lies inside the image; copied when none fits or
    // length < 2. 1, or 0 when not valid.
    int LineSmooth(int length, int direction);

    // WedgeSmooth mode 0 without the markers: the plain means of the least-spread wedge.
    int WedgeMean(int direction);

    // Each interior channel pushed away from its neighbour mean by table[|c - m|] (when c is
    // not above m it is lowered), clamped; border copied.
    int TableSharpen(const uint8_t* table, int direction);

    // 2 × passCount passes, first → second, then back: where mask > threshold a pixel becomes
    // the mean of itself and its nearest different neighbour (within the image); the result
    // ends in the first image.
    int MaskedNearSmooth(const TDib* mask, int passCount, int threshold);

    // In place (neighbours as SmoothInPlace): c moves toward m by table[map value] / 256, and
    // becomes m when that value is 255.
    int WeightedSmoothInPlace(const TDib* map, const uint8_t* table, int whichImage);

    // In place (neighbours as SmoothInPlace): a pixel whose map value is at most `threshold`
    // becomes its neighbour mean.
    int MaskedMeanInPlace(const TDib* map, int threshold, int whichImage);

    // Each interior pixel becomes the mean of the two of its four direct neighbours whose
    // distances to it rank second and third; border copied.
    int MiddlePairSmooth(int direction);

    // Per interior channel the median of the pixel and its four direct neighbours; border copied.
    int Median5(int direction);

    // In place (neighbours as SmoothInPlace): the mean of the five neighbours left when the one
    // most unlike the pixel and the two beside it on the ring are left out.
    int SideMeanInPlace(int whichImage);

    // Per interior pixel the mean of those five neighbours pushed away from the mean of the
    // left-out three by table; border copied.
    int SideSharpen(const uint8_t* table, int direction);

    // Each pixel becomes the mean of the largest square window around it (radius up to
    // maxRadius, the window inside the image) whose channel ranges are all at most rangeLimit.
    int GrowingMean(int maxRadius, int rangeLimit, int direction);

private:
    enum class WedgeOutput { kMarkChosen, kFollowMarker, kPlainMean };

    const TDib* Input(int direction) const { return direction ? first_ : second_; }
    TDib* Output(int direction) const { return direction ? second_ : first_; }
    TDib* Chosen(int whichImage) const { return whichImage ? first_ : second_; }
    // True when an 8-bit map can be read at every pixel of the images.
    bool MapCovers(const TDib* map) const;
    // Roughness of the first image on Denoise's sample grid (0 without a sample).
    uint32_t MeasureRoughness() const;
    // 1, or 0 with kNoMemory appended when its row sums cannot be had.
    int RunWedges(int direction, WedgeOutput output);
    // visit(input pixel, output pixel, x, y) for every interior pixel (the border is left to
    // the caller).
    template <typename Visit>
    void ForEachInteriorPixel(int direction, Visit&& visit);
    // After CopyBorder, every channel byte of every interior output pixel becomes
    // op(value, mean): the input byte and the same channel's sum over the eight neighbours >> 3.
    template <typename Op>
    void ForEachInteriorMean(int direction, Op&& op);
    // One in-place pass in storage order with the neighbour rules of SmoothInPlace:
    // visit(window, pixel, x, y) with the pixel's 3 × 3 window (neighbourhood::PixelWindow<3>)
    // and the pixel to write. False, with kNoMemory appended and the image unchanged, when the
    // window's rows cannot be had.
    template <typename Visit>
    bool InPlacePass(TDib* image, Visit&& visit);

    int valid_ = 0;
    char* status_ = nullptr;
    TDib* first_ = nullptr;
    TDib* second_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int rowBytes_ = 0;
};
