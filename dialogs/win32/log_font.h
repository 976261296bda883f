// A font entry of the string table as CreateFontIndirect takes it: each named field to the
// LOGFONT field of its name, the face cut to the room of a LOGFONT on a character boundary.
// The plug-ins' dialogs and the removal program make their fonts so.
#pragma once

#include <windows.h>

#include <cstring>

#include "dialogs/dialog_font.h"
#include "platform/code_page.h"

inline LOGFONTA LogFontOf(const DialogFontEntry& entry) {
    LOGFONTA font = {};
    font.lfHeight = entry.height;
    font.lfWidth = entry.width;
    font.lfEscapement = entry.escapement;
    font.lfOrientation = entry.orientation;
    font.lfWeight = entry.weight;
    font.lfItalic = entry.italic;
    font.lfUnderline = entry.underline;
    font.lfStrikeOut = entry.strikeOut;
    font.lfCharSet = entry.charSet;
    font.lfOutPrecision = entry.outPrecision;
    font.lfClipPrecision = entry.clipPrecision;
    font.lfQuality = entry.quality;
    font.lfPitchAndFamily = entry.pitchAndFamily;
    const size_t faceBytes = WholeCharacters(entry.face, strnlen(entry.face, LF_FACESIZE - 1));
    std::memcpy(font.lfFaceName, entry.face, faceBytes);
    font.lfFaceName[faceBytes] = '\0';
    return font;
}
