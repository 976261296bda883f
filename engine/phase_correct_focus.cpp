// Default painting phase ExpertBase::CorrectFocus: the focus map from the reduced colours, the
// user's regions of interest and the focus level, shaped by the "Focus Correct" curve.
#include <algorithm>
#include <memory>
#include <new>

#include "engine/expert_base.h"
#include "engine/levels.h"
#include "engine/status_text.h"
#include "engine/zo_focus.h"
#include "imaging/math_tbl.h"

namespace {

struct FocusConstants {
    double curve[4];  // sigmoid slope, centre, low, high
    int start;
    int endWithoutRegions;
    int endWithRegions;  // leaves room for the regions to raise their inside above the rest
    int regionLimit;
};

constexpr FocusConstants kFocusByLevel[3] = {
    {{-0.05, 0.6, -0.02, 1.05}, 50, 200, 200, 200},
    {{0, 0.5, 0, 1}, 0, 255, 200, 255},
    {{0.04, 0.4, 0, 1}, 0, 255, 150, 255},
};

void FillFocusCurve(ParamCurve& curve, const double (&values)[4]) {
    static constexpr double kSteps[4] = {0.01, 0.1, 0.01, 0.01};
    static constexpr double kMinima[4] = {-5, 0, -1, -1};
    static constexpr double kMaxima[4] = {5, 1, 2, 2};
    CopyTextBounded(curve.name, sizeof curve.name, "Focus Correct");
    curve.count = 4;
    curve.type = 3;
    for (int i = 0; i < 4; ++i) {
        curve.value[i] = values[i];
        curve.step[i] = kSteps[i];
        curve.minimum[i] = kMinima[i];
        curve.maximum[i] = kMaxima[i];
    }
}

}  // namespace

int ExpertBase::CorrectFocus() {
    std::unique_ptr<ZoFocus> focus(new (std::nothrow) ZoFocus(
        focusMap.get(), colorIndexMap.get(), colorTable, colorCount, status));
    std::unique_ptr<ParamCurve> curve(new (std::nothrow) ParamCurve());
    if (!focus || !curve || !focus->IsValid()) {
        StatusCopy(status, "メモリが足りません。");
        return 0;
    }
    const FocusConstants& constants = ForLevel(kFocusByLevel, focusLevel);
    FillFocusCurve(*curve, constants.curve);
    MathTbl builder;
    builder.FromCurve(*curve);

    // The engine holds at most kMaxRegions regions, whatever count the caller left.
    const int regionsInUse = std::min(regionCount, kMaxRegions);
    const int end = regionsInUse > 0 ? constants.endWithRegions : constants.endWithoutRegions;
    if (!focus->Compute(constants.start, end, curve->table)) return 0;
    if (regionsInUse > 0 && !focus->AddRegions(regions, regionsInUse, constants.regionLimit)) {
        return 0;
    }
    return focus->Blur(2) ? 1 : 0;
}
