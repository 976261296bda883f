// TEVU's colour phase: the picture through the plug-in's colour map, softened alike at every
// colour level, with the map's grid lightened along an S-curve and its chroma held a little
// below full.
#include "styles/kolda/color_map_ex.h"
#include "styles/tevu/curve_rows.h"
#include "styles/tevu/expert.h"

namespace tevu {

namespace {

// Both strengths of the colour map lowered, whatever the colour level: the screen print's
// colours come from its flat pieces and the later luma and chroma shift.
constexpr int kMapOffset = -2;

}  // namespace

int Expert::MapColors() {
    if (!CurvesOrReport({firstLight.get(), firstChroma.get()})) return 0;
    auto map = MakeColorMapEx(status);
    if (!map) return 0;
    const uint8_t* light =
        KeepSigmoidCurve(*firstLight, "Light correction", {0.02, 0.5, 0, 1.0}, &kCorrectionRows);
    const uint8_t* chroma =
        KeepSigmoidCurve(*firstChroma, "Croma correction", {0.01, 1.0, 0, 0.9}, &kCorrectionRows);
    // A map that cannot be set up or loaded leaves the picture's colours.
    if (map->SetupMasked(source, source, focusMap.get(), kMapOffset, kMapOffset) == 1 &&
        map->LoadFromResource(module, "ColorMap") == 1) {
        map->SetToneTables(chroma, light);
        map->Run();
    }
    return 1;
}

}  // namespace tevu
