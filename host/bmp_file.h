// The stand-in host's picture files: a 24-bit uncompressed BMP file read into the host picture
// form that the plug-ins take (a 40-byte BITMAPINFOHEADER directly followed by bottom-up rows),
// and such a picture written back as a BMP file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/bitmap_header.h"

constexpr int kBmpFileHeaderSize = 14;
constexpr int kBmpInfoHeaderSize = static_cast<int>(kBitmapInfoHeaderSize);

// Largest pixel block accepted, as much as a 32-bit plug-in can hold.
constexpr int64_t kMaxBmpPixelBytes = int64_t{1} << 30;

// From the bytes of a BMP file: 24 bits, uncompressed, rows bottom-up or top-down (turned to
// bottom-up). Every size and offset is checked against the file before it is used. False,
// with a reason in `error`, for anything else.
bool ParseBmp(const uint8_t* data, size_t size, std::vector<uint8_t>* picture, std::string* error);

bool ReadBmpFile(const char* path, std::vector<uint8_t>* picture, std::string* error);

// The pixel bytes (height × row bytes) of a host picture made by ParseBmp; 0 for anything else.
int64_t PicturePixelBytes(const std::vector<uint8_t>& picture);

bool WriteBmpFile(const char* path, const std::vector<uint8_t>& picture, std::string* error);
