// ZoStroke's finishing operations: detail restoration and clean-up against the source, and the
// plain canvas operations.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/zo_stroke.h"
#include "tests/support/context_images.h"
#include "tests/support/pictures.h"
#include "tests/support/pictures.h"

namespace {

struct Table {
    uint8_t v[256];
    explicit Table(int value) { std::memset(v, value, sizeof v); }
};

// A 7 × 7 picture: source 100 with a bright pixel (180) at (2, 2), so the pixels of (1..3)²
// are strong edges and (5, 5) is not; canvas 50 everywhere.
struct Finish : ::testing::Test {
    ContextImages images{7, 7, 72, 0};
    ZoStroke stroke{images.source.get(), images.canvas.get(), images.focusMap.get(),
                    images.colorIndexMap.get(), images.status};
    void SetUp() override {
        test_pictures::FillPixels(*images.source, 100, 100, 100);
        test_pictures::SetPixel(*images.source, 2, 2, 180, 180, 180);
        test_pictures::FillPixels(*images.canvas, 50, 50, 50);
    }
    int Canvas(int x, int y) { return test_pictures::PixelAt(*images.canvas, x, y)[0]; }
    int Source(int x, int y) { return test_pictures::PixelAt(*images.source, x, y)[0]; }
};

TEST_F(Finish, DetailCleanPullsEdgesToTheSourceAndCleansTheRest) {
    Table half(0);
    for (int i = 0; i < 256; ++i) half.v[i] = static_cast<uint8_t>(i / 2);
    struct Case {
        const char* name;
        int edge, weight;
        const uint8_t* colour;
        int clean;
        int atEdge, atBright, elsewhere;  // canvas at (1, 1), (2, 2), (5, 5)
    } cases[] = {
        // w = 255 - 255 = 0: the edge pixels become the source.
        {"full weight", 0, 255, nullptr, 255, 100, 180, 50},
        // w = 255: 100 + ((50 - 100) × 255 >> 8) = 100 - 50 (floor of -49.8).
        {"no weight", 0, 0, nullptr, 255, 50, 50, 50},
        {"colour corrected source", 0, 255, half.v, 255, 50, 90, 50},
        {"clean 0 copies the source", 0, 255, nullptr, 0, 100, 180, 100},
        {"clean 10 holds within 10", 0, 255, nullptr, 10, 100, 180, 90},
        // Edge strength 80 minus 80 is not above 0: every pixel is cleaned.
        {"edge table above the step", 80, 255, nullptr, 10, 90, 170, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Table edge(c.edge), weight(c.weight), clean(c.clean);
        stroke.DetailClean(edge.v, weight.v, c.colour, clean.v);
        EXPECT_EQ(Canvas(1, 1), c.atEdge);
        EXPECT_EQ(Canvas(2, 2), c.atBright);
        EXPECT_EQ(Canvas(5, 5), c.elsewhere);
        // The outermost rows and columns are left as they were and copied too.
        for (int k = 0; k < 7; ++k) {
            EXPECT_EQ(Canvas(k, 0), 50);
            EXPECT_EQ(Canvas(0, k), 50);
            EXPECT_EQ(Canvas(k, 6), 50);
            EXPECT_EQ(Canvas(6, k), 50);
        }
        EXPECT_EQ(test_pictures::Checksum(*images.source), test_pictures::Checksum(*images.canvas));
    }
}

TEST_F(Finish, DetailRestoreLeavesTheNonEdgePixels) {
    Table edge(0), weight(255);
    stroke.DetailRestore(edge.v, weight.v, nullptr);
    EXPECT_EQ(Canvas(1, 1), 100);
    EXPECT_EQ(Canvas(2, 2), 180);
    EXPECT_EQ(Canvas(5, 5), 50);
    EXPECT_EQ(Source(5, 5), 50);
}

TEST_F(Finish, FillAndCopies) {
    stroke.Fill(10, 20, 30);
    const uint8_t* p = test_pictures::PixelAt(*images.canvas, 6, 6);
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{30, 20, 10}));
    stroke.CopyCanvasToSource();
    EXPECT_EQ(Source(2, 2), 30);
    test_pictures::SetPixel(*images.source, 4, 4, 1, 2, 3);
    stroke.CopySourceToCanvas();
    EXPECT_EQ(Canvas(4, 4), 1);
    EXPECT_EQ(test_pictures::Checksum(*images.source), test_pictures::Checksum(*images.canvas));
}

TEST(FinishSoften, WorksInPlaceRowByRow) {
    // Only (1, 1) is bright. It becomes (160 + 0) / 2; its right neighbour (2, 1) then sees
    // the softened 80, not 160: (0 + 80 / 8) / 2 = 5.
    ContextImages images(4, 3, 72, 0);
    test_pictures::SetPixel(*images.canvas, 1, 1, 160, 160, 160);
    ZoStroke stroke(images.source.get(), images.canvas.get(), images.focusMap.get(), images.colorIndexMap.get(),
                    images.status);
    stroke.SoftenCanvas();
    EXPECT_EQ(test_pictures::PixelAt(*images.canvas, 1, 1)[0], 80);
    EXPECT_EQ(test_pictures::PixelAt(*images.canvas, 2, 1)[0], 5);
    EXPECT_EQ(test_pictures::PixelAt(*images.canvas, 1, 0)[0], 0) << "edges untouched";
}

TEST(FinishVignette, BlendsTowardTheColourFromTheCentreOut) {
    uint8_t ramp[256];
    for (int i = 0; i < 256; ++i) ramp[i] = static_cast<uint8_t>(i);
    struct Case {
        int side;
        int x, y;
        int expected;
    } cases[] = {
        {5, 2, 2, 0},    // centre: i = 0, t = 0, the colour
        {5, 0, 0, 200},  // corner: i = 255, t = 127 copies the source
        // (1, 1): d = 2 × 0.5^5 = 0.0625 of d1 = 2: i = 7, t = 3: 0 + (200 × 3 >> 7) = 4.
        {5, 1, 1, 4},
        // An even side puts (0, 0) beyond the corner (3, 3): i is held at 255, a copy.
        {4, 0, 0, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << " " << c.x << "," << c.y);
        ContextImages images(c.side, c.side, 72, 0);
        test_pictures::FillPixels(*images.source, 200, 200, 200);
        ZoStroke stroke(images.source.get(), images.canvas.get(), images.focusMap.get(),
                        images.colorIndexMap.get(), images.status);
        stroke.Vignette(0, 0, 0, ramp);
        EXPECT_EQ(test_pictures::PixelAt(*images.canvas, c.x, c.y)[0], c.expected);
    }
}

TEST(FinishInvalid, AnInvalidObjectLeavesTheImagesAlone) {
    ContextImages images(5, 5, 72, 0);
    ContextImages other(4, 4, 72, 0);
    test_pictures::FillPixels(*images.source, 1, 2, 3);
    test_pictures::FillPixels(*other.canvas, 7, 8, 9);
    ZoStroke stroke(images.source.get(), other.canvas.get(), images.focusMap.get(), images.colorIndexMap.get(),
                    images.status);
    ASSERT_FALSE(stroke.IsValid());
    Table any(0);
    const uint64_t source = test_pictures::Checksum(*images.source);
    const uint64_t canvas = test_pictures::Checksum(*other.canvas);
    stroke.DetailClean(any.v, any.v, nullptr, any.v);
    stroke.Fill(255, 255, 255);
    stroke.CopyCanvasToSource();
    stroke.SoftenCanvas();
    stroke.Vignette(0, 0, 0, any.v);
    EXPECT_EQ(test_pictures::Checksum(*images.source), source);
    EXPECT_EQ(test_pictures::Checksum(*other.canvas), canvas);
}

}  // namespace
