// The two settings files as a host's calls leave them: the plug-in's 24-byte ".dat" beside the
// module, written only after a painting, and the folder's Zop2j.ini with SCREEN/MM and DPI,
// written after every call with the dialog.
#include <gtest/gtest.h>

#include <string>

#include "tests/win32/win32_test_support.h"

namespace {

struct SettingsFixture : ::testing::Test {
    void SetUp() override {
        SetDialogMode("");
        TakeDialogReport();
        ASSERT_TRUE(plugin.Loaded());
    }
    // One call on a small picture; the dialog's report.
    std::map<std::string, long long> Call(int expectedResult = 1) {
        auto picture = MakeHostPicture(4, 3);
        BoxCloser boxes;
        EXPECT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), expectedResult);
        EXPECT_TRUE(boxes.Boxes().empty());
        return TakeDialogReport();
    }
    PluginCopy plugin;
};

}  // namespace

using SettingsFile = SettingsFixture;

TEST_F(SettingsFile, WithoutAFileTheDefaultsPaintAndA24ByteFileIsWritten) {
    auto report = Call();
    EXPECT_EQ(report["size"], 1);
    for (const char* level : {"material", "touch", "color", "deform", "focus"})
        EXPECT_EQ(report[level], 1) << level;
    EXPECT_EQ(report["ground"], 0);
    EXPECT_EQ(report["groundSet"], 1) << "the ground reference is the loaded ground";
    const int16_t defaults[7] = {1, 1, 1, 1, 1, 1, 0};
    EXPECT_EQ(ReadFileBytes(plugin.DatPath()), SettingsBytes(defaults));
}

TEST_F(SettingsFile, CancelWritesNoSettingsFile) {
    SetDialogMode("cancel");
    Call();
    EXPECT_FALSE(FileExists(plugin.DatPath()));
    SetDialogMode("fail");
    {
        auto picture = MakeHostPicture(4, 3);
        BoxCloser boxes;  // the driver's "Error at" box and "Painting Error", twice
        EXPECT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
        EXPECT_EQ(boxes.Boxes().size(), 4u);
    }
    EXPECT_FALSE(FileExists(plugin.DatPath()));
}

TEST_F(SettingsFile, FieldsAreReadAndReservedBytesWrittenBackWithAZeroGroundSlot) {
    const int16_t fields[7] = {0, 2, 0, 2, 0, 2, 9};
    const uint8_t tail[10] = {0xAB, 0xCD, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    WriteFileBytes(plugin.DatPath(), SettingsBytes(fields, tail));
    auto report = Call();
    EXPECT_EQ(report["size"], 0);
    EXPECT_EQ(report["material"], 2);
    EXPECT_EQ(report["touch"], 0);
    EXPECT_EQ(report["color"], 2);
    EXPECT_EQ(report["deform"], 0);
    EXPECT_EQ(report["focus"], 2);
    EXPECT_EQ(report["ground"], 9);
    const uint8_t written[10] = {0xAB, 0xCD, 0, 0, 0, 0, 0x55, 0x66, 0x77, 0x88};
    EXPECT_EQ(ReadFileBytes(plugin.DatPath()), SettingsBytes(fields, written));
}

TEST_F(SettingsFile, ShortFileChangesOnlyTheFieldsItHolds) {
    const int16_t first[7] = {1, 2, 2, 2, 2, 2, 3};
    WriteFileBytes(plugin.DatPath(), SettingsBytes(first));
    Call();
    // Ten bytes: size index and the material, touch, colour and deform levels.
    const int16_t second[7] = {0, 0, 0, 0, 0, 0, 0};
    WriteFileBytes(plugin.DatPath(), SettingsBytes(second).substr(0, 10));
    auto report = Call();
    EXPECT_EQ(report["size"], 0);
    EXPECT_EQ(report["material"], 0);
    EXPECT_EQ(report["touch"], 0);
    EXPECT_EQ(report["color"], 0);
    EXPECT_EQ(report["deform"], 0);
    EXPECT_EQ(report["focus"], 2) << "kept from the record before";
    EXPECT_EQ(report["ground"], 3) << "kept from the record before";
    const int16_t written[7] = {0, 0, 0, 0, 0, 2, 3};
    EXPECT_EQ(ReadFileBytes(plugin.DatPath()), SettingsBytes(written));
}

using ScreenProfile = SettingsFixture;

TEST_F(ScreenProfile, IsWrittenAfterEveryCallWithTheDialog) {
    for (const char* mode : {"", "cancel"}) {
        SCOPED_TRACE(mode);
        DeleteFileA(plugin.IniPath().c_str());
        SetDialogMode(mode);
        Call();
        EXPECT_EQ(ProfileValue(plugin.IniPath(), "SCREEN", "MM"), "60");
        EXPECT_EQ(ProfileValue(plugin.IniPath(), "SCREEN", "DPI"), "84");
    }
}

TEST_F(ScreenProfile, WithoutScreenSectionTheDefaultsAreUsedAndWrittenBesideOthers) {
    WritePrivateProfileStringA("OTHER", "Key", "kept", plugin.IniPath().c_str());
    auto report = Call();
    EXPECT_EQ(report["engineDpi"], 84) << "painted at the screen's resolution";
    EXPECT_EQ(ProfileValue(plugin.IniPath(), "SCREEN", "MM"), "60");
    EXPECT_EQ(ProfileValue(plugin.IniPath(), "SCREEN", "DPI"), "84");
    EXPECT_EQ(ProfileValue(plugin.IniPath(), "OTHER", "Key"), "kept");
}

TEST_F(ScreenProfile, DpiIsLimitedOnReadingAndMmKeptIn16Bits) {
    struct Case {
        const char* mm;
        const char* dpi;
        int screenDpi;
        const char* writtenMm;
        const char* writtenDpi;
    } cases[] = {
        {"60", "9", 10, "60", "10"},       {"60", "401", 400, "60", "400"},
        {"60", "5", 10, "60", "10"},       {"60", "1000", 400, "60", "400"},
        {"60", "10", 10, "60", "10"},      {"60", "400", 400, "60", "400"},
        {"75", "120", 120, "75", "120"},   {"70000", "84", 84, "4464", "84"},
        {"0", "84", 84, "0", "84"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mm) + " " + c.dpi);
        WritePrivateProfileStringA("SCREEN", "MM", c.mm, plugin.IniPath().c_str());
        WritePrivateProfileStringA("SCREEN", "DPI", c.dpi, plugin.IniPath().c_str());
        auto report = Call();
        EXPECT_EQ(report["engineDpi"], c.screenDpi) << "painted at the screen's resolution";
        EXPECT_EQ(ProfileValue(plugin.IniPath(), "SCREEN", "MM"), c.writtenMm);
        EXPECT_EQ(ProfileValue(plugin.IniPath(), "SCREEN", "DPI"), c.writtenDpi);
    }
}

TEST_F(ScreenProfile, PluginsOfOneFolderShareIt) {
    WritePrivateProfileStringA("SCREEN", "DPI", "150", plugin.IniPath().c_str());
    // A second plug-in copied into the same folder reads the same profile.
    const std::string second = plugin.Folder() + "\\ZoTest_Tev.dll";
    ASSERT_TRUE(CopyFileA(TestPluginPath("ZoTest_Tev").c_str(), second.c_str(), FALSE));
    HMODULE module = LoadLibraryA(second.c_str());
    ASSERT_NE(module, nullptr);
    auto proc = Export<FilterProcFunction>(module, "FilterProc");
    auto picture = MakeHostPicture(4, 3);
    {
        BoxCloser boxes;
        EXPECT_EQ(proc(TestHostWindow(), picture.data(), 0, 0), 1);
    }
    EXPECT_EQ(TakeDialogReport()["engineDpi"], 150);
    EXPECT_TRUE(FileExists(plugin.Folder() + "\\ZoTest_Tev.dat"));
    EXPECT_FALSE(FileExists(plugin.DatPath())) << "each plug-in keeps its own record";
    FreeLibrary(module);
}

// A ".dat" that cannot be written: a box, and the painting is still delivered.
TEST(SettingsWriteFailure, ShowsTheBoxAndStillDeliversThePainting) {
    PluginCopy plugin;
    ASSERT_TRUE(plugin.Loaded());
    SetDialogMode("");
    ASSERT_TRUE(CreateDirectoryA(plugin.DatPath().c_str(), nullptr)) << "a folder in its place";
    auto picture = MakeHostPicture(5, 4);
    const auto expected = ReferencePainting(picture, 3307);
    BoxCloser boxes;
    EXPECT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
    EXPECT_EQ(picture, expected);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Zolvane");
    EXPECT_EQ(boxes.Boxes()[0].text, "設定情報が保存できません。");
    EXPECT_EQ(ProfileValue(plugin.IniPath(), "SCREEN", "DPI"), "84") << "the profile still is";
}
