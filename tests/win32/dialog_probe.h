// What the Windows tests read off a dialog on the screen: its controls (controls_seen.h), its
// place, the lines of its lists, a pixel of its client area, its fonts, and screenshots saved
// into the build folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/controls_seen.h"

// A dialog window as the tests check its place: its rectangle, its owner's, style and title.
struct WindowSeen {
    RECT rect;
    RECT ownerRect;
    LONG style;
    std::string title;
};
WindowSeen SeeWindow(HWND window, HWND owner);
// Of width × (caption + heightBelowCaption), centred on its owner with the halves truncated
// toward zero, with a caption and without a system menu (so without a close box), titled.
void ExpectCentredWithoutSystemMenu(const WindowSeen& seen, int width, int heightBelowCaption,
                                    const char* title);

// The lines of drop-down list `id`, and of list box `id`.
std::vector<std::string> ListItems(HWND dialog, int id);
std::vector<std::string> ListBoxItems(HWND dialog, int id);
// The selected line of drop-down list `id`, and of list box `id`; -1 for none.
int ListSelection(HWND dialog, int id);
int ListBoxSelection(HWND dialog, int id);

// The colour on the screen at a client point of the window.
COLORREF PixelAt(HWND window, int x, int y);

// The font a control was given (WM_GETFONT), described; all zero when it has none.
LOGFONTA FontOf(HWND control);

// The client area of `window` (a dialog, or the frame of the filter dialog or the About box) as
// build folder/screenshots/<name>.bmp; a failure fails the test.
void SaveScreenshot(HWND window, const char* name);
