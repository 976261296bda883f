// Default painting phase ExpertBase::Prefilter: noise reduction and sharpening. The chain runs
// back and forth between the source and the canvas so that its result ends in the source.
#include <memory>
#include <new>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "engine/zo_cluster.h"

int ExpertBase::Prefilter() {
    std::unique_ptr<ZoCluster> cluster(new (std::nothrow) ZoCluster(source, canvas.get(), status));
    if (!cluster) {
        StatusCopy(status, "メモリが足りません。");
        return 0;
    }
    // The filters' results are not needed: an invalid filter object leaves its text and
    // changes nothing.
    cluster->Denoise(8000);   // the source, in place
    cluster->PairSmooth(1);   // source -> canvas
    cluster->Sharpen(7, 0);   // canvas -> source
    return 1;
}
