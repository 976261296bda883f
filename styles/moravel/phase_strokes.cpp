// MORAVEL's knife passes, from the widest knife to the finest, each stroke kept inside its
// part, and the detail pass that brings the picture's strong edges back.
#include <algorithm>
#include <cmath>

#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_stroke.h"
#include "styles/moravel/expert.h"

namespace moravel {

namespace {

constexpr int kBrushBufferBytes = 150000;

struct KnifePassConstants {
    const char* brush;
    double sizeFactor;
    double coverageFactor;
    double reliefFactor;  // times the touch level's relief factor, at most 1.0
    double spacing;       // both axes
    double jitter;        // both axes
    double bendAmplitude;
    double bendPhase;
    double density;
    int focusLow;  // focus window focusLow..255
    double minVariance[4];
    double maxVariance[4];
};

constexpr KnifePassConstants kKnives[Expert::kKnifePasses] = {
    {"KNIFE6", 1.0, 0.9, 0.5, 1.0, 0.5, 0.3, 1.0, 1.0, 0, {0.01, 0, 0, 0}, {0.01, 1, 0.3, 1}},
    {"KNIFE5", 1.0, 0.9, 0.5, 1.0, 0.5, 0.3, 1.0, 1.0, 0, {0.01, 0, 0.2, 0}, {0.02, 1, 0.2, 1}},
    {"KNIFE4", 1.0, 0.9, 0.7, 0.6, 0.5, 0.6, 1.0, 1.0, 0, {0.01, 1, 0.15, 0}, {0.01, 1, 0.2, 1}},
    {"KNIFE3", 1.0, 0.9, 0.7, 0.6, 0.5, 0.6, 1.0, 1.0, 0, {0.01, 1, 0.2, 0}, {0.01, 1, 0.2, 1}},
    {"KNIFE2", 1.0, 0.9, 0.6, 0.6, 0.5, 0.6, 1.0, 1.0, 50, {0.02, 1, 0.3, 0}, {0.02, 1, 0.3, 1}},
    {"KNIFE1", 1.0, 0.9, 0.6, 0.6, 0.5, 0.6, 1.0, 1.0, 150, {0.02, 1, 0.4, 0.1},
     {0.02, 1, 0.5, 1}},
};

// By touch level: the brush scale factor, the relief factor and the detail pass's clean factor.
struct TouchFactors {
    double scale;
    double relief;
    double clean;
};
constexpr TouchFactors kTouchFactors[3] = {{0.8, 0.8, 0.1}, {1.0, 1.0, 0.1}, {1.25, 1.25, 0.1}};

}  // namespace

double KnifeScale(int diagonal, int dpi, double sizeFactor, double scaleFactor) {
    const double d = std::clamp(dpi, 1, 400);
    double maxScale = diagonal * scaleFactor * 0.2 * 0.01;
    if (maxScale > 4.0) maxScale = 4.0;
    const double minScale = 4.0 * scaleFactor * (1.0 / 12);
    double scale = std::pow(static_cast<double>(diagonal), 0.3) * sizeFactor * d * 0.0015 *
                   scaleFactor;
    if (scale > maxScale) scale = maxScale;
    if (scale < minScale) scale = minScale;
    return scale;
}

int Expert::InitStroke(int pass) { return pass < kKnifePasses ? KnifePass(pass) : DetailPass(); }

int Expert::KnifePass(int pass) {
    auto stroke = MakeOrReport<ZoStroke>(status, texts::kInitStrokeNoMemory, source, canvas.get(),
                                         focusMap.get(), colorIndexMap.get(), status);
    if (!stroke) return 0;
    stroke->SetSampleSource(1);
    const TouchFactors& touch = ForLevel(kTouchFactors, touchLevel);
    const KnifePassConstants& c = kKnives[pass];
    const uint8_t* minTable = BuildSigmoidCurve(minVariance, "Stroke Min Variance / Focus", c.minVariance);
    const uint8_t* maxTable = BuildSigmoidCurve(maxVariance, "Stroke Max Variance / Focus", c.maxVariance);

    const double scale = KnifeScale(diagonal, dpi, c.sizeFactor, touch.scale);
    const double relief = std::min(touch.relief * c.reliefFactor, 1.0);
    // Its failure text is in the status buffer already.
    if (stroke->LoadBrush(module, c.brush, kBrushBufferBytes, c.coverageFactor, scale, relief) != 1)
        return 0;
    stroke->SetSpacing(c.spacing, c.spacing);
    stroke->SetJitter(c.jitter, c.jitter);
    stroke->SetMinVariance(minTable);
    stroke->SetMaxVariance(maxTable);
    stroke->SetDensity(c.density);
    stroke->SetFocusRange(c.focusLow, 255);
    stroke->SetBrightnessRange(0, 255);
    stroke->SetColorJitter(0);
    stroke->SetCellShift(0, 0, 0, 0);
    stroke->SetColorShift(0, 0, 0);
    stroke->SetBend(c.bendAmplitude, c.bendPhase);
    // Every stroke stays inside its part; parts are painted in label order.
    for (int part = 0; part < colorCount; ++part) stroke->PaintColor(part);
    return 1;
}

int Expert::DetailPass() {
    auto stroke = MakeOrReport<ZoStroke>(status, texts::kInitStrokeNoMemory, source, canvas.get(),
                                         focusMap.get(), colorIndexMap.get(), status);
    if (!stroke) return 0;
    const TouchFactors& touch = ForLevel(kTouchFactors, touchLevel);
    const uint8_t* weight = KeepSigmoidCurve(detailWeight, "Wight", {0.04, 0, 0, 1.0});
    const uint8_t* edge = KeepSigmoidCurve(edgeDecrease, "Decrese from Edge / focus", {0.01, 1.0, 1.0, 0});
    const uint8_t* colour = KeepSigmoidCurve(detailColor, "Detail Color Correction", {0.02, 0.5, 0, 1.0});
    const uint8_t* cleanTable = KeepSigmoidCurve(clean, "Clean / Focus", {0.07, 0.7, 1.0, touch.clean});
    stroke->DetailClean(edge, weight, colour, cleanTable);
    return 1;
}

}  // namespace moravel
