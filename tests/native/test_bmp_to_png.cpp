// The PNG converter: a small picture read back through libpng has its pixels top row first,
// in red-green-blue, without the rows' padding.
#include <png.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host/bmp_file.h"
#include "tests/support/files.h"

namespace {

// A 3 × 2 BMP file whose pixel (x, y) of storage row y is blue x, green y, red 7.
std::vector<uint8_t> SmallBmpFile() {
    const int width = 3, height = 2, rowBytes = 12;
    std::vector<uint8_t> file(14 + 40 + rowBytes * height, 0);
    file[0] = 'B';
    file[1] = 'M';
    file[10] = 54;
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = 24;
    EncodeBitmapInfoHeader(header, file.data() + 14);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = file.data() + 54 + rowBytes * y + 3 * x;
            pixel[0] = static_cast<uint8_t>(x);
            pixel[1] = static_cast<uint8_t>(y);
            pixel[2] = 7;
        }
    return file;
}

TEST(BmpToPng, WritesTheTopRowFirstInRgb) {
    const test_files::ScratchFolder folder("zo_png_");
    const std::string bmp = folder.PathOf("small.bmp");
    const std::string png = folder.PathOf("small.png");
    ASSERT_TRUE(test_files::WriteAll(bmp, SmallBmpFile()));
    const std::string command = std::string("\"") + ZO_BMP_TO_PNG + "\" \"" + bmp + "\" \"" + png + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, png.c_str()));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
    const std::vector<uint8_t> expected = {7, 1, 0, 7, 1, 1, 7, 1, 2,   // the top row: storage row 1
                                           7, 0, 0, 7, 0, 1, 7, 0, 2};
    EXPECT_EQ(rgb, expected);
}

TEST(BmpToPng, ReportsAFileThatIsNotABmp) {
    const test_files::ScratchFolder folder("zo_png_");
    const std::string text = folder.PathOf("not.bmp");
    ASSERT_TRUE(test_files::WriteAll(text, std::string("hello")));
    const std::string command = std::string("\"") + ZO_BMP_TO_PNG + "\" \"" + text + "\" \"" +
                                folder.PathOf("not.png") + "\" 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
