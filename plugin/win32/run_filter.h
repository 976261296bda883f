// The filter call between the host and the rest of the plug-in: works out the picture's
// resolution, loads the settings, the output resolution and the ground, copies the host's
// pixels into the held image, runs the dialog (or paints without one), copies the painting
// back and cleans up. All it holds lives in one FilterCall for the length of the call.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/platform.h"

// 1 when the call ran, also when the dialog was cancelled; 0 when the picture was refused
// (null, not 24-bit uncompressed bottom-up, too large for the process) or could not be copied,
// when another filter call is in progress, and, without the dialog, when the painting failed.
// The host's pixels change only after a finished painting.
int RunFilter(platform::ModuleHandle module, HWND hostWindow, uint8_t* picture, bool withDialog);

// The picture's resolution from its biXPelsPerMeter: 80 when not positive, else the dots per
// inch rounded up; at most 32767, the largest value the environment's 16-bit field holds.
int ImageDpiFromPelsPerMeter(int32_t pelsPerMeter);
