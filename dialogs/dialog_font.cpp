// Parsing a font entry of the string table into its named fields.
#include "dialogs/dialog_font.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/code_page.h"

namespace {

constexpr int kNumberCount = 13;

// A decimal number as atoi reads it (leading blanks, a sign, digits), held to the int range:
// atoi itself has no defined result for a number out of range.
int ReadNumber(const char* text) {
    const long value = std::strtol(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

void ParseDialogFont(const char* text, DialogFontEntry* font) {
    *font = DialogFontEntry();
    if (text == nullptr) return;
    // "," is below 0x40, so it is never the second byte of a double-byte character.
    const char* comma = std::strchr(text, ',');
    if (comma == nullptr) return;

    constexpr size_t kFaceRoom = kFontFaceSize - 1;
    size_t faceBytes = static_cast<size_t>(comma - text);
    if (faceBytes > kFaceRoom) faceBytes = WholeCharacters(text, kFaceRoom);
    std::memcpy(font->face, text, faceBytes);
    font->face[faceBytes] = '\0';

    int numbers[kNumberCount] = {
        font->height,         font->width,         font->escapement, font->orientation,
        font->weight,         font->pitchAndFamily, font->italic,    font->underline,
        font->strikeOut,      font->charSet,       font->outPrecision, font->clipPrecision,
        font->quality};
    const char* number = comma + 1;
    for (int i = 0; i < kNumberCount; ++i) {
        const char* next = std::strchr(number, ',');
        if (next == nullptr) {
            if (i == kNumberCount - 1 && *number != '\0') numbers[i] = ReadNumber(number);
            break;
        }
        numbers[i] = ReadNumber(number);
        number = next + 1;
    }

    font->height = numbers[0];
    font->width = numbers[1];
    font->escapement = numbers[2];
    font->orientation = numbers[3];
    font->weight = numbers[4];
    font->pitchAndFamily = static_cast<uint8_t>(numbers[5]);
    font->italic = static_cast<uint8_t>(numbers[6]);
    font->underline = static_cast<uint8_t>(numbers[7]);
    font->strikeOut = static_cast<uint8_t>(numbers[8]);
    font->charSet = static_cast<uint8_t>(numbers[9]);
    font->outPrecision = static_cast<uint8_t>(numbers[10]);
    font->clipPrecision = static_cast<uint8_t>(numbers[11]);
    font->quality = static_cast<uint8_t>(numbers[12]);
}
