// ColorMapEx: the extended colour map; see color_map_ex.h.
#include "styles/kolda/color_map_ex.h"

#include <memory>

#include "engine/make_component.h"
#include "engine/status_text.h"
#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"

ColorMapEx::ColorMapEx(char* status) : ColorMap(status) {}

ColorMapEx::ColorMapEx(char* status, std::unique_ptr<ColorMapTable> table)
    : ColorMap(status, std::move(table)) {}

int ColorMapEx::SetupMasked(TDib* source, TDib* target, const TDib* mask, int lightOffset,
                            int chromaOffset) {
    mask_ = nullptr;
    if (Setup(source, target, lightOffset, chromaOffset) == 0) return 0;
    // The pass reads the mask at every pixel of the images.
    if (mask == nullptr || mask->BitCount() != 8 || mask->Width() != width_ ||
        mask->Height() != height_) {
        valid_ = 0;
        StatusAppend(status_, texts::kSetup);
        return 0;
    }
    mask_ = mask;
    maskRowBytes_ = mask->RowBytes();
    return 1;
}

void ColorMapEx::SetToneTables(const uint8_t* saturationTable, const uint8_t* lightnessTable) {
    toneFlag_ = 1;
    saturationTable_ = saturationTable;
    lightnessTable_ = lightnessTable;
}

void ColorMapEx::SetThresholds(int chromaThreshold, int lightnessSplit, int maskLow,
                               int maskHigh) {
    chromaThreshold_ = chromaThreshold;
    lightnessSplit_ = lightnessSplit;
    maskLow_ = maskLow;
    maskHigh_ = maskHigh;
}

void ColorMapEx::SetTint(int red, int green, int blue, const uint8_t* weightTable) {
    tintFlag_ = weightTable != nullptr;
    tint_[0] = ClampToByte(red);
    tint_[1] = ClampToByte(green);
    tint_[2] = ClampToByte(blue);
    tintWeightTable_ = weightTable;
}

void ColorMapEx::ReshapeGrid(uint8_t* expanded) const {
    for (int i = 0; i < kExpandedBytes; i += 3) {
        uint8_t* rgb = expanded + i;
        HueColor colour{rgb[0], rgb[1], rgb[2], 0, 0, 0};
        RgbToHsl(colour);
        if (saturationTable_ != nullptr) colour.chroma = saturationTable_[colour.chroma];
        if (lightnessTable_ != nullptr) colour.luma = lightnessTable_[colour.luma];
        HslToRgb(colour);
        rgb[0] = static_cast<uint8_t>(colour.red);
        rgb[1] = static_cast<uint8_t>(colour.green);
        rgb[2] = static_cast<uint8_t>(colour.blue);
    }
}

int ColorMapEx::Apply() {
    if (!valid_ || !table_ || mask_ == nullptr) return 0;
    const PassSettings pass = ReadPassSettings();
    const std::unique_ptr<uint8_t[]> expanded = ExpandKeys();
    if (!expanded) return 0;
    if (toneFlag_) ReshapeGrid(expanded.get());
    const uint8_t* grid = expanded.get();
    const uint8_t* sourceRow = source_->Bits();
    uint8_t* targetRow = target_->Bits();
    const uint8_t* maskRow = mask_->Bits();
    for (int y = 0; y < height_;
         ++y, sourceRow += rowBytes_, targetRow += rowBytes_, maskRow += maskRowBytes_) {
        const uint8_t* in = sourceRow;
        uint8_t* out = targetRow;
        for (int x = 0; x < width_; ++x, in += 3, out += 3) {
            const int m = maskRow[x];
            HueColor colour;
            LocatePixel(pass, in, colour);
            // After the remaps, so the corrected chroma and lightness are compared; black and
            // white still go through the grid of the pixel's hue.
            if (colour.chroma < chromaThreshold_ && maskLow_ <= m && m <= maskHigh_) {
                colour.chroma = 0;
                colour.luma = colour.luma < lightnessSplit_ ? 0 : 255;
            }
            int rgb[3];
            InterpolateGrid(grid, colour, rgb);
            if (tintFlag_) {
                const int k = tintWeightTable_[m] + 1;
                for (int c = 0; c < 3; ++c) rgb[c] += ((tint_[c] - rgb[c]) * k) / 256;
            }
            out[0] = static_cast<uint8_t>(rgb[2]);
            out[1] = static_cast<uint8_t>(rgb[1]);
            out[2] = static_cast<uint8_t>(rgb[0]);
        }
    }
    return 1;
}

std::unique_ptr<ColorMapEx> MakeColorMapEx(char* status) {
    auto map = MakeOrReport<ColorMapEx>(status, texts::kNoMemory, status);
    if (map && !map->HasTable()) {
        StatusCopy(status, texts::kNoMemory);  // made, but without room for its table
        map.reset();
    }
    return map;
}
