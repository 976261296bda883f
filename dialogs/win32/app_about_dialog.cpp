// The About box's application, and RunAboutDialog.
#include "dialogs/win32/app_about_dialog.h"

#include <memory>
#include <new>

#include "dialogs/win32/about_dialog.h"
#include "dialogs/win32/centred_origin.h"
#include "engine/status_text.h"
#include "framework/frame_window.h"
#include "framework/module.h"
#include "plugin/error_box.h"

namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 183;

}  // namespace

AppAboutDialog::AppAboutDialog(const char* name, HWND host) : TApplication(name), host_(host) {}

void AppAboutDialog::InitMainWindow() {
    const POINT origin = CentredOrigin(host_, kWidth, kHeight);
    std::unique_ptr<AboutDialog> dialog(new (std::nothrow) AboutDialog(0, 0, kWidth, kHeight, host_));
    if (!dialog) {
        ShowError("%s", texts::kNoMemory);
        return;
    }
    if (!dialog->Built()) return;  // the dialog has said so
    std::unique_ptr<framework::TFrameWindow> frame(
        new (std::nothrow) framework::TFrameWindow(nullptr, "", std::move(dialog), true));
    if (!frame) {
        ShowError("%s", texts::kNoMemory);
        return;
    }
    // A popup with a dialog frame and nothing else: no caption, no menu, no sizing.
    frame->style &= ~static_cast<DWORD>(WS_CHILD | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                        WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    frame->style |= WS_POPUP | WS_DLGFRAME;
    frame->x = origin.x;
    frame->y = origin.y;
    SetMainWindow(std::move(frame));
}

void RunAboutDialog(HINSTANCE module, HWND host) {
    framework::SetModule(module);
    {
        AppAboutDialog application("Zolvane", host);
        application.Run();
    }
    // A box that could not be made still leaves the host working.
    if (host != nullptr) EnableWindow(host, TRUE);
}
