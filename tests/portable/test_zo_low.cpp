// ZoLow: the colour reduction.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "engine/status_text.h"
#include "engine/zo_low.h"
#include "imaging/hue_color.h"
#include "imaging/random.h"

namespace {

struct Rgb {
    uint8_t red, green, blue;
};

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

using Rows = std::vector<std::vector<uint8_t>>;  // storage order: row 0 (the bottom row) first

std::unique_ptr<TDib> Picture(int width, int height, const std::function<Rgb(int, int)>& at) {
    auto image = TDib::Create24(width, height);
    std::memset(image->Bits(), 0, image->ImageBytes());
    for (int y = 0; y < height; ++y) {
        uint8_t* pixel = image->Row(y);
        for (int x = 0; x < width; ++x, pixel += 3) {
            const Rgb c = at(x, y);
            pixel[0] = c.blue;
            pixel[1] = c.green;
            pixel[2] = c.red;
        }
    }
    return image;
}

std::unique_ptr<TDib> Flat(int width, int height, Rgb colour) {
    return Picture(width, height, [&](int, int) { return colour; });
}

std::unique_ptr<TDib> EmptyMap(int width, int height) {
    auto map = TDib::Create8(width, height);
    std::memset(map->Bits(), 0, map->ImageBytes());
    return map;
}

std::unique_ptr<TDib> MapOf(const Rows& rows) {
    auto map = EmptyMap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        std::memcpy(map->Row(static_cast<int>(y)), rows[y].data(), rows[y].size());
    }
    return map;
}

Rows RowsOf(const TDib& map) {
    Rows rows(map.Height());
    for (int y = 0; y < map.Height(); ++y) rows[y].assign(map.Row(y), map.Row(y) + map.Width());
    return rows;
}

LowColor Entry(Rgb c, uint32_t pixels) {
    LowColor entry{};
    entry.red = c.red;
    entry.green = c.green;
    entry.blue = c.blue;
    entry.cellRed = c.red / 17;
    entry.cellGreen = c.green / 17;
    entry.cellBlue = c.blue / 17;
    entry.pixelCount = pixels;
    return entry;
}

bool SameColour(const LowColor& entry, Rgb c) {
    return entry.red == c.red && entry.green == c.green && entry.blue == c.blue;
}

struct ZoLowTest : ::testing::Test {
    char status[kStatusSize] = "Focus:earlier text";
};

// ---- construction and parameters ---------------------------------------------------------

TEST_F(ZoLowTest, RefusesMissingOrMismatchedImages) {
    auto picture = Flat(4, 3, kRed);
    auto map = EmptyMap(4, 3);
    auto otherSize = EmptyMap(3, 4);
    auto eightBit = EmptyMap(4, 3);
    auto picture2 = Flat(4, 3, kRed);
    struct Case {
        const char* name;
        TDib* source;
        TDib* map;
    } cases[] = {
        {"no source", nullptr, map.get()},
        {"no map", picture.get(), nullptr},
        {"map of another size", picture.get(), otherSize.get()},
        {"8-bit source", eightBit.get(), map.get()},
        {"24-bit map", picture.get(), picture2.get()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StatusCopy(status, "Focus:earlier text");
        ZoLow low(c.source, c.map, nullptr, 0, status);
        EXPECT_FALSE(low.IsValid());
        EXPECT_STREQ(status, "Low:Invalid Dib.");
        // An invalid object does nothing and adds no further text.
        EXPECT_EQ(low.Init(64, 0), 0);
        EXPECT_EQ(low.Init(1, 0), 0);
        low.Map();
        EXPECT_EQ(low.Smooth(1), 0);
        EXPECT_EQ(low.SmoothMasked(1, map.get(), 255), 0);
        EXPECT_EQ(low.Histogram(100), 0);
        EXPECT_EQ(low.ColorCount(), 0);
        EXPECT_STREQ(status, "Low:Invalid Dib.");
    }
    EXPECT_EQ(RowsOf(*map), Rows(3, std::vector<uint8_t>(4, 0)));
}

TEST_F(ZoLowTest, ConstructorReplacesTheStatusWithItsPrefix) {
    auto picture = Flat(2, 2, kRed);
    auto map = EmptyMap(2, 2);
    ZoLow low(picture.get(), map.get(), nullptr, 0, status);
    EXPECT_TRUE(low.IsValid());
    EXPECT_STREQ(status, "Low:");
}

TEST_F(ZoLowTest, InitAcceptsTwoToTwoHundredFiftySixColours) {
    auto picture = Flat(4, 4, kRed);
    auto map = EmptyMap(4, 4);
    struct Case {
        int n;
        int result;
        const char* status;
        int colours;
    } cases[] = {
        {1, 0, "Low:Parameter.", 0}, {257, 0, "Low:Parameter.", 0},
        {0, 0, "Low:Parameter.", 0}, {-3, 0, "Low:Parameter.", 0},
        {2, 1, "Low:", 1},           {256, 1, "Low:", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.Init(64, 0), 1);
        EXPECT_EQ(low.Init(c.n, 0), c.result);
        EXPECT_STREQ(status, c.status);
        EXPECT_EQ(low.ColorCount(), c.colours) << "a failed Init leaves the colour count 0";
    }
}

// ---- the palette -------------------------------------------------------------------------

TEST_F(ZoLowTest, OneColourGivesOneEntryWhateverN) {
    struct Case {
        int width, height;
        Rgb colour;
        Rgb entry;
    } cases[] = {
        {6, 5, kBlack, {0, 0, 0}},
        {6, 5, kWhite, {255, 255, 255}},
        {6, 5, {100, 150, 200}, {102, 153, 204}},
        {16, 16, {15, 16, 31}, {0, 17, 17}},
        // One pixel wide or high: every sample is on the edge.
        {1, 1, {100, 150, 200}, {102, 153, 204}},
        {1, 7, kRed, {255, 0, 0}},
        {7, 1, kBlue, {0, 0, 255}},
    };
    for (const Case& c : cases) {
        for (int n : {2, 64, 256}) {
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " n=" << n);
            auto picture = Flat(c.width, c.height, c.colour);
            auto map = EmptyMap(c.width, c.height);
            std::memset(map->Bits(), 9, map->ImageBytes());
            ZoLow low(picture.get(), map.get(), nullptr, 0, status);
            ASSERT_EQ(low.Init(n, 0), 1);
            ASSERT_EQ(low.ColorCount(), 1);
            const LowColor& e = low.Palette()[0];
            EXPECT_EQ(e.red, c.entry.red);
            EXPECT_EQ(e.green, c.entry.green);
            EXPECT_EQ(e.blue, c.entry.blue);
            low.Map();
            EXPECT_EQ(RowsOf(*map), Rows(c.height, std::vector<uint8_t>(c.width, 0)));
            EXPECT_EQ(e.pixelCount, static_cast<uint32_t>(c.width * c.height));
            EXPECT_EQ(e.centralCount + e.outsideCount, e.pixelCount);
        }
    }
}

TEST_F(ZoLowTest, CentralAreaIsTheMiddleHalfWithoutItsEdges) {
    struct Case {
        int width, height;
        uint32_t central;
    } cases[] = {
        {10, 10, 36},     // x0 = 1, x1 = 8: columns 2..7
        {100, 100, 4900}, // x0 = 14, x1 = 85
        {7, 4, 6},        // columns 2..4, rows 1..2
        {3, 3, 1},
        {1, 1, 0},
        {2, 9, 0},        // x0 = 0, x1 = 1: no column lies strictly between
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        auto picture = Flat(c.width, c.height, kGreen);
        auto map = EmptyMap(c.width, c.height);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.Init(64, 0), 1);
        low.Map();
        const LowColor& e = low.Palette()[0];
        EXPECT_EQ(e.centralCount, c.central);
        EXPECT_EQ(e.outsideCount, static_cast<uint32_t>(c.width * c.height) - c.central);
    }
}

TEST_F(ZoLowTest, EntriesLieOnTheSeventeenStepGrid) {
    // 48 × 48 samples every pixel; each pixel of this picture is in a cell of its own.
    auto picture = Picture(48, 48, [](int x, int y) {
        return Rgb{static_cast<uint8_t>(x % 16 * 16 + 15), static_cast<uint8_t>(y % 16 * 16),
                   static_cast<uint8_t>((x / 16 * 3 + y / 16) * 16 + 7)};
    });
    auto map = EmptyMap(48, 48);
    for (int n : {2, 8, 64, 256}) {
        SCOPED_TRACE(n);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.Init(n, 0), 1);
        EXPECT_GE(low.ColorCount(), n * 3 / 4);
        EXPECT_LE(low.ColorCount(), n);
        for (int i = 0; i < low.ColorCount(); ++i) {
            const LowColor& e = low.Palette()[i];
            EXPECT_EQ(e.red, e.cellRed * 17);
            EXPECT_EQ(e.green, e.cellGreen * 17);
            EXPECT_EQ(e.blue, e.cellBlue * 17);
            HueColor hcy{e.red, e.green, e.blue, 0, 0, 0};
            RgbToHcy(hcy);
            EXPECT_EQ(e.hue, hcy.hue);
            EXPECT_EQ(e.chroma, hcy.chroma);
            EXPECT_EQ(e.luma, hcy.luma);
        }
    }
    // The extremes of the grid, and their hue-chroma-luma.
    auto twoColours = Picture(4, 4, [](int x, int) { return x < 2 ? kWhite : kBlack; });
    auto map4 = EmptyMap(4, 4);
    ZoLow low(twoColours.get(), map4.get(), nullptr, 0, status);
    ASSERT_EQ(low.Init(64, 0), 1);
    ASSERT_EQ(low.ColorCount(), 2);
    const LowColor& black = low.Palette()[0];
    const LowColor& white = low.Palette()[1];
    EXPECT_EQ(black.red + black.green + black.blue, 0);
    EXPECT_EQ(black.hue, 168);
    EXPECT_EQ(black.luma, 0);
    EXPECT_EQ(white.red & white.green & white.blue, 255);
    EXPECT_EQ(white.cellRed & white.cellGreen & white.cellBlue, 15);
    EXPECT_EQ(white.hue, 43);
    EXPECT_EQ(white.chroma, 0);
    EXPECT_EQ(white.luma, 255);
}

TEST_F(ZoLowTest, EqualWeightsGoInEnumerationOrder) {
    // Left and right halves of a 4 × 4 picture weigh the same; the sub-cube with the lower
    // red start, then green, then blue comes first, wherever its colour is in the picture.
    struct Case {
        const char* name;
        Rgb left, right, first;
    } cases[] = {
        {"black before white", kWhite, kBlack, kBlack},
        {"blue before red", kRed, kBlue, kBlue},
        {"blue before green", kGreen, kBlue, kBlue},
        {"green before red", kRed, kGreen, kGreen},
        {"already in order", kBlue, kRed, kBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto picture = Picture(4, 4, [&](int x, int) { return x < 2 ? c.left : c.right; });
        auto map = EmptyMap(4, 4);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.Init(64, 0), 1);
        ASSERT_EQ(low.ColorCount(), 2);
        EXPECT_TRUE(SameColour(low.Palette()[0], c.first));
        low.Map();
        EXPECT_EQ(map->Row(0)[0], SameColour(low.Palette()[0], c.left) ? 0 : 1);
    }
}

TEST_F(ZoLowTest, SamplesNearTheMiddleWeighMore) {
    // 5 × 5: a black ring of 16 pixels (weight 1 each, ISqrt(16) = 4) around a white 3 × 3
    // (8 × 3 + 6 = 30, ISqrt 5). The fewer white pixels win the first entry.
    auto picture = Picture(5, 5, [](int x, int y) {
        return (x == 0 || y == 0 || x == 4 || y == 4) ? kBlack : kWhite;
    });
    auto map = EmptyMap(5, 5);
    ZoLow low(picture.get(), map.get(), nullptr, 0, status);
    EXPECT_EQ(low.Histogram(100), 9);
    EXPECT_EQ(low.CellHistogram()[0], 4);
    EXPECT_EQ(low.CellHistogram()[4095], 5);
    ASSERT_EQ(low.Init(64, 0), 1);
    ASSERT_EQ(low.ColorCount(), 2);
    EXPECT_EQ(low.Palette()[0].red, 255);
    EXPECT_EQ(low.Palette()[1].red, 0);
}

TEST_F(ZoLowTest, HistogramSamplesAboutFiftyPerSide) {
    struct Case {
        const char* name;
        int width, height, a;
        int sum;
    } cases[] = {
        {"4 x 4, all 16 samples", 4, 4, 100, 4},  // 12 × 1 + 4 × 3 = 24
        // The shorter side gives half = 2: 16 edge pixels of 1 and 8 of 1 × 5 / 2 + 1 = 3.
        {"6 x 4, half of the shorter side", 6, 4, 100, 6},  // ISqrt(40)
        {"1 x 1", 1, 1, 100, 1},
        {"1 x 7, all on the edge", 1, 7, 100, 2},  // 7 × 1
        {"7 x 1", 7, 1, 100, 2},
        {"a below 2 takes one sample per step of the side", 4, 4, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto picture = Flat(c.width, c.height, kRed);
        auto map = EmptyMap(c.width, c.height);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        EXPECT_EQ(low.Histogram(c.a), c.sum);
        EXPECT_EQ(low.CellHistogram()[15 * 256], c.sum);
    }
    // 100 × 100 (100 / 50 = 2, made odd: 3) and 150 × 150 (3) sample every third pixel of
    // every third row: colours off that grid never reach the palette.
    for (int side : {100, 150}) {
        SCOPED_TRACE(side);
        auto picture = Picture(side, side, [](int x, int y) {
            return (x % 3 == 0 && y % 3 == 0) ? kGreen : kBlue;
        });
        auto map = EmptyMap(side, side);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.Init(64, 0), 1);
        ASSERT_EQ(low.ColorCount(), 1);
        EXPECT_EQ(low.Palette()[0].green, 255);
    }
}

TEST_F(ZoLowTest, ShiftCoarsensTheCells) {
    auto picture = Picture(4, 4, [](int x, int) { return x < 2 ? kWhite : kBlack; });
    auto map = EmptyMap(4, 4);
    struct Case {
        int shift;
        int colours;
        uint8_t firstRed, firstCell;  // palette[0] is black at every shift
        uint8_t secondRed, secondCell;
    } cases[] = {
        {-3, 2, 0, 0, 255, 15},  // counts as 0
        {0, 2, 0, 0, 255, 15},
        {1, 2, 0, 0, 238, 14},   // (255 >> 5) << 1 = 14
        {3, 2, 0, 0, 136, 8},
        {4, 1, 0, 0, 0, 0},      // every channel in cell 0
        {99, 1, 0, 0, 0, 0},     // as 4
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shift);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.Init(64, c.shift), 1);
        ASSERT_EQ(low.ColorCount(), c.colours);
        EXPECT_EQ(low.Palette()[0].red, c.firstRed);
        EXPECT_EQ(low.Palette()[0].cellRed, c.firstCell);
        if (c.colours == 2) {
            EXPECT_EQ(low.Palette()[1].red, c.secondRed);
            EXPECT_EQ(low.Palette()[1].cellGreen, c.secondCell);
        }
        low.Map();
        EXPECT_EQ(map->Row(3)[0], c.colours - 1) << "white maps to its own entry";
        EXPECT_EQ(map->Row(3)[3], 0);
    }
}

TEST_F(ZoLowTest, SplitNeverGrowsThePaletteBeyondItsEnd) {
    // Every one of the 2304 pixels is sampled and in a cell of its own.
    auto picture = Picture(48, 48, [](int x, int y) {
        return Rgb{static_cast<uint8_t>(x % 16 * 16), static_cast<uint8_t>(y % 16 * 16),
                   static_cast<uint8_t>((x / 16 * 3 + y / 16) * 16)};
    });
    auto map = EmptyMap(48, 48);
    ZoLow reference(picture.get(), map.get(), nullptr, 0, status);
    ASSERT_EQ(reference.Init(64, 0), 1);
    ASSERT_EQ(reference.ColorCount(), 64);

    ZoLow low(picture.get(), map.get(), nullptr, 0, status);
    const int total = low.Histogram(100);
    low.Split(LowCube{total, 4096, 0, 0, 0}, 16);
    EXPECT_EQ(low.ColorCount(), 256);

    // The shares divide by the weight found in the histogram, so a record whose weight is
    // wrong (or 0) gives the palette of the true weight instead of overrunning or dividing
    // by zero.
    for (int weight : {0, 1, total * 1000}) {
        SCOPED_TRACE(weight);
        ZoLow again(picture.get(), map.get(), nullptr, 0, status);
        again.Histogram(100);
        again.Split(LowCube{weight, 64, 0, 0, 0}, 16);
        ASSERT_EQ(again.ColorCount(), 64);
        for (int i = 0; i < 64; ++i) {
            const LowColor& a = again.Palette()[i];
            const LowColor& b = reference.Palette()[i];
            ASSERT_TRUE(a.cellRed == b.cellRed && a.cellGreen == b.cellGreen &&
                        a.cellBlue == b.cellBlue)
                << i;
        }
    }

    // Cubes that do not fit the colour cube, single cells and empty quotas give nothing.
    const LowCube outside[] = {{total, 8, 12, 0, 0}, {total, 8, 0, -1, 0}, {total, 8, 0, 0, 9}};
    for (const LowCube& cube : outside) {
        ZoLow none(picture.get(), map.get(), nullptr, 0, status);
        none.Histogram(100);
        none.Split(cube, 16);
        none.Split(LowCube{total, 8, 0, 0, 0}, 1);
        none.Split(LowCube{total, 0, 0, 0, 0}, 16);
        EXPECT_EQ(none.ColorCount(), 0);
    }
}

TEST_F(ZoLowTest, InverseMapTakesTheNearestLowestIndex) {
    auto picture = Picture(3, 1, [](int x, int) {
        return x == 0 ? Rgb{17, 0, 0} : (x == 1 ? Rgb{0, 85, 85} : Rgb{140, 140, 140});
    });
    auto map = EmptyMap(3, 1);
    const LowColor table[] = {Entry({34, 0, 0}, 0), Entry({0, 0, 0}, 0),
                              Entry({255, 255, 255}, 0), Entry({34, 0, 0}, 0)};
    ZoLow low(picture.get(), map.get(), table, 4, status);
    ASSERT_EQ(low.ColorCount(), 4);
    low.BuildInverse();
    const uint8_t* inverse = low.InverseMap();
    EXPECT_EQ(inverse[256 * 1], 0) << "cell (1,0,0) is 1 from entries 0 and 1: the lower wins";
    EXPECT_EQ(inverse[256 * 2], 0) << "entry 3 repeats entry 0 and is never chosen";
    EXPECT_EQ(inverse[0], 1);
    EXPECT_EQ(inverse[16 * 5 + 5], 1);
    EXPECT_EQ(inverse[256 * 7 + 16 * 7 + 7], 0);
    EXPECT_EQ(inverse[256 * 8 + 16 * 8 + 8], 2);
    EXPECT_EQ(inverse[4095], 2);
    low.Map();
    EXPECT_EQ(RowsOf(*map), (Rows{{0, 1, 2}}));
    EXPECT_EQ(low.Palette()[0].pixelCount, 1u);

    ZoLow empty(picture.get(), map.get(), nullptr, 0, status);
    empty.BuildInverse();
    for (int cell = 0; cell < ZoLow::kCells; ++cell) ASSERT_EQ(empty.InverseMap()[cell], 0);
}

TEST_F(ZoLowTest, NoRandomDraws) {
    auto picture = Picture(20, 20, [](int x, int y) {
        return Rgb{static_cast<uint8_t>(x * 12), static_cast<uint8_t>(y * 12), 40};
    });
    auto map = EmptyMap(20, 20);
    RandomState = 12345;
    ZoLow low(picture.get(), map.get(), nullptr, 0, status);
    ASSERT_EQ(low.Init(64, 0), 1);
    low.Map();
    low.Merge(8, 40, nullptr);
    ASSERT_EQ(low.Smooth(2), 1);
    EXPECT_EQ(RandomState, 12345u);
}

// ---- merging -----------------------------------------------------------------------------

TEST_F(ZoLowTest, MergeTakesDistantOccurringColours) {
    const std::vector<LowColor> fourColours = {Entry(kBlack, 10), Entry({17, 0, 0}, 5),
                                               Entry(kWhite, 3), Entry(kBlue, 0)};
    static const uint8_t zeroTable[256] = {};
    struct Case {
        const char* name;
        std::vector<LowColor> palette;
        int n, distance;
        const uint8_t* table;
        int representatives;
        std::vector<uint8_t> mergeMap;
    } cases[] = {
        // (17,0,0) lies 17 from black: the count stays far below n; blue never occurs but is
        // mapped to black, its nearest representative.
        {"distance 40 stops early", fourColours, 8, 40, nullptr, 2, {0, 0, 2, 0}},
        {"n below 2 counts as 2", fourColours, 1, 0, nullptr, 2, {0, 0, 2, 0}},
        {"distance 0 takes the next farthest", fourColours, 3, 0, nullptr, 3, {0, 1, 2, 0}},
        {"only occurring colours, whatever n", fourColours, 8, 0, nullptr, 3, {0, 1, 2, 0}},
        {"through a table", fourColours, 8, 1, zeroTable, 1, {0, 0, 0, 0}},
        // Entry 1 is 17 from both representatives: the one taken first (entry 2) wins.
        {"ties go to the earliest taken",
         {Entry({34, 0, 0}, 3), Entry({17, 0, 0}, 0), Entry(kBlack, 9)}, 2, 0, nullptr, 2,
         {0, 2, 2}},
        {"equal counts start at the lowest index", {Entry(kBlack, 4), Entry(kRed, 4)}, 2, 300,
         nullptr, 1, {0, 0}},
        // Red and blue are equally far from black: the lower index (red) is taken; blue,
        // farther from red than from black, is mapped to black.
        {"equal distances take the lowest index",
         {Entry(kBlack, 9), Entry(kRed, 1), Entry(kBlue, 1)}, 2, 40, nullptr, 2, {0, 1, 0}},
        {"a distance of exactly the limit is taken", {Entry(kBlack, 4), Entry(kRed, 4)}, 2, 255,
         nullptr, 2, {0, 1}},
        {"nothing occurs", {Entry(kBlack, 0), Entry(kWhite, 0)}, 4, 0, nullptr, 1, {0, 0}},
        {"no palette", {}, 4, 40, nullptr, 0, {}},
    };
    auto picture = Flat(2, 2, kBlack);
    auto map = EmptyMap(2, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZoLow low(picture.get(), map.get(), c.palette.data(), static_cast<int>(c.palette.size()),
                  status);
        low.Merge(c.n, c.distance, c.table);
        EXPECT_EQ(low.RepresentativeCount(), c.representatives);
        EXPECT_EQ(std::vector<uint8_t>(low.MergeMap(), low.MergeMap() + c.palette.size()),
                  c.mergeMap);
    }
}

TEST_F(ZoLowTest, MergeAfterMapUsesThePixelCounts) {
    // Three pixels of dark red against one of black: dark red becomes the first representative.
    auto picture = Picture(4, 1, [](int x, int) { return x == 0 ? kBlack : Rgb{40, 0, 0}; });
    auto map = EmptyMap(4, 1);
    ZoLow low(picture.get(), map.get(), nullptr, 0, status);
    ASSERT_EQ(low.Init(64, 0), 1);
    ASSERT_EQ(low.ColorCount(), 2);
    low.Map();
    const int darkRed = map->Row(0)[1];
    EXPECT_EQ(low.Palette()[darkRed].pixelCount, 3u);
    low.Merge(4, 40, nullptr);
    EXPECT_EQ(low.RepresentativeCount(), 1);
    EXPECT_EQ(low.MergeMap()[0], darkRed);
    EXPECT_EQ(low.MergeMap()[1], darkRed);
}

// ---- cleaning the map --------------------------------------------------------------------

TEST_F(ZoLowTest, MajorityRulesInOrder) {
    // The 3 × 3 neighbourhood of the middle pixel, in storage order: previous row, own row,
    // next row. Unnamed neighbours all differ.
    struct Case {
        const char* name;
        uint8_t pl, p, pr, l, r, nl, n, nr;
        uint8_t smooth, pairs;  // the middle pixel (5) after one pass
    } cases[] = {
        {"1 L = R", 1, 2, 3, 20, 20, 7, 8, 9, 20, 20},
        {"1 before 2", 1, 30, 3, 20, 20, 7, 30, 9, 20, 20},
        {"2 P = N", 1, 30, 3, 4, 6, 7, 30, 9, 30, 30},
        {"2 before 3", 40, 30, 3, 4, 6, 7, 30, 40, 30, 30},
        {"3 PL = NR", 40, 2, 3, 4, 6, 7, 8, 40, 40, 40},
        {"3 before 4", 40, 2, 50, 4, 6, 50, 8, 40, 40, 40},
        {"4 PR = NL", 1, 2, 50, 4, 6, 50, 8, 9, 50, 50},
        {"4 before 5", 60, 2, 50, 4, 60, 50, 8, 9, 50, 50},
        {"5 PL = R", 60, 2, 3, 4, 60, 7, 8, 9, 60, 5},
        {"6 PL = N", 61, 2, 3, 4, 6, 7, 61, 9, 61, 5},
        {"6 before 7", 61, 2, 62, 62, 6, 7, 61, 9, 61, 5},
        {"7 PR = L", 1, 2, 62, 62, 6, 7, 8, 9, 62, 5},
        {"8 PR = N", 1, 2, 63, 4, 6, 7, 63, 9, 63, 5},
        {"8 before 9", 1, 2, 63, 4, 64, 64, 63, 9, 63, 5},
        {"9 NL = R", 1, 2, 3, 4, 64, 64, 8, 9, 64, 5},
        {"10 NL = P", 1, 65, 3, 4, 6, 65, 8, 9, 65, 5},
        {"10 before 11", 1, 65, 3, 66, 6, 65, 8, 66, 65, 5},
        {"11 NR = L", 1, 2, 3, 66, 6, 7, 8, 66, 66, 5},
        {"12 NR = P", 1, 67, 3, 4, 6, 7, 8, 67, 67, 5},
        {"13 all differ", 1, 2, 3, 4, 6, 7, 8, 9, 5, 5},
    };
    auto picture = Flat(3, 3, kBlack);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Rows rows = {{c.pl, c.p, c.pr}, {c.l, 5, c.r}, {c.nl, c.n, c.nr}};
        auto map = MapOf(rows);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.Smooth(1), 1);
        EXPECT_EQ(map->Row(1)[1], c.smooth);
        auto pairsMap = MapOf(rows);
        ZoLow pairs(picture.get(), pairsMap.get(), nullptr, 0, status);
        ASSERT_EQ(pairs.SmoothPairs(1), 1);
        EXPECT_EQ(pairsMap->Row(1)[1], c.pairs);
    }
}

TEST_F(ZoLowTest, StripesOnePixelWide) {
    auto picture = Flat(5, 3, kBlack);
    // A vertical stripe of A = 7 between two areas of B = 2 becomes B (rule 1).
    auto vertical = MapOf({{2, 2, 7, 2, 2}, {2, 2, 7, 2, 2}, {2, 2, 7, 2, 2}});
    ZoLow low(picture.get(), vertical.get(), nullptr, 0, status);
    ASSERT_EQ(low.Smooth(1), 1);
    EXPECT_EQ(RowsOf(*vertical), Rows(3, std::vector<uint8_t>(5, 2)));
    // A horizontal stripe stays: its left and right neighbours equal it.
    const Rows horizontalRows = {{2, 2, 2, 2, 2}, {7, 7, 7, 7, 7}, {2, 2, 2, 2, 2}};
    auto horizontal = MapOf(horizontalRows);
    ZoLow again(picture.get(), horizontal.get(), nullptr, 0, status);
    ASSERT_EQ(again.Smooth(4), 1);
    EXPECT_EQ(RowsOf(*horizontal), horizontalRows);
}

TEST_F(ZoLowTest, EachPassReadsTheMapAsItWasBefore) {
    struct Case {
        Rows before;
        int passes;
        Rows after;
    } cases[] = {
        // One row: the row before and after repeat it, so P = N holds wherever L != R.
        {{{0, 1, 0, 1}}, 1, {{0, 0, 1, 1}}},
        {{{0, 1, 0, 1, 0, 1}}, 1, {{0, 0, 1, 0, 1, 1}}},
        {{{0, 1, 0, 1, 0, 1}}, 2, {{0, 0, 0, 1, 1, 1}}},
        {{{0, 1, 0, 1, 0, 1}}, 0, {{0, 1, 0, 1, 0, 1}}},
        // The middle pixel sees P = N = 9 only in the rows from before the pass: row 0 has
        // already become 3 3 3 when row 1 is worked out.
        {{{3, 9, 3}, {4, 5, 6}, {1, 9, 1}}, 1, {{3, 3, 3}, {4, 9, 6}, {1, 1, 1}}},
        // One pixel, one column: left and right repeat the pixel itself.
        {{{3}}, 4, {{3}}},
        {{{0}, {1}, {0}, {1}}, 2, {{0}, {1}, {0}, {1}}},
    };
    for (const Case& c : cases) {
        const int width = static_cast<int>(c.before[0].size());
        const int height = static_cast<int>(c.before.size());
        SCOPED_TRACE(testing::Message() << width << "x" << height << " passes " << c.passes);
        auto picture = Flat(width, height, kBlack);
        auto map = MapOf(c.before);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.Smooth(c.passes), 1);
        EXPECT_EQ(RowsOf(*map), c.after);
    }
}

TEST_F(ZoLowTest, SmoothMaskedChangesOnlyBelowTheLimit) {
    auto picture = Flat(5, 3, kBlack);
    const Rows stripe = {{2, 2, 7, 2, 2}, {2, 2, 7, 2, 2}, {2, 2, 7, 2, 2}};
    auto mask = MapOf({{9, 9, 10, 9, 9}, {9, 9, 200, 9, 9}, {9, 9, 99, 9, 9}});
    struct Case {
        int limit;
        bool pairsOnly;
        Rows after;
    } cases[] = {
        {0, false, stripe},
        {10, false, stripe},
        {11, false, {{2, 2, 2, 2, 2}, {2, 2, 7, 2, 2}, {2, 2, 7, 2, 2}}},
        {100, false, {{2, 2, 2, 2, 2}, {2, 2, 7, 2, 2}, {2, 2, 2, 2, 2}}},
        {100, true, {{2, 2, 2, 2, 2}, {2, 2, 7, 2, 2}, {2, 2, 2, 2, 2}}},
        {256, false, Rows(3, std::vector<uint8_t>(5, 2))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "limit " << c.limit << (c.pairsOnly ? " pairs" : ""));
        auto map = MapOf(stripe);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        const int result = c.pairsOnly ? low.SmoothPairsMasked(1, mask.get(), c.limit)
                                       : low.SmoothMasked(1, mask.get(), c.limit);
        ASSERT_EQ(result, 1);
        EXPECT_EQ(RowsOf(*map), c.after);
    }
}

TEST_F(ZoLowTest, SmoothMaskedRefusesAMaskOfAnotherShape) {
    auto picture = Flat(5, 3, kBlack);
    const Rows stripe = {{2, 2, 7, 2, 2}, {2, 2, 7, 2, 2}, {2, 2, 7, 2, 2}};
    auto narrow = EmptyMap(4, 3);
    auto colour = Flat(5, 3, kBlack);
    const TDib* masks[] = {nullptr, narrow.get(), colour.get()};
    for (const TDib* mask : masks) {
        auto map = MapOf(stripe);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        EXPECT_EQ(low.SmoothMasked(1, mask, 255), 0);
        EXPECT_STREQ(status, "Low:Invalid Dib.");
        EXPECT_EQ(low.SmoothPairsMasked(1, mask, 255), 0);
        EXPECT_EQ(RowsOf(*map), stripe);
    }
}

// ---- operations no phase calls -----------------------------------------------------------

TEST_F(ZoLowTest, MapBlocksInterpolatesBetweenBlockCorners) {
    // Columns black, red, white. Blocks of 2 put column 1 between black and white: grey
    // (127,127,127), cell 7, which is nearest to black. Blocks of 1 are the plain map.
    auto picture = Picture(3, 3, [](int x, int) { return x == 0 ? kBlack : (x == 1 ? kRed : kWhite); });
    auto map = EmptyMap(3, 3);
    ZoLow low(picture.get(), map.get(), nullptr, 0, status);
    ASSERT_EQ(low.Init(64, 0), 1);
    ASSERT_EQ(low.ColorCount(), 3);
    low.Map();
    const Rows plain = RowsOf(*map);
    const uint8_t black = plain[0][0], red = plain[0][1], white = plain[0][2];
    EXPECT_NE(red, black);
    for (int n : {1, 0, -4}) {
        std::memset(map->Bits(), 99, map->ImageBytes());
        low.MapBlocks(n);
        EXPECT_EQ(RowsOf(*map), plain) << n;
    }
    low.MapBlocks(2);
    EXPECT_EQ(RowsOf(*map), Rows(3, std::vector<uint8_t>{black, black, white}));
    low.MapBlocks(7);  // as 3, the shorter side: the same corners
    EXPECT_EQ(RowsOf(*map), Rows(3, std::vector<uint8_t>{black, black, white}));
}

TEST_F(ZoLowTest, ClassMeansAveragesTheSourcePerClass) {
    auto picture = Picture(4, 1, [](int x, int) {
        const Rgb colours[] = {{10, 20, 30}, {20, 40, 61}, {200, 0, 0}, {0, 0, 0}};
        return colours[x];
    });
    auto map = MapOf({{1, 2, 3, 4}});
    uint8_t classes[256] = {};
    classes[1] = 5;
    classes[2] = 5;
    classes[3] = 6;
    classes[4] = 0;
    ZoLow low(picture.get(), map.get(), nullptr, 0, status);
    uint8_t red[256], green[256], blue[256];
    std::memset(red, 77, 256);
    ASSERT_EQ(low.ClassMeans(classes, red, green, blue), 1);
    EXPECT_EQ(red[5], 15);
    EXPECT_EQ(green[5], 30);
    EXPECT_EQ(blue[5], 45);  // 91 / 2 truncates
    EXPECT_EQ(red[6], 200);
    EXPECT_EQ(red[0], 0);
    EXPECT_EQ(red[7], 0) << "an empty class gives 0";
    EXPECT_EQ(low.ClassMeans(nullptr, red, green, blue), 0);
    EXPECT_STREQ(status, "Low:Parameter.");
}

TEST_F(ZoLowTest, ClassMeansOfALargePictureDoNotOverflow) {
    // 9 million white pixels: each channel sums to more than 2^31.
    auto picture = Flat(3000, 3000, kWhite);
    auto map = EmptyMap(3000, 3000);
    uint8_t classes[256] = {};
    uint8_t red[256], green[256], blue[256];
    ZoLow low(picture.get(), map.get(), nullptr, 0, status);
    ASSERT_EQ(low.ClassMeans(classes, red, green, blue), 1);
    EXPECT_EQ(red[0], 255);
    EXPECT_EQ(green[0], 255);
    EXPECT_EQ(blue[0], 255);
}

TEST_F(ZoLowTest, ModeFiltersTakeTheMostFrequentIndex) {
    auto picture = Flat(4, 3, kBlack);
    const Rows before = {{1, 1, 2, 2}, {1, 3, 2, 2}, {1, 1, 3, 3}};
    struct Case {
        const char* name;
        int r;
        Rows after;
    } cases[] = {
        // (2,2) sees 3 three times; (3,2) sees 2 and 3 twice each and takes the lower.
        {"radius 1", 1, {{1, 1, 2, 2}, {1, 1, 2, 2}, {1, 1, 3, 2}}},
        {"radius 0 changes nothing", 0, before},
        {"a radius beyond the picture takes the whole map", 9, Rows(3, std::vector<uint8_t>(4, 1))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto map = MapOf(before);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.ModeFilter(c.r), 1);
        EXPECT_EQ(RowsOf(*map), c.after);
    }
    // With k = 0 every radius is 1: the same as ModeFilter(1). A negative k gives radius 0.
    uint8_t table[256];
    for (int i = 0; i < 256; ++i) table[i] = static_cast<uint8_t>(i);
    auto radii = MapOf({{255, 255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 255}});
    struct ByMap {
        int k;
        Rows after;
    } byMap[] = {{0, cases[0].after}, {-256, before}, {1 << 30, cases[2].after}};
    for (const ByMap& c : byMap) {
        SCOPED_TRACE(c.k);
        auto map = MapOf(before);
        ZoLow low(picture.get(), map.get(), nullptr, 0, status);
        ASSERT_EQ(low.ModeFilterByMap(c.k, table, radii.get()), 1);
        EXPECT_EQ(RowsOf(*map), c.after);
    }
}

TEST_F(ZoLowTest, CrossMedianLeavesTheBorder) {
    auto picture = Flat(4, 4, kBlack);
    auto map = MapOf({{9, 9, 9, 9}, {9, 0, 5, 9}, {9, 5, 5, 9}, {1, 1, 1, 1}});
    ZoLow low(picture.get(), map.get(), nullptr, 0, status);
    ASSERT_EQ(low.CrossMedian(), 1);
    // (1,1): median of 0, 9, 5, 9, 5 is 5; (2,1): 5, 0, 9, 9, 5 -> 5;
    // (1,2): 5, 9, 5, 0, 1 -> 5; (2,2): 5, 5, 9, 5, 1 -> 5.
    EXPECT_EQ(RowsOf(*map), (Rows{{9, 9, 9, 9}, {9, 5, 5, 9}, {9, 5, 5, 9}, {1, 1, 1, 1}}));
    auto thinPicture = Flat(3, 2, kBlack);
    auto thin = MapOf({{1, 2, 1}, {2, 1, 2}});
    ZoLow small(thinPicture.get(), thin.get(), nullptr, 0, status);
    EXPECT_EQ(small.CrossMedian(), 1);
    EXPECT_EQ(RowsOf(*thin), (Rows{{1, 2, 1}, {2, 1, 2}}));
}

}  // namespace
