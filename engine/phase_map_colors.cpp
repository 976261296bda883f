// Default painting phase ExpertBase::MapColors: re-colours the source in place with the plug-in's
// colour map, more or less strongly by the colour level. The phase never fails the painting: a
// missing or broken map only leaves its text in the status buffer.
#include <memory>
#include <new>

#include "engine/color_map.h"
#include "engine/expert_base.h"
#include "engine/levels.h"
#include "engine/status_text.h"

int ExpertBase::MapColors() {
    std::unique_ptr<ColorMap> map(new (std::nothrow) ColorMap(status));
    if (!map || !map->HasTable()) {
        StatusCopy(status, "メモリが足りません。");
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
