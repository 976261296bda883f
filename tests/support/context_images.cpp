// Work images and their engine context for the part painters' tests.
#include "tests/support/context_images.h"

#include <cmath>
#include <cstring>

ContextImages::ContextImages(int width_, int height_, int dpi_, uint8_t focus)
    : width(width_), height(height_), dpi(dpi_) {
    source = TDib::Create24(width, height);
    canvas = TDib::Create24(width, height);
    focusMap = TDib::Create8(width, height);
    colorIndexMap = TDib::Create8(width, height);
    std::memset(source->Bits(), 0, source->ImageBytes());
    std::memset(canvas->Bits(), 0, canvas->ImageBytes());
    std::memset(focusMap->Bits(), focus, focusMap->ImageBytes());
    std::memset(colorIndexMap->Bits(), 0, colorIndexMap->ImageBytes());
}

EngineContext ContextImages::Context(const MaterialInfo* ground) {
    EngineContext c{};
    c.status = status;
    c.source = source.get();
    c.canvas = canvas.get();
    c.focusMap = focusMap.get();
    c.colorIndexMap = colorIndexMap.get();
    c.colorTable = colorTable;
    c.colorCount = &colorCount;
    c.ground = ground;
    c.width = width;
    c.height = height;
    c.diagonal = static_cast<int>(
        std::sqrt(static_cast<double>(int64_t{width} * width + int64_t{height} * height)));
    c.rowBytes24 = source->RowBytes();
    c.rowBytes8 = focusMap->RowBytes();
    c.dpi = dpi;
    return c;
}

void ContextImages::SetSourcePixel(int x, int y, uint8_t blue, uint8_t green, uint8_t red) {
    uint8_t* p = source->Row(y) + 3 * x;
    p[0] = blue;
    p[1] = green;
    p[2] = red;
}
