// ColorMap: gives a picture the palette of a style. The plug-in's colour map table holds target
// distributions of lightness and chroma and, for twelve hues, a small grid of colours from light
// to dark and from grey to saturated. A pass first pulls the picture's lightness and chroma
// toward the targets (histogram matching softened by a strength), then replaces every pixel by a
// colour interpolated from the grid of its hue. The extended colour map of the later styles
// derives from it and overrides Apply, reusing the protected pieces below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "imaging/dib.h"
#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"
#include "platform/platform.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the table's 16-bit fields are read in place as little-endian");

constexpr int kColorMapHueKeys = 12;
constexpr int kColorMapRows = 5;     // lightness 255 - 64 * row; row 4 lies just below black
constexpr int kColorMapColumns = 3;  // chroma 128 * column
constexpr int kColorMapCellBytes = kColorMapRows * kColorMapColumns * 3;  // 45, red-green-blue

// The colour map resource ("ColorMap", type "CMP"), byte for byte as stored.
struct ColorMapTable {
    int16_t lightStrength;   // rewritten by MakeTables as strength + offset, limited to 0..8
    int16_t chromaStrength;  // likewise
    int16_t lightMinimum;    // lightness window outside which a pixel counts as grey
    int16_t lightMaximum;
    int16_t chromaMinimum;   // below it a pixel counts as grey
    uint8_t lightTarget[256];
    uint8_t chromaTarget[256];
    // Hues 0, 21, ..., 231: rows light to dark, columns grey to saturated, red-green-blue.
    uint8_t hueKeys[kColorMapHueKeys][kColorMapRows][kColorMapColumns][3];
    uint8_t reserved[376];  // carried with the table, never interpreted
};
constexpr int kColorMapTableBytes = 1438;
static_assert(sizeof(ColorMapTable) == kColorMapTableBytes, "colour map layout");
static_assert(offsetof(ColorMapTable, lightTarget) == 10, "colour map layout");
static_assert(offsetof(ColorMapTable, chromaTarget) == 266, "colour map layout");
static_assert(offsetof(ColorMapTable, hueKeys) == 522, "colour map layout");
static_assert(offsetof(ColorMapTable, reserved) == 1062, "colour map layout");

class ColorMap {
public:
    // The expanded grid: 252 hues of 15 colours (rows × columns) of 3 bytes, red-green-blue.
    static constexpr int kHues = 252;
    static constexpr int kExpandedBytes = kHues * kColorMapCellBytes;  // 11,340

    // Copies "ColorMap:" into the status buffer and allocates the table. When the table cannot
    // be had, HasTable() is false and every operation does nothing and returns 0.
    explicit ColorMap(char* status);
    virtual ~ColorMap();
    ColorMap(const ColorMap&) = delete;
    ColorMap& operator=(const ColorMap&) = delete;

    // Reads from source and writes to target (the engine passes one image twice). 1 and valid
    // when both are 24-bit images of one width and height; else appends "Setup.", 0.
    int Setup(TDib* source, TDib* target, int lightOffset, int chromaOffset);
    // Copies the first 1438 bytes of resource `name` of type "CMP". Appends "Handle resource."
    // when it is missing, "Lock resource." when it has no bytes and "Load resource." when it is
    // too short; the table is then unchanged.
    int LoadFromResource(platform::ModuleHandle module, const char* name);
    // Reads the 1438 bytes from a file; "Load file." (table unchanged) when it cannot be opened
    // or is shorter.
    int LoadFile(const char* path);
    // Writes the 1438 bytes, creating or truncating the file with owner read and write
    // permission; "Save file." when that fails.
    int SaveFile(const char* path);
    // MakeTables, then Apply; 0 when either fails. Call once: the offsets are added into the
    // table's strengths.
    int Run();
    // Samples the source's lightness and chroma and builds the two remap tables; 0 when not valid.
    int MakeTables();
    // The pixel pass from source to target. 0 when not valid, or after appending
    // kNoMemory when the expanded grid cannot be allocated.
    virtual int Apply();

    bool HasTable() const { return table_ != nullptr; }
    bool IsValid() const { return valid_ != 0; }
    // Null without a table.
    ColorMapTable* Table() { return table_.get(); }
    const ColorMapTable* Table() const { return table_.get(); }
    const int32_t* LightHistogram() const { return lightHistogram_; }
    const int32_t* ChromaHistogram() const { return chromaHistogram_; }
    const uint8_t* LightRemap() const { return lightRemap_; }
    const uint8_t* ChromaRemap() const { return chromaRemap_; }

protected:
    // What the pixel pass reads from the table, taken once per pass.
    struct PassSettings {
        int lightStrength;
        int chromaStrength;
        int lightMinimum;
        int lightMaximum;
        int chromaMinimum;
    };
    PassSettings ReadPassSettings() const;

    // Takes the given table, which may be null (then every operation does nothing); lets a
    // derived class, or a test, decide how the table is obtained.
    ColorMap(char* status, std::unique_ptr<ColorMapTable> table);

    // Storage for the expanded grid (kExpandedBytes); null when it cannot be had.
    virtual std::unique_ptr<uint8_t[]> AllocateExpanded();
    // The twelve keys interpolated to all 252 hues. Null after appending kNoMemory
    // when the storage cannot be allocated.
    std::unique_ptr<uint8_t[]> ExpandKeys();

    // Hue, chroma and lightness of a blue-green-red pixel as the grid reads them: a pixel outside
    // the light window or below the chroma minimum takes the hue of a grey of its lightness, then
    // lightness and chroma go through their remaps where the strengths are above 0.
    void LocatePixel(const PassSettings& pass, const uint8_t* bgr, HueColor& color) const {
        color.red = bgr[2];
        color.green = bgr[1];
        color.blue = bgr[0];
        RgbToHcl(color);
        const int l = color.luma;
        if (l < pass.lightMinimum || l > pass.lightMaximum || color.chroma < pass.chromaMinimum) {
            const int hue = (l >> 1) + 168;
            color.hue = hue > 251 ? hue - 252 : hue;
        }
        if (pass.lightStrength > 0) color.luma = lightRemap_[color.luma];
        if (pass.chromaStrength > 0) color.chroma = chromaRemap_[color.chroma];
    }

    // The colour at (lightness, chroma) in the grid of `color.hue`, into red, green, blue.
    static void InterpolateGrid(const uint8_t* expanded, const HueColor& color, int rgb[3]) {
        const int fromTop = 255 - color.luma;
        const int row = fromTop >> 6;
        const int fl = fromTop & 63;
        const int column = color.chroma >> 7;
        const int fc = color.chroma & 127;
        const uint8_t* upper = expanded + color.hue * kColorMapCellBytes +
                               (row * kColorMapColumns + column) * 3;
        const uint8_t* lower = upper + kColorMapColumns * 3;
        for (int channel = 0; channel < 3; ++channel) {
            const int a = upper[channel];
            const int u = a + ArithmeticShiftRight((upper[channel + 3] - a) * fc, 7);
            const int b = lower[channel];
            const int v = b + ArithmeticShiftRight((lower[channel + 3] - b) * fc, 7);
            rgb[channel] = u + ArithmeticShiftRight((v - u) * fl, 6);
        }
    }

    int valid_ = 0;
    std::unique_ptr<ColorMapTable> table_;
    int32_t lightHistogram_[256];
    uint8_t lightRemap_[256];
    int32_t chromaHistogram_[256];
    uint8_t chromaRemap_[256];
    char* status_;
    TDib* source_ = nullptr;
    TDib* target_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int rowBytes_ = 0;
    int lightOffset_ = 0;
    int chromaOffset_ = 0;
};
