// Reading dialogs off the screen for the Windows tests.
#include "tests/win32/dialog_probe.h"

#include <gtest/gtest.h>

#include "host/bmp_file.h"
#include "host/window_capture.h"
#include "imaging/dib.h"

WindowSeen SeeWindow(HWND window, HWND owner) {
    WindowSeen seen = {};
    GetWindowRect(window, &seen.rect);
    GetWindowRect(owner, &seen.ownerRect);
    seen.style = GetWindowLongA(window, GWL_STYLE);
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    seen.title = title;
    return seen;
}

void ExpectCentredWithoutSystemMenu(const WindowSeen& seen, int width, int heightBelowCaption,
                                    const char* title) {
    const RECT& r = seen.rect;
    const RECT& o = seen.ownerRect;
    const int height = GetSystemMetrics(SM_CYCAPTION) + heightBelowCaption;
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_EQ(r.left, o.left + ((o.right - o.left) - width) / 2);
    EXPECT_EQ(r.top, o.top + ((o.bottom - o.top) - height) / 2);
    EXPECT_NE(seen.style & WS_CAPTION, 0);
    EXPECT_EQ(seen.style & WS_SYSMENU, 0) << "no system menu, no close box";
    EXPECT_EQ(seen.title, title);
}

namespace {

std::vector<std::string> Lines(HWND dialog, int id, UINT count, UINT text) {
    std::vector<std::string> items;
    const int lines = static_cast<int>(SendDlgItemMessageA(dialog, id, count, 0, 0));
    for (int i = 0; i < lines; ++i) {
        char line[128] = "";
        SendDlgItemMessageA(dialog, id, text, i, reinterpret_cast<LPARAM>(line));
        items.push_back(line);
    }
    return items;
}

}  // namespace

std::vector<std::string> ListItems(HWND dialog, int id) {
    return Lines(dialog, id, CB_GETCOUNT, CB_GETLBTEXT);
}

std::vector<std::string> ListBoxItems(HWND dialog, int id) {
    return Lines(dialog, id, LB_GETCOUNT, LB_GETTEXT);
}

int ListSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

int ListBoxSelection(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0));
}

COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

std::vector<COLORREF> PixelGrid(HWND window, int left, int top, int right, int bottom, int step) {
    std::vector<COLORREF> pixels;
    for (int y = top; y < bottom; y += step)
        for (int x = left; x < right; x += step) pixels.push_back(PixelAt(window, x, y));
    return pixels;
}

COLORREF PaletteColor(const TDib& picture, int x, int y) {
    const uint8_t* entry = picture.Palette() + 4 * picture.Row(picture.Height() - 1 - y)[x];
    return RGB(entry[2], entry[1], entry[0]);
}

bool IsCubeColor(COLORREF color) {
    return GetRValue(color) % 51 == 0 && GetGValue(color) % 51 == 0 && GetBValue(color) % 51 == 0;
}

LOGFONTA FontOf(HWND control) {
    LOGFONTA font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    if (handle != nullptr) GetObjectA(handle, sizeof font, &font);
    return font;
}

void ExpectFont(const LOGFONTA& font, const char* face, int height, int weight, int charSet) {
    EXPECT_STREQ(font.lfFaceName, face);
    EXPECT_EQ(font.lfHeight, height);
    EXPECT_EQ(font.lfWeight, weight);
    EXPECT_EQ(font.lfCharSet, charSet);
}

void SaveScreenshot(HWND window, const char* name) {
    CreateDirectoryA(ZO_SCREENSHOT_DIR, nullptr);
    const std::vector<uint8_t> picture = CaptureWindow(window);
    std::string error;
    const std::string path = std::string(ZO_SCREENSHOT_DIR) + "/" + name + ".bmp";
    EXPECT_FALSE(picture.empty()) << "the dialog could not be read from the screen";
    EXPECT_TRUE(WriteBmpFile(path.c_str(), picture, &error)) << error;
}
