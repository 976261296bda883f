// The oil-paint deformation: the mesh pulled inward a little (k = -0.04 at deform level 1,
// -0.06 at level 2) and the picture and both maps warped through it. MORAVEL's Deform phase,
// borrowed by TEVU.
#pragma once

#include "engine/expert_base.h"

namespace moravel {

// 1 at once for deform level 0; 1 after the warp; 0 with the out-of-memory text over the status
// text when the mesh cannot be made.
int OilPaintDeform(ExpertBase& engine);

}  // namespace moravel
