// Device contexts: the paint, client, screen and memory contexts, each released when it goes.
// Every context saves its state when made and restores it before release, so whatever was
// selected into it (fonts, pens, brushes, palettes, clip regions) is put back.
#pragma once

#include <windows.h>

namespace framework {

class TDC {
public:
    virtual ~TDC() = default;
    TDC(const TDC&) = delete;
    TDC& operator=(const TDC&) = delete;

    HDC GetHDC() const { return dc_; }
    bool IsValid() const { return dc_ != nullptr; }

protected:
    TDC() = default;
    void Adopt(HDC dc);
    void Restore();

    HDC dc_ = nullptr;

private:
    int saved_ = 0;
};

class TPaintDC : public TDC {
public:
    explicit TPaintDC(HWND window);
    ~TPaintDC() override;
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_;
};

class TClientDC : public TDC {
public:
    explicit TClientDC(HWND window);
    ~TClientDC() override;

private:
    HWND window_;
};

class TScreenDC : public TClientDC {
public:
    TScreenDC() : TClientDC(nullptr) {}
};

class TMemoryDC : public TDC {
public:
    // Compatible with `dc` (the screen when null).
    explicit TMemoryDC(HDC dc);
    ~TMemoryDC() override;
};

}  // namespace framework
