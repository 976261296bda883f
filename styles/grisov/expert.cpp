// GRISOV's engine: its phases in order.
#include "styles/grisov/expert.h"

#include <new>

#include "engine/phase_table.h"
#include "styles/kolda/collage_prefilter.h"

namespace grisov {

Expert::Expert() { phaseCount = kPhases; }

Expert::~Expert() = default;

int Expert::Step() {
    // The lines are traced from the filtered, bent picture before its colours are mapped and
    // run, and drawn last, over the bled and textured picture.
    static const PhaseRow<Expert> kSteps[kPhases] = {
        {[](Expert& e) { return e.Prefilter(); }, 20},
        {[](Expert& e) { return e.ReduceColors(); }, 25},
        {[](Expert& e) { return e.CorrectFocus(); }, 30},
        {[](Expert& e) { return e.Deform(); }, 40},
        {[](Expert& e) { return e.DetectLines(); }, 50},
        {[](Expert& e) { return e.MapColors(); }, 60},
        {[](Expert& e) { return e.BackRun(); }, 80},
        {[](Expert& e) { return e.Finish(); }, 90},
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

int Expert::Prefilter() { return kolda::CollagePrefilter(*this); }

ExpertBase* NewExpert() { return new (std::nothrow) Expert; }

}  // namespace grisov
