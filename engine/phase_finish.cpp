// Default painting phase ExpertBase::Finish: the ground relief from the ground texture,
// weighted by the focus map through the "Wight" curve so that the ground shows most out of
// focus.
#include <memory>
#include <new>

#include "engine/expert_base.h"
#include "engine/levels.h"
#include "engine/status_text.h"
#include "engine/zo_material.h"
#include "imaging/math_tbl.h"

namespace {

// Sigmoid (slope, centre, low, high) of the weight table by material level.
const double kWeightCurve[3][4] = {
    {0.01, 0.0, 0.2, 0.05},
    {0.01, 0.0, 0.4, 0.1},
    {0.01, 0.0, 0.6, 0.2},
};

void FillWeightCurve(ParamCurve& curve, int materialLevel) {
    static const double kStep[4] = {0.01, 0.1, 0.05, 0.05};
    static const double kMaximum[4] = {5.0, 1.0, 1.0, 1.0};
    const double(&values)[4] = ForLevel(kWeightCurve, materialLevel);
    CopyTextBounded(curve.name, sizeof curve.name, "Wight");
    curve.type = 3;
    curve.count = 4;
    for (int i = 0; i < 4; ++i) {
        curve.value[i] = values[i];
        curve.step[i] = kStep[i];
        curve.minimum[i] = 0.0;
        curve.maximum[i] = kMaximum[i];
    }
}

}  // namespace

int ExpertBase::Finish() {
    if (ground == nullptr || ground->textureSide <= 0) return 1;

    std::unique_ptr<ZoMaterial> material(
        new (std::nothrow) ZoMaterial(source, canvas.get(), focusMap.get(), *ground, status));
    if (!material || !material->IsValid()) {
        StatusCopy(status, "メモリが足りません。");
        return 0;
    }
    std::unique_ptr<ParamCurve> curve(new (std::nothrow) ParamCurve());
    if (!curve) {
        StatusCopy(status, "メモリが足りません。");
        return 0;
    }
    FillWeightCurve(*curve, materialLevel);
    MathTbl builder;
    builder.FromCurve(*curve);

    // Raised texture lighter and less colourful, hollows darker and more colourful.
    material->ApplyTexture(curve->table, 4, -4, -4, 4);
    return 1;
}
