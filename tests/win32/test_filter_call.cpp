// The filter call through the real exports of a test plug-in: the picture copied in, painted
// by the test engine and copied out; a cancel; the refused pictures; FilterOption's pointer;
// a second call from inside the dialog; the resolution the image is held at.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/win32/win32_test_support.h"

namespace {

// What the held image is at when nothing chooses otherwise: the default screen dpi, 84.
constexpr int32_t kScreenPelsPerMeter = 3307;

struct FilterFixture : ::testing::Test {
    void SetUp() override {
        SetDialogMode("");
        TakeDialogReport();
        ASSERT_TRUE(plugin.Loaded());
    }
    int Proc(std::vector<uint8_t>* picture) {
        return plugin.filterProc(TestHostWindow(), picture ? picture->data() : nullptr, 0, 0);
    }
    PluginCopy plugin;
};

}  // namespace

using FilterProc = FilterFixture;

TEST_F(FilterProc, PaintsThePictureAndCopiesItBackWithPaddingAndHeaderKept) {
    struct Size {
        int32_t width, height;
    } sizes[] = {{1, 1}, {5, 2}, {4, 3}, {3, 5}, {17, 9}};
    for (const Size& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        auto picture = MakeHostPicture(size.width, size.height);
        const auto expected = ReferencePainting(picture, kScreenPelsPerMeter);
        ASSERT_NE(expected, picture) << "the test engine changes the picture";
        BoxCloser boxes;
        EXPECT_EQ(Proc(&picture), 1);
        EXPECT_EQ(picture, expected) << "same header, the painting, padding bytes kept";
        EXPECT_TRUE(boxes.Boxes().empty());
        auto report = TakeDialogReport();
        EXPECT_EQ(report["dialog"], 1);
        EXPECT_EQ(report["hostEnabled"], 0) << "the host is disabled while the dialog runs";
        EXPECT_TRUE(IsWindowEnabled(TestHostWindow())) << "and enabled after";
    }
}

TEST_F(FilterProc, CancelLeavesThePixelsAndStillReturnsOne) {
    SetDialogMode("cancel");
    auto picture = MakeHostPicture(6, 4);
    const auto original = picture;
    BoxCloser boxes;
    EXPECT_EQ(Proc(&picture), 1);
    EXPECT_EQ(picture, original);
    auto report = TakeDialogReport();
    EXPECT_EQ(report["dialog"], 1) << "the dialog ran and cancelled";
    EXPECT_EQ(report.count("paintings"), 0u) << "nothing was painted";
    EXPECT_TRUE(IsWindowEnabled(TestHostWindow()));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(FilterProc, FailedPhaseShowsTheDriverBoxAndLeavesThePixels) {
    SetDialogMode("fail");
    auto picture = MakeHostPicture(6, 4);
    const auto original = picture;
    BoxCloser boxes;
    EXPECT_EQ(Proc(&picture), 1);
    EXPECT_EQ(picture, original);
    // The progress study fails first, then the final painting: each shows the driver's box
    // and "Painting Error".
    ASSERT_EQ(boxes.Boxes().size(), 4u);
    for (int i : {0, 2}) {
        EXPECT_EQ(boxes.Boxes()[i].caption, "Zolvane");
        EXPECT_NE(boxes.Boxes()[i].text.find("Error at -1"), std::string::npos);
        EXPECT_NE(boxes.Boxes()[i].text.find("Test:Phase failed."), std::string::npos);
        EXPECT_EQ(boxes.Boxes()[i + 1].text, "Painting Error");
    }
}

TEST_F(FilterProc, SamePictureTwiceGivesTheSameBytes) {
    auto first = MakeHostPicture(9, 7);
    auto second = first;
    BoxCloser boxes;
    ASSERT_EQ(Proc(&first), 1);
    ASSERT_EQ(Proc(&second), 1);
    EXPECT_EQ(first, second);
}

// Pictures the filter cannot take: result 0, the host's bytes untouched, no dialog, no file.
struct RefusedCase {
    const char* name;
    int32_t width, height;
    uint16_t bitCount;
    uint32_t compression;
};

class Refusals : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(Refusals, ReturnZeroAndTouchNothing) {
    const RefusedCase& c = GetParam();
    PluginCopy plugin;
    ASSERT_TRUE(plugin.Loaded());
    SetDialogMode("");
    TakeDialogReport();
    auto picture = MakeHostPicture(c.width, c.height, 2834, c.bitCount, c.compression);
    const auto original = picture;
    BoxCloser boxes;
    EXPECT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 0);
    EXPECT_EQ(picture, original);
    EXPECT_TRUE(TakeDialogReport().empty()) << "the dialog must not run";
    EXPECT_FALSE(FileExists(plugin.DatPath()));
    EXPECT_FALSE(FileExists(plugin.IniPath()));
    EXPECT_TRUE(boxes.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    UnsupportedPictures, Refusals,
    ::testing::Values(RefusedCase{"ThirtyTwoBits", 4, 3, 32, 0},
                      RefusedCase{"EightBits", 4, 3, 8, 0},
                      RefusedCase{"SixteenBits", 4, 3, 16, 0},
                      RefusedCase{"RunLength", 4, 3, 24, 1},
                      RefusedCase{"BitFields", 4, 3, 24, 3},
                      RefusedCase{"TopDown", 4, -3, 24, 0},
                      RefusedCase{"ZeroWidth", 0, 3, 24, 0},
                      RefusedCase{"ZeroHeight", 4, 0, 24, 0},
                      RefusedCase{"NegativeWidth", -4, 3, 24, 0},
                      RefusedCase{"RowBeyondFourGigabytes", 0x7FFFFFFF, 2, 24, 0},
                      RefusedCase{"ProductOverflowsThirtyTwoBits", 65536, 65536, 24, 0},
                      RefusedCase{"MoreThanTheProcessHolds", 20000, 20000, 24, 0}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(Refusals, NullPictureReturnsZeroWithoutFiles) {
    PluginCopy plugin;
    ASSERT_TRUE(plugin.Loaded());
    BoxCloser boxes;
    EXPECT_EQ(plugin.filterProc(TestHostWindow(), nullptr, 0, 0), 0);
    EXPECT_FALSE(FileExists(plugin.IniPath()));
    EXPECT_TRUE(boxes.Boxes().empty());
}

using FilterOption = FilterFixture;

TEST_F(FilterOption, ReadsThePictureThroughItsThirdArgument) {
    auto picture = MakeHostPicture(5, 3);
    const auto expected = ReferencePainting(picture, kScreenPelsPerMeter);
    uint8_t* pointer = picture.data();
    BoxCloser boxes;
    EXPECT_EQ(plugin.filterOption(TestHostWindow(), 0, &pointer), 1);
    EXPECT_EQ(picture, expected);
    EXPECT_EQ(pointer, picture.data());
    auto report = TakeDialogReport();
    EXPECT_EQ(report["dialog"], 1);
    EXPECT_EQ(report["hostEnabled"], 0);
}

TEST_F(FilterOption, NullPictureBehindThePointerOrNullPointerGivesZero) {
    uint8_t* none = nullptr;
    BoxCloser boxes;
    EXPECT_EQ(plugin.filterOption(TestHostWindow(), 0, &none), 0);
    EXPECT_EQ(plugin.filterOption(TestHostWindow(), 0, nullptr), 0);
    EXPECT_TRUE(TakeDialogReport().empty());
    EXPECT_FALSE(FileExists(plugin.IniPath()));
}

// A filter call started from inside the dialog is refused and leaves the first call's held
// image, ground, settings and environment alone; the first call then paints as usual.
using NestedCall = FilterFixture;

TEST_F(NestedCall, IsRefusedAndLeavesTheFirstCallsImageAndGround) {
    const int16_t fields[7] = {1, 1, 1, 1, 1, 1, 5};  // a canvas ground
    WriteFileBytes(plugin.DatPath(), SettingsBytes(fields));
    SetDialogMode("");
    SetDialogStep([this](HWND) {
        uint8_t nested[40 + 8] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24};
        for (int i = 40; i < 48; ++i) nested[i] = static_cast<uint8_t>(i);
        uint8_t original[sizeof nested];
        std::memcpy(original, nested, sizeof nested);
        AddToDialogReport("nestedResult", plugin.filterProc(TestHostWindow(), nested, 0, 0));
        AddToDialogReport("nestedUntouched", std::memcmp(nested, original, sizeof nested) == 0);
        AddToDialogReport("nestedDialogKept", FindFilterDialog() != nullptr);
    });
    auto picture = MakeHostPicture(7, 5);
    const auto expected = ReferencePainting(picture, kScreenPelsPerMeter);
    BoxCloser boxes;
    EXPECT_EQ(Proc(&picture), 1);
    auto report = TakeDialogReport();
    EXPECT_GT(report["groundSide"], 0) << "the first call's textured ground is still held";
    EXPECT_EQ(report["ground"], 5);
    EXPECT_EQ(report["nestedResult"], 0);
    EXPECT_EQ(report["nestedUntouched"], 1);
    EXPECT_EQ(report["nestedDialogKept"], 1);
    EXPECT_EQ(picture, expected) << "the first call's image painted as usual";
    EXPECT_TRUE(boxes.Boxes().empty());
}

// The resolution the picture is held at follows the chosen size entry, not the host's header;
// the environment's image dpi is the header's, rounded up.
struct ResolutionCase {
    const char* name;
    int32_t width, height;
    int32_t pelsPerMeter;  // in the host's header
    int16_t sizeIndex;     // in the settings file
    const char* screenDpi; // in the profile, or null
    int imageDpi;
    int32_t heldPelsPerMeter;
};

class OutputResolution : public ::testing::TestWithParam<ResolutionCase> {};

TEST_P(OutputResolution, HeldImageCarriesTheOutputDpi) {
    const ResolutionCase& c = GetParam();
    PluginCopy plugin;
    ASSERT_TRUE(plugin.Loaded());
    const int16_t fields[7] = {c.sizeIndex, 1, 1, 1, 1, 1, 0};
    WriteFileBytes(plugin.DatPath(), SettingsBytes(fields));
    if (c.screenDpi != nullptr)
        WritePrivateProfileStringA("SCREEN", "DPI", c.screenDpi, plugin.IniPath().c_str());
    SetDialogMode("");
    TakeDialogReport();
    auto picture = MakeHostPicture(c.width, c.height, c.pelsPerMeter);
    BoxCloser boxes;
    ASSERT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
    auto report = TakeDialogReport();
    // The master entry paints at the picture's own resolution: the environment's image dpi.
    if (c.sizeIndex == 0) {
        EXPECT_EQ(report["engineDpi"], c.imageDpi);
    }
    EXPECT_EQ(report["engineWidth"], c.width) << "the final painting paints the held image";
    EXPECT_EQ(report["engineXPpm"], c.heldPelsPerMeter);
    EXPECT_EQ(report["engineYPpm"], c.heldPelsPerMeter);
    int32_t headerPelsPerMeter;
    std::memcpy(&headerPelsPerMeter, picture.data() + 24, 4);
    EXPECT_EQ(headerPelsPerMeter, c.pelsPerMeter) << "the host's header is not changed";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputResolution,
    ::testing::Values(
        // 300 dpi picture painted for the screen at 84 dpi.
        ResolutionCase{"Screen300DpiPicture", 8, 6, 11811, 1, nullptr, 300, 3307},
        ResolutionCase{"ScreenAt200Dpi", 8, 6, 2834, 1, "200", 72, 7874},
        // The master entry keeps the picture's own resolution.
        ResolutionCase{"Master300Dpi", 8, 6, 11811, 0, nullptr, 300, 11811},
        ResolutionCase{"MasterZeroIs80", 8, 6, 0, 0, nullptr, 80, 3149},
        ResolutionCase{"MasterNegativeIs80", 8, 6, -5, 0, nullptr, 80, 3149},
        ResolutionCase{"Master2834Is72", 8, 6, 2834, 0, nullptr, 72, 2834},
        ResolutionCase{"Master2835RoundsUpTo73", 8, 6, 2835, 0, nullptr, 73, 2874},
        ResolutionCase{"Master3780RoundsUpTo97", 8, 6, 3780, 0, nullptr, 97, 3818},
        ResolutionCase{"MasterOneIsOne", 8, 6, 1, 0, nullptr, 1, 39},
        // Beyond the 16-bit field of the environment: held at its largest value.
        ResolutionCase{"MasterHugeIsBounded", 8, 6, 0x7FFFFFFF, 0, nullptr, 32767, 1290039},
        // A4: a 100 × 100 picture is printed at 13 dpi; the settings entry uses the screen.
        ResolutionCase{"A4Small", 100, 100, 2834, 5, nullptr, 72, 511},
        ResolutionCase{"SettingsEntryUsesScreen", 8, 6, 2834, 11, "120", 72, 4724}),
    [](const ::testing::TestParamInfo<ResolutionCase>& info) {
        return std::string(info.param.name);
    });

// The ground is loaded for the output resolution, not the picture's own.
TEST(GroundLoad, TextureSideFollowsTheOutputDpi) {
    struct Case {
        int16_t groundIndex, sizeIndex;
        int32_t pelsPerMeter;
        const char* screenDpi;
        int side;
    } cases[] = {
        {4, 1, 11811, nullptr, 64},   // 300 dpi picture for the screen at 84 dpi
        {4, 1, 2834, "200", 128},     // screen at 200 dpi
        {4, 0, 11811, nullptr, 192},  // master at 300 dpi
        {4, 0, 5905, nullptr, 96},    // master at 150 dpi
        {0, 0, 11811, nullptr, 0},    // the smooth paper has no relief
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.groundIndex) + "/" + std::to_string(c.sizeIndex) + "/" +
                     std::to_string(c.pelsPerMeter));
        PluginCopy plugin;
        ASSERT_TRUE(plugin.Loaded());
        const int16_t fields[7] = {c.sizeIndex, 1, 1, 1, 1, 1, c.groundIndex};
        WriteFileBytes(plugin.DatPath(), SettingsBytes(fields));
        if (c.screenDpi != nullptr)
            WritePrivateProfileStringA("SCREEN", "DPI", c.screenDpi, plugin.IniPath().c_str());
        SetDialogMode("");
        auto picture = MakeHostPicture(8, 6, c.pelsPerMeter);
        BoxCloser boxes;
        ASSERT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
        auto report = TakeDialogReport();
        EXPECT_EQ(report["groundSet"], 1);
        EXPECT_EQ(report["groundSide"], c.side);
    }
}
