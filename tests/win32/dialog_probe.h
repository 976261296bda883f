// What the Windows tests read off a dialog on the screen: its controls (class, id, text and
// rectangle in client coordinates, in creation order), the lines of its lists, a pixel of its
// client area, and screenshots saved into the build folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct ControlSeen {
    std::string className;
    int id;
    std::string text;
    RECT rect;  // in the dialog's client coordinates
    LONG style;
};

std::vector<ControlSeen> ControlsOf(HWND dialog);

// The lines of drop-down list `id`, and of list box `id`.
std::vector<std::string> ListItems(HWND dialog, int id);
std::vector<std::string> ListBoxItems(HWND dialog, int id);
// The selected line of drop-down list `id`, and of list box `id`; -1 for none.
int ListSelection(HWND dialog, int id);
int ListBoxSelection(HWND dialog, int id);

COLORREF PixelAt(HWND window, int x, int y);

// A text's bytes in hex, as the test plug-ins record a help key.
std::string HexBytes(const std::string& text);

// The font a control was given (WM_GETFONT), described.
LOGFONTA FontOf(HWND control);

// The client area of `window` as build folder/screenshots/<name>.bmp; a failure fails the test.
void SaveScreenshot(HWND window, const char* name);
