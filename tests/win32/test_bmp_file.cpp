// The stand-in host's BMP reading and writing: bad files are refused by their sizes and
// offsets before any row is read, top-down files are turned, and a written file reads back.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "host/bmp_file.h"

namespace {

// A BMP file: 14-byte file header, 40-byte info header, rows with a pattern.
std::vector<uint8_t> BmpBytes(int32_t width, int32_t height, uint16_t bitCount = 24,
                              uint32_t compression = 0, int32_t pelsPerMeter = 2834) {
    const int64_t rows = height < 0 ? -int64_t{height} : height;
    const int64_t rowBytes = (int64_t{width} * 3 + 3) & ~int64_t{3};
    const size_t pixels = width > 0 && rows < 4096 ? static_cast<size_t>(rowBytes * rows) : 16;
    std::vector<uint8_t> file(54 + pixels);
    auto put32 = [&](size_t offset, uint32_t v) { std::memcpy(file.data() + offset, &v, 4); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    file[26] = 1;
    std::memcpy(file.data() + 28, &bitCount, 2);
    put32(30, compression);
    put32(38, static_cast<uint32_t>(pelsPerMeter));
    put32(42, static_cast<uint32_t>(pelsPerMeter));
    for (size_t i = 54; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i * 11);
    return file;
}

void Put32(std::vector<uint8_t>* file, size_t offset, uint32_t value) {
    std::memcpy(file->data() + offset, &value, 4);
}

}  // namespace

TEST(BmpFile, BadFilesAreRefused) {
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    };
    std::vector<Case> cases;
    cases.push_back({"Empty", {}});
    {
        auto file = BmpBytes(2, 2);
        file.resize(53);
        cases.push_back({"ShortHeader", file});
    }
    {
        auto file = BmpBytes(2, 2);
        file[0] = 'X';
        cases.push_back({"NotBM", file});
    }
    {
        auto file = BmpBytes(2, 2);
        Put32(&file, 14, 12);
        cases.push_back({"CoreHeader", file});
    }
    {
        auto file = BmpBytes(2, 2);
        Put32(&file, 14, 0xFFFFFFF0u);
        cases.push_back({"InfoSizeBeyondFile", file});
    }
    cases.push_back({"ThirtyTwoBits", BmpBytes(2, 2, 32)});
    cases.push_back({"EightBits", BmpBytes(2, 2, 8)});
    cases.push_back({"Compressed", BmpBytes(2, 2, 24, 1)});
    cases.push_back({"ZeroWidth", BmpBytes(0, 2)});
    cases.push_back({"NegativeWidth", BmpBytes(-2, 2)});
    cases.push_back({"ZeroHeight", BmpBytes(2, 0)});
    cases.push_back({"LowestHeight", BmpBytes(2, INT32_MIN)});
    cases.push_back({"HugeRows", BmpBytes(0x7FFFFFFF, 0x7FFFFFFF)});
    {
        auto file = BmpBytes(2, 2);
        file.resize(file.size() - 1);
        cases.push_back({"RowsCutShort", file});
    }
    {
        auto file = BmpBytes(2, 2);
        Put32(&file, 10, 0xFFFFFFF0u);
        cases.push_back({"PixelOffsetBeyondFile", file});
    }
    {
        auto file = BmpBytes(2, 2);
        Put32(&file, 10, 20);
        cases.push_back({"PixelOffsetInsideHeader", file});
    }
    for (const Case& c : cases) {
        std::vector<uint8_t> picture;
        std::string error;
        EXPECT_FALSE(ParseBmp(c.file.data(), c.file.size(), &picture, &error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
    }
}

TEST(BmpFile, BottomUpRowsAreKeptAndTopDownRowsTurned) {
    const auto bottomUp = BmpBytes(3, 2, 24, 0, 3780);
    std::vector<uint8_t> picture;
    std::string error;
    ASSERT_TRUE(ParseBmp(bottomUp.data(), bottomUp.size(), &picture, &error)) << error;
    ASSERT_EQ(picture.size(), 40u + 2 * 12);
    int32_t field;
    std::memcpy(&field, picture.data() + 8, 4);
    EXPECT_EQ(field, 2);
    std::memcpy(&field, picture.data() + 24, 4);
    EXPECT_EQ(field, 3780);
    EXPECT_EQ(std::memcmp(picture.data() + 40, bottomUp.data() + 54, 24), 0);

    auto topDown = bottomUp;
    Put32(&topDown, 22, static_cast<uint32_t>(-2));
    ASSERT_TRUE(ParseBmp(topDown.data(), topDown.size(), &picture, &error)) << error;
    std::memcpy(&field, picture.data() + 8, 4);
    EXPECT_EQ(field, 2) << "held bottom-up";
    EXPECT_EQ(std::memcmp(picture.data() + 40, topDown.data() + 54 + 12, 12), 0);
    EXPECT_EQ(std::memcmp(picture.data() + 52, topDown.data() + 54, 12), 0);
}

TEST(BmpFile, WrittenFileReadsBackTheSamePicture) {
    const auto file = BmpBytes(5, 3);
    std::vector<uint8_t> picture, back;
    std::string error;
    ASSERT_TRUE(ParseBmp(file.data(), file.size(), &picture, &error));
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string path =
        std::string(temp) + "zo-bmp-" + std::to_string(GetCurrentProcessId()) + ".bmp";
    ASSERT_TRUE(WriteBmpFile(path.c_str(), picture, &error)) << error;
    ASSERT_TRUE(ReadBmpFile(path.c_str(), &back, &error)) << error;
    DeleteFileA(path.c_str());
    EXPECT_EQ(back, picture);
    EXPECT_EQ(PicturePixelBytes(picture), 3 * 16);
}
