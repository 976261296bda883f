// ColorMap: loading and saving its table, the tone tables and the re-colouring.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/color_map.h"
#include "engine/status_text.h"
#include "imaging/math_tbl.h"
#include "tests/support/files.h"
#include "tests/support/pictures.h"
#include "tests/support/test_module.h"

namespace {

struct Rgb {
    int red, green, blue;
};
bool operator==(const Rgb& a, const Rgb& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

// The oil style's red key: rows light to dark, columns grey, middle, saturated.
const uint8_t kRedKey[5][3][3] = {
    {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}},
    {{206, 206, 206}, {255, 157, 157}, {255, 157, 157}},
    {{128, 128, 128}, {199, 57, 57}, {230, 0, 0}},
    {{64, 48, 48}, {112, 0, 0}, {112, 0, 0}},
    {{8, 0, 5}, {8, 0, 5}, {8, 0, 5}},
};

ColorMapTable TableWithHeader(int lightStrength, int chromaStrength, int lightMinimum,
                              int lightMaximum, int chromaMinimum) {
    ColorMapTable table;
    std::memset(&table, 0, sizeof table);
    table.lightStrength = static_cast<int16_t>(lightStrength);
    table.chromaStrength = static_cast<int16_t>(chromaStrength);
    table.lightMinimum = static_cast<int16_t>(lightMinimum);
    table.lightMaximum = static_cast<int16_t>(lightMaximum);
    table.chromaMinimum = static_cast<int16_t>(chromaMinimum);
    for (int i = 0; i < 256; ++i) {
        table.lightTarget[i] = 1;
        table.chromaTarget[i] = 1;
    }
    return table;
}

// Every key is the red key, so the grid read does not depend on the hue.
ColorMapTable RedKeyTable(int lightStrength, int chromaStrength) {
    ColorMapTable table = TableWithHeader(lightStrength, chromaStrength, 16, 240, 5);
    for (auto& key : table.hueKeys) std::memcpy(key, kRedKey, sizeof kRedKey);
    return table;
}

// Every cell of key k is (21k, 255 - 20k, 7k): flat keys, so the output is the expanded colour
// of the hue the pixel was read at (red = that hue below 231).
ColorMapTable HueProbeTable(int lightMinimum, int lightMaximum, int chromaMinimum) {
    ColorMapTable table = TableWithHeader(0, 0, lightMinimum, lightMaximum, chromaMinimum);
    for (int k = 0; k < kColorMapHueKeys; ++k)
        for (auto& row : table.hueKeys[k])
            for (auto& cell : row) {
                cell[0] = static_cast<uint8_t>(21 * k);
                cell[1] = static_cast<uint8_t>(255 - 20 * k);
                cell[2] = static_cast<uint8_t>(7 * k);
            }
    return table;
}

std::unique_ptr<TDib> Picture(const std::vector<Rgb>& pixels) {
    auto picture = TDib::Create24(static_cast<int>(pixels.size()), 1);
    std::memset(picture->Bits(), 0, picture->ImageBytes());  // the checksums read the padding
    for (size_t x = 0; x < pixels.size(); ++x) {
        uint8_t* p = picture->Row(0) + 3 * x;
        p[0] = static_cast<uint8_t>(pixels[x].blue);
        p[1] = static_cast<uint8_t>(pixels[x].green);
        p[2] = static_cast<uint8_t>(pixels[x].red);
    }
    return picture;
}

Rgb PixelAt(const TDib& picture, int x = 0, int y = 0) {
    const uint8_t* p = picture.Row(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

struct ColorMapFixture : ::testing::Test {
    char status[kStatusSize] = "Focus:earlier";
};

// ---- construction and setup ----------------------------------------------------------------

TEST_F(ColorMapFixture, ConstructorWritesPrefixAndIsNotValid) {
    ColorMap map(status);
    EXPECT_STREQ(status, "ColorMap:") << "the prefix replaces the buffer";
    EXPECT_TRUE(map.HasTable());
    EXPECT_FALSE(map.IsValid());
    auto picture = test_pictures::Gradient(3, 3);
    const uint64_t before = test_pictures::Checksum(*picture);
    EXPECT_EQ(map.MakeTables(), 0);
    EXPECT_EQ(map.Apply(), 0);
    EXPECT_EQ(map.Run(), 0);
    EXPECT_EQ(test_pictures::Checksum(*picture), before);
    EXPECT_STREQ(status, "ColorMap:");
}

TEST_F(ColorMapFixture, SetupRefusesMissingOrMismatchedImages) {
    auto square = TDib::Create24(100, 100);
    auto shorter = TDib::Create24(100, 99);
    auto narrower = TDib::Create24(99, 100);
    auto indexed = TDib::Create8(100, 100);
    struct Case {
        const char* name;
        TDib* source;
        TDib* target;
    } cases[] = {
        {"no source", nullptr, square.get()},
        {"no target", square.get(), nullptr},
        {"target one row shorter", square.get(), shorter.get()},
        {"target one column narrower", square.get(), narrower.get()},
        {"8-bit source", indexed.get(), square.get()},
        {"8-bit target", square.get(), indexed.get()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ColorMap map(status);
        ASSERT_EQ(map.Setup(square.get(), square.get(), 0, 0), 1);
        EXPECT_EQ(map.Setup(c.source, c.target, 0, 0), 0);
        EXPECT_FALSE(map.IsValid()) << "a failed setup leaves the map not valid";
        EXPECT_STREQ(status, "ColorMap:Setup.");
        EXPECT_EQ(map.Run(), 0);
        EXPECT_STREQ(status, "ColorMap:Setup.");
    }
}

// ---- the pixel pass --------------------------------------------------------------------------

TEST_F(ColorMapFixture, WorkedColoursOfTheRedKey) {
    struct Case {
        const char* name;
        Rgb input, expected;
    } cases[] = {
        // l = 255 lies above the window: hue 43, row 0, white in every key.
        {"white stays white", {255, 255, 255}, {255, 255, 255}},
        // l = 0: 63/64 of the way from row 3 to row 4, the shifts rounding toward minus infinity.
        {"black reads row 4", {0, 0, 0}, {8, 0, 5}},
        // c = 255: 127/128 of the way from column 1 to column 2; l = 128 between rows 1 and 2.
        {"pure red", {255, 0, 0}, {229, 2, 2}},
        {"mid grey between rows 1 and 2", {128, 128, 128}, {129, 129, 129}},
        {"light red between rows 0 and 1", {255, 157, 157}, {245, 188, 188}},
        {"dark warm grey", {64, 48, 48}, {63, 37, 37}},
        {"orange", {200, 100, 50}, {201, 45, 45}},
    };
    std::vector<Rgb> inputs;
    for (const Case& c : cases) inputs.push_back(c.input);
    auto picture = Picture(inputs);
    ColorMap map(status);
    *map.Table() = RedKeyTable(0, 0);
    ASSERT_EQ(map.Setup(picture.get(), picture.get(), 0, 0), 1);
    ASSERT_EQ(map.Apply(), 1);
    for (size_t x = 0; x < std::size(cases); ++x)
        EXPECT_EQ(PixelAt(*picture, static_cast<int>(x)), cases[x].expected) << cases[x].name;
    EXPECT_STREQ(status, "ColorMap:");
}

TEST_F(ColorMapFixture, GreyRuleAndHueInterpolation) {
    struct Case {
        const char* name;
        int lightMinimum, lightMaximum, chromaMinimum;
        Rgb input, expected;
    } cases[] = {
        // Hue 219 (a grey of lightness 102): key 10 plus 9/21 toward key 11, green truncated
        // toward zero (55 - 8.57 gives 47).
        {"chroma 4 below minimum 5 is grey", 16, 240, 5, {100, 100, 104}, {219, 47, 73}},
        {"chroma 4 with minimum 0 keeps its hue", 0, 255, 0, {100, 100, 104}, {168, 95, 56}},
        {"chroma 5 at minimum 5 keeps hue 0", 16, 240, 5, {105, 100, 100}, {0, 255, 0}},
        {"lightness 15 below minimum 16", 16, 240, 5, {30, 0, 0}, {175, 89, 58}},
        {"lightness 16 at minimum", 16, 240, 5, {31, 0, 0}, {0, 255, 0}},
        {"lightness 248 above maximum 240", 16, 240, 5, {255, 240, 240}, {40, 217, 13}},
        {"lightness 240 at maximum", 16, 240, 5, {255, 225, 225}, {0, 255, 0}},
        // Hues from 231 interpolate from key 11 back to key 0, truncating toward zero.
        {"hue 231 is key 11", 16, 240, 5, {255, 0, 127}, {231, 35, 77}},
        {"hue 241 halfway to key 0", 16, 240, 5, {255, 0, 65}, {121, 139, 41}},
        {"hue 251 next to key 0", 16, 240, 5, {255, 0, 6}, {11, 244, 4}},
        {"white has the grey hue 43", 0, 255, 0, {255, 255, 255}, {43, 215, 14}},
        {"black has the grey hue 168", 0, 255, 0, {0, 0, 0}, {168, 95, 56}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto picture = Picture({c.input});
        ColorMap map(status);
        *map.Table() = HueProbeTable(c.lightMinimum, c.lightMaximum, c.chromaMinimum);
        ASSERT_EQ(map.Setup(picture.get(), picture.get(), 0, 0), 1);
        ASSERT_EQ(map.Apply(), 1);
        EXPECT_EQ(PixelAt(*picture), c.expected);
    }
}

TEST_F(ColorMapFixture, WritesTheTargetAndLeavesTheSource) {
    auto source = Picture({{255, 0, 0}, {0, 0, 0}});
    auto target = Picture({{1, 2, 3}, {4, 5, 6}});
    ColorMap map(status);
    *map.Table() = RedKeyTable(0, 0);
    ASSERT_EQ(map.Setup(source.get(), target.get(), 0, 0), 1);
    ASSERT_EQ(map.Apply(), 1);
    EXPECT_EQ(PixelAt(*source, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(*target, 0), (Rgb{229, 2, 2}));
    EXPECT_EQ(PixelAt(*target, 1), (Rgb{8, 0, 5}));
}

TEST_F(ColorMapFixture, WhiteStaysWhiteThroughTheRemaps) {
    // Strong strengths and a dark target pull every middle lightness down; the ends stay.
    auto picture = test_pictures::Gradient(7, 5);
    picture->Row(2)[9] = picture->Row(2)[10] = picture->Row(2)[11] = 255;
    ColorMap map(status);
    ColorMapTable table = RedKeyTable(4, 4);
    for (int i = 0; i < 256; ++i) table.lightTarget[i] = i < 60 ? 50 : 1;
    *map.Table() = table;
    ASSERT_EQ(map.Setup(picture.get(), picture.get(), 2, 2), 1);
    ASSERT_EQ(map.Run(), 1);
    EXPECT_EQ(PixelAt(*picture, 3, 2), (Rgb{255, 255, 255}));
}

// ---- remap tables ----------------------------------------------------------------------------

TEST_F(ColorMapFixture, StrengthsPlusOffsetsAreLimitedAndWrittenBack) {
    struct Case {
        const char* name;
        int strength, offset, written;
    } cases[] = {
        {"zero strength, offset -2", 0, -2, 0},
        {"zero strength, no offset", 0, 0, 0},
        {"strength 2 with offset -2", 2, -2, 0},
        {"negative stays 0", -3, 0, 0},
        {"strength 4 softened", 4, -2, 2},
        {"strength 4 strengthened", 4, 2, 6},
        {"limited to 8", 7, 2, 8},
    };
    auto picture = test_pictures::Gradient(5, 4);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ColorMap map(status);
        ColorMapTable table = RedKeyTable(4, c.strength);
        for (int i = 0; i < 256; ++i) table.chromaTarget[i] = i > 200 ? 40 : 1;
        *map.Table() = table;
        ASSERT_EQ(map.Setup(picture.get(), picture.get(), 0, c.offset), 1);
        ASSERT_EQ(map.MakeTables(), 1);
        EXPECT_EQ(map.Table()->chromaStrength, c.written);
        EXPECT_EQ(map.Table()->lightStrength, 4) << "the light offset is 0";
        if (c.written == 0) {
            for (int i = 0; i < 256; ++i) ASSERT_EQ(map.ChromaRemap()[i], i) << i;
        } else {
            EXPECT_GT(map.ChromaRemap()[100], 100) << "pulled toward the strong target";
        }
    }
}

TEST_F(ColorMapFixture, UnusedRemapIsNotConsulted) {
    // A chroma strength of 0 after its offset leaves every chroma as it is, however strong the
    // pull of the table's chroma target would be.
    auto picture = Picture({{200, 100, 50}, {255, 0, 0}, {90, 80, 70}});
    auto reference = Picture({{200, 100, 50}, {255, 0, 0}, {90, 80, 70}});
    ColorMapTable table = RedKeyTable(0, 2);
    for (int i = 0; i < 256; ++i) table.chromaTarget[i] = i < 10 ? 200 : 0;
    ColorMap map(status);
    *map.Table() = table;
    ASSERT_EQ(map.Setup(picture.get(), picture.get(), 0, -2), 1);
    ASSERT_EQ(map.Run(), 1);
    ColorMap plain(status);
    *plain.Table() = RedKeyTable(0, 0);
    ASSERT_EQ(plain.Setup(reference.get(), reference.get(), 0, 0), 1);
    ASSERT_EQ(plain.Apply(), 1);
    EXPECT_EQ(test_pictures::Checksum(*picture), test_pictures::Checksum(*reference));
}

TEST_F(ColorMapFixture, HistogramsSampleAGridOfAboutAHundredSquared) {
    struct Case {
        int width, height;
        int samples;
    } cases[] = {
        {3, 3, 9},              // steps 1
        {250, 3, 84 * 3},       // step x (250 / 100) | 1 = 3
        {201, 201, 67 * 67},    // steps 3
        {100, 1, 100},          // step 1 | 1 = 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        auto picture = test_pictures::Flat(c.width, c.height, 50, 100, 200);  // l 125, c 150
        ColorMap map(status);
        *map.Table() = RedKeyTable(0, 0);
        ASSERT_EQ(map.Setup(picture.get(), picture.get(), 0, 0), 1);
        ASSERT_EQ(map.MakeTables(), 1);
        int64_t lightSum = 0, chromaSum = 0;
        for (int i = 0; i < 256; ++i) {
            lightSum += map.LightHistogram()[i];
            chromaSum += map.ChromaHistogram()[i];
        }
        EXPECT_EQ(lightSum, 256 + c.samples) << "every bin starts at 1";
        EXPECT_EQ(chromaSum, 256 + c.samples);
        EXPECT_EQ(map.LightHistogram()[125], 1 + c.samples);
        EXPECT_EQ(map.ChromaHistogram()[150], 1 + c.samples);
        EXPECT_EQ(map.LightHistogram()[0], 1);
    }
}

// The matched and smoothed table the remaps are built from, recomputed with the tone tables.
MathTbl MatchedLightCurve(const ColorMap& map) {
    MathTbl m;
    m.Match(map.LightHistogram(), map.Table()->lightTarget);
    m.Smooth(10);
    return m;
}

TEST_F(ColorMapFixture, LightRemapAppliesAShareOfTheMatchFadedAtTheEnds) {
    // A dark picture and a light target: the match lifts every middle level.
    auto picture = test_pictures::Gradient(40, 12);
    ColorMapTable table = RedKeyTable(0, 0);
    for (int i = 0; i < 256; ++i) table.lightTarget[i] = i > 150 ? 30 : 1;
    for (int strength = 1; strength <= 8; ++strength) {
        SCOPED_TRACE(testing::Message() << "strength " << strength);
        table.lightStrength = static_cast<int16_t>(strength);
        ColorMap map(status);
        *map.Table() = table;
        ASSERT_EQ(map.Setup(picture.get(), picture.get(), 0, 0), 1);
        ASSERT_EQ(map.MakeTables(), 1);
        const MathTbl m = MatchedLightCurve(map);
        const uint8_t* remap = map.LightRemap();
        const int fade = 256 >> strength;
        EXPECT_EQ(remap[0], 0);
        EXPECT_EQ(remap[255], 255);
        for (int i = 1; i < 255; ++i) {
            const int full = m.Table()[i] - i;
            const int moved = remap[i] - i;
            // A share strength/8 of the full correction, never more, never the other way.
            ASSERT_LE(std::abs(moved) * 8, std::abs(full) * strength) << i;
            ASSERT_GE(moved * full, 0) << i;
            // Near the ends the move fades out linearly.
            const int nearEnd = std::min(i, 255 - i);
            if (nearEnd < fade) {
                ASSERT_LE(std::abs(moved) * fade, std::abs(full) * nearEnd) << i;
            }
        }
        // Away from the ends (beyond the fade) exactly strength/8 of the correction, truncated
        // toward zero; strength 1 fades over the whole range, so the middle gets 127/128 of it.
        const int full = m.Table()[128] - 128;
        EXPECT_GT(full, 0);
        const int share = strength * full / 8;
        EXPECT_EQ(remap[128] - 128, strength == 1 ? share * 127 / 128 : share);
        if (strength == 8) {
            for (int i = 1; i < 255; ++i) ASSERT_EQ(remap[i], m.Table()[i]) << i;
        }
    }
}

TEST_F(ColorMapFixture, ChromaMatchStartsFromTheLightCurve) {
    // One tone table serves both quantities: a chroma target that does not rise leaves the
    // light curve in it, so the chroma remap follows the lightness correction instead of
    // staying the identity.
    auto picture = test_pictures::Gradient(40, 12);
    ColorMapTable table = RedKeyTable(4, 4);
    for (int i = 0; i < 256; ++i) {
        table.lightTarget[i] = i > 150 ? 30 : 1;
        table.chromaTarget[i] = 0;
    }
    ColorMap map(status);
    *map.Table() = table;
    ASSERT_EQ(map.Setup(picture.get(), picture.get(), 0, 0), 1);
    ASSERT_EQ(map.MakeTables(), 1);
    EXPECT_GT(map.LightRemap()[128], 128);
    EXPECT_GT(map.ChromaRemap()[128], 128);
}

// ---- allocation failures ---------------------------------------------------------------------

struct TablelessMap : ColorMap {
    explicit TablelessMap(char* status) : ColorMap(status, nullptr) {}
};

struct NoGridMemory : ColorMap {
    using ColorMap::ColorMap;
    std::unique_ptr<uint8_t[]> AllocateExpanded() override { return nullptr; }
};

TEST_F(ColorMapFixture, WithoutItsTableEveryOperationDoesNothing) {
    TablelessMap map(status);
    EXPECT_STREQ(status, "ColorMap:");
    EXPECT_FALSE(map.HasTable());
    auto picture = test_pictures::Gradient(4, 3);
    const uint64_t before = test_pictures::Checksum(*picture);
    EXPECT_EQ(map.Setup(picture.get(), picture.get(), 0, 0), 0);
    EXPECT_FALSE(map.IsValid());
    EXPECT_EQ(map.LoadFromResource(TestModule(), "ColorMap"), 0);
    EXPECT_EQ(map.LoadFile(SourcePath("resources/colormaps/moravel.cmp")), 0);
    EXPECT_EQ(map.SaveFile("unused.cmp"), 0);
    EXPECT_EQ(map.MakeTables(), 0);
    EXPECT_EQ(map.Apply(), 0);
    EXPECT_EQ(map.Run(), 0);
    EXPECT_EQ(test_pictures::Checksum(*picture), before);
    EXPECT_FALSE(std::filesystem::exists("unused.cmp"));
}

TEST_F(ColorMapFixture, PassWithoutGridMemoryFailsAndLeavesThePicture) {
    NoGridMemory map(status);
    *map.Table() = RedKeyTable(4, 4);
    auto picture = test_pictures::Gradient(4, 3);
    const uint64_t before = test_pictures::Checksum(*picture);
    ASSERT_EQ(map.Setup(picture.get(), picture.get(), 0, 0), 1);
    EXPECT_EQ(map.Run(), 0);
    EXPECT_STREQ(status, "ColorMap:メモリが足りません。");
    EXPECT_EQ(test_pictures::Checksum(*picture), before);
}

// ---- files and resources ---------------------------------------------------------------------

struct ColorMapFiles : ColorMapFixture {
    test_files::ScratchFolder folder{"zo_color_map_"};
    std::string PathOf(const char* name) const { return folder.PathOf(name); }
    static void WriteBytes(const std::string& path, size_t count, char fill) {
        test_files::WriteAll(path, std::string(count, fill));
    }
};

ColorMapTable DistinctTable() {
    ColorMapTable table = HueProbeTable(16, 240, 5);
    for (int i = 0; i < 256; ++i) table.lightTarget[i] = static_cast<uint8_t>(255 - i);
    for (int i = 0; i < 376; ++i) table.reserved[i] = static_cast<uint8_t>(i * 7);
    table.lightStrength = -300;
    return table;
}

TEST_F(ColorMapFiles, SaveAndLoadRoundTrip) {
    const std::string path = PathOf("map.cmp");
    const ColorMapTable saved = DistinctTable();
    ColorMap writer(status);
    *writer.Table() = saved;
    ASSERT_EQ(writer.SaveFile(path.c_str()), 1);
    EXPECT_EQ(std::filesystem::file_size(path), 1438u);
    namespace fs = std::filesystem;
    const fs::perms ownerReadWrite = fs::perms::owner_read | fs::perms::owner_write;
    EXPECT_EQ(fs::status(path).permissions() & ownerReadWrite, ownerReadWrite)
        << "the owner can read it and write it again";
    ColorMap reader(status);
    ASSERT_EQ(reader.LoadFile(path.c_str()), 1);
    EXPECT_EQ(std::memcmp(reader.Table(), &saved, sizeof saved), 0);
    EXPECT_STREQ(status, "ColorMap:");
}

TEST_F(ColorMapFiles, SaveTruncatesAnOlderLongerFile) {
    const std::string path = PathOf("old.cmp");
    WriteBytes(path, 4000, 'x');
    ColorMap writer(status);
    *writer.Table() = DistinctTable();
    ASSERT_EQ(writer.SaveFile(path.c_str()), 1);
    EXPECT_EQ(std::filesystem::file_size(path), 1438u);
}

TEST_F(ColorMapFiles, LoadReadsTheFirst1438BytesOfALongerFile) {
    const std::string path = PathOf("long.cmp");
    WriteBytes(path, 2000, '\x11');
    ColorMap reader(status);
    ASSERT_EQ(reader.LoadFile(path.c_str()), 1);
    EXPECT_EQ(reader.Table()->lightStrength, 0x1111);
    EXPECT_EQ(reader.Table()->reserved[375], 0x11);
}

TEST_F(ColorMapFiles, FailuresAppendTheirTextAndKeepTheTable) {
    WriteBytes(PathOf("short.cmp"), 1437, '\x22');
    WriteBytes(PathOf("empty.cmp"), 0, 0);
    std::filesystem::create_directories(PathOf("a folder"));
    struct Case {
        const char* name;
        bool save;
        std::string path;
        const char* status;
    } cases[] = {
        {"one byte short", false, PathOf("short.cmp"), "ColorMap:Load file."},
        {"empty file", false, PathOf("empty.cmp"), "ColorMap:Load file."},
        {"missing file", false, PathOf("missing.cmp"), "ColorMap:Load file."},
        {"a folder", false, PathOf("a folder"), "ColorMap:Load file."},
        {"save into a missing folder", true, PathOf("none/map.cmp"), "ColorMap:Save file."},
        {"save onto a folder", true, PathOf("a folder"), "ColorMap:Save file."},
    };
    const ColorMapTable original = DistinctTable();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ColorMap map(status);
        *map.Table() = original;
        EXPECT_EQ(c.save ? map.SaveFile(c.path.c_str()) : map.LoadFile(c.path.c_str()), 0);
        EXPECT_STREQ(status, c.status);
        EXPECT_EQ(std::memcmp(map.Table(), &original, sizeof original), 0);
    }
    ColorMap map(status);
    EXPECT_EQ(map.LoadFile(nullptr), 0);
    EXPECT_EQ(map.SaveFile(nullptr), 0);
    EXPECT_STREQ(status, "ColorMap:Load file.Save file.");
}

TEST_F(ColorMapFixture, LoadsTheModulesColourMapByAnySpellingOfItsName) {
    for (const char* name : {"ColorMap", "COLORMAP", "colormap"}) {
        SCOPED_TRACE(name);
        ColorMap map(status);
        ASSERT_EQ(map.LoadFromResource(TestModule(), name), 1);
        const ColorMapTable* table = map.Table();
        EXPECT_EQ(table->lightStrength, 4);
        EXPECT_EQ(table->chromaStrength, 4);
        EXPECT_EQ(table->lightMinimum, 16);
        EXPECT_EQ(table->lightMaximum, 240);
        EXPECT_EQ(table->chromaMinimum, 5);
        EXPECT_EQ(std::memcmp(table->hueKeys[0], kRedKey, sizeof kRedKey), 0);
        EXPECT_STREQ(status, "ColorMap:");
    }
}

TEST_F(ColorMapFixture, MissingResourceKeepsTheTable) {
    ColorMap map(status);
    const ColorMapTable original = RedKeyTable(1, 2);
    *map.Table() = original;
    EXPECT_EQ(map.LoadFromResource(TestModule(), "NoSuchMap"), 0);
    EXPECT_STREQ(status, "ColorMap:Handle resource.");
    EXPECT_EQ(map.LoadFromResource(TestModule(), nullptr), 0);
    EXPECT_STREQ(status, "ColorMap:Handle resource.Handle resource.");
    EXPECT_EQ(std::memcmp(map.Table(), &original, sizeof original), 0);
}

}  // namespace
