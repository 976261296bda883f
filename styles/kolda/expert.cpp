// KOLDA's engine: its phases in order.
#include "styles/kolda/expert.h"

#include <new>

#include "engine/phase_table.h"
#include "styles/kolda/collage_prefilter.h"

namespace kolda {

Expert::Expert() { phaseCount = kPhases; }

Expert::~Expert() = default;

int Expert::Step() {
    // The lines are traced from the filtered, jittered picture before its colours are mapped
    // and it is cut into pieces, and drawn over the finished collage.
    static const PhaseRow<Expert> kSteps[kPhases] = {
        {[](Expert& e) { return e.Prefilter(); }, 20},
        {[](Expert& e) { return e.ReduceColors(); }, 25},
        {[](Expert& e) { return e.CorrectFocus(); }, 30},
        {[](Expert& e) { return e.Deform(); }, 40},
        {[](Expert& e) { return e.DetectLines(); }, 60},
        {[](Expert& e) { return e.MapColors(); }, 70},
        {[](Expert& e) { return e.MakeCollage(); }, 85},
        {[](Expert& e) { return e.DrawLines(); }, 100},
    };
    return StepThroughPhases(*this, kSteps);
}

void Expert::ReleaseImages() {
    // The line engine works on the work images: strokes traced on images that go are dropped
    // with them, so that a new initialisation cannot draw through stale ones.
    lines.drawing.reset();
    ExpertBase::ReleaseImages();
}

int Expert::Prefilter() { return CollagePrefilter(*this); }

ExpertBase* NewExpert() { return new (std::nothrow) Expert; }

}  // namespace kolda
