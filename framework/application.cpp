// TApplication: the main window's creation and the message loop.
#include "framework/application.h"

namespace framework {

TApplication::TApplication(const char* name, HINSTANCE module) : module_(module) {
    lstrcpynA(name_, name != nullptr ? name : "", sizeof name_);
}

TApplication::~TApplication() { mainWindow_.reset(); }

int TApplication::Run() {
    InitMainWindow();
    if (!mainWindow_ || !mainWindow_->Create()) {
        mainWindow_.reset();
        return -1;
    }
    while (mainWindow_->IsWindow()) {
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TDialog* client = mainWindow_->Client();
        if (client != nullptr && client->IsWindow() && message.hwnd != nullptr &&
            IsDialogMessageA(client->GetHandle(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (mainWindow_->IsWindow()) DestroyWindow(mainWindow_->GetHandle());
    return 0;
}

}  // namespace framework
