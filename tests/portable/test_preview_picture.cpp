// The preview's pictures: reduction steps, sizes and placements for wide, tall and thin
// pictures; the ground image and its random draws; the composed preview's picture, shadow,
// edge and ground; the progress picture's copy and canvas marking.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dialogs/preview_picture.h"
#include "imaging/fractal_noise.h"
#include "imaging/random.h"
#include "tests/support/pictures.h"
#include "tests/support/random_steps.h"

namespace {

using test_pictures::PixelText;

MaterialInfo Ground(int red, int green, int blue) {
    MaterialInfo ground = {};
    ground.red = red;
    ground.green = green;
    ground.blue = blue;
    ground.noiseScale = 50;
    ground.shift = 14;
    return ground;
}

}  // namespace

TEST(PreviewReduction, StepsSizesAndPlacements) {
    const struct {
        const char* name;
        int width, height, maxWidth, maxHeight;
        int step, reducedWidth, reducedHeight;
        int left, top, right, bottom;  // image rectangle in the preview's fit
    } cases[] = {
        {"wide", 1900, 1000, 190, 190, 10, 190, 100, 20, 65, 210, 165},
        {"just over the fit", 200, 100, 190, 190, 2, 100, 50, 65, 90, 165, 140},
        {"small: no enlargement", 100, 80, 190, 190, 1, 100, 80, 65, 75, 165, 155},
        {"tall", 600, 1900, 190, 190, 10, 60, 190, 85, 20, 145, 210},
        {"thin and tall keeps a column", 1, 1000, 190, 190, 6, 1, 166, 114, 32, 115, 198},
        {"thin and wide keeps a row", 3000, 2, 190, 190, 16, 187, 1, 21, 114, 208, 115},
        {"progress study of a wide picture", 1900, 1000, 160, 150, 12, 158, 83, -1, -1, -1, -1},
    };
    for (const auto& c : cases) {
        const int step = preview::ReductionStep(c.width, c.height, c.maxWidth, c.maxHeight);
        EXPECT_EQ(step, c.step) << c.name;
        const int w = preview::ReducedSide(c.width, step);
        const int h = preview::ReducedSide(c.height, step);
        EXPECT_EQ(w, c.reducedWidth) << c.name;
        EXPECT_EQ(h, c.reducedHeight) << c.name;
        if (c.left < 0) continue;
        const preview::Placement placement = preview::PlaceInPreview(w, h);
        EXPECT_EQ(placement.left, c.left) << c.name;
        EXPECT_EQ(placement.top, c.top) << c.name;
        EXPECT_EQ(placement.right, c.right) << c.name;
        EXPECT_EQ(placement.bottom, c.bottom) << c.name;
    }
}

TEST(PreviewReduction, StudyOriginCentresTheStudyOnTheCanvas) {
    const struct {
        int width, height, x, y;
    } cases[] = {{158, 83, 11, 56}, {160, 150, 10, 23}, {1, 1, 89, 97}, {159, 148, 10, 24}};
    for (const auto& c : cases) {
        int x = 0, y = 0;
        preview::StudyOrigin(c.width, c.height, &x, &y);
        EXPECT_EQ(x, c.x) << c.width << "x" << c.height;
        EXPECT_EQ(y, c.y) << c.width << "x" << c.height;
    }
}

TEST(PreviewReduction, TakesEveryStepthPixelOfEveryStepthRow) {
    auto image = test_pictures::Gradient(7, 5);
    auto reduced = preview::Reduce(*image, 3);
    ASSERT_TRUE(reduced);
    ASSERT_EQ(reduced->Width(), 2);
    ASSERT_EQ(reduced->Height(), 1);
    EXPECT_EQ(PixelText(*reduced, 1, 0), PixelText(*image, 3, 0));
    auto thin = test_pictures::Gradient(1, 9);
    auto thinReduced = preview::Reduce(*thin, 4);
    ASSERT_TRUE(thinReduced);
    EXPECT_EQ(thinReduced->Width(), 1);
    EXPECT_EQ(thinReduced->Height(), 2);
    EXPECT_EQ(PixelText(*thinReduced, 0, 1), PixelText(*thin, 0, 4));
}

TEST(PreviewGround, APlainGroundIsWhiteAfterTheTwoGridsOnly) {
    auto groundImage = TDib::Create8(8, 6);
    std::memset(groundImage->Bits(), 0, groundImage->ImageBytes());
    RandomState = 12345;
    ASSERT_TRUE(preview::BuildGround(Ground(255, 255, 255), groundImage.get()));
    EXPECT_EQ(RandomState, StateAfterSteps(12345, 2 * FractalNoise::kGenerateDraws))
        << "no sample is drawn";
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(groundImage->Row(y)[x], 255);
}

TEST(PreviewGround, ATextureIsSampledThroughTheDisplacementAfterBothGrids) {
    uint8_t texture[16];
    for (int i = 0; i < 16; ++i) texture[i] = static_cast<uint8_t>(10 * i);
    MaterialInfo ground = Ground(255, 255, 255);
    ground.textureSide = 4;
    ground.texture = texture;
    ground.shift = 30;  // (noise × 4) >> 30 is 0: the texture itself, tiled
    auto groundImage = TDib::Create8(8, 6);
    RandomState = 777;
    ASSERT_TRUE(preview::BuildGround(ground, groundImage.get()));
    EXPECT_EQ(RandomState, StateAfterSteps(777, 2 * FractalNoise::kGenerateDraws + 2 * 8 * 6))
        << "two samples a pixel";
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(groundImage->Row(y)[x], texture[(y % 4) * 4 + x % 4]) << x << "," << y;
}

TEST(PreviewCompose, PictureShadowEdgeAndGround) {
    auto reduced = test_pictures::Flat(100, 80, 1, 2, 3);
    auto groundImage = TDib::Create8(200, 200);
    std::memset(groundImage->Bits(), 127, groundImage->ImageBytes());  // g = 128
    auto image = TDib::Create24(200, 200);
    const MaterialInfo ground = Ground(200, 100, 50);
    // 100 × 80 sits at margins (50, 60): storage rows 60..139, columns 50..149.
    const struct {
        const char* name;
        int shadow, x, y;
        std::string bgr;
    } cases[] = {
        {"the picture", 5, 50, 60, "1,2,3"},
        {"the picture's last pixel", 5, 149, 139, "1,2,3"},
        {"shadow right of the picture", 5, 151, 70, "12,25,50"},
        {"shadow's top row is 5 below the picture's top on screen", 5, 151, 134, "12,25,50"},
        {"right of the picture above the shadow", 5, 151, 135, "25,50,100"},
        {"shadow below the picture", 5, 55, 55, "12,25,50"},
        {"below the picture left of the shadow", 5, 54, 55, "25,50,100"},
        {"under the shadow", 5, 55, 54, "25,50,100"},
        {"no shadow after a study", 0, 151, 70, "25,50,100"},
        {"left edge", 5, 0, 100, "12,25,50"},
        {"top storage row", 5, 100, 199, "12,25,50"},
        {"just inside the edge", 5, 1, 1, "25,50,100"},
    };
    for (const auto& c : cases) {
        preview::Compose(*reduced, *groundImage, ground, c.shadow, image.get());
        EXPECT_EQ(PixelText(*image, c.x, c.y), c.bgr) << c.name;
    }
}

TEST(PreviewProgress, CopiesThroughTheColourTableAndMarksTheCanvas) {
    auto progress = TDib::Create8(200, 200);
    std::memset(progress->Bits(), 1, progress->ImageBytes());
    uint8_t* colors = progress->Palette();
    colors[4] = colors[5] = colors[6] = 255;               // entry 1: white
    colors[8] = 20, colors[9] = 30, colors[10] = 40;        // entry 2: a frame colour
    progress->Row(100)[50] = 2;
    progress->Row(10)[50] = 2;  // below the canvas area
    auto image = TDib::Create24(200, 200);
    ASSERT_TRUE(preview::CopyProgressPicture(*progress, image.get()));
    EXPECT_EQ(PixelText(*image, 50, 100), "20,30,40");
    EXPECT_EQ(PixelText(*image, 0, 0), "255,255,255");

    auto groundImage = TDib::Create8(200, 200);
    std::memset(groundImage->Bits(), 99, groundImage->ImageBytes());  // g = 100
    preview::MarkCanvas(*groundImage, Ground(255, 128, 77), image.get());
    EXPECT_EQ(PixelText(*image, 10, 23), "30,50,99") << "white canvas: tint, blue bit cleared";
    EXPECT_EQ(PixelText(*image, 169, 172), "30,50,99") << "the area's last pixel";
    EXPECT_EQ(PixelText(*image, 50, 100), "21,30,40") << "frame inside the area: blue bit set";
    EXPECT_EQ(PixelText(*image, 9, 100), "255,255,255") << "left of the area";
    EXPECT_EQ(PixelText(*image, 50, 173), "255,255,255") << "above the area";
    EXPECT_EQ(PixelText(*image, 50, 10), "20,30,40") << "below the area";

    auto other = TDib::Create8(190, 190);
    EXPECT_FALSE(preview::CopyProgressPicture(*other, image.get()));
}
