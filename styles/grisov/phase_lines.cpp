// GRISOV's line phases and its values for the line engine: edge lines found at a lower edge
// strength and over longer windows than the collage's, every line rising from thin at its start
// to thick at its end; touch level 0 gives thin lines with many corners, level 2 broad ones
// with few.
#include "styles/grisov/expert.h"

namespace grisov {

namespace {

kolda::LineStyle MakeDrawingLines() {
    kolda::LineStyle style = {};
    DrawingSettings& s = style.settings;
    s.filled = 1;
    s.mode = kDrawingEdgeLines;
    s.taper = kTaperRising;
    s.edgeThreshold = 15;
    s.hatchFocusLow = 0;
    s.hatchFocusHigh = 256;
    s.shortWindow = 2;
    s.longWindow = 15;
    s.minLength = 50;
    s.maxPoints = 50000;
    s.minWidth = 15;
    s.densityInfluence = 50;
    s.fullLength = 50;
    style.byTouch[0] = {40, 100, 30};
    style.byTouch[1] = {80, 50, 50};
    style.byTouch[2] = {100, 30, 200};
    style.curves = kolda::LineCurveValues{
        {0.05, 0.7, 1.0, 1.0},  // colour distance
        {0.03, 0.9, 1.0, 1.0},  // spot size
        {0.03, 0.7, 1.0, 1.0},  // minimum length
        {0.04, 0.7, 1.0, 0.1},  // pen size
        {0.0, 1.0, 1.0, 1.0},   // weight
        {0.05, 1.0, 1.0, 0.5},  // speed
    };
    return style;
}

}  // namespace

const kolda::LineStyle& DrawingLines() {
    static const kolda::LineStyle kStyle = MakeDrawingLines();
    return kStyle;
}

int Expert::DetectLines() { return kolda::DetectLines(*this, DrawingLines(), lines); }

int Expert::DrawLines() { return kolda::DrawLines(lines); }

}  // namespace grisov
