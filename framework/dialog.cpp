// TDialog: template loading, the dialog procedure and the OK/Cancel endings.
#include "framework/dialog.h"

#include <cstring>
#include <memory>
#include <new>

#include "framework/controls.h"

namespace framework {

namespace {

// The template's style word: first in a DLGTEMPLATE, at offset 12 of a DLGTEMPLATEEX.
size_t StyleOffset(const uint8_t* bytes, size_t size) {
    if (size >= 16 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF)
        return 12;
    return 0;
}

}  // namespace

bool IsControlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

bool ReturnsResultDirectly(UINT message) {
    return IsControlColorMessage(message) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

TDialog::TDialog(TWindow* parent, const char* templateName, HINSTANCE module)
    : TWindow(parent), templateName_(templateName), module_(module) {}

TDialog::~TDialog() {
    if (IsWindow()) {
        HWND window = handle_;
        SetWindowLongPtrA(window, DWLP_USER, 0);  // no more calls into this object
        handle_ = nullptr;
        DestroyWindow(window);
    }
}

bool TDialog::AddChild(TControl* child) {
    if (childCount_ >= kMaxChildren) return false;
    children_[childCount_++] = child;
    return true;
}

void TDialog::RemoveChild(TControl* child) {
    for (int i = 0; i < childCount_; ++i) {
        if (children_[i] != child) continue;
        for (int j = i + 1; j < childCount_; ++j) children_[j - 1] = children_[j];
        --childCount_;
        return;
    }
}

void TDialog::NotifyOwner(HWND window, UINT destroyedMessage, UINT resizedMessage) {
    owner_ = window;
    destroyedMessage_ = destroyedMessage;
    resizedMessage_ = resizedMessage;
}

bool TDialog::Create(HWND parentWindow, bool asChild) {
    modal_ = false;
    HRSRC info = FindResourceA(module_, templateName_, MAKEINTRESOURCEA(5));  // RT_DIALOG
    HGLOBAL loaded = info ? LoadResource(module_, info) : nullptr;
    const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    const size_t size = info ? SizeofResource(module_, info) : 0;
    if (bytes == nullptr || size < 18) return false;
    // The template is patched in a copy, aligned as the dialog manager wants it.
    std::unique_ptr<DWORD[]> copy(new (std::nothrow) DWORD[(size + 3) / 4]);
    if (!copy) return false;
    std::memcpy(copy.get(), bytes, size);
    if (asChild) {
        auto* patched = reinterpret_cast<uint8_t*>(copy.get());
        DWORD style;
        const size_t offset = StyleOffset(patched, size);
        std::memcpy(&style, patched + offset, 4);
        // A caption goes (WS_CAPTION is the border and the dialog frame together); a lone
        // border stays and frames the client.
        if ((style & WS_CAPTION) == WS_CAPTION) style &= ~static_cast<DWORD>(WS_CAPTION);
        style &= ~static_cast<DWORD>(WS_POPUP | WS_DLGFRAME | WS_SYSMENU | WS_THICKFRAME |
                                     DS_MODALFRAME);
        style |= WS_CHILD;
        std::memcpy(patched + offset, &style, 4);
    }
    HWND window = CreateDialogIndirectParamA(
        module_, reinterpret_cast<const DLGTEMPLATE*>(copy.get()), parentWindow, DialogProc,
        reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

INT_PTR TDialog::Execute() {
    modal_ = true;
    HWND owner = parent_ != nullptr ? parent_->GetHandle() : nullptr;
    return DialogBoxParamA(module_, templateName_, owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void TDialog::CloseWindow(int result) {
    if (!IsWindow()) return;
    if (modal_) EndDialog(handle_, result);
    else DestroyWindow(handle_);
}

void TDialog::CmOk() {
    if (CanClose()) CloseWindow(IDOK);
}

void TDialog::CmCancel() { CloseWindow(IDCANCEL); }

void TDialog::SetupWindow() {
    for (int i = 0; i < childCount_; ++i)
        if (children_[i]->Create()) children_[i]->SetupWindow();
}

bool TDialog::Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        for (int i = 0; i < childCount_; ++i) {
            if (children_[i]->GetHandle() != item->hwndItem) continue;
            children_[i]->DrawItem(*item);
            *result = TRUE;
            return true;
        }
        return false;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    switch (LOWORD(wParam)) {
    case IDOK: CmOk(); break;
    case IDCANCEL: CmCancel(); break;
    default: return false;
    }
    *result = 0;
    return true;
}

INT_PTR CALLBACK TDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<TDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->handle_ = window;
        dialog->SetupWindow();
        // A set-up that gave the focus to one of its controls keeps it there; otherwise the
        // dialog manager gives it to the first control that takes it.
        HWND focus = GetFocus();
        return focus != nullptr && IsChild(window, focus) ? FALSE : TRUE;
    }
    auto* dialog = reinterpret_cast<TDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr) return FALSE;
    return dialog->Dispatch(message, wParam, lParam);
}

INT_PTR TDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) CleanupWindow();
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(handle_, DWLP_USER, 0);
        handle_ = nullptr;
        if (owner_ != nullptr && destroyedMessage_ != 0) PostMessageA(owner_, destroyedMessage_, 0, 0);
        return FALSE;
    }
    if (message == WM_SIZE && owner_ != nullptr && resizedMessage_ != 0)
        SendMessageA(owner_, resizedMessage_, 0, 0);

    LRESULT result = 0;
    if (!Find(message, wParam, lParam, &result)) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    if (handle_ != nullptr) SetWindowLongPtrA(handle_, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace framework
