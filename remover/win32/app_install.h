// AppInstall: the removal program's application, the frame window around ZoclearDialog.
#pragma once

#include "framework/application.h"

class AppInstall : public framework::TApplication {
public:
    explicit AppInstall(const char* name) : TApplication(name) {}

protected:
    // The frame: no title yet, the dialog as its shrink-to-client client, neither sizable nor
    // minimisable nor maximisable, the icon ZOCLEAR, centred on the screen.
    void InitMainWindow() override;
};
