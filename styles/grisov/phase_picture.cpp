// GRISOV's phases on the whole picture: the bent mesh, paper white and the ground's tint, and
// the ground's relief.
#include "engine/distort_phase.h"
#include "engine/even_relief.h"
#include "engine/levels.h"
#include "styles/grisov/expert.h"
#include "styles/kolda/color_map_ex.h"

namespace grisov {

namespace {

// The colour map by colour level: offset of both strengths, and the highest focus at which a
// weakly coloured pixel turns into paper.
struct ColourValues {
    int offset;
    int maskHigh;
};
constexpr ColourValues kColourByLevel[3] = {{-2, 100}, {0, 200}, {2, 200}};

// Below this chroma a pixel may become paper.
constexpr int kChromaThreshold = 32;
// No lightness lies below it: every thresholded pixel becomes white, none black.
constexpr int kAllWhite = -1;

// The relief's weight by material level; the table is the constant 51, 127 or 204.
constexpr double kReliefWeight[3] = {0.2, 0.5, 0.8};
// Raised texture lighter, hollows darker and more colourful.
constexpr int kReliefGains[4] = {2, 0, -4, 4};

}  // namespace

int Expert::Deform() {
    // Level 0 never reaches the table; its entry only fills the slot.
    static const double kStrength[3] = {0.0, 0.06, 0.12};
    return DistortPhase(*this, kStrength);
}

int Expert::MapColors() {
    auto map = MakeColorMapEx(status);
    if (!map) return 0;
    const ColourValues& v = ForLevel(kColourByLevel, colorLevel);
    // Falls from full strength at focus 0 to none in focus.
    const uint8_t* tintWeight =
        KeepSigmoidCurve(groundColor, "Ground Color", {0.03, 0.0, 1.0, 0.0});
    const int red = ground ? ground->red : 255;
    const int green = ground ? ground->green : 255;
    const int blue = ground ? ground->blue : 255;
    // A map that cannot be set up or loaded leaves the picture's colours.
    if (map->SetupMasked(source, source, focusMap.get(), v.offset, v.offset) == 1 &&
        map->LoadFromResource(module, "ColorMap") == 1) {
        map->SetThresholds(kChromaThreshold, kAllWhite, 0, v.maskHigh);
        map->SetTint(red, green, blue, tintWeight);
        map->Run();
    }
    return 1;
}

int Expert::Finish() {
    return EvenReliefFinish(*this, textureWeight, kReliefWeight, nullptr, kReliefGains);
}

}  // namespace grisov
