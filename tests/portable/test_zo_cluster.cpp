// ZoCluster: the neighbourhood filters.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/status_text.h"
#include "engine/zo_cluster.h"
#include "imaging/dib.h"

namespace {

using Colour = std::array<int, 3>;  // blue, green, red

constexpr uint8_t kUntouched = 0xAB;

// A 24-bit picture filled with kUntouched, padding included, so that stray writes show.
std::unique_ptr<TDib> Blank(int width, int height) {
    std::unique_ptr<TDib> dib = TDib::Create24(width, height);
    std::memset(dib->Bits(), kUntouched, dib->ImageBytes());
    return dib;
}

// A grey picture from values listed row by row in storage order (row 0 first).
std::unique_ptr<TDib> Grey(int width, int height, std::initializer_list<int> values) {
    std::unique_ptr<TDib> dib = Blank(width, height);
    EXPECT_EQ(values.size(), static_cast<size_t>(width) * height) << "one value per pixel";
    auto value = values.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width && value != values.end(); ++x, ++value)
            std::memset(dib->Row(y) + 3 * x, *value, 3);
    return dib;
}

std::unique_ptr<TDib> Picture(int width, int height, const std::function<Colour(int, int)>& at) {
    std::unique_ptr<TDib> dib = Blank(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Colour colour = at(x, y);
            for (int c = 0; c < 3; ++c) dib->Row(y)[3 * x + c] = static_cast<uint8_t>(colour[c]);
        }
    return dib;
}

// A rough picture with unrelated channels.
std::unique_ptr<TDib> Rough(int width, int height) {
    return Picture(width, height, [](int x, int y) {
        return Colour{(x * 37 + y * 11) % 256, (x * x * 5 + y * 29) % 256, (x * y * 13 + 7 * y) % 256};
    });
}

std::unique_ptr<TDib> Copy(const TDib& dib) {
    std::unique_ptr<TDib> copy = TDib::Create24(dib.Width(), dib.Height());
    std::memcpy(copy->Bits(), dib.Bits(), dib.ImageBytes());
    return copy;
}

std::unique_ptr<TDib> Map8(int width, int height, std::initializer_list<int> values) {
    std::unique_ptr<TDib> map = TDib::Create8(width, height);
    std::memset(map->Bits(), 0, map->ImageBytes());
    auto value = values.begin();
    for (int y = 0; y < height && value != values.end(); ++y)
        for (int x = 0; x < width && value != values.end(); ++x, ++value)
            map->Row(y)[x] = static_cast<uint8_t>(*value);
    return map;
}

Colour At(const TDib& dib, int x, int y) {
    const uint8_t* p = dib.Row(y) + 3 * x;
    return Colour{p[0], p[1], p[2]};
}

// The blue channel of every pixel in storage order (the grey value of a grey picture).
std::vector<int> Blues(const TDib& dib) {
    std::vector<int> values;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x) values.push_back(dib.Row(y)[3 * x]);
    return values;
}

bool SamePixels(const TDib& a, const TDib& b) {
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.Row(y), b.Row(y), 3 * static_cast<size_t>(a.Width())) != 0) return false;
    return true;
}

bool PaddingUntouched(const TDib& dib) {
    for (int y = 0; y < dib.Height(); ++y)
        for (int i = 3 * dib.Width(); i < dib.RowBytes(); ++i)
            if (dib.Row(y)[i] != kUntouched) return false;
    return true;
}

// A 256-entry table that is 0 except for the given entries.
std::array<uint8_t, 256> Table(std::initializer_list<std::pair<int, int>> entries) {
    std::array<uint8_t, 256> table{};
    for (const auto& entry : entries) table[entry.first] = static_cast<uint8_t>(entry.second);
    return table;
}

// A 3 × 3 grey picture: the centre and its ring of neighbours (all the same value).
std::unique_ptr<TDib> Centred(int centre, int neighbours) {
    const int n = neighbours;
    return Grey(3, 3, {n, n, n, n, centre, n, n, n, n});
}

// Runs `filter` from a source picture into a blank output and returns the output.
std::unique_ptr<TDib> Filtered(const TDib& input, const std::function<void(ZoCluster&)>& filter) {
    std::unique_ptr<TDib> first = Copy(input);
    std::unique_ptr<TDib> second = Blank(input.Width(), input.Height());
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    filter(cluster);
    EXPECT_TRUE(SamePixels(*first, input)) << "the input is only read";
    return second;
}

// ---- construction --------------------------------------------------------------------------

TEST(ZoCluster, ConstructorChecksTheTwoImages) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TDib>()> first;
        std::function<std::unique_ptr<TDib>()> second;
        int valid;
        const char* status;
    };
    const Case cases[] = {
        {"equal sizes", [] { return Blank(4, 3); }, [] { return Blank(4, 3); }, 1, "Cluster:"},
        {"no first", [] { return nullptr; }, [] { return Blank(4, 3); }, 0, "Cluster:Invalid Dib."},
        {"no second", [] { return Blank(4, 3); }, [] { return nullptr; }, 0, "Cluster:Invalid Dib."},
        {"other width", [] { return Blank(4, 3); }, [] { return Blank(5, 3); }, 0,
         "Cluster:Invalid Dib."},
        {"other height", [] { return Blank(4, 3); }, [] { return Blank(4, 2); }, 0,
         "Cluster:Invalid Dib."},
        // One row length serves both images, so an 8-bit image would be overrun.
        {"8-bit second", [] { return Blank(4, 3); }, [] { return TDib::Create8(4, 3); }, 0,
         "Cluster:Invalid Dib."},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TDib> first = c.first();
        std::unique_ptr<TDib> second = c.second();
        char status[kStatusSize] = "old text";
        ZoCluster cluster(first.get(), second.get(), status);
        EXPECT_EQ(cluster.IsValid(), c.valid) << c.name;
        EXPECT_STREQ(status, c.status) << c.name;
    }
}

TEST(ZoCluster, InvalidObjectChangesNothing) {
    std::unique_ptr<TDib> first = Rough(8, 8);
    std::unique_ptr<TDib> second = Blank(8, 7);
    const std::unique_ptr<TDib> original = Copy(*first);
    const std::unique_ptr<TDib> map = Map8(8, 8, {});
    const std::array<uint8_t, 256> table = Table({{0, 255}});
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    ASSERT_EQ(cluster.IsValid(), 0);

    EXPECT_EQ(cluster.Sharpen(7, 1), 0);
    EXPECT_EQ(cluster.PairSmooth(1), 0);
    EXPECT_EQ(cluster.Denoise(0), 0);
    EXPECT_EQ(cluster.WedgeSmooth(1, 0), 0);
    EXPECT_EQ(cluster.DirectionalSmooth(map.get(), table.data(), table.data(), 10), 0);
    EXPECT_EQ(cluster.GrowingMean(2, 255, 1), 0);
    for (int direction : {0, 1}) {
        cluster.CopyBorder(direction);
        cluster.Soften(direction);
        cluster.RangeSmooth(table.data(), direction);
        cluster.MapSharpen(map.get(), table.data(), table.data(), direction);
        cluster.SmoothInPlace(direction);
    }
    EXPECT_TRUE(SamePixels(*first, *original));
    EXPECT_TRUE(std::all_of(second->Bits(), second->Bits() + second->ImageBytes(),
                            [](uint8_t b) { return b == kUntouched; }));
    EXPECT_STREQ(status, "Cluster:Invalid Dib.") << "the filters add no text";
}

// ---- the direction argument ----------------------------------------------------------------

struct NamedFilter {
    const char* name;
    std::function<void(ZoCluster&, int direction)> run;
};

std::vector<NamedFilter> DirectionalFilters() {
    static const std::array<uint8_t, 256> ramp = [] {
        std::array<uint8_t, 256> t{};
        for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i / 4 + 3);
        return t;
    }();
    static const std::unique_ptr<TDib> map = Map8(8, 8, {0, 50, 100, 150, 200, 250, 30, 90, 170});
    return {
        {"CopyBorder", [](ZoCluster& z, int d) { z.CopyBorder(d); }},
        {"Soften", [](ZoCluster& z, int d) { z.Soften(d); }},
        {"Sharpen", [](ZoCluster& z, int d) { z.Sharpen(7, d); }},
        {"WedgeSmooth", [](ZoCluster& z, int d) { z.WedgeSmooth(d, 0); }},
        {"WedgeSmooth mode 1", [](ZoCluster& z, int d) { z.WedgeSmooth(d, 1); }},
        {"PairSmooth", [](ZoCluster& z, int d) { z.PairSmooth(d); }},
        {"RangeSmooth", [](ZoCluster& z, int d) { z.RangeSmooth(ramp.data(), d); }},
        {"MapSharpen",
         [](ZoCluster& z, int d) { z.MapSharpen(map.get(), ramp.data(), ramp.data(), d); }},
        {"LineSmooth", [](ZoCluster& z, int d) { z.LineSmooth(3, d); }},
        {"WedgeMean", [](ZoCluster& z, int d) { z.WedgeMean(d); }},
        {"TableSharpen", [](ZoCluster& z, int d) { z.TableSharpen(ramp.data(), d); }},
        {"MiddlePairSmooth", [](ZoCluster& z, int d) { z.MiddlePairSmooth(d); }},
        {"Median5", [](ZoCluster& z, int d) { z.Median5(d); }},
        {"SideSharpen", [](ZoCluster& z, int d) { z.SideSharpen(ramp.data(), d); }},
        {"GrowingMean", [](ZoCluster& z, int d) { z.GrowingMean(2, 255, d); }},
    };
}

TEST(ZoCluster, DirectionChoosesWhichImageIsRead) {
    const std::unique_ptr<TDib> picture = Rough(8, 8);
    for (const NamedFilter& filter : DirectionalFilters()) {
        SCOPED_TRACE(filter.name);
        char status[kStatusSize] = "";
        // Non-zero: first -> second (any non-zero value).
        std::unique_ptr<TDib> forwardFirst = Copy(*picture);
        std::unique_ptr<TDib> forwardSecond = Blank(8, 8);
        ZoCluster forward(forwardFirst.get(), forwardSecond.get(), status);
        filter.run(forward, 5);
        // 0: second -> first.
        std::unique_ptr<TDib> backFirst = Blank(8, 8);
        std::unique_ptr<TDib> backSecond = Copy(*picture);
        ZoCluster back(backFirst.get(), backSecond.get(), status);
        filter.run(back, 0);

        EXPECT_TRUE(SamePixels(*forwardFirst, *picture)) << "input unchanged";
        EXPECT_TRUE(SamePixels(*backSecond, *picture)) << "input unchanged";
        EXPECT_TRUE(SamePixels(*forwardSecond, *backFirst)) << "same result either way";
        EXPECT_TRUE(PaddingUntouched(*forwardSecond));
        if (std::string(filter.name) != "CopyBorder") {
            EXPECT_FALSE(SamePixels(*forwardSecond, *picture)) << "the filter changed something";
        }
    }
}

// ---- CopyBorder, Soften, Sharpen -----------------------------------------------------------

TEST(ZoCluster, CopyBorderCopiesOnlyTheFrame) {
    const std::unique_ptr<TDib> picture = Rough(4, 3);
    const std::unique_ptr<TDib> out = Filtered(*picture, [](ZoCluster& z) { z.CopyBorder(1); });
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool border = x == 0 || x == 3 || y == 0 || y == 2;
            if (border)
                EXPECT_EQ(At(*out, x, y), At(*picture, x, y)) << x << "," << y;
            else
                EXPECT_EQ(At(*out, x, y), (Colour{kUntouched, kUntouched, kUntouched}));
        }
}

TEST(ZoCluster, UniformPictureIsKeptByTheSmoothingFilters) {
    const Colour colour{17, 140, 233};
    const std::unique_ptr<TDib> flat = Picture(5, 4, [&](int, int) { return colour; });
    const std::array<uint8_t, 256> full = Table({{0, 255}});
    const NamedFilter filters[] = {
        {"Soften", [](ZoCluster& z, int d) { z.Soften(d); }},
        {"Sharpen 7", [](ZoCluster& z, int d) { z.Sharpen(7, d); }},
        {"Sharpen 8", [](ZoCluster& z, int d) { z.Sharpen(8, d); }},
        {"RangeSmooth", [&](ZoCluster& z, int d) { z.RangeSmooth(full.data(), d); }},
        {"PairSmooth", [](ZoCluster& z, int d) { z.PairSmooth(d); }},
    };
    for (const NamedFilter& filter : filters) {
        const std::unique_ptr<TDib> out =
            Filtered(*flat, [&](ZoCluster& z) { filter.run(z, 1); });
        EXPECT_TRUE(SamePixels(*out, *flat)) << filter.name;
    }
    std::unique_ptr<TDib> first = Copy(*flat);
    std::unique_ptr<TDib> second = Blank(5, 4);
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    cluster.SmoothInPlace(1);
    EXPECT_TRUE(SamePixels(*first, *flat)) << "SmoothInPlace";
}

TEST(ZoCluster, SoftenAveragesEachChannelWithItsNeighbourMean) {
    // Channels differ so that each is shown to be filtered on its own.
    const std::unique_ptr<TDib> picture = Picture(3, 3, [](int x, int y) {
        if (x == 1 && y == 1) return Colour{100, 0, 255};
        return Colour{10 * (x + 3 * y + 1), 7, 0};
    });
    // Blue neighbours 10+20+30+40+60+70+80+90 = 400, mean 50: (100 + 50) >> 1 = 75.
    // Green mean 7: (0 + 7) >> 1 = 3. Red mean 0: 255 >> 1 = 127.
    const std::unique_ptr<TDib> out = Filtered(*picture, [](ZoCluster& z) { z.Soften(1); });
    EXPECT_EQ(At(*out, 1, 1), (Colour{75, 3, 127}));
    EXPECT_EQ(At(*out, 0, 0), At(*picture, 0, 0)) << "border copied";
    EXPECT_EQ(At(*out, 2, 1), At(*picture, 2, 1)) << "border copied";
}

TEST(ZoCluster, SharpenShiftsTowardMinusInfinity) {
    struct Case {
        int level;
        int centre;
        int neighbours;
        int expected;
    };
    const Case cases[] = {
        {7, 100, 101, 99},   // (-1) >> 1 is -1: below the mean loses at least 1
        {7, 101, 100, 101},  // 1 >> 1 is 0: above it gains only from a difference of 2
        {7, 102, 100, 103},
        {5, 100, 101, 99},   // (-1) >> 3 is -1 as well
        {5, 107, 100, 107},
        {5, 108, 100, 109},
        {8, 200, 100, 255},  // 2c - m, clamped
        {8, 50, 150, 0},
        {9, 200, 100, 255},  // above 8 acts as 8 (no negative shift)
        {9, 120, 100, 140},
        {-40, 100, 101, 99},  // shift capped at 31: still the floor of a negative difference
        {-40, 101, 100, 101},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TDib> picture = Centred(c.centre, c.neighbours);
        const std::unique_ptr<TDib> out =
            Filtered(*picture, [&](ZoCluster& z) { EXPECT_EQ(z.Sharpen(c.level, 1), 1); });
        EXPECT_EQ(At(*out, 1, 1)[0], c.expected)
            << "level " << c.level << ", " << c.centre << " among " << c.neighbours;
    }
}

TEST(ZoCluster, SharpenUsesTheTruncatedNeighbourMean) {
    // Neighbours sum to 807, mean 807 >> 3 = 100; 104 + (4 >> 1) = 106.
    const std::unique_ptr<TDib> picture = Grey(3, 3, {100, 100, 100, 100, 104, 107, 100, 100, 100});
    const std::unique_ptr<TDib> out = Filtered(*picture, [](ZoCluster& z) { z.Sharpen(7, 1); });
    EXPECT_EQ(At(*out, 1, 1)[0], 106);
}

// A picture whose channels vary without a pattern, so that every window sees other values.
std::unique_ptr<TDib> Speckled(int width, int height) {
    uint32_t state = 12345;
    return Picture(width, height, [&state](int, int) {
        Colour colour;
        for (int& channel : colour) {
            state = state * 1103515245u + 12345u;
            channel = static_cast<int>((state >> 16) & 255);
        }
        return colour;
    });
}

int Channel(const TDib& dib, int x, int y, int c) { return dib.Row(y)[3 * x + c]; }

TEST(ZoCluster, NeighbourMeanFiltersMatchTheirDefinitionAcrossAPicture) {
    // Wide enough that the filters, which take a row in stretches of 512 pixels with the column
    // sums of each stretch, cross two stretch ends, and tall enough for several interior rows;
    // every expected value is read off the eight neighbours one by one.
    const int w = 1030;
    const int h = 7;
    const std::unique_ptr<TDib> picture = Speckled(w, h);
    std::array<uint8_t, 256> identity{};
    std::array<uint8_t, 256> push{};
    for (int i = 0; i < 256; ++i) {
        identity[i] = static_cast<uint8_t>(i);
        push[i] = static_cast<uint8_t>(std::min(255, 40 + i / 2));
    }
    std::unique_ptr<TDib> map = TDib::Create8(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) map->Row(y)[x] = static_cast<uint8_t>((x * 53 + y * 17) % 256);
    const auto pushed = [&push](int c, int m) {
        return c > m ? std::min(c + push[c - m], 255) : std::max(c - push[m - c], 0);
    };
    const auto floorShift = [](int value, int shift) {
        return static_cast<int>(std::floor(value / static_cast<double>(1 << shift)));
    };
    struct Case {
        const char* name;
        std::function<void(ZoCluster&)> run;
        // From the centre c, the neighbour mean m, the largest channel range r over the eight
        // neighbours and the map value at the pixel.
        std::function<int(int c, int m, int r, int mapValue)> expected;
    };
    const Case cases[] = {
        {"Soften", [](ZoCluster& z) { z.Soften(1); },
         [](int c, int m, int, int) { return (c + m) >> 1; }},
        {"Sharpen 5", [](ZoCluster& z) { z.Sharpen(5, 1); },
         [&](int c, int m, int, int) { return std::clamp(c + floorShift(c - m, 3), 0, 255); }},
        {"Sharpen 7", [](ZoCluster& z) { z.Sharpen(7, 1); },
         [&](int c, int m, int, int) { return std::clamp(c + floorShift(c - m, 1), 0, 255); }},
        {"RangeSmooth", [&](ZoCluster& z) { z.RangeSmooth(push.data(), 1); },
         [&](int c, int m, int r, int) { return c + (m - c) * (push[r] + 1) / 256; }},
        {"MapSharpen", [&](ZoCluster& z) { z.MapSharpen(map.get(), identity.data(), push.data(), 1); },
         [&](int c, int m, int, int s) { return m + (pushed(c, m) - m) * s / 256; }},
        {"TableSharpen", [&](ZoCluster& z) { z.TableSharpen(push.data(), 1); },
         [&](int c, int m, int, int) { return pushed(c, m); }},
    };
    for (const Case& test : cases) {
        const std::unique_ptr<TDib> out = Filtered(*picture, test.run);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                    ASSERT_EQ(At(*out, x, y), At(*picture, x, y)) << test.name << " border";
                    continue;
                }
                int sums[3] = {0, 0, 0};
                int range = 0;
                for (int c = 0; c < 3; ++c) {
                    int low = 255;
                    int high = 0;
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            if (dx == 0 && dy == 0) continue;
                            const int v = Channel(*picture, x + dx, y + dy, c);
                            sums[c] += v;
                            low = std::min(low, v);
                            high = std::max(high, v);
                        }
                    range = std::max(range, high - low);
                }
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(Channel(*out, x, y, c),
                              test.expected(Channel(*picture, x, y, c), sums[c] / 8, range,
                                            map->Row(y)[x]))
                        << test.name << " at " << x << "," << y << " channel " << c;
            }
    }
}

// ---- WedgeSmooth and WedgeMean -------------------------------------------------------------

// 7 × 7 with only (3, 3) computed. Rows 0..2 and the centre in `calm`, the rest noisy, so that
// wedge 3 (toward decreasing y) is the only one without spread.
std::unique_ptr<TDib> CalmBelow(Colour calm) {
    return Picture(7, 7, [calm](int x, int y) {
        if (y < 3 || (x == 3 && y == 3)) return calm;
        return Colour{(x * 71 + y * 23) % 256, (x * 13 + y * 97) % 256, (x * y * 29) % 256};
    });
}

TEST(ZoCluster, WedgeSmoothComputesOnlyPixelsThreeFromEveryEdge) {
    const std::unique_ptr<TDib> picture = CalmBelow({60, 80, 90});
    const std::unique_ptr<TDib> out =
        Filtered(*picture, [](ZoCluster& z) { EXPECT_EQ(z.WedgeSmooth(1, 0), 1); });
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (x != 3 || y != 3) {
                EXPECT_EQ(At(*out, x, y), At(*picture, x, y)) << x << "," << y;
            }
    // Wedge 3 wins: its means with the number 3 in the low bits of blue and red.
    EXPECT_EQ(At(*out, 3, 3), (Colour{61, 80, 91}));
}

TEST(ZoCluster, WedgeSmoothTiesGoToTheLowerWedge) {
    struct Case {
        const char* name;
        std::function<bool(int, int)> calm;  // which pixels hold the calm colour
        Colour expected;
    };
    const Colour calm{61, 80, 93};
    const Case cases[] = {
        // All four wedges without spread: wedge 0, both marker bits cleared.
        {"uniform", [](int, int) { return true; }, {60, 80, 92}},
        // The column strip x = 2..4 is calm: wedges 1 and 3 tie, wedge 1 wins (blue bit set).
        {"wedges 1 and 3", [](int x, int) { return x >= 2 && x <= 4; }, {61, 80, 92}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TDib> picture = Picture(7, 7, [&](int x, int y) {
            if (c.calm(x, y)) return calm;
            return Colour{(x * 71 + y * 23) % 256, (x * 13 + y * 97) % 256, (x * y * 29) % 256};
        });
        const std::unique_ptr<TDib> out =
            Filtered(*picture, [](ZoCluster& z) { z.WedgeSmooth(1, 0); });
        EXPECT_EQ(At(*out, 3, 3), c.expected) << c.name;
    }
}

TEST(ZoCluster, WedgeSmoothModeOneFollowsTheMarker) {
    // The calm wedge is 3, but the centre's bits name wedge 2 (red odd, blue even): the pixels
    // toward decreasing x. Make those a known colour so that their means can be read off.
    const std::unique_ptr<TDib> picture = Picture(7, 7, [](int x, int y) {
        if (x == 3 && y == 3) return Colour{40, 50, 41};
        if (y < 3) return Colour{40, 50, 41};
        if (x < 3) return Colour{120, 130, 140};
        return Colour{(x * 71 + y * 23) % 256, (x * 13 + y * 97) % 256, (x * y * 29) % 256};
    });
    // Wedge 2: the centre and (-1,1) (-2,1) (-1,0) (-2,0) (-3,0) (-1,-1) (-2,-1); of these the
    // centre and the two of row 2 are (40, 50, 41), the five others (120, 130, 140).
    // Means: blue (3×40 + 5×120) / 8 = 90, green (3×50 + 5×130) / 8 = 100,
    // red (3×41 + 5×140) / 8 = 102 (102.875), markers 2 kept: blue 90, red 103.
    const std::unique_ptr<TDib> out = Filtered(*picture, [](ZoCluster& z) { z.WedgeSmooth(1, 1); });
    EXPECT_EQ(At(*out, 3, 3), (Colour{90, 100, 103}));

    // A mode-1 pass over a mode-0 result repeats the first pass's choice.
    std::unique_ptr<TDib> first = CalmBelow({60, 80, 90});
    std::unique_ptr<TDib> second = Blank(7, 7);
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    cluster.WedgeSmooth(1, 0);
    cluster.WedgeSmooth(0, 1);
    EXPECT_EQ(At(*first, 3, 3), (Colour{61, 80, 91}));
}

TEST(ZoCluster, WedgeMeanWritesThePlainMeans) {
    const std::unique_ptr<TDib> picture = CalmBelow({60, 80, 90});
    const std::unique_ptr<TDib> out = Filtered(*picture, [](ZoCluster& z) { z.WedgeMean(1); });
    EXPECT_EQ(At(*out, 3, 3), (Colour{60, 80, 90}));
    EXPECT_EQ(At(*out, 2, 3), At(*picture, 2, 3));
}

TEST(ZoCluster, WedgeFiltersMatchTheWedgeTableAcrossAPicture) {
    // The (column, row) offsets of each wedge's seven pixels besides the centre, as listed.
    constexpr int kWedges[4][7][2] = {
        {{1, -1}, {2, -1}, {1, 0}, {2, 0}, {3, 0}, {1, 1}, {2, 1}},
        {{1, 1}, {1, 2}, {0, 1}, {0, 2}, {0, 3}, {-1, 1}, {-1, 2}},
        {{-1, 1}, {-2, 1}, {-1, 0}, {-2, 0}, {-3, 0}, {-1, -1}, {-2, -1}},
        {{-1, -1}, {-1, -2}, {0, -1}, {0, -2}, {0, -3}, {1, -1}, {1, -2}},
    };
    // Large enough that the rings of row sums behind the wedges turn over and every wedge is
    // taken at several pixels of several rows.
    const int w = 14;
    const int h = 11;
    const std::unique_ptr<TDib> picture = Speckled(w, h);
    const auto wedgeAt = [&](int x, int y, int k, int* means) {
        int sums[3] = {0, 0, 0};
        int squares = 0;
        for (int i = -1; i < 7; ++i) {
            const int px = i < 0 ? x : x + kWedges[k][i][0];
            const int py = i < 0 ? y : y + kWedges[k][i][1];
            for (int c = 0; c < 3; ++c) {
                const int v = Channel(*picture, px, py, c);
                sums[c] += v;
                squares += v * v;
            }
        }
        for (int c = 0; c < 3; ++c) means[c] = sums[c] / 8;
        return (squares - 8 * (means[0] * means[0] + means[1] * means[1] + means[2] * means[2])) /
               8;
    };
    enum Filter { kMode0, kMode1, kPlain };
    for (const Filter filter : {kMode0, kMode1, kPlain}) {
        const std::unique_ptr<TDib> out = Filtered(*picture, [filter](ZoCluster& z) {
            if (filter == kPlain)
                z.WedgeMean(1);
            else
                z.WedgeSmooth(1, filter == kMode0 ? 0 : 1);
        });
        int winners[4] = {0, 0, 0, 0};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (x < 3 || y < 3 || x >= w - 3 || y >= h - 3) {
                    ASSERT_EQ(At(*out, x, y), At(*picture, x, y)) << filter << " frame";
                    continue;
                }
                int wedge = 0;
                int means[3];
                if (filter == kMode1) {
                    wedge = 2 * (Channel(*picture, x, y, 2) & 1) + (Channel(*picture, x, y, 0) & 1);
                    wedgeAt(x, y, wedge, means);
                } else {
                    int best = wedgeAt(x, y, 0, means);
                    for (int k = 1; k < 4; ++k) {
                        int candidate[3];
                        const int spread = wedgeAt(x, y, k, candidate);
                        if (spread < best) {
                            best = spread;
                            wedge = k;
                            std::copy(candidate, candidate + 3, means);
                        }
                    }
                }
                ++winners[wedge];
                const Colour expected =
                    filter == kPlain
                        ? Colour{means[0], means[1], means[2]}
                        : Colour{(means[0] & 254) | (wedge & 1), means[1],
                                 (means[2] & 254) | (wedge >> 1)};
                ASSERT_EQ(At(*out, x, y), expected) << filter << " at " << x << "," << y;
            }
        for (int k = 0; k < 4; ++k) EXPECT_GT(winners[k], 0) << filter << ": wedge " << k << " used";
    }
}

// ---- SmoothInPlace and Denoise -------------------------------------------------------------

TEST(ZoCluster, SmoothInPlaceReadsTheRowBeforeAlreadySmoothed) {
    struct Case {
        const char* name;
        int width;
        int height;
        std::initializer_list<int> before;
        std::vector<int> after;
    };
    const Case cases[] = {
        // Along a row the left neighbour is the value from before the pass: 0 -> 15, then the
        // 80 sees 0, 80, 0 (sum 160): (80 + 20) >> 1 = 50.
        {"one row", 3, 1, {0, 80, 0}, {15, 50, 15}},
        // Along a column the row before is already smoothed: the 80 sees 15 (sum 205), 52;
        // the last row sees 52 before it and itself after it: (0 + 19) >> 1 = 9.
        {"one column", 1, 3, {0, 80, 0}, {15, 52, 9}},
        // Neighbours outside the picture are the nearest edge pixel.
        {"2 × 2", 2, 2, {0, 0, 0, 10}, {0, 1, 1, 7}},
        {"1 × 1", 1, 1, {77}, {77}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TDib> first = Blank(c.width, c.height);
        std::unique_ptr<TDib> second = Grey(c.width, c.height, c.before);
        char status[kStatusSize] = "";
        ZoCluster cluster(first.get(), second.get(), status);
        cluster.SmoothInPlace(0);
        EXPECT_EQ(Blues(*second), c.after) << c.name;
        EXPECT_TRUE(PaddingUntouched(*second)) << c.name;
        EXPECT_TRUE(PaddingUntouched(*first)) << c.name << ": the other image is not touched";
    }
}

TEST(ZoCluster, SmoothInPlaceMatchesItsDefinitionOnAPicture) {
    // Pixel by pixel in storage order: a neighbour in an earlier row is read as already
    // written, any other (the row itself, the row after, the clamped row before row 0) as
    // before the pass.
    const int w = 7;
    const int h = 6;
    const std::unique_ptr<TDib> before = Speckled(w, h);
    std::unique_ptr<TDib> expected = Copy(*before);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (dx == 0 && dy == 0) continue;
                        const int ny = std::clamp(y + dy, 0, h - 1);
                        const int nx = std::clamp(x + dx, 0, w - 1);
                        sum += Channel(ny < y ? *expected : *before, nx, ny, c);
                    }
                expected->Row(y)[3 * x + c] =
                    static_cast<uint8_t>((Channel(*before, x, y, c) + (sum >> 3)) >> 1);
            }
    for (int which : {1, 0}) {
        std::unique_ptr<TDib> first = Copy(*before);
        std::unique_ptr<TDib> second = Copy(*before);
        char status[kStatusSize] = "";
        ZoCluster cluster(first.get(), second.get(), status);
        cluster.SmoothInPlace(which);
        EXPECT_TRUE(SamePixels(which ? *first : *second, *expected)) << which;
        EXPECT_TRUE(SamePixels(which ? *second : *first, *before)) << which;
    }
}

TEST(ZoCluster, DenoiseSmoothsWhileTheMeasureIsNotBelowTheLimit) {
    // 2 × 2 with one sample, (1, 1) = 10 against three zeros: 3 channels × 3 × 100 = 900.
    // One pass gives 0, 1, 1, 7 and the measure 3 × (36 + 36 + 49) = 363.
    struct Case {
        int limit;
        int result;
        std::vector<int> after;
    };
    const Case cases[] = {
        {901, 0, {0, 0, 0, 10}},  // below the limit at once
        {900, 1, {0, 1, 1, 7}},   // not below: one pass, then 363 is below
        {364, 1, {0, 1, 1, 7}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TDib> first = Grey(2, 2, {0, 0, 0, 10});
        std::unique_ptr<TDib> second = Blank(2, 2);
        char status[kStatusSize] = "";
        ZoCluster cluster(first.get(), second.get(), status);
        EXPECT_EQ(cluster.Denoise(c.limit), c.result) << c.limit;
        EXPECT_EQ(Blues(*first), c.after) << c.limit;
    }
}

TEST(ZoCluster, DenoiseStopsAfterFivePasses) {
    const std::unique_ptr<TDib> picture = Rough(9, 6);
    std::unique_ptr<TDib> expected = Copy(*picture);
    std::unique_ptr<TDib> scratch = Blank(9, 6);
    char status[kStatusSize] = "";
    ZoCluster reference(expected.get(), scratch.get(), status);
    for (int pass = 0; pass < 5; ++pass) reference.SmoothInPlace(1);

    std::unique_ptr<TDib> first = Copy(*picture);
    std::unique_ptr<TDib> second = Blank(9, 6);
    ZoCluster cluster(first.get(), second.get(), status);
    EXPECT_EQ(cluster.Denoise(0), 1);  // a measure is never below 0
    EXPECT_TRUE(SamePixels(*first, *expected));
    reference.SmoothInPlace(1);
    EXPECT_FALSE(SamePixels(*first, *expected)) << "a sixth pass would change the picture";
    EXPECT_TRUE(PaddingUntouched(*second)) << "Denoise works on the first image only";
}

TEST(ZoCluster, DenoiseOnAUniformPicture) {
    for (const int limit : {1, 8000, 0}) {
        std::unique_ptr<TDib> first = Grey(3, 2, {50, 50, 50, 50, 50, 50});
        std::unique_ptr<TDib> second = Blank(3, 2);
        char status[kStatusSize] = "";
        ZoCluster cluster(first.get(), second.get(), status);
        EXPECT_EQ(cluster.Denoise(limit), limit == 0 ? 1 : 0) << limit;
        EXPECT_EQ(Blues(*first), std::vector<int>(6, 50));
    }
}

TEST(ZoCluster, DenoiseWithoutSamplesMeasuresNothing) {
    // One pixel wide or high: no sample, so no division; the picture counts as smooth.
    for (const auto& size : {std::make_pair(1, 1), std::make_pair(1, 5), std::make_pair(6, 1)}) {
        std::unique_ptr<TDib> first = Rough(size.first, size.second);
        const std::unique_ptr<TDib> original = Copy(*first);
        std::unique_ptr<TDib> second = Blank(size.first, size.second);
        char status[kStatusSize] = "";
        ZoCluster cluster(first.get(), second.get(), status);
        EXPECT_EQ(cluster.Denoise(1), 0);
        EXPECT_TRUE(SamePixels(*first, *original));
        EXPECT_EQ(cluster.Denoise(0), 1);
    }
}

TEST(ZoCluster, DenoiseSamplesEveryOddStepFromOne) {
    // 250 pixels along: step (250 / 100) | 1 = 3, samples at 1, 4, 7, ... 247 (83 of them),
    // each compared with its neighbours one column and one row lower. A stripe of 200 on every
    // third line is seen only when it lies on a sampled line or just below one; then every
    // sample measures 2 neighbours × 3 channels × 200² = 240000.
    struct Case {
        bool columns;  // stripes on columns of a 250 × 2 picture, else on rows of a 2 × 250 one
        int residue;   // the stripes' lines modulo 3
        int limit;
        int result;
    };
    const Case cases[] = {
        {true, 2, 1, 0},       {true, 1, 240000, 1}, {true, 1, 240001, 0},
        {true, 0, 240000, 1},  {true, 0, 240001, 0}, {false, 2, 1, 0},
        {false, 1, 240000, 1}, {false, 1, 240001, 0}, {false, 0, 240000, 1},
    };
    for (const Case& c : cases) {
        const int w = c.columns ? 250 : 2;
        const int h = c.columns ? 2 : 250;
        std::unique_ptr<TDib> first = Picture(w, h, [&](int x, int y) {
            const int v = (c.columns ? x : y) % 3 == c.residue ? 200 : 0;
            return Colour{v, v, v};
        });
        const std::unique_ptr<TDib> original = Copy(*first);
        std::unique_ptr<TDib> second = Blank(w, h);
        char status[kStatusSize] = "";
        ZoCluster cluster(first.get(), second.get(), status);
        EXPECT_EQ(cluster.Denoise(c.limit), c.result)
            << (c.columns ? "columns " : "rows ") << c.residue << ", limit " << c.limit;
        EXPECT_EQ(SamePixels(*first, *original), c.result == 0);
    }
}

TEST(ZoCluster, DenoiseMeasuresASharpCheckerboardAsRough) {
    // Every sample of a black-and-white checkerboard measures 2 × 3 × 255² + 0 = 390150; on
    // 106 × 106 (105² = 11025 samples) the sum passes 2^32, and a 32-bit sum would measure 583,
    // below the engine's limit, leaving the roughest picture unsmoothed.
    std::unique_ptr<TDib> first = Picture(106, 106, [](int x, int y) {
        const int v = (x + y) % 2 ? 255 : 0;
        return Colour{v, v, v};
    });
    std::unique_ptr<TDib> second = Blank(106, 106);
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    EXPECT_EQ(cluster.Denoise(8000), 1);
    EXPECT_EQ(cluster.Denoise(390150), 0) << "smoothed now, and measured in full";
}

// ---- PairSmooth ----------------------------------------------------------------------------

TEST(ZoCluster, PairSmoothTakesTheCloserNeighbourOfEachPair) {
    struct Case {
        const char* name;
        Colour left, right, before, after;
        Colour expected;
    };
    const Case cases[] = {
        {"right and before closer", {130, 130, 130}, {110, 110, 110}, {104, 104, 104},
         {95, 95, 95}, {107, 107, 107}},
        {"left and after closer", {90, 90, 90}, {120, 120, 120}, {80, 80, 80}, {95, 95, 95},
         {92, 92, 92}},
        // Both pairs equally close (distance 30 and 12, summed over the channels): the left
        // neighbour and the row after.
        {"ties", {100, 100, 130}, {110, 110, 110}, {100, 100, 112}, {112, 100, 100},
         {106, 100, 115}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TDib> picture = Picture(3, 3, [&](int x, int y) {
            if (x == 0 && y == 1) return c.left;
            if (x == 2 && y == 1) return c.right;
            if (x == 1 && y == 0) return c.before;
            if (x == 1 && y == 2) return c.after;
            if (x == 1 && y == 1) return Colour{100, 100, 100};
            return Colour{0, 255, 0};  // corners do not enter
        });
        const std::unique_ptr<TDib> out =
            Filtered(*picture, [](ZoCluster& z) { EXPECT_EQ(z.PairSmooth(1), 1); });
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(At(*out, x, y), c.expected) << c.name << " at " << x << "," << y;
    }
}

TEST(ZoCluster, PairSmoothBorderRepeatsTheNearestInteriorPixel) {
    const std::unique_ptr<TDib> picture = Rough(5, 4);
    const std::unique_ptr<TDib> out = Filtered(*picture, [](ZoCluster& z) { z.PairSmooth(1); });
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const int ix = std::min(std::max(x, 1), 3);
            const int iy = std::min(std::max(y, 1), 2);
            EXPECT_EQ(At(*out, x, y), At(*out, ix, iy)) << x << "," << y;
        }
    EXPECT_TRUE(PaddingUntouched(*out));
}

// ---- RangeSmooth and MapSharpen ------------------------------------------------------------

TEST(ZoCluster, RangeSmoothWeighsByTheLargestChannelRange) {
    // Neighbours alternate 90 and 110 in blue (range 20, mean 100), green spans 40 (60..100,
    // mean 80), red is flat 0: R = 40. The centre is (200, 200, 200).
    const std::unique_ptr<TDib> picture = Picture(3, 3, [](int x, int y) {
        if (x == 1 && y == 1) return Colour{200, 200, 200};
        const bool odd = (x + y) % 2 == 1;
        return Colour{odd ? 90 : 110, odd ? 60 : 100, 0};
    });
    struct Case {
        int tableAt40;
        Colour expected;
    };
    const Case cases[] = {
        {255, {100, 80, 0}},    // w 256: the neighbour mean
        {0, {200, 200, 200}},   // w 1: (-100 × 1) / 256 truncates to 0
        {127, {150, 140, 100}}, // w 128: half-way
        {2, {199, 199, 198}},   // w 3: -300 / 256 = -1 (not -2), -360 / 256 = -1, -600 / 256 = -2
    };
    for (const Case& c : cases) {
        const std::array<uint8_t, 256> table = Table({{20, 255}, {40, c.tableAt40}});
        const std::unique_ptr<TDib> out =
            Filtered(*picture, [&](ZoCluster& z) { z.RangeSmooth(table.data(), 1); });
        EXPECT_EQ(At(*out, 1, 1), c.expected) << "table[40] = " << c.tableAt40;
    }
}

TEST(ZoCluster, MapSharpenOnAUniformPictureLowersByAmountZero) {
    // Five pixels wide: the interior pixels (1..3, 1) read map values 10, 20, 30.
    const std::array<uint8_t, 256> strength = Table({{10, 128}, {20, 255}, {30, 0}});
    struct Case {
        int value;
        int amount0;
        std::array<int, 3> expected;  // at map values 10, 20, 30
    };
    const Case cases[] = {
        {100, 40, {80, 61, 100}},  // 100 - 40×128/256, 100 - 40×255/256 (39.8), the plain mean
        {30, 40, {15, 1, 30}},     // min(amount[0], c) = 30
        {0, 40, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TDib> picture = Blank(5, 3);
        for (int y = 0; y < 3; ++y) std::memset(picture->Row(y), c.value, 15);
        const std::unique_ptr<TDib> map = Map8(5, 3, {0, 0, 0, 0, 0, 0, 10, 20, 30, 0});
        const std::array<uint8_t, 256> amount = Table({{0, c.amount0}});
        const std::unique_ptr<TDib> out = Filtered(*picture, [&](ZoCluster& z) {
            z.MapSharpen(map.get(), strength.data(), amount.data(), 1);
        });
        for (int x = 1; x <= 3; ++x)
            EXPECT_EQ(At(*out, x, 1)[1], c.expected[x - 1]) << c.value << " at x " << x;
        EXPECT_EQ(At(*out, 0, 1)[1], c.value) << "border copied";
    }
}

TEST(ZoCluster, MapSharpenPushesThenBlendsTowardTheMean) {
    struct Case {
        int centre;
        int neighbours;
        int strength;
        int expected;
    };
    const Case cases[] = {
        {120, 100, 128, 115},  // d 20: e = 130, 100 + 30×128/256
        {80, 100, 128, 85},    // d -20: e = 70, 100 + (-30×128)/256
        {80, 100, 100, 89},    // -3000 / 256 truncates to -11
        {250, 240, 255, 254},  // e = 270 clamped to 255: 240 + 15×255/256
    };
    const std::array<uint8_t, 256> amount = Table({{20, 10}, {10, 20}});
    for (const Case& c : cases) {
        const std::unique_ptr<TDib> picture = Centred(c.centre, c.neighbours);
        const std::unique_ptr<TDib> map = Map8(3, 3, {0, 0, 0, 0, 7});
        const std::array<uint8_t, 256> strength = Table({{7, c.strength}});
        const std::unique_ptr<TDib> out = Filtered(*picture, [&](ZoCluster& z) {
            z.MapSharpen(map.get(), strength.data(), amount.data(), 1);
        });
        EXPECT_EQ(At(*out, 1, 1)[2], c.expected) << c.centre << " among " << c.neighbours;
    }
}

TEST(ZoCluster, MapSharpenIgnoresAMapThatDoesNotCoverThePicture) {
    const std::unique_ptr<TDib> picture = Rough(4, 4);
    const std::array<uint8_t, 256> table = Table({{0, 9}});
    const std::function<std::unique_ptr<TDib>()> maps[] = {
        [] { return std::unique_ptr<TDib>(); },
        [] { return TDib::Create8(3, 4); },
        [] { return TDib::Create8(4, 3); },
        [] { return TDib::Create24(4, 4); },
    };
    for (const auto& makeMap : maps) {
        const std::unique_ptr<TDib> map = makeMap();
        const std::unique_ptr<TDib> out = Filtered(*picture, [&](ZoCluster& z) {
            z.MapSharpen(map.get(), table.data(), table.data(), 1);
        });
        EXPECT_TRUE(std::all_of(out->Bits(), out->Bits() + out->ImageBytes(),
                                [](uint8_t b) { return b == kUntouched; }));
    }
    // A larger map is read at the pictures' coordinates.
    const std::unique_ptr<TDib> large = TDib::Create8(6, 5);
    std::memset(large->Bits(), 0, large->ImageBytes());
    const std::unique_ptr<TDib> out = Filtered(*picture, [&](ZoCluster& z) {
        z.MapSharpen(large.get(), table.data(), table.data(), 1);
    });
    EXPECT_EQ(At(*out, 0, 0), At(*picture, 0, 0));
}

// ---- small pictures ------------------------------------------------------------------------

TEST(ZoCluster, PicturesWithoutInteriorAreCopiedAndNeverOverrun) {
    const std::array<uint8_t, 256> table = Table({{0, 200}, {1, 30}, {2, 255}});
    const int sizes[][2] = {{1, 1}, {1, 4}, {4, 1}, {2, 2}, {2, 5}, {5, 2}, {3, 1}, {1, 3}};
    for (const auto& size : sizes) {
        const int w = size[0];
        const int h = size[1];
        const std::unique_ptr<TDib> picture = Rough(w, h);
        const std::unique_ptr<TDib> map = Map8(w, h, {2, 0, 1, 2, 0, 1, 2, 0, 1, 2});
        // Each of these computes interior pixels only (or a 3-pixel-deep inside for wedges).
        const NamedFilter copying[] = {
            {"Soften", [](ZoCluster& z, int d) { z.Soften(d); }},
            {"Sharpen", [](ZoCluster& z, int d) { z.Sharpen(7, d); }},
            {"PairSmooth", [](ZoCluster& z, int d) { z.PairSmooth(d); }},
            {"RangeSmooth", [&](ZoCluster& z, int d) { z.RangeSmooth(table.data(), d); }},
            {"MapSharpen",
             [&](ZoCluster& z, int d) { z.MapSharpen(map.get(), table.data(), table.data(), d); }},
            {"TableSharpen", [&](ZoCluster& z, int d) { z.TableSharpen(table.data(), d); }},
            {"MiddlePairSmooth", [](ZoCluster& z, int d) { z.MiddlePairSmooth(d); }},
            {"Median5", [](ZoCluster& z, int d) { z.Median5(d); }},
            {"SideSharpen", [&](ZoCluster& z, int d) { z.SideSharpen(table.data(), d); }},
            {"WedgeSmooth", [](ZoCluster& z, int d) { z.WedgeSmooth(d, 0); }},
            {"WedgeMean", [](ZoCluster& z, int d) { z.WedgeMean(d); }},
            {"GrowingMean", [](ZoCluster& z, int d) { z.GrowingMean(3, 255, d); }},
        };
        for (const NamedFilter& filter : copying) {
            for (int direction : {1, 0}) {
                std::unique_ptr<TDib> input = Copy(*picture);
                std::unique_ptr<TDib> output = Blank(w, h);
                char status[kStatusSize] = "";
                ZoCluster cluster(direction ? input.get() : output.get(),
                                  direction ? output.get() : input.get(), status);
                filter.run(cluster, direction);
                EXPECT_TRUE(SamePixels(*output, *picture))
                    << filter.name << " " << w << "x" << h << " direction " << direction;
                EXPECT_TRUE(PaddingUntouched(*output)) << filter.name << " " << w << "x" << h;
            }
        }
        // The rest only have to stay inside the images.
        const std::function<void(ZoCluster&)> others[] = {
            [](ZoCluster& z) { z.CopyBorder(1); },
            [](ZoCluster& z) { z.SmoothInPlace(1); },
            [](ZoCluster& z) { z.SmoothInPlace(0); },
            [](ZoCluster& z) { z.Denoise(0); },
            [](ZoCluster& z) { z.LineSmooth(3, 1); },
            [](ZoCluster& z) { z.LineSmooth(1000, 0); },
            [&](ZoCluster& z) { z.MaskedNearSmooth(map.get(), 2, 0); },
            [&](ZoCluster& z) { z.WeightedSmoothInPlace(map.get(), table.data(), 1); },
            [&](ZoCluster& z) { z.MaskedMeanInPlace(map.get(), 1, 0); },
            [](ZoCluster& z) { z.SideMeanInPlace(1); },
            [&](ZoCluster& z) {
                const std::array<uint8_t, 256> lengths = Table({{0, 50}, {1, 2}, {2, 9}});
                EXPECT_EQ(z.DirectionalSmooth(map.get(), lengths.data(), table.data(), 3), 1);
            },
        };
        for (const auto& run : others) {
            std::unique_ptr<TDib> first = Copy(*picture);
            std::memset(first->Bits(), kUntouched, first->ImageBytes());
            for (int y = 0; y < h; ++y) std::memcpy(first->Row(y), picture->Row(y), 3 * w);
            std::unique_ptr<TDib> second = Blank(w, h);
            for (int y = 0; y < h; ++y) std::memcpy(second->Row(y), picture->Row(y), 3 * w);
            char status[kStatusSize] = "";
            ZoCluster cluster(first.get(), second.get(), status);
            run(cluster);
            EXPECT_TRUE(PaddingUntouched(*first)) << w << "x" << h;
            EXPECT_TRUE(PaddingUntouched(*second)) << w << "x" << h;
        }
    }
}

// ---- the further filters -------------------------------------------------------------------

TEST(ZoCluster, DirectionalSmoothRejectsBadData) {
    const std::array<uint8_t, 256> lengths = Table({{0, 4}, {255, 50}});
    const std::array<uint8_t, 256> tooLong = Table({{0, 4}, {200, 51}});
    const std::array<uint8_t, 256> sharpen = Table({});
    const std::unique_ptr<TDib> map = Map8(4, 3, {});
    const std::unique_ptr<TDib> wide = Map8(5, 3, {});
    const std::unique_ptr<TDib> deep = TDib::Create24(4, 3);
    struct Case {
        const char* name;
        const TDib* map;
        const uint8_t* lengths;
        const uint8_t* sharpen;
        int threshold;
        int result;
        const char* status;
    };
    const Case cases[] = {
        {"accepted", map.get(), lengths.data(), sharpen.data(), 255, 1, "Cluster:"},
        {"accepted negative", map.get(), lengths.data(), sharpen.data(), -255, 1, "Cluster:"},
        {"no map", nullptr, lengths.data(), sharpen.data(), 5, 0, "Cluster:Invalid Datas."},
        {"no lengths", map.get(), nullptr, sharpen.data(), 5, 0, "Cluster:Invalid Datas."},
        {"no sharpen", map.get(), lengths.data(), nullptr, 5, 0, "Cluster:Invalid Datas."},
        {"threshold 256", map.get(), lengths.data(), sharpen.data(), 256, 0,
         "Cluster:Invalid Datas."},
        {"threshold -256", map.get(), lengths.data(), sharpen.data(), -256, 0,
         "Cluster:Invalid Datas."},
        {"other size", wide.get(), lengths.data(), sharpen.data(), 5, 0, "Cluster:Missmatch Dib."},
        {"24-bit map", deep.get(), lengths.data(), sharpen.data(), 5, 0, "Cluster:Missmatch Dib."},
        {"length 51", map.get(), tooLong.data(), sharpen.data(), 5, 0, "Cluster:Bad Length."},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TDib> first = Rough(4, 3);
        std::unique_ptr<TDib> second = Blank(4, 3);
        char status[kStatusSize] = "";
        ZoCluster cluster(first.get(), second.get(), status);
        EXPECT_EQ(cluster.DirectionalSmooth(c.map, c.lengths, c.sharpen, c.threshold), c.result)
            << c.name;
        EXPECT_STREQ(status, c.status) << c.name;
    }
}

TEST(ZoCluster, DirectionalSmoothHalvesTheLineUntilItIsCalm) {
    // One row, length 4, threshold 0: every 4-pixel line spans the step, so the length halves
    // to 2. At x = 2 the calm line is -x (10, 10), pushed away from the mean of +x (50) and
    // -x (10), 30: d = -20, lowered by sharpen[20] = 4. At x = 3 likewise +x (90, 90) is
    // raised by 4. Elsewhere the chosen line equals the mean of the fitting ones: d = 0,
    // lowered by sharpen[0] = 0.
    std::unique_ptr<TDib> first = Grey(6, 1, {10, 10, 10, 90, 90, 90});
    std::unique_ptr<TDib> second = Blank(6, 1);
    const std::unique_ptr<TDib> map = Map8(6, 1, {});
    const std::array<uint8_t, 256> lengths = Table({{0, 4}});
    const std::array<uint8_t, 256> sharpen = Table({{20, 4}});
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    EXPECT_EQ(cluster.DirectionalSmooth(map.get(), lengths.data(), sharpen.data(), 0), 1);
    const std::vector<int> expected = {10, 10, 6, 94, 90, 90};
    EXPECT_EQ(Blues(*second), expected);
    EXPECT_EQ(Blues(*first), expected) << "copied back into the first image";
}

TEST(ZoCluster, LineSmoothTakesTheLeastVaryingLineInside) {
    // Length 3 on one row: only the +x and -x lines can fit.
    // x 0: +x (0, 0, 0); x 1: +x (0, 0, 90) only; x 2: -x (0, 0, 0) beats +x (0, 90, 30);
    // x 3: -x (90, 0, 0) only; x 4: -x (30, 90, 0) only.
    struct Case {
        int length;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {3, {0, 30, 0, 30, 40}},
        {1, {0, 0, 0, 90, 30}},     // a line of one pixel is the pixel
        {6, {0, 0, 0, 90, 30}},     // no line fits
    };
    const std::unique_ptr<TDib> picture = Grey(5, 1, {0, 0, 0, 90, 30});
    for (const Case& c : cases) {
        const std::unique_ptr<TDib> out =
            Filtered(*picture, [&](ZoCluster& z) { EXPECT_EQ(z.LineSmooth(c.length, 1), 1); });
        EXPECT_EQ(Blues(*out), c.expected) << c.length;
    }
}

TEST(ZoCluster, TableSharpenPushesAwayFromTheNeighbourMean) {
    struct Case {
        int centre;
        int neighbours;
        int expected;
    };
    const Case cases[] = {
        {120, 100, 127},  // + table[20]
        {100, 100, 95},   // equal to the mean: lowered by table[0]
        {90, 100, 87},    // - table[10]
        {250, 200, 255},  // clamped
    };
    const std::array<uint8_t, 256> table = Table({{20, 7}, {0, 5}, {10, 3}, {50, 10}});
    for (const Case& c : cases) {
        const std::unique_ptr<TDib> out = Filtered(*Centred(c.centre, c.neighbours), [&](ZoCluster& z) {
            EXPECT_EQ(z.TableSharpen(table.data(), 1), 1);
        });
        EXPECT_EQ(At(*out, 1, 1)[0], c.expected) << c.centre << " among " << c.neighbours;
        EXPECT_EQ(At(*out, 0, 1)[0], c.neighbours) << "border copied";
    }
}

TEST(ZoCluster, MaskedNearSmoothPairsWithTheNearestDifferentNeighbour) {
    // Only the middle pixel is masked. Pass 1: its left twin is identical and skipped, so it
    // pairs with 80: 65. Pass 2 (back into the first image): 50 and 80 are both 15 away; the
    // ring meets the right neighbour first: (65 + 80) >> 1 = 72.
    std::unique_ptr<TDib> first = Grey(3, 1, {50, 50, 80});
    std::unique_ptr<TDib> second = Blank(3, 1);
    const std::unique_ptr<TDib> mask = Map8(3, 1, {0, 255, 0});
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    EXPECT_EQ(cluster.MaskedNearSmooth(mask.get(), 1, 128), 1);
    EXPECT_EQ(Blues(*second), (std::vector<int>{50, 65, 80}));
    EXPECT_EQ(Blues(*first), (std::vector<int>{50, 72, 80}));
}

TEST(ZoCluster, WeightedSmoothInPlaceMovesByTheMapsTableValue) {
    // Means along the row: 30, 20 (the left neighbour still 0 from before the pass), 30.
    // Weights 0, 128 and 255 (the full mean): 0, 80 - 30, 30.
    std::unique_ptr<TDib> first = Grey(3, 1, {0, 80, 0});
    std::unique_ptr<TDib> second = Blank(3, 1);
    const std::unique_ptr<TDib> map = Map8(3, 1, {0, 1, 2});
    const std::array<uint8_t, 256> table = Table({{1, 128}, {2, 255}});
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    EXPECT_EQ(cluster.WeightedSmoothInPlace(map.get(), table.data(), 1), 1);
    EXPECT_EQ(Blues(*first), (std::vector<int>{0, 50, 30}));
}

TEST(ZoCluster, MaskedMeanInPlaceReplacesOnlyPixelsAtMostTheThreshold) {
    std::unique_ptr<TDib> first = Blank(3, 1);
    std::unique_ptr<TDib> second = Grey(3, 1, {0, 80, 0});
    const std::unique_ptr<TDib> map = Map8(3, 1, {100, 101, 0});
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    EXPECT_EQ(cluster.MaskedMeanInPlace(map.get(), 100, 0), 1);
    EXPECT_EQ(Blues(*second), (std::vector<int>{30, 80, 30}));
}

TEST(ZoCluster, MiddlePairSmoothLeavesOutTheClosestAndTheFarthest) {
    // Distances to 100: left 95 (5), before 80 (20), right 130 (30), after 200 (100).
    const std::unique_ptr<TDib> picture = Grey(3, 3, {0, 80, 0, 95, 100, 130, 0, 200, 0});
    const std::unique_ptr<TDib> out =
        Filtered(*picture, [](ZoCluster& z) { EXPECT_EQ(z.MiddlePairSmooth(1), 1); });
    EXPECT_EQ(Blues(*out), (std::vector<int>{0, 80, 0, 95, 105, 130, 0, 200, 0}));
}

TEST(ZoCluster, Median5TakesEachChannelsMedian) {
    // Centre, left, right, before, after per channel:
    // blue 100, 10, 200, 150, 120 -> 120; green 5, 1, 2, 3, 4 -> 3; red all 7 -> 7.
    const std::unique_ptr<TDib> picture = Picture(3, 3, [](int x, int y) {
        if (x == 1 && y == 1) return Colour{100, 5, 7};
        if (x == 0 && y == 1) return Colour{10, 1, 7};
        if (x == 2 && y == 1) return Colour{200, 2, 7};
        if (x == 1 && y == 0) return Colour{150, 3, 7};
        if (x == 1 && y == 2) return Colour{120, 4, 7};
        return Colour{255, 255, 255};
    });
    const std::unique_ptr<TDib> out =
        Filtered(*picture, [](ZoCluster& z) { EXPECT_EQ(z.Median5(1), 1); });
    EXPECT_EQ(At(*out, 1, 1), (Colour{120, 3, 7}));
    EXPECT_EQ(At(*out, 0, 0), (Colour{255, 255, 255}));
}

TEST(ZoCluster, SideMeanInPlaceLeavesOutTheMostUnlikeSide) {
    // One row 90, 100, 200; the rows before and after are the row itself.
    // x 0: ring 90 90 100 100 100 90 90 90, most unlike the first 100 (ring 2): the five
    //      left are 90 100 90 90 90 -> 92.
    // x 1: ring 90 100 200 200 200 100 90 90, most unlike ring 2 (200): 90 200 100 90 90 -> 114.
    // x 2: ring 100 200 200 200 200 200 100 100 (the left column as before the pass), most
    //      unlike ring 0: 200 200 200 200 100 -> 180.
    std::unique_ptr<TDib> first = Grey(3, 1, {90, 100, 200});
    std::unique_ptr<TDib> second = Blank(3, 1);
    char status[kStatusSize] = "";
    ZoCluster cluster(first.get(), second.get(), status);
    EXPECT_EQ(cluster.SideMeanInPlace(1), 1);
    EXPECT_EQ(Blues(*first), (std::vector<int>{92, 114, 180}));
}

TEST(ZoCluster, SideSharpenPushesTheFiveAwayFromTheThree) {
    // The neighbour at (2, 2) is most unlike; with (1, 2) and (2, 1) beside it on the ring the
    // three mean 120, the other five 100: 100 - sharpen[20].
    const std::unique_ptr<TDib> picture =
        Grey(3, 3, {100, 100, 100, 100, 100, 100, 100, 100, 160});
    const std::array<uint8_t, 256> table = Table({{20, 6}});
    const std::unique_ptr<TDib> out =
        Filtered(*picture, [&](ZoCluster& z) { EXPECT_EQ(z.SideSharpen(table.data(), 1), 1); });
    EXPECT_EQ(At(*out, 1, 1)[0], 94);
    EXPECT_EQ(At(*out, 2, 2)[0], 160);
}

TEST(ZoCluster, GrowingMeanStopsAtTheFirstWindowTooWide) {
    // 5 × 5: the inner 3 × 3 holds 100 at the centre and 101..108 around it (mean 104); the
    // outer ring is 104 except one 200 at (0, 0).
    const std::unique_ptr<TDib> picture = Picture(5, 5, [](int x, int y) {
        int v = 104;
        if (x >= 1 && x <= 3 && y >= 1 && y <= 3) {
            const int i = (x - 1) + 3 * (y - 1);
            v = i == 4 ? 100 : 101 + (i < 4 ? i : i - 1);
        }
        if (x == 0 && y == 0) v = 200;
        return Colour{v, v, v};
    });
    struct Case {
        int maxRadius;
        int rangeLimit;
        int expected;
    };
    const Case cases[] = {
        {2, 10, 104},   // radius 2 would reach 200
        {2, 200, 107},  // (936 + 15×104 + 200) / 25 = 107.84
        {1, 200, 104},
        {0, 200, 100},
        {2, -1, 100},   // no window but the pixel itself
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TDib> out = Filtered(*picture, [&](ZoCluster& z) {
            EXPECT_EQ(z.GrowingMean(c.maxRadius, c.rangeLimit, 1), 1);
        });
        EXPECT_EQ(At(*out, 2, 2)[0], c.expected) << c.maxRadius << ", " << c.rangeLimit;
        EXPECT_EQ(At(*out, 0, 0)[0], 200) << "a corner has only its own pixel";
    }
}

}  // namespace
