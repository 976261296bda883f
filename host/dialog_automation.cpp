// Finding and driving the filter dialog and its ground and screen dialogs by posted messages.
#include "host/dialog_automation.h"

#include <cstring>

const char kGroundDialogTitle[] = "下地";
const char kScreenDialogTitle[] = "スクリ－ン解像度の設定";

namespace {

BOOL CALLBACK FindFrame(HWND window, LPARAM found) {
    char className[32];
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "ZoFrameWindow") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

struct DialogSearch {
    HWND owner;
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<DialogSearch*>(search);
    char text[256];
    GetClassNameA(window, text, sizeof text);
    if (std::strcmp(text, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    if (s->owner != nullptr && GetWindow(window, GW_OWNER) != s->owner) return TRUE;
    GetWindowTextA(window, text, sizeof text);
    if (s->caption != nullptr && std::strcmp(text, s->caption) != 0) return TRUE;
    s->found = window;
    return FALSE;
}

void PostSelection(HWND dialog, int id, int index, UINT select, WORD notice) {
    HWND list = GetDlgItem(dialog, id);
    PostMessageA(list, select, index, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notice), reinterpret_cast<LPARAM>(list));
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

HWND FindOwnedDialog(HWND owner, const char* caption) {
    DialogSearch search = {owner, caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindGroundDialog() {
    HWND frame = FindFilterFrame();
    return frame != nullptr ? FindOwnedDialog(frame, kGroundDialogTitle) : nullptr;
}

HWND FindScreenDialog() {
    HWND frame = FindFilterFrame();
    return frame != nullptr ? FindOwnedDialog(frame, kScreenDialogTitle) : nullptr;
}

bool IsPlugInDialog(HWND window) {
    char caption[256];
    GetWindowTextA(window, caption, sizeof caption);
    return std::strcmp(caption, kGroundDialogTitle) == 0 ||
           std::strcmp(caption, kScreenDialogTitle) == 0;
}

HWND ControlAt(HWND dialog, int x, int y) {
    HWND control = ChildWindowFromPointEx(dialog, POINT{x, y}, CWP_ALL);
    return control != dialog ? control : nullptr;
}

void PostClick(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostListSelection(HWND dialog, int id, int index) {
    PostSelection(dialog, id, index, CB_SETCURSEL, CBN_SELCHANGE);
}

void PostListBoxSelection(HWND dialog, int id, int index) {
    PostSelection(dialog, id, index, LB_SETCURSEL, LBN_SELCHANGE);
}

void PostMouse(HWND dialog, UINT message, int x, int y) {
    WPARAM keys = 0;
    if (message == WM_LBUTTONDOWN) keys = MK_LBUTTON;
    if (message == WM_RBUTTONDOWN) keys = MK_RBUTTON;
    PostMessageA(dialog, message, keys, MAKELPARAM(x, y));
}

bool PostEscapeToFocus(HWND dialog) {
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(dialog, focus)) return false;
    PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
}
