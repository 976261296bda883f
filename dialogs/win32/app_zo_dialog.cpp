// The filter dialog's application, and RunMainDialog, which the filter call runs.
#include "dialogs/win32/app_zo_dialog.h"

#include <new>

#include "dialogs/dialog_placement.h"
#include "dialogs/win32/fix_dialog.h"
#include "dialogs/win32/zo_dialog.h"
#include "engine/status_text.h"
#include "framework/module.h"
#include "plugin/error_box.h"
#include "plugin/plugin_module.h"
#include "plugin/string_ids.h"
#include "plugin/win32/main_dialog.h"

namespace {

constexpr int kFrameWidth = 382;
constexpr int kClientHeightBelowCaption = 282;

}  // namespace

AppZoDialog::AppZoDialog(const char* name, HWND host, FilterCall& call, int* result)
    : TApplication(name), host_(host), call_(call), result_(result) {}

void AppZoDialog::InitMainWindow() {
    const int height = GetSystemMetrics(SM_CYCAPTION) + kClientHeightBelowCaption;
    RECT host;
    // Without a host window to centre on, the dialog is centred on the screen's work area.
    if (host_ == nullptr || !GetWindowRect(host_, &host))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &host, 0);
    const placement::Origin origin =
        placement::CentredOn(host.left, host.top, host.right, host.bottom, kFrameWidth, height);
    char title[256];
    lstrcpynA(title, FixDialog::GetString(kStringErrorCaption), sizeof title);

    std::unique_ptr<ZoDialog> dialog(new (std::nothrow)
                                         ZoDialog(nullptr, 0, 0, kFrameWidth, height, host_, call_, result_));
    if (!dialog) {
        ShowError("%s", texts::kNoMemory);
        return;
    }
    std::unique_ptr<framework::TFrameWindow> frame(
        new (std::nothrow) framework::TFrameWindow(nullptr, title, std::move(dialog), true));
    if (!frame) {
        ShowError("%s", texts::kNoMemory);
        return;
    }
    frame->style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME);
    frame->icon = LoadIconA(framework::Module(), "ZO");
    frame->x = origin.x;
    frame->y = origin.y;
    SetMainWindow(std::move(frame));
}

int RunMainDialog(HWND host, FilterCall& call) {
    int result = 0;
    framework::SetModule(static_cast<HINSTANCE>(PluginModule()));
    {
        AppZoDialog application("Zolvane", host, call, &result);
        application.Run();
    }
    // A dialog that could not be made still leaves the host working.
    if (host != nullptr) EnableWindow(host, TRUE);
    return result;
}
