// The evenly weighted ground relief; see even_relief.h.
#include "engine/even_relief.h"

#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_material.h"

int EvenReliefFinish(ExpertBase& engine, ParamCurve& curve, const double (&weight)[3],
                     const CurveRows* rows, const int (&gains)[4]) {
    const MaterialInfo* ground = engine.ground;
    if (ground == nullptr || ground->textureSide <= 0) return 1;  // a plain ground
    // Without its noise fields the relief cannot be laid: reported as short memory, which it is.
    auto material = MakeValidOrReport<ZoMaterial>(engine.status, texts::kNoMemory, engine.source,
                                                  engine.canvas.get(), engine.focusMap.get(),
                                                  *ground, engine.status);
    if (!material) return 0;
    const double w = ForLevel(weight, engine.materialLevel);
    // Slope 0: the table is the constant w × 255.
    const uint8_t* table = KeepSigmoidCurve(curve, "Wight", {0, 0, w, w}, rows);
    material->ApplyTexture(table, gains[0], gains[1], gains[2], gains[3]);
    return 1;
}
