// What every generator does last: the bytes it made written as a file of its output folder, and
// the little-endian fields and bitmap headers those bytes are built of.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "imaging/bitmap_header.h"
#include "imaging/int_helpers.h"

// Writes `bytes` as the file `path`; false when it cannot be created or written whole.
inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// `v` appended as the 2 or 4 little-endian bytes that files and resources store.
inline void AppendLittle16(std::vector<uint8_t>* bytes, uint16_t v) {
    uint8_t field[2];
    WriteLittleUint16(field, v);
    bytes->insert(bytes->end(), field, field + 2);
}
inline void AppendLittle32(std::vector<uint8_t>* bytes, uint32_t v) {
    uint8_t field[4];
    WriteLittleUint32(field, v);
    bytes->insert(bytes->end(), field, field + 4);
}

// The 40 bytes of `header` appended.
inline void AppendInfoHeader(std::vector<uint8_t>* bytes, const BitmapInfoHeader& header) {
    uint8_t field[kBitmapInfoHeaderSize];
    EncodeBitmapInfoHeader(header, field);
    bytes->insert(bytes->end(), field, field + kBitmapInfoHeaderSize);
}

// The 14 bytes that open a BMP file whose 40-byte info header follows at once, then a colour
// table of `tableBytes` and pixel rows of `pixelBytes`.
inline void AppendBmpFileHeader(std::vector<uint8_t>* bytes, uint32_t tableBytes,
                                uint32_t pixelBytes) {
    constexpr uint32_t kFileHeaderSize = 14;
    const uint32_t pixelOffset = kFileHeaderSize + kBitmapInfoHeaderSize + tableBytes;
    bytes->push_back('B');
    bytes->push_back('M');
    AppendLittle32(bytes, pixelOffset + pixelBytes);
    AppendLittle32(bytes, 0);  // reserved
    AppendLittle32(bytes, pixelOffset);
}
