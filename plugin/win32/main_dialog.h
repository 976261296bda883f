// The plug-in's main dialog: runs as a small application with its own message loop on the
// host's thread, works on the call's held image and on its own copy of the settings record.
#pragma once

#include <windows.h>

#include "plugin/filter_call.h"

// 1 when the dialog ended with a final painting (the held image is painted and the call's
// settings hold the choices to keep); 0 when it ended without one (cancel, a stopped or failed
// painting).
int RunMainDialog(HWND host, FilterCall& call);
