// What a test reads off a dialog on the screen: its controls (class, id, text, rectangle) in
// window order, a pixel of it, and a screenshot of the frame on show saved for a person to
// look at.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ControlSeen {
    std::string className;
    int id;
    std::string text;
    RECT rect;  // in the dialog's client coordinates
};

std::vector<ControlSeen> ControlsOf(HWND dialog);

// The colour on the screen at a client point of the window.
COLORREF PixelAt(HWND window, int x, int y);

// The font a control was given (WM_GETFONT); all zero when it has none.
LOGFONTA FontOf(HWND control);

// The client area of the frame on show (the filter dialog's or the About box's), as
// screenshots/<name>.bmp of the build folder.
void SaveScreenshot(const char* name);
