// Default painting phase ExpertBase::CorrectFocus: the focus map from the reduced colours, the
// user's regions of interest and the focus level, shaped by the "Focus Correct" curve.
#include <algorithm>

#include "engine/expert_base.h"
#include "engine/levels.h"
#include "engine/make_component.h"
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

constexpr CurveRows kFocusCurveRows = {
    {0.01, 0.1, 0.01, 0.01}, {-5, 0, -1, -1}, {5, 1, 2, 2}};

}  // namespace

int ExpertBase::CorrectFocus() {
    // A focus map that refuses the maps or the colour count is reported as short memory too:
    // the painting cannot go on without it either way.
    auto focus = MakeValidOrReport<ZoFocus>(status, texts::kNoMemory, focusMap.get(),
                                            colorIndexMap.get(), colorTable, colorCount, status);
    if (!focus) return 0;
    auto curve = MakeOrReport<ParamCurve>(status, texts::kNoMemory);
    if (!curve) return 0;
    const FocusConstants& constants = ForLevel(kFocusByLevel, focusLevel);
    FillSigmoidCurve(*curve, "Focus Correct", constants.curve, &kFocusCurveRows);
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
