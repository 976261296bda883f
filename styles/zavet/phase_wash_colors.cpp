// ZAVET's colour phase: the picture through the plug-in's own colour map, drawn toward the
// ground colour most where it is least in focus, then sharpened in focus and smoothed out of it.
#include <memory>
#include <new>

#include "engine/levels.h"
#include "engine/zo_cluster.h"
#include "styles/kolda/color_map_ex.h"
#include "styles/zavet/expert.h"

namespace zavet {

namespace {

constexpr CurveRows kGroundColorRows = {{0.01, 0.1, 0.1, 0.1}, {0, 0, 0, 0}, {5, 1, 1, 1}};
constexpr CurveRows kSharpRows = {{0.01, 0.02, 0.1, 0.1}, {-5, 0, 0, 0}, {5, 1, 1, 1}};

// Added to both strengths of the colour map: level 0 softer, level 2 stronger.
constexpr int kColorOffsets[3] = {-2, 0, 2};

}  // namespace

int Expert::MapColors() {
    // The painting goes on without the mapping when the map cannot be had.
    auto map = MakeColorMapEx(status);
    if (map) {
        const int offset = ForLevel(kColorOffsets, colorLevel);
        // Falls from its largest value at focus 0 to 0 at focus 255.
        const uint8_t* tintWeight = KeepSigmoidCurve(groundColor, "Ground Color", {0.02, 0, 0.3, 0},
                                                     &kGroundColorRows);
        const int red = ground ? ground->red : 255;
        const int green = ground ? ground->green : 255;
        const int blue = ground ? ground->blue : 255;
        if (map->SetupMasked(source, source, focusMap.get(), offset, offset) == 1 &&
            map->LoadFromResource(module, "ColorMap") == 1) {
            map->SetTint(red, green, blue, tintWeight);
            map->Run();
        }
        map.reset();
    }

    // Without the filter the wash is painted from the unsharpened picture; that is no failure.
    std::unique_ptr<ZoCluster> cluster(new (std::nothrow) ZoCluster(source, canvas.get(), status));
    if (!cluster) return 1;
    const uint8_t* amount =
        KeepSigmoidCurve(sharpFunction, "Sharp Function", {0.05, 0.2, 0, 0.5}, &kSharpRows);
    // Rises from 0 at focus 0 to 255 at focus 255: out of focus the neighbour mean.
    const uint8_t* strength =
        KeepSigmoidCurve(sharpBlend, "Sharp Blend", {0.04, 0.6, 0, 1.0}, &kSharpRows);
    cluster->MapSharpen(focusMap.get(), strength, amount, 1);  // source -> canvas
    cluster->MapSharpen(focusMap.get(), strength, amount, 0);  // canvas -> source
    return 1;
}

}  // namespace zavet
