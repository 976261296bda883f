// CubicSpline: resampling with cubic convolution (a = -1) in 1/256 fixed point. Its use in
// painting is scaling the 64 × 64 ground height map to the output resolution; it also resamples
// between rectangles of two TDibs.
//
// The mapping has no half-pixel offset: target pixel (l, k) samples the source at
// (l × sw / tw, k × sh / th), so the first target row and column coincide with the source's.
// The source is padded by one pixel before and two after, mirrored at the far side, so the
// inner loop needs no bounds tests.
#pragma once

#include <cstdint>
#include <memory>

#include "imaging/dib.h"

class CubicSpline {
public:
    // Fills the four kernel tables; no other work.
    CubicSpline();
    ~CubicSpline();
    CubicSpline(const CubicSpline&) = delete;
    CubicSpline& operator=(const CubicSpline&) = delete;

    // Resamples a tightly packed 8-bit block of (sourceRight - sourceLeft) × (sourceBottom -
    // sourceTop) bytes into one of (targetRight - targetLeft) × (targetBottom - targetTop)
    // bytes, row after row; the left and top values enter only through those differences.
    // Returns 1; 0, writing nothing, when a pointer is null, the source is empty or the
    // scratch memory cannot be had. Cost: 20 multiplications per target byte.
    int ResizeBuffer(const uint8_t* source, int sourceLeft, int sourceTop, int sourceRight,
                     int sourceBottom, uint8_t* target, int targetLeft, int targetTop,
                     int targetRight, int targetBottom);

    // Resamples the source rectangle of `source` into the target rectangle of `target`
    // (left, top inclusive; right, bottom exclusive; rows in storage order). Both images must
    // exist and have one depth, 24 or 8 bits, and each rectangle must be non-empty and lie
    // inside its image; otherwise 0 and nothing is written. 24-bit images are reduced by block
    // means when the source image is wider or taller than the target image, else enlarged by
    // cubic convolution; 8-bit images are always resampled by cubic convolution. 1 on success,
    // 0 when the work image cannot be made.
    int Resize(const TDib* source, int sourceLeft, int sourceTop, int sourceRight, int sourceBottom,
               TDib* target, int targetLeft, int targetTop, int targetRight, int targetBottom);

    // Weight of table `tap` (0..3, the sample at offset tap - 1) at fraction i / 256.
    int32_t Weight(int tap, int i) const { return kernel_[tap][i]; }

private:
    // The steps of Resize, on the scratch fields that Resize sets up.
    int Pad24(const TDib& source);
    int Pad8(const TDib& source);
    int Enlarge24();
    int Enlarge8();
    int Reduce24(const TDib& source);

    int Pad(const TDib& source, int bytesPerPixel);
    int Enlarge(int bytesPerPixel);

    std::unique_ptr<TDib> work_;  // padded copy of the source rectangle during Resize
    TDib* target_ = nullptr;      // not owned
    int32_t left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;  // target rectangle
    int32_t depth_ = 0;
    int32_t sourceLeft_ = 0, sourceTop_ = 0, sourceWidth_ = 0, sourceHeight_ = 0;
    int32_t paddedWidth_ = 0, paddedHeight_ = 0;  // source rectangle plus 3
    int32_t workStride_ = 0;
    int32_t targetWidth_ = 0, targetHeight_ = 0;
    int32_t targetStride_ = 0;
    int32_t kernel_[4][256];
};
