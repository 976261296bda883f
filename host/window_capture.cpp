// Reading a window's pixels from the screen.
#include "host/window_capture.h"

#include <cstring>

#include "imaging/bitmap_header.h"
#include "imaging/dib.h"

std::vector<uint8_t> CaptureWindow(HWND window) {
    RECT rect;
    if (window == nullptr || !GetClientRect(window, &rect)) return {};
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return {};
    const size_t rowBytes = static_cast<size_t>(RowBytes24(width));
    std::vector<uint8_t> picture(kBitmapInfoHeaderSize + rowBytes * height);
    static_assert(sizeof(BITMAPINFOHEADER) == kBitmapInfoHeaderSize, "the host picture's header");
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biXPelsPerMeter = header.biYPelsPerMeter = 3780;

    // From the window's own context: what it shows, even where another window lies over it.
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info = {};
    info.bmiHeader = header;
    const bool read = copied && GetDIBits(memory, bitmap, 0, height,
                                          picture.data() + kBitmapInfoHeaderSize, &info,
                                          DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    if (!read) return {};
    std::memcpy(picture.data(), &header, sizeof header);
    return picture;
}
