// ColorMapEx: the colour mapping of the later styles. It keeps ColorMap's table, histogram
// matching and hue-grid interpolation and adds what a style may switch on before the pass:
// tone tables that reshape the saturation and lightness of the grid itself, a threshold that
// turns weakly coloured pixels black or white (through the grid, so in the map's own black and
// white), and a tint toward one colour. An 8-bit mask of the images' size (the styles pass the
// focus map) limits the threshold and sets the tint's strength per pixel.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/color_map.h"

class ColorMapEx : public ColorMap {
public:
    // ColorMap's constructor ("ColorMap:" in the status buffer), then no tone tables, no
    // threshold (chroma threshold 0 never applies), mask range 0..255 and no tint.
    explicit ColorMapEx(char* status);

    // ColorMap::Setup, then keeps the mask. 0 and not valid, with "Setup." appended, when the
    // images fail ColorMap::Setup or the mask is missing, not 8 bits or of another size; Run
    // then changes nothing.
    int SetupMasked(TDib* source, TDib* target, const TDib* mask, int lightOffset,
                    int chromaOffset);

    // The setters only store their values; the tables must live until the pass is done.
    // Either tone table may be null (that quantity is kept).
    void SetToneTables(const uint8_t* saturationTable, const uint8_t* lightnessTable);
    // Pixels whose (remapped) chroma is below `chromaThreshold` and whose mask value lies in
    // maskLow..maskHigh get chroma 0 and lightness 0 when below `lightnessSplit`, else 255.
    void SetThresholds(int chromaThreshold, int lightnessSplit, int maskLow, int maskHigh);
    // Each colour moves toward (red, green, blue), the channels limited to 0..255, by
    // (weightTable[mask] + 1) / 256, truncated toward zero. Without a table there is no tint.
    void SetTint(int red, int green, int blue, const uint8_t* weightTable);

    // The pixel pass with the additions; 0 when not valid, or after appending
    // texts::kNoMemory when the expanded grid cannot be allocated.
    int Apply() override;

protected:
    // Passes the table through to ColorMap, for tests that give their own.
    ColorMapEx(char* status, std::unique_ptr<ColorMapTable> table);

private:
    // The tone tables applied to every expanded grid colour.
    void ReshapeGrid(uint8_t* expanded) const;

    const TDib* mask_ = nullptr;
    int maskRowBytes_ = 0;
    int toneFlag_ = 0;
    const uint8_t* saturationTable_ = nullptr;
    const uint8_t* lightnessTable_ = nullptr;
    int chromaThreshold_ = 0;
    int lightnessSplit_ = 0;
    int maskLow_ = 0;
    int maskHigh_ = 255;
    int tintFlag_ = 0;
    int tint_[3] = {0, 0, 0};  // red, green, blue
    const uint8_t* tintWeightTable_ = nullptr;
};

// A colour map with room for its table, as a phase makes it: null after copying
// "メモリが足りません。" over the status text when the map or its table cannot be had.
std::unique_ptr<ColorMapEx> MakeColorMapEx(char* status);
