// ZoStroke's finishing operations: detail restoration and clean-up against the source, and the
// plain canvas operations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "engine/zo_stroke.h"
#include "tests/support/context_images.h"
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

TEST(FinishWide, DetailCleanAndRestoreFollowTheRuleAcrossStretches) {
    // Wider than two of the 512-pixel stretches the row pass works in. The source is gentle
    // noise around 100 with scattered bright dots and the edge threshold rises with the focus,
    // which varies from pixel to pixel, so some pixels are edges and some are cleaned; the canvas
    // is noise over all bytes. Every expected pixel is worked out from its eight neighbours.
    const int w = 1030;
    const int h = 6;
    ContextImages images(w, h, 72, 0);
    uint32_t state = 4321;
    const auto next = [&state](int n) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % n);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            images.focusMap->Row(y)[x] = static_cast<uint8_t>(next(256));
            const bool dot = next(16) == 0;
            uint8_t* source = test_pictures::PixelAt(*images.source, x, y);
            uint8_t* canvas = test_pictures::PixelAt(*images.canvas, x, y);
            for (int c = 0; c < 3; ++c) {
                source[c] = static_cast<uint8_t>(dot ? 240 : 80 + next(48));
                canvas[c] = static_cast<uint8_t>(next(256));
            }
        }
    const std::unique_ptr<TDib> source = test_pictures::Crop(*images.source, 0, 0, w, h);
    const std::unique_ptr<TDib> canvas = test_pictures::Crop(*images.canvas, 0, 0, w, h);
    uint8_t edge[256], weight[256], colour[256], clean[256];
    for (int i = 0; i < 256; ++i) {
        edge[i] = static_cast<uint8_t>(i / 4);
        weight[i] = static_cast<uint8_t>(std::min(255, 2 * i + 30));
        colour[i] = static_cast<uint8_t>(255 - i / 2);
        clean[i] = static_cast<uint8_t>(i < 192 ? i / 8 : 255);
    }

    struct Case {
        const char* name;
        std::function<void(ZoStroke&)> run;
        const uint8_t* colour;
        const uint8_t* clean;
    };
    const Case cases[] = {
        {"DetailClean", [&](ZoStroke& s) { s.DetailClean(edge, weight, colour, clean); }, colour,
         clean},
        {"DetailRestore", [&](ZoStroke& s) { s.DetailRestore(edge, weight, nullptr); }, nullptr,
         nullptr},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::memcpy(images.source->Bits(), source->Bits(), source->ImageBytes());
        std::memcpy(images.canvas->Bits(), canvas->Bits(), canvas->ImageBytes());
        ZoStroke stroke(images.source.get(), images.canvas.get(), images.focusMap.get(),
                        images.colorIndexMap.get(), images.status);
        test.run(stroke);
        int restored = 0, cleaned = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* s = test_pictures::PixelAt(*source, x, y);
                const uint8_t* before = test_pictures::PixelAt(*canvas, x, y);
                const uint8_t* after = test_pictures::PixelAt(*images.canvas, x, y);
                // The source becomes the canvas.
                ASSERT_EQ(std::memcmp(test_pictures::PixelAt(*images.source, x, y), after, 3), 0)
                    << x << "," << y;
                if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                    ASSERT_EQ(std::memcmp(after, before, 3), 0) << "border " << x << "," << y;
                    continue;
                }
                int strongest = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const uint8_t* n = test_pictures::PixelAt(*source, x + dx, y + dy);
                        for (int c = 0; c < 3; ++c)
                            strongest = std::max(strongest, std::abs(n[c] - s[c]));
                    }
                const int f = images.focusMap->Row(y)[x];
                const int over = strongest - edge[f];
                restored += over > 0;
                for (int c = 0; c < 3; ++c) {
                    int expected = before[c];
                    if (over > 0) {
                        const int target = test.colour != nullptr ? test.colour[s[c]] : s[c];
                        const int keep = 255 - weight[over];
                        expected = target + static_cast<int>(
                                                std::floor((before[c] - target) * keep / 256.0));
                    } else if (test.clean != nullptr && test.clean[f] < 255) {
                        expected = std::clamp<int>(before[c], s[c] - test.clean[f],
                                                   s[c] + test.clean[f]);
                        cleaned += expected != before[c];
                    }
                    ASSERT_EQ(after[c], expected) << x << "," << y << " channel " << c;
                }
            }
        // The picture reaches every path of the rule.
        EXPECT_GT(restored, 100);
        EXPECT_LT(restored, (w - 2) * (h - 2) - 100);
        if (test.clean != nullptr) {
            EXPECT_GT(cleaned, 100);
        }
    }
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
