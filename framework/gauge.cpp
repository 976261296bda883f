// TGauge: its window class, the value and the painting of bar and text.
#include "framework/gauge.h"

#include <cstdio>

#include "framework/module.h"

namespace framework {

namespace {

constexpr char kClassName[] = "ZoGauge";

}  // namespace

TGauge::TGauge(TDialog* parent, const char* format, int id, int x, int y, int width, int height,
               int margin)
    : TControl(parent, id, kClassName, "", 0, x, y, width, height), margin_(margin) {
    lstrcpynA(format_, format != nullptr ? format : "", sizeof format_);
}

TGauge::~TGauge() {
    if (IsWindow()) SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    // A class registered by a library outlives it; the next load may sit elsewhere.
    if (classRegistered_) UnregisterClassA(kClassName, Module());
}

bool TGauge::Create() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = Module();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassA(&windowClass) != 0) classRegistered_ = true;
    if (!TControl::Create()) return false;
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowValue();
    return true;
}

void TGauge::SetRange(int minimum, int maximum) {
    if (maximum <= minimum) return;
    minimum_ = minimum;
    maximum_ = maximum;
    SetValue(value_);
}

void TGauge::SetValue(int value) {
    if (value < minimum_) value = minimum_;
    if (value > maximum_) value = maximum_;
    if (value == value_) return;
    value_ = value;
    ShowValue();
}

void TGauge::ShowValue() {
    if (handle_ == nullptr) return;
    char text[64];
    std::snprintf(text, sizeof text, format_, value_);
    SetWindowTextA(handle_, text);
    InvalidateRect(handle_, nullptr, FALSE);
}

void TGauge::Paint(HDC dc) const {
    RECT bounds;
    GetClientRect(handle_, &bounds);
    DrawEdge(dc, &bounds, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FillRect(dc, &bounds, GetSysColorBrush(COLOR_WINDOW));
    InflateRect(&bounds, -margin_, -margin_);
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return;

    const long long span = bounds.right - bounds.left;
    RECT filled = bounds;
    filled.right = bounds.left +
                   static_cast<int>(span * (value_ - minimum_) / (maximum_ - minimum_));
    RECT empty = bounds;
    empty.left = filled.right;

    char text[64];
    const int length = GetWindowTextA(handle_, text, sizeof text);
    HGDIOBJ oldFont = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &extent);
    const int textX = bounds.left + (bounds.right - bounds.left - extent.cx) / 2;
    const int textY = bounds.top + (bounds.bottom - bounds.top - extent.cy) / 2;
    // The text in two pieces, each clipped to its part of the bar and in that part's colours.
    SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    ExtTextOutA(dc, textX, textY, ETO_CLIPPED | ETO_OPAQUE, &filled, text, length, nullptr);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    ExtTextOutA(dc, textX, textY, ETO_CLIPPED | ETO_OPAQUE, &empty, text, length, nullptr);
    if (oldFont != nullptr) SelectObject(dc, oldFont);
}

LRESULT CALLBACK TGauge::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* gauge = reinterpret_cast<TGauge*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_SETFONT:
        if (gauge != nullptr) gauge->font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0) InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(gauge != nullptr ? gauge->font_ : nullptr);
    case WM_ERASEBKGND:
        return 1;  // the painting covers the whole window
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (gauge != nullptr) gauge->Paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace framework
