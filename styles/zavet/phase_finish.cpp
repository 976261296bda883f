// ZAVET's finish: the ground's relief over the washed picture, as strong in focus as out of it.
#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_material.h"
#include "styles/zavet/expert.h"

namespace zavet {

namespace {

// The relief's weight by material level; the table is the constant 76, 127 or 204.
constexpr double kReliefWeight[3] = {0.3, 0.5, 0.8};
constexpr CurveRows kWeightRows = {{0.01, 0.1, 0.05, 0.05}, {0, 0, 0, 0}, {5, 1, 1, 1}};

}  // namespace

int Expert::Finish() {
    if (ground == nullptr || ground->textureSide <= 0) return 1;  // a plain ground
    // Without its noise fields the relief cannot be laid: reported as short memory, which it is.
    auto material = MakeValidOrReport<ZoMaterial>(status, texts::kNoMemory, source, canvas.get(),
                                                  focusMap.get(), *ground, status);
    if (!material) return 0;
    const double w = ForLevel(kReliefWeight, materialLevel);
    const uint8_t* weight = KeepSigmoidCurve(textureWeight, "Wight", {0, 0, w, w}, &kWeightRows);
    // Raised texture lighter, hollows darker and more colourful.
    material->ApplyTexture(weight, 2, 0, -4, 4);
    return 1;
}

}  // namespace zavet
