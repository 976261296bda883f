// The plug-in's main dialog: runs as a small application with its own message loop on the
// host's thread, works on the held image and on the caller's settings record.
#pragma once

#include <windows.h>

#include "plugin/filter_settings.h"

// 1 when the dialog ended with a final painting (the held image is painted and `settings`
// holds the choices to keep); 0 when it ended without one (cancel, a stopped or failed painting).
int RunMainDialog(HWND host, FilterSettings* settings);
