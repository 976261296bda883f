// The product plug-ins through their exports and their filter dialog: the sample painted with
// each settings file gives the bytes that the engine gives natively (the pinned paintings), the
// same bytes twice, and odd or tiny pictures paint without fault.
#include <gtest/gtest.h>

#include <iterator>
#include <utility>
#include <string>
#include <vector>

#include "host/bmp_file.h"
#include "tests/support/pinned_paintings.h"
#include "tests/support/test_module.h"
#include "tests/win32/dialog_probe.h"
#include "tests/win32/win32_test_support.h"

namespace {

std::vector<uint8_t> Coffee() {
    std::vector<uint8_t> picture;
    std::string error;
    EXPECT_TRUE(ReadBmpFile(SourcePath("samples/coffee.bmp"), &picture, &error)) << error;
    return picture;
}

// A settings file with every level at `level` on ground `groundIndex` at the default screen
// resolution (paper size 1, 84 dpi without a profile file).
void WriteSettings(PluginCopy& plugin, int level, int groundIndex) {
    const int16_t fields[7] = {1,
                               static_cast<int16_t>(level),
                               static_cast<int16_t>(level),
                               static_cast<int16_t>(level),
                               static_cast<int16_t>(level),
                               static_cast<int16_t>(level),
                               static_cast<int16_t>(groundIndex)};
    WriteFileBytes(plugin.DatPath(), SettingsBytes(fields));
}

// The filter call on `picture` with the dialog as the mode and steps set; no box may show.
std::vector<uint8_t> RunFilter(PluginCopy& plugin, std::vector<uint8_t> picture) {
    BoxCloser boxes;
    EXPECT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
    EXPECT_TRUE(boxes.Boxes().empty());
    return picture;
}

// Paints `picture` through the plug-in with those settings: the dialog's タブロ－ at once.
std::vector<uint8_t> Paint(PluginCopy& plugin, std::vector<uint8_t> picture, int level,
                           int groundIndex) {
    WriteSettings(plugin, level, groundIndex);
    SetDialogMode("");
    return RunFilter(plugin, std::move(picture));
}

struct ProductCase {
    const char* name;  // of the test case
    const char* plugin;
    const PinnedPainting* paintings;
    size_t count;
};

class ProductPaintings : public ::testing::TestWithParam<ProductCase> {};

TEST_P(ProductPaintings, GiveTheNativePaintingsByteForByte) {
    const ProductCase& c = GetParam();
    const auto coffee = Coffee();
    ASSERT_FALSE(coffee.empty());
    for (size_t i = 0; i < c.count; ++i) {
        const PinnedPainting& pin = c.paintings[i];
        ASSERT_EQ(pin.dpi, 84) << "painted at the screen resolution";
        PluginCopy plugin(c.plugin);
        ASSERT_TRUE(plugin.Loaded());
        const auto painted = Paint(plugin, coffee, pin.level, pin.groundIndex);
        EXPECT_EQ(PixelChecksum(painted), pin.checksum) << pin.name;
        if (i == 0) {
            EXPECT_EQ(Paint(plugin, coffee, pin.level, pin.groundIndex), painted) << "twice";
        }
    }
}

TEST_P(ProductPaintings, AStudyBeforeTheTableauLeavesItAsPinned) {
    const ProductCase& c = GetParam();
    const PinnedPainting& pin = c.paintings[0];
    PluginCopy plugin(c.plugin);
    ASSERT_TRUE(plugin.Loaded());
    WriteSettings(plugin, pin.level, pin.groundIndex);
    SetDialogMode("");
    COLORREF before = 0, after = 0;
    SetDialogStep([&](HWND dialog) {
        before = PixelAt(dialog, 120, 100);  // the preview
        PostClick(dialog, kStudyButton);    // 習作: the study of the preview
    });
    AddDialogStep([&](HWND dialog) { after = PixelAt(dialog, 120, 100); });
    const auto painted = RunFilter(plugin, Coffee());
    EXPECT_NE(after, before) << "the study is painted into the preview";
    EXPECT_EQ(PixelChecksum(painted), pin.checksum) << "the study leaves nothing behind";
}

TEST_P(ProductPaintings, EscapeAfterTheFirstPhaseLeavesThePictureAndTheRecord) {
    PluginCopy plugin(GetParam().plugin);
    ASSERT_TRUE(plugin.Loaded());
    DeleteFileA(plugin.DatPath().c_str());
    SetDialogMode("escape");
    const auto coffee = Coffee();
    EXPECT_EQ(RunFilter(plugin, coffee), coffee);
    EXPECT_FALSE(FileExists(plugin.DatPath())) << "a stopped painting writes no record";
}

TEST_P(ProductPaintings, OddAndTinyPicturesPaintWithoutFault) {
    PluginCopy plugin(GetParam().plugin);
    ASSERT_TRUE(plugin.Loaded());
    for (auto [width, height] : {std::pair{257, 123}, {1, 1}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const auto picture = MakeHostPicture(width, height);
        const auto painted = Paint(plugin, picture, 2, 6);
        EXPECT_EQ(painted.size(), picture.size());
        EXPECT_EQ(std::vector<uint8_t>(painted.begin(), painted.begin() + 40),
                  std::vector<uint8_t>(picture.begin(), picture.begin() + 40))
            << "the header stays";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Products, ProductPaintings,
    ::testing::Values(
        ProductCase{"Moravel", "Zo_Mor", kMoravelPaintings, std::size(kMoravelPaintings)},
        ProductCase{"Kolda", "Zo_Kol", kKoldaPaintings, std::size(kKoldaPaintings)},
        ProductCase{"Grisov", "Zo_Gri", kGrisovPaintings, std::size(kGrisovPaintings)},
        ProductCase{"Zavet", "Zo_Zav", kZavetPaintings, std::size(kZavetPaintings)},
        ProductCase{"Tevu", "Zo_Tev", kTevuPaintings, std::size(kTevuPaintings)}),
    [](const ::testing::TestParamInfo<ProductCase>& info) { return std::string(info.param.name); });

}  // namespace
