// AppZoDialog: the filter dialog as a small application of its own inside the host's thread:
// a fixed-size frame centred over the host window, whose client is the ZoDialog.
#pragma once

#include <windows.h>

#include "framework/application.h"
#include "plugin/filter_call.h"

class AppZoDialog : public framework::TApplication {
public:
    AppZoDialog(const char* name, HWND host, FilterCall& call, int* result);

protected:
    void InitMainWindow() override;

private:
    HWND host_;
    FilterCall& call_;
    int* result_;
};
