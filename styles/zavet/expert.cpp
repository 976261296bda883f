// ZAVET's engine: its phases in order. It borrows the engine's own pre-filter and deformation.
#include "styles/zavet/expert.h"

#include <new>

#include "engine/phase_table.h"

namespace zavet {

Expert::Expert() { phaseCount = kPhases; }

Expert::~Expert() = default;

int Expert::Step() {
    static const PhaseRow<Expert> kSteps[kPhases] = {
        {[](Expert& e) { return e.Prefilter(); }, 20},
        {[](Expert& e) { return e.ReduceColors(); }, 25},
        {[](Expert& e) { return e.CorrectFocus(); }, 30},
        {[](Expert& e) { return e.Deform(); }, 45},
        {[](Expert& e) { return e.MapColors(); }, 50},
        {[](Expert& e) { return e.StrokePass(0); }, 60},  // PEN3, the largest
        {[](Expert& e) { return e.StrokePass(1); }, 65},
        {[](Expert& e) { return e.StrokePass(2); }, 70},
        {[](Expert& e) { return e.StrokePass(3); }, 85},  // PEN0, the smallest
        {[](Expert& e) { return e.StrokePass(kCopyPass); }, 90},
        {[](Expert& e) { return e.Finish(); }, 100},
    };
    return StepThroughPhases(*this, kSteps);
}

void Expert::ReleaseImages() { ExpertBase::ReleaseImages(); }

ExpertBase* NewExpert() { return new (std::nothrow) Expert; }

}  // namespace zavet
