// TGauge: a horizontal progress gauge drawn by the framework: the part of the bar up to the value
// in the highlight colour, the rest in the window colour, and the value shown through a format
// ("%d%%" shows it with a per-cent sign) centred over both. The shown text is also the window's
// text, so it can be read back like any control's.
#pragma once

#include <windows.h>

#include "framework/controls.h"

namespace framework {

class TGauge : public TControl {
public:
    // `format` takes the value as its one int argument; `margin` is the space in pixels between
    // the gauge's sunken edge and its bar. The range starts as 0 .. 100 and the value at 0.
    TGauge(TDialog* parent, const char* format, int id, int x, int y, int width, int height,
           int margin);
    ~TGauge() override;
    bool Create() override;

    void SetRange(int minimum, int maximum);
    // Holds the value inside the range; the gauge repaints only when the value changes.
    void SetValue(int value);
    int GetValue() const { return value_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ShowValue();
    void Paint(HDC dc) const;

    char format_[32];
    int margin_;
    int minimum_ = 0;
    int maximum_ = 100;
    int value_ = 0;
    HFONT font_ = nullptr;
    bool classRegistered_ = false;
};

}  // namespace framework
