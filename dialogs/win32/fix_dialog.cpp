// FixDialog: placement, background, fonts, strings, panes and their painting, mouse routing.
#include "dialogs/win32/fix_dialog.h"

#include <windowsx.h>

#include <cstdio>
#include <new>

#include "dialogs/dialog_font.h"
#include "dialogs/win32/centred_origin.h"
#include "dialogs/win32/log_font.h"
#include "dialogs/win32/screen_colors.h"
#include "framework/dc.h"
#include "framework/dib_bitmap.h"
#include "framework/module.h"

namespace {

char sharedText[256];

bool Inside(const RECT& r, POINT p) {
    return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

}  // namespace

FixDialog::FixDialog(framework::TWindow* owner, const char* templateName, int left, int top,
                     int right, int bottom)
    : TDialog(owner, templateName), owner_(owner), placement_{left, top, right, bottom},
      background_(new (std::nothrow) framework::TBrush(GetSysColor(COLOR_BTNFACE))),
      screenColors_(ScreenColorCount()) {}

FixDialog::~FixDialog() { CloseWindow(IDCANCEL); }  // the panes free their dithered copies

const char* FixDialog::GetString(int id) {
    sharedText[0] = '\0';
    LoadStringA(framework::Module(), static_cast<UINT>(id), sharedText, sizeof sharedText);
    return sharedText;
}

void FixDialog::CreateDialogFont(int id) {
    DialogFontEntry entry;
    ParseDialogFont(GetString(id), &entry);
    currentFont_.reset(new (std::nothrow) framework::TFont(LogFontOf(entry)));
}

std::unique_ptr<framework::TFont> FixDialog::CopyCurrentFont() const {
    if (!currentFont_) return nullptr;
    return std::unique_ptr<framework::TFont>(new (std::nothrow) framework::TFont(*currentFont_));
}

void FixDialog::SetupWindow() {
    TDialog::SetupWindow();
    PlaceWindow();
}

void FixDialog::PlaceWindow() {
    RECT ownerRect = {0, 0, 0, 0};
    if (owner_ != nullptr && owner_->GetHandle() != nullptr)
        GetWindowRect(owner_->GetHandle(), &ownerRect);
    SetWindowPos(GetHandle(), nullptr, ownerRect.left + placement_.left,
                 ownerRect.top + placement_.top, placement_.right - placement_.left,
                 placement_.bottom - placement_.top, SWP_NOZORDER);
}

void FixDialog::CentreOnOwner() {
    const int width = placement_.right - placement_.left;
    const int height = placement_.bottom - placement_.top;
    const POINT origin =
        CentredOrigin(owner_ != nullptr ? owner_->GetHandle() : nullptr, width, height);
    SetWindowPos(GetHandle(), nullptr, origin.x, origin.y, width, height, SWP_NOZORDER);
}

void FixDialog::SetPaneImage(int index, const TDib* image, int x, int y, int bevel) {
    if (index < 0 || index >= kMaxPanes || image == nullptr) return;
    Pane& pane = panes_[index];
    pane.shown = false;
    pane.clickable = false;
    pane.labelKind = Pane::kNoLabel;
    pane.image = image;
    pane.width = image->Width();
    pane.height = image->Height();
    pane.rowBytes = static_cast<int>(RowBytes24(pane.width));
    pane.rect = pane.click = RECT{x, y, x + pane.width, y + pane.height};
    pane.bevel = bevel;
    // Only a 24-bit image needs the dithered copy; an existing copy of the same size is
    // reused, one of another size remade.
    if (screenColors_ <= 256 && image->BitCount() == 24) {
        if (!pane.copy) pane.copy.reset(new (std::nothrow) Display256(this));
        if (pane.copy) {
            const TDib* held = pane.copy->Image();
            if (held == nullptr || held->Width() != pane.width || held->Height() != pane.height)
                pane.copy->Create(pane.width, pane.height);
            pane.copy->Dither(image, 1);
        }
    } else {
        pane.copy.reset();
    }
    if (paneCount_ < index + 1) paneCount_ = index + 1;
}

void FixDialog::SetPaneFrame(int index, int left, int top, int right, int bottom, int bevel) {
    if (index < 0 || index >= kMaxPanes) return;
    Pane& pane = panes_[index];
    pane.image = nullptr;
    pane.copy.reset();
    pane.rect = pane.click = RECT{left, top, right, bottom};
    pane.bevel = bevel;
    pane.shown = false;
    pane.clickable = true;
    pane.labelKind = Pane::kNoLabel;
    if (paneCount_ < index + 1) paneCount_ = index + 1;
}

void FixDialog::UpdatePane(int index) {
    if (index < 0 || index >= kMaxPanes || !panes_[index].copy) return;
    panes_[index].copy->Dither(panes_[index].image, 1);
}

void FixDialog::SetPaneLabel(int index, int kind, const void* value) {
    if (index < 0 || index >= kMaxPanes) return;
    panes_[index].labelKind = kind;
    panes_[index].labelValue = value;
}

void FixDialog::SetPaneHotRect(int index, int left, int top, int right, int bottom) {
    if (index < 0 || index >= kMaxPanes) return;
    Pane& pane = panes_[index];
    pane.clickable = true;
    pane.click = RECT{pane.rect.left + left, pane.rect.top + top, pane.rect.left + right,
                      pane.rect.top + bottom};
}

void FixDialog::DrawFrame(HDC dc, const RECT& rect, int n, bool fill, bool sunken) {
    if (fill) {
        framework::TBrush face(GetSysColor(COLOR_BTNFACE));
        FillRect(dc, &rect, face.GetHandle());
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int rings = n < 0 ? -n : n;
    framework::TBrush light(GetSysColor(sunken ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
    framework::TBrush dark(GetSysColor(sunken ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
    HGDIOBJ previous = SelectObject(dc, light.GetHandle());
    for (int k = 1; k <= rings; ++k) {
        const int c = n > 0 ? k : -k;
        PatBlt(dc, rect.left + c, rect.top + c, width - 2 * c, 1, PATCOPY);
        PatBlt(dc, rect.left + c, rect.top + c, 1, height - 2 * c, PATCOPY);
    }
    SelectObject(dc, dark.GetHandle());
    for (int k = 1; k <= rings; ++k) {
        const int c = n > 0 ? k : -k;
        PatBlt(dc, rect.left + c + 1, rect.bottom - c - 1, width - 2 * c - 1, 1, PATCOPY);
        PatBlt(dc, rect.right - c - 1, rect.top + c + 1, 1, height - 2 * c - 1, PATCOPY);
    }
    SelectObject(dc, previous);
}

void FixDialog::PaintPaneRange(HDC dc, int first, int last) {
    first = first < 0 ? 0 : first;
    last = last > paneCount_ - 1 ? paneCount_ - 1 : last;
    SetStretchBltMode(dc, COLORONCOLOR);
    for (int i = first; i <= last; ++i) {
        Pane& pane = panes_[i];
        if (!pane.shown) continue;
        const int width = pane.rect.right - pane.rect.left;
        const int height = pane.rect.bottom - pane.rect.top;
        if (pane.image != nullptr) {
            const TDib* copy = pane.copy ? pane.copy->Image() : nullptr;
            if (copy != nullptr) {
                SelectPalette(dc, pane.copy->Palette(), FALSE);
                RealizePalette(dc);
                framework::DrawDib(dc, pane.rect.left, pane.rect.top, width, height, *copy);
            } else {
                framework::DrawDib(dc, pane.rect.left, pane.rect.top, width, height, *pane.image);
            }
        }
        if (pane.bevel != 0)
            DrawFrame(dc, pane.rect, pane.bevel < 0 ? pane.bevel : -pane.bevel, false,
                      pane.bevel < 0);
        if (pane.labelKind != Pane::kNoLabel && pane.labelValue != nullptr) {
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            framework::TBrush face(GetSysColor(COLOR_BTNFACE));
            FillRect(dc, &pane.rect, face.GetHandle());
            const framework::TFont* font =
                pane.labelKind == Pane::kTextLabel ? textLabelFont_.get() : numberLabelFont_.get();
            HGDIOBJ previous = font != nullptr ? SelectObject(dc, font->GetHandle()) : nullptr;
            char number[16];
            const char* text = static_cast<const char*>(pane.labelValue);
            if (pane.labelKind == Pane::kNumberLabel) {
                std::snprintf(number, sizeof number, "%d", *static_cast<const int*>(pane.labelValue));
                text = number;
            }
            RECT rect = pane.rect;
            DrawTextA(dc, text, -1, &rect, DT_VCENTER | DT_SINGLELINE);
            if (previous != nullptr) SelectObject(dc, previous);
        }
    }
}

void FixDialog::PaintPanes(HDC dc) {
    if (paneCount_ > 0) PaintPaneRange(dc, 0, paneCount_ - 1);
}

void FixDialog::RealizePalettes() {
    for (int i = 0; i < paneCount_; ++i)
        if (panes_[i].copy && panes_[i].shown) panes_[i].copy->Realize();
}

void FixDialog::DoPaint() {
    framework::TPaintDC dc(GetHandle());
    PaintPanes(dc.GetHDC());
}

HBRUSH FixDialog::EvCtlColor(HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return background_ ? background_->GetHandle() : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
}

void FixDialog::EvSysColorChange() {
    background_.reset();
    background_.reset(new (std::nothrow) framework::TBrush(GetSysColor(COLOR_BTNFACE)));
}

void FixDialog::RoutePress(WPARAM keys, POINT point) {
    for (int i = 0; i < paneCount_; ++i) {
        const Pane& pane = panes_[i];
        if (!pane.clickable || !pane.shown || !Inside(pane.click, point)) continue;
        PaneMouse(i, keys, POINT{point.x - pane.rect.left, point.y - pane.rect.top});
    }
}

void FixDialog::EvLButtonDown(WPARAM keys, POINT point) {
    if (leftCaptured_) return;
    leftCaptured_ = true;
    SetCapture(GetHandle());
    RoutePress(keys, point);
}

void FixDialog::EvLButtonUp() {
    if (!leftCaptured_) return;
    leftCaptured_ = false;
    ReleaseCapture();
}

void FixDialog::EvRButtonDown(WPARAM keys, POINT point) {
    if (rightCaptured_) return;
    rightCaptured_ = true;
    SetCapture(GetHandle());
    RoutePress(keys, point);
}

void FixDialog::EvRButtonUp() {
    if (!rightCaptured_) return;
    rightCaptured_ = false;
    ReleaseCapture();
}

void FixDialog::EvMouseMove(WPARAM keys, POINT point) {
    if (leftCaptured_ || rightCaptured_) RoutePress(keys, point);
}

bool FixDialog::Find(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    *result = 0;
    if (framework::IsControlColorMessage(message)) {
        *result = reinterpret_cast<LRESULT>(EvCtlColor(reinterpret_cast<HDC>(wParam)));
        return true;
    }
    switch (message) {
    case WM_PAINT: DoPaint(); return true;
    case WM_SYSCOLORCHANGE: EvSysColorChange(); return true;
    case WM_QUERYNEWPALETTE:
        RealizePalettes();
        *result = TRUE;
        return true;
    case WM_LBUTTONDOWN: EvLButtonDown(wParam, point); return true;
    case WM_LBUTTONUP: EvLButtonUp(); return true;
    case WM_RBUTTONDOWN: EvRButtonDown(wParam, point); return true;
    case WM_RBUTTONUP: EvRButtonUp(); return true;
    case WM_MOUSEMOVE: EvMouseMove(wParam, point); return true;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) break;
        if (LOWORD(wParam) == IDOK) {
            CmOkHook();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            CmCancelHook();
            return true;
        }
        break;
    default:
        break;
    }
    return TDialog::Find(message, wParam, lParam, result);
}
