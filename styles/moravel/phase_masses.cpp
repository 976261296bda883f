// MORAVEL's mass phases: the flat masses, the shading of their edges and the background relief.
#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/picture_length.h"
#include "styles/moravel/expert.h"

namespace moravel {

namespace {

// Edge shading by touch level: length factor, colour-distance slope, focus weight end.
struct ShadeConstants {
    double lengthFactor;
    double distanceSlope;
    double focusWeightEnd;
};
constexpr ShadeConstants kShadeByTouch[3] = {{0.003, 0.005, 0.4}, {0.005, 0.01, 0.5},
                                             {0.007, 0.02, 0.5}};

// The background relief's weight curve by material level.
constexpr double kBackgroundWeight[3][4] = {{0, 0, 0.1, 0}, {0.2, 0, 0.5, 0}, {0, 0, 0.5, 0.1}};

constexpr int kMaxShadeLength = 20;
constexpr int kMinShadeLength = 3;

}  // namespace

int ShadeLength(int diagonal, int dpi, double lengthFactor) {
    return PictureLength(diagonal, dpi, lengthFactor, kMinShadeLength, kMaxShadeLength);
}

int Expert::InitMass() {
    masses_ = MakeValidOrReport<ZoMass>(status, texts::kInitMassNoMemory, context);
    if (!masses_) return 0;
    // Out of focus the masses are broad; in focus finer, and cleaned twice.
    static const int kLimits[2] = {192, 256};
    static const int kMergeCounts[2] = {6, 6};
    static const int kPasses[2] = {0, 2};
    masses_->Segment(2, kLimits, kMergeCounts, kPasses, 1);
    masses_->RankByFocus();
    masses_->MeasureParts();
    return 1;
}

int Expert::ShadeMass() {
    if (!masses_) return 1;
    const ShadeConstants& c = ForLevel(kShadeByTouch, touchLevel);
    const uint8_t* shape = KeepSigmoidCurve(shadeShape, "(Shape) Add / Length", {0.01, 0, 0.4, 0.1});
    const uint8_t* reach = KeepSigmoidCurve(shadeLength, "Length / Focus", {0.04, 1.0, 1.0, 0});
    const uint8_t* distance =
        KeepSigmoidCurve(shadeDistance, "Wight / Color Distance", {c.distanceSlope, 0, 0, 1.0});
    const uint8_t* focus =
        KeepSigmoidCurve(shadeFocus, "Wight / Focus", {0.08, 1.0, 1.0, c.focusWeightEnd});
    masses_->ShadeEdges(ShadeLength(diagonal, dpi, c.lengthFactor), shape, reach, distance, focus);
    return 1;
}

int Expert::Finish() {
    if (!masses_) return 1;
    const uint8_t* weight =
        KeepSigmoidCurve(backgroundWeight, "Wight", ForLevel(kBackgroundWeight, materialLevel));
    // Raised texture lighter, hollows darker and more colourful; no outlines in this style.
    masses_->TextureBackground(weight, 2, 0, -2, 2, 0);
    return 1;
}

}  // namespace moravel
