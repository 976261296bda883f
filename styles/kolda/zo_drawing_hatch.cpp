// ZoDrawing's hatching: dark, weakly coloured pixels on a grid of parallel lines are marked,
// then traced into straight-ish strokes like the edge lines.
#include "imaging/hue_color.h"
#include "styles/kolda/trace_steps.h"
#include "styles/kolda/zo_drawing.h"

using namespace trace_steps;

void ZoDrawing::MarkHatch() {
    const DrawingSettings& s = *settings_;
    const int spacing = [&] {
        double v = s.shortWindow * scale_;
        if (!(v >= 2)) v = 2;
        if (v > 1 << 30) v = 1 << 30;
        return static_cast<int>(v);
    }();
    header_.colour[0] = header_.colour[1] = 0;
    header_.colour[2] = 255;
    int64_t marks = 0;
    for (int y = 0; y < height_; ++y) {
        const uint8_t* pixel = source_->Row(y);
        const uint8_t* focus = focusMap_->Row(y);
        uint8_t* line = layer_->Row(y);
        const int rowPhase = y % spacing;
        for (int x = 0; x < width_; ++x, pixel += 3, line += 3) {
            HueColor colour{pixel[2], pixel[1], pixel[0], 0, 0, 0};
            RgbToHcy(colour);
            const int columnPhase = x % spacing;
            bool onLine;
            switch (s.hatchDirection) {
                case kHatchRows: onLine = rowPhase == 0; break;
                case kHatchColumns: onLine = columnPhase == 0; break;
                case kHatchDiagonal: onLine = columnPhase == rowPhase; break;
                default: onLine = spacing - rowPhase == columnPhase + 1; break;
            }
            const bool hatched = onLine && colour.luma <= s.longWindow && colour.chroma <= 32 &&
                                 s.hatchFocusLow <= focus[x] && focus[x] <= s.hatchFocusHigh;
            if (hatched) {
                line[0] = line[1] = 1;
                line[2] = static_cast<uint8_t>(255 - colour.luma);
                ++marks;
            } else {
                line[0] = line[1] = line[2] = 0;
            }
        }
    }
    MeasureDensity(marks);
}

int ZoDrawing::TraceHatch() {
    ComputeLimits();
    const int rowBytes = layer_->RowBytes();
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            uint8_t* here = layer_->Row(y) + 3 * x;
            if (here[0] == 0) continue;
            // Neighbours belong to the line when they carry the start's value from before it
            // was cleared.
            const uint8_t value = here[0];
            pointCount_ = 0;
            int focus = focusMap_->Row(y)[x];
            AppendPoint(x, y, focus, 1);
            int64_t darknessSum = here[2];
            int64_t focusSum = focus;
            here[0] = here[1] = 0;
            int cx = x, cy = y, heading = 1;
            while (pointCount_ < limits_.maximumPoints) {
                int bestStep = -1, bestTurn = 5, candidates = 0;
                for (int k = 0; k < 8; ++k) {
                    const int i = (heading + k) & 7;
                    const int nx = cx + kStepX[i];
                    const int ny = cy + kStepY[i];
                    if (nx < 0 || nx >= width_ || ny < 0 || ny >= height_) continue;
                    const uint8_t* next = here + 3 * kStepX[i] + rowBytes * kStepY[i];
                    if (next[0] != value && next[1] != value) continue;
                    ++candidates;
                    const int turn = TurnBetween(heading, i);
                    if (turn < bestTurn) {
                        bestTurn = turn;
                        bestStep = i;
                    }
                }
                if (candidates == 0 || bestTurn >= kTurn135 ||
                    (candidates > 1 && bestTurn >= kTurn90))
                    break;
                heading = bestStep;
                cx += kStepX[heading];
                cy += kStepY[heading];
                here += 3 * kStepX[heading] + rowBytes * kStepY[heading];
                focus = focusMap_->Row(cy)[cx];
                darknessSum += here[2];
                focusSum += focus;
                here[0] = here[1] = 0;
                AppendPoint(cx, cy, focus, 0);
            }
            const int count = pointCount_;
            if (count < limits_.minimumLength) continue;
            const int meanDarkness = static_cast<int>(darknessSum / count);
            const int meanFocus = static_cast<int>(focusSum / count);
            if (meanDarkness <= settings_->edgeThreshold) continue;
            const int weight = settings_->weightTable[meanFocus];
            header_.weight = static_cast<uint8_t>(weight);
            if (weight >= 4 && !SimplifyLine(meanFocus, meanDarkness)) return 0;
        }
    }
    return 1;
}
