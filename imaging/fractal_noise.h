// Midpoint-displacement noise on a fixed 65 x 65 grid, sampled per pixel with one generator
// step per sample. Used by the ground relief, the paint masses, the collage painter, the mesh
// jitter and the dialogs' ground pictures; every draw comes from the module's RandomState in a
// fixed order, so a seed fixes the grid and the samples.
#pragma once

#include <cstdint>
#include <memory>

#include "imaging/int_helpers.h"
#include "imaging/random.h"

class FractalNoise {
public:
    static constexpr int kSide = 65;                   // grid rows and columns
    static constexpr int kCells = kSide * kSide;       // 4225
    static constexpr int kLevels = 7;                  // amplitudes of levels 0..5, jitter in 6
    static constexpr uint32_t kGenerateDraws = 6829;   // 4 corners + 5 x 1365 blocks

    FractalNoise() = default;
    FractalNoise(const FractalNoise&) = delete;
    FractalNoise& operator=(const FractalNoise&) = delete;

    // amplitude[i] = (int)(exp(-i x) * 255) for i = 0..6; 0 when the table cannot be allocated,
    // else 1. Negative, huge or NaN roughness is clamped into the byte range, never undefined.
    int SetRoughness(double roughness);

    // Builds the grid for an image of width x height pixels (exactly 6829 generator steps);
    // 0 when a buffer cannot be allocated, else 1. Without a previous SetRoughness the
    // amplitudes are 0 (a zero-filled table), so the grid is the corners' plain interpolation.
    int Generate(int width, int height);

    // Noise value 0..255 at image position (x, y): the grid cell x * 64 / width,
    // y * 64 / height plus jitter noise; one generator step per call. Positions outside
    // 0..width, 0..height are clamped to the grid; before Generate it still steps once and
    // returns 0.
    int Sample(int x, int y);

    // The grid row or column of image position p along an extent of n pixels: p * 64 / n,
    // positions outside 0..n clamped, so within 0..64.
    static int GridIndex(int p, int n);

    // The grid columns of positions x, x + 1, ... along a row of n > 0 pixels, as GridIndex
    // gives them while the position stays within 0..n: x * 64 / n carried as quotient and
    // remainder, so that a walk along a row takes no division per pixel.
    class ColumnWalk {
    public:
        // Starts at position x, 0 <= x <= n.
        ColumnWalk(int x, int n) : n_(n > 0 ? n : 1) {
            const int64_t scaled = int64_t{x} * (kSide - 1);
            column_ = static_cast<int>(scaled / n_);
            rest_ = static_cast<int>(scaled % n_);
        }
        int Column() const { return column_; }
        // On to the next position: one cell or none, several on a row narrower than the grid.
        void Step() {
            rest_ += kSide - 1;
            while (rest_ >= n_) {
                rest_ -= n_;
                ++column_;
            }
        }

    private:
        int n_;
        int column_;
        int rest_;
    };

    // Sample at a position whose grid cell the caller has found with GridIndex or a ColumnWalk
    // (against Width() and Height()): the same value and the same generator step, for loops
    // that walk the cells without a division per pixel. Only after a successful Generate.
    int SampleCell(int row, int column) {
        const int32_t noise = DrawNoise(jitter_);
        return ClampToByte(grid_[row * kSide + column] + noise);
    }

    // Bilinear value of the grid at (x, y) with 6-bit fractions; no jitter and no generator step.
    // Clamped like Sample; 0 before Generate.
    int SampleBilinear(int x, int y) const;

    // Read access for tests and diagnostics; null before the buffers exist.
    const uint8_t* Grid() const { return grid_.get(); }
    const uint8_t* Amplitude() const { return amplitude_.get(); }
    int GridAt(int row, int column) const { return grid_[row * kSide + column]; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Jitter() const { return jitter_; }

private:
    bool AllocateAmplitude();

    std::unique_ptr<uint8_t[]> grid_;       // kCells bytes, row-major
    std::unique_ptr<uint8_t[]> amplitude_;  // kLevels bytes
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t jitter_ = 0;
};
