// Default painting phase ExpertBase::MapColors: re-colours the source in place with the plug-in's
// colour map, more or less strongly by the colour level. The phase never fails the painting: a
// missing or broken map only leaves its text in the status buffer.
#include "engine/color_map.h"
#include "engine/expert_base.h"
#include "engine/levels.h"
#include "engine/make_component.h"

int ExpertBase::MapColors() {
    auto map = MakeOrReport<ColorMap>(status, texts::kNoMemory, status);
    if (!map) return 1;
    if (!map->HasTable()) {
        StatusCopy(status, texts::kNoMemory);  // made, but without room for its table
        return 1;
    }
    // Added to both strengths of the table: level 0 softer, level 2 stronger.
    static const int kOffsets[3] = {-2, 0, 2};
    const int offset = ForLevel(kOffsets, colorLevel);
    if (map->Setup(source, source, offset, offset) == 1 &&
        map->LoadFromResource(module, "ColorMap") == 1)
        map->Run();
    return 1;
}
