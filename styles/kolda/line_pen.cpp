// The line engine's circular pen; see line_pen.h.
#include "styles/kolda/line_pen.h"

#include <cstdlib>

#include "imaging/int_helpers.h"

namespace {

// floor(s / 8) for any s.
constexpr int PixelOf(int subCell) { return subCell >= 0 ? subCell / 8 : -((7 - subCell) / 8); }

}  // namespace

void LinePen::Stamp(int x, int y, int subX, int subY, int r) {
    if (layer_ == nullptr) return;
    if (r < 0) r = 0;
    if (r > kMaxRadius) r = kMaxRadius;
    const int width = layer_->Width();
    const int height = layer_->Height();
    const int firstRow = PixelOf(subY - r);
    const int lastRow = PixelOf(subY + r);
    for (int row = firstRow; row <= lastRow; ++row) {
        const int64_t imageY = int64_t{y} + row;
        if (imageY < 0 || imageY >= height) continue;
        // The sub-rows of this pixel row that the disc reaches, as offsets j from its centre.
        int jFrom = row * kSubCells - subY;
        int jTo = jFrom + kSubCells - 1;
        if (jFrom < -r) jFrom = -r;
        if (jTo > r) jTo = r;
        int leftmost = kReach, rightmost = -kReach;
        for (int j = jFrom; j <= jTo; ++j) {
            const int h = ISqrt(static_cast<uint32_t>(r * r - j * j));
            const int a = subX - h;
            const int b = subX + h;
            const int pa = PixelOf(a);
            const int pb = PixelOf(b);
            // Covered sub-cells: from a to the end of pixel pa, whole pixels up to pb, then
            // to b; as differences, the whole pixels cost two entries.
            const int first = kSubCells * (pa + 1) - a;
            const int last = b - kSubCells * pb + 1;
            int32_t* cell = coverage_ + kReach;
            if (pa == pb) {
                cell[pa] += b - a + 1;
                cell[pa + 1] -= b - a + 1;
            } else {
                cell[pa] += first;
                cell[pa + 1] += kSubCells - first;
                cell[pb] += last - kSubCells;
                cell[pb + 1] -= last;
            }
            if (pa < leftmost) leftmost = pa;
            if (pb > rightmost) rightmost = pb;
        }
        if (leftmost > rightmost) continue;
        uint8_t* line = layer_->Row(static_cast<int>(imageY));
        int32_t* cell = coverage_ + kReach;
        int32_t covered = 0;
        for (int p = leftmost; p <= rightmost; ++p) {
            covered += cell[p];
            cell[p] = 0;
            const int64_t imageX = int64_t{x} + p;
            if (imageX < 0 || imageX >= width) continue;
            int value = (covered * weight_) >> 8;
            if (value > 255) value = 255;
            uint8_t& pixel = line[3 * imageX];
            if (value > pixel) pixel = static_cast<uint8_t>(value);
        }
        cell[rightmost + 1] = 0;
    }
}

void LinePen::DrawSegment(int x, int y, int radius, bool move) {
    if (radius > kMaxRadius) radius = kMaxRadius;
    if (radius < 0) radius = 0;
    if (move) {
        x_ = x;
        y_ = y;
        radius_ = radius;
        return;
    }
    if (x == x_ && y == y_) return;
    const int64_t dx = int64_t{x} - x_;
    const int64_t dy = int64_t{y} - y_;
    const bool xMajor = std::llabs(dx) > std::llabs(dy);
    const int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int64_t minorChange = xMajor ? dy : dx;
    const int radiusChange = radius - radius_;
    for (int64_t i = 0; i < n; ++i) {
        // Truncated toward zero, so the fraction is negative where the minor coordinate falls.
        const int64_t along = minorChange * i;
        const int minor = static_cast<int>(along / n);
        const int fraction = static_cast<int>((along % n) * kSubCells / n);
        const int major = static_cast<int>(majorStep * i);
        const int r = radius_ + static_cast<int>(int64_t{radiusChange} * i / n);
        if (xMajor)
            Stamp(x_ + major, y_ + minor, 0, fraction, r);
        else
            Stamp(x_ + minor, y_ + major, fraction, 0, r);
    }
    x_ = x;
    y_ = y;
    radius_ = radius;
}
