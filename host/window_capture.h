// A window's client area as it shows it, as a 24-bit host picture (40-byte header and
// bottom-up rows), for screenshots of the dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Empty when the window cannot be read.
std::vector<uint8_t> CaptureWindow(HWND window);
