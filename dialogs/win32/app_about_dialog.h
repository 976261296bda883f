// The About box as a small application of its own inside the caller's thread: a captionless
// popup of 330 × 183 with a dialog frame, centred over the host window, whose client is the
// AboutDialog. No dialog of the plug-ins opens it; each plug-in carries it.
#pragma once

#include <windows.h>

#include "framework/application.h"

class AppAboutDialog : public framework::TApplication {
public:
    AppAboutDialog(const char* name, HWND host);

protected:
    void InitMainWindow() override;

private:
    HWND host_;
};

// Shows the About box of the plug-in `module` over `host` (may be null: then it is centred on
// the screen) until a click or Escape closes it. The framework's windows use `module` from
// then on. A box whose statics or fonts cannot be made shows "メモリが足りません。" and does
// not run.
void RunAboutDialog(HINSTANCE module, HWND host);
