// Reading dialogs off the screen.
#include "tests/win32/dialog_inspection.h"

#include <gtest/gtest.h>

#include "host/bmp_file.h"
#include "host/dialog_automation.h"
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
        controls.push_back(seen);
    }
    return controls;
}

COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

LOGFONTA FontOf(HWND control) {
    LOGFONTA font = {};
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    if (handle != nullptr) GetObjectA(handle, sizeof font, &font);
    return font;
}

void SaveScreenshot(const char* name) {
    CreateDirectoryA(ZO_SCREENSHOT_DIR, nullptr);
    const std::vector<uint8_t> picture = CaptureWindow(FindFilterFrame());
    std::string error;
    const std::string path = std::string(ZO_SCREENSHOT_DIR) + "/" + name + ".bmp";
    EXPECT_FALSE(picture.empty()) << "the dialog could not be read from the screen";
    EXPECT_TRUE(WriteBmpFile(path.c_str(), picture, &error)) << error;
}
