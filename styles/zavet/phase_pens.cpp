// ZAVET's pen passes, from the largest pen to the smallest, over the whole picture onto a canvas
// cleared to the ground colour, and the pass that makes the painted canvas the picture.
#include <algorithm>
#include <cmath>

#include "engine/levels.h"
#include "engine/make_component.h"
#include "styles/zavet/expert.h"

namespace zavet {

namespace {

struct PenPassConstants {
    const char* brush;
    double coverageFactor;
    double reliefFactor;
    double spacing;  // both axes
    // Both axes. The jitter is a multiple of the grid step here, so a dab strays up to one
    // step (2.0) or one and a half (3.0) right of and above its grid point.
    double jitter;
    double density;
    int cellHueStep;
    int lightUpStep;
    int lightDownStep;
    int chromaShift;
    double minVariance[4];  // sigmoid: slope, centre, low, high
};

constexpr PenPassConstants kPens[Expert::kPenPasses] = {
    {"PEN3", 0.5, 0.6, 0.5, 2.0, 0.8, 32, 40, 10, 0, {0, 0, 0, 0}},
    {"PEN2", 0.6, 0.5, 0.7, 2.0, 0.6, 16, 30, 10, 10, {0.01, 0, 0.1, 0}},
    {"PEN1", 0.8, 0.4, 0.7, 3.0, 0.5, 8, 20, 10, 20, {0.01, 0, 0.2, 0.02}},
    {"PEN0", 1.0, 0.5, 0.8, 3.0, 0.5, 4, 10, 10, 30, {0.01, 0, 0.4, 0.05}},
};

// No upper limit in practice: the table is 255 at every focus.
constexpr double kMaxVariance[4] = {0, 0, 1.0, 1.0};
constexpr CurveRows kVarianceRows = {{0.01, 0.02, 0.01, 0.01}, {0, 0, 0, 0}, {5, 1, 1, 1}};

// By touch level: the pens' scale factor and each pass's bend amplitude.
struct TouchFactors {
    double scale;
    double bend[Expert::kPenPasses];
};
constexpr TouchFactors kTouchFactors[3] = {
    {1.0, {0.4, 0.3, 0, 0}},
    {1.5, {0.6, 0.5, 0, 0}},
    {2.0, {0.8, 0.7, 0, 0}},
};

// By colour level: each pass's colour jitter (the second pass half the first's) and light shift.
struct ColourFactors {
    int jitter[Expert::kPenPasses];
    int lightShift[Expert::kPenPasses];
};
constexpr ColourFactors kColourFactors[3] = {
    {{0, 0, 0, 0}, {100, 80, 40, 20}},
    {{0, 0, 0, 0}, {80, 60, 30, 10}},
    {{60, 30, 0, 0}, {60, 40, 30, 10}},
};

constexpr double kBendPhase = 1.0;
constexpr double kMinPenScale = 0.5;
constexpr double kMaxPenScale = 6.0;

}  // namespace

double PenScale(int diagonal, int dpi, double scaleFactor) {
    const double d = std::clamp(dpi, 1, 400);
    const double scale =
        std::pow(static_cast<double>(diagonal), 0.3) * 1.0 * d * 0.001 * scaleFactor;
    return std::clamp(scale, kMinPenScale, kMaxPenScale);
}

int Expert::StrokePass(int pass) {
    // An object that did not take the images could neither paint nor copy the canvas.
    auto stroke = MakeValidOrReport<ZoStroke>(status, texts::kInitStrokeNoMemory, source,
                                              canvas.get(), focusMap.get(), colorIndexMap.get(),
                                              status);
    if (!stroke) return 0;
    if (pass < 0 || pass >= kPenPasses) {
        stroke->CopyCanvasToSource();
        return 1;
    }
    // Its failure text is in the status buffer already.
    if (SetUpPen(*stroke, pass) != 1) return 0;
    stroke->Paint();  // an empty pen paints nothing, which is no failure
    return 1;
}

int Expert::SetUpPen(ZoStroke& stroke, int pass) {
    if (pass < 0 || pass >= kPenPasses) return 0;
    stroke.SetSampleSource(1);
    const TouchFactors& touch = ForLevel(kTouchFactors, touchLevel);
    const ColourFactors& colour = ForLevel(kColourFactors, colorLevel);
    const PenPassConstants& c = kPens[pass];
    if (pass == 0) {
        // The first dabs go onto a canvas of the ground colour.
        if (ground != nullptr) {
            stroke.Fill(ground->red, ground->green, ground->blue);
        } else {
            stroke.Fill(255, 255, 255);
        }
    }
    const uint8_t* minTable = BuildSigmoidCurve(minVariance, "Stroke Min Variance / Focus",
                                                c.minVariance, &kVarianceRows);
    const uint8_t* maxTable = BuildSigmoidCurve(maxVariance, "Stroke Max Variance / Focus",
                                                kMaxVariance, &kVarianceRows);
    const double scale = PenScale(diagonal, dpi, touch.scale);
    if (stroke.LoadBrush(module, c.brush, kBrushBufferBytes, c.coverageFactor, scale,
                         c.reliefFactor) != 1)
        return 0;
    stroke.SetSpacing(c.spacing, c.spacing);
    stroke.SetJitter(c.jitter, c.jitter);
    stroke.SetMinVariance(minTable);
    stroke.SetMaxVariance(maxTable);
    stroke.SetDensity(c.density);
    stroke.SetFocusRange(0, 255);
    stroke.SetBrightnessRange(0, 255);
    stroke.SetColorJitter(colour.jitter[pass]);
    stroke.SetCellShift(c.cellHueStep, 0, c.lightUpStep, c.lightDownStep);
    stroke.SetColorShift(0, c.chromaShift, colour.lightShift[pass]);
    stroke.SetBend(touch.bend[pass], kBendPhase);
    return 1;
}

}  // namespace zavet
