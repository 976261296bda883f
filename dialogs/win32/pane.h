// Pane: one image pane of a FixDialog, a rectangle of the dialog face that shows a TDib
// directly (no control window), with an optional bevel outside it and an optional label.
#pragma once

#include <windows.h>

#include <memory>

#include "dialogs/win32/display256.h"
#include "imaging/dib.h"

struct Pane {
    enum LabelKind { kNoLabel = 0, kTextLabel = 1, kNumberLabel = 2 };

    const TDib* image = nullptr;         // borrowed; null for a frame-only pane
    std::unique_ptr<Display256> copy;    // the dithered copy on palette screens
    int width = 0, height = 0;
    int rowBytes = 0;
    RECT rect = {0, 0, 1, 1};
    RECT click = {0, 0, 1, 1};
    int bevel = 0;         // > 0 raised, < 0 sunken, |bevel| pixels wide
    bool shown = false;
    bool clickable = false;
    int labelKind = kNoLabel;
    const void* labelValue = nullptr;  // a text (kind 1) or an int (kind 2), borrowed
};
