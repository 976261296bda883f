// Owned GDI objects: font, solid brush, pen, rectangular region, logical palette and bitmap.
// Each deletes its handle when it goes; Handle() is null when the object could not be made.
#pragma once

#include <windows.h>

namespace framework {

template <typename Handle>
class TGdiObject {
public:
    TGdiObject() = default;
    ~TGdiObject() {
        if (handle_ != nullptr) DeleteObject(handle_);
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    Handle GetHandle() const { return handle_; }
    bool IsValid() const { return handle_ != nullptr; }

protected:
    Handle handle_ = nullptr;
};

class TFont : public TGdiObject<HFONT> {
public:
    explicit TFont(const LOGFONTA& description);
    // A new font of the same description as `other`.
    TFont(const TFont& other);
    const LOGFONTA& Description() const { return description_; }

private:
    LOGFONTA description_;
};

class TBrush : public TGdiObject<HBRUSH> {
public:
    explicit TBrush(COLORREF color);
};

class TPen : public TGdiObject<HPEN> {
public:
    TPen(int style, int width, COLORREF color);
};

class TRegion : public TGdiObject<HRGN> {
public:
    TRegion(int left, int top, int right, int bottom);
};

class TPalette : public TGdiObject<HPALETTE> {
public:
    // `count` entries, at most 256.
    TPalette(const PALETTEENTRY* entries, int count);
};

class TBitmap : public TGdiObject<HBITMAP> {
public:
    // The bitmap resource `name` of `module` (LoadBitmap), as a device bitmap.
    TBitmap(HINSTANCE module, const char* name);
    // 0 × 0 when the bitmap could not be loaded.
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
};

}  // namespace framework
