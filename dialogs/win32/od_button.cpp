// ODButton: loading its bitmaps, placing itself and drawing the bitmap its state chooses.
#include "dialogs/win32/od_button.h"

#include <new>

#include "framework/dc.h"
#include "framework/module.h"

ODButton::ODButton(framework::TDialog* parent, int resourceId, const char* upName,
                   const char* downName, int x, int y)
    : TControl(parent, resourceId),
      up_(new (std::nothrow) framework::TBitmap(framework::Module(), upName)),
      down_(new (std::nothrow) framework::TBitmap(framework::Module(), downName)), x_(x), y_(y) {}

ODButton::~ODButton() = default;

void ODButton::SetupWindow() {
    TControl::SetupWindow();
    const bool sized = up_ && up_->IsValid();
    SetWindowPos(GetHandle(), nullptr, x_, y_, sized ? up_->Width() : 0, sized ? up_->Height() : 0,
                 SWP_NOZORDER | (sized ? 0 : SWP_NOSIZE));
}

const framework::TBitmap* ODButton::Bitmap(ODBitmap which) const {
    return which == ODBitmap::kDown ? down_.get() : up_.get();
}

void ODButton::ODADrawEntire(const DRAWITEMSTRUCT& item) {
    DrawBitmap(item, Bitmap(BitmapForDrawEntire(GetState())));
}

void ODButton::ODASelect(const DRAWITEMSTRUCT& item) {
    DrawBitmap(item, Bitmap(BitmapForSelect((item.itemState & ODS_SELECTED) != 0, GetState())));
}

void ODButton::DrawBitmap(const DRAWITEMSTRUCT& item, const framework::TBitmap* bitmap) {
    if (bitmap == nullptr || !bitmap->IsValid()) return;
    framework::TMemoryDC memory(item.hDC);
    if (!memory.IsValid()) return;
    SelectObject(memory.GetHDC(), bitmap->GetHandle());
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, bitmap->Width(), bitmap->Height(),
           memory.GetHDC(), 0, 0, SRCCOPY);
}

void ODButton::Repaint() {
    if (GetHandle() != nullptr) InvalidateRect(GetHandle(), nullptr, FALSE);
}
