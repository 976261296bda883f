#include "imaging/dib.h"

#include <cstring>
#include <new>

#include "imaging/int_helpers.h"

namespace {

constexpr size_t kInfoHeaderSize = 40;

}  // namespace

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
    if (data == nullptr || size < kInfoHeaderSize) return nullptr;
    const uint32_t headerSize = static_cast<uint32_t>(ReadLittleInt32(data));
    const int32_t width = ReadLittleInt32(data + 4);
    const int32_t height = ReadLittleInt32(data + 8);
    const uint16_t bitCount = ReadLittleUint16(data + 14);
    const int32_t compression = ReadLittleInt32(data + 16);
    const uint32_t colorsUsed = static_cast<uint32_t>(ReadLittleInt32(data + 32));
    if (headerSize < kInfoHeaderSize || headerSize > size) return nullptr;
    if (compression != 0 || (bitCount != 24 && bitCount != 8)) return nullptr;
    if (width <= 0 || height <= 0) return nullptr;

    std::unique_ptr<TDib> dib = Create(width, height, bitCount == 24 ? 257 : 256);
    if (!dib) return nullptr;
    size_t offset = headerSize;
    if (bitCount == 8) {
        const size_t entries = colorsUsed == 0 || colorsUsed > 256 ? 256 : colorsUsed;
        if (size - offset < entries * 4) return nullptr;
        std::memcpy(dib->palette_.get(), data + offset, entries * 4);
        offset += entries * 4;
    }
    if (size - offset < dib->ImageBytes()) return nullptr;
    std::memcpy(dib->Bits(), data + offset, dib->ImageBytes());
    dib->SetPelsPerMeter(ReadLittleInt32(data + 24), ReadLittleInt32(data + 28));
    return dib;
}

std::unique_ptr<TDib> TDib::FromResource(platform::ModuleHandle module, const char* name) {
    platform::ResourceBytes bytes;
    if (!platform::FindResourceBytes(module, name, platform::kBitmapType, &bytes)) return nullptr;
    return FromPacked(bytes.data, bytes.size);
}
