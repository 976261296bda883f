// ZoStroke: construction, the defaults and the setters of a stroke pass. Loading a brush is in
// zo_stroke_brush.cpp, the stroke pass in zo_stroke_paint.cpp, the finishing operations in
// zo_stroke_finish.cpp.
#include "engine/zo_stroke.h"

#include <cstdlib>
#include <initializer_list>

#include "engine/status_text.h"
#include "imaging/saturating_cast.h"

const int ZoStroke::kDither[4][4] = {
    {-382, 26, -280, 128},
    {230, -178, 332, -76},
    {-230, 178, -332, 76},
    {382, -26, 280, -128},
};

namespace {

bool SameSize(const TDib& a, const TDib& b) {
    return a.Width() == b.Width() && a.Height() == b.Height();
}

// A brightness level 0..255 in the channel sum with dither: level 0 is the darkest possible
// sum, -382, and 255 one above the brightest, 765 + 382.
int BrightnessSum(int level) { return 6 * level - 382; }

uint32_t VarianceOf(uint8_t deviation) { return 3u * deviation * deviation; }

}  // namespace

ZoStroke::ZoStroke(TDib* source, TDib* canvas, TDib* focusMap, TDib* labelMap, char* status)
    : status_(status), source_(source), canvas_(canvas), focusMap_(focusMap), labelMap_(labelMap) {
    StatusCopy(status_, texts::kStrokePrefix);
    if (source == nullptr || source->BitCount() < 24) return;
    width_ = source->Width();
    height_ = source->Height();
    rowBytes24_ = source->RowBytes();
    rowBytes8_ = static_cast<int>(RowBytes8(width_));
    if (canvas == nullptr || canvas->BitCount() != source->BitCount() ||
        !SameSize(*canvas, *source))
        return;
    for (const TDib* map : {focusMap, labelMap}) {
        if (map == nullptr || map->BitCount() != 8 || !SameSize(*map, *source)) return;
    }
    valid_ = 1;
    SetDefaults();
}

ZoStroke::~ZoStroke() { FreeBrush(); }

void ZoStroke::FreeBrush() {
    brushPixels_ = 0;
    bytesUsed_ = 0;
    extentX_ = extentY_ = 0;
    centreX_ = centreY_ = 0;
    sliceOffset_ = 0;
    sliceCount_ = 0;
    bendSize_ = 0;
    sliceGaps_ = 0;
    rowsFlag_ = 0;
    sliceStart_.reset();
    sliceLength_.reset();
    sliceFirstPair_.reset();
    pairs_.reset();
    bend_.reset();
    matched_.reset();
    coverageMax_ = 0;
}

void ZoStroke::SetDefaults() {
    settings_.sampleFromSource = 1;
    settings_.densityThreshold = 4294967295u;
    settings_.stepX = settings_.stepY = 10;
    settings_.jitterX = settings_.jitterY = 0;
    settings_.focusLow = 0;
    settings_.focusHigh = 255;
    settings_.brightnessLow = BrightnessSum(0);
    settings_.brightnessHigh = BrightnessSum(255);
    settings_.colorJitter = 0;
    settings_.cellHueStep = settings_.spareCellValue = 0;
    settings_.lightUpStep = settings_.lightDownStep = 0;
    settings_.hueShift = settings_.chromaShift = settings_.lightShift = 0;
    for (int f = 0; f < 256; ++f) {
        settings_.maxVariance[f] = 1200;
        settings_.minVariance[f] = 0;
    }
}

void ZoStroke::SetSampleSource(int on) { settings_.sampleFromSource = on; }

void ZoStroke::SetDensity(double p) {
    settings_.densityThreshold = static_cast<uint32_t>(TruncToInt64(p * 4294967295.0));
}

void ZoStroke::SetSpacing(double fx, double fy) {
    const int x = TruncToInt(extentX_ * fx);
    const int y = TruncToInt(extentY_ * fy);
    settings_.stepX = x > 0 ? x : 1;
    settings_.stepY = y > 0 ? y : 1;
}

void ZoStroke::SetJitter(double fx, double fy) {
    settings_.jitterX = TruncToInt(settings_.stepX * fx);
    settings_.jitterY = TruncToInt(settings_.stepY * fy);
}

void ZoStroke::SetFocusRange(int low, int high) {
    settings_.focusLow = low;
    settings_.focusHigh = high;
}

void ZoStroke::SetBrightnessRange(int low, int high) {
    settings_.brightnessLow = BrightnessSum(low);
    settings_.brightnessHigh = BrightnessSum(high);
}

void ZoStroke::SetMaxVariance(const uint8_t* table) {
    if (table == nullptr) return;
    for (int f = 0; f < 256; ++f) settings_.maxVariance[f] = VarianceOf(table[f]);
}

void ZoStroke::SetMinVariance(const uint8_t* table) {
    if (table == nullptr) return;
    for (int f = 0; f < 256; ++f) settings_.minVariance[f] = VarianceOf(table[f]);
}

void ZoStroke::SetColorJitter(int amount) { settings_.colorJitter = std::abs(amount); }

void ZoStroke::SetCellShift(int hueStep, int spare, int upStep, int downStep) {
    settings_.cellHueStep = std::abs(hueStep);
    settings_.spareCellValue = std::abs(spare);
    settings_.lightUpStep = std::abs(upStep);
    settings_.lightDownStep = std::abs(downStep);
}

void ZoStroke::SetColorShift(int hue, int chroma, int light) {
    settings_.hueShift = hue;
    settings_.chromaShift = chroma;
    settings_.lightShift = light;
}
