// The collage painter's paper fill and edge shadows: the texel cases, the random draws, where
// the texture is read, and which rims get a shadow.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "imaging/fractal_noise.h"
#include "imaging/hue_color.h"
#include "imaging/int_helpers.h"
#include "imaging/random.h"
#include "styles/kolda/collage_paper.h"
#include "styles/kolda/collage_shadow.h"
#include "tests/support/context_images.h"
#include "tests/support/random_steps.h"

namespace {

// The state whose next step has `angle` in its top five bits.
uint32_t StateBeforeAngle(uint32_t angle) {
    uint32_t inverse = 1566083941u;  // Newton's iteration for the inverse modulo 2^32
    for (int i = 0; i < 5; ++i) inverse *= 2u - 1566083941u * inverse;
    return ((angle << 27) - 1u) * inverse;
}

struct Ground {
    Ground(int side, uint8_t fill, int middle, int shift) : texels(static_cast<size_t>(side) * side, fill) {
        info = MaterialInfo{side, 255, 255, 255, 0, middle, 255, 100, 30, shift, texels.data()};
    }
    std::vector<uint8_t> texels;
    MaterialInfo info;
};

struct Bgr {
    int blue, green, red;
    bool operator==(const Bgr& o) const { return blue == o.blue && green == o.green && red == o.red; }
};
std::ostream& operator<<(std::ostream& out, const Bgr& c) {
    return out << "(b " << c.blue << ", g " << c.green << ", r " << c.red << ")";
}
Bgr CanvasAt(const ContextImages& images, int x, int y) {
    const uint8_t* p = images.canvas->Row(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

// The colour (red, green, blue) with luma and chroma moved, as the library converts it.
Bgr Moved(int red, int green, int blue, int light, int chroma) {
    HueColor c{red, green, blue, 0, 0, 0};
    RgbToHcy(c);
    c.luma = ClampToByte(c.luma + light);
    c.chroma = ClampToByte(c.chroma + chroma);
    HcyToRgb(c);
    return {c.blue, c.green, c.red};
}

TEST(CollagePaper, TheNoiseFieldsAreMadeWithAndWithoutAGround) {
    Ground textured(64, 128, 128, 13);
    Ground plain(0, 0, 128, 13);
    struct Case {
        const char* name;
        const MaterialInfo* ground;
        bool texture;
    } cases[] = {{"textured", &textured.info, true}, {"plain ground", &plain.info, false}, {"no ground", nullptr, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContextImages images(12, 9, 72);
        SetSeed(4711);
        CollagePaper paper(images.Context(c.ground));
        EXPECT_TRUE(paper.IsValid());
        EXPECT_EQ(paper.HasTexture(), c.texture);
        EXPECT_EQ(RandomState, StateAfterSteps(4711, 2 * FractalNoise::kGenerateDraws));
    }
    ContextImages images(12, 9, 72);
    EngineContext context = images.Context(&textured.info);
    context.width = 13;
    CollagePaper misfit(context);
    EXPECT_FALSE(misfit.IsValid()) << "a canvas that is not the context's size";
}

TEST(CollagePaper, WithoutATexturePiecesAreTheirPlainMeanAndDrawNothing) {
    Ground plain(0, 0, 128, 13);
    for (const MaterialInfo* ground : {static_cast<const MaterialInfo*>(&plain.info),
                                       static_cast<const MaterialInfo*>(nullptr)}) {
        ContextImages images(6, 4, 72);
        CollagePaper paper(images.Context(ground));
        const uint32_t before = RandomState;
        paper.BeginPiece(4 * 50 + 3, 4 * 60 + 1, 4 * 70 + 2, 4);  // means truncate: 50, 60, 70
        paper.PaintSpan(1, 3, 2);
        paper.PaintSpan(-5, 0, 0);
        paper.PaintSpan(5, 99, 3);
        EXPECT_EQ(RandomState, before);
        for (auto [x, y] : std::vector<std::pair<int, int>>{{1, 2}, {2, 2}, {3, 2}, {0, 0}, {5, 3}})
            EXPECT_EQ(CanvasAt(images, x, y), (Bgr{70, 60, 50})) << x << ", " << y;
        EXPECT_EQ(CanvasAt(images, 4, 2), (Bgr{0, 0, 0}));
        EXPECT_EQ(CanvasAt(images, 1, 3), (Bgr{0, 0, 0}));
    }
}

TEST(CollagePaper, TexelsAboveTheMiddleLightenAndBelowDarkenAndSaturate) {
    struct Case {
        const char* name;
        uint8_t texel;
        int gain;
        int red, green, blue;  // the piece's mean
        Bgr expected;
    } cases[] = {
        {"at the middle: the exact mean", 128, 90, 100, 100, 100, {100, 100, 100}},
        // r = 900: light 900 × 2 / 256 = 7, chroma 0.
        {"10 above, gain 90", 138, 90, 100, 100, 100, {107, 107, 107}},
        // r = -900: light 900 × -4 / 256 = -14, chroma 900 × 4 / 256 = 14.
        {"10 below, gain 90", 118, 90, 100, 100, 100, Moved(100, 100, 100, -14, 14)},
        {"10 below a colour", 118, 90, 200, 60, 40, Moved(200, 60, 40, -14, 14)},
        // r = 1 × 90 = 90: 0.7 truncates to 0, the mean unchanged.
        {"one above, gain 90", 129, 90, 10, 20, 30, {30, 20, 10}},
        {"luma kept within 255", 255, 240, 250, 250, 250, {255, 255, 255}},
        {"luma kept above 0", 0, 240, 20, 30, 40, Moved(20, 30, 40, -255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ground ground(64, c.texel, 128, 13);
        ContextImages images(5, 3, 72);
        CollagePaper paper(images.Context(&ground.info));
        paper.SetGains(c.gain, 2, 0, -4, 4);
        paper.BeginPiece(c.red * 3, c.green * 3, c.blue * 3, 3);
        paper.PaintSpan(0, 4, 1);
        for (int x = 0; x < 5; ++x) EXPECT_EQ(CanvasAt(images, x, 1), c.expected) << x;
    }
}

TEST(CollagePaper, OneDrawPerPieceAndTwoPerPixel) {
    Ground ground(64, 140, 128, 13);
    ContextImages images(20, 10, 72);
    CollagePaper paper(images.Context(&ground.info));
    SetSeed(99);
    paper.BeginPiece(100, 100, 100, 1);
    EXPECT_EQ(RandomState, StateAfterSteps(99, 1));
    EXPECT_EQ(paper.Angle(), static_cast<int>(StateAfterSteps(99, 1) >> 27));
    paper.PaintSpan(3, 9, 4);   // 7 pixels
    paper.PaintSpan(0, 0, 5);   // 1
    paper.PaintSpan(18, 40, 6); // clipped to 18, 19
    paper.PaintSpan(2, 5, -1);  // outside
    EXPECT_EQ(RandomState, StateAfterSteps(99, 1 + 2 * 10));
    paper.BeginPiece(5, 5, 5, 1);
    EXPECT_EQ(RandomState, StateAfterSteps(99, 22));
}

TEST(CollagePaper, TheTextureIsLaidAtThePiecesAngle) {
    // A 4 × 4 texture of values 1..16 (texel (tx, ty) = 4 ty + tx + 1), middle 0, gain 1 and
    // a light factor of 256: a black piece shows each texel's value as its grey. Shift 31
    // leaves no displacement, so the texel is ((x cos - y sin) / 1000 + 11, (x sin + y cos)
    // / 1000 + 11) modulo 4 on an 8 × 8 picture (diagonal 11).
    Ground ground(4, 0, 0, 31);
    for (int i = 0; i < 16; ++i) ground.texels[i] = static_cast<uint8_t>(i + 1);
    struct Case {
        int angle, x, y;
        int texel;
    } cases[] = {
        {0, 2, 1, 2},    // (13, 12) mod 4 = (1, 0)
        {0, 5, 6, 5},    // (16, 17) mod 4 = (0, 1)
        // sin 999, cos 0: u = -999 / 1000 + 11 = 11, v = 1998 / 1000 + 11 = 12.
        {8, 2, 1, 4},
        {8, 5, 3, 14},   // u = -2997 / 1000 + 11 = 9, v = 4995 / 1000 + 11 = 15
        // sin 1, cos -999: u = -4998 / 1000 + 11 = 7, v = -2992 / 1000 + 11 = 9.
        {16, 5, 3, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "angle " << c.angle << " at " << c.x << ", " << c.y);
        ContextImages images(8, 8, 72);
        CollagePaper paper(images.Context(&ground.info));
        paper.SetGains(1, 256, 0, 0, 0);
        RandomState = StateBeforeAngle(static_cast<uint32_t>(c.angle));
        paper.BeginPiece(0, 0, 0, 1);
        ASSERT_EQ(paper.Angle(), c.angle);
        paper.PaintSpan(c.x, c.x, c.y);
        EXPECT_EQ(CanvasAt(images, c.x, c.y), (Bgr{c.texel, c.texel, c.texel}));
    }
}

TEST(CollagePaper, TheNoiseDisplacesTheTextureAndRepeatsFromTheSeed) {
    // A texture that varies along both axes; shift 31 leaves it undisplaced, shift 4 moves it
    // by the noise × 64 / 16 texels (shift 0 would move it by whole sides, that is not at all).
    const auto paint = [](int shift) {
        Ground ground(64, 0, 0, shift);
        for (int i = 0; i < 64 * 64; ++i) ground.texels[i] = static_cast<uint8_t>((i * 37) % 251);
        ContextImages images(24, 16, 72);
        SetSeed(2024);
        CollagePaper paper(images.Context(&ground.info));
        paper.SetGains(1, 256, 0, 0, 0);
        paper.BeginPiece(0, 0, 0, 1);
        for (int y = 0; y < 16; ++y) paper.PaintSpan(0, 23, y);
        EXPECT_EQ(RandomState, StateAfterSteps(2024, 2 * FractalNoise::kGenerateDraws + 1 + 2 * 24 * 16));
        return std::vector<uint8_t>(images.canvas->Bits(), images.canvas->Bits() + images.canvas->ImageBytes());
    };
    EXPECT_TRUE(paint(4) == paint(4));
    EXPECT_FALSE(paint(4) == paint(31));
    EXPECT_TRUE(paint(0) == paint(31));
}

// ---- shadows ----------------------------------------------------------------------------------------

struct ShadowFixture {
    // labels[row] lists the labels of one stored row, row 0 first; canvas grey 100.
    explicit ShadowFixture(const std::vector<std::vector<int>>& rows)
        : images(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 72) {
        for (int y = 0; y < images.height; ++y)
            for (int x = 0; x < images.width; ++x) {
                images.colorIndexMap->Row(y)[x] = static_cast<uint8_t>(rows[y][x]);
                uint8_t* p = images.canvas->Row(y) + 3 * x;
                p[0] = p[1] = p[2] = 100;
            }
    }
    std::set<std::pair<int, int>> Shaded() const {
        std::set<std::pair<int, int>> shaded;
        for (int y = 0; y < images.height; ++y)
            for (int x = 0; x < images.width; ++x)
                if (images.canvas->Row(y)[3 * x] != 100) shaded.insert({x, y});
        return shaded;
    }
    ContextImages images;
};

TEST(ShadowEdges, TheRimTowardALessFocusedPieceBelowRight) {
    // Row 0 (the bottom row) is piece 1, rows 1 and 2 piece 0.
    const std::vector<std::vector<int>> rows = {{1, 1, 1}, {0, 0, 0}, {0, 0, 0}};
    struct Case {
        const char* name;
        int length;
        int focus0, focus1;
        std::set<std::pair<int, int>> shaded;
    } cases[] = {
        // The last column and the bottom row leave the picture at once.
        {"length 1", 1, 200, 100, {{0, 1}, {1, 1}}},
        {"length 2 reaches (2, 0) from (0, 2)", 2, 200, 100, {{0, 1}, {1, 1}, {0, 2}}},
        {"equal focus: no shadow", 2, 150, 150, {}},
        {"the piece below more focused", 2, 100, 200, {}},
        {"length 0", 0, 200, 100, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShadowFixture fixture(rows);
        int32_t focus[256] = {};
        focus[0] = c.focus0;
        focus[1] = c.focus1;
        char* status = fixture.images.status;
        ASSERT_EQ(ShadowEdges(fixture.images.canvas.get(), fixture.images.colorIndexMap.get(), focus,
                              c.length, -62, 31, status),
                  1);
        EXPECT_EQ(fixture.Shaded(), c.shaded);
        for (const auto& [x, y] : c.shaded)
            EXPECT_EQ(CanvasAt(fixture.images, x, y), Moved(100, 100, 100, -62, 31));
    }
}

TEST(ShadowEdges, MatchesAWalkFromEveryPixel) {
    // Runs of four labels at random; the row buffer must give what walking the diagonal does.
    const int width = 23, height = 17;
    std::vector<std::vector<int>> rows(height, std::vector<int>(width));
    uint32_t s = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s = s * 1103515245u + 12345u;
            const bool newRun = x == 0 || (s >> 16) % 7 >= 5;
            rows[y][x] = newRun ? static_cast<int>((s >> 20) % 4) : rows[y][x - 1];
        }
    int32_t focus[256] = {};
    focus[0] = 50, focus[1] = 120, focus[2] = 200, focus[3] = 120;
    for (int length : {1, 2, 5, 20}) {
        SCOPED_TRACE(length);
        ShadowFixture fixture(rows);
        ASSERT_EQ(ShadowEdges(fixture.images.canvas.get(), fixture.images.colorIndexMap.get(), focus,
                              length, -40, 20, fixture.images.status),
                  1);
        std::set<std::pair<int, int>> walked;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int k = 1; k <= length && x + k < width && y - k >= 0; ++k) {
                    const int other = rows[y - k][x + k];
                    if (other == rows[y][x]) continue;
                    if (focus[rows[y][x]] > focus[other]) walked.insert({x, y});
                    break;
                }
        EXPECT_FALSE(walked.empty());
        EXPECT_EQ(fixture.Shaded(), walked);
    }
}

TEST(ShadowEdges, RefusesImagesThatDoNotMatch) {
    ContextImages images(6, 5, 72);
    auto narrow = TDib::Create8(5, 5);
    int32_t focus[256] = {};
    EXPECT_EQ(ShadowEdges(images.canvas.get(), narrow.get(), focus, 3, -10, 10, images.status), 0);
    EXPECT_EQ(ShadowEdges(images.canvas.get(), images.source.get(), focus, 3, -10, 10, images.status), 0);
    EXPECT_EQ(ShadowEdges(images.canvas.get(), nullptr, focus, 3, -10, 10, images.status), 0);
}

}  // namespace
