// Small pictures built in the tests, and a checksum of their pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/dib.h"

namespace test_pictures {

// A 24-bit picture whose pixel (x, y) is (blue, green, red) = (x * 7 + y, x + y * 5, x ^ y),
// with the given pixels per metre.
std::unique_ptr<TDib> Gradient(int width, int height, int32_t pelsPerMeter = 2834);

// A 24-bit picture of one colour.
std::unique_ptr<TDib> Flat(int width, int height, uint8_t blue, uint8_t green, uint8_t red,
                           int32_t pelsPerMeter = 2834);

// A 24-bit picture read from a BMP file (bottom-up, 24 bits); null when unreadable.
std::unique_ptr<TDib> ReadBmp(const char* path);

// The width × height pixels of a 24-bit picture from column left and stored row bottom on, with
// its pixels per metre; null when the rectangle does not lie inside it.
std::unique_ptr<TDib> Crop(const TDib& picture, int left, int bottom, int width, int height);

// Pixel (x, y) of a 24-bit image, as blue, green, red.
uint8_t* PixelAt(TDib& image, int x, int y);
// The same as text, "blue,green,red", to compare with the colour a test expects there.
std::string PixelText(const TDib& image, int x, int y);
void SetPixel(TDib& image, int x, int y, int blue, int green, int red);
// Every pixel of a 24-bit image.
void FillPixels(TDib& image, int blue, int green, int red);

// An 8-bit map as rows in storage order (row 0 first), each of the map's width.
using MapRows = std::vector<std::vector<uint8_t>>;
void FillMap(TDib& map, uint8_t value);
void SetMapRows(TDib& map, const MapRows& rows);
MapRows RowsOf(const TDib& map);

// A copy of the image's pixel rows, padding included, to compare before and after.
std::vector<uint8_t> PixelBytes(const TDib& image);

// FNV-1a (64 bits) of the image's pixel rows, padding included.
uint64_t Checksum(const TDib& image);
uint64_t Checksum(const uint8_t* data, size_t size);

}  // namespace test_pictures
