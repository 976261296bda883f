// Finding and driving the filter dialog by posted messages.
#include "host/dialog_automation.h"

#include <cstring>

namespace {

BOOL CALLBACK FindFrame(HWND window, LPARAM found) {
    char className[32];
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "ZoFrameWindow") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

HWND FindFilterFrame() {
    HWND frame = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindFrame, reinterpret_cast<LPARAM>(&frame));
    return frame;
}

HWND FindFilterDialog() {
    HWND frame = FindFilterFrame();
    return frame != nullptr ? GetWindow(frame, GW_CHILD) : nullptr;
}

void PostClick(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostListSelection(HWND dialog, int id, int index) {
    HWND list = GetDlgItem(dialog, id);
    PostMessageA(list, CB_SETCURSEL, index, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void PostMouse(HWND dialog, UINT message, int x, int y) {
    WPARAM keys = 0;
    if (message == WM_LBUTTONDOWN) keys = MK_LBUTTON;
    if (message == WM_RBUTTONDOWN) keys = MK_RBUTTON;
    PostMessageA(dialog, message, keys, MAKELPARAM(x, y));
}
