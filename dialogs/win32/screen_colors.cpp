// The screen's colour count, measured or injected.
#include "dialogs/win32/screen_colors.h"

#include <windows.h>

#include <algorithm>

#include "framework/dc.h"

namespace {
int injected = 0;
}  // namespace

int ScreenColorCount() {
    if (injected > 0) return injected;
    framework::TScreenDC screen;
    if (!screen.IsValid()) return 1 << 24;
    const int planes = GetDeviceCaps(screen.GetHDC(), PLANES);
    const int bits = std::min(GetDeviceCaps(screen.GetHDC(), BITSPIXEL), 24);
    const int exponent = std::min(planes * bits, 24);
    return 1 << exponent;
}

void SetScreenColorCountForTests(int colors) { injected = colors; }
