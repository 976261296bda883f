// Where a window goes to sit centred over another: the small applications of the plug-ins (the
// filter dialog and the About box) open so over the host, the ground and screen dialogs over
// the filter dialog.
#pragma once

#include <windows.h>

// The top-left corner of a window of width × height centred on the host's window rectangle
// (halves truncated toward zero), or on the screen's work area without a host.
POINT CentredOrigin(HWND host, int width, int height);
