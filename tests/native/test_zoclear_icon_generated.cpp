// The removal program's icon: the committed file is exactly what tools/make_zoclear_icon
// writes, and it is a well-formed icon of a 32 × 32 and a 16 × 16 image in sixteen colours
// whose corners are transparent and whose middle is not.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/files.h"

namespace {

const std::string kCommitted = std::string(ZO_SOURCE_DIR) + "/resources/icons/zoclear.ico";

uint32_t Little(const std::vector<uint8_t>& b, size_t offset, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | b.at(offset + i);
    return value;
}

TEST(ZoclearIconGenerated, GeneratorReproducesTheCommittedFile) {
    const test_files::ScratchFolder folder("zo_icon_");
    ASSERT_TRUE(test_files::RunGenerator(ZO_MAKE_ZOCLEAR_ICON, folder.Path()));
    const std::vector<uint8_t> made = test_files::ReadAll(folder.PathOf("zoclear.ico"));
    EXPECT_TRUE(made == test_files::ReadAll(kCommitted)) << "the icon differs from its recipe";
}

TEST(ZoclearIconGenerated, ImagesAreWellFormedWithTransparentCorners) {
    const std::vector<uint8_t> icon = test_files::ReadAll(kCommitted);
    ASSERT_GE(icon.size(), 6u);
    EXPECT_EQ(Little(icon, 0, 2), 0u);
    EXPECT_EQ(Little(icon, 2, 2), 1u) << "an icon, not a cursor";
    ASSERT_EQ(Little(icon, 4, 2), 2u);
    const int sides[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(sides[i]);
        const size_t entry = 6 + 16 * i;
        const int side = sides[i];
        EXPECT_EQ(icon.at(entry), side);
        EXPECT_EQ(icon.at(entry + 1), side);
        EXPECT_EQ(icon.at(entry + 2), 16) << "colours";
        EXPECT_EQ(Little(icon, entry + 6, 2), 4u) << "bits per pixel";
        const uint32_t size = Little(icon, entry + 8, 4);
        const uint32_t offset = Little(icon, entry + 12, 4);
        const size_t colourRow = (side * 4 + 31) / 32 * 4, maskRow = (side + 31) / 32 * 4;
        ASSERT_EQ(size, 40 + 64 + (colourRow + maskRow) * side);
        ASSERT_LE(offset + size, icon.size());
        EXPECT_EQ(Little(icon, offset, 4), 40u);
        EXPECT_EQ(static_cast<int>(Little(icon, offset + 4, 4)), side);
        EXPECT_EQ(static_cast<int>(Little(icon, offset + 8, 4)), 2 * side) << "colour and mask";

        const size_t mask = offset + 40 + 64 + colourRow * side;
        auto transparent = [&](int x, int y) {  // y counted from the top
            const size_t row = mask + (side - 1 - y) * maskRow;
            return (icon.at(row + x / 8) >> (7 - x % 8) & 1) == 1;
        };
        EXPECT_TRUE(transparent(0, 0));
        EXPECT_TRUE(transparent(side - 1, side - 1));
        EXPECT_FALSE(transparent(side / 2, side / 2));
        EXPECT_FALSE(transparent(side / 4, side / 2));
    }
}

}  // namespace
