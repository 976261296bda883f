// The oil-paint deformation.
#include "styles/moravel/oil_deform.h"

#include "engine/distort_phase.h"

namespace moravel {

int OilPaintDeform(ExpertBase& engine) {
    // Negative: the mesh is pulled inward.
    static const double kStrength[3] = {0.0, -0.04, -0.06};
    return DistortPhase(engine, kStrength);
}

}  // namespace moravel
