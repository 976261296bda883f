// The collage pre-filter; see collage_prefilter.h.
#include "styles/kolda/collage_prefilter.h"

#include <memory>
#include <new>

#include "engine/zo_cluster.h"
#include "imaging/math_tbl.h"

namespace kolda {

int CollagePrefilter(ExpertBase& engine) {
    std::unique_ptr<ZoCluster> cluster(
        new (std::nothrow) ZoCluster(engine.source, engine.canvas.get(), engine.status));
    if (!cluster) return 1;
    // Falling from about 255 for small ranges to about 0 for large ones.
    MathTbl weight;
    weight.Sigmoid(0.05, 0.5, 1.0, 0.0);
    cluster->RangeSmooth(weight.Table(), 1);  // source -> canvas
    cluster->RangeSmooth(weight.Table(), 0);  // canvas -> source
    return 1;
}

}  // namespace kolda
