// The frame's pieces reached directly in this program (which links the frame with the test
// engine and MORAVEL's resources): the filter call without a dialog, the image resolution,
// the names of the settings files, and ProfileFile.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "plugin/win32/run_filter.h"
#include "plugin/win32/load_settings.h"
#include "plugin/win32/profile_file.h"
#include "tests/support/test_expert.h"
#include "tests/win32/win32_test_support.h"

namespace {

// The files that the frame, run with this program as its module, would use.
struct ProgramFiles {
    ProgramFiles() {
        char module[MAX_PATH];
        GetModuleFileNameA(nullptr, module, sizeof module);
        SettingsPathFor(module, dat, sizeof dat);
        ProfilePathFor(module, "Zop2j", ini, sizeof ini);
        DeleteFileA(dat);
        DeleteFileA(ini);
    }
    ~ProgramFiles() {
        DeleteFileA(dat);
        DeleteFileA(ini);
    }
    char dat[kSettingsPathSize];
    char ini[kSettingsPathSize];
};

}  // namespace

TEST(WithoutDialog, PaintsEveryPhaseAndWritesNoFile) {
    ProgramFiles files;
    auto picture = MakeHostPicture(6, 5);
    const auto expected = ReferencePainting(picture, 3307);
    BoxCloser boxes;
    EXPECT_EQ(RunFilter(GetModuleHandleA(nullptr), TestHostWindow(), picture.data(), false), 1);
    EXPECT_EQ(picture, expected);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(FileExists(files.dat));
    EXPECT_FALSE(FileExists(files.ini));
}

TEST(WithoutDialog, TheCallNamesTheFilesBesideItsModule) {
    ProgramFiles files;
    FilterCall call;
    LoadSettings(call, GetModuleHandleA(nullptr));
    EXPECT_STREQ(call.settingsPath, files.dat);
    EXPECT_STREQ(call.profilePath, files.ini);
}

TEST(WithoutDialog, FailedPhaseGivesZeroAndLeavesThePixels) {
    ProgramFiles files;
    auto picture = MakeHostPicture(6, 5);
    const auto original = picture;
    test_style::Expert::failingPhase = 3;
    BoxCloser boxes;
    const int result = RunFilter(GetModuleHandleA(nullptr), TestHostWindow(), picture.data(), false);
    test_style::Expert::failingPhase = 0;
    EXPECT_EQ(result, 0);
    EXPECT_EQ(picture, original);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Zolvane");
    EXPECT_EQ(boxes.Boxes()[0].text, "Error at -1\nTest:Phase failed.");
}

TEST(WithoutDialog, EngineThatCannotStartGivesZeroAndLeavesThePixels) {
    ProgramFiles files;
    auto picture = MakeHostPicture(6, 5);
    const auto original = picture;
    test_style::Expert::refuseNew = true;
    BoxCloser boxes;
    const int result = RunFilter(GetModuleHandleA(nullptr), TestHostWindow(), picture.data(), false);
    test_style::Expert::refuseNew = false;
    EXPECT_EQ(result, 0) << "nothing was painted";
    EXPECT_EQ(picture, original);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text.rfind("Out of Memory Error", 0), 0u);
    EXPECT_FALSE(FileExists(files.dat));
}

TEST(WithoutDialog, ImageDpiIsRoundedUpFromThePelsPerMetre) {
    struct Case {
        int32_t pelsPerMeter;
        int dpi;
    } cases[] = {{0, 80},     {-1, 80},     {INT32_MIN, 80}, {1, 1},         {2834, 72},
                 {2835, 73},  {3780, 97},   {11811, 300},    {3937, 100},    {3938, 101},
                 {1290039, 32767}, {1290040, 32767}, {INT32_MAX, 32767}};
    for (const Case& c : cases)
        EXPECT_EQ(ImageDpiFromPelsPerMeter(c.pelsPerMeter), c.dpi) << c.pelsPerMeter;
}

TEST(ModulePaths, SettingsAndProfileNamesFollowTheModuleName) {
    struct Case {
        const char* module;
        const char* settings;
        const char* profile;
    } cases[] = {
        {"D:\\P\\Zo_Mor.x", "D:\\P\\Zo_Mor.dat", "D:\\P\\Zop2j.ini"},
        {"D:\\P\\Zo_Mor.dll", "D:\\P\\Zo_Mor.dat", "D:\\P\\Zop2j.ini"},
        {"D:\\P\\Zo_Mor", "D:\\P\\Zo_Mor.dat", "D:\\P\\Zop2j.ini"},
        {"D:\\P\\Zo.v2.dll", "D:\\P\\Zo.v2.dat", "D:\\P\\Zop2j.ini"},
        {"D:\\a.b\\Zo_Mor", "D:\\a.b\\Zo_Mor.dat", "D:\\a.b\\Zop2j.ini"},
        {"Zo_Mor.dll", "Zo_Mor.dat", "Zop2j.ini"},
        {"C:/x/Zo_Mor.dll", "C:/x/Zo_Mor.dat", "C:/x/Zop2j.ini"},
        // 表 is 0x95 0x5C: its second byte is not a folder separator.
        {"D:\\P\\表.dll", "D:\\P\\表.dat", "D:\\P\\Zop2j.ini"},
        {"D:\\表\\Zo_Mor.dll", "D:\\表\\Zo_Mor.dat", "D:\\表\\Zop2j.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.module);
        char settings[kSettingsPathSize], profile[kSettingsPathSize];
        EXPECT_TRUE(SettingsPathFor(c.module, settings, sizeof settings));
        EXPECT_TRUE(ProfilePathFor(c.module, "Zop2j", profile, sizeof profile));
        EXPECT_STREQ(settings, c.settings);
        EXPECT_STREQ(profile, c.profile);
    }
}

TEST(ModulePaths, NamesThatDoNotFitAreEmpty) {
    const std::string longFolder = "D:\\" + std::string(248, 'f') + "\\";
    char out[kSettingsPathSize];
    EXPECT_TRUE(SettingsPathFor((longFolder + "Zo.dll").c_str(), out, sizeof out));
    EXPECT_FALSE(ProfilePathFor((longFolder + "Zo.dll").c_str(), "Zop2j", out, sizeof out));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(SettingsPathFor((longFolder + "Zo_Moravel").c_str(), out, sizeof out));
    EXPECT_STREQ(out, "");
}

namespace {

struct ProfileFixture : ::testing::Test {
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        path = std::string(temp) + "zo-profile-" + std::to_string(GetCurrentProcessId()) + ".ini";
        DeleteFileA(path.c_str());
    }
    void TearDown() override { DeleteFileA(path.c_str()); }
    std::string Raw(const char* key) { return ProfileValue(path, "S", key); }
    void Set(const char* key, const char* value) {
        WritePrivateProfileStringA("S", key, value, path.c_str());
    }
    std::string path;
};

}  // namespace

using ProfileFileOps = ProfileFixture;

TEST_F(ProfileFileOps, PutsWriteDecimalTextAndGetsReadItBack) {
    const ProfileFile profile(path.c_str());
    EXPECT_STREQ(profile.Name(), path.c_str());
    profile.PutInt("S", "Int", -42);
    profile.PutLong("S", "Long", -123456789L);
    profile.PutDouble("S", "Double", 2.5);
    profile.PutString("S", "String", "hello");
    profile.PutFormat("S", "Format", "%d-%s", 7, "x");
    EXPECT_EQ(Raw("Int"), "-42");
    EXPECT_EQ(Raw("Long"), "-123456789");
    EXPECT_EQ(Raw("Double"), "2.500000");
    EXPECT_EQ(Raw("String"), "hello");
    EXPECT_EQ(Raw("Format"), "7-x");
    EXPECT_EQ(profile.GetInt("S", "Int", 0), -42);
    EXPECT_EQ(profile.GetInt("S", "Missing", 84), 84);
    EXPECT_EQ(profile.GetLong("S", "Long", 0), -123456789L);
    EXPECT_DOUBLE_EQ(profile.GetDouble("S", "Double", 0), 2.5);
    char text[16];
    EXPECT_EQ(profile.GetString("S", "String", "", text, sizeof text), 5);
    EXPECT_STREQ(text, "hello");
    EXPECT_EQ(profile.GetString("S", "String", "", text, 4), 3);
    EXPECT_STREQ(text, "hel");
    EXPECT_EQ(profile.GetString("S", "Missing", "dflt", text, sizeof text), 4);
    EXPECT_STREQ(text, "dflt");
}

TEST_F(ProfileFileOps, NumbersAreTakenFromTheStartOfTheText) {
    const ProfileFile profile(path.c_str());
    struct Case {
        const char* value;  // null: no key
        long asLong;
        double asDouble;
    } cases[] = {
        {nullptr, 99, 9.5},  {"", 99, 9.5},     {"12abc", 12, 12},     {"x", 0, 0},
        {"-7", -7, -7},      {"1e3", 1, 1000},  {"0.25", 0, 0.25},
        // Longer than the 39 characters read, and beyond a long: saturates.
        {"99999999999999999999999999999999999999999999999999", LONG_MAX, 1e39},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "<no key>");
        WritePrivateProfileStringA("S", "N", c.value, path.c_str());
        EXPECT_EQ(profile.GetLong("S", "N", 99), c.asLong);
        EXPECT_NEAR(profile.GetDouble("S", "N", 9.5), c.asDouble, std::abs(c.asDouble) * 1e-12);
    }
}

TEST_F(ProfileFileOps, FormattedTextIsCutAt259Characters) {
    const ProfileFile profile(path.c_str());
    const std::string text(400, 'a');
    profile.PutString("S", "Long", text.c_str());
    char back[512];
    GetPrivateProfileStringA("S", "Long", "", back, sizeof back, path.c_str());
    EXPECT_EQ(std::string(back), std::string(259, 'a'));
}

TEST_F(ProfileFileOps, WithoutANameReadsDefaultsAndWritesNothing) {
    const ProfileFile empty;
    const ProfileFile tooLong((std::string(300, 'n') + ".ini").c_str());
    for (const ProfileFile* profile : {&empty, &tooLong}) {
        EXPECT_STREQ(profile->Name(), "");
        profile->PutInt("S", "Int", 5);
        EXPECT_EQ(profile->GetInt("S", "Int", 77), 77);
        EXPECT_EQ(profile->GetLong("S", "Int", 78), 78);
        char text[8];
        EXPECT_EQ(profile->GetString("S", "Int", "d", text, sizeof text), 1);
        EXPECT_STREQ(text, "d");
    }
}

TEST_F(ProfileFileOps, ModuleIniNameIsTheWindowsModuleWithIni) {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string expected = module;
    expected = expected.substr(0, expected.rfind('.')) + ".INI";
    char buffer[kProfileNameSize];
    ProfileFile::ModuleIniName(buffer, TestHostWindow());
    EXPECT_EQ(std::string(buffer), expected);
    ProfileFile::ModuleIniName(buffer, nullptr);
    EXPECT_STREQ(buffer, "");
}
