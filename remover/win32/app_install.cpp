// AppInstall: the frame window around the removal dialog, centred on the screen.
#include "remover/win32/app_install.h"

#include <memory>

#include "framework/dc.h"
#include "remover/win32/zoclear_dialog.h"

void AppInstall::InitMainWindow() {
    auto frame = std::make_unique<framework::TFrameWindow>(
        nullptr, "", std::make_unique<ZoclearDialog>(), true, ApplicationModule());
    frame->style &= ~static_cast<DWORD>(WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    frame->icon = LoadIconA(ApplicationModule(), "ZOCLEAR");
    framework::TScreenDC screen;
    frame->x = (GetDeviceCaps(screen.GetHDC(), HORZRES) - kDialogWidth) / 2;
    frame->y = (GetDeviceCaps(screen.GetHDC(), VERTRES) + GetSystemMetrics(SM_CYCAPTION) -
                kDialogHeightBelowCaption) /
               2;
    SetMainWindow(std::move(frame));
}
