// MORAVEL's engine: its phases in order, the pre-filter and the deformation.
#include "styles/moravel/expert.h"

#include <new>

#include "engine/phase_table.h"
#include "engine/zo_cluster.h"
#include "styles/moravel/oil_deform.h"

namespace moravel {

Expert::Expert() { phaseCount = kPhases; }

Expert::~Expert() = default;

int Expert::Step() {
    static const PhaseRow<Expert> kSteps[kPhases] = {
        {[](Expert& e) { return e.Prefilter(); }, 20},
        {[](Expert& e) { return e.ReduceColors(); }, 30},
        {[](Expert& e) { return e.CorrectFocus(); }, 40},
        {[](Expert& e) { return e.Deform(); }, 60},
        {[](Expert& e) { return e.MapColors(); }, 65},
        {[](Expert& e) { return e.InitMass(); }, 74},
        {[](Expert& e) { return e.InitStroke(0); }, 76},  // KNIFE6, the widest
        {[](Expert& e) { return e.InitStroke(1); }, 78},
        {[](Expert& e) { return e.InitStroke(2); }, 80},
        {[](Expert& e) { return e.InitStroke(3); }, 82},
        {[](Expert& e) { return e.InitStroke(4); }, 84},
        {[](Expert& e) { return e.InitStroke(5); }, 86},  // KNIFE1, the finest
        {[](Expert& e) { return e.InitStroke(kDetailPass); }, 88},
        {[](Expert& e) { return e.ShadeMass(); }, 95},
        {[](Expert& e) { return e.Finish(); }, 100},
    };
    return StepThroughPhases(*this, kSteps);
}

void Expert::ReleaseImages() { ExpertBase::ReleaseImages(); }

int Expert::Prefilter() {
    // Without the filters the painting goes on from the unfiltered picture.
    std::unique_ptr<ZoCluster> cluster(new (std::nothrow) ZoCluster(source, canvas.get(), status));
    if (!cluster) return 1;
    cluster->WedgeSmooth(1, 0);  // source -> canvas
    cluster->Sharpen(5, 0);      // canvas -> source
    cluster->Sharpen(5, 1);      // source -> canvas
    cluster->Sharpen(7, 0);      // canvas -> source
    return 1;
}

int Expert::Deform() { return OilPaintDeform(*this); }

ExpertBase* NewExpert() { return new (std::nothrow) Expert; }

}  // namespace moravel
