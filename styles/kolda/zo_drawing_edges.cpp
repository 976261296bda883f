// ZoDrawing's edge lines: the grey line layer, the edge marks from two adjacent windows of
// focus-dependent length along every row and every column, and the tracing of chains of marks.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

#include "engine/status_text.h"
#include "imaging/math_tbl.h"
#include "styles/kolda/trace_steps.h"
#include "styles/kolda/zo_drawing.h"

namespace {

using namespace trace_steps;

// Score weights for turns of 0, 45, 90, 135 and 180 degrees.
constexpr int kTurnWeight[5] = {8, 4, 2, 1, 0};

// Longest edge window: the window sums are unsigned 32-bit differences of running sums,
// exact while 255 × length stays below 2^32.
constexpr int64_t kMaxWindow = int64_t{1} << 24;

// The run detector shared by the row and the column scan: a run starts where the window
// difference rises above the threshold, follows its rises and ends at its first fall.
struct EdgeRun {
    int32_t previous = 0;
    int32_t start = 0;
    int32_t maximum = 0;
    bool inRun = false;

    // Feeds the difference at position `at`; returns true when a run ends there, with the
    // mark's position in *markAt and its value in `maximum`.
    bool Feed(int32_t e, int32_t at, int32_t threshold, int32_t* markAt) {
        bool ended = false;
        if (inRun) {
            if (e > previous) {
                start = at;
                if (e > maximum) maximum = e;
            } else if (e < previous) {
                *markAt = (start + at - 1) / 2;
                inRun = false;
                ended = true;
            }
        } else if (e > previous && e > threshold) {
            inRun = true;
            start = at;
            maximum = e;
        }
        previous = e;
        return ended;
    }
};

// |mean of the `before` sums - mean of the `after` sums|, means truncated.
inline int32_t WindowDifference(uint32_t beforeSum, int32_t beforeCount, uint32_t afterSum,
                                int32_t afterCount) {
    const int32_t left = static_cast<int32_t>(beforeSum / static_cast<uint32_t>(beforeCount));
    const int32_t right = static_cast<int32_t>(afterSum / static_cast<uint32_t>(afterCount));
    return std::abs(right - left);
}

}  // namespace

void ZoDrawing::PrepareGray() {
    ClearLayer();
    header_.colour[0] = header_.colour[1] = header_.colour[2] = 0;
    int64_t histogram[256] = {};
    for (int y = 0; y < height_; ++y) {
        const uint8_t* pixel = source_->Row(y);
        const uint8_t* focus = focusMap_->Row(y);
        uint8_t* line = layer_->Row(y);
        for (int x = 0; x < width_; ++x, pixel += 3, line += 3) {
            const int grey = (77 * pixel[2] + 151 * pixel[1] + 28 * pixel[0]) >> 8;
            line[0] = static_cast<uint8_t>(grey);
            if (focus[x] >= 128) ++histogram[grey];
        }
    }

    // Stretch the greys of the focused pixels between their 10 % and 90 % levels.
    int64_t total = 0;
    for (int64_t count : histogram) total += count;
    const int64_t lowCount = total / 10;
    const int64_t highCount = total * 9 / 10;
    int low = -1, high = -1;
    int64_t running = 0;
    for (int g = 0; g < 256 && high < 0; ++g) {
        running += histogram[g];
        if (low < 0 && running >= lowCount) low = g;
        if (running >= highCount) high = g;
    }
    if (high - low > 0) {
        uint8_t stretch[256];
        for (int g = 0; g < 256; ++g)
            stretch[g] = static_cast<uint8_t>(g < low ? 0 : g > high ? 255 : (g - low) * 255 / (high - low));
        for (int y = 0; y < height_; ++y) {
            uint8_t* line = layer_->Row(y);
            for (int x = 0; x < width_; ++x) line[3 * x] = stretch[line[3 * x]];
        }
    }

    // Two edge-preserving passes in place: each interior grey moves toward the mean of its
    // eight neighbours, less where their range is large. Pixels updated earlier in the pass
    // are seen by their later neighbours. The three columns of the window slide along the row
    // as sums, minima and maxima; the middle column leaves out the pixel itself.
    MathTbl falling;
    falling.Sigmoid(0.05, 0.5, 1.0, 0.0);
    const uint8_t* pull = falling.Table();
    if (width_ < 3 || height_ < 3) return;
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 1; y < height_ - 1; ++y) {
            const uint8_t* before = layer_->Row(y - 1);
            uint8_t* row = layer_->Row(y);
            const uint8_t* after = layer_->Row(y + 1);
            struct Column {
                int sum, low, high;
            };
            const auto column = [](int a, int b, int c) {
                const int lo = a < b ? a : b;
                const int hi = a < b ? b : a;
                return Column{a + b + c, c < lo ? c : lo, c > hi ? c : hi};
            };
            Column left = column(before[0], after[0], row[0]);
            int middleTop = before[3], middleBottom = after[3];
            for (int x = 1; x < width_ - 1; ++x) {
                const int i = 3 * (x + 1);
                const Column right = column(before[i], after[i], row[i]);
                const int sum = left.sum + middleTop + middleBottom + right.sum;
                int lo = middleTop < middleBottom ? middleTop : middleBottom;
                int hi = middleTop < middleBottom ? middleBottom : middleTop;
                if (left.low < lo) lo = left.low;
                if (right.low < lo) lo = right.low;
                if (left.high > hi) hi = left.high;
                if (right.high > hi) hi = right.high;
                const int v = row[3 * x];
                const int updated = v + ((sum / 8 - v) * (pull[hi - lo] + 1)) / 256;
                row[3 * x] = static_cast<uint8_t>(updated);
                left = column(middleTop, middleBottom, updated);
                middleTop = before[i];
                middleBottom = after[i];
            }
        }
    }
}

int ZoDrawing::DetectEdges() {
    const DrawingSettings& s = *settings_;
    const int32_t threshold = s.edgeThreshold;
    int32_t window[256];
    int32_t longest = 1;
    for (int f = 0; f < 256; ++f) {
        int64_t n = s.longWindow + (int64_t{s.spotSizeTable[f]} * (int64_t{s.shortWindow} - s.longWindow)) / 256;
        if (n < 1) n = 1;
        if (n > kMaxWindow) n = kMaxWindow;
        window[f] = static_cast<int32_t>(n);
        if (window[f] > longest) longest = window[f];
    }

    // Running sums of the grey: along the row being scanned, and for the column scan one row
    // of column sums for each row the windows can reach (sums of rows 0 .. r - 1 in slot r mod
    // slots).
    const int64_t reach = longest < height_ ? longest : height_;
    const int slots = static_cast<int>(2 * reach + 1 < int64_t{height_} + 1 ? 2 * reach + 1 : int64_t{height_} + 1);
    const size_t w = static_cast<size_t>(width_);
    std::unique_ptr<uint32_t[]> rowSums(new (std::nothrow) uint32_t[w + 1]);
    std::unique_ptr<uint32_t[]> columnSums(new (std::nothrow) uint32_t[w * static_cast<size_t>(slots)]);
    std::unique_ptr<EdgeRun[]> columnRuns(new (std::nothrow) EdgeRun[w]);
    if (!rowSums || !columnSums || !columnRuns) {
        StatusAppend(status_, texts::kNoMemory);
        return 0;
    }
    int64_t marks = 0;

    // Row scan.
    for (int y = 0; y < height_ && width_ >= 3; ++y) {
        uint8_t* line = layer_->Row(y);
        const uint8_t* focus = focusMap_->Row(y);
        uint32_t* sums = rowSums.get();
        sums[0] = 0;
        for (int x = 0; x < width_; ++x) sums[x + 1] = sums[x] + line[3 * x];
        EdgeRun run;
        for (int x = 1; x < width_ - 1; ++x) {
            const int32_t n = window[focus[x]];
            const int32_t before = n < x ? n : x;
            const int32_t after = n < width_ - x ? n : width_ - x;
            const int32_t e = WindowDifference(sums[x] - sums[x - before], before,
                                               sums[x + after] - sums[x], after);
            int32_t markAt;
            if (run.Feed(e, x, threshold, &markAt)) {
                line[3 * markAt + 2] = static_cast<uint8_t>(run.maximum);
                ++marks;
            }
        }
    }

    // Column scan, all columns at once row by row. A mark only raises an existing one.
    const auto slot = [&](int r) { return columnSums.get() + w * static_cast<size_t>(r % slots); };
    std::fill(slot(0), slot(0) + w, 0u);
    int summed = 0;  // the column sums are ready for rows 0..summed
    for (int y = 1; y < height_ - 1; ++y) {
        const int last = static_cast<int>(y + reach < height_ ? y + reach : height_);
        for (; summed < last; ++summed) {
            const uint32_t* from = slot(summed);
            uint32_t* to = slot(summed + 1);
            const uint8_t* line = layer_->Row(summed);
            for (size_t x = 0; x < w; ++x) to[x] = from[x] + line[3 * x];
        }
        const uint8_t* focus = focusMap_->Row(y);
        const uint32_t* here = slot(y);
        for (int x = 0; x < width_; ++x) {
            const int32_t n = window[focus[x]];
            const int32_t before = n < y ? n : y;
            const int32_t after = n < height_ - y ? n : height_ - y;
            const int32_t e = WindowDifference(here[x] - slot(y - before)[x], before,
                                               slot(y + after)[x] - here[x], after);
            EdgeRun& run = columnRuns[x];
            int32_t markAt;
            if (run.Feed(e, y, threshold, &markAt)) {
                uint8_t& mark = layer_->Row(markAt)[3 * x + 2];
                if (mark < run.maximum) {
                    if (mark == 0) ++marks;
                    mark = static_cast<uint8_t>(run.maximum);
                }
            }
        }
    }
    MeasureDensity(marks);
    return 1;
}

int ZoDrawing::TraceLines() {
    ComputeLimits();
    const int rowBytes = layer_->RowBytes();
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            uint8_t* start = layer_->Row(y) + 3 * x + 2;
            if (*start == 0) continue;
            pointCount_ = 0;
            int focus = focusMap_->Row(y)[x];
            AppendPoint(x, y, focus, 1);
            int64_t strengthSum = *start;
            int64_t focusSum = focus;
            *start = 0;
            int minX = x, maxX = x, minY = y, maxY = y;
            int cx = x, cy = y, heading = 1;
            uint8_t* mark = start;
            while (pointCount_ < limits_.maximumPoints) {
                int best = 0, bestStep = -1;
                for (int k = 0; k < 8; ++k) {
                    const int i = (heading + k) & 7;
                    const int nx = cx + kStepX[i];
                    const int ny = cy + kStepY[i];
                    if (nx < 0 || nx >= width_ || ny < 0 || ny >= height_) continue;
                    const int score = kTurnWeight[TurnBetween(heading, i)] *
                                      mark[3 * kStepX[i] + rowBytes * kStepY[i]];
                    if (score > best) {
                        best = score;
                        bestStep = i;
                    }
                }
                if (best == 0) break;
                heading = bestStep;
                cx += kStepX[heading];
                cy += kStepY[heading];
                mark += 3 * kStepX[heading] + rowBytes * kStepY[heading];
                focus = focusMap_->Row(cy)[cx];
                strengthSum += *mark;
                focusSum += focus;
                *mark = 0;
                AppendPoint(cx, cy, focus, 0);
                if (cx < minX) minX = cx;
                if (cx > maxX) maxX = cx;
                if (cy < minY) minY = cy;
                if (cy > maxY) maxY = cy;
            }
            if (!FinishEdgeLine(strengthSum, focusSum, minX, maxX, minY, maxY)) return 0;
        }
    }
    return 1;
}

int ZoDrawing::FinishEdgeLine(int64_t strengthSum, int64_t focusSum, int minX, int maxX,
                              int minY, int maxY) {
    const int count = pointCount_;
    if (count < 3) return 1;
    const int meanStrength = static_cast<int>(strengthSum / count);
    const int meanFocus = static_cast<int>(focusSum / count);
    const int64_t shortest = (int64_t{settings_->minLengthTable[meanFocus]} * limits_.minimumLength) >> 8;
    if (count <= shortest) return 1;
    // Lines wholly within the 10-pixel strips along the border are the picture's frame.
    if (!(minX < width_ - 10 && maxX > 10 && minY < height_ - 10 && maxY > 10)) return 1;
    const int weight = settings_->weightTable[meanFocus];
    header_.weight = static_cast<uint8_t>(weight);
    if (weight < 4) return 1;
    return SimplifyLine(meanFocus, meanStrength);
}
