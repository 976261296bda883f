// The back-run; see back_run_field.h. The passes are the style's hot loop: up to 15 over every
// pixel, each with a random draw and two colour measures, so the measures come from one table,
// the drawn point from stored byte offsets, and the pixels whose every ring point lies inside
// the picture take a path without bounds tests.
#include "styles/grisov/back_run_field.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "imaging/random.h"

namespace grisov {

namespace {

// ColourMeasure for every maximum (high byte) and minimum (low byte).
const uint8_t* MeasureTable() {
    static uint8_t table[256 * 256];
    static const bool built = [] {
        for (int maximum = 0; maximum < 256; ++maximum)
            for (int minimum = 0; minimum < 256; ++minimum)
                table[maximum * 256 + minimum] =
                    static_cast<uint8_t>(ColourMeasure(maximum, minimum));
        return true;
    }();
    (void)built;
    return table;
}

// The next whole number away from zero; zero stays.
int AwayFromZero(double v) {
    return static_cast<int>(v > 0 ? std::ceil(v) : std::floor(v));
}

// One pass's loop over the pixels, shared by the edge and the interior paths.
class BackRunPass {
public:
    BackRunPass(const RingField& field, const uint8_t* weightAt, uint32_t state)
        : field_(field), weightAt_(weightAt), measure_(MeasureTable()), state_(state) {}

    uint32_t State() const { return state_; }

    // Pixels first..end - 1 of row y, whose ring points may lie outside the picture.
    void EdgeRun(uint8_t* row, const uint8_t* focus, int first, int end, int y, int width,
                 int height) {
        for (int x = first; x < end; ++x) {
            const int weight = weightAt_[focus[x]];
            if (weight == 0) continue;
            uint8_t* pixel = row + 3 * x;
            const int own = Measure(pixel);
            const int k = Draw();
            const int nx = x + field_.dx[k], ny = y + field_.dy[k];
            if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
            Blend(pixel, pixel + field_.offsets[k], own, weight);
        }
    }

    // Pixels first..end - 1 of a row, whose ring points all lie inside the picture.
    void InteriorRun(uint8_t* row, const uint8_t* focus, int first, int end) {
        uint8_t* pixel = row + 3 * first;
        for (int x = first; x < end; ++x, pixel += 3) {
            const int weight = weightAt_[focus[x]];
            if (weight == 0) continue;
            const int own = Measure(pixel);
            Blend(pixel, pixel + field_.offsets[Draw()], own, weight);
        }
    }

private:
    int Measure(const uint8_t* p) const {
        const int maximum = std::max({p[0], p[1], p[2]});
        const int minimum = std::min({p[0], p[1], p[2]});
        return measure_[maximum * 256 + minimum];
    }

    // The generator kept in a register for the pass: the pixel writes could alias it.
    int Draw() {
        state_ = state_ * 1566083941u + 1u;
        return static_cast<int>(IndexOf(state_, static_cast<uint32_t>(field_.count)));
    }

    // With the weight at most 128 the product lies in -32640..32640, so adding 32640 keeps it
    // non-negative and the shift floors as the arithmetic shift would.
    void Blend(uint8_t* pixel, const uint8_t* point, int own, int weight) const {
        if (own > Measure(point)) return;
        for (int c = 0; c < 3; ++c)
            pixel[c] = static_cast<uint8_t>(pixel[c] +
                                            (((point[c] - pixel[c]) * weight + 32640) >> 7) - 255);
    }

    const RingField& field_;
    const uint8_t* weightAt_;
    const uint8_t* measure_;
    uint32_t state_;
};

}  // namespace

bool MakeRingField(int radius, int rowBytes, RingField& field) {
    field.count = 0;
    field.reach = 0;
    for (int ring = 1; ring <= radius; ++ring) {
        const int n = RingPointCount(ring, radius);
        for (int j = 0; j < n; ++j) {
            // 6.28, not 2π: the last point of a ring stops a little short of the first.
            const double a = j * 6.28 / n;
            const int dx = AwayFromZero(ring * std::cos(a));
            const int dy = AwayFromZero(ring * std::sin(a));
            field.dx[field.count] = static_cast<int16_t>(dx);
            field.dy[field.count] = static_cast<int16_t>(dy);
            field.offsets[field.count] = dy * rowBytes + dx * 3;
            field.reach = std::max({field.reach, std::abs(dx), std::abs(dy)});
            if (++field.count == kBackRunFieldSize) return false;
        }
    }
    return true;
}

void RunBackRun(TDib& picture, const TDib& focus, const RingField& field, int passes,
                const uint8_t* loops, const uint8_t* weights) {
    const int width = picture.Width(), height = picture.Height();
    if (field.count == 0) return;
    // The columns and rows whose every ring point lies inside the picture.
    const int innerFirst = std::min(field.reach, width);
    const int innerEnd = std::max(width - field.reach, innerFirst);
    for (int p = 0; p < passes; ++p) {
        // The weight by focus for this pass; 0 for pixels that sit it out.
        uint8_t weightAt[256];
        for (int f = 0; f < 256; ++f)
            weightAt[f] = loops[f] > p ? std::min<uint8_t>(weights[f], 128) : 0;
        BackRunPass pass(field, weightAt, RandomState);
        for (int y = 0; y < height; ++y) {
            uint8_t* row = picture.Row(y);
            const uint8_t* focusRow = focus.Row(y);
            if (y < field.reach || y >= height - field.reach) {
                pass.EdgeRun(row, focusRow, 0, width, y, width, height);
                continue;
            }
            pass.EdgeRun(row, focusRow, 0, innerFirst, y, width, height);
            pass.InteriorRun(row, focusRow, innerFirst, innerEnd);
            pass.EdgeRun(row, focusRow, innerEnd, width, y, width, height);
        }
        RandomState = pass.State();
    }
}

}  // namespace grisov
