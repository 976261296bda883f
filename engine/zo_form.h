// ZoForm: the mesh deformation of the deform phases. A coarse grid of control nodes lies over
// the picture; a node operation moves the nodes (directional distortion about the centre, a
// shear, or a noise-driven jitter), then the two warps resample the 24-bit picture and the two
// 8-bit maps through the moved grid.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "imaging/dib.h"

class ZoForm {
public:
    static constexpr int kMinCells = 10;
    static constexpr int kMaxCells = 100;

    // A position in pixels: x along a row, y the row in storage order.
    struct Point {
        double x;
        double y;
    };
    // The directional distortion of strength k about a centre, then a scale and an offset.
    struct Distortion {
        double k = 0.0;
        double centreX = 0.0, centreY = 0.0;
        double scaleX = 1.0, scaleY = 1.0;
        double offsetX = 0.0, offsetY = 0.0;
    };

    // The point moved by the distortion. With (dx, dy) its offset from the centre and
    // a = atan(dy / |dx|) (1.47 straight above the centre, -1.47 below), f = 1 - sin(a) × k,
    // it goes to ((dx × f + cx) × sx + ox, (dy × f + cy) × sy + oy): with k > 0 what lies above
    // the centre row is pulled toward the centre, what lies below pushed away. A pure function
    // of its arguments.
    static Point MapPoint(const Distortion& distortion, Point point);
    // The distortion Distort(k, e) applies to a width × height picture: strength k about its
    // centre, scaled so that the picture's edges stay inside it (e widens the bottom margin)
    // and shifted so that the bottom centre lands on row 0. None when k folds the picture so
    // that no positive extent is left, or the picture has no extent (one pixel wide or high).
    // A pure function of its arguments.
    static std::optional<Distortion> FitDistortion(int width, int height, double k, double e);

    // Copies "Form:" into the status buffer, computes the strides and the grid and lays the
    // nodes evenly over 0..width - 1, 0..height - 1. Not valid when the node arrays cannot be
    // had (kNoMemory appended) or the size is not a picture ("Parameter.").
    ZoForm(int width, int height, char* status);
    virtual ~ZoForm() = default;
    ZoForm(const ZoForm&) = delete;
    ZoForm& operator=(const ZoForm&) = delete;

    // Moves every node by FitDistortion(width, height, k, e), limited to the picture. 0 when not
    // valid or when k leaves no positive scale ("Parameter."; nodes unchanged); a picture one
    // pixel wide or high has nothing to bend and keeps its nodes (1).
    virtual int Distort(double k, double e);
    // Shears the rows: the top row moves `amount` pixels to lower x, row 0 as far to higher x,
    // the centre row stays; the offset grows with the distance from the centre to `exponent`.
    // 0 when not valid or pow(centre, exponent) is not positive ("Parameter."; nodes unchanged).
    virtual int Slant(double exponent, int amount);
    // Moves every node by two fractal noise fields by up to ±amount cell widths, damped where
    // the mask's cells reach values whose table entry is high (255 holds a node still).
    // 0 when not valid, the mask is not an 8-bit image of the grid's size, the table is missing,
    // or memory runs out (kNoMemory; nodes unchanged).
    virtual int Jitter(double amount, double roughness, const TDib* mask, const uint8_t* table);
    // Warps the 24-bit image in place through the grid with 8-bit bilinear weights, using
    // `work` (24 bits, same size) as scratch. 0 without touching anything when not valid or an
    // image is missing or not 24 bits of the grid's size.
    virtual int WarpImage(TDib* image, TDib* work);
    // Warps the two 8-bit images in place by nearest pixel (they hold indices and focus levels),
    // packing both into `work` (24 bits) first. 0 without touching anything when not valid or an
    // image is missing or of another size or depth.
    virtual int WarpPlanes(TDib* a, TDib* b, TDib* work);

    bool IsValid() const { return valid_ != 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride8() const { return stride8_; }
    int Stride24() const { return stride24_; }
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    // Node (i, j): row i = 0..rows, column j = 0..cols. Not valid or out of range: 0.
    float NodeX(int i, int j) const;
    float NodeY(int i, int j) const;
    // Places node (i, j), limited to the picture; for callers that build their own mesh.
    // 0 when not valid or (i, j) is not a node.
    int SetNode(int i, int j, double x, double y);

private:
    int NodeIndex(int i, int j) const { return i * (cols_ + 1) + j; }
    int NodeCount() const { return (cols_ + 1) * (rows_ + 1); }
    bool FitsGrid(const TDib* image, int bitCount) const;

    int32_t valid_ = 0;
    char* status_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride8_ = 0;
    int32_t stride24_ = 0;
    int32_t cols_ = 0;
    int32_t rows_ = 0;
    std::unique_ptr<float[]> nodeX_;
    std::unique_ptr<float[]> nodeY_;
};
