// Writes the removal program's icon ZOCLEAR (an .ico file with a 32 × 32 and a 16 × 16 image in
// the sixteen standard colours) into the folder given: a framed landscape painting under a red
// prohibition sign. The scene is one function on a 64 × 64 grid of half pixels, sampled at each
// pixel's centre, so both sizes show the same picture. Integer arithmetic only: the bytes are the
// same on every host.
//
// Usage: make_zoclear_icon <output folder>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/tool_output.h"

namespace {

// The sixteen colours of the standard palette, as red, green, blue.
const uint8_t kPalette[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

enum Colour : int {
    kBlack = 0,
    kDarkRed = 1,
    kDarkGreen = 2,
    kOlive = 3,
    kGreen = 10,
    kRed = 9,
    kYellow = 11,
    kAqua = 14,
    kTransparent = -1,
};

constexpr int kGrid = 64;  // scene coordinates: half pixels of the 32 × 32 image, top-down

// The colour of the scene at (u, v).
int SceneColour(int u, int v) {
    const int du = u - kGrid / 2, dv = v - kGrid / 2;
    const int r2 = du * du + dv * dv;
    // The prohibition sign lies over everything: a ring and one diagonal bar inside it.
    if (r2 >= 19 * 19 && r2 < 25 * 25) return kRed;
    if (r2 >= 25 * 25 && r2 < 27 * 27) return kDarkRed;
    if (r2 < 19 * 19) {
        const int d = du - dv;
        if (d > -5 && d < 5) return kRed;
        if (d > -7 && d < 7) return kDarkRed;
    }
    // The frame and its painting.
    if (u < 4 || u >= 60 || v < 4 || v >= 60) return kTransparent;
    if (u < 6 || u >= 58 || v < 6 || v >= 58) return kBlack;
    if (u < 12 || u >= 52 || v < 12 || v >= 52) return kOlive;
    if ((u - 40) * (u - 40) + (v - 22) * (v - 22) < 40) return kYellow;  // the sun
    const int hill = 30 + (u - 22) * (u - 22) / 40;
    if (v >= hill + 6) return kDarkGreen;
    if (v >= hill) return kGreen;
    return kAqua;
}

// One image of the icon: info header (height counts the colour and the mask rows), palette,
// 4-bit colour rows and 1-bit mask rows, both bottom-up and padded to 4 bytes.
std::vector<uint8_t> IconImage(int side) {
    const int colourRowBytes = (side * 4 + 31) / 32 * 4;
    const int maskRowBytes = (side + 31) / 32 * 4;
    std::vector<uint8_t> colour(static_cast<size_t>(colourRowBytes) * side, 0);
    std::vector<uint8_t> mask(static_cast<size_t>(maskRowBytes) * side, 0);
    const int step = kGrid / side;
    for (int y = 0; y < side; ++y) {
        const int row = side - 1 - y;  // bottom-up
        for (int x = 0; x < side; ++x) {
            const int c = SceneColour(x * step + step / 2, y * step + step / 2);
            if (c == kTransparent) {
                mask[row * maskRowBytes + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
                continue;  // colour 0 under a set mask bit leaves the screen as it is
            }
            uint8_t& cell = colour[row * colourRowBytes + x / 2];
            cell |= static_cast<uint8_t>(x % 2 == 0 ? c << 4 : c);
        }
    }
    std::vector<uint8_t> image;
    BitmapInfoHeader header;
    header.width = side;
    header.height = 2 * side;
    header.bitCount = 4;
    header.sizeImage = static_cast<uint32_t>(colour.size() + mask.size());
    AppendInfoHeader(&image, header);
    for (const auto& rgb : kPalette) {
        image.push_back(rgb[2]);
        image.push_back(rgb[1]);
        image.push_back(rgb[0]);
        image.push_back(0);
    }
    image.insert(image.end(), colour.begin(), colour.end());
    image.insert(image.end(), mask.begin(), mask.end());
    return image;
}

std::vector<uint8_t> IconFile() {
    const int sides[] = {32, 16};
    std::vector<std::vector<uint8_t>> images;
    for (int side : sides) images.push_back(IconImage(side));
    std::vector<uint8_t> file;
    AppendLittle16(&file, 0);  // reserved
    AppendLittle16(&file, 1);  // icon
    AppendLittle16(&file, static_cast<uint16_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<uint8_t>(sides[i]));
        file.push_back(static_cast<uint8_t>(sides[i]));
        file.push_back(16);  // colours
        file.push_back(0);
        AppendLittle16(&file, 1);  // planes
        AppendLittle16(&file, 4);  // bits per pixel
        AppendLittle32(&file, static_cast<uint32_t>(images[i].size()));
        AppendLittle32(&file, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_zoclear_icon <output folder>\n");
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/zoclear.ico";
    const std::vector<uint8_t> bytes = IconFile();
    if (!WriteBytes(path, bytes)) {
        std::fprintf(stderr, "make_zoclear_icon: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
