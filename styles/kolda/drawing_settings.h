// The record that steers the line engine: filled once by a style and handed to ZoDrawing::Run,
// which keeps a pointer to it. Every field starts at 0 (and every table pointer null), so a
// style can tell by `filled` whether it has filled the record yet.
#pragma once

#include <cstdint>

// `mode`: what Run traces.
enum DrawingMode : int32_t {
    kDrawingHatch = 1,      // hatch lines over dark, weakly coloured areas
    kDrawingEdgeLines = 2,  // lines along the picture's edges
};

// `taper`: the width profile along a stroke.
enum DrawingTaper : int32_t {
    kTaperRising = 0,        // thin at the start, widest at the end
    kTaperFalling = 1,       // widest at the start
    kTaperThickMiddle = 2,   // thin ends, widest in the middle
    kTaperThinMiddle = 3,    // widest at the ends
};

// `hatchDirection`, hatching only.
enum HatchDirection : int32_t {
    kHatchRows = 0,
    kHatchColumns = 1,
    kHatchDiagonal = 2,      // column and row rising together
    kHatchAntiDiagonal = 3,  // column rising as the row falls
};

// "The scale" below is the engine's resolution scale, (width + height)^0.2 × dpi × 0.001.
struct DrawingSettings {
    int32_t filled = 0;          // 1 once the style has filled the record
    int32_t mode = 0;            // a DrawingMode; any other value makes Run fail
    int32_t taper = 0;           // a DrawingTaper
    int32_t hatchDirection = 0;  // a HatchDirection
    // Edge lines: the window difference that starts an edge run. Hatching: the mean darkness a
    // hatch line must exceed.
    int32_t edgeThreshold = 0;
    int32_t hatchFocusLow = 0;   // hatching: lowest and highest focus that is hatched
    int32_t hatchFocusHigh = 0;
    // Edge lines: window length where spotSizeTable is 255. Hatching: spacing of the hatch
    // lines (times the scale, at least 2).
    int32_t shortWindow = 0;
    // Edge lines: window length where spotSizeTable is 0. Hatching: highest luma hatched.
    int32_t longWindow = 0;
    int32_t minLength = 0;         // shortest traced line in points, times the scale
    int32_t maxPoints = 0;         // most points of one traced line, times the scale
    int32_t minWidth = 0;          // pen radius at a stroke's thin end, eighths of a pixel, × scale
    int32_t maxWidth = 0;          // pen radius span at full width, eighths, × scale / density factor
    int32_t densityInfluence = 0;  // percent by which the edge density narrows maxWidth
    int32_t fullLength = 0;        // traced length (× scale) below which strokes get thinner
    int32_t fullStrength = 0;      // mean edge strength at which a stroke reaches full width
    int32_t simplifyFactor = 0;    // factor of the corner tolerance
    int32_t reserved = 0;
    // 256-entry tables. The first is kept for the styles' sake and not read by the engine; the
    // others are indexed by a line's mean focus, the last by the focus of a pixel.
    const uint8_t* colorDistanceTable = nullptr;
    const uint8_t* minLengthTable = nullptr;  // share (/256) of the minimum length to exceed
    const uint8_t* penSizeTable = nullptr;    // share (/256) of the width span a stroke gets
    const uint8_t* weightTable = nullptr;     // darkness weight; below 4 the line is dropped
    const uint8_t* speedTable = nullptr;      // share of the corner tolerance
    const uint8_t* spotSizeTable = nullptr;   // window length between long (0) and short (255)
};
