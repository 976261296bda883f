// GRISOV's back-run field: the ring points and their limit, and the passes, against a plain
// pixel-by-pixel reading of the rule on pictures larger and smaller than the rings, with the
// pixels that must stay and the colours a pixel may take.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/fnv1a.h"
#include "imaging/int_helpers.h"
#include "imaging/random.h"
#include "styles/grisov/back_run_field.h"
#include "tests/support/pictures.h"
#include "tests/support/random_steps.h"

namespace {

using grisov::ColourMeasure;
using grisov::MakeRingField;
using grisov::RingField;
using grisov::RunBackRun;
using test_pictures::PixelBytes;

std::unique_ptr<RingField> FieldOf(int radius, int rowBytes) {
    auto field = std::make_unique<RingField>();
    EXPECT_TRUE(MakeRingField(radius, rowBytes, *field)) << radius;
    return field;
}

TEST(GrisovRingField, HoldsEveryRingUpToRadius43) {
    struct Case {
        int radius;
        int count;
    } cases[] = {
        {1, 8},     // one ring of 8: colour level 0 at 72 dpi on a ground of strength 50
        {2, 20},    // 12 + 8
        {8, 92},    // 15 innermost
        {40, 460},  // the largest the built-in values reach: 400 dpi × 0.1
        {43, 491},  // the largest that fits
    };
    for (const Case& c : cases) {
        const auto field = FieldOf(c.radius, 300);
        EXPECT_EQ(field->count, c.count) << c.radius;
        EXPECT_EQ(field->reach, c.radius) << c.radius;
    }
}

TEST(GrisovRingField, FailsWhenTheRingsNeedFiveHundredPoints) {
    auto field = std::make_unique<RingField>();
    EXPECT_FALSE(MakeRingField(44, 300, *field)) << "504 points";
    EXPECT_EQ(field->count, grisov::kBackRunFieldSize) << "stopped at the limit";
    EXPECT_FALSE(MakeRingField(400, 300, *field));
}

TEST(GrisovRingField, TheInnermostRingHasFifteenPointsFromRadiusEightOn) {
    struct Case {
        int radius;
        int innermost;
    } cases[] = {{1, 8}, {2, 12}, {7, 14}, {8, 15}, {40, 15}, {43, 15}};
    for (const Case& c : cases) {
        EXPECT_EQ(grisov::RingPointCount(1, c.radius), c.innermost) << c.radius;
        EXPECT_EQ(grisov::RingPointCount(c.radius, c.radius), 8) << "the outermost " << c.radius;
        // Ring 1's points are the leading ones one step from the pixel; ring 2 starts at (2, 0).
        const auto field = FieldOf(c.radius, 300);
        int leading = 0;
        while (leading < field->count && std::abs(field->dx[leading]) <= 1 &&
               std::abs(field->dy[leading]) <= 1)
            ++leading;
        EXPECT_EQ(leading, c.innermost) << c.radius;
    }
}

TEST(GrisovRingField, PointsLieOnTheRingsRoundedAwayFromZero) {
    const auto field = FieldOf(3, 1000);
    // Ring 1 of radius 3: 13 points from angle 0 in steps of 6.28 / 13.
    const int dx[13] = {1, 1, 1, 1, -1, -1, -1, -1, -1, -1, 1, 1, 1};
    const int dy[13] = {0, 1, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1, -1};
    for (int k = 0; k < 13; ++k) {
        EXPECT_EQ(field->dx[k], dx[k]) << k;
        EXPECT_EQ(field->dy[k], dy[k]) << k;
    }
    EXPECT_EQ(field->dx[13], 2);
    EXPECT_EQ(field->dy[13], 0);
    for (int k = 0; k < field->count; ++k)
        ASSERT_EQ(field->offsets[k], field->dy[k] * 1000 + field->dx[k] * 3) << k;

    // Every build places every point of the largest field alike.
    const auto large = FieldOf(40, 300);
    const size_t bytes = sizeof large->dx[0] * large->count;
    const uint64_t sum = Fnv1a64(reinterpret_cast<const uint8_t*>(large->dy), bytes,
                                 Fnv1a64(reinterpret_cast<const uint8_t*>(large->dx), bytes));
    EXPECT_EQ(sum, 0xe7c5a999770bd9e8ull) << std::hex << sum;
}

// The rule read pixel by pixel, with a bounds test for every point.
void ReferenceBackRun(TDib& picture, const TDib& focus, const RingField& field, int passes,
                      const uint8_t* loops, const uint8_t* weights) {
    const int width = picture.Width(), height = picture.Height();
    for (int p = 0; p < passes; ++p)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int f = focus.Row(y)[x];
                if (loops[f] <= p || weights[f] == 0) continue;
                uint8_t* pixel = test_pictures::PixelAt(picture, x, y);
                const int own = ColourMeasure(std::max({pixel[0], pixel[1], pixel[2]}),
                                              std::min({pixel[0], pixel[1], pixel[2]}));
                const int k = static_cast<int>(DrawIndex(static_cast<uint32_t>(field.count)));
                const int nx = x + field.dx[k], ny = y + field.dy[k];
                if (nx < 0 || nx >= width || ny < 0 || ny >= height) continue;
                const uint8_t* point = test_pictures::PixelAt(picture, nx, ny);
                const int other = ColourMeasure(std::max({point[0], point[1], point[2]}),
                                                std::min({point[0], point[1], point[2]}));
                if (own > other) continue;
                const int w = std::min<int>(weights[f], 128);
                for (int c = 0; c < 3; ++c)
                    pixel[c] = static_cast<uint8_t>(
                        pixel[c] + ArithmeticShiftRight((point[c] - pixel[c]) * w, 7));
            }
}

// A small generator of the test's own for the pictures and tables.
struct Noise {
    uint32_t state;
    int Next(int n) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<uint32_t>(n));
    }
};

// A picture of random colours, greys among them, and a focus map of random levels.
struct Scene {
    std::unique_ptr<TDib> picture, focus, work;
    Scene(int width, int height, uint32_t seed) {
        Noise noise{seed};
        picture = TDib::Create24(width, height);
        work = TDib::Create24(width, height);
        focus = TDib::Create8(width, height);
        std::memset(picture->Bits(), 0, picture->ImageBytes());  // the rows' padding too
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int grey = noise.Next(256);
                if (noise.Next(4) == 0) {
                    test_pictures::SetPixel(*picture, x, y, grey, grey, grey);
                } else {
                    test_pictures::SetPixel(*picture, x, y, noise.Next(256), noise.Next(256),
                                            noise.Next(256));
                }
                focus->Row(y)[x] = static_cast<uint8_t>(noise.Next(256));
            }
    }
};

TEST(GrisovBackRun, GivesThePixelByPixelRuleOnEveryShapeOfPicture) {
    struct Case {
        int width, height, radius, passes;
    } cases[] = {
        {37, 29, 3, 4},  {64, 48, 8, 3},  {1, 1, 1, 2},   {2, 3, 1, 3},  {5, 40, 4, 2},
        {40, 5, 4, 2},   {7, 7, 3, 3},    {9, 30, 40, 2}, {100, 90, 40, 1},
    };
    Noise noise{7};
    uint8_t loops[256], weights[256];
    for (int f = 0; f < 256; ++f) {
        loops[f] = static_cast<uint8_t>(noise.Next(6));
        // Some weights beyond 128, which act as 128.
        weights[f] = static_cast<uint8_t>(f % 9 == 0 ? 0 : noise.Next(256));
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " radius " << c.radius);
        Scene fast(c.width, c.height, 11), plain(c.width, c.height, 11);
        const auto field = FieldOf(c.radius, fast.picture->RowBytes());
        RandomState = 99;
        RunBackRun(*fast.picture, *fast.work, *fast.focus, *field, c.passes, loops, weights);
        const uint32_t after = RandomState;
        RandomState = 99;
        ReferenceBackRun(*plain.picture, *plain.focus, *field, c.passes, loops, weights);
        EXPECT_EQ(after, RandomState);
        EXPECT_EQ(PixelBytes(*fast.picture), PixelBytes(*plain.picture));
    }
}

TEST(GrisovBackRun, PixelsThatSitOutDrawNothingAndStay) {
    // One scene, pixels of focus below 128 may run, the others may not; every case counts the
    // draws: one for each pixel that may run in each pass.
    struct Case {
        const char* what;
        int loopsLow, loopsHigh, weightLow, weightHigh;
        int draws;  // per pass of the 20 × 10 picture over its three passes
    } cases[] = {
        {"no loops anywhere", 0, 0, 100, 100, 0},
        {"weight 0 everywhere", 3, 3, 0, 0, 0},
        {"only the low focus may run", 3, 0, 100, 100, -1},
        {"only the low focus has weight", 3, 3, 100, 0, -1},
        {"the low focus for one pass", 1, 0, 100, 100, -2},
    };
    const Scene scene(20, 10, 3);
    int lowFocus = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) lowFocus += scene.focus->Row(y)[x] < 128;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scene s(20, 10, 3);
        uint8_t loops[256], weights[256];
        for (int f = 0; f < 256; ++f) {
            loops[f] = static_cast<uint8_t>(f < 128 ? c.loopsLow : c.loopsHigh);
            weights[f] = static_cast<uint8_t>(f < 128 ? c.weightLow : c.weightHigh);
        }
        const auto before = PixelBytes(*s.picture);
        const auto field = FieldOf(2, s.picture->RowBytes());
        RandomState = 5;
        RunBackRun(*s.picture, *s.work, *s.focus, *field, 3, loops, weights);
        const int draws = c.draws == -1 ? 3 * lowFocus : c.draws == -2 ? lowFocus : c.draws;
        EXPECT_EQ(RandomState, StateAfterSteps(5, static_cast<uint32_t>(draws)));
        // The pixels of high focus never change.
        const auto after = PixelBytes(*s.picture);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x) {
                if (draws > 0 && s.focus->Row(y)[x] < 128) continue;
                const size_t at = static_cast<size_t>(y) * s.picture->RowBytes() + 3 * x;
                for (size_t channel = 0; channel < 3; ++channel)
                    ASSERT_EQ(after[at + channel], before[at + channel])
                        << x << ", " << y << " channel " << channel;
            }
    }
}

// A 3 × 3 picture whose centre alone may run, once; its eight neighbours all hold one colour,
// and every ring point of radius 1 lies among them.
std::vector<uint8_t> RunCentre(const uint8_t centre[3], const uint8_t around[3], int weight) {
    auto picture = TDib::Create24(3, 3);
    auto focus = TDib::Create8(3, 3);
    test_pictures::FillPixels(*picture, around[0], around[1], around[2]);
    test_pictures::SetPixel(*picture, 1, 1, centre[0], centre[1], centre[2]);
    test_pictures::FillMap(*focus, 255);
    focus->Row(1)[1] = 0;
    uint8_t loops[256] = {}, weights[256] = {};
    loops[0] = 1;
    weights[0] = static_cast<uint8_t>(weight);
    const auto field = FieldOf(1, picture->RowBytes());
    auto work = TDib::Create24(3, 3);
    RunBackRun(*picture, *work, *focus, *field, 1, loops, weights);
    const uint8_t* p = test_pictures::PixelAt(*picture, 1, 1);
    return {p[0], p[1], p[2]};
}

TEST(GrisovBackRun, APixelMovesTowardAColourfulPointByItsWeightNeverBeyondIt) {
    const uint8_t grey[3] = {100, 100, 100}, colour[3] = {0, 50, 250};
    struct Case {
        int weight;
        std::vector<uint8_t> expected;
    } cases[] = {
        {255, {0, 50, 250}},    // limited to 128: the whole way, not past it
        {200, {0, 50, 250}},
        {128, {0, 50, 250}},
        {64, {50, 75, 175}},    // half the way
        {1, {99, 99, 101}},     // the shift floors: down by one, up by none but the last
        {0, {100, 100, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RunCentre(grey, colour, c.weight), c.expected) << c.weight;
}

TEST(GrisovBackRun, AGreyPointNeverLendsItsColourToAColourfulPixel) {
    // A grey v measures 16 × v / (v + 16), below 16; a pixel with one channel 0 and another at
    // 16 or more measures 16 or more.
    struct Case {
        const char* what;
        std::vector<uint8_t> centre, around;
        bool changes;
    } cases[] = {
        {"black and 16 beside white", {0, 16, 0}, {255, 255, 255}, false},
        {"a strong red beside mid grey", {0, 0, 200}, {128, 128, 128}, false},
        {"a dark blue beside black", {40, 0, 0}, {0, 0, 0}, false},
        {"a grey beside a lighter grey", {50, 50, 50}, {200, 200, 200}, true},
        {"a grey beside a colour", {120, 120, 120}, {30, 200, 90}, true},
        {"a colour beside a stronger colour", {60, 100, 140}, {0, 0, 255}, true},
        {"a colour beside a weaker colour", {0, 0, 255}, {60, 100, 140}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<uint8_t> result = RunCentre(c.centre.data(), c.around.data(), 100);
        EXPECT_EQ(result != c.centre, c.changes);
    }
}

}  // namespace
