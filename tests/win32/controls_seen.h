// The controls of a dialog on the screen as a test sees them, from this process or another:
// class, id, text, rectangle in the dialog's client coordinates and style, in creation order;
// and the check against the table of controls a test expects.
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
