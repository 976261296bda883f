// Centring a window over the host window or the screen.
#include "dialogs/win32/centred_origin.h"

#include "dialogs/dialog_placement.h"

POINT CentredOrigin(HWND host, int width, int height) {
    RECT area;
    if (host == nullptr || !GetWindowRect(host, &area))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const placement::Origin origin =
        placement::CentredOn(area.left, area.top, area.right, area.bottom, width, height);
    return POINT{origin.x, origin.y};
}
