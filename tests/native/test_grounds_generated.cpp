// The committed ground resources are exactly what tools/make_grounds writes, carry the fixed
// header values, span their height range exactly and tile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/int_helpers.h"
#include "platform/native_module.h"
#include "tests/support/files.h"

namespace {

struct Ground {
    const char* resource;
    const char* name;
    const char* grain;
    int32_t values[10];  // flag, red, green, blue, minimum, middle, maximum, strength, noise, shift
};

const Ground kGrounds[] = {
    {"PAPER1", "Paper1", "Press", {0, 255, 255, 255, 255, 255, 255, 100, 50, 14}},
    {"PAPER2", "Paper2", "Not", {1, 255, 244, 210, 199, 234, 250, 100, 30, 14}},
    {"PAPER3", "Paper3", "Rough", {1, 255, 244, 210, 174, 234, 253, 100, 30, 13}},
    {"PAPER4", "Paper4", "Japanese", {1, 255, 255, 255, 167, 204, 242, 100, 70, 10}},
    {"CANVAS1", "Canvas1", "Smooth", {1, 255, 255, 255, 126, 198, 255, 80, 70, 14}},
    {"CANVAS2", "Canvas2", "Middle", {1, 255, 255, 255, 106, 202, 238, 80, 50, 13}},
    {"CANVAS3", "Canvas3", "Rough", {1, 228, 146, 84, 2, 151, 243, 80, 50, 12}},
    {"STUCCO1", "Stucco1", "Stucco", {1, 255, 255, 255, 71, 205, 250, 50, 50, 12}},
    {"SAND1", "Sand1", "Sand", {1, 255, 255, 255, 109, 206, 255, 50, 50, 12}},
    {"WOOD1", "Wood1", "Wood", {1, 174, 80, 25, 87, 183, 230, 50, 90, 12}},
};

constexpr size_t kGroundSize = 4176;
constexpr int kSide = 64;

std::string Committed(const Ground& g) {
    return std::string(ZO_SOURCE_DIR) + "/resources/grounds/" + g.resource + ".mat";
}

// A zero-terminated text in a 20-byte field, the rest zeros.
std::string Text20(const std::vector<uint8_t>& b, size_t offset) {
    const auto* begin = reinterpret_cast<const char*>(b.data() + offset);
    return std::string(begin, strnlen(begin, 20));
}

TEST(GroundsGenerated, GeneratorReproducesTheCommittedFiles) {
    const test_files::ScratchFolder folder("zo_grounds_");
    ASSERT_TRUE(test_files::RunGenerator(ZO_MAKE_GROUNDS, folder.Path()));
    for (const Ground& g : kGrounds) {
        const std::string made = folder.PathOf(std::string(g.resource) + ".mat");
        const std::vector<uint8_t> generated = test_files::ReadAll(made);
        EXPECT_EQ(generated.size(), kGroundSize) << g.resource;
        EXPECT_TRUE(generated == test_files::ReadAll(Committed(g)))
            << g.resource << " differs from its recipe";
    }
}

TEST(GroundsGenerated, HeadersHoldTheGroundValues) {
    for (const Ground& g : kGrounds) {
        const std::vector<uint8_t> b = test_files::ReadAll(Committed(g));
        ASSERT_EQ(b.size(), kGroundSize) << g.resource;
        EXPECT_EQ(Text20(b, 0), g.name) << g.resource;
        EXPECT_EQ(Text20(b, 20), g.grain) << g.resource;
        for (size_t i = std::strlen(g.name); i < 20; ++i) EXPECT_EQ(b[i], 0) << g.resource;
        for (size_t i = 20 + std::strlen(g.grain); i < 40; ++i) EXPECT_EQ(b[i], 0) << g.resource;
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(ReadLittleInt32(&b[40 + 4 * i]), g.values[i]) << g.resource << " value " << i;
    }
}

TEST(GroundsGenerated, StrengthsStayWithinTheStylesBounds) {
    // The drawing style scales its colour run by the strength: at most 100 keeps the run's
    // weight within 102 / 128 and its radius within 40 pixels (460 of its 500 ring offsets).
    // Every module carries these files (below).
    for (const Ground& g : kGrounds) {
        const std::vector<uint8_t> b = test_files::ReadAll(Committed(g));
        ASSERT_EQ(b.size(), kGroundSize) << g.resource;
        const int32_t strength = ReadLittleInt32(&b[40 + 4 * 7]);
        EXPECT_GE(strength, 0) << g.resource;
        EXPECT_LE(strength, 100) << g.resource;
    }
}

TEST(GroundsGenerated, HeightMapsSpanExactlyTheirRange) {
    for (const Ground& g : kGrounds) {
        const std::vector<uint8_t> b = test_files::ReadAll(Committed(g));
        ASSERT_EQ(b.size(), kGroundSize) << g.resource;
        const uint8_t* map = b.data() + 80;
        int low = 255, high = 0, atMiddleOrAbove = 0;
        for (int i = 0; i < kSide * kSide; ++i) {
            low = std::min<int>(low, map[i]);
            high = std::max<int>(high, map[i]);
            atMiddleOrAbove += map[i] >= g.values[5];
        }
        EXPECT_EQ(low, g.values[4]) << g.resource;
        EXPECT_EQ(high, g.values[6]) << g.resource;
        if (g.values[0] == 0) continue;  // a plain ground is flat
        // The middle height is the surface's typical level: about half lies on either side.
        EXPECT_GE(atMiddleOrAbove, kSide * kSide / 2) << g.resource;
        EXPECT_LE(atMiddleOrAbove, kSide * kSide * 3 / 4) << g.resource;
    }
}

// Mean step between two columns (or rows) of the map.
double MeanStep(const uint8_t* map, int a, int b, bool columns) {
    int sum = 0;
    for (int i = 0; i < kSide; ++i) {
        const int va = columns ? map[i * kSide + a] : map[a * kSide + i];
        const int vb = columns ? map[i * kSide + b] : map[b * kSide + i];
        sum += std::abs(va - vb);
    }
    return static_cast<double>(sum) / kSide;
}

TEST(GroundsGenerated, HeightMapsTileWithoutASeam) {
    for (const Ground& g : kGrounds) {
        const std::vector<uint8_t> b = test_files::ReadAll(Committed(g));
        ASSERT_EQ(b.size(), kGroundSize) << g.resource;
        const uint8_t* map = b.data() + 80;
        for (bool columns : {true, false}) {
            // Across the wrap the step is no larger than between neighbours inside the map.
            double largestInside = 0;
            for (int i = 0; i + 1 < kSide; ++i)
                largestInside = std::max(largestInside, MeanStep(map, i, i + 1, columns));
            EXPECT_LE(MeanStep(map, kSide - 1, 0, columns), largestInside * 1.1 + 0.5)
                << g.resource << (columns ? " left/right" : " top/bottom");
        }
    }
}

TEST(GroundsGenerated, EveryModuleCarriesTheCommittedGrounds) {
    for (const char* module : {"Zo_Mor", "Zo_Kol", "Zo_Gri", "Zo_Zav", "Zo_Tev"})
        for (const Ground& g : kGrounds) {
            platform::ResourceBytes bytes;
            ASSERT_TRUE(platform::FindResourceBytes(platform::NativeModuleHandle(module),
                                                    g.resource, "MAT", &bytes))
                << module << " " << g.resource;
            EXPECT_TRUE(std::vector<uint8_t>(bytes.data, bytes.data + bytes.size) ==
                        test_files::ReadAll(Committed(g)))
                << module << " " << g.resource;
        }
}

}  // namespace
