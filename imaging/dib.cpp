// Allocation of TDib images and their making from packed bitmaps and bitmap resources.
#include "imaging/dib.h"

#include <cstring>
#include <new>

#include "imaging/bitmap_header.h"

bool TDib::Allocate(int width, int height, int bitCount) {
    if (width <= 0 || height <= 0) return false;
    const int64_t rowBytes = bitCount == 24 ? RowBytes24(width) : RowBytes8(width);
    const int64_t bytes = BoundedImageBytes(rowBytes, height, kMaxImageBytes);
    if (bytes < 0) return false;
    bits_.reset(new (std::nothrow) uint8_t[static_cast<size_t>(bytes)]);
    if (!bits_) return false;
    if (bitCount == 8) {
        palette_.reset(new (std::nothrow) uint8_t[256 * 4]);
        if (!palette_) return false;
        for (int i = 0; i < 256; ++i) {
            uint8_t* entry = palette_.get() + 4 * i;
            entry[0] = entry[1] = entry[2] = static_cast<uint8_t>(i);
            entry[3] = 0;
        }
    }
    width_ = width;
    height_ = height;
    bitCount_ = bitCount;
    rowBytes_ = static_cast<int>(rowBytes);
    return true;
}

std::unique_ptr<TDib> TDib::Create(int width, int height, int colors) {
    std::unique_ptr<TDib> dib(new (std::nothrow) TDib);
    if (!dib || !dib->Allocate(width, height, colors > 256 ? 24 : 8)) return nullptr;
    return dib;
}

std::unique_ptr<TDib> TDib::FromPacked(const uint8_t* data, size_t size) {
    BitmapInfoHeader header;
    if (!DecodeBitmapInfoHeader(data, size, &header)) return nullptr;
    if (header.size < kBitmapInfoHeaderSize || header.size > size) return nullptr;
    if (header.compression != 0 || header.height <= 0) return nullptr;
    // The sizes are checked against the data before anything is allocated.
    const int64_t pixelBytes = BitmapPixelBytes(header, kMaxImageBytes);
    if (pixelBytes < 0) return nullptr;
    size_t offset = header.size;
    const size_t entries =
        header.bitCount != 8 ? 0 : header.colorsUsed == 0 || header.colorsUsed > 256 ? 256
                                                                                 : header.colorsUsed;
    if (size - offset < entries * 4 || size - offset - entries * 4 < static_cast<size_t>(pixelBytes))
        return nullptr;

    std::unique_ptr<TDib> dib = header.bitCount == 24 ? Create24(header.width, header.height)
                                                      : Create8(header.width, header.height);
    if (!dib) return nullptr;
    if (entries > 0) std::memcpy(dib->palette_.get(), data + offset, entries * 4);
    offset += entries * 4;
    std::memcpy(dib->Bits(), data + offset, dib->ImageBytes());
    dib->SetPelsPerMeter(header.xPelsPerMeter, header.yPelsPerMeter);
    return dib;
}

std::unique_ptr<TDib> TDib::FromResource(platform::ModuleHandle module, const char* name) {
    platform::ResourceBytes bytes;
    if (!platform::FindResourceBytes(module, name, platform::kBitmapType, &bytes)) return nullptr;
    return FromPacked(bytes.data, bytes.size);
}
