// Device contexts.
#include "framework/dc.h"

namespace framework {

void TDC::Adopt(HDC dc) {
    dc_ = dc;
    if (dc_ != nullptr) saved_ = SaveDC(dc_);
}

void TDC::Restore() {
    if (dc_ != nullptr && saved_ != 0) RestoreDC(dc_, saved_);
    saved_ = 0;
}

TPaintDC::TPaintDC(HWND window) : window_(window) { Adopt(BeginPaint(window_, &paint_)); }

TPaintDC::~TPaintDC() {
    Restore();
    EndPaint(window_, &paint_);
}

TClientDC::TClientDC(HWND window) : window_(window) { Adopt(GetDC(window_)); }

TClientDC::~TClientDC() {
    Restore();
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
}

TMemoryDC::TMemoryDC(HDC dc) { Adopt(CreateCompatibleDC(dc)); }

TMemoryDC::~TMemoryDC() {
    Restore();
    if (dc_ != nullptr) DeleteDC(dc_);
}

}  // namespace framework
