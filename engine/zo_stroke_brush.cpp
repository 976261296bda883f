// ZoStroke's brush: a bitmap (red = coverage, green = relief) resampled once to the stroke
// size, thresholded and stored as slices one pixel thick of (coverage, relief) pairs, so that
// the painters walk covered positions only and need no floating point; and the bend table that
// shifts the slices of a stroke along themselves.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>

#include "engine/status_text.h"
#include "engine/zo_stroke.h"
#include "imaging/int_helpers.h"
#include "imaging/saturating_cast.h"

namespace {

// Coverage at or below this is not part of the stored brush.
constexpr int kCoverageFloor = 12;
// A scaled brush side beyond this could not be painted on any picture the engine holds.
constexpr double kLargestSide = 32767.0;
constexpr double kSweep = 6.28;

// Coverage and relief of one scaled pixel, taken from the bitmap.
struct Sample {
    int coverage;
    int relief;
};

class BrushSampler {
public:
    BrushSampler(const TDib& bitmap, double coverageFactor, double scale, double reliefFactor)
        : bitmap_(bitmap),
          width_(bitmap.Width()),
          height_(bitmap.Height()),
          coverage_(0.5 * coverageFactor),
          relief_(reliefFactor),
          step_(1.0 / scale),
          box_(step_ > 1.0 ? TruncToInt(step_) : 0) {}

    Sample At(int x, int y) const { return box_ > 0 ? Box(x, y) : Bilinear(x, y); }

private:
    static constexpr int kRed = 2;
    static constexpr int kGreen = 1;
    int Value(int x, int y, int channel) const { return bitmap_.Row(y)[3 * x + channel]; }

    // A shrunk brush: the mean of the box × box block at the scaled pixel's position.
    Sample Box(int x, int y) const {
        const int x0 = TruncToInt(x * step_);
        const int y0 = TruncToInt(y * step_);
        int64_t red = 0, green = 0, count = 0;
        for (int by = y0; by < y0 + box_ && by < height_; ++by) {
            for (int bx = x0; bx < x0 + box_ && bx < width_; ++bx) {
                red += Value(bx, by, kRed);
                green += Value(bx, by, kGreen);
                ++count;
            }
        }
        if (count == 0) return {0, 128};
        const double k = static_cast<double>(count);
        return {TruncToInt(static_cast<double>(red) * coverage_ / k),
                TruncToInt((static_cast<double>(green) / k - 128.0) * relief_) + 128};
    }

    // An enlarged (or same-size) brush: bilinear between the four pixels around the position;
    // the last column and row are reached through the fraction 1.0 from the one before.
    Sample Bilinear(int x, int y) const {
        const double sx = x * step_;
        const double sy = y * step_;
        int x0 = TruncToInt(sx);
        double fx = sx - std::floor(sx);
        if (x0 >= width_ - 1) {
            x0 = width_ - 2;
            fx = 1.0;
        }
        int y0 = TruncToInt(sy);
        double fy = sy - std::floor(sy);
        if (y0 >= height_ - 1) {
            y0 = height_ - 2;
            fy = 1.0;
        }
        auto interpolate = [&](int channel) {
            const double a = Value(x0, y0, channel), b = Value(x0 + 1, y0, channel);
            const double c = Value(x0, y0 + 1, channel), d = Value(x0 + 1, y0 + 1, channel);
            const double top = a + (b - a) * fx;
            const double bottom = c + (d - c) * fx;
            return top + (bottom - top) * fy;
        };
        return {TruncToInt(coverage_ * interpolate(kRed)),
                TruncToInt((interpolate(kGreen) - 128.0) * relief_) + 128};
    }

    const TDib& bitmap_;
    const int width_;
    const int height_;
    const double coverage_;
    const double relief_;
    const double step_;  // bitmap pixels per scaled pixel
    const int box_;      // block side when shrinking, 0 when interpolating
};

}  // namespace

int ZoStroke::LoadBrush(platform::ModuleHandle module, const char* name, int bufferSize,
                        double coverageFactor, double scale, double reliefFactor) {
    FreeBrush();
    if (!valid_) return 0;
    const std::unique_ptr<TDib> bitmap = TDib::FromResource(module, name);
    return LoadBrushFromBitmap(bitmap.get(), bufferSize, coverageFactor, scale, reliefFactor);
}

int ZoStroke::LoadBrushFromBitmap(const TDib* bitmap, int bufferSize, double coverageFactor,
                                  double scale, double reliefFactor) {
    FreeBrush();
    if (!valid_) return 0;
    if (bitmap == nullptr) {
        StatusAppend(status_, texts::kLoadBrush);
        return 0;
    }
    const int w = bitmap->Width();
    const int h = bitmap->Height();
    // Bilinear sampling reads the pixel pair x0, x0 + 1 with x0 = w - 2: a side needs 2 pixels.
    const bool sizeable = scale > 0.0 && w * scale <= kLargestSide && h * scale <= kLargestSide;
    if (bitmap->BitCount() != 24 || w < 2 || h < 2 || !sizeable) {
        StatusAppend(status_, texts::kBadBrush);
        return 0;
    }
    const int scaledWidth = std::max(2, TruncToInt(w * scale));
    const int scaledHeight = std::max(2, TruncToInt(h * scale));

    const int rows = scaledWidth < scaledHeight ? 1 : 0;
    const int slices = rows ? scaledHeight : scaledWidth;
    const int positions = rows ? scaledWidth : scaledHeight;
    const int capacity = bufferSize > 0 ? bufferSize : 0;
    pairs_.reset(new (std::nothrow) uint8_t[capacity]);
    sliceStart_.reset(new (std::nothrow) int32_t[slices]);
    sliceLength_.reset(new (std::nothrow) int32_t[slices]);
    sliceFirstPair_.reset(new (std::nothrow) int32_t[slices]);
    bend_.reset(new (std::nothrow) int32_t[7 * slices]());
    if (!pairs_ || !sliceStart_ || !sliceLength_ || !sliceFirstPair_ || !bend_) {
        StatusAppend(status_, texts::kNoMemory);
        FreeBrush();
        return 0;
    }
    bufferSize_ = bufferSize;
    rowsFlag_ = rows;
    sliceCount_ = slices;
    bendSize_ = 7 * slices;

    const BrushSampler sampler(*bitmap, coverageFactor, scale, reliefFactor);
    uint64_t sumX = 0, sumY = 0;
    int minX = 30000, maxX = -30000, minY = 30000, maxY = -30000;
    for (int t = 0; t < slices; ++t) {
        int count = 0;
        int first = positions;
        int last = -1;
        sliceFirstPair_[t] = brushPixels_;
        for (int j = 0; j < positions; ++j) {
            const int x = rows ? j : t;
            const int y = rows ? t : j;
            const Sample sample = sampler.At(x, y);
            if (sample.coverage <= kCoverageFloor) continue;
            if (bytesUsed_ + 4 >= bufferSize) {  // the pair would leave fewer than 2 bytes
                StatusAppend(status_, texts::kOutOfBrushBuffer);
                FreeBrush();
                return 0;
            }
            // Clamped, not wrapped: a coverage factor above 1 or a strong relief factor must
            // not turn into a faint or inverted pair.
            pairs_[bytesUsed_] = static_cast<uint8_t>(ClampToByte(sample.coverage));
            coverageMax_ = std::max(coverageMax_, static_cast<int>(pairs_[bytesUsed_]));
            pairs_[bytesUsed_ + 1] = static_cast<uint8_t>(ClampToByte(sample.relief));
            bytesUsed_ += 2;
            sumX += static_cast<uint64_t>(x);
            sumY += static_cast<uint64_t>(y);
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
            if (count == 0) first = j;
            if (count > 0 && j != last + 1) ++sliceGaps_;  // counted once per gap
            last = j;
            ++count;
        }
        sliceLength_[t] = count;
        sliceStart_[t] = first;
        brushPixels_ += count;
    }

    matched_.reset(new (std::nothrow) MatchedPixel[brushPixels_ > 0 ? brushPixels_ : 1]);
    if (!matched_) {
        StatusAppend(status_, texts::kNoMemory);
        FreeBrush();
        return 0;
    }
    if (brushPixels_ > 0) {
        const uint64_t pixels = static_cast<uint64_t>(brushPixels_);
        centreX_ = static_cast<int>(sumX / pixels);
        centreY_ = static_cast<int>(sumY / pixels);
        sliceOffset_ = rows ? -centreY_ : -centreX_;
        const int along = rows ? centreX_ : centreY_;
        for (int t = 0; t < slices; ++t) sliceStart_[t] -= along;
        extentX_ = maxX - minX + 1;
        extentY_ = maxY - minY + 1;
    }
    return 1;
}

void ZoStroke::SetBend(double amplitude, double phase) {
    if (!bend_ || sliceCount_ <= 0) return;
    const int n = sliceCount_;
    const double full = amplitude * (rowsFlag_ ? extentX_ : extentY_);
    const double sweep = phase * kSweep;
    // Three runs, 4n, 2n and n entries long, at full, half and a quarter of the amplitude;
    // the angle runs on from one run to the next.
    const struct {
        int entries;
        double amplitude;
    } runs[3] = {{4 * n, full}, {2 * n, full * 0.5}, {n, full * 0.25}};
    double angle = 0.0;
    int e = 0;
    for (const auto& run : runs) {
        const double step = sweep / run.entries;
        for (int k = 0; k < run.entries; ++k) {
            bend_[e++] = TruncToInt(std::sin(angle) * run.amplitude);
            angle += step;
        }
    }
}
