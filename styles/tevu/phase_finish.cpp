// TEVU's finish: the ground's relief over the print, as strong in focus as out of it.
#include "engine/even_relief.h"
#include "styles/tevu/curve_rows.h"
#include "styles/tevu/expert.h"

namespace tevu {

namespace {

// The relief's weight by material level; the table is the constant 76, 127 or 204.
constexpr double kReliefWeight[3] = {0.3, 0.5, 0.8};
// Raised texture lighter, hollows darker; the chroma stays as the print has it.
constexpr int kReliefGains[4] = {2, 0, -4, 0};

}  // namespace

int Expert::Finish() {
    if (ground == nullptr || ground->textureSide <= 0) return 1;  // a plain ground
    // Checked before the relief's noise fields draw from the generator, so that a failed
    // finish leaves the random sequence where it was.
    if (!CurvesOrReport({textureWeight.get()})) return 0;
    return EvenReliefFinish(*this, *textureWeight, kReliefWeight, &kWeightRows, kReliefGains);
}

}  // namespace tevu
