// Owned GDI objects.
#include "framework/gdi_objects.h"

#include <cstring>

namespace framework {

TFont::TFont(const LOGFONTA& description) : description_(description) {
    handle_ = CreateFontIndirectA(&description_);
}

TFont::TFont(const TFont& other) : TGdiObject(), description_(other.description_) {
    handle_ = CreateFontIndirectA(&description_);
}

TBrush::TBrush(COLORREF color) { handle_ = CreateSolidBrush(color); }

TPen::TPen(int style, int width, COLORREF color) { handle_ = CreatePen(style, width, color); }

TRegion::TRegion(int left, int top, int right, int bottom) {
    handle_ = CreateRectRgn(left, top, right, bottom);
}

TPalette::TPalette(const PALETTEENTRY* entries, int count) {
    if (entries == nullptr || count < 1 || count > 256) return;
    struct {
        WORD version;
        WORD entryCount;
        PALETTEENTRY entries[256];
    } logical;
    logical.version = 0x300;
    logical.entryCount = static_cast<WORD>(count);
    std::memcpy(logical.entries, entries, sizeof(PALETTEENTRY) * count);
    handle_ = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
}

TBitmap::TBitmap(HINSTANCE module, const char* name) {
    handle_ = LoadBitmapA(module, name);
    BITMAP description;
    if (handle_ != nullptr && GetObjectA(handle_, sizeof description, &description) != 0) {
        width_ = description.bmWidth;
        height_ = description.bmHeight;
    }
}

}  // namespace framework
