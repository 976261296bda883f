// Default painting phase ExpertBase::Deform: the radial mesh deformation by the deform level,
// applied to the picture and, through the same grid, to the colour-index and focus maps so that
// every later phase sees them in register.
#include "engine/expert_base.h"
#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_form.h"

int ExpertBase::Deform() {
    if (deformLevel == 0) return 1;
    // Level 0 never reaches the table; its entry only fills the slot.
    static const double kStrength[3] = {0.0, 0.03, 0.06};
    const double strength = ForLevel(kStrength, deformLevel);

    auto form = MakeValidOrReport<ZoForm>(status, texts::kNoMemory, width, height, status);
    if (!form) return 0;
    // The node operation and the warps report only missing images, which Initialize rules out.
    form->Distort(strength, 0.0);
    form->WarpImage(source, canvas.get());
    form->WarpPlanes(colorIndexMap.get(), focusMap.get(), canvas.get());
    return 1;
}
