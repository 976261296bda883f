// TEVU's engine: its phases in order. It borrows the collage pre-filter and the oil-paint
// deformation.
#include "styles/tevu/expert.h"

#include <new>

#include "engine/phase_table.h"
#include "engine/status_text.h"
#include "styles/kolda/collage_prefilter.h"
#include "styles/moravel/oil_deform.h"

namespace tevu {

namespace {

std::unique_ptr<ParamCurve> NewCurve() {
    return std::unique_ptr<ParamCurve>(new (std::nothrow) ParamCurve());  // count 0: not filled
}

}  // namespace

Expert::Expert()
    : firstLight(NewCurve()),
      firstChroma(NewCurve()),
      mergeFocus(NewCurve()),
      darkWeight(NewCurve()),
      vividWeight(NewCurve()),
      secondLight(NewCurve()),
      secondChroma(NewCurve()),
      textureWeight(NewCurve()) {
    phaseCount = kPhases;
}

Expert::~Expert() = default;

int Expert::Step() {
    static const PhaseRow<Expert> kSteps[kPhases] = {
        {[](Expert& e) { return e.Prefilter(); }, 10},
        {[](Expert& e) { return e.ReduceColors(); }, 20},
        {[](Expert& e) { return e.CorrectFocus(); }, 30},
        {[](Expert& e) { return e.Deform(); }, 40},
        {[](Expert& e) { return e.MapColors(); }, 50},
        {[](Expert& e) { return e.MergeParts(); }, 80},
        {[](Expert& e) { return e.FlattenParts(); }, 90},
        {[](Expert& e) { return e.Finish(); }, 100},
    };
    return StepThroughPhases(*this, kSteps);
}

void Expert::ReleaseImages() {
    // The part object borrows the work images: it goes with them, so that a new initialisation
    // cannot flatten through stale ones.
    part_.reset();
    ExpertBase::ReleaseImages();
}

int Expert::Prefilter() { return kolda::CollagePrefilter(*this); }

int Expert::Deform() { return moravel::OilPaintDeform(*this); }

bool Expert::CurvesOrReport(std::initializer_list<const ParamCurve*> curves) {
    for (const ParamCurve* curve : curves) {
        if (curve == nullptr) {
            StatusCopy(status, texts::kNoMemory);
            return false;
        }
    }
    return true;
}

ExpertBase* NewExpert() { return new (std::nothrow) Expert; }

}  // namespace tevu
