// The 3 × 3 neighbourhood of a pixel in a row-padded image (rows in storage order: the row
// "before" row y is y - 1). The ring of eight neighbours with its byte offsets, small clamping,
// distance and median helpers, a walk along a row that hands each pixel its window with the
// channel sums of its eight neighbours from running column sums (three adds per channel, not
// eight), and a rolling window of three padded row copies for filters that write the image
// they read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "imaging/dib.h"

namespace neighbourhood {

// The eight neighbours clockwise around the ring, starting at the row before, column - 1.
// Consecutive entries are next to each other, so "the neighbours beside k" are k - 1 and k + 1
// modulo 8.
constexpr int kRingDx[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
constexpr int kRingDy[8] = {-1, -1, -1, 0, 1, 1, 1, 0};

// Byte offsets of the ring from a pixel, computed once per call.
struct RingOffsets {
    ptrdiff_t offset[8];
};

inline RingOffsets MakeRingOffsets(int pixelBytes, int rowBytes) {
    RingOffsets ring{};
    for (int k = 0; k < 8; ++k)
        ring.offset[k] = static_cast<ptrdiff_t>(kRingDx[k]) * pixelBytes +
                         static_cast<ptrdiff_t>(kRingDy[k]) * rowBytes;
    return ring;
}

// A coordinate clamped to 0..size - 1 (the nearest pixel inside the image); size >= 1.
inline int ClampCoordinate(int value, int size) {
    return value < 0 ? 0 : (value >= size ? size - 1 : value);
}

// Sum over blue, green and red of |a - b|, 0..765.
inline int ColourDistance(const uint8_t* a, const uint8_t* b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

// The median of five values, with six comparisons.
inline int MedianOfFive(int a, int b, int c, int d, int e) {
    const auto order = [](int& low, int& high) {
        if (low > high) std::swap(low, high);
    };
    // Twice the least of four values is found and dropped: with three values at or above it, it
    // lies below the median. The median of five is then the second least of the four left, and
    // after the second drop the least of the three left.
    order(a, b);
    order(c, d);
    if (a > c) {
        std::swap(a, c);
        std::swap(b, d);
    }
    a = e;  // a, the least of a..d, gives way to e
    order(a, b);
    if (a > c) {
        std::swap(a, c);
        std::swap(b, d);
    }
    return b < c ? b : c;
}

// The 3 × 3 window of one pixel: the pixel in the row before, in its row and in the row after
// (the columns beside at -Channels and +Channels bytes), and sums[c], channel c summed over the
// eight neighbours.
template <int Channels>
struct PixelWindow {
    const uint8_t* before;
    const uint8_t* centre;
    const uint8_t* after;
    int sums[Channels];
};

// Calls visit(window, x) for x = first..last along three rows given at their pixel 0, whose
// columns first - 1 .. last + 1 must all be readable. Nothing happens when first > last.
template <int Channels, typename Visit>
void ForEachWindowAlongRow(const uint8_t* before, const uint8_t* row, const uint8_t* after,
                           int first, int last, Visit&& visit) {
    if (first > last) return;
    int left[Channels];
    int middle[Channels];
    const ptrdiff_t start = static_cast<ptrdiff_t>(Channels) * (first - 1);
    for (int c = 0; c < Channels; ++c) {
        const ptrdiff_t i = start + c;
        const ptrdiff_t j = i + Channels;
        left[c] = before[i] + row[i] + after[i];
        middle[c] = before[j] + row[j] + after[j];
    }
    PixelWindow<Channels> window;
    for (int x = first; x <= last; ++x) {
        const ptrdiff_t i = static_cast<ptrdiff_t>(Channels) * x;
        for (int c = 0; c < Channels; ++c) {
            const ptrdiff_t j = i + Channels + c;
            const int right = before[j] + row[j] + after[j];
            window.sums[c] = left[c] + middle[c] + right - row[i + c];
            left[c] = middle[c];
            middle[c] = right;
        }
        window.before = before + i;
        window.centre = row + i;
        window.after = after + i;
        visit(static_cast<const PixelWindow<Channels>&>(window), x);
    }
}

// Calls visit(centre, sums, out, x, y) for every interior pixel (1 <= x <= width - 2,
// 1 <= y <= height - 2) in storage order. `centre` points at the input pixel, `out` at the same
// pixel of the output, and sums[c] is channel c summed over the eight neighbours in the input.
// Input and output share `rowBytes` and must not be the same image. Nothing happens when the
// image has no interior pixel.
template <int Channels, typename Visit>
void ForEachInteriorSum(const uint8_t* input, uint8_t* output, int width, int height,
                        int rowBytes, Visit&& visit) {
    if (width < 3 || height < 3) return;  // no interior pixel
    const size_t step = static_cast<size_t>(rowBytes);
    for (int y = 1; y < height - 1; ++y) {
        const uint8_t* row = input + step * y;
        uint8_t* out = output + step * y;
        ForEachWindowAlongRow<Channels>(
            row - step, row, row + step, 1, width - 2,
            [&](const PixelWindow<Channels>& window, int x) {
                visit(window.centre, static_cast<const int*>(window.sums),
                      out + static_cast<ptrdiff_t>(Channels) * x, x, y);
            });
    }
}

// Three rows of an image around a centre row, each copied with a margin of one pixel on both
// sides that repeats the edge pixel; a row outside the image repeats the nearest edge row. So
// the 3 × 3 window of every pixel, the edges included, lies inside the copies, and a filter may
// write the image while it reads them. The window rolls down the image in storage order, one
// row copied per step, and allocates once, when it is made. The image has at least Channels
// bytes per pixel; the copies hold Channels bytes per pixel.
template <int Channels>
class PaddedRowWindow {
public:
    // Room for three padded rows of the image; IsReady() is false when it cannot be had, and
    // then no other operation may be called.
    explicit PaddedRowWindow(const TDib& image)
        : image_(image),
          width_(image.Width()),
          height_(image.Height()),
          lineBytes_(static_cast<size_t>(Channels) * (static_cast<size_t>(image.Width()) + 2)),
          buffer_(new (std::nothrow) uint8_t[3 * lineBytes_]) {
        if (!buffer_) return;
        before_ = buffer_.get();
        row_ = before_ + lineBytes_;
        after_ = row_ + lineBytes_;
    }
    PaddedRowWindow(const PaddedRowWindow&) = delete;
    PaddedRowWindow& operator=(const PaddedRowWindow&) = delete;

    bool IsReady() const { return buffer_ != nullptr; }

    // Copies rows y - 1, y and y + 1 for centre row y (0 <= y < height).
    void CentreOn(int y) {
        centre_ = y;
        Copy(before_, y - 1);
        Copy(row_, y);
        Copy(after_, y + 1);
    }
    // Moves the centre to the next row. The rows that become the row before and the row keep
    // the values they were copied with; only the new row after is copied from the image.
    void Advance() {
        uint8_t* const spare = before_;
        before_ = row_;
        row_ = after_;
        after_ = spare;
        ++centre_;
        Copy(after_, centre_ + 1);
    }
    // Moves on like Advance, but copies the new row before again from the image: for a pass in
    // place that reads the row before as it has just written it.
    void AdvanceRereadingBefore() {
        Advance();
        Copy(before_, centre_ - 1);
    }

    // The copies at their pixel 0: pixel -1 and pixel width are the repeated edge pixels.
    const uint8_t* Before() const { return before_ + Channels; }
    const uint8_t* Row() const { return row_ + Channels; }
    const uint8_t* After() const { return after_ + Channels; }
    int CentreRow() const { return centre_; }

    // Calls visit(window, x) for every pixel x = 0..width - 1 of the centre row, as
    // ForEachWindowAlongRow; the margins stand in for the neighbours beyond the edges.
    template <typename Visit>
    void ForEachPixel(Visit&& visit) const {
        ForEachWindowAlongRow<Channels>(Before(), Row(), After(), 0, width_ - 1,
                                        std::forward<Visit>(visit));
    }

private:
    void Copy(uint8_t* line, int y) {
        const uint8_t* source = image_.Row(ClampCoordinate(y, height_));
        const size_t pixels = static_cast<size_t>(Channels) * static_cast<size_t>(width_);
        std::memcpy(line + Channels, source, pixels);
        std::memcpy(line, source, Channels);
        std::memcpy(line + Channels + pixels, source + pixels - Channels, Channels);
    }

    const TDib& image_;
    int width_;
    int height_;
    size_t lineBytes_;
    std::unique_ptr<uint8_t[]> buffer_;
    uint8_t* before_ = nullptr;
    uint8_t* row_ = nullptr;
    uint8_t* after_ = nullptr;
    int centre_ = 0;
};

// How a pass of RunRowPasses sees the row before the one it writes.
enum class RowBefore {
    kAsBeforeThePass,  // every row as the pass found it
    kAsWritten,        // as the pass has just written it (a pass in place)
};

// Bytes per stretch of a pass over a row's interior bytes: a multiple of 3, so that a stretch
// holds whole pixels. A pass's per-stretch buffers take kStretchBytes + 6 entries when they
// reach one pixel beyond each end of the stretch.
constexpr int kStretchBytes = 1536;

// Calls visit(y, first, count) for every interior row y (1 .. height - 2) of a 24-bit picture
// `width` pixels wide and every stretch of that row's interior bytes: bytes first .. first +
// count - 1, from byte 3 up to the last pixel's, at most kStretchBytes at a time. A pass that
// works on whole stretches takes each sum or extreme of a column once for its three rows.
template <typename Visit>
void ForEachInteriorStretch(int width, int height, Visit&& visit) {
    const int end = 3 * (width - 1);
    for (int y = 1; y < height - 1; ++y)
        for (int first = 3; first < end; first += kStretchBytes)
            visit(y, first, (end - first < kStretchBytes ? end - first : kStretchBytes));
}

// `passes` passes down the image, each calling visitRow(rows, y) for every row y in storage
// order with the window centred on row y; the row and the row after are copied before the pass
// writes them, the row before as `rowBefore` says. False, with no pass run, when the window
// cannot be had.
template <int Channels, typename VisitRow>
bool RunRowPasses(const TDib& image, int passes, RowBefore rowBefore, VisitRow&& visitRow) {
    PaddedRowWindow<Channels> rows(image);
    if (!rows.IsReady()) return false;
    for (int pass = 0; pass < passes; ++pass) {
        rows.CentreOn(0);
        for (int y = 0; y < image.Height(); ++y) {
            visitRow(static_cast<const PaddedRowWindow<Channels>&>(rows), y);
            if (rowBefore == RowBefore::kAsWritten) {
                rows.AdvanceRereadingBefore();
            } else {
                rows.Advance();
            }
        }
    }
    return true;
}

}  // namespace neighbourhood
