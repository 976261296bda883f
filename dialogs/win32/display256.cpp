// Display256: palette, 8-bit copy, dither and realisation.
#include "dialogs/win32/display256.h"

#include <cstring>
#include <new>

#include "framework/dc.h"

Display256::Display256(framework::TWindow* owner) : owner_(owner) { MakePalette(); }

Display256::~Display256() = default;

void Display256::MakePalette() {
    std::memset(entries_, 0, sizeof entries_);
    {
        framework::TClientDC dc(owner_ != nullptr ? owner_->GetHandle() : nullptr);
        if (dc.IsValid()) GetSystemPaletteEntries(dc.GetHDC(), 0, 256, entries_);
    }
    for (int index = dither::kCubeFirst; index <= dither::kCubeLast; ++index) {
        dither::CubeColor(index, &entries_[index].peRed, &entries_[index].peGreen,
                          &entries_[index].peBlue);
        entries_[index].peFlags = 0;
    }
    if (!palette_) {
        std::unique_ptr<framework::TPalette> palette(new (std::nothrow) framework::TPalette(entries_, 256));
        if (palette && palette->IsValid()) palette_ = std::move(palette);
    }
    dither::MakeTables(&tables_);
}

int Display256::Create(int width, int height) {
    ReleaseDib();
    if (!palette_) return 0;
    width_ = width;
    height_ = height;
    image_ = TDib::Create8(width, height);
    if (!image_) {
        ReleaseDib();
        return 0;
    }
    uint8_t* colors = image_->Palette();
    for (int i = 0; i < 256; ++i) {
        colors[4 * i] = entries_[i].peBlue;
        colors[4 * i + 1] = entries_[i].peGreen;
        colors[4 * i + 2] = entries_[i].peRed;
        colors[4 * i + 3] = 0;
    }
    return 1;
}

void Display256::ReleaseDib() { image_.reset(); }

int Display256::Dither(const TDib* image, int step) {
    return dither::DitherImage(tables_, image, step, image_.get()) ? 1 : 0;
}

void Display256::Realize() {
    if (!palette_ || owner_ == nullptr) return;
    framework::TClientDC dc(owner_->GetHandle());
    if (!dc.IsValid()) return;
    SelectPalette(dc.GetHDC(), palette_->GetHandle(), FALSE);
    const UINT changed = RealizePalette(dc.GetHDC());
    if (changed != GDI_ERROR && changed > 0) InvalidateRect(owner_->GetHandle(), nullptr, TRUE);
}
