// TDib to and from the device.
#include "framework/dib_bitmap.h"

#include <cstring>

namespace framework {

void DescribeDib(const TDib& dib, DibInfo* info) {
    std::memset(info, 0, sizeof *info);
    BITMAPINFOHEADER& header = info->header;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = dib.Width();
    header.biHeight = dib.Height();
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(dib.BitCount());
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(dib.ImageBytes());
    header.biXPelsPerMeter = dib.XPelsPerMeter();
    header.biYPelsPerMeter = dib.YPelsPerMeter();
    if (dib.BitCount() == 8 && dib.Palette() != nullptr) {
        header.biClrUsed = 256;
        std::memcpy(info->colors, dib.Palette(), 256 * 4);
    }
}

int DrawDib(HDC dc, int x, int y, int width, int height, const TDib& dib) {
    if (dib.Bits() == nullptr) return 0;
    DibInfo info;
    DescribeDib(dib, &info);
    return SetDIBitsToDevice(dc, x, y, width, height, 0, 0, 0, dib.Height(), dib.Bits(),
                             info.Info(), DIB_RGB_COLORS);
}

HBITMAP BitmapFromDib(HDC dc, const TDib& dib) {
    if (dib.Bits() == nullptr) return nullptr;
    DibInfo info;
    DescribeDib(dib, &info);
    return CreateDIBitmap(dc, &info.header, CBM_INIT, dib.Bits(), info.Info(), DIB_RGB_COLORS);
}

std::unique_ptr<TDib> DibFromBitmap(HDC dc, HBITMAP bitmap) {
    BITMAP description;
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof description, &description) == 0)
        return nullptr;
    std::unique_ptr<TDib> dib = TDib::Create24(description.bmWidth, description.bmHeight);
    if (!dib) return nullptr;
    DibInfo info;
    DescribeDib(*dib, &info);
    if (GetDIBits(dc, bitmap, 0, dib->Height(), dib->Bits(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != dib->Height())
        return nullptr;
    return dib;
}

}  // namespace framework
