// The plug-ins' colour map resources: regenerated and compared with the committed files, their
// fixed parts checked, and each map run on a small picture from its module.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/color_map.h"
#include "engine/status_text.h"
#include "platform/native_module.h"
#include "tests/support/files.h"
#include "tests/support/pictures.h"

namespace {

struct PluginMap {
    const char* file;
    const char* module;
    int16_t header[5];  // light strength, chroma strength, light minimum, maximum, chroma minimum
};

const PluginMap kPlugins[] = {
    {"moravel.cmp", "Zo_Mor", {4, 4, 16, 240, 5}},
    {"kolda.cmp", "Zo_Kol", {3, 3, 16, 242, 8}},
    {"grisov.cmp", "Zo_Gri", {4, 0, 16, 242, 8}},
    {"zavet.cmp", "Zo_Zav", {4, 4, 0, 255, 0}},
    {"tevu.cmp", "Zo_Tev", {4, 2, 0, 255, 0}},
};

const uint8_t kMoravelRedKey[45] = {
    255, 255, 255, 255, 255, 255, 255, 255, 255,  //
    206, 206, 206, 255, 157, 157, 255, 157, 157,  //
    128, 128, 128, 199, 57,  57,  230, 0,   0,    //
    64,  48,  48,  112, 0,   0,   112, 0,   0,    //
    8,   0,   5,   8,   0,   5,   8,   0,   5,
};

std::string CommittedFile(const char* file) {
    return std::string(ZO_SOURCE_DIR) + "/resources/colormaps/" + file;
}

int16_t Field(const std::vector<uint8_t>& bytes, int index) {
    return static_cast<int16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

TEST(GeneratedColorMaps, GeneratorReproducesTheCommittedFiles) {
    const test_files::ScratchFolder folder("zo_colormaps_");
    ASSERT_TRUE(test_files::RunGenerator(ZO_MAKE_COLORMAPS, folder.Path()));
    for (const PluginMap& plugin : kPlugins) {
        SCOPED_TRACE(plugin.file);
        const std::vector<uint8_t> fresh = test_files::ReadAll(folder.PathOf(plugin.file));
        const std::vector<uint8_t> committed = test_files::ReadAll(CommittedFile(plugin.file));
        EXPECT_EQ(fresh.size(), 1438u);
        EXPECT_TRUE(fresh == committed) << "regenerate resources/colormaps with make_colormaps";
    }
}

TEST(GeneratedColorMaps, FixedPartsAndWhatThePassReliesOn) {
    for (const PluginMap& plugin : kPlugins) {
        SCOPED_TRACE(plugin.file);
        const std::vector<uint8_t> bytes = test_files::ReadAll(CommittedFile(plugin.file));
        ASSERT_EQ(bytes.size(), 1438u);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(Field(bytes, i), plugin.header[i]) << "field " << i;
        // The histogram match needs targets whose cumulative sums rise past bin 0.
        for (int offset : {10, 266}) {
            int beyondFirst = 0;
            for (int i = 1; i < 256; ++i) beyondFirst += bytes[offset + i];
            EXPECT_GT(beyondFirst, 0) << "target at " << offset;
        }
        for (int key = 0; key < 12; ++key) {
            const uint8_t* cells = &bytes[522 + 45 * key];
            // White reads row 0 of the grey column of hue 43 (keys 2 and 3), and greys of
            // other lightness other keys: white there in every key keeps white white.
            for (int b = 0; b < 3; ++b) EXPECT_EQ(cells[b], 255) << "key " << key;
            // Row 4 stands just below black: black reads it at 63/64.
            for (int b = 36; b < 45; ++b) EXPECT_LE(cells[b], 16) << "key " << key << " byte " << b;
        }
        for (int i = 1062; i < 1438; ++i) ASSERT_EQ(bytes[i], 0) << "reserved byte " << i;
    }
    const std::vector<uint8_t> moravel = test_files::ReadAll(CommittedFile("moravel.cmp"));
    ASSERT_EQ(moravel.size(), 1438u);
    EXPECT_EQ(std::memcmp(&moravel[522], kMoravelRedKey, 45), 0);
}

TEST(GeneratedColorMaps, EachModuleCarriesItsFile) {
    for (const PluginMap& plugin : kPlugins) {
        SCOPED_TRACE(plugin.module);
        platform::ResourceBytes resource;
        ASSERT_TRUE(platform::FindResourceBytes(platform::NativeModuleHandle(plugin.module),
                                                "COLORMAP", "CMP", &resource));
        const std::vector<uint8_t> committed = test_files::ReadAll(CommittedFile(plugin.file));
        ASSERT_EQ(resource.size, committed.size());
        EXPECT_EQ(std::memcmp(resource.data, committed.data(), committed.size()), 0);
    }
}

TEST(GeneratedColorMaps, EveryStyleKeepsWhiteAndBlackAndChangesColours) {
    for (const PluginMap& plugin : kPlugins) {
        for (int offset : {-2, 0, 2}) {
            SCOPED_TRACE(testing::Message() << plugin.module << " offset " << offset);
            char status[kStatusSize] = "";
            auto picture = test_pictures::Gradient(16, 12);
            uint8_t* white = picture->Row(3) + 3 * 5;
            uint8_t* black = picture->Row(7) + 3 * 9;
            std::memset(white, 255, 3);
            std::memset(black, 0, 3);
            const uint64_t before = test_pictures::Checksum(*picture);
            ColorMap map(status);
            ASSERT_EQ(map.Setup(picture.get(), picture.get(), offset, offset), 1);
            ASSERT_EQ(map.LoadFromResource(platform::NativeModuleHandle(plugin.module), "ColorMap"), 1);
            ASSERT_EQ(map.Run(), 1);
            EXPECT_STREQ(status, "ColorMap:");
            EXPECT_EQ(white[0], 255);
            EXPECT_EQ(white[1], 255);
            EXPECT_EQ(white[2], 255);
            for (int b = 0; b < 3; ++b) EXPECT_LE(black[b], 16) << "channel " << b;
            EXPECT_NE(test_pictures::Checksum(*picture), before);
        }
    }
}

}  // namespace
