// Bicubic resampling of 8- and 24-bit images and buffers through a padded work image.
#include "imaging/cubic_spline.h"

#include <cstddef>
#include <cstring>
#include <new>

namespace {

// Cubic convolution kernel with a = -1, for 0 <= x <= 2.
long double CubicWeight(long double x) {
    if (x <= 1) return 1 - 2 * x * x + x * x * x;
    return 4 - 8 * x + 5 * x * x - x * x * x;
}

// Truncates toward zero, so negative weights lose their fraction upward.
int32_t Truncated256(long double w) { return static_cast<int32_t>(256 * w); }

// Copies an sw × sh source (sw, sh >= 1) into the padded block of (sw + 3) × (sh + 3) pixels:
// source row r to padded row r + 1, columns 1..sw. One row and column before the source repeat
// its first ones; at the far side come the last row (column) and then the one before it, so a
// tap past the end reads a mirror, not a repeat. For sw = 1 or sh = 1 "the one before" is the
// padding itself, which is already filled: every index stays inside the block.
void FillPadded(const uint8_t* source, ptrdiff_t sourceStride, int sw, int sh, int bytesPerPixel,
                uint8_t* padded, ptrdiff_t paddedStride) {
    const size_t sourceRowBytes = static_cast<size_t>(sw) * bytesPerPixel;
    auto row = [&](int r) { return padded + paddedStride * r; };
    for (int r = 0; r < sh; ++r)
        std::memcpy(row(r + 1) + bytesPerPixel, source + sourceStride * r, sourceRowBytes);
    std::memcpy(row(0) + bytesPerPixel, row(1) + bytesPerPixel, sourceRowBytes);
    std::memcpy(row(sh + 2) + bytesPerPixel, row(sh - 1) + bytesPerPixel, sourceRowBytes);
    std::memcpy(row(sh + 1) + bytesPerPixel, row(sh) + bytesPerPixel, sourceRowBytes);
    for (int r = 0; r < sh + 3; ++r) {
        uint8_t* p = row(r);
        auto copyPixel = [&](int to, int from) {
            std::memcpy(p + static_cast<ptrdiff_t>(to) * bytesPerPixel,
                        p + static_cast<ptrdiff_t>(from) * bytesPerPixel, bytesPerPixel);
        };
        copyPixel(0, 1);
        copyPixel(sw + 1, sw);
        copyPixel(sw + 2, sw - 1);
    }
}

// The resampling loop from a padded block into tw × th target pixels (each byte of a pixel
// separately). False, writing nothing, when the per-column table cannot be had.
template <int kBytesPerPixel>
bool Interpolate(const int32_t (&kernel)[4][256], const uint8_t* padded, ptrdiff_t paddedStride,
                 int sw, int sh, uint8_t* target, ptrdiff_t targetStride, int tw, int th) {
    if (tw <= 0 || th <= 0) return true;
    // Per target column: byte offset of the first tap in a padded row, and the fraction.
    std::unique_ptr<int32_t[]> columnOffset(new (std::nothrow) int32_t[tw]);
    std::unique_ptr<int32_t[]> columnFraction(new (std::nothrow) int32_t[tw]);
    if (!columnOffset || !columnFraction) return false;
    for (int l = 0; l < tw; ++l) {
        const int64_t X = int64_t{sw} * l;
        const int64_t x = X / tw;
        // Source column x - 1 is padded column x.
        columnOffset[l] = static_cast<int32_t>(x * kBytesPerPixel);
        columnFraction[l] = static_cast<int32_t>(((X - x * tw) * 256) / tw);
    }
    for (int k = 0; k < th; ++k) {
        const int64_t Y = int64_t{sh} * k;
        const int64_t y = Y / th;
        const int fy = static_cast<int>(((Y - y * th) * 256) / th);
        const int32_t a0 = kernel[0][fy], a1 = kernel[1][fy], a2 = kernel[2][fy],
                      a3 = kernel[3][fy];
        // Source rows y - 1 .. y + 2 are padded rows y .. y + 3.
        const uint8_t* r0 = padded + paddedStride * y;
        const uint8_t* r1 = r0 + paddedStride;
        const uint8_t* r2 = r1 + paddedStride;
        const uint8_t* r3 = r2 + paddedStride;
        uint8_t* out = target + targetStride * k;
        for (int l = 0; l < tw; ++l) {
            const int fx = columnFraction[l];
            const int32_t b0 = kernel[0][fx], b1 = kernel[1][fx], b2 = kernel[2][fx],
                          b3 = kernel[3][fx];
            for (int channel = 0; channel < kBytesPerPixel; ++channel) {
                const int p = columnOffset[l] + channel;
                int32_t column[4];
                for (int tap = 0; tap < 4; ++tap) {
                    const int q = p + tap * kBytesPerPixel;
                    column[tap] = (a0 * r0[q] + a1 * r1[q] + a2 * r2[q] + a3 * r3[q]) / 256;
                }
                int32_t value =
                    (b0 * column[0] + b1 * column[1] + b2 * column[2] + b3 * column[3]) / 256;
                if (value < 0) value = 0;
                if (value > 255) value = 255;
                *out++ = static_cast<uint8_t>(value);
            }
        }
    }
    return true;
}

}  // namespace

CubicSpline::CubicSpline() {
    for (int i = 0; i < 256; ++i) {
        const long double t = i / 256.0L;
        kernel_[0][i] = Truncated256(CubicWeight(1 + t));
        kernel_[1][i] = Truncated256(CubicWeight(t));
        kernel_[2][i] = Truncated256(CubicWeight(1 - t));
        kernel_[3][i] = Truncated256(CubicWeight(2 - t));
    }
}

CubicSpline::~CubicSpline() = default;

int CubicSpline::ResizeBuffer(const uint8_t* source, int sourceLeft, int sourceTop, int sourceRight,
                              int sourceBottom, uint8_t* target, int targetLeft, int targetTop,
                              int targetRight, int targetBottom) {
    if (source == nullptr || target == nullptr) return 0;
    const int64_t sw = int64_t{sourceRight} - sourceLeft;
    const int64_t sh = int64_t{sourceBottom} - sourceTop;
    const int64_t tw = int64_t{targetRight} - targetLeft;
    const int64_t th = int64_t{targetBottom} - targetTop;
    // An empty source has no pixel to pad from.
    if (sw <= 0 || sh <= 0) return 0;
    if ((sw + 3) * (sh + 3) > TDib::kMaxImageBytes || tw * th > TDib::kMaxImageBytes) return 0;
    if (tw <= 0 || th <= 0) return 1;

    const int64_t paddedStride = sw + 3;
    std::unique_ptr<uint8_t[]> padded(new (std::nothrow)
                                          uint8_t[static_cast<size_t>(paddedStride * (sh + 3))]);
    if (!padded) return 0;
    FillPadded(source, sw, static_cast<int>(sw), static_cast<int>(sh), 1, padded.get(),
               paddedStride);
    return Interpolate<1>(kernel_, padded.get(), paddedStride, static_cast<int>(sw),
                          static_cast<int>(sh), target, tw, static_cast<int>(tw),
                          static_cast<int>(th))
               ? 1
               : 0;
}

namespace {

bool InsideImage(const TDib& image, int left, int top, int right, int bottom) {
    return left >= 0 && top >= 0 && left < right && top < bottom && right <= image.Width() &&
           bottom <= image.Height();
}

}  // namespace

int CubicSpline::Resize(const TDib* source, int sourceLeft, int sourceTop, int sourceRight,
                        int sourceBottom, TDib* target, int targetLeft, int targetTop,
                        int targetRight, int targetBottom) {
    if (source == nullptr || target == nullptr) return 0;
    if (!InsideImage(*source, sourceLeft, sourceTop, sourceRight, sourceBottom) ||
        !InsideImage(*target, targetLeft, targetTop, targetRight, targetBottom))
        return 0;
    const int depth = source->BitCount();
    if (depth != target->BitCount() || (depth != 24 && depth != 8)) return 0;

    work_.reset();
    target_ = target;
    left_ = targetLeft;
    top_ = targetTop;
    right_ = targetRight;
    bottom_ = targetBottom;
    depth_ = depth;
    sourceLeft_ = sourceLeft;
    sourceTop_ = sourceTop;
    sourceWidth_ = sourceRight - sourceLeft;
    sourceHeight_ = sourceBottom - sourceTop;
    targetWidth_ = targetRight - targetLeft;
    targetHeight_ = targetBottom - targetTop;
    targetStride_ = target->RowBytes();

    int result;
    if (depth == 8) {
        result = Pad8(*source) && Enlarge8();
    } else if (source->Width() > target->Width() || source->Height() > target->Height()) {
        result = Reduce24(*source);
    } else {
        result = Pad24(*source) && Enlarge24();
    }
    work_.reset();
    target_ = nullptr;
    return result;
}

int CubicSpline::Pad24(const TDib& source) { return Pad(source, 3); }
int CubicSpline::Pad8(const TDib& source) { return Pad(source, 1); }
int CubicSpline::Enlarge24() { return Enlarge(3); }
int CubicSpline::Enlarge8() { return Enlarge(1); }

int CubicSpline::Pad(const TDib& source, int bytesPerPixel) {
    paddedWidth_ = sourceWidth_ + 3;
    paddedHeight_ = sourceHeight_ + 3;
    work_ = bytesPerPixel == 3 ? TDib::Create24(paddedWidth_, paddedHeight_)
                               : TDib::Create8(paddedWidth_, paddedHeight_);
    if (!work_) return 0;
    workStride_ = work_->RowBytes();
    FillPadded(source.Row(sourceTop_) + static_cast<ptrdiff_t>(sourceLeft_) * bytesPerPixel,
               source.RowBytes(), sourceWidth_, sourceHeight_, bytesPerPixel, work_->Bits(),
               workStride_);
    return 1;
}

int CubicSpline::Enlarge(int bytesPerPixel) {
    if (!work_ || target_ == nullptr) return 0;
    uint8_t* first = target_->Row(top_) + static_cast<ptrdiff_t>(left_) * bytesPerPixel;
    const int sw = paddedWidth_ - 3;
    const int sh = paddedHeight_ - 3;
    const bool done = bytesPerPixel == 3
                          ? Interpolate<3>(kernel_, work_->Bits(), workStride_, sw, sh, first,
                                           targetStride_, targetWidth_, targetHeight_)
                          : Interpolate<1>(kernel_, work_->Bits(), workStride_, sw, sh, first,
                                           targetStride_, targetWidth_, targetHeight_);
    return done ? 1 : 0;
}

int CubicSpline::Reduce24(const TDib& source) {
    const int sw = sourceWidth_;
    const int sh = sourceHeight_;
    work_ = TDib::Create24(sw, sh);
    if (!work_ || target_ == nullptr) return 0;
    workStride_ = work_->RowBytes();
    for (int r = 0; r < sh; ++r)
        std::memcpy(work_->Row(r),
                    source.Row(sourceTop_ + r) + static_cast<ptrdiff_t>(sourceLeft_) * 3,
                    static_cast<size_t>(sw) * 3);

    const int tw = targetWidth_;
    const int th = targetHeight_;
    for (int j = 0; j < th; ++j) {
        int rowBegin = static_cast<int>(int64_t{j} * sh / th);
        int rowEnd = static_cast<int>(int64_t{j + 1} * sh / th);
        uint8_t* out = target_->Row(top_ + j) + static_cast<ptrdiff_t>(left_) * 3;
        for (int k = 0; k < tw; ++k) {
            int columnBegin = static_cast<int>(int64_t{k} * sw / tw);
            int columnEnd = static_cast<int>(int64_t{k + 1} * sw / tw);
            int blockRowEnd = rowEnd;
            // Enlarging along an axis leaves blocks without a pixel: take the first one.
            if (blockRowEnd <= rowBegin || columnEnd <= columnBegin) {
                blockRowEnd = rowBegin + 1;
                columnEnd = columnBegin + 1;
            }
            uint64_t sum[3] = {0, 0, 0};
            for (int r = rowBegin; r < blockRowEnd; ++r) {
                const uint8_t* p = work_->Row(r) + static_cast<ptrdiff_t>(columnBegin) * 3;
                for (int c = columnBegin; c < columnEnd; ++c, p += 3) {
                    sum[0] += p[0];
                    sum[1] += p[1];
                    sum[2] += p[2];
                }
            }
            const uint64_t count =
                static_cast<uint64_t>(blockRowEnd - rowBegin) * (columnEnd - columnBegin);
            for (int channel = 0; channel < 3; ++channel)
                *out++ = static_cast<uint8_t>(sum[channel] / count);
        }
    }
    return 1;
}
