// ZoFocus: the focus map from the colour-index map, the palette's counts, the user's regions of
// interest and a blur. See zo_focus.h.
#include "engine/zo_focus.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "engine/neighbourhood.h"
#include "engine/status_text.h"
#include "imaging/int_helpers.h"
#include "imaging/math_tbl.h"

namespace {

// The fill arrays hold one entry beyond their limits, so that the push or record that reaches
// a limit still has its place.
constexpr int kStackEntries = ZoFocus::kStackLimit + 1;
constexpr int kSpanEntries = ZoFocus::kSpanLimit + 1;

// Border ring: the outside of the superellipse |2x/w - 1|^5 + |2y/h - 1|^5 < 0.9.
constexpr double kRingScale = 10000.0;

// trunc(|i - half|^5 × S / half^5). The powers are plain products (the same rounding in both
// builds). A side of fewer than 2 pixels adds nothing: every region there touches both of its
// edges and gets the border level anyway.
int RingTerm(int i, int half) {
    if (half <= 0) return 0;
    const double d = std::fabs(static_cast<double>(i) - half);
    const double h = half;
    return static_cast<int>(d * d * d * d * d * kRingScale / (h * h * h * h * h));
}

}  // namespace

ZoFocus::ZoFocus(TDib* focusMap, TDib* colorIndexMap, const LowColor* table, int count,
                 char* status)
    : status_(status), colorIndexMap_(colorIndexMap), focusMap_(focusMap) {
    StatusCopy(status_, texts::kFocusPrefix);
    if (focusMap == nullptr || colorIndexMap == nullptr || table == nullptr ||
        focusMap->Bits() == nullptr || colorIndexMap->Bits() == nullptr) {
        StatusAppend(status_, texts::kInvalidDib);
        return;
    }
    std::memcpy(palette_, table, sizeof palette_);
    width_ = colorIndexMap->Width();
    height_ = colorIndexMap->Height();
    if (focusMap->Width() != width_ || focusMap->Height() != height_ || count > kMaxColors) {
        StatusAppend(status_, texts::kMismatchDib);
        return;
    }
    valid_ = 1;
    colorCount_ = std::max(count, 0);

    // Colours are compared through a gentle S-curve, so that differences among the darkest and
    // the lightest tones count for less than those in the middle.
    MathTbl tone;
    tone.Sigmoid(0.02, 0, 0, 1);
    const uint8_t* t = tone.Table();
    for (int i = 0; i < colorCount_; ++i) {
        palette_[i].red = t[palette_[i].red];
        palette_[i].green = t[palette_[i].green];
        palette_[i].blue = t[palette_[i].blue];
    }
    for (int i = 0; i < colorCount_; ++i) {
        for (int j = 0; j < colorCount_; ++j) {
            const int dr = palette_[i].red - palette_[j].red;
            const int dg = palette_[i].green - palette_[j].green;
            const int db = palette_[i].blue - palette_[j].blue;
            const int d = ISqrt(static_cast<uint32_t>(dr * dr + dg * dg + db * db));
            distance_[i][j] = static_cast<uint8_t>(std::min(d, 255));
        }
    }
}

ZoFocus::~ZoFocus() = default;

bool ZoFocus::AllocateFillArrays() {
    stackX_.reset(new (std::nothrow) int[kStackEntries]);
    stackY_.reset(new (std::nothrow) int[kStackEntries]);
    spanLeft_.reset(new (std::nothrow) int[kSpanEntries]);
    spanRight_.reset(new (std::nothrow) int[kSpanEntries]);
    spanRow_.reset(new (std::nothrow) int[kSpanEntries]);
    if (stackX_ && stackY_ && spanLeft_ && spanRight_ && spanRow_) return true;
    FreeFillArrays();
    return false;
}

void ZoFocus::FreeFillArrays() {
    stackX_.reset();
    stackY_.reset();
    spanLeft_.reset();
    spanRight_.reset();
    spanRow_.reset();
    stackCount_ = 0;
    spanCount_ = 0;
}

int ZoFocus::Compute(int start, int end, const uint8_t* table) {
    if (!valid_) return 0;
    // Levels are spread over start..end by unsigned arithmetic and index 256-entry arrays.
    if (start < 0 || end > 255 || start > end) {
        StatusAppend(status_, texts::kParameter);
        return 0;
    }
    std::unique_ptr<int[]> ringX(new (std::nothrow) int[width_]);
    std::unique_ptr<int[]> ringY(new (std::nothrow) int[height_]);
    if (!ringX || !ringY || !AllocateFillArrays()) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }
    std::memset(levelHistogram_, 0, sizeof levelHistogram_);

    const int halfWidth = width_ / 2;
    const int halfHeight = height_ / 2;
    for (int x = 0; x < width_; ++x) ringX[x] = RingTerm(x, halfWidth);
    for (int y = 0; y < height_; ++y) ringY[y] = RingTerm(y, halfHeight);
    const int ringLimit = static_cast<int>(kRingScale * 0.9);
    for (int y = 0; y < height_; ++y) {
        uint8_t* focusRow = focusMap_->Row(y);
        const int ry = ringY[y];
        for (int x = 0; x < width_; ++x) {
            focusRow[x] = ringX[x] + ry >= ringLimit ? kBorder : kUnassigned;
        }
    }

    // A colour found mostly outside the central area weighs much more, so a colour step there
    // costs little level; a colour of the centre loses level quickly and stays in focus.
    // Indices beyond the palette weigh as a colour never seen outside.
    for (int i = 0; i < 256; ++i) colorWeights_[i] = 255;
    for (int i = 0; i < colorCount_; ++i) {
        const double ratio = static_cast<double>(palette_[i].outsideCount) /
                             (static_cast<double>(palette_[i].centralCount) + 1.0);
        const double w = std::min(ratio * ratio * ratio * 500.0, 30000.0);
        colorWeights_[i] = static_cast<int>(w) + 255;
    }

    lowestLevel_ = 255;

    // Spiral from the outside in, so that regions touching the border are levelled before the
    // regions they enclose. The ring is done as soon as y reaches or passes its bottom row,
    // which also ends rings only one row high without leaving the map.
    int left = 0, bottom = 0, right = width_ - 1, top = height_ - 1;
    int x = 0, y = 0, direction = 0;
    while (left <= right && bottom <= top) {
        if (focusMap_->Row(y)[x] == kUnassigned) {
            FillRegion(x, y);
            lowestLevel_ = std::min(lowestLevel_, level_);
        }
        if (direction == 0) {
            if (++x > right) {
                x = right;
                direction = 1;
            }
        }
        if (direction == 1) {
            if (++y > top) {
                y = top;
                direction = 2;
            }
        }
        if (direction == 2) {
            if (--x < left) {
                x = left;
                direction = 3;
            }
        }
        if (direction == 3) {
            if (--y <= bottom) {
                ++left;
                ++bottom;
                --right;
                --top;
                x = left;
                y = bottom;
                direction = 0;
            }
        }
    }
    FreeFillArrays();

    // Equalisation: the levels found are spread over start..end by their pixel counts, the
    // border level to start and the lowest level to end.
    const int range = kBorder - lowestLevel_;
    if (range <= 0) return 1;
    const unsigned span = static_cast<unsigned>(end - start);
    uint8_t bucket[256] = {};
    int64_t sums[256] = {};
    for (int v = lowestLevel_; v <= kBorder; ++v) {
        bucket[v] = static_cast<uint8_t>(static_cast<unsigned>(kBorder - v) * span /
                                             static_cast<unsigned>(range) +
                                         static_cast<unsigned>(start));
        sums[bucket[v]] += levelHistogram_[v];
    }
    for (int o = start + 1; o <= end; ++o) sums[o] += sums[o - 1];
    const int64_t k0 = sums[start];
    const int64_t k1 = sums[end];
    if (k1 == k0) return 0;
    const double scale = static_cast<double>(span) / static_cast<double>(k1 - k0);
    uint8_t value[256];
    for (int v = 0; v < 256; ++v) value[v] = static_cast<uint8_t>(v);
    for (int v = lowestLevel_; v <= kBorder; ++v) {
        int level = static_cast<int>(static_cast<double>(sums[bucket[v]] - k0) * scale + start);
        if (table != nullptr) level = std::min(std::max(int{table[level]}, start), end);
        value[v] = static_cast<uint8_t>(level);
    }
    for (int row = 0; row < height_; ++row) {
        uint8_t* focusRow = focusMap_->Row(row);
        for (int column = 0; column < width_; ++column) focusRow[column] = value[focusRow[column]];
    }
    return 1;
}

void ZoFocus::OfferLevel(int c, int a, int f) {
    if (f <= kBorder && f > level_) {
        level_ = std::max(level_, f * (weight_ - Distance(c, a)) / weight_);
    }
}

void ZoFocus::FillRegion(int x, int y) {
    if (!valid_ || !stackX_ || x < 0 || x >= width_ || y < 0 || y >= height_) return;
    const uint8_t c = colorIndexMap_->Row(y)[x];
    weight_ = colorWeights_[c];
    level_ = 0;
    spanCount_ = 0;
    stackX_[0] = x;
    stackY_[0] = y;
    stackCount_ = 1;
    while (stackCount_ > 0) {
        --stackCount_;
        const int px = stackX_[stackCount_];
        const int py = stackY_[stackCount_];
        uint8_t* focusRow = focusMap_->Row(py);
        const uint8_t* indexRow = colorIndexMap_->Row(py);
        if (focusRow[px] != kUnassigned) continue;
        focusRow[px] = kFilling;

        int spanLeft = px;
        while (spanLeft > 0 && indexRow[spanLeft - 1] == c &&
               focusRow[spanLeft - 1] == kUnassigned) {
            focusRow[--spanLeft] = kFilling;
        }
        if (spanLeft == 0) {
            level_ = kBorder;
        } else {
            OfferLevel(c, indexRow[spanLeft - 1], focusRow[spanLeft - 1]);
        }
        int spanRight = px;
        while (spanRight < width_ - 1 && indexRow[spanRight + 1] == c &&
               focusRow[spanRight + 1] == kUnassigned) {
            focusRow[++spanRight] = kFilling;
        }
        if (spanRight == width_ - 1) {
            level_ = kBorder;
        } else {
            OfferLevel(c, indexRow[spanRight + 1], focusRow[spanRight + 1]);
        }

        spanLeft_[spanCount_] = spanLeft;
        spanRight_[spanCount_] = spanRight;
        spanRow_[spanCount_] = py;
        if (++spanCount_ == kSpanLimit) {
            StatusCopy(status_, texts::kImageTooComplex);
            break;
        }
        if (!ScanRow(spanLeft, spanRight, py - 1, c)) break;
        if (!ScanRow(spanLeft, spanRight, py + 1, c)) break;
    }
    PaintRegion();
}

int ZoFocus::ScanRow(int left, int right, int y, uint8_t colour) {
    if (!valid_ || !stackX_) return 0;
    if (y < 0 || y >= height_) {
        level_ = kBorder;  // the region touches the top or bottom of the picture
        return 1;
    }
    left = std::max(left, 0);
    right = std::min(right, width_ - 1);
    const uint8_t* focusRow = focusMap_->Row(y);
    const uint8_t* indexRow = colorIndexMap_->Row(y);
    bool inRun = false;
    for (int x = left; x <= right; ++x) {
        const uint8_t a = indexRow[x];
        const uint8_t f = focusRow[x];
        if (a == colour && f == kUnassigned) {
            if (inRun) continue;
            inRun = true;
            stackX_[stackCount_] = x;
            stackY_[stackCount_] = y;
            if (++stackCount_ == kStackLimit) {
                StatusCopy(status_, texts::kImageTooComplex);
                return 0;
            }
        } else {
            inRun = false;
            OfferLevel(colour, a, f);
        }
    }
    return 1;
}

void ZoFocus::PaintRegion() {
    if (!valid_ || !spanLeft_) return;
    const uint8_t level = static_cast<uint8_t>(level_);
    for (int i = 0; i < spanCount_; ++i) {
        const int count = spanRight_[i] - spanLeft_[i] + 1;
        std::memset(focusMap_->Row(spanRow_[i]) + spanLeft_[i], level, static_cast<size_t>(count));
        levelHistogram_[level] += count;
    }
}

int ZoFocus::AddRegions(const EllipseRegion* regions, int count, int limit) {
    if (!valid_) return 0;
    if (count <= 0) return 1;
    if (regions == nullptr) {
        StatusAppend(status_, texts::kParameter);
        return 0;
    }
    // Values are bytes: a limit above 255 lets a value reach 255, not wrap.
    const int ceiling = std::min(limit, 255);
    for (int n = 0; n < count; ++n) {
        const EllipseRegion& region = regions[n];
        const int r = std::max(region.length, region.width) / 2;
        // A region without extent or without a positive width-to-length ratio has no inside,
        // and would divide by zero below.
        if (region.length < 1 || r < 1 || !(region.ratio > 0.0)) continue;
        const double scale = 255.0 / (r * 0.9);
        const double ratio2 = region.ratio * region.ratio;
        const int64_t cx = region.centerX;
        const int64_t cy = region.centerY;
        const int x0 = static_cast<int>(std::max<int64_t>(0, cx - r));
        const int y0 = static_cast<int>(std::max<int64_t>(0, cy - r));
        const int x1 = static_cast<int>(std::min<int64_t>(width_ - 1, cx + r));
        const int y1 = static_cast<int>(std::min<int64_t>(height_ - 1, cy + r));
        for (int y = y0; y <= y1; ++y) {
            uint8_t* focusRow = focusMap_->Row(y);
            const double dy = static_cast<double>(y - cy);
            for (int x = x0; x <= x1; ++x) {
                const double dx = static_cast<double>(x - cx);
                const double u = dx * region.cosine - dy * region.sine;
                const double v = dx * region.sine + dy * region.cosine;
                const double d = std::sqrt(u * u + v * v / ratio2);
                // Tested in floating point: far outside the ellipse the value is too large
                // (or not a number) to convert.
                const double t = (r - d) * scale;
                if (!(t >= 1.0)) continue;
                const int a = static_cast<int>(t);
                const int p = focusRow[x];
                const int raised = p * (a + 64) / 64 + a / 2;
                focusRow[x] = static_cast<uint8_t>(std::max(std::min(raised, ceiling), 0));
            }
        }
    }
    return 1;
}

int ZoFocus::Blur(int passes) {
    if (!valid_) return 0;
    using neighbourhood::PixelWindow;
    using Rows = neighbourhood::PaddedRowWindow<1>;
    // Every mean reads the map as it was before the pass.
    const auto blurRow = [&](const Rows& rows, int y) {
        uint8_t* row = focusMap_->Row(y);
        rows.ForEachPixel([row](const PixelWindow<1>& window, int x) {
            row[x] = static_cast<uint8_t>(window.sums[0] >> 3);
        });
    };
    const bool done = neighbourhood::RunRowPasses<1>(
        *focusMap_, passes, neighbourhood::RowBefore::kAsBeforeThePass, blurRow);
    if (!done) StatusAppend(status_, texts::kNoMemory);
    return done ? 1 : 0;
}
