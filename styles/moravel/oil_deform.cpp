// The oil-paint deformation.
#include "styles/moravel/oil_deform.h"

#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_form.h"

namespace moravel {

int OilPaintDeform(ExpertBase& engine) {
    if (engine.deformLevel == 0) return 1;
    // Level 0 never reaches the table; its entry only fills the slot.
    static const double kStrength[3] = {0.0, -0.04, -0.06};
    const double strength = ForLevel(kStrength, engine.deformLevel);
    auto form = MakeValidOrReport<ZoForm>(engine.status, texts::kNoMemory, engine.width,
                                          engine.height, engine.status);
    if (!form) return 0;
    form->Distort(strength, 0.0);
    form->WarpImage(engine.source, engine.canvas.get());
    form->WarpPlanes(engine.colorIndexMap.get(), engine.focusMap.get(), engine.canvas.get());
    return 1;
}

}  // namespace moravel
