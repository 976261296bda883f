// TApplication: a small application inside the calling thread. Run makes the main window
// (InitMainWindow) and runs a message loop of its own until that window is destroyed: each
// message is first offered to the main window's client dialog (keyboard navigation, Escape and
// Enter), thread messages such as timer callbacks are dispatched as well.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/frame_window.h"
#include "framework/module.h"

namespace framework {

class TApplication {
public:
    explicit TApplication(const char* name, HINSTANCE module = Module());
    virtual ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // 0 when the main window was made and has closed; -1 when it could not be made. A WM_QUIT
    // that arrives meanwhile ends the loop and is posted again for the caller's own loop.
    int Run();

    const char* Name() const { return name_; }
    HINSTANCE ApplicationModule() const { return module_; }
    TFrameWindow* MainWindow() const { return mainWindow_.get(); }

protected:
    // Makes the main window with SetMainWindow.
    virtual void InitMainWindow() = 0;
    void SetMainWindow(std::unique_ptr<TFrameWindow> window) { mainWindow_ = std::move(window); }

private:
    char name_[64];
    HINSTANCE module_;
    std::unique_ptr<TFrameWindow> mainWindow_;
};

}  // namespace framework
