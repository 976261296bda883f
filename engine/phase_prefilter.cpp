// Default painting phase ExpertBase::Prefilter: noise reduction and sharpening. The chain runs
// back and forth between the source and the canvas so that its result ends in the source.
#include "engine/expert_base.h"
#include "engine/make_component.h"
#include "engine/zo_cluster.h"

int ExpertBase::Prefilter() {
    auto cluster = MakeOrReport<ZoCluster>(status, texts::kNoMemory, source, canvas.get(), status);
    if (!cluster) return 0;
    // The filters' results are not needed: an invalid filter object leaves its text and
    // changes nothing.
    cluster->Denoise(8000);   // the source, in place
    cluster->PairSmooth(1);   // source -> canvas
    cluster->Sharpen(7, 0);   // canvas -> source
    return 1;
}
