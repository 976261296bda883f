// TDib and the device: the bitmap description GDI reads a TDib by, drawing a TDib on a device
// context, and the conversions between a TDib and a device-dependent bitmap.
#pragma once

#include <windows.h>

#include <memory>

#include "imaging/dib.h"

namespace framework {

// A BITMAPINFO with room for the 256 colours of an 8-bit TDib.
struct DibInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(this); }
};

// Bottom-up, uncompressed, the TDib's pixels per metre; 256 colours for an 8-bit TDib.
void DescribeDib(const TDib& dib, DibInfo* info);

// SetDIBitsToDevice of width × height pixels from the TDib's origin to (x, y), all scan
// lines, with the TDib's own colours (DIB_RGB_COLORS). The scan lines set, 0 on failure.
int DrawDib(HDC dc, int x, int y, int width, int height, const TDib& dib);

// A device bitmap of the TDib's size and pixels, compatible with `dc`; null on failure.
HBITMAP BitmapFromDib(HDC dc, const TDib& dib);

// The bitmap's pixels as a 24-bit TDib; null when the bitmap cannot be read.
std::unique_ptr<TDib> DibFromBitmap(HDC dc, HBITMAP bitmap);

}  // namespace framework
