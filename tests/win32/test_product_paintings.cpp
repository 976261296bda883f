// The product plug-ins through their exports and their filter dialog: the sample painted with
// each settings file gives the bytes that the engine gives natively (the pinned paintings), the
// same bytes twice, and odd or tiny pictures paint without fault; each style's title reads on
// one line of its static.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <utility>
#include <string>
#include <vector>

#include "dialogs/dialog_font.h"
#include "dialogs/win32/log_font.h"
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

// The width of `text` on one line in `font`, measured in the control's own device context.
int TextWidth(HWND control, const std::string& text, HFONT font) {
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent = {-1, -1};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return extent.cx;
}

// The same, in a font made for the measure from `description`.
int TextWidth(HWND control, const std::string& text, const LOGFONTA& description) {
    const HFONT font = CreateFontIndirectA(&description);
    const int width = TextWidth(control, text, font);
    DeleteObject(font);
    return width;
}

// The title static (a static of SS_LEFT, which wraps what is wider than its client area) holds
// the style's title on one line in the font it was given. That font is the title entry's but
// for the height: the entry's own where the title fits in it, else the largest below it.
TEST_P(ProductPaintings, TheTitleReadsOnOneLineInTheLargestTitleFontThatHoldsIt) {
    PluginCopy plugin(GetParam().plugin);
    ASSERT_TRUE(plugin.Loaded());
    char fontText[256] = "", titleText[256] = "";
    ASSERT_GT(LoadStringA(plugin.Module(), 100, fontText, sizeof fontText), 0);
    ASSERT_GT(LoadStringA(plugin.Module(), 203, titleText, sizeof titleText), 0);
    DialogFontEntry entry;
    ParseDialogFont(fontText, &entry);
    const LOGFONTA entryFont = LogFontOf(entry);
    const std::string title = titleText;

    std::string shown;
    LOGFONTA held = {};
    int room = -1, heldWidth = -1, entryWidth = -1, oneLargerWidth = -1;
    SetDialogMode("cancel");
    SetDialogStep([&](HWND dialog) {
        HWND control = GetWindow(dialog, GW_CHILD);  // the title static comes first
        char text[256] = "";
        GetWindowTextA(control, text, sizeof text);
        shown = text;
        RECT client;
        GetClientRect(control, &client);
        room = client.right;
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
        if (font == nullptr) return;
        GetObjectA(font, sizeof held, &held);
        heldWidth = TextWidth(control, shown, font);
        entryWidth = TextWidth(control, shown, entryFont);
        LOGFONTA oneLarger = held;
        oneLarger.lfHeight += held.lfHeight < 0 ? -1 : 1;
        oneLargerWidth = TextWidth(control, shown, oneLarger);
    });
    RunFilter(plugin, MakeHostPicture(40, 30));

    EXPECT_EQ(shown, title);
    EXPECT_EQ(room, 140);
    EXPECT_GT(heldWidth, 0);
    EXPECT_LE(heldWidth, room) << "the title in the font the static holds";
    ExpectFont(held, entryFont.lfFaceName, held.lfHeight, entryFont.lfWeight,
               entryFont.lfCharSet);
    EXPECT_EQ(held.lfWidth, entryFont.lfWidth);
    EXPECT_EQ(held.lfItalic, entryFont.lfItalic);
    EXPECT_EQ(held.lfPitchAndFamily, entryFont.lfPitchAndFamily);
    EXPECT_EQ(held.lfOutPrecision, entryFont.lfOutPrecision);
    EXPECT_EQ(held.lfQuality, entryFont.lfQuality);
    if (entryWidth <= room) {
        EXPECT_EQ(held.lfHeight, entryFont.lfHeight) << "the title fits in the entry's font";
    } else {
        EXPECT_LT(std::abs(held.lfHeight), std::abs(entryFont.lfHeight)) << entryWidth << " wide";
        EXPECT_EQ(held.lfHeight < 0, entryFont.lfHeight < 0) << "a character height still";
        EXPECT_GT(oneLargerWidth, room) << "height " << held.lfHeight << " is the largest that fits";
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
