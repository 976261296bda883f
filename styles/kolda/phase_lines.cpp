// KOLDA's line phases and its values for the line engine: edge lines, thick in the middle;
// a higher touch level gives wider lines that reach full width at a lower edge strength and
// keep fewer corners.
#include "styles/kolda/expert.h"

namespace kolda {

namespace {

LineStyle MakeCollageLines() {
    LineStyle style = {};
    DrawingSettings& s = style.settings;
    s.filled = 1;
    s.mode = kDrawingEdgeLines;
    s.taper = kTaperThickMiddle;
    s.edgeThreshold = 20;
    s.hatchFocusLow = 0;
    s.hatchFocusHigh = 256;
    s.shortWindow = 2;
    s.longWindow = 10;
    s.minLength = 50;
    s.maxPoints = 50000;
    s.minWidth = 15;
    s.densityInfluence = 50;
    s.fullLength = 250;
    style.byTouch[0] = {80, 200, 100};
    style.byTouch[1] = {90, 150, 150};
    style.byTouch[2] = {100, 100, 200};
    style.curves = LineCurveValues{
        {0.03, 0.4, 0.2, 1.0},  // colour distance
        {0.03, 0.5, 0.0, 1.0},  // spot size
        {0.03, 0.7, 1.0, 0.4},  // minimum length
        {0.03, 1.0, 1.0, 0.0},  // pen size
        {0.0, 1.0, 1.0, 1.0},   // weight
        {0.03, 0.7, 1.0, 0.0},  // speed
    };
    return style;
}

}  // namespace

const LineStyle& CollageLines() {
    static const LineStyle kStyle = MakeCollageLines();
    return kStyle;
}

int Expert::DetectLines() { return kolda::DetectLines(*this, CollageLines(), lines); }

int Expert::DrawLines() { return kolda::DrawLines(lines); }

}  // namespace kolda
