// TFrameWindow: window class, creation around the client, shrink-to-client and closing.
#include "framework/frame_window.h"


namespace framework {

namespace {

constexpr char kClassName[] = "ZoFrameWindow";
// Private notices from the client dialog.
constexpr UINT kClientDestroyed = WM_APP + 0x3A0;
constexpr UINT kClientResized = WM_APP + 0x3A1;

}  // namespace

TFrameWindow::TFrameWindow(TWindow* parent, const char* title, std::unique_ptr<TDialog> client,
                           bool shrinkToClient, HINSTANCE module)
    : TWindow(parent), style(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN), client_(std::move(client)),
      shrinkToClient_(shrinkToClient), module_(module) {
    lstrcpynA(title_, title != nullptr ? title : "", sizeof title_);
}

TFrameWindow::~TFrameWindow() {
    if (IsWindow()) DestroyWindow(handle_);
    client_.reset();
    // A class registered by a library outlives it; the next load may sit elsewhere.
    if (classRegistered_) UnregisterClassA(kClassName, module_);
}

bool TFrameWindow::Create() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = module_;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = icon;
    windowClass.lpszClassName = kClassName;
    if (RegisterClassA(&windowClass) != 0) classRegistered_ = true;

    HWND parentWindow = parent_ != nullptr ? parent_->GetHandle() : nullptr;
    HWND window = CreateWindowExA(exStyle, kClassName, title_, style & ~WS_VISIBLE, x, y, 100,
                                  100, parentWindow, nullptr, module_, this);
    if (window == nullptr) return false;
    if (icon != nullptr) {
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    if (client_) {
        client_->NotifyOwner(window, kClientDestroyed, kClientResized);
        if (!client_->Create(window, true)) {
            DestroyWindow(window);
            return false;
        }
        ShrinkToClient();
        ShowWindow(client_->GetHandle(), SW_SHOW);
    }
    if (handle_ != nullptr) {
        ShowWindow(handle_, SW_SHOWNORMAL);
        UpdateWindow(handle_);
    }
    return handle_ != nullptr;
}

void TFrameWindow::ShrinkToClient() {
    if (!shrinkToClient_ || handle_ == nullptr || !client_ || !client_->IsWindow()) return;
    RECT clientWindow;
    GetWindowRect(client_->GetHandle(), &clientWindow);
    RECT outer = {0, 0, clientWindow.right - clientWindow.left,
                  clientWindow.bottom - clientWindow.top};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(handle_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(handle_, GWL_EXSTYLE)));
    SetWindowPos(handle_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK TFrameWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* frame = static_cast<TFrameWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
        frame->handle_ = window;
    }
    auto* frame = reinterpret_cast<TFrameWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (frame == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return frame->HandleMessage(message, wParam, lParam);
}

LRESULT TFrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = handle_;
    switch (message) {
    case WM_CLOSE:
        if (client_ && client_->IsWindow() && !client_->CanClose()) return 0;
        DestroyWindow(window);
        return 0;
    case kClientDestroyed:
        DestroyWindow(window);
        return 0;
    case kClientResized:
        ShrinkToClient();
        return 0;
    case WM_SETFOCUS:
        if (client_ && client_->IsWindow()) SetFocus(client_->GetHandle());
        return 0;
    case WM_DESTROY:
        CleanupWindow();
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        handle_ = nullptr;
        PostMessageA(nullptr, WM_NULL, 0, 0);  // wakes the application's loop to see it
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace framework
