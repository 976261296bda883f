// GRISOV's back-run phase: the colours run into their surroundings, more often and farther out
// of focus, by the colour level and the ground's strength, and the picture is softened after.
#include <algorithm>
#include <memory>
#include <new>

#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_cluster.h"
#include "styles/grisov/back_run_field.h"
#include "styles/grisov/expert.h"

namespace grisov {

namespace {

// By colour level: the passes out of focus and the ring radius per dot per inch.
struct RunValues {
    int passes;
    double radiusFactor;
};
constexpr RunValues kRunByLevel[3] = {{10, 0.05}, {13, 0.08}, {15, 0.1}};

}  // namespace

BackRunValues Expert::BackRunSettings() {
    const RunValues& v = ForLevel(kRunByLevel, colorLevel);
    int passes = v.passes;
    double radiusFactor = v.radiusFactor;
    double weightLow = 0.4, weightHigh = 0.25;
    // A weaker ground runs less, and less far.
    if (ground != nullptr) {
        const int s = ground->strength;
        passes = s * passes / 100;
        radiusFactor = s * radiusFactor * 0.01;
        weightLow = 0.4 * s * 0.01;
        weightHigh = 0.25 * s * 0.01;
    }
    // The loops table holds bytes.
    passes = std::clamp(passes, 0, 255);

    BackRunValues values;
    // Both fall toward the subject: out of focus the colours run more and further.
    const uint8_t* weights = KeepSigmoidCurve(backRunWeight, "Back-Run Wight / Focus",
                                              {0.01, 1.0, weightLow, weightHigh});
    const uint8_t* loops =
        KeepSigmoidCurve(backRunLoops, "Back-Run Loops / Focus", {0.04, 0.8, 1.0, 0.3});
    values.passes = 0;
    for (int f = 0; f < 256; ++f) {
        values.weights[f] = weights[f];
        values.loops[f] = static_cast<uint8_t>(loops[f] * passes / 255);
        values.passes = std::max<int>(values.passes, values.loops[f]);
    }
    values.radius = std::max(static_cast<int>(std::clamp(dpi, 1, 400) * radiusFactor), 1);
    return values;
}

int Expert::BackRun() {
    const BackRunValues values = BackRunSettings();
    if (BackRunField(values.radius, values.passes, values.loops, values.weights) == 0) return 0;
    // Without the filter the run colours stay unsoftened; that is no failure.
    std::unique_ptr<ZoCluster> cluster(new (std::nothrow) ZoCluster(source, canvas.get(), status));
    if (cluster) {
        cluster->Soften(1);  // source -> canvas
        cluster->Soften(0);  // canvas -> source
        cluster->Soften(1);
        cluster->Soften(0);
    }
    return 1;
}

int Expert::BackRunField(int radius, int passes, const uint8_t* loops, const uint8_t* weights) {
    auto field = MakeOrReport<RingField>(status, texts::kNoMemory);
    if (!field) return 0;
    if (!MakeRingField(radius, source->RowBytes(), *field)) {
        StatusCopy(status, texts::kOutOfBackRunField);
        return 0;
    }
    RunBackRun(*source, *canvas, *focusMap, *field, passes, loops, weights);
    return 1;
}

}  // namespace grisov
