// The committed brush bitmaps are exactly what tools/make_brushes writes, have the sizes,
// covered areas and ring values the stroke styles rely on, are carried by their plug-ins, and
// fit the styles' pair buffers at every scale the styles use.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/zo_stroke.h"
#include "imaging/dib.h"
#include "platform/native_module.h"
#include "tests/support/context_images.h"
#include "tests/support/files.h"
#include "tests/support/pictures.h"

namespace {

struct Shipped {
    const char* name;
    const char* module;
    int width, height;
    int coveredWidth, coveredHeight;
};

const Shipped kBrushes[] = {
    {"KNIFE1", "Zo_Mor", 20, 40, 11, 35},  {"KNIFE2", "Zo_Mor", 40, 20, 35, 14},
    {"KNIFE3", "Zo_Mor", 50, 50, 39, 45},  {"KNIFE4", "Zo_Mor", 50, 50, 39, 45},
    {"KNIFE5", "Zo_Mor", 50, 100, 46, 95}, {"KNIFE6", "Zo_Mor", 100, 50, 95, 46},
    {"PEN0", "Zo_Zav", 5, 5, 3, 3},        {"PEN1", "Zo_Zav", 10, 10, 5, 5},
    {"PEN2", "Zo_Zav", 10, 10, 10, 10},    {"PEN3", "Zo_Zav", 16, 16, 15, 15},
};

std::string Committed(const char* name) {
    return std::string(ZO_SOURCE_DIR) + "/resources/brushes/" + name + ".bmp";
}

// The bitmap as the plug-in holds it (the info header and pixels, no file header).
std::unique_ptr<TDib> Load(const Shipped& brush) {
    return TDib::FromResource(platform::NativeModuleHandle(brush.module), brush.name);
}

bool IsKnife(const Shipped& brush) { return brush.name[0] == 'K'; }

TEST(BrushesGenerated, GeneratorReproducesTheCommittedFiles) {
    test_files::ScratchFolder folder("zo_brushes");
    ASSERT_TRUE(test_files::RunGenerator(ZO_MAKE_BRUSHES, folder.Path()));
    for (const Shipped& brush : kBrushes) {
        EXPECT_TRUE(test_files::ReadAll(folder.PathOf(std::string(brush.name) + ".bmp")) ==
                    test_files::ReadAll(Committed(brush.name)))
            << brush.name << " differs from its recipe";
    }
}

TEST(BrushesGenerated, EachPlugInCarriesItsBrushesWithoutTheFileHeader) {
    for (const Shipped& brush : kBrushes) {
        SCOPED_TRACE(brush.name);
        platform::ResourceBytes bytes;
        ASSERT_TRUE(platform::FindResourceBytes(platform::NativeModuleHandle(brush.module),
                                                brush.name, platform::kBitmapType, &bytes));
        const std::vector<uint8_t> file = test_files::ReadAll(Committed(brush.name));
        ASSERT_GT(file.size(), 54u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_TRUE(std::vector<uint8_t>(bytes.data, bytes.data + bytes.size) ==
                    std::vector<uint8_t>(file.begin() + 14, file.end()));
        const char* other = std::string(brush.module) == "Zo_Mor" ? "Zo_Zav" : "Zo_Mor";
        EXPECT_FALSE(platform::FindResourceBytes(platform::NativeModuleHandle(other), brush.name,
                                                 platform::kBitmapType, &bytes));
    }
}

TEST(BrushesGenerated, SizesCoveredAreasAndChannels) {
    for (const Shipped& brush : kBrushes) {
        SCOPED_TRACE(brush.name);
        auto bitmap = Load(brush);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->BitCount(), 24);
        EXPECT_EQ(bitmap->Width(), brush.width);
        EXPECT_EQ(bitmap->Height(), brush.height);
        EXPECT_TRUE(bitmap->XPelsPerMeter() == 3779 || bitmap->XPelsPerMeter() == 3780);
        int x0 = brush.width, x1 = -1, y0 = brush.height, y1 = -1;
        int reliefLow = 255, reliefHigh = 0, partial = 0;
        std::set<int> partialValues;
        for (int y = 0; y < brush.height; ++y)
            for (int x = 0; x < brush.width; ++x) {
                const uint8_t* p = test_pictures::PixelAt(*bitmap, x, y);
                EXPECT_EQ(p[0], 0) << "blue is 0";
                if (p[2] == 0) {
                    EXPECT_EQ(p[1], 128) << "flat relief outside the brush";
                    continue;
                }
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
                reliefLow = std::min<int>(reliefLow, p[1]);
                reliefHigh = std::max<int>(reliefHigh, p[1]);
                if (p[2] != 255) {
                    ++partial;
                    partialValues.insert(p[2]);
                }
            }
        EXPECT_EQ(x1 - x0 + 1, brush.coveredWidth);
        EXPECT_EQ(y1 - y0 + 1, brush.coveredHeight);
        if (IsKnife(brush)) {
            EXPECT_EQ(reliefLow, 48);
            EXPECT_EQ(reliefHigh, 208);
            const bool soft = std::string(brush.name) == "KNIFE4";
            EXPECT_EQ(partial, soft ? 31 : 0) << "knives are solid";
            for (int v : partialValues) EXPECT_TRUE(v == 128 || v == 160 || v == 214) << v;
        }
    }
}

// Coverage and relief of every covered pixel by squared distance from the pen's centre.
std::map<int, std::pair<int, int>> Rings(const TDib& pen, double centre) {
    std::map<int, std::pair<int, int>> rings;
    for (int y = 0; y < pen.Height(); ++y)
        for (int x = 0; x < pen.Width(); ++x) {
            const uint8_t* p = test_pictures::PixelAt(const_cast<TDib&>(pen), x, y);
            if (p[2] == 0) continue;
            const int d2 = static_cast<int>(4 * ((x - centre) * (x - centre) + (y - centre) * (y - centre)));
            auto found = rings.find(d2);
            if (found == rings.end()) {
                rings[d2] = {p[2], p[1]};
            } else {
                const std::pair<int, int> value(p[2], p[1]);
                EXPECT_EQ(found->second, value) << "rings are round";
            }
        }
    return rings;
}

// The distinct (coverage, relief) values from the centre outward.
std::vector<std::pair<int, int>> RingValues(const std::map<int, std::pair<int, int>>& rings) {
    std::vector<std::pair<int, int>> values;
    for (const auto& ring : rings)
        if (values.empty() || values.back() != ring.second) values.push_back(ring.second);
    return values;
}

TEST(BrushesGenerated, PensFallRingByRingTowardTheRim) {
    using V = std::vector<std::pair<int, int>>;
    const Shipped* pens = kBrushes + 6;
    struct Case {
        double centre;
        V values;
    } cases[] = {
        {2.0, V{{255, 128}, {240, 128}, {128, 128}}},
        {4.0, V{{255, 128}, {240, 128}, {200, 128}, {160, 128}}},
        {4.5, V{{255, 128}, {240, 128}, {192, 96}, {128, 64}}},
        {7.0, V{{255, 128}, {240, 128}, {192, 128}, {160, 96}, {128, 128}, {92, 64}}},
    };
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(pens[k].name);
        auto pen = Load(pens[k]);
        ASSERT_TRUE(pen);
        EXPECT_EQ(RingValues(Rings(*pen, cases[k].centre)), cases[k].values);
    }
    // PEN0's dab: 255 in the centre, 240 at the sides, 128 at the corners.
    auto pen0 = Load(pens[0]);
    const int expected[3][3] = {{128, 240, 128}, {240, 255, 240}, {128, 240, 128}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(test_pictures::PixelAt(*pen0, x + 1, y + 1)[2], expected[y][x]);
}

struct Loaded {
    int pairs;
    int slices;
    int gaps;
};

Loaded LoadAt(const Shipped& brush, int buffer, double coverage, double scale) {
    ContextImages images(8, 8, 72, 0);
    ZoStroke stroke(images.source.get(), images.canvas.get(), images.focusMap.get(), images.colorIndexMap.get(),
                    images.status);
    const int result = stroke.LoadBrush(platform::NativeModuleHandle(brush.module), brush.name,
                                        buffer, coverage, scale, 1.0);
    EXPECT_EQ(result, 1) << brush.name << " at " << scale << ": " << images.status;
    return {stroke.BrushPixels(), stroke.SliceCount(), stroke.SliceGaps()};
}

TEST(BrushesGenerated, Knife6StoresTheKnownPairCounts) {
    const Shipped& knife6 = kBrushes[5];
    const Loaded one = LoadAt(knife6, 150000, 0.9, 1.0);
    EXPECT_EQ(one.pairs, 4324);
    EXPECT_EQ(one.slices, 100);
    EXPECT_EQ(LoadAt(knife6, 150000, 0.9, 4.0).pairs, 70866);
}

TEST(BrushesGenerated, EveryBrushFitsItsStyleBufferWithoutGaps) {
    // The oil-paint style loads knives with coverage 0.9 at scales from a third of 0.8 up to
    // 4.0 into 150000 bytes; the light wash its pens with their coverage at 0.5 to 6.0 into
    // 15000 bytes.
    const double penCoverage[4] = {1.0, 0.8, 0.6, 0.5};
    int largestKnife = 0, largestPen3 = 0;
    for (const Shipped& brush : kBrushes) {
        SCOPED_TRACE(brush.name);
        const bool knife = IsKnife(brush);
        const double coverage = knife ? 0.9 : penCoverage[brush.name[3] - '0'];
        const int buffer = knife ? 150000 : 15000;
        const double lowest = knife ? 4.0 * 0.8 / 12 : 0.5, highest = knife ? 4.0 : 6.0;
        for (int step = 0;; ++step) {
            const double scale = std::min(highest, lowest + 0.05 * step);
            const Loaded loaded = LoadAt(brush, buffer, coverage, scale);
            EXPECT_LE(2 * loaded.pairs + 2, buffer - 1) << scale;
            EXPECT_EQ(loaded.gaps, 0) << scale;
            if (knife) largestKnife = std::max(largestKnife, loaded.pairs);
            if (std::string(brush.name) == "PEN3") largestPen3 = std::max(largestPen3, loaded.pairs);
            if (scale == highest) break;
        }
    }
    EXPECT_LE(largestKnife, 74998);
    EXPECT_LE(largestPen3, 7498);
    EXPECT_LE(LoadAt(kBrushes[9], 15000, 0.5, 6.0).pairs, 7498);
}

TEST(BrushesGenerated, EveryPenLoadsNonEmptyAtTheLightWashScaleBounds) {
    // Each pen with its pass's coverage factor at the smallest and the largest scale of the
    // light wash: some pair above the threshold, and room in the 15000-byte buffer (at most
    // 7498 pairs, since the buffer must keep two bytes beyond them).
    struct Case {
        const Shipped& pen;
        double coverage;
    } cases[] = {{kBrushes[9], 0.5}, {kBrushes[8], 0.6}, {kBrushes[7], 0.8}, {kBrushes[6], 1.0}};
    for (const Case& c : cases) {
        for (double scale : {0.5, 6.0}) {
            SCOPED_TRACE(testing::Message() << c.pen.name << " at " << scale);
            const Loaded loaded = LoadAt(c.pen, 15000, c.coverage, scale);
            EXPECT_GT(loaded.pairs, 0);
            EXPECT_LE(loaded.pairs, 7498);
        }
    }
}

}  // namespace
