// Font entries of the string table: a face name followed by thirteen comma-separated numbers,
// in the entry's own order (height, width, escapement, orientation, weight, pitch and family,
// italic, underline, strike-out, character set, output, clip precision, quality). The fields
// are named, so the Win32 side hands each to the CreateFont parameter of the same name.
#pragma once

#include <cstdint>

constexpr int kFontFaceSize = 40;  // 39 characters and the terminator

struct DialogFontEntry {
    char face[kFontFaceSize] = "Arial";
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

// Fills `font` from the entry's text, starting from the defaults above. A text without a comma
// keeps every default; the face is the text before the first comma (39 characters at most,
// never half a double-byte character); a number is taken when a comma follows it, the
// thirteenth also when it ends the text (and is not empty). Numbers are read like atoi but
// saturate instead of overflowing; the last eight fields keep their low byte, as CreateFont
// does. A null text keeps the defaults.
void ParseDialogFont(const char* text, DialogFontEntry* font);
