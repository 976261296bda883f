// The engine base: initialisation on the driver's picture, its work images and the seed.
#include "engine/expert_base.h"

#include <cmath>

#include "engine/status_text.h"
#include "imaging/random.h"
#include "imaging/resolution.h"

ExpertBase::ExpertBase() = default;

ExpertBase::~ExpertBase() { ExpertBase::ReleaseImages(); }

int ExpertBase::Initialize() {
    ReleaseImages();
    if (source == nullptr || source->BitCount() < 24) {
        StatusCopy(status, texts::kNotFullColor);
        return 0;
    }
    if (source->XPelsPerMeter() == 0 || source->YPelsPerMeter() == 0) {
        StatusCopy(status, texts::kInvalidImageSize);
        return 0;
    }
    width = source->Width();
    height = source->Height();
    diagonal = static_cast<int>(
        std::sqrt(static_cast<double>(int64_t{width} * width + int64_t{height} * height)));
    rowBytes24 = static_cast<int>(RowBytes24(width));
    dpi = DpiFromPelsPerMeter(source->XPelsPerMeter());

    canvas = TDib::Create24(width, height);
    if (canvas) focusMap = TDib::Create8(width, height);
    if (focusMap) colorIndexMap = TDib::Create8(width, height);
    if (!colorIndexMap) {
        ReleaseImages();
        StatusCopy(status, texts::kNoMemory);
        return 0;
    }
    rowBytes8 = static_cast<int>(RowBytes8(width));
    SeedFromImage();

    context = EngineContext{status,     source,   canvas.get(), focusMap.get(),
                            colorIndexMap.get(), colorTable, &colorCount,  ground,
                            width,      height,   diagonal,     rowBytes24,
                            rowBytes8,  dpi};
    return 1;
}

int ExpertBase::Step() { return 100; }

void ExpertBase::ReleaseImages() {
    canvas.reset();
    colorIndexMap.reset();
    focusMap.reset();
}

int ExpertBase::SeedFromImage() {
    // Three bytes per sampled pixel: an 8-bit source's rows are too short for them.
    if (source == nullptr || source->BitCount() != 24) return 0;
    const int w = source->Width();
    const int h = source->Height();
    const int stepX = (w / 10) | 1;
    const int stepY = (h / 10) | 1;
    uint32_t sum = 1;
    for (int y = 0; y < h; y += stepY) {
        const uint8_t* row = source->Row(y);
        for (int x = 0; x < w; x += stepX) {
            const uint8_t* pixel = row + 3 * x;
            sum += 10u * (pixel[0] + pixel[1] + pixel[2]);
        }
    }
    seed = static_cast<int>(sum);
    SetSeed(seed);
    return 1;
}
