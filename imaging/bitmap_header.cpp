// Decoding and encoding of the bitmap information header.
#include "imaging/bitmap_header.h"

#include "imaging/dib.h"
#include "imaging/int_helpers.h"

bool DecodeBitmapInfoHeader(const uint8_t* bytes, size_t size, BitmapInfoHeader* header) {
    if (bytes == nullptr || size < kBitmapInfoHeaderSize) return false;
    header->size = ReadLittleUint32(bytes);
    header->width = static_cast<int32_t>(ReadLittleUint32(bytes + 4));
    header->height = static_cast<int32_t>(ReadLittleUint32(bytes + 8));
    header->planes = ReadLittleUint16(bytes + 12);
    header->bitCount = ReadLittleUint16(bytes + 14);
    header->compression = ReadLittleUint32(bytes + 16);
    header->sizeImage = ReadLittleUint32(bytes + 20);
    header->xPelsPerMeter = static_cast<int32_t>(ReadLittleUint32(bytes + 24));
    header->yPelsPerMeter = static_cast<int32_t>(ReadLittleUint32(bytes + 28));
    header->colorsUsed = ReadLittleUint32(bytes + 32);
    header->colorsImportant = ReadLittleUint32(bytes + 36);
    return true;
}

void EncodeBitmapInfoHeader(const BitmapInfoHeader& header,
                            uint8_t bytes[kBitmapInfoHeaderSize]) {
    WriteLittleUint32(bytes, header.size);
    WriteLittleUint32(bytes + 4, static_cast<uint32_t>(header.width));
    WriteLittleUint32(bytes + 8, static_cast<uint32_t>(header.height));
    WriteLittleUint16(bytes + 12, header.planes);
    WriteLittleUint16(bytes + 14, header.bitCount);
    WriteLittleUint32(bytes + 16, header.compression);
    WriteLittleUint32(bytes + 20, header.sizeImage);
    WriteLittleUint32(bytes + 24, static_cast<uint32_t>(header.xPelsPerMeter));
    WriteLittleUint32(bytes + 28, static_cast<uint32_t>(header.yPelsPerMeter));
    WriteLittleUint32(bytes + 32, header.colorsUsed);
    WriteLittleUint32(bytes + 36, header.colorsImportant);
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
