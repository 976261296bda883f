// Default painting phase ExpertBase::Deform: the radial mesh deformation by the deform level,
// applied to the picture and, through the same grid, to the colour-index and focus maps so that
// every later phase sees them in register.
#include "engine/distort_phase.h"
#include "engine/expert_base.h"
#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_form.h"

int DistortPhase(ExpertBase& engine, const double (&strength)[3]) {
    if (engine.deformLevel == 0) return 1;
    // Level 0 never reaches the table; its entry only fills the slot.
    const double k = ForLevel(strength, engine.deformLevel);
    auto form = MakeValidOrReport<ZoForm>(engine.status, texts::kNoMemory, engine.width,
                                          engine.height, engine.status);
    if (!form) return 0;
    // The node operation and the warps report only missing images, which Initialize rules out.
    form->Distort(k, 0.0);
    form->WarpImage(engine.source, engine.canvas.get());
    form->WarpPlanes(engine.colorIndexMap.get(), engine.focusMap.get(), engine.canvas.get());
    return 1;
}

int ExpertBase::Deform() {
    static const double kStrength[3] = {0.0, 0.03, 0.06};
    return DistortPhase(*this, kStrength);
}
