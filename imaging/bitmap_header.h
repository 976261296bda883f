// The 40-byte information header of a device-independent bitmap, as the host's picture, BMP
// files and bitmap resources carry it: one decoder and one encoder of its little-endian fields,
// and the size of the pixel rows it describes, checked once.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kBitmapInfoHeaderSize = 40;

struct BitmapInfoHeader {
    uint32_t size = kBitmapInfoHeaderSize;
    int32_t width = 0;
    int32_t height = 0;  // above 0: rows bottom-up; below 0: top-down
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = 0;  // 0: uncompressed
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t colorsUsed = 0;
    uint32_t colorsImportant = 0;
};

// The header at `bytes`; false, leaving `header` alone, when fewer than 40 bytes are given.
bool DecodeBitmapInfoHeader(const uint8_t* bytes, size_t size, BitmapInfoHeader* header);

// The header's 40 bytes.
void EncodeBitmapInfoHeader(const BitmapInfoHeader& header, uint8_t bytes[kBitmapInfoHeaderSize]);

// Bytes of one row of `width` pixels of `bitCount` bits, padded to a multiple of 4; -1 for a
// width below 1 or a bit count other than 8 or 24.
int64_t BitmapRowBytes(int64_t width, int bitCount);

// Bytes of the pixel rows of an uncompressed 8- or 24-bit bitmap of this header (either row
// order), or -1 when the width is below 1, the height 0, the bit count not 8 or 24, or the
// size above `limit`. Computed without overflow for every header.
int64_t BitmapPixelBytes(const BitmapInfoHeader& header, int64_t limit);
