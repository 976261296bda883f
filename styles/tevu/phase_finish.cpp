// TEVU's finish: the ground's relief over the print, as strong in focus as out of it.
#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_material.h"
#include "styles/tevu/curve_rows.h"
#include "styles/tevu/expert.h"

namespace tevu {

namespace {

// The relief's weight by material level; the table is the constant 76, 127 or 204.
constexpr double kReliefWeight[3] = {0.3, 0.5, 0.8};

}  // namespace

int Expert::Finish() {
    if (ground == nullptr || ground->textureSide <= 0) return 1;  // a plain ground
    // Checked before the relief's noise fields draw from the generator, so that a failed
    // finish leaves the random sequence where it was.
    if (!CurvesOrReport({textureWeight.get()})) return 0;
    // Without its noise fields the relief cannot be laid: reported as short memory, which it is.
    auto material = MakeValidOrReport<ZoMaterial>(status, texts::kNoMemory, source, canvas.get(),
                                                  focusMap.get(), *ground, status);
    if (!material) return 0;
    const double w = ForLevel(kReliefWeight, materialLevel);
    const uint8_t* weight = KeepSigmoidCurve(*textureWeight, "Wight", {0, 0, w, w}, &kWeightRows);
    // Raised texture lighter, hollows darker; the chroma stays as the print has it.
    material->ApplyTexture(weight, 2, 0, -4, 0);
    return 1;
}

}  // namespace tevu
