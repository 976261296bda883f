// ZoCollage: the collage painter over the region segmentation. Its pieces are painted on paper
// in the flood's order with the paper's random draws, plainly without a texture, and its rim
// shadows follow the pieces' mean focus.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "engine/zo_part.h"
#include "imaging/fractal_noise.h"
#include "imaging/random.h"
#include "styles/kolda/collage_paper.h"
#include "styles/kolda/zo_collage.h"
#include "tests/support/context_images.h"
#include "tests/support/pictures.h"
#include "tests/support/random_steps.h"

namespace {

using test_pictures::PixelBytes;

using kolda::ZoCollage;

struct Ground {
    explicit Ground(int side) : texels(static_cast<size_t>(side) * side) {
        for (size_t i = 0; i < texels.size(); ++i)
            texels[i] = static_cast<uint8_t>(100 + (i * 29) % 60);
        info = MaterialInfo{side, 255, 255, 255, 100, 128, 160, 100, 30, 13, texels.data()};
    }
    std::vector<uint8_t> texels;
    MaterialInfo info;
};

// A 4 × 2 picture of two pieces, label 0 on columns 0..1 and label 1 on columns 2..3, in
// colours that differ from pixel to pixel.
struct TwoPieces {
    ContextImages images{4, 2, 72};
    TwoPieces() {
        test_pictures::SetMapRows(*images.colorIndexMap, {{0, 0, 1, 1}, {0, 0, 1, 1}});
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                images.SetSourcePixel(x, y, static_cast<uint8_t>(10 + 40 * x + y),
                                      static_cast<uint8_t>(200 - 30 * x),
                                      static_cast<uint8_t>(60 + 7 * y));
        images.colorCount = 2;
    }
    // Sums of the source over columns left..left + 1 of both rows, red first.
    std::vector<int64_t> Sums(int left) const {
        std::vector<int64_t> sums(3, 0);
        for (int y = 0; y < 2; ++y)
            for (int x = left; x < left + 2; ++x) {
                const uint8_t* p = images.source->Row(y) + 3 * x;
                sums[0] += p[2], sums[1] += p[1], sums[2] += p[0];
            }
        return sums;
    }
};

TEST(ZoCollage, MakesItsPaperWithOrWithoutAGround) {
    Ground textured(64);
    MaterialInfo plain = textured.info;
    plain.textureSide = 0;
    struct Case {
        const char* name;
        const MaterialInfo* ground;
    } cases[] = {{"textured", &textured.info}, {"plain", &plain}, {"no ground", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(12, 9, 72);
        std::strcpy(images.status, "earlier text");
        SetSeed(4711);
        ZoCollage collage(images.Context(c.ground));
        EXPECT_TRUE(collage.IsValid());
        EXPECT_STREQ(images.status, "Collage:");
        EXPECT_EQ(RandomState, StateAfterSteps(4711, 2 * FractalNoise::kGenerateDraws))
            << "both noise fields, whatever the ground";
    }
    ContextImages images(12, 9, 72);
    EngineContext misfit = images.Context(&textured.info);
    misfit.height = 10;
    ZoCollage collage(misfit);
    EXPECT_FALSE(collage.IsValid());
    EXPECT_EQ(collage.ShadowEdges(3, -10, 10), 0);
}

TEST(ZoCollage, PaintsEveryPieceOnPaperInTheFloodsOrder) {
    Ground ground(64);
    TwoPieces pieces;
    SetSeed(77);
    ZoCollage collage(pieces.images.Context(&ground.info));
    ASSERT_TRUE(collage.IsValid());
    collage.SetGains(180, 2, 0, -4, 4);
    collage.MeasureParts();
    const uint32_t after = RandomState;
    EXPECT_EQ(after, StateAfterSteps(77, 2 * FractalNoise::kGenerateDraws + 2 * (1 + 2 * 4)))
        << "one draw per piece and two per pixel";

    // The same pieces given to the paper by hand: each piece's sums, then its spans from the
    // bottom row up.
    ContextImages reference(4, 2, 72);
    SetSeed(77);
    CollagePaper paper(reference.Context(&ground.info));
    paper.SetGains(180, 2, 0, -4, 4);
    for (int left : {0, 2}) {
        const std::vector<int64_t> sums = pieces.Sums(left);
        paper.BeginPiece(sums[0], sums[1], sums[2], 4);
        paper.PaintSpan(left, left + 1, 0);
        paper.PaintSpan(left, left + 1, 1);
    }
    EXPECT_EQ(RandomState, after);
    EXPECT_EQ(PixelBytes(*pieces.images.canvas), PixelBytes(*reference.canvas));
    EXPECT_EQ(test_pictures::RowsOf(*pieces.images.colorIndexMap),
              (test_pictures::MapRows{{0, 0, 1, 1}, {0, 0, 1, 1}}))
        << "labels keep their parts, visited marks cleared";
}

TEST(ZoCollage, WithoutATextureThePiecesAreThoseOfZoPart) {
    TwoPieces pieces;
    TwoPieces base;
    ZoPart part(base.images.Context());
    part.MeasureParts();
    SetSeed(5);
    ZoCollage collage(pieces.images.Context());
    const uint32_t made = RandomState;
    collage.MeasureParts();
    EXPECT_EQ(RandomState, made) << "no draw without a texture";
    EXPECT_EQ(PixelBytes(*pieces.images.canvas), PixelBytes(*base.images.canvas));
    for (int label : {0, 1}) {
        EXPECT_EQ(collage.MeanRed(label), part.MeanRed(label));
        EXPECT_EQ(collage.PixelCount(label), 4);
    }
}

TEST(ZoCollage, ShadowsTheRimsOfTheMoreFocusedPieceByItsMeanFocus) {
    // Stored rows: row 0 (the bottom) is part 1, rows 1 and 2 part 0.
    struct Case {
        const char* name;
        int focus0, focus1;  // mean focus of the parts
        int length;
        std::set<std::pair<int, int>> shaded;
    } cases[] = {
        {"length 1: the row above the border, but the last column", 200, 50, 1, {{0, 1}, {1, 1}}},
        {"length 2 reaches a row further", 200, 50, 2, {{0, 1}, {1, 1}, {0, 2}}},
        {"the less focused part below casts none", 50, 200, 2, {}},
        {"equal focus casts none", 120, 120, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(3, 3, 72);
        test_pictures::SetMapRows(*images.colorIndexMap, {{1, 1, 1}, {0, 0, 0}, {0, 0, 0}});
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                images.SetSourcePixel(x, y, 90, 120, 150);
                images.focusMap->Row(y)[x] = static_cast<uint8_t>(y == 0 ? c.focus1 : c.focus0);
            }
        images.colorCount = 2;
        ZoCollage collage(images.Context());
        collage.RankByFocus();
        collage.MeasureParts();
        ASSERT_EQ(collage.ShadowEdges(c.length, -40, 20), 1);
        std::set<std::pair<int, int>> shaded;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                const uint8_t* p = test_pictures::PixelAt(*images.canvas, x, y);
                if (p[0] != 90 || p[1] != 120 || p[2] != 150) {
                    shaded.insert({x, y});
                    EXPECT_LT(p[0] + p[1] + p[2], 90 + 120 + 150) << "darker at " << x << ", " << y;
                }
            }
        EXPECT_EQ(shaded, c.shaded);
    }
}

}  // namespace
