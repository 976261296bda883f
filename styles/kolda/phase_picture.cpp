// KOLDA's phases on the whole picture before it is cut: the jitter and the colour map.
#include "engine/levels.h"
#include "engine/make_component.h"
#include "engine/zo_cluster.h"
#include "engine/zo_form.h"
#include "styles/kolda/color_map_ex.h"
#include "styles/kolda/expert.h"

namespace kolda {

namespace {

// The colour map by colour level: offset of both strengths, the chroma below which a pixel may
// turn black or white, and the highest focus at which it may.
struct ColourValues {
    int offset;
    int chromaThreshold;
    int maskHigh;
};
constexpr ColourValues kColourByLevel[3] = {{-2, 16, 100}, {0, 16, 200}, {2, 32, 200}};

// Below it a thresholded pixel becomes black paper, from it on white.
constexpr int kLightnessSplit = 128;

}  // namespace

int Expert::Deform() {
    if (deformLevel == 0) return 1;
    // Level 0 never reaches the table; its entry only fills the slot.
    static const double kJitter[3] = {0.0, 0.5, 1.0};
    const double amount = ForLevel(kJitter, deformLevel);
    auto form = MakeValidOrReport<ZoForm>(status, texts::kNoMemory, width, height, status);
    if (!form) return 0;
    // The mask holds the nodes still where the picture is in focus.
    const uint8_t* mask = KeepSigmoidCurve(randomFocus, "Random / Focus", {0.01, 1.0, 0.0, 1.0});
    form->Jitter(amount, 0.8, focusMap.get(), mask);
    form->WarpImage(source, canvas.get());
    form->WarpPlanes(colorIndexMap.get(), focusMap.get(), canvas.get());
    form.reset();
    // Without its filter object the jittered picture stays unsharpened.
    std::unique_ptr<ZoCluster> cluster(new (std::nothrow) ZoCluster(source, canvas.get(), status));
    if (cluster) {
        cluster->Sharpen(7, 1);  // source -> canvas
        cluster->Sharpen(7, 0);  // canvas -> source
    }
    return 1;
}

int Expert::MapColors() {
    auto map = MakeColorMapEx(status);
    if (!map) return 0;
    const ColourValues& v = ForLevel(kColourByLevel, colorLevel);
    // A map that cannot be set up or loaded leaves the picture's colours.
    if (map->SetupMasked(source, source, focusMap.get(), v.offset, v.offset) == 1 &&
        map->LoadFromResource(module, "ColorMap") == 1) {
        map->SetThresholds(v.chromaThreshold, kLightnessSplit, 0, v.maskHigh);
        map->Run();
    }
    return 1;
}

}  // namespace kolda
