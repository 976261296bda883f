// TDib: the one image type of the engine. A device-independent bitmap of 24 bits (blue, green,
// red) or 8 bits (one index per pixel), rows stored bottom-up (row 0 is the bottom row of the
// picture) and padded to a multiple of 4 bytes; pixels per metre carry the resolution.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/platform.h"

// Bytes of one stored row: width × bytes per pixel rounded up to a multiple of 4.
constexpr int64_t RowBytes24(int64_t width) { return (width * 3 + 3) & ~int64_t{3}; }
constexpr int64_t RowBytes8(int64_t width) { return (width + 3) & ~int64_t{3}; }

// rowBytes × height, or -1 when either is negative or the product passes `limit`.
constexpr int64_t BoundedImageBytes(int64_t rowBytes, int64_t height, int64_t limit) {
    if (rowBytes < 0 || height < 0) return -1;
    if (height != 0 && rowBytes > limit / height) return -1;
    return rowBytes * height;
}

class TDib {
public:
    // Largest pixel block a TDib holds; beyond it creation fails (a 32-bit process could not
    // hold it beside the engine's work images anyway).
    static constexpr int64_t kMaxImageBytes = int64_t{1} << 30;

    // The colour counts that select the two forms in Create.
    static constexpr int kColors24 = 257;
    static constexpr int kColors8 = 256;

    // `colors` above 256 gives 24 bits, 256 or fewer 8 bits with a grey palette. Null when the
    // size is not positive, too large, or the memory cannot be had.
    static std::unique_ptr<TDib> Create(int width, int height, int colors);
    static std::unique_ptr<TDib> Create24(int width, int height) {
        return Create(width, height, kColors24);
    }
    static std::unique_ptr<TDib> Create8(int width, int height) {
        return Create(width, height, kColors8);
    }

    // From a bitmap resource (info header, palette when 8 bits, pixels). Null when missing,
    // malformed, or not 8 or 24 bits uncompressed bottom-up.
    static std::unique_ptr<TDib> FromResource(platform::ModuleHandle module, const char* name);

    // From the bytes of a packed bitmap (info header directly followed by palette and rows).
    static std::unique_ptr<TDib> FromPacked(const uint8_t* data, size_t size);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }
    int RowBytes() const { return rowBytes_; }
    size_t ImageBytes() const { return static_cast<size_t>(rowBytes_) * height_; }

    uint8_t* Bits() { return bits_.get(); }
    const uint8_t* Bits() const { return bits_.get(); }
    // Row y in storage order (0 is the bottom row).
    uint8_t* Row(int y) { return bits_.get() + static_cast<size_t>(rowBytes_) * y; }
    const uint8_t* Row(int y) const { return bits_.get() + static_cast<size_t>(rowBytes_) * y; }

    int32_t XPelsPerMeter() const { return xPelsPerMeter_; }
    int32_t YPelsPerMeter() const { return yPelsPerMeter_; }
    void SetPelsPerMeter(int32_t x, int32_t y) {
        xPelsPerMeter_ = x;
        yPelsPerMeter_ = y;
    }

    // 256 palette entries as blue, green, red, reserved (8-bit images only; null otherwise).
    uint8_t* Palette() { return palette_.get(); }
    const uint8_t* Palette() const { return palette_.get(); }

private:
    TDib() = default;
    bool Allocate(int width, int height, int bitCount);

    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 0;
    int rowBytes_ = 0;
    int32_t xPelsPerMeter_ = 0;
    int32_t yPelsPerMeter_ = 0;
    std::unique_ptr<uint8_t[]> bits_;
    std::unique_ptr<uint8_t[]> palette_;
};
