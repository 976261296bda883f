// ZoFocus: the focus map.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "engine/status_text.h"
#include "engine/zo_focus.h"
#include "imaging/int_helpers.h"
#include "imaging/math_tbl.h"
#include "imaging/random.h"

namespace {

const char kWarning[] = "警告：この画像は複雑すぎます。";

LowColor Grey(uint8_t level, uint32_t central, uint32_t outside) {
    LowColor c = {};
    c.red = c.green = c.blue = level;
    c.centralCount = central;
    c.outsideCount = outside;
    c.pixelCount = central + outside;
    return c;
}

// A colour-index map and a focus map of one size, with a palette.
struct Maps {
    std::unique_ptr<TDib> index;
    std::unique_ptr<TDib> focus;
    LowColor palette[256] = {};
    char status[kStatusSize] = "";

    Maps(int width, int height)
        : index(TDib::Create8(width, height)), focus(TDib::Create8(width, height)) {
        std::memset(index->Bits(), 0, index->ImageBytes());
        std::memset(focus->Bits(), 0, focus->ImageBytes());
    }
    int Width() const { return index->Width(); }
    int Height() const { return index->Height(); }
    void SetIndex(int x, int y, uint8_t c) { index->Row(y)[x] = c; }
    void FillIndexRect(int x0, int y0, int x1, int y1, uint8_t c) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) SetIndex(x, y, c);
    }
    uint8_t Focus(int x, int y) const { return focus->Row(y)[x]; }
    void SetFocus(int x, int y, uint8_t v) { focus->Row(y)[x] = v; }
    void FillFocus(uint8_t v) {
        for (int y = 0; y < Height(); ++y) std::memset(focus->Row(y), v, Width());
    }
    // Count of focus pixels with value v.
    int CountFocus(uint8_t v) const {
        int n = 0;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) n += Focus(x, y) == v;
        return n;
    }
    std::vector<uint8_t> FocusBytes() const {
        std::vector<uint8_t> bytes;
        for (int y = 0; y < Height(); ++y)
            bytes.insert(bytes.end(), focus->Row(y), focus->Row(y) + Width());
        return bytes;
    }
};

// ---- Constructor ------------------------------------------------------------------------------

TEST(ZoFocusConstruct, RefusesMissingOrMismatchedInput) {
    struct Case {
        const char* name;
        bool focus, index, table;
        int focusWidth, focusHeight, count;
        const char* status;
    } cases[] = {
        {"no focus map", false, true, true, 4, 3, 4, "Focus:Invalid Dib."},
        {"no index map", true, false, true, 4, 3, 4, "Focus:Invalid Dib."},
        {"no table", true, true, false, 4, 3, 4, "Focus:Invalid Dib."},
        {"narrower focus map", true, true, true, 3, 3, 4, "Focus:Missmatch Dib."},
        {"lower focus map", true, true, true, 4, 2, 4, "Focus:Missmatch Dib."},
        {"65 colours", true, true, true, 4, 3, 65, "Focus:Missmatch Dib."},
        {"64 colours", true, true, true, 4, 3, 64, "Focus:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto index = TDib::Create8(4, 3);
        auto focus = TDib::Create8(c.focusWidth, c.focusHeight);
        std::memset(index->Bits(), 0, index->ImageBytes());
        std::memset(focus->Bits(), 7, focus->ImageBytes());
        LowColor table[256] = {};
        char status[kStatusSize] = "Low:earlier text";
        ZoFocus zo(c.focus ? focus.get() : nullptr, c.index ? index.get() : nullptr,
                   c.table ? table : nullptr, c.count, status);
        EXPECT_STREQ(status, c.status);
        const bool valid = std::string(c.status) == "Focus:";
        EXPECT_EQ(zo.IsValid(), valid);
        if (valid) continue;
        EllipseRegion region = {};
        region.length = region.width = 4;
        region.ratio = 1;
        region.cosine = 1;
        EXPECT_EQ(zo.Compute(0, 255, nullptr), 0);
        EXPECT_EQ(zo.AddRegions(&region, 1, 255), 0);
        EXPECT_EQ(zo.Blur(2), 0);
        for (size_t i = 0; i < focus->ImageBytes(); ++i) ASSERT_EQ(focus->Bits()[i], 7);
    }
}

TEST(ZoFocusConstruct, ComparesColoursThroughToneCurve) {
    Maps maps(4, 4);
    maps.palette[0] = Grey(0, 1, 1);
    maps.palette[1] = Grey(255, 1, 1);
    maps.palette[2] = Grey(136, 1, 1);
    maps.palette[2].red = 153;
    maps.palette[3] = Grey(68, 1, 1);  // beyond the count: left as it is
    ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 3, maps.status);
    ASSERT_TRUE(zo.IsValid());
    MathTbl tone;
    tone.Sigmoid(0.02, 0, 0, 1);
    const uint8_t* t = tone.Table();
    // The curve keeps black and white and moves the middle tones.
    EXPECT_EQ(zo.Palette()[0].red, 0);
    EXPECT_EQ(zo.Palette()[1].blue, 255);
    EXPECT_EQ(zo.Palette()[2].red, t[153]);
    EXPECT_EQ(zo.Palette()[2].green, t[136]);
    EXPECT_NE(t[136], 136);
    EXPECT_EQ(zo.Palette()[3].red, 68);
    EXPECT_EQ(zo.Palette()[2].centralCount, 1u);

    EXPECT_EQ(zo.Distance(0, 1), 255) << "black to white is 441, cut to 255";
    EXPECT_EQ(zo.Distance(2, 2), 0);
    EXPECT_EQ(zo.Distance(0, 2), zo.Distance(2, 0));
    const uint32_t squares = t[153] * t[153] + 2 * t[136] * t[136];
    EXPECT_EQ(zo.Distance(2, 0), std::min(255, ISqrt(squares)));
    // Indices beyond the palette are unknown colours: as far apart as can be.
    EXPECT_EQ(zo.Distance(3, 0), 255);
    EXPECT_EQ(zo.Distance(200, 200), 0);
}

// ---- Compute --------------------------------------------------------------------------------

TEST(ZoFocusCompute, ColourWeightsFavourColoursOfTheOutside) {
    struct Case {
        uint32_t central, outside;
        int weight;
    } cases[] = {
        {0, 0, 255},
        {100, 0, 255},
        {9, 10, 755},          // ratio 1
        {9, 30, 13755},        // ratio 3: 27 × 500
        {0, 1000, 30255},      // capped
        {4, 10, 4255},         // ratio 2: 8 × 500
        {4294967295u, 4294967295u, 754},  // just below ratio 1: the count plus one does not wrap
    };
    Maps maps(4, 4);
    const int n = static_cast<int>(sizeof cases / sizeof cases[0]);
    for (int i = 0; i < n; ++i) maps.palette[i] = Grey(17, cases[i].central, cases[i].outside);
    ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, n, maps.status);
    ASSERT_EQ(zo.Compute(0, 255, nullptr), 1);
    for (int i = 0; i < n; ++i) EXPECT_EQ(zo.ColorWeights()[i], cases[i].weight) << "case " << i;
    EXPECT_EQ(zo.ColorWeights()[n], 255) << "an index beyond the palette";
}

TEST(ZoFocusCompute, RegionsTouchingTheEdgeStayAtTheBorderLevel) {
    // A flat picture, or one with a block of another colour that reaches the picture's edge:
    // every region gets level 253, and with nothing to spread the map keeps 253. The last
    // rows and columns of an even-sized map lie mostly outside the ring, so a block there
    // reaches the border level only through the edge itself (the row beyond the top, the
    // walk off the right end).
    struct Case {
        const char* name;
        int width, height;
        int blockLeft, blockBottom, blockRight, blockTop;  // none when blockLeft < 0
    } cases[] = {
        {"flat 1 x 1", 1, 1, -1, 0, 0, 0},
        {"flat 1 x 6", 1, 6, -1, 0, 0, 0},
        {"flat 6 x 1", 6, 1, -1, 0, 0, 0},
        {"flat 2 x 2", 2, 2, -1, 0, 0, 0},
        {"flat 3 x 3", 3, 3, -1, 0, 0, 0},
        {"flat 9 x 7", 9, 7, -1, 0, 0, 0},
        {"halves 8 x 4", 8, 4, 4, 0, 7, 3},
        {"halves 7 x 9", 7, 9, 3, 0, 6, 8},
        {"block at the top row only", 9, 10, 3, 7, 5, 9},
        {"block at the right column only", 10, 9, 7, 3, 9, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Maps maps(c.width, c.height);
        maps.palette[0] = Grey(0, 10, 10);
        maps.palette[1] = Grey(255, 10, 10);
        if (c.blockLeft >= 0) {
            maps.FillIndexRect(c.blockLeft, c.blockBottom, c.blockRight, c.blockTop, 1);
        }
        ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 2, maps.status);
        const uint32_t random = RandomState;
        EXPECT_EQ(zo.Compute(0, 255, nullptr), 1);
        EXPECT_EQ(RandomState, random) << "the focus map draws no random numbers";
        EXPECT_EQ(zo.LowestLevel(), 253);
        EXPECT_EQ(maps.CountFocus(253), c.width * c.height);
        EXPECT_STREQ(maps.status, "Focus:");
    }
}

TEST(ZoFocusCompute, BorderRingIncludesASumOfExactly9000) {
    // 54 × 44: at (1, 9) the column term is trunc(26^5 × 10000 / 27^5) = 8280 and the row
    // term trunc(13^5 × 10000 / 22^5) = 720, exactly the limit, so the pixel is ring. (3, 20)
    // (5549 + 0) is not. Each holds a lone pixel of a colour of the centre: a filled one
    // loses all its level against the background and ends at end; the ring one ends at start.
    Maps maps(54, 44);
    maps.palette[0] = Grey(0, 0, 100);
    maps.palette[1] = Grey(255, 1, 0);
    maps.SetIndex(1, 9, 1);
    maps.SetIndex(3, 20, 1);
    ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 2, maps.status);
    ASSERT_EQ(zo.Compute(0, 255, nullptr), 1);
    EXPECT_EQ(zo.LevelHistogram()[0], 1) << "only the pixel off the ring is filled";
    EXPECT_EQ(maps.Focus(1, 9), 0);
    EXPECT_EQ(maps.Focus(3, 20), 255);
}

// 9 × 9, background colour 0 with a 3 × 3 object of colour 1 in the middle.
Maps ObjectPicture() {
    Maps maps(9, 9);
    maps.palette[0] = Grey(0, 0, 72);
    maps.palette[1] = Grey(255, 9, 0);
    maps.FillIndexRect(3, 3, 5, 5, 1);
    return maps;
}

TEST(ZoFocusCompute, ObjectInTheMiddleGoesToEndBackgroundToStart) {
    struct Case {
        int start, end;
    } cases[] = {{0, 255}, {50, 200}, {0, 1}, {100, 255}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
        Maps maps = ObjectPicture();
        ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 2, maps.status);
        ASSERT_EQ(zo.Compute(c.start, c.end, nullptr), 1);
        // Black against white: distance 255 against weight 255 leaves nothing of the 253.
        EXPECT_EQ(zo.LowestLevel(), 0);
        EXPECT_EQ(zo.LevelHistogram()[0], 9);
        EXPECT_EQ(zo.LevelHistogram()[253], 7 * 7 - 9) << "the ring itself is never filled";
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 9; ++x) {
                const bool object = x >= 3 && x <= 5 && y >= 3 && y <= 5;
                ASSERT_EQ(maps.Focus(x, y), object ? c.end : c.start) << x << "," << y;
            }
        }
    }
}

TEST(ZoFocusCompute, CurveTableShapesValuesWithinStartAndEnd) {
    uint8_t reverse[256];
    for (int i = 0; i < 256; ++i) reverse[i] = static_cast<uint8_t>(255 - i);
    Maps maps = ObjectPicture();
    ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 2, maps.status);
    ASSERT_EQ(zo.Compute(50, 200, reverse), 1);
    EXPECT_EQ(maps.Focus(0, 0), 200) << "table[50] = 205, cut to end";
    EXPECT_EQ(maps.Focus(4, 4), 55) << "table[200]";
}

TEST(ZoFocusCompute, CentralColourLosesMoreLevelPerColourStep) {
    // Two objects of the same grey next to a slightly different background: A's colour occurs
    // only in the centre (weight 255), B's mostly outside (weight 30255).
    Maps maps(13, 9);
    maps.palette[0] = Grey(136, 0, 80);
    maps.palette[1] = Grey(153, 9, 0);
    maps.palette[2] = Grey(153, 0, 1000);
    maps.FillIndexRect(2, 3, 4, 5, 1);
    maps.FillIndexRect(8, 3, 10, 5, 2);
    ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 3, maps.status);
    ASSERT_EQ(zo.Compute(0, 255, nullptr), 1);
    const int d = zo.Distance(1, 0);
    ASSERT_GT(d, 0);
    ASSERT_EQ(zo.Distance(2, 0), d);
    const int levelA = 253 * (255 - d) / 255;
    const int levelB = 253 * (30255 - d) / 30255;
    EXPECT_LT(levelA, levelB);
    EXPECT_EQ(zo.LowestLevel(), levelA);
    EXPECT_EQ(zo.LevelHistogram()[levelA], 9);
    EXPECT_EQ(zo.LevelHistogram()[levelB], 9);
    EXPECT_EQ(maps.Focus(3, 4), 255);
    EXPECT_EQ(maps.Focus(0, 0), 0);
    EXPECT_GT(maps.Focus(9, 4), 0);
    EXPECT_LT(maps.Focus(9, 4), maps.Focus(3, 4));
    // B's bucket holds 9 of the 18 pixels above the border level: half way.
    EXPECT_EQ(maps.Focus(9, 4), 9 * 255 / 18);
}

TEST(ZoFocusCompute, RefusesStartAndEndOutsideTheByteRange) {
    struct Case {
        int start, end;
    } cases[] = {{-1, 255}, {0, 256}, {200, 100}, {INT_MIN, INT_MAX}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
        Maps maps = ObjectPicture();
        maps.FillFocus(9);
        ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 2, maps.status);
        EXPECT_EQ(zo.Compute(c.start, c.end, nullptr), 0);
        EXPECT_STREQ(maps.status, "Focus:Parameter.");
        EXPECT_EQ(maps.CountFocus(9), 81) << "the map is untouched";
    }
}

TEST(ZoFocusCompute, StartEqualToEndLeavesNothingToSpread) {
    Maps maps = ObjectPicture();
    ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 2, maps.status);
    EXPECT_EQ(zo.Compute(100, 100, nullptr), 0);
    EXPECT_STREQ(maps.status, "Focus:");
}

TEST(ZoFocusCompute, SpiralStaysInsideMapsWithThinInnermostRings) {
    // Pictures whose innermost ring is one row or one column high; every pixel must be
    // levelled (nothing left 254 or 255) and nothing read outside the map.
    const int sizes[][2] = {{3, 3}, {5, 5}, {101, 99}, {99, 101}, {4, 3}, {3, 4}, {1, 1},
                            {1, 7}, {7, 1}, {2, 2},   {6, 5},    {2, 9}};
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        Maps maps(w, h);
        for (int i = 0; i < 5; ++i) maps.palette[i] = Grey(static_cast<uint8_t>(i * 51), 3, 5);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) maps.SetIndex(x, y, static_cast<uint8_t>((x * 7 + y * 3) % 5));
        ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 5, maps.status);
        const int result = zo.Compute(0, 200, nullptr);
        EXPECT_TRUE(result == 1);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // 253 only where nothing was spread (every region at the border level).
                const int v = maps.Focus(x, y);
                ASSERT_TRUE(v <= 200 || (v == 253 && zo.LowestLevel() == 253)) << x << "," << y;
            }
    }
}

// Records every painted region: its span count and its first span.
class RecordingFocus : public ZoFocus {
public:
    using ZoFocus::ZoFocus;
    struct Paint {
        int spans, row, left, right, level;
    };
    std::vector<Paint> paints;
    int scans = 0;

    void PaintRegion() override {
        ZoFocus::PaintRegion();
        if (SpanCount() > 0) {
            paints.push_back({SpanCount(), SpanRow(0), SpanLeft(0), SpanRight(0), RegionLevel()});
        }
    }
    int ScanRow(int left, int right, int y, uint8_t colour) override {
        ++scans;
        return ZoFocus::ScanRow(left, right, y, colour);
    }
};

// A comb: row 2 all colour 1; in row 3 `teeth` single pixels of colour 1 on every other
// column around the middle, colour 3 beside them; colour 2 elsewhere. The teeth lie inside
// the row-2 span, off the border ring, so scanning row 3 from that span pushes exactly
// `teeth` seeds. One grey for all, so every region ends at the border level.
Maps CombPicture(int width, int teeth) {
    Maps maps(width, 10);
    for (int i = 0; i < 4; ++i) maps.palette[i] = Grey(128, 5, 5);
    maps.FillIndexRect(0, 0, width - 1, 9, 2);
    maps.FillIndexRect(0, 2, width - 1, 2, 1);
    maps.FillIndexRect(0, 3, width - 1, 3, 3);
    const int first = (width - 2 * teeth) / 2;
    for (int i = 0; i < teeth; ++i) maps.SetIndex(first + 2 * i, 3, 1);
    return maps;
}

TEST(ZoFocusFill, StackLimitCutsTheRegionAndTheScanGoesOn) {
    struct Case {
        int teeth;
        bool overflows;  // the 2000th stacked seed stops the fill
    } cases[] = {{1000, false}, {1999, false}, {2000, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.teeth);
        const int width = 4200;
        Maps maps = CombPicture(width, c.teeth);
        RecordingFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 4, maps.status);
        ASSERT_EQ(zo.Compute(0, 255, nullptr), 1) << "a complex region is not a failure";
        EXPECT_STREQ(maps.status, c.overflows ? kWarning : "Focus:");
        EXPECT_GT(zo.scans, 0);
        // The region of row 2 and the teeth painted separately afterwards.
        const RecordingFocus::Paint* comb = nullptr;
        for (const auto& p : zo.paints) {
            if (p.row == 2 && maps.index->Row(2)[p.left] == 1) comb = &p;
        }
        ASSERT_NE(comb, nullptr);
        const auto isTooth = [&](int x) { return maps.index->Row(3)[x] == 1; };
        int teeth = 0;
        for (int x = comb->left; x <= comb->right; ++x) teeth += isTooth(x);
        ASSERT_EQ(teeth, c.teeth) << "every tooth below the row-2 span";
        int separateTeeth = 0;
        for (const auto& p : zo.paints) {
            separateTeeth += p.row == 3 && p.spans == 1 && p.left == p.right && isTooth(p.left);
        }
        if (c.overflows) {
            EXPECT_EQ(comb->spans, 1) << "cut right after the span whose scan filled the stack";
            EXPECT_EQ(separateTeeth, teeth) << "every tooth levelled later as its own region";
        } else {
            EXPECT_EQ(comb->spans, 1 + teeth);
            EXPECT_EQ(separateTeeth, 0);
        }
        EXPECT_EQ(maps.CountFocus(253), width * 10) << "every pixel levelled";
    }
}

TEST(ZoFocusFill, SpanLimitCutsTheRegionAndTheScanGoesOn) {
    struct Case {
        int height;
        bool overflows;
    } cases[] = {{4000, false}, {5200, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        Maps maps(3, c.height);  // the middle column is one region, one span per row
        maps.palette[0] = Grey(128, 5, 5);
        RecordingFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 1, maps.status);
        ASSERT_EQ(zo.Compute(0, 255, nullptr), 1);
        EXPECT_STREQ(maps.status, c.overflows ? kWarning : "Focus:");
        ASSERT_FALSE(zo.paints.empty());
        const auto& first = zo.paints[0];
        if (c.overflows) {
            ASSERT_EQ(zo.paints.size(), 2u);
            EXPECT_EQ(first.spans, ZoFocus::kSpanLimit);
            EXPECT_EQ(zo.paints[1].row, first.row + ZoFocus::kSpanLimit)
                << "the rest of the column found by the scan as a region of its own";
        } else {
            ASSERT_EQ(zo.paints.size(), 1u);
            EXPECT_LT(first.spans, ZoFocus::kSpanLimit);
        }
        EXPECT_EQ(maps.CountFocus(253), 3 * c.height);
    }
}

TEST(ZoFocusFill, SlotsDoNothingOutsideCompute) {
    Maps maps = ObjectPicture();
    maps.FillFocus(255);
    RecordingFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 2, maps.status);
    zo.FillRegion(4, 4);
    EXPECT_EQ(zo.ScanRow(0, 8, 4, 1), 0);
    zo.PaintRegion();
    EXPECT_EQ(maps.CountFocus(255), 81);
    EXPECT_TRUE(zo.paints.empty());
}

// ---- AddRegions ---------------------------------------------------------------------------

EllipseRegion Circle(int cx, int cy, int diameter) {
    EllipseRegion r = {};
    r.centerX = cx;
    r.centerY = cy;
    r.length = diameter;
    r.width = diameter;
    r.ratio = 1;
    r.cosine = 1;
    r.sine = 0;
    return r;
}

TEST(ZoFocusRegions, RaisesInsideNeverAboveLimit) {
    // Circle of radius 10 around (10, 10): a = 283 at the centre, 28 at 9 pixels out, 0 at 10.
    struct Case {
        const char* name;
        uint8_t initial;
        int limit;
        int centre, nine, ten;
    } cases[] = {
        {"raised", 100, 255, 255, 100 * 92 / 64 + 14, 100},
        {"low limit", 100, 120, 120, 120, 100},
        {"limit above a byte", 100, 1000, 255, 157, 100},
        {"above limit cut down", 200, 150, 150, 150, 200},
        {"zero stays small", 0, 255, 141, 14, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Maps maps(24, 22);
        maps.FillFocus(c.initial);
        ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 1, maps.status);
        const EllipseRegion region = Circle(10, 10, 20);
        EXPECT_EQ(zo.AddRegions(&region, 1, c.limit), 1);
        EXPECT_EQ(maps.Focus(10, 10), c.centre);
        EXPECT_EQ(maps.Focus(19, 10), c.nine);
        EXPECT_EQ(maps.Focus(10, 1), c.nine);
        EXPECT_EQ(maps.Focus(20, 10), c.ten);
        EXPECT_EQ(maps.Focus(23, 21), c.initial) << "outside the box";
    }
}

TEST(ZoFocusRegions, EllipseFollowsRatioAndAngle) {
    struct Case {
        const char* name;
        double cosine, sine;
        bool alongX[2], alongY[2];  // raised at 4 and 8 pixels out
    } cases[] = {
        {"horizontal axis", 1, 0, {true, true}, {true, false}},
        {"vertical axis", std::cos(-1.57075), std::sin(-1.57075), {true, false}, {true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Maps maps(21, 21);
        maps.FillFocus(40);
        ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 1, maps.status);
        EllipseRegion region = Circle(10, 10, 20);
        region.width = 10;
        region.ratio = 0.5;
        region.cosine = c.cosine;
        region.sine = c.sine;
        ASSERT_EQ(zo.AddRegions(&region, 1, 255), 1);
        EXPECT_EQ(maps.Focus(14, 10) > 40, c.alongX[0]);
        EXPECT_EQ(maps.Focus(18, 10) > 40, c.alongX[1]);
        EXPECT_EQ(maps.Focus(10, 14) > 40, c.alongY[0]);
        EXPECT_EQ(maps.Focus(10, 18) > 40, c.alongY[1]);
    }
}

TEST(ZoFocusRegions, AxisRunsAlongCosineMinusSineInStorageRows) {
    // The angle is the one seen on the screen (y down): +45° is an axis drawn down to the
    // right, which in storage rows (y up) runs along (1, -1). A mirrored sign would raise the
    // other diagonal instead; an axis-parallel region cannot tell the two apart.
    struct Case {
        const char* name;
        double angle;
        bool belowRight, aboveLeft, aboveRight, belowLeft;  // at (16, 4), (4, 16), (16, 16), (4, 4)
    } cases[] = {
        {"drawn down to the right", std::atan(1.0), true, true, false, false},
        {"drawn up to the right", -std::atan(1.0), false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Maps maps(21, 21);
        maps.FillFocus(40);
        ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 1, maps.status);
        EllipseRegion region = Circle(10, 10, 20);
        region.width = 4;
        region.ratio = 0.2;
        region.angle = c.angle;
        region.cosine = std::cos(c.angle);
        region.sine = std::sin(c.angle);
        ASSERT_EQ(zo.AddRegions(&region, 1, 255), 1);
        // On the axis, √72 from the centre: a = trunc((10 - √72) × 255 / 9) = 42, so
        // 40 × 106 / 64 + 21 = 87.
        EXPECT_EQ(maps.Focus(16, 4), c.belowRight ? 87 : 40);
        EXPECT_EQ(maps.Focus(4, 16), c.aboveLeft ? 87 : 40);
        EXPECT_EQ(maps.Focus(16, 16), c.aboveRight ? 87 : 40);
        EXPECT_EQ(maps.Focus(4, 4), c.belowLeft ? 87 : 40);
    }
}

TEST(ZoFocusRegions, OverlappingRegionsCompound) {
    Maps maps(21, 21);
    maps.FillFocus(20);
    ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 1, maps.status);
    const EllipseRegion regions[2] = {Circle(10, 10, 20), Circle(10, 10, 20)};
    ASSERT_EQ(zo.AddRegions(regions, 2, 255), 1);
    const int once = 20 * 92 / 64 + 14;
    EXPECT_EQ(maps.Focus(19, 10), once * 92 / 64 + 14);
}

TEST(ZoFocusRegions, ClipsAtThePictureEdge) {
    Maps maps(8, 6);
    maps.FillFocus(100);
    ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 1, maps.status);
    const EllipseRegion regions[] = {Circle(-3, -3, 20), Circle(40, 30, 8),
                                     Circle(2, 2, INT_MAX), Circle(INT_MIN, INT_MAX, 1000)};
    for (const EllipseRegion& region : regions) EXPECT_EQ(zo.AddRegions(&region, 1, 255), 1);
    EXPECT_EQ(maps.Focus(0, 0), 255);
}

TEST(ZoFocusRegions, SkipsRegionsWithoutExtent) {
    struct Case {
        const char* name;
        int length, width;
        double ratio;
    } cases[] = {
        {"length 0", 0, 10, 1},
        {"negative length", -5, 10, 1},
        {"radius 0", 1, 1, 1},
        {"ratio 0", 10, 10, 0},
        {"negative ratio", 10, 10, -0.5},
        {"ratio not a number", 10, 10, std::numeric_limits<double>::quiet_NaN()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Maps maps(12, 12);
        maps.FillFocus(100);
        ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 1, maps.status);
        EllipseRegion region = Circle(6, 6, 10);
        region.length = c.length;
        region.width = c.width;
        region.ratio = c.ratio;
        EXPECT_EQ(zo.AddRegions(&region, 1, 255), 1);
        EXPECT_EQ(maps.CountFocus(100), 144);
    }
}

TEST(ZoFocusRegions, CountAndArray) {
    Maps maps(6, 6);
    maps.FillFocus(100);
    ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 1, maps.status);
    EXPECT_EQ(zo.AddRegions(nullptr, 0, 255), 1);
    EXPECT_EQ(zo.AddRegions(nullptr, -1, 255), 1);
    EXPECT_STREQ(maps.status, "Focus:");
    EXPECT_EQ(zo.AddRegions(nullptr, 1, 255), 0);
    EXPECT_STREQ(maps.status, "Focus:Parameter.");
    EXPECT_EQ(maps.CountFocus(100), 36);
}

// ---- Blur -----------------------------------------------------------------------------------

TEST(ZoFocusBlur, MeanOfEightNeighboursWithEdgesRepeated) {
    struct Case {
        const char* name;
        int width, height;
        std::vector<uint8_t> before;  // rows in storage order
        int passes;
        std::vector<uint8_t> after;
    } cases[] = {
        // The centre is not its own neighbour; every other pixel sees it once.
        {"3 x 3 one pass", 3, 3, {0, 0, 0, 0, 255, 0, 0, 0, 0}, 1,
         {31, 31, 31, 31, 0, 31, 31, 31, 31}},
        // Read as before the pass: the second pass sees the first one's result whole.
        {"3 x 3 two passes", 3, 3, {0, 0, 0, 0, 255, 0, 0, 0, 0}, 2,
         {27, 27, 27, 27, 31, 27, 27, 27, 27}},
        // One row: the rows above and below are the row itself.
        {"4 x 1", 4, 1, {0, 80, 160, 240}, 1, {30, 80, 160, 210}},
        {"1 x 1", 1, 1, {77}, 3, {77}},
        {"no passes", 2, 2, {1, 2, 3, 4}, 0, {1, 2, 3, 4}},
        {"flat stays flat", 5, 3, std::vector<uint8_t>(15, 200), 4, std::vector<uint8_t>(15, 200)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Maps maps(c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) maps.SetFocus(x, y, c.before[y * c.width + x]);
        ZoFocus zo(maps.focus.get(), maps.index.get(), maps.palette, 1, maps.status);
        EXPECT_EQ(zo.Blur(c.passes), 1);
        EXPECT_EQ(maps.FocusBytes(), c.after);
    }
}

}  // namespace
