// Centring a window over the host window or the screen.
#include "dialogs/win32/centred_origin.h"

POINT CentredOrigin(HWND host, int width, int height) {
    RECT area;
    if (host == nullptr || !GetWindowRect(host, &area))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return POINT{area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2};
}
