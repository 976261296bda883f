// Reading and writing the stand-in host's 24-bit BMP files.
#include "host/bmp_file.h"

#include <cstdio>
#include <cstring>

#include "imaging/bitmap_header.h"
#include "imaging/int_helpers.h"

namespace {

bool Fail(std::string* error, const char* reason) {
    if (error != nullptr) *error = reason;
    return false;
}

}  // namespace

bool ParseBmp(const uint8_t* data, size_t size, std::vector<uint8_t>* picture, std::string* error) {
    if (data == nullptr || size < kBmpFileHeaderSize + kBmpInfoHeaderSize)
        return Fail(error, "file too short for a BMP header");
    if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a BMP file");
    const uint32_t pixelOffset = ReadLittleUint32(data + 10);
    BitmapInfoHeader info;
    DecodeBitmapInfoHeader(data + kBmpFileHeaderSize, size - kBmpFileHeaderSize, &info);
    if (info.size < kBmpInfoHeaderSize || info.size > size - kBmpFileHeaderSize)
        return Fail(error, "bad info header size");
    if (info.bitCount != 24) return Fail(error, "not 24 bits per pixel");
    if (info.compression != 0) return Fail(error, "compressed");
    if (info.width <= 0 || info.height == 0) return Fail(error, "bad picture size");
    const int64_t rows = info.height < 0 ? -int64_t{info.height} : int64_t{info.height};
    const int64_t rowBytes = BitmapRowBytes(info.width, 24);
    const int64_t pixelBytes = BitmapPixelBytes(info, kMaxBmpPixelBytes);
    if (pixelBytes < 0) return Fail(error, "picture too large");
    if (pixelOffset < kBmpFileHeaderSize + info.size || pixelOffset > size ||
        static_cast<uint64_t>(pixelBytes) > size - pixelOffset)
        return Fail(error, "pixel rows outside the file");

    try {
        picture->assign(kBmpInfoHeaderSize + static_cast<size_t>(pixelBytes), 0);
    } catch (...) {
        return Fail(error, "out of memory");
    }
    BitmapInfoHeader header;
    header.width = info.width;
    header.height = static_cast<int32_t>(rows);
    header.bitCount = 24;
    header.sizeImage = static_cast<uint32_t>(pixelBytes);
    header.xPelsPerMeter = info.xPelsPerMeter;
    header.yPelsPerMeter = info.yPelsPerMeter;
    EncodeBitmapInfoHeader(header, picture->data());
    const uint8_t* source = data + pixelOffset;
    uint8_t* target = picture->data() + kBmpInfoHeaderSize;
    for (int64_t y = 0; y < rows; ++y) {
        // A top-down file's first row is the picture's top row: it goes last.
        const int64_t sourceRow = info.height < 0 ? rows - 1 - y : y;
        std::memcpy(target + y * rowBytes, source + sourceRow * rowBytes,
                    static_cast<size_t>(rowBytes));
    }
    return true;
}

bool ReadBmpFile(const char* path, std::vector<uint8_t>* picture, std::string* error) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return Fail(error, "cannot open the input file");
    std::vector<uint8_t> bytes;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long length = ok ? std::ftell(file) : -1;
    ok = ok && length >= 0 && static_cast<uint64_t>(length) <= kMaxBmpPixelBytes + 4096 &&
         std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        try {
            bytes.resize(static_cast<size_t>(length));
        } catch (...) {
            ok = false;
        }
    }
    ok = ok && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    if (!ok) return Fail(error, "cannot read the input file");
    return ParseBmp(bytes.data(), bytes.size(), picture, error);
}

int64_t PicturePixelBytes(const std::vector<uint8_t>& picture) {
    BitmapInfoHeader header;
    if (!DecodeBitmapInfoHeader(picture.data(), picture.size(), &header)) return 0;
    const int64_t bytes = BitmapPixelBytes(header, kMaxBmpPixelBytes);
    return bytes < 0 ? 0 : bytes;
}

bool WriteBmpFile(const char* path, const std::vector<uint8_t>& picture, std::string* error) {
    const int64_t pixelBytes = PicturePixelBytes(picture);
    if (pixelBytes <= 0 || static_cast<uint64_t>(pixelBytes) + kBmpInfoHeaderSize > picture.size())
        return Fail(error, "no picture to write");
    uint8_t fileHeader[kBmpFileHeaderSize] = {'B', 'M'};
    const uint32_t pixelOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize;
    WriteLittleUint32(fileHeader + 2, static_cast<uint32_t>(pixelOffset + pixelBytes));
    WriteLittleUint32(fileHeader + 10, pixelOffset);
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return Fail(error, "cannot create the output file");
    const size_t total = kBmpInfoHeaderSize + static_cast<size_t>(pixelBytes);
    bool ok = std::fwrite(fileHeader, 1, sizeof fileHeader, file) == sizeof fileHeader &&
              std::fwrite(picture.data(), 1, total, file) == total;
    ok = std::fclose(file) == 0 && ok;
    return ok || Fail(error, "cannot write the output file");
}
