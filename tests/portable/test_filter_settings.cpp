// The settings record: its 24 stored bytes and its file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/filter_settings.h"
#include "tests/support/files.h"

namespace {

const uint8_t kStored[kSettingsFileSize] = {
    2, 0, 0, 0, 2, 0, 1, 0, 0xFF, 0xFF, 2, 0, 9, 0, 0xAB, 0xCD, 1, 2, 3, 4, 5, 6, 7, 8};

TEST(FilterSettings, DecodesTheStoredLayoutAndIgnoresTheGroundSlot) {
    FilterSettings settings;
    MaterialInfo ground = {};
    settings.ground = &ground;
    DecodeSettings(kStored, &settings);
    EXPECT_EQ(settings.sizeIndex, 2);
    EXPECT_EQ(settings.materialLevel, 0);
    EXPECT_EQ(settings.touchLevel, 2);
    EXPECT_EQ(settings.colorLevel, 1);
    EXPECT_EQ(settings.deformLevel, -1);
    EXPECT_EQ(settings.focusLevel, 2);
    EXPECT_EQ(settings.groundIndex, 9);
    EXPECT_EQ(settings.ground, &ground);

    uint8_t again[kSettingsFileSize];
    EncodeSettings(settings, again);
    uint8_t expected[kSettingsFileSize];
    std::memcpy(expected, kStored, sizeof expected);
    std::memset(expected + 16, 0, 4);  // the ground slot is stored as zeros
    EXPECT_EQ(std::memcmp(again, expected, sizeof again), 0);
}

TEST(FilterSettings, MissingFileGivesTheDefaults) {
    FilterSettings settings;
    DecodeSettings(kStored, &settings);
    EXPECT_EQ(ReadSettingsFile("no-such-folder/none.dat", &settings), 0);
    EXPECT_EQ(settings.sizeIndex, 1);
    for (int16_t level : {settings.materialLevel, settings.touchLevel, settings.colorLevel,
                          settings.deformLevel, settings.focusLevel})
        EXPECT_EQ(level, 1);
    EXPECT_EQ(settings.groundIndex, 0);
    EXPECT_EQ(settings.ground, nullptr);
    EXPECT_EQ(settings.reserved1[0], 0xAB) << "reserved bytes are left alone";
}

TEST(FilterSettings, ShortFileChangesOnlyWhatItHolds) {
    const test_files::ScratchFolder folder("zo_settings_");
    const std::string path = folder.PathOf("short.dat");
    ASSERT_TRUE(test_files::WriteAll(path, std::vector<uint8_t>(kStored, kStored + 10)));
    FilterSettings settings;
    settings.focusLevel = 0;
    settings.groundIndex = 4;
    EXPECT_EQ(ReadSettingsFile(path.c_str(), &settings), 1);
    EXPECT_EQ(settings.sizeIndex, 2);
    EXPECT_EQ(settings.deformLevel, -1);
    EXPECT_EQ(settings.focusLevel, 0) << "beyond the file's 10 bytes";
    EXPECT_EQ(settings.groundIndex, 4);
}

TEST(FilterSettings, WriteThenReadRoundTrips) {
    const test_files::ScratchFolder folder("zo_settings_");
    const std::string path = folder.PathOf("round_trip.dat");
    FilterSettings written;
    DecodeSettings(kStored, &written);
    ASSERT_EQ(WriteSettingsFile(path.c_str(), written), 1);
    EXPECT_EQ(test_files::ReadAll(path).size(), 24u);

    FilterSettings read;
    EXPECT_EQ(ReadSettingsFile(path.c_str(), &read), 1);
    EXPECT_EQ(read.groundIndex, 9);
    EXPECT_EQ(read.deformLevel, -1);
}

}  // namespace
