// The line engine's circular pen. It draws straight segments into the first byte of a 24-bit
// line layer with a disc whose radius (in eighths of a pixel) changes linearly along the
// segment; each pixel keeps the larger of its old value and the disc's coverage of it times the
// pen weight. The pen remembers where it stopped, so a curve is a chain of segment calls.
#pragma once

#include <cstdint>

#include "imaging/dib.h"

class LinePen {
public:
    static constexpr int kMaxRadius = 499;  // eighths of a pixel
    static constexpr int kSubCells = 8;     // sub-cells per pixel, in columns and in rows

    // Draws into `layer` (24 bits; null draws nothing). The pen starts at (0, 0), radius 0.
    explicit LinePen(TDib* layer) : layer_(layer) {}

    // Darkness per covered sub-cell, in 1/256: a pixel's value is (coverage × weight) >> 8,
    // at most 255, for a coverage of 0..64 sub-cells.
    void SetWeight(int weight) { weight_ = weight; }

    // The radius is limited to 0..kMaxRadius. With `move` set the pen only goes to (x, y)
    // with that radius. Otherwise, unless (x, y) is where the pen is (then nothing happens,
    // not even to the radius), the disc is stamped at every pixel of the line from the pen
    // up to, not including, (x, y), at sub-pixel positions across the line's major axis.
    void DrawSegment(int x, int y, int radius, bool move);

    int X() const { return x_; }
    int Y() const { return y_; }
    int Radius() const { return radius_; }

    // One disc of radius r eighths centred on sub-cell (subX, subY) of pixel (x, y)'s 8 × 8
    // sub-cells (either offset may be -7..7, reaching into the neighbouring pixel).
    void Stamp(int x, int y, int subX, int subY, int r);

private:
    // Pixel columns a disc reaches on either side of its pixel: the sub-cell offsets lie in
    // -7 - 499 .. 7 + 499, that is pixels -64 .. 63.
    static constexpr int kReach = 64;
    static constexpr int kCells = 2 * kReach + 2;  // and one past the last, for the differences

    TDib* layer_;
    int weight_ = 0;
    int x_ = 0;
    int y_ = 0;
    int radius_ = 0;
    // Coverage differences of the pixel row being stamped, index = pixel column + kReach:
    // the sum of the entries up to a column is its coverage. All zero between rows.
    int32_t coverage_[kCells] = {};
};
