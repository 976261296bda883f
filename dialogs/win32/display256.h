// Display256: a 24-bit image shown on a screen of at most 256 colours, as an 8-bit copy
// dithered into the fixed colour cube, with a logical palette that holds the cube in entries
// 30..245 and the system's own colours elsewhere.
#pragma once

#include <windows.h>

#include <memory>

#include "dialogs/dither.h"
#include "framework/gdi_objects.h"
#include "framework/window.h"
#include "imaging/dib.h"

class Display256 {
public:
    // Makes the palette at once; the owner's device context and window are used.
    explicit Display256(framework::TWindow* owner);
    ~Display256();
    Display256(const Display256&) = delete;
    Display256& operator=(const Display256&) = delete;

    // The entries (system colours around the cube), the palette when none exists yet, and the
    // dither tables.
    void MakePalette();
    // (Re)makes the 8-bit copy of width × height with the palette's colours. 1, or 0 without
    // a palette or when the image cannot be made.
    int Create(int width, int height);
    void ReleaseDib();
    // 1 when `image` (24 bits, the copy's size) was dithered into the copy; 0, changing
    // nothing, without a copy, without an image, for a step below 1 or a size mismatch.
    int Dither(const TDib* image, int step);
    // Selects the palette as a foreground palette into the owner's client context and realises
    // it; repaints the owner when entries changed.
    void Realize();

    const TDib* Image() const { return image_.get(); }
    HPALETTE Palette() const { return palette_ ? palette_->GetHandle() : nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    std::unique_ptr<TDib> image_;
    std::unique_ptr<framework::TPalette> palette_;
    PALETTEENTRY entries_[256];
    framework::TWindow* owner_;
    int width_ = 0;
    int height_ = 0;
    dither::Tables tables_;
};
