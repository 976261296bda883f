// Default painting phase ExpertBase::Finish: the ground relief from the ground texture,
// weighted by the focus map through the "Wight" curve so that the ground shows most out of
// focus.
#include "engine/expert_base.h"
#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_material.h"
#include "imaging/math_tbl.h"

namespace {

// Sigmoid (slope, centre, low, high) of the weight table by material level.
const double kWeightCurve[3][4] = {
    {0.01, 0.0, 0.2, 0.05},
    {0.01, 0.0, 0.4, 0.1},
    {0.01, 0.0, 0.6, 0.2},
};

constexpr CurveRows kWeightCurveRows = {{0.01, 0.1, 0.05, 0.05}, {0, 0, 0, 0}, {5, 1, 1, 1}};

}  // namespace

int ExpertBase::Finish() {
    if (ground == nullptr || ground->textureSide <= 0) return 1;

    // Without its noise fields the relief cannot be laid: reported as short memory, which it is.
    auto material = MakeValidOrReport<ZoMaterial>(status, texts::kNoMemory, source, canvas.get(),
                                                  focusMap.get(), *ground, status);
    if (!material) return 0;
    auto curve = MakeOrReport<ParamCurve>(status, texts::kNoMemory);
    if (!curve) return 0;
    FillSigmoidCurve(*curve, "Wight", ForLevel(kWeightCurve, materialLevel), &kWeightCurveRows);
    MathTbl builder;
    builder.FromCurve(*curve);

    // Raised texture lighter and less colourful, hollows darker and more colourful.
    material->ApplyTexture(curve->table, 4, -4, -4, 4);
    return 1;
}
