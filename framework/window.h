// TWindow: what every framework window shares: its handle, the framework window it belongs to,
// the can-close query and the clean-up hook that runs while WM_DESTROY is handled.
#pragma once

#include <windows.h>

namespace framework {

class TWindow {
public:
    explicit TWindow(TWindow* parent) : parent_(parent) {}
    virtual ~TWindow() = default;
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND GetHandle() const { return handle_; }
    TWindow* Parent() const { return parent_; }
    bool IsWindow() const { return handle_ != nullptr && ::IsWindow(handle_); }

    // Asked before a window closes by OK or by its frame's close command; true lets it close.
    virtual bool CanClose() { return true; }

protected:
    // Runs while the window handles WM_DESTROY; its children still exist.
    virtual void CleanupWindow() {}

    HWND handle_ = nullptr;
    TWindow* parent_;
};

}  // namespace framework
