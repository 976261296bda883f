// Default painting phase ExpertBase::ReduceColors: reduces the source to at most 64 colours,
// keeps the palette in the engine's colour table and writes the cleaned colour-index map.
#include <cstring>

#include "engine/expert_base.h"
#include "engine/make_component.h"
#include "engine/zo_low.h"

int ExpertBase::ReduceColors() {
    auto low = MakeValidOrReport<ZoLow>(status, texts::kNoMemory, source, colorIndexMap.get(),
                                        nullptr, 0, status);
    if (!low) return 0;
    if (!low->Init(64, 0)) return 0;
    low->Map();
    // The table is copied whole, counts included, so later phases need no reducer.
    colorCount = low->ColorCount();
    std::memcpy(colorTable, low->Palette(), sizeof colorTable);
    return low->Smooth(4);
}
