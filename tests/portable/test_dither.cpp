// The low-colour display's dither: the cube levels at each matrix offset, the palette indices
// of black, white and grey, and the refusals that leave the copy untouched.
#include <gtest/gtest.h>

#include <cstring>

#include "dialogs/dither.h"
#include "tests/support/pictures.h"

namespace {

int DitherOne(uint8_t blue, uint8_t green, uint8_t red, int row, int column) {
    auto image = test_pictures::Flat(8, 8, blue, green, red);
    auto copy = TDib::Create8(8, 8);
    dither::Tables tables;
    dither::MakeTables(&tables);
    EXPECT_TRUE(dither::DitherImage(tables, image.get(), 1, copy.get()));
    return copy->Row(row)[column];
}

}  // namespace

TEST(Dither, PixelsGoToTheCubeLevelTheirOffsetReaches) {
    const struct {
        const char* name;
        uint8_t blue, green, red;
        int row, column, index;
    } cases[] = {
        {"black", 0, 0, 0, 0, 0, 30},
        {"black at the largest offset", 0, 0, 0, 0, 7, 30},
        {"white at offset 0", 255, 255, 255, 0, 0, 245},
        {"white at offset 50 (305 still level 5)", 255, 255, 255, 0, 7, 245},
        {"grey 128 at offset 0: level 2", 128, 128, 128, 0, 0, 30 + 72 + 12 + 2},
        {"grey 128 at offset 47: level 3", 128, 128, 128, 0, 3, 159},
        {"204 stays level 4 at offset 50", 204, 204, 204, 0, 7, 30 + 144 + 24 + 4},
        {"channels weigh red 36, green 6, blue 1", 0, 51, 102, 0, 0, 30 + 72 + 6},
        {"the matrix row is the output row mod 8", 26, 26, 26, 1, 0, 30 + 36 + 6 + 1},
        {"row 1 column 1 has offset 12: not enough", 26, 26, 26, 1, 1, 30},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DitherOne(c.blue, c.green, c.red, c.row, c.column), c.index) << c.name;
}

TEST(Dither, TheCubeColoursSitInEntries30To245) {
    const struct {
        int index;
        bool inCube;
        uint8_t red, green, blue;
    } cases[] = {{30, true, 0, 0, 0},       {245, true, 255, 255, 255}, {31, true, 0, 0, 51},
                 {36, true, 0, 51, 0},      {66, true, 51, 0, 0},       {29, false, 0, 0, 0},
                 {246, false, 0, 0, 0}};
    for (const auto& c : cases) {
        uint8_t red = 0, green = 0, blue = 0;
        EXPECT_EQ(dither::CubeColor(c.index, &red, &green, &blue), c.inCube) << c.index;
        if (!c.inCube) continue;
        EXPECT_EQ(red, c.red) << c.index;
        EXPECT_EQ(green, c.green) << c.index;
        EXPECT_EQ(blue, c.blue) << c.index;
    }
}

TEST(Dither, RefusesWhatItCannotDitherAndChangesNothing) {
    dither::Tables tables;
    dither::MakeTables(&tables);
    auto copy = TDib::Create8(200, 200);
    std::memset(copy->Bits(), 7, copy->ImageBytes());
    auto smaller = test_pictures::Flat(190, 190, 1, 2, 3);
    auto right = test_pictures::Flat(200, 200, 1, 2, 3);
    auto eightBit = TDib::Create8(200, 200);
    EXPECT_FALSE(dither::DitherImage(tables, smaller.get(), 1, copy.get())) << "size mismatch";
    EXPECT_FALSE(dither::DitherImage(tables, nullptr, 1, copy.get())) << "no image";
    EXPECT_FALSE(dither::DitherImage(tables, right.get(), 0, copy.get())) << "step below 1";
    EXPECT_FALSE(dither::DitherImage(tables, eightBit.get(), 1, copy.get())) << "not 24 bits";
    for (size_t i = 0; i < copy->ImageBytes(); ++i) ASSERT_EQ(copy->Bits()[i], 7);
}

TEST(Dither, AStepFillsOnlyTheFirstRowsAndColumns) {
    dither::Tables tables;
    dither::MakeTables(&tables);
    auto image = test_pictures::Flat(8, 8, 255, 255, 255);
    auto copy = TDib::Create8(8, 8);
    std::memset(copy->Bits(), 0, copy->ImageBytes());
    ASSERT_TRUE(dither::DitherImage(tables, image.get(), 2, copy.get()));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(copy->Row(y)[x], x < 4 && y < 4 ? 245 : 0) << x << "," << y;
}
