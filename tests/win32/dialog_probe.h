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

// A control as a test expects it; a null text or a height of -1 is not compared (a drop-down
// list shows only its edit field, a list box keeps whole lines).
struct ControlExpected {
    const char* className;
    int id;
    const char* text;
    int x, y, width, height;
};
// The controls seen are those expected, in creation order.
void ExpectControls(const std::vector<ControlSeen>& seen,
                    const std::vector<ControlExpected>& expected);

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

COLORREF PixelAt(HWND window, int x, int y);


// The font a control was given (WM_GETFONT), described.
LOGFONTA FontOf(HWND control);

// The client area of `window` as build folder/screenshots/<name>.bmp; a failure fails the test.
void SaveScreenshot(HWND window, const char* name);
