// Parsing a font entry of the string table into its named fields.
#include "dialogs/dialog_font.h"

#include <cstdlib>
#include <cstring>

#include "engine/status_text.h"

void ParseDialogFont(const char* text, DialogFontEntry* font) {
    *font = DialogFontEntry();
    if (text == nullptr) return;
    const char* comma = std::strchr(text, ',');
    if (comma == nullptr) return;

    const size_t faceLength = static_cast<size_t>(comma - text);
    char face[kFontFaceSize * 2];
    const size_t copied = faceLength < sizeof face - 1 ? faceLength : sizeof face - 1;
    std::memcpy(face, text, copied);
    face[copied] = '\0';
    CopyTextBounded(font->face, kFontFaceSize, face);

    int* const fields[] = {&font->height,        &font->width,     &font->escapement,
                           &font->orientation,   &font->weight,    &font->pitchAndFamily,
                           &font->italic,        &font->underline, &font->strikeOut,
                           &font->charSet,       &font->outPrecision, &font->clipPrecision,
                           &font->quality};
    constexpr int kFieldCount = sizeof fields / sizeof fields[0];
    const char* number = comma + 1;
    for (int i = 0; i < kFieldCount; ++i) {
        const char* next = std::strchr(number, ',');
        const bool lastEndsText = next == nullptr && i == kFieldCount - 1 && *number != '\0';
        if (next == nullptr && !lastEndsText) return;
        *fields[i] = std::atoi(number);
        if (next == nullptr) return;
        number = next + 1;
    }
}
