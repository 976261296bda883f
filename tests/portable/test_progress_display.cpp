// The progress display: its levels for 15 and 8 phases, redrawn only when the level changes,
// and the blocks it paints into the canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "dialogs/progress_display.h"
#include "imaging/hue_color.h"

TEST(ProgressDisplay, LevelsChangeAtTheirPhases) {
    const struct {
        int phases;
        std::vector<int> redrawnAfter;  // phases after which a new level is drawn
    } cases[] = {
        {15, {0, 2, 4, 6, 8, 10, 12, 14, 15}},
        {8, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {1, {0, 1}},
        {0, {0}},
    };
    for (const auto& c : cases) {
        progress::LevelTracker tracker;
        std::vector<int> redrawn;
        for (int i = 0; i <= c.phases; ++i)
            if (tracker.Next(i, c.phases) >= 0) redrawn.push_back(i);
        EXPECT_EQ(redrawn, c.redrawnAfter) << c.phases << " phases";
        EXPECT_EQ(progress::Level(c.phases, c.phases), c.phases < 1 ? 0 : 8);
    }
    progress::LevelTracker again;
    EXPECT_EQ(again.Next(0, 15), 0);
    EXPECT_EQ(again.Next(1, 15), -1) << "level 0 is already on show";
    EXPECT_EQ(again.Next(0, 15), 0) << "phase 0 starts a new painting";
}

namespace {

// The lit colour the display writes for a block colour on a ground pixel.
std::vector<int> Lit(int blue, int green, int red, int groundValue, int middle) {
    HueColor color;
    color.blue = blue;
    color.green = green;
    color.red = red;
    RgbToHcy(color);
    color.luma = std::max(0, std::min(255, color.luma + groundValue - middle));
    HcyToRgb(color);
    return {color.blue & ~1, color.green, color.red};
}

std::vector<int> At(const TDib& image, int x, int y) {
    const uint8_t* p = image.Row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

}  // namespace

TEST(ProgressDisplay, BlocksShareRowsButNotColumnsAndSkipTheFrame) {
    // A 3 × 3 study: blue is 10 × (row + 1), green 20 × (column + 1), red 60.
    auto study = TDib::Create24(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            uint8_t* p = study->Row(y) + 3 * x;
            p[0] = static_cast<uint8_t>(10 * (y + 1));
            p[1] = static_cast<uint8_t>(20 * (x + 1));
            p[2] = 60;
        }
    auto image = TDib::Create24(8, 8);
    std::memset(image->Bits(), 0, image->ImageBytes());  // all canvas (blue bit 0)
    image->Row(3)[3 * 2] = 1;                            // (2, 3): a frame pixel
    auto groundImage = TDib::Create8(8, 8);
    std::memset(groundImage->Bits(), 140, groundImage->ImageBytes());
    MaterialInfo ground = {};
    ground.middle = 128;

    progress::PaintBlocks(*study, 2, 2, *groundImage, ground, 1, image.get());
    // Level 1: rows 0..1 and 1..2, columns 0..1 and 1..2 of the study; columns written 0 and 1.
    EXPECT_EQ(At(*image, 2, 2), Lit(15, 30, 60, 140, 128)) << "block (0, 0)";
    EXPECT_EQ(At(*image, 3, 2), Lit(15, 50, 60, 140, 128)) << "block (0, 1)";
    EXPECT_EQ(At(*image, 3, 3), Lit(25, 50, 60, 140, 128)) << "the shared row: the later block";
    EXPECT_EQ(At(*image, 3, 4), Lit(25, 50, 60, 140, 128)) << "block (1, 1)";
    EXPECT_EQ(At(*image, 4, 2), (std::vector<int>{0, 0, 0})) << "the last column is never written";
    EXPECT_EQ(At(*image, 2, 3), (std::vector<int>{1, 0, 0})) << "a frame pixel is kept";
    EXPECT_EQ(At(*image, 1, 2), (std::vector<int>{0, 0, 0})) << "left of the study";

    std::memset(image->Bits(), 0, image->ImageBytes());
    progress::PaintBlocks(*study, 2, 2, *groundImage, ground, 0, image.get());
    EXPECT_EQ(At(*image, 2, 4), Lit(20, 40, 60, 140, 128)) << "level 0: the mean of the whole";
    EXPECT_EQ(At(*image, 3, 2), Lit(20, 40, 60, 140, 128));
}
