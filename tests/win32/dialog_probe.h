// What the Windows tests read off a dialog on the screen: its controls (controls_seen.h), its
// place, the lines of its lists, pixels of its client area and the colours expected there, its
// fonts, and screenshots saved into the build folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win32/controls_seen.h"

class TDib;

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
// The colours at the client points from (left, top) every `step` pixels across and down,
// short of right and bottom, row by row.
std::vector<COLORREF> PixelGrid(HWND window, int left, int top, int right, int bottom, int step);
// The colour of an 8-bit picture's pixel (x, y), y counted from the top, from its colour table:
// what the screen shows where the picture is drawn with its own colours.
COLORREF PaletteColor(const TDib& picture, int x, int y);
// True for a colour of the 6 × 6 × 6 cube that a dither for 256 colours draws with: every
// channel a multiple of 51.
bool IsCubeColor(COLORREF color);

// The font a control was given (WM_GETFONT), described; all zero when it has none.
LOGFONTA FontOf(HWND control);
// The font has this face, height, weight and character set.
void ExpectFont(const LOGFONTA& font, const char* face, int height, int weight, int charSet);

// The client area of `window` (a dialog, or the frame of the filter dialog or the About box) as
// build folder/screenshots/<name>.bmp; a failure fails the test.
void SaveScreenshot(HWND window, const char* name);
