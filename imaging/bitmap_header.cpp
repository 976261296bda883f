// Decoding and encoding of the bitmap information header.
#include "imaging/bitmap_header.h"

#include "imaging/dib.h"

namespace {

uint32_t Get32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

bool DecodeBitmapInfoHeader(const uint8_t* bytes, size_t size, BitmapInfoHeader* header) {
    if (bytes == nullptr || size < kBitmapInfoHeaderSize) return false;
    header->size = Get32(bytes);
    header->width = static_cast<int32_t>(Get32(bytes + 4));
    header->height = static_cast<int32_t>(Get32(bytes + 8));
    header->planes = Get16(bytes + 12);
    header->bitCount = Get16(bytes + 14);
    header->compression = Get32(bytes + 16);
    header->sizeImage = Get32(bytes + 20);
    header->xPelsPerMeter = static_cast<int32_t>(Get32(bytes + 24));
    header->yPelsPerMeter = static_cast<int32_t>(Get32(bytes + 28));
    header->colorsUsed = Get32(bytes + 32);
    header->colorsImportant = Get32(bytes + 36);
    return true;
}

void EncodeBitmapInfoHeader(const BitmapInfoHeader& header,
                            uint8_t bytes[kBitmapInfoHeaderSize]) {
    Put32(bytes, header.size);
    Put32(bytes + 4, static_cast<uint32_t>(header.width));
    Put32(bytes + 8, static_cast<uint32_t>(header.height));
    Put16(bytes + 12, header.planes);
    Put16(bytes + 14, header.bitCount);
    Put32(bytes + 16, header.compression);
    Put32(bytes + 20, header.sizeImage);
    Put32(bytes + 24, static_cast<uint32_t>(header.xPelsPerMeter));
    Put32(bytes + 28, static_cast<uint32_t>(header.yPelsPerMeter));
    Put32(bytes + 32, header.colorsUsed);
    Put32(bytes + 36, header.colorsImportant);
}

int64_t BitmapRowBytes(int64_t width, int bitCount) {
    if (width < 1) return -1;
    if (bitCount == 24) return RowBytes24(width);
    if (bitCount == 8) return RowBytes8(width);
    return -1;
}

int64_t BitmapPixelBytes(const BitmapInfoHeader& header, int64_t limit) {
    const int64_t rowBytes = BitmapRowBytes(header.width, header.bitCount);
    if (rowBytes < 0 || header.height == 0) return -1;
    const int64_t rows = header.height < 0 ? -int64_t{header.height} : int64_t{header.height};
    return BoundedImageBytes(rowBytes, rows, limit);
}
