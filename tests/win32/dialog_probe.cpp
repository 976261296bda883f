// Reading dialogs off the screen for the Windows tests.
#include "tests/win32/dialog_probe.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "host/bmp_file.h"
#include "host/window_capture.h"

std::vector<ControlSeen> ControlsOf(HWND dialog) {
    std::vector<ControlSeen> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ControlSeen seen;
        char text[256];
        GetClassNameA(child, text, sizeof text);
        seen.className = text;
        seen.id = GetDlgCtrlID(child);
        GetWindowTextA(child, text, sizeof text);
        seen.text = text;
        GetWindowRect(child, &seen.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&seen.rect), 2);
        seen.style = GetWindowLongA(child, GWL_STYLE);
        controls.push_back(seen);
    }
    return controls;
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

std::string HexBytes(const std::string& text) {
    std::string hex;
    for (unsigned char c : text) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", c);
        hex += digits;
    }
    return hex;
}

LOGFONTA FontOf(HWND control) {
    LOGFONTA font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    GetObjectA(handle, sizeof font, &font);
    return font;
}

void SaveScreenshot(HWND window, const char* name) {
    CreateDirectoryA(ZO_SCREENSHOT_DIR, nullptr);
    const std::vector<uint8_t> picture = CaptureWindow(window);
    std::string error;
    const std::string path = std::string(ZO_SCREENSHOT_DIR) + "/" + name + ".bmp";
    EXPECT_FALSE(picture.empty()) << "the dialog could not be read from the screen";
    EXPECT_TRUE(WriteBmpFile(path.c_str(), picture, &error)) << error;
}
