// The removal program's icon: the committed file is exactly what tools/make_zoclear_icon
// writes, and it is a well-formed icon of a 32 × 32 and a 16 × 16 image in sixteen colours
// whose corners are transparent and whose middle is not.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/int_helpers.h"
#include "tests/support/files.h"

namespace {

const std::string kCommitted = std::string(ZO_SOURCE_DIR) + "/resources/icons/zoclear.ico";

TEST(ZoclearIconGenerated, GeneratorReproducesTheCommittedFile) {
    const test_files::ScratchFolder folder("zo_icon_");
    ASSERT_TRUE(test_files::RunGenerator(ZO_MAKE_ZOCLEAR_ICON, folder.Path()));
    const std::vector<uint8_t> made = test_files::ReadAll(folder.PathOf("zoclear.ico"));
    EXPECT_TRUE(made == test_files::ReadAll(kCommitted)) << "the icon differs from its recipe";
}

TEST(ZoclearIconGenerated, ImagesAreWellFormedWithTransparentCorners) {
    const std::vector<uint8_t> icon = test_files::ReadAll(kCommitted);
    ASSERT_GE(icon.size(), 6u + 2 * 16) << "the header and the two images' entries";
    EXPECT_EQ(ReadLittleUint16(&icon[0]), 0u);
    EXPECT_EQ(ReadLittleUint16(&icon[2]), 1u) << "an icon, not a cursor";
    ASSERT_EQ(ReadLittleUint16(&icon[4]), 2u);
    const int sides[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(sides[i]);
        const size_t entry = 6 + 16 * i;
        const int side = sides[i];
        EXPECT_EQ(icon.at(entry), side);
        EXPECT_EQ(icon.at(entry + 1), side);
        EXPECT_EQ(icon.at(entry + 2), 16) << "colours";
        EXPECT_EQ(ReadLittleUint16(&icon[entry + 6]), 4u) << "bits per pixel";
        const uint32_t size = ReadLittleUint32(&icon[entry + 8]);
        const uint32_t offset = ReadLittleUint32(&icon[entry + 12]);
        const size_t colourRow = (side * 4 + 31) / 32 * 4, maskRow = (side + 31) / 32 * 4;
        ASSERT_EQ(size, 40 + 64 + (colourRow + maskRow) * side);
        ASSERT_LE(offset + size, icon.size());
        EXPECT_EQ(ReadLittleUint32(&icon[offset]), 40u);
        EXPECT_EQ(ReadLittleInt32(&icon[offset + 4]), side);
        EXPECT_EQ(ReadLittleInt32(&icon[offset + 8]), 2 * side) << "colour and mask";

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
