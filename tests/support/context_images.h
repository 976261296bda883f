// The work images of one size and the EngineContext over them, for tests of the components
// that take their whole setting from the context (line engine, collage painter).
#pragma once

#include <memory>

#include "engine/expert_base.h"
#include "engine/status_text.h"
#include "imaging/dib.h"

struct ContextImages {
    // A black source and canvas, a focus map of `focus` everywhere and a zero colour-index map.
    ContextImages(int width, int height, int dpi, uint8_t focus = 255);

    // The context as ExpertBase::Initialize fills it; `ground` may be null.
    EngineContext Context(const MaterialInfo* ground = nullptr);

    void SetSourcePixel(int x, int y, uint8_t blue, uint8_t green, uint8_t red);

    int width, height, dpi;
    std::unique_ptr<TDib> source, canvas, focusMap, colorIndexMap;
    LowColor colorTable[256] = {};
    int colorCount = 0;
    char status[kStatusSize] = "";
};
