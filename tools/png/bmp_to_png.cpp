// bmp_to_png: writes 24-bit BMP pictures (the stand-in host's and the dialog tests' output) as
// PNG files, so that a person can look at them anywhere. Native only; the encoding is libpng's.
//
//   bmp_to_png <in.bmp> <out.png> [<in.bmp> <out.png> ...]
//
// Exit code 0 when every picture was written, 1 when one could not be, 2 on a usage error.
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/bmp_file.h"

namespace {

// The picture's rows top row first, blue-green-red turned to red-green-blue.
std::vector<uint8_t> TopDownRgb(const std::vector<uint8_t>& picture, int width, int height) {
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * 3 * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = picture.data() + kBmpInfoHeaderSize + rowBytes * (height - 1 - y);
        uint8_t* target = rgb.data() + static_cast<size_t>(width) * 3 * y;
        for (int x = 0; x < width; ++x) {
            target[3 * x] = source[3 * x + 2];
            target[3 * x + 1] = source[3 * x + 1];
            target[3 * x + 2] = source[3 * x];
        }
    }
    return rgb;
}

bool WritePng(const char* path, const std::vector<uint8_t>& picture, std::string* error) {
    BitmapInfoHeader header;
    if (!DecodeBitmapInfoHeader(picture.data(), picture.size(), &header)) {
        *error = "no picture";
        return false;
    }
    const std::vector<uint8_t> rgb = TopDownRgb(picture, header.width, header.height);
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(header.width);
    image.height = static_cast<png_uint_32>(header.height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr)) {
        *error = image.message;
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 != 1) {
        std::fprintf(stderr, "usage: bmp_to_png <in.bmp> <out.png> [<in.bmp> <out.png> ...]\n");
        return 2;
    }
    int status = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::vector<uint8_t> picture;
        std::string error;
        if (!ReadBmpFile(argv[i], &picture, &error) || !WritePng(argv[i + 1], picture, &error)) {
            std::fprintf(stderr, "bmp_to_png: %s: %s\n", argv[i], error.c_str());
            status = 1;
        }
    }
    return status;
}
