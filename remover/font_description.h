// The dialog-font entry of the string table: a face name followed by thirteen comma-separated
// decimal numbers (height, width, escapement, orientation, weight, pitch and family, italic,
// underline, strike-out, character set, output precision, clip precision, quality), parsed into
// named fields so that each reaches the CreateFont parameter of its name.
#pragma once

#include <cstdint>

constexpr int kFaceNameSize = 40;

struct FontDescription {
    char face[kFaceNameSize] = "Arial";
    int height = -15;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    uint8_t pitchAndFamily = 34;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 2;
    uint8_t clipPrecision = 0;
    uint8_t quality = 2;
};

// The description in `entry` over the defaults above. Without a comma every default stays.
// The face is the text before the first comma, cut to 39 bytes on a character boundary. A
// number is taken when a comma follows it, the thirteenth also when it ends the text (and is
// not empty); so with fewer numbers the last one given keeps its default. Numbers are read
// like atoi, saturating instead of overflowing; the last eight fields keep their low byte.
// The plug-ins' dialogs carry a copy of this parsing that reads every entry alike.
FontDescription ParseFontDescription(const char* entry);
