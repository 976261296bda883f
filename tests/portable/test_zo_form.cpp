// ZoForm: the mesh deformation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <vector>

#include "engine/status_text.h"
#include "engine/zo_form.h"
#include "imaging/fractal_noise.h"
#include "imaging/random.h"
#include "tests/support/pictures.h"
#include "tests/support/random_steps.h"

namespace {

std::vector<float> NodesOf(const ZoForm& form) {
    std::vector<float> nodes;
    for (int i = 0; i <= form.Rows(); ++i) {
        for (int j = 0; j <= form.Cols(); ++j) {
            nodes.push_back(form.NodeX(i, j));
            nodes.push_back(form.NodeY(i, j));
        }
    }
    return nodes;
}

// An 8-bit image whose value at (x, y) is value(x, y).
template <typename F>
std::unique_ptr<TDib> Plane(int width, int height, F value) {
    auto plane = TDib::Create8(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) plane->Row(y)[x] = static_cast<uint8_t>(value(x, y));
    }
    return plane;
}

std::vector<uint8_t> PixelsOf(const TDib& image) {
    return std::vector<uint8_t>(image.Bits(), image.Bits() + image.ImageBytes());
}

TEST(ZoFormTest, GridFollowsTheFourthRootOfTheArea) {
    struct Case {
        int width, height, cols, rows, stride8, stride24;
    } cases[] = {
        {640, 480, 23, 17, 640, 1920},
        {480, 640, 17, 23, 480, 1440},
        {190, 190, 13, 13, 192, 572},
        {100, 100, 10, 10, 100, 300},  // area 100 × 100 or less: 10 × 10
        {200, 40, 10, 10, 200, 600},   // 9 cells across, limited to 10; 2 down, limited to 10
        {1, 1, 10, 10, 4, 4},
        {5, 3, 10, 10, 8, 16},
        {100000, 100000, 100, 100, 100000, 300000},  // 316 limited to 100
    };
    char status[kStatusSize] = "";
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        ZoForm form(c.width, c.height, status);
        ASSERT_TRUE(form.IsValid());
        EXPECT_STREQ(status, "Form:");
        EXPECT_EQ(form.Cols(), c.cols);
        EXPECT_EQ(form.Rows(), c.rows);
        EXPECT_EQ(form.Stride8(), c.stride8);
        EXPECT_EQ(form.Stride24(), c.stride24);
        // Nodes evenly from 0 to the last pixel.
        EXPECT_EQ(form.NodeX(0, 0), 0.0f);
        EXPECT_EQ(form.NodeY(0, 0), 0.0f);
        EXPECT_EQ(form.NodeX(c.rows, c.cols), static_cast<float>(c.width - 1));
        EXPECT_EQ(form.NodeY(c.rows, c.cols), static_cast<float>(c.height - 1));
        EXPECT_EQ(form.NodeX(3, 1), static_cast<float>((c.width - 1) / static_cast<double>(c.cols)));
        EXPECT_EQ(form.NodeY(1, 3), static_cast<float>((c.height - 1) / static_cast<double>(c.rows)));
    }
}

TEST(ZoFormTest, NotAPictureIsNotValidAndChangesNothing) {
    char status[kStatusSize] = "Focus:old";
    const int sizes[][2] = {{0, 10}, {10, 0}, {-3, 5}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        ZoForm form(size[0], size[1], status);
        EXPECT_FALSE(form.IsValid());
        EXPECT_STREQ(status, "Form:Parameter.");

        auto picture = test_pictures::Gradient(4, 4);
        auto work = TDib::Create24(4, 4);
        auto a = Plane(4, 4, [](int x, int y) { return x + 4 * y; });
        auto b = Plane(4, 4, [](int x, int y) { return 100 - x - y; });
        const auto before = PixelsOf(*picture);
        const auto beforeA = PixelsOf(*a);
        const uint8_t table[256] = {};
        SetSeed(5);
        EXPECT_EQ(form.Distort(0.06, 0.0), 0);
        EXPECT_EQ(form.Slant(1.0, 3), 0);
        EXPECT_EQ(form.Jitter(1.0, 0.8, a.get(), table), 0);
        EXPECT_EQ(form.WarpImage(picture.get(), work.get()), 0);
        EXPECT_EQ(form.WarpPlanes(a.get(), b.get(), work.get()), 0);
        EXPECT_EQ(RandomState, 5u);
        EXPECT_EQ(PixelsOf(*picture), before);
        EXPECT_EQ(PixelsOf(*a), beforeA);
        EXPECT_STREQ(status, "Form:Parameter.");
    }
}

TEST(ZoFormTest, DistortZeroLeavesEveryNode) {
    char status[kStatusSize] = "";
    for (const auto& size : {std::make_pair(640, 480), std::make_pair(7, 9)}) {
        ZoForm form(size.first, size.second, status);
        const auto before = NodesOf(form);
        EXPECT_EQ(form.Distort(0.0, 0.0), 1);
        const auto fitted = ZoForm::FitDistortion(size.first, size.second, 0.0, 0.0);
        ASSERT_TRUE(fitted.has_value());
        EXPECT_EQ(fitted->scaleX, 1.0);
        EXPECT_EQ(fitted->scaleY, 1.0);
        EXPECT_EQ(fitted->offsetX, 0.0);
        EXPECT_EQ(fitted->offsetY, 0.0);
        EXPECT_EQ(NodesOf(form), before);
    }
}

TEST(ZoFormTest, DistortPullsAboveTheCentreAndFitsThePicture) {
    struct Case {
        double k;
        double scale;
        int i, j;
        double x, y;
    } cases[] = {
        {0.06, 0.96526, 0, 0, 0.0, 5.48},
        {0.06, 0.96526, 0, 23, 639.0, 5.48},  // x limited
        {0.06, 0.96526, 17, 0, 22.2, 467.84},
        {0.06, 0.96526, 17, 23, 616.8, 467.84},
        {-0.06, 1.01200, 0, 0, 7.8, 0.0},
        {-0.06, 1.01200, 0, 23, 631.2, 0.0},
        {-0.06, 1.01200, 17, 0, 0.0, 479.0},  // both limited
        {-0.06, 1.01200, 17, 23, 639.0, 479.0},
    };
    char status[kStatusSize] = "";
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "k " << c.k << " node " << c.i << "," << c.j);
        ZoForm form(640, 480, status);
        SetSeed(9);
        ASSERT_EQ(form.Distort(c.k, 0.0), 1);
        EXPECT_EQ(RandomState, 9u) << "no random draws";
        const auto fitted = ZoForm::FitDistortion(640, 480, c.k, 0.0);
        ASSERT_TRUE(fitted.has_value());
        EXPECT_NEAR(fitted->scaleX, c.scale, 5e-6);
        EXPECT_EQ(fitted->scaleY, fitted->scaleX);
        EXPECT_NEAR(form.NodeX(c.i, c.j), c.x, 0.01);
        EXPECT_NEAR(form.NodeY(c.i, c.j), c.y, 0.01);
    }
}

TEST(ZoFormTest, MapPointUsesAFixedAngleStraightAboveAndBelow) {
    ZoForm::Distortion distortion;  // about (0, 0), no scale or offset
    distortion.k = 0.5;
    struct Case {
        double x, y, mappedX, mappedY;
    } cases[] = {
        {0.0, 10.0, 0.0, 10.0 * (1.0 - std::sin(1.47) * 0.5)},   // 5.0254, not 5.0
        {0.0, -10.0, 0.0, -10.0 * (1.0 + std::sin(1.47) * 0.5)},  // -14.975, not -15.0
        {0.0, 0.0, 0.0, 0.0},                                     // the centre stays
        {-4.0, 4.0, -4.0 * (1.0 - std::sqrt(0.5) * 0.5), 4.0 * (1.0 - std::sqrt(0.5) * 0.5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const ZoForm::Point mapped = ZoForm::MapPoint(distortion, {c.x, c.y});
        EXPECT_NEAR(mapped.x, c.mappedX, 1e-12);
        EXPECT_NEAR(mapped.y, c.mappedY, 1e-12);
    }
    EXPECT_GT(10.0 * (1.0 - std::sin(1.47) * 0.5), 5.02);
}

TEST(ZoFormTest, DistortKeepsTheCentreColumnAndTheCentreNode) {
    // 21 × 21: node (5, 5) lies on the centre (10, 10), column 5 on the centre column.
    char status[kStatusSize] = "";
    for (double k : {0.06, -0.06, 0.12}) {
        SCOPED_TRACE(k);
        ZoForm form(21, 21, status);
        ASSERT_EQ(form.Distort(k, 0.0), 1);
        const auto fitted = ZoForm::FitDistortion(21, 21, k, 0.0);
        ASSERT_TRUE(fitted.has_value());
        for (int i = 0; i <= form.Rows(); ++i) EXPECT_EQ(form.NodeX(i, 5), 10.0f) << i;
        EXPECT_NEAR(form.NodeY(0, 5), 0.0, 1e-4) << "the bottom centre lands on row 0";
        EXPECT_NEAR(form.NodeY(5, 5), 10.0 * fitted->scaleY + fitted->offsetY, 1e-4);
    }
}

TEST(ZoFormTest, DistortRefusesAStrengthThatLeavesNoScale) {
    struct Case {
        const char* name;
        double k, e;
    } cases[] = {
        {"picture folded across", -2.0, 0.0},
        {"margin beyond the picture", 0.0, -1000.0},
        {"not a number", std::nan(""), 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char status[kStatusSize] = "";
        ZoForm form(640, 480, status);
        const auto before = NodesOf(form);
        EXPECT_FALSE(ZoForm::FitDistortion(640, 480, c.k, c.e).has_value());
        EXPECT_EQ(form.Distort(c.k, c.e), 0);
        EXPECT_EQ(NodesOf(form), before);
        EXPECT_STREQ(status, "Form:Parameter.");
    }
}

TEST(ZoFormTest, OnePixelPicturesKeepTheirNodesAndWarpSafely) {
    const int sizes[][2] = {{1, 1}, {1, 5}, {5, 1}, {2, 1}};
    for (const auto& size : sizes) {
        const int width = size[0], height = size[1];
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        char status[kStatusSize] = "";
        ZoForm form(width, height, status);
        ASSERT_TRUE(form.IsValid());
        const auto before = NodesOf(form);
        EXPECT_FALSE(ZoForm::FitDistortion(width, height, 0.06, 0.0).has_value())
            << "no extent to fit";
        EXPECT_EQ(form.Distort(0.06, 0.0), 1);
        EXPECT_EQ(form.Slant(1.0, 3), 1);
        EXPECT_EQ(NodesOf(form), before);
        EXPECT_STREQ(status, "Form:");

        auto picture = test_pictures::Flat(width, height, 40, 50, 60);
        picture->Row(height - 1)[3 * (width - 1)] = 90;
        auto work = TDib::Create24(width, height);
        auto a = Plane(width, height, [](int x, int y) { return 10 + x + 7 * y; });
        auto b = Plane(width, height, [](int x, int y) { return 200 - x - y; });
        const std::set<int> valuesA = {10, 11, 12, 13, 14, 17, 24, 31, 38};
        EXPECT_EQ(form.WarpImage(picture.get(), work.get()), 1);
        EXPECT_EQ(form.WarpPlanes(a.get(), b.get(), work.get()), 1);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = picture->Row(y) + 3 * x;
                EXPECT_TRUE(p[0] >= 40 && p[0] <= 90) << x << "," << y;
                EXPECT_EQ(p[1], 50);
                EXPECT_EQ(p[2], 60);
                EXPECT_EQ(valuesA.count(a->Row(y)[x]), 1u) << x << "," << y;
                EXPECT_GE(b->Row(y)[x], 200 - (width - 1) - (height - 1));
            }
        }
        if (width == 1 && height == 1) {
            EXPECT_EQ(picture->Row(0)[0], 90);
            EXPECT_EQ(a->Row(0)[0], 10);
            EXPECT_EQ(b->Row(0)[0], 200);
        }
    }
}

TEST(ZoFormTest, SlantShearsTopAndBottomRowsByTheAmount) {
    // 21 × 21: 10 × 10 cells of 2 pixels, centre row y = 10.
    char status[kStatusSize] = "";
    ZoForm form(21, 21, status);
    ASSERT_EQ(form.Slant(1.0, 4), 1);
    struct Case {
        int i, j;
        float x, y;
    } cases[] = {
        {10, 5, 6.0f, 20.0f},  // top row: 4 to lower x
        {0, 5, 14.0f, 0.0f},   // row 0: 4 to higher x
        {5, 5, 10.0f, 10.0f},  // centre row stays
        {10, 0, 0.0f, 20.0f},  // limited at the left
        {0, 10, 20.0f, 0.0f},  // limited at the right
        {3, 2, 5.6f, 6.0f},    // 4 + (10 - 6) × 0.4
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.i << "," << c.j);
        EXPECT_FLOAT_EQ(form.NodeX(c.i, c.j), c.x);
        EXPECT_FLOAT_EQ(form.NodeY(c.i, c.j), c.y);
    }

    ZoForm refused(21, 21, status);
    const auto before = NodesOf(refused);
    EXPECT_EQ(refused.Slant(-1.0, 4), 0) << "a negative exponent puts a pole on the centre row";
    EXPECT_EQ(NodesOf(refused), before);
    EXPECT_STREQ(status, "Form:Parameter.");
}

TEST(ZoFormTest, JitterDrawsBothGridsThenTwoStepsPerNode) {
    const int width = 41, height = 41;  // 10 × 10 cells of 4 pixels
    auto mask = Plane(width, height, [](int, int) { return 0; });
    uint8_t holdStill[256], free[256];
    std::memset(holdStill, 255, sizeof holdStill);
    std::memset(free, 0, sizeof free);
    const uint32_t draws = 2 * FractalNoise::kGenerateDraws + 2 * 11 * 11;
    EXPECT_EQ(draws, 2u * 6829u + 242u);

    char status[kStatusSize] = "";
    ZoForm still(width, height, status);
    const auto before = NodesOf(still);
    SetSeed(1234);
    EXPECT_EQ(still.Jitter(1.0, 0.8, mask.get(), holdStill), 1);
    EXPECT_EQ(RandomState, StateAfterSteps(1234, draws));
    EXPECT_EQ(NodesOf(still), before) << "a table of 255 holds every node";

    ZoForm moving(width, height, status);
    SetSeed(1234);
    EXPECT_EQ(moving.Jitter(1.0, 0.8, mask.get(), free), 1);
    EXPECT_EQ(RandomState, StateAfterSteps(1234, draws));
    // The same fields as the component draws them: U's grid, V's grid, then U and V per node.
    SetSeed(1234);
    FractalNoise u, v;
    u.SetRoughness(0.8);
    v.SetRoughness(0.8);
    u.Generate(11, 11);
    v.Generate(11, 11);
    int moved = 0;
    for (int i = 0; i <= 10; ++i) {
        for (int j = 0; j <= 10; ++j) {
            // 40 pixels × amount 1 over 10 cells: up to 4 pixels either way.
            const double dx = (u.Sample(j, i) - 128) * 4.0 * (1.0 / 128);
            const double dy = (v.Sample(j, i) - 128) * 4.0 * (1.0 / 128);
            const double x = std::fmin(std::fmax(before[2 * (i * 11 + j)] + dx, 0.0), 40.0);
            const double y = std::fmin(std::fmax(before[2 * (i * 11 + j) + 1] + dy, 0.0), 40.0);
            EXPECT_FLOAT_EQ(moving.NodeX(i, j), static_cast<float>(x)) << i << "," << j;
            EXPECT_FLOAT_EQ(moving.NodeY(i, j), static_cast<float>(y)) << i << "," << j;
            EXPECT_LE(std::fabs(moving.NodeX(i, j) - before[2 * (i * 11 + j)]), 4.0f + 1e-4f);
            if (moving.NodeX(i, j) != before[2 * (i * 11 + j)]) ++moved;
        }
    }
    EXPECT_GT(moved, 0);
}

TEST(ZoFormTest, JitterHoldsTheCornersOfCellsThatReachTheSubject) {
    const int width = 41, height = 41;
    // One subject pixel inside cell (0, 0) only; the table passes the mask value through.
    auto mask = Plane(width, height, [](int x, int y) { return x == 2 && y == 2 ? 255 : 0; });
    uint8_t identity[256];
    for (int i = 0; i < 256; ++i) identity[i] = static_cast<uint8_t>(i);
    char status[kStatusSize] = "";
    ZoForm form(width, height, status);
    const auto before = NodesOf(form);
    SetSeed(77);
    ASSERT_EQ(form.Jitter(1.0, 0.8, mask.get(), identity), 1);
    const auto after = NodesOf(form);
    for (int n : {0, 1, 11, 12}) {  // nodes (0,0), (0,1), (1,0), (1,1)
        EXPECT_EQ(after[2 * n], before[2 * n]) << n;
        EXPECT_EQ(after[2 * n + 1], before[2 * n + 1]) << n;
    }
    int moved = 0;
    for (size_t n = 0; n < after.size(); ++n) moved += after[n] != before[n];
    EXPECT_GT(moved, 100);
}

TEST(ZoFormTest, JitterRefusesAMaskOfAnotherSizeWithoutDrawing) {
    char status[kStatusSize] = "";
    ZoForm form(41, 41, status);
    auto small = Plane(40, 41, [](int, int) { return 0; });
    auto wide = TDib::Create24(41, 41);
    const uint8_t table[256] = {};
    const auto before = NodesOf(form);
    SetSeed(3);
    EXPECT_EQ(form.Jitter(1.0, 0.8, small.get(), table), 0);
    EXPECT_EQ(form.Jitter(1.0, 0.8, wide.get(), table), 0);
    EXPECT_EQ(form.Jitter(1.0, 0.8, nullptr, table), 0);
    EXPECT_EQ(form.Jitter(1.0, 0.8, small.get(), nullptr), 0);
    EXPECT_EQ(RandomState, 3u);
    EXPECT_EQ(NodesOf(form), before);
}

// 20 × 2 ramps: blue rises 10 per column, green falls 10 per column, red is 20 + 100 × row.
std::unique_ptr<TDib> Ramps() {
    auto picture = TDib::Create24(20, 2);
    picture->SetPelsPerMeter(2834, 2834);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 20; ++x) {
            uint8_t* p = picture->Row(y) + 3 * x;
            p[0] = static_cast<uint8_t>(10 * x);
            p[1] = static_cast<uint8_t>(250 - 10 * x);
            p[2] = static_cast<uint8_t>(20 + 100 * y);
        }
    }
    return picture;
}

TEST(ZoFormTest, WarpImageWithAnUnmovedGridResamplesSlightly) {
    // Cells are 2 pixels wide while nodes are 1.9 apart, so the picture shrinks a little;
    // weights are 1/256 with an arithmetic shift: green at column 1 is 250 + floor(-2430 / 256).
    const uint8_t blue[20] = {0,  9,  18, 28,  37,  47,  56,  66,  75,  85,
                              95, 104, 113, 123, 132, 142, 151, 161, 170, 180};
    const uint8_t green[20] = {250, 240, 231, 221, 212, 202, 193, 183, 174, 164,
                               155, 145, 136, 126, 117, 107, 98,  88,  79,  69};
    const uint8_t red[2] = {59, 109};  // rows read at 0.4 and 0.9
    auto picture = Ramps();
    auto work = TDib::Create24(20, 2);
    char status[kStatusSize] = "";
    ZoForm form(20, 2, status);
    ASSERT_EQ(form.Cols(), 10);
    ASSERT_EQ(form.Rows(), 10);
    ASSERT_EQ(form.WarpImage(picture.get(), work.get()), 1);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 20; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const uint8_t* p = picture->Row(y) + 3 * x;
            EXPECT_EQ(p[0], blue[x]);
            EXPECT_EQ(p[1], green[x]);
            EXPECT_EQ(p[2], red[y]);
        }
    }
    // The work image holds the picture as it was.
    EXPECT_EQ(PixelsOf(*work), PixelsOf(*Ramps()));
}

TEST(ZoFormTest, WarpsWriteEveryPixelWhateverTheCellSizes) {
    // All nodes on one point: every target pixel must take that point's value. Small pictures
    // have cells of no width or height (10 cells over 5 pixels), which are skipped.
    const int sizes[][2] = {{5, 5}, {3, 2}, {23, 17}, {64, 3}, {3, 64}, {1, 1}};
    for (const auto& size : sizes) {
        const int width = size[0], height = size[1];
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        char status[kStatusSize] = "";
        ZoForm form(width, height, status);
        for (int i = 0; i <= form.Rows(); ++i) {
            for (int j = 0; j <= form.Cols(); ++j) {
                ASSERT_EQ(form.SetNode(i, j, width - 1, height - 1), 1);
            }
        }
        auto picture = test_pictures::Flat(width, height, 1, 2, 3);
        uint8_t* last = picture->Row(height - 1) + 3 * (width - 1);
        last[0] = 200, last[1] = 150, last[2] = 100;
        auto work = TDib::Create24(width, height);
        ASSERT_EQ(form.WarpImage(picture.get(), work.get()), 1);
        auto a = Plane(width, height, [&](int x, int y) { return x == width - 1 && y == height - 1 ? 9 : 1; });
        auto b = Plane(width, height, [&](int x, int y) { return x == width - 1 && y == height - 1 ? 250 : 0; });
        ASSERT_EQ(form.WarpPlanes(a.get(), b.get(), work.get()), 1);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = picture->Row(y) + 3 * x;
                ASSERT_EQ(p[0], 200) << x << "," << y;
                ASSERT_EQ(p[1], 150) << x << "," << y;
                ASSERT_EQ(p[2], 100) << x << "," << y;
                ASSERT_EQ(a->Row(y)[x], 9) << x << "," << y;
                ASSERT_EQ(b->Row(y)[x], 250) << x << "," << y;
            }
        }
    }
}

TEST(ZoFormTest, WarpPlanesStepsInTruncatedIntegers) {
    // Truncated nodes 0, 1, 3, 5, ... 17, 19 under cells 2 pixels wide: column x reads x - 1.
    auto a = Plane(20, 2, [](int x, int) { return x; });
    auto b = Plane(20, 2, [](int x, int y) { return 255 - x - 100 * y; });
    auto work = TDib::Create24(20, 2);
    char status[kStatusSize] = "";
    ZoForm form(20, 2, status);
    ASSERT_EQ(form.WarpPlanes(a.get(), b.get(), work.get()), 1);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 20; ++x) {
            const int source = x == 0 ? 0 : x - 1;
            EXPECT_EQ(a->Row(y)[x], source) << x << "," << y;
            // Node rows 0.4 and 0.9 truncate to row 0.
            EXPECT_EQ(b->Row(y)[x], 255 - source) << x << "," << y;
        }
    }

    // A cell folded over itself steps backwards, truncating toward zero: 10 + trunc(-7 / 2).
    ZoForm folded(20, 2, status);
    for (int i = 0; i <= folded.Rows(); ++i) {
        folded.SetNode(i, 1, 10.0, 0.0);
        folded.SetNode(i, 2, 3.0, 0.0);
    }
    auto c = Plane(20, 2, [](int x, int) { return x; });
    auto d = Plane(20, 2, [](int x, int) { return 100 + x; });
    ASSERT_EQ(folded.WarpPlanes(c.get(), d.get(), work.get()), 1);
    EXPECT_EQ(c->Row(0)[2], 10);
    EXPECT_EQ(c->Row(0)[3], 7);
    EXPECT_EQ(d->Row(1)[3], 107);
}

TEST(ZoFormTest, WarpPlanesOnlyMovesValuesThatOccur) {
    const uint8_t palette[3] = {3, 77, 200};
    const int width = 37, height = 29;
    auto a = Plane(width, height, [&](int x, int y) { return palette[(x / 3 + y / 2) % 3]; });
    auto b = Plane(width, height, [](int x, int y) { return (x * y) % 2 == 0 ? 0 : 255; });
    auto work = TDib::Create24(width, height);
    for (double k : {0.06, -0.06, 0.12}) {
        SCOPED_TRACE(k);
        char status[kStatusSize] = "";
        ZoForm form(width, height, status);
        ASSERT_EQ(form.Distort(k, 0.0), 1);
        ASSERT_EQ(form.WarpPlanes(a.get(), b.get(), work.get()), 1);
        std::set<int> valuesA, valuesB;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                valuesA.insert(a->Row(y)[x]);
                valuesB.insert(b->Row(y)[x]);
            }
        }
        for (int v : valuesA) EXPECT_TRUE(v == 3 || v == 77 || v == 200) << v;
        for (int v : valuesB) EXPECT_TRUE(v == 0 || v == 255) << v;
    }
}

TEST(ZoFormTest, WarpsRefuseMissingOrMismatchedImages) {
    char status[kStatusSize] = "";
    ZoForm form(6, 4, status);
    form.Distort(0.06, 0.0);
    auto picture = test_pictures::Gradient(6, 4);
    auto work = TDib::Create24(6, 4);
    auto otherWork = TDib::Create24(6, 5);
    auto a = Plane(6, 4, [](int x, int y) { return x + y; });
    auto b = Plane(6, 4, [](int x, int y) { return x * y; });
    auto narrow = Plane(5, 4, [](int, int) { return 1; });
    const auto pixels = PixelsOf(*picture);
    const auto planeA = PixelsOf(*a);
    const auto planeB = PixelsOf(*b);
    struct Case {
        const char* name;
        TDib *image, *work;
    } images[] = {
        {"no image", nullptr, work.get()},
        {"no work image", picture.get(), nullptr},
        {"work image of another size", picture.get(), otherWork.get()},
        {"8-bit image", a.get(), work.get()},
        {"image as its own work image", picture.get(), picture.get()},
    };
    for (const Case& c : images) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(form.WarpImage(c.image, c.work), 0);
    }
    struct PlaneCase {
        const char* name;
        TDib *a, *b, *work;
    } planes[] = {
        {"no first map", nullptr, b.get(), work.get()},
        {"no second map", a.get(), nullptr, work.get()},
        {"no work image", a.get(), b.get(), nullptr},
        {"map of another size", a.get(), narrow.get(), work.get()},
        {"24-bit map", picture.get(), b.get(), work.get()},
    };
    for (const PlaneCase& c : planes) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(form.WarpPlanes(c.a, c.b, c.work), 0);
    }
    EXPECT_EQ(PixelsOf(*picture), pixels);
    EXPECT_EQ(PixelsOf(*a), planeA);
    EXPECT_EQ(PixelsOf(*b), planeB);
}

TEST(ZoFormTest, SetNodeKeepsNodesInsideThePicture) {
    char status[kStatusSize] = "";
    ZoForm form(30, 20, status);
    EXPECT_EQ(form.SetNode(2, 3, -5.0, 100.0), 1);
    EXPECT_EQ(form.NodeX(2, 3), 0.0f);
    EXPECT_EQ(form.NodeY(2, 3), 19.0f);
    EXPECT_EQ(form.SetNode(1, 1, std::nan(""), 7.5), 1);
    EXPECT_EQ(form.NodeX(1, 1), 0.0f);
    EXPECT_EQ(form.NodeY(1, 1), 7.5f);
    EXPECT_EQ(form.SetNode(form.Rows() + 1, 0, 1.0, 1.0), 0);
    EXPECT_EQ(form.SetNode(0, -1, 1.0, 1.0), 0);
}

}  // namespace
