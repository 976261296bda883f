// Pictures for the tests: gradients, the samples, checksums.
#include "tests/support/pictures.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "imaging/fnv1a.h"

namespace test_pictures {

std::unique_ptr<TDib> Gradient(int width, int height, int32_t pelsPerMeter) {
    auto image = TDib::Create24(width, height);
    if (!image) return nullptr;
    std::memset(image->Bits(), 0, image->ImageBytes());
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image->Row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<uint8_t>(x * 7 + y);
            row[3 * x + 1] = static_cast<uint8_t>(x + y * 5);
            row[3 * x + 2] = static_cast<uint8_t>(x ^ y);
        }
    }
    image->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);
    return image;
}

std::unique_ptr<TDib> Crop(const TDib& picture, int left, int bottom, int width, int height) {
    if (left < 0 || bottom < 0 || width < 1 || height < 1 || left + width > picture.Width() ||
        bottom + height > picture.Height())
        return nullptr;
    auto image = TDib::Create24(width, height);
    if (!image) return nullptr;
    std::memset(image->Bits(), 0, image->ImageBytes());
    for (int y = 0; y < height; ++y)
        std::memcpy(image->Row(y), picture.Row(bottom + y) + 3 * left, static_cast<size_t>(width) * 3);
    image->SetPelsPerMeter(picture.XPelsPerMeter(), picture.YPelsPerMeter());
    return image;
}

std::unique_ptr<TDib> Flat(int width, int height, uint8_t blue, uint8_t green, uint8_t red,
                           int32_t pelsPerMeter) {
    auto image = TDib::Create24(width, height);
    if (!image) return nullptr;
    std::memset(image->Bits(), 0, image->ImageBytes());
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image->Row(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = blue;
            row[3 * x + 1] = green;
            row[3 * x + 2] = red;
        }
    }
    image->SetPelsPerMeter(pelsPerMeter, pelsPerMeter);
    return image;
}

std::unique_ptr<TDib> ReadBmp(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return nullptr;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    constexpr size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader || bytes[0] != 'B' || bytes[1] != 'M') return nullptr;
    return TDib::FromPacked(bytes.data() + kFileHeader, bytes.size() - kFileHeader);
}

std::vector<uint8_t> PixelBytes(const TDib& image) {
    return std::vector<uint8_t>(image.Bits(), image.Bits() + image.ImageBytes());
}

uint8_t* PixelAt(TDib& image, int x, int y) { return image.Row(y) + 3 * x; }

std::string PixelText(const TDib& image, int x, int y) {
    const uint8_t* p = image.Row(y) + 3 * x;
    return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
}

void SetPixel(TDib& image, int x, int y, int blue, int green, int red) {
    uint8_t* p = PixelAt(image, x, y);
    p[0] = static_cast<uint8_t>(blue);
    p[1] = static_cast<uint8_t>(green);
    p[2] = static_cast<uint8_t>(red);
}

void FillPixels(TDib& image, int blue, int green, int red) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) SetPixel(image, x, y, blue, green, red);
}

void FillMap(TDib& map, uint8_t value) {
    for (int y = 0; y < map.Height(); ++y) std::memset(map.Row(y), value, map.Width());
}

void SetMapRows(TDib& map, const MapRows& rows) {
    for (size_t y = 0; y < rows.size(); ++y)
        std::memcpy(map.Row(static_cast<int>(y)), rows[y].data(), rows[y].size());
}

MapRows RowsOf(const TDib& map) {
    MapRows rows(map.Height());
    for (int y = 0; y < map.Height(); ++y) rows[y].assign(map.Row(y), map.Row(y) + map.Width());
    return rows;
}

uint64_t Checksum(const uint8_t* data, size_t size) { return Fnv1a64(data, size); }

uint64_t Checksum(const TDib& image) { return Checksum(image.Bits(), image.ImageBytes()); }

}  // namespace test_pictures
