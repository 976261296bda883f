// The back-run; see back_run_field.h. The passes are the style's hot loop: up to 15 over every
// pixel, each with a random draw and two colour measures, so the measures come from one table,
// the drawn point from stored byte offsets, and the pixels whose every ring point lies inside
// the picture take a path without bounds tests.
#include "styles/grisov/back_run_field.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "imaging/int_helpers.h"
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

// The table's measure of the colour (blue, green, red).
inline int MeasureOf(const uint8_t* measures, int blue, int green, int red) {
    // Without branches: the channels differ unpredictably from pixel to pixel.
    const int high = blue ^ ((blue ^ green) & -(blue < green));
    const int low = blue ^ ((blue ^ green) & -(green < blue));
    const int maximum = high ^ ((high ^ red) & -(high < red));
    const int minimum = low ^ ((low ^ red) & -(red < low));
    return measures[maximum * 256 + minimum];
}

// A channel moved toward the point's by weight / 128, floored.
inline int Toward(int channel, int point, int weight) {
    return channel + ArithmeticShiftRight((point - channel) * weight, 7);
}

// Where a ring point lies from a pixel: in the picture's bytes, and in the measure plane.
struct PointOffsets {
    int32_t picture;
    int32_t measure;
};

// One pass's loop over the pixels, shared by the edge and the interior paths. Each pixel's
// measure is kept in a plane of one byte per pixel, so that a drawn point's measure is one
// load from a small area around the pixel, and it is taken anew only where a pixel changes.
class BackRunPass {
public:
    BackRunPass(const RingField& field, const PointOffsets* points, const uint8_t* weightAt,
                uint32_t state)
        : count_(static_cast<uint32_t>(field.count)), dx_(field.dx), dy_(field.dy),
          points_(points), weightAt_(weightAt), measure_(MeasureTable()), state_(state) {}

    uint32_t State() const { return state_; }

    // Pixels first..end - 1 of row y, whose ring points may lie outside the picture.
    void EdgeRun(uint8_t* row, uint8_t* measures, const uint8_t* focus, int first, int end,
                 int y, int width, int height) {
        for (int x = first; x < end; ++x) {
            const int weight = weightAt_[focus[x]];
            if (weight == 0) continue;
            const int k = Draw();
            const int nx = x + dx_[k], ny = y + dy_[k];
            if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
            Blend(row + 3 * x, measures + x, points_[k], weight);
        }
    }

    // Pixels first..end - 1 of a row, whose ring points all lie inside the picture.
    void InteriorRun(uint8_t* row, uint8_t* measures, const uint8_t* focus, int first, int end) {
        for (int x = first; x < end; ++x) {
            const int weight = weightAt_[focus[x]];
            if (weight == 0) continue;
            Blend(row + 3 * x, measures + x, points_[Draw()], weight);
        }
    }

private:
    // The generator kept in a register for the pass: the pixel writes could alias it.
    int Draw() {
        state_ = NextState(state_);
        return static_cast<int>(IndexOf(state_, count_));
    }

    void Blend(uint8_t* pixel, uint8_t* measure, PointOffsets at, int weight) const {
        if (measure[0] > measure[at.measure]) return;
        const uint8_t* point = pixel + at.picture;
        const int blue = Toward(pixel[0], point[0], weight);
        const int green = Toward(pixel[1], point[1], weight);
        const int red = Toward(pixel[2], point[2], weight);
        pixel[0] = static_cast<uint8_t>(blue);
        pixel[1] = static_cast<uint8_t>(green);
        pixel[2] = static_cast<uint8_t>(red);
        measure[0] = static_cast<uint8_t>(MeasureOf(measure_, blue, green, red));
    }

    const uint32_t count_;
    const int16_t* dx_;
    const int16_t* dy_;
    const PointOffsets* points_;
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

void RunBackRun(TDib& picture, TDib& work, const TDib& focus, const RingField& field,
                int passes, const uint8_t* loops, const uint8_t* weights) {
    const int width = picture.Width(), height = picture.Height();
    if (field.count == 0 || passes <= 0) return;
    // The measure plane: width bytes a row, packed at the start of the work image's bytes.
    uint8_t* plane = work.Bits();
    const uint8_t* measures = MeasureTable();
    for (int y = 0; y < height; ++y) {
        const uint8_t* pixel = picture.Row(y);
        uint8_t* measure = plane + static_cast<size_t>(width) * y;
        for (int x = 0; x < width; ++x, pixel += 3)
            measure[x] = static_cast<uint8_t>(MeasureOf(measures, pixel[0], pixel[1], pixel[2]));
    }
    PointOffsets points[kBackRunFieldSize];
    for (int k = 0; k < field.count; ++k)
        points[k] = {field.offsets[k], field.dy[k] * width + field.dx[k]};
    // The columns and rows whose every ring point lies inside the picture.
    const int innerFirst = std::min(field.reach, width);
    const int innerEnd = std::max(width - field.reach, innerFirst);
    for (int p = 0; p < passes; ++p) {
        // The weight by focus for this pass; 0 for pixels that sit it out.
        uint8_t weightAt[256];
        for (int f = 0; f < 256; ++f)
            weightAt[f] = loops[f] > p ? std::min<uint8_t>(weights[f], 128) : 0;
        BackRunPass pass(field, points, weightAt, RandomState);
        for (int y = 0; y < height; ++y) {
            uint8_t* row = picture.Row(y);
            uint8_t* measureRow = plane + static_cast<size_t>(width) * y;
            const uint8_t* focusRow = focus.Row(y);
            if (y < field.reach || y >= height - field.reach) {
                pass.EdgeRun(row, measureRow, focusRow, 0, width, y, width, height);
                continue;
            }
            pass.EdgeRun(row, measureRow, focusRow, 0, innerFirst, y, width, height);
            pass.InteriorRun(row, measureRow, focusRow, innerFirst, innerEnd);
            pass.EdgeRun(row, measureRow, focusRow, innerEnd, width, y, width, height);
        }
        RandomState = pass.State();
    }
}

}  // namespace grisov
