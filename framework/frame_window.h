// TFrameWindow: a top-level window around one client dialog. With shrink-to-client it takes its
// size from the client (also when the client resizes itself); closing it asks the client's
// can-close query; it closes itself when its client is destroyed.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/dialog.h"
#include "framework/module.h"
#include "framework/window.h"

namespace framework {

class TFrameWindow : public TWindow {
public:
    // Takes the client; the frame's style starts as WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN and
    // may be changed before Create.
    TFrameWindow(TWindow* parent, const char* title, std::unique_ptr<TDialog> client,
                 bool shrinkToClient, HINSTANCE module = Module());
    ~TFrameWindow() override;

    DWORD style;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    HICON icon = nullptr;  // borrowed; resources loaded with LoadIcon need no release

    // Makes the frame, then its client as a child; the frame shows once the client is sized.
    bool Create();
    TDialog* Client() const { return client_.get(); }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ShrinkToClient();

    char title_[256];
    std::unique_ptr<TDialog> client_;
    bool shrinkToClient_;
    HINSTANCE module_;
    bool classRegistered_ = false;
};

}  // namespace framework
