// The filter dialog through a test plug-in's FilterProc, driven by posted messages as a person
// would drive it: its controls, texts, fonts and lists; the frame; the preview's pixels; a
// region drawn with the mouse; a study; every way of closing it; the 256-colour display; and
// screenshots for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "host/bmp_file.h"
#include "host/window_capture.h"
#include "tests/win32/dialog_fixture.h"
#include "tests/win32/dialog_probe.h"
#include "tests/win32/win32_test_support.h"

namespace {

// The host picture's pixel (x, y) in storage rows, as a COLORREF.
COLORREF PicturePixel(const std::vector<uint8_t>& picture, int x, int y) {
    int32_t width;
    std::memcpy(&width, picture.data() + 4, 4);
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    const uint8_t* p = picture.data() + 40 + rowBytes * y + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

// The frame's height: the caption and 282 pixels of dialog.
int FrameClientHeight() { return GetSystemMetrics(SM_CYCAPTION) + 282; }

}  // namespace

using DialogLayout = DialogFixture;

TEST_F(DialogLayout, ControlsTextsFontsAndListsAsBuilt) {
    WriteSettings({5, 0, 2, 1, 0, 2, 0});
    SetDialogMode("cancel");
    std::vector<ControlSeen> controls;
    std::vector<std::vector<std::string>> lists;
    std::vector<int> selections;
    LOGFONTA fonts[4] = {};
    SetDialogStep([&](HWND dialog) {
        controls = ControlsOf(dialog);
        for (int id = kSizeListId; id < kFirstLevelListId + kLevelListCount; ++id) {
            lists.push_back(ListItems(dialog, id));
            selections.push_back(ListSelection(dialog, id));
        }
        HWND withFonts[4] = {GetWindow(dialog, GW_CHILD), nullptr,
                             GetDlgItem(dialog, kOriginalButton), GetDlgItem(dialog, kSizeListId)};
        withFonts[1] = GetWindow(withFonts[0], GW_HWNDNEXT);
        for (int i = 0; i < 4; ++i) fonts[i] = FontOf(withFonts[i]);
    });
    auto picture = MakeHostPicture(100, 80);
    const auto original = picture;
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(picture, original);
    EXPECT_TRUE(boxes.Boxes().empty());

    ExpectControls(controls, {
        {"Static", 0xFFFF, "MORAVEL(油彩)", 228, 15, 140, 20},
        {"Static", 0xFFFF, "Zolvane oil paint", 228, 35, 140, 20},
        {"Static", 0xFFFF, "サイズ", 228, 65, 50, 20},
        {"Static", 0xFFFF, "ﾏﾃﾘｱﾙ", 228, 90, 50, 20},
        {"Static", 0xFFFF, "タッチ", 228, 115, 50, 20},
        {"Static", 0xFFFF, "カラ－", 228, 140, 50, 20},
        {"Static", 0xFFFF, "ﾃﾞﾌｫﾙﾑ", 228, 165, 50, 20},
        {"Static", 0xFFFF, "ﾌｫ-ｶｽ", 228, 190, 50, 20},
        {"ComboBox", 105, nullptr, 278, 60, 85, -1},
        {"ComboBox", 106, nullptr, 278, 85, 85, -1},
        {"ComboBox", 107, nullptr, 278, 110, 85, -1},
        {"ComboBox", 108, nullptr, 278, 135, 85, -1},
        {"ComboBox", 109, nullptr, 278, 160, 85, -1},
        {"ComboBox", 110, nullptr, 278, 185, 85, -1},
        {"Button", 100, "原画", 10, 230, 66, 35},
        {"Button", 101, "習作", 82, 230, 66, 35},
        {"Button", 102, "タブロ－", 154, 230, 66, 35},
        {"Button", 103, "ヘルプ", 226, 230, 66, 35},
        {"Button", IDCANCEL, "ｷｬﾝｾﾙ", 298, 230, 66, 35},
    });

    const std::vector<std::string> sizes = {"ﾏｽﾀ-", "ｽｸﾘ-ﾝ", "B3", "A3", "B4",    "A4",
                                            "B5",   "A5",    "B6", "ハガキ", "名刺", "[設定]"};
    const std::vector<std::string> levels = {"おとなしく", "普通に", "奔放に"};
    ASSERT_EQ(lists.size(), 6u);
    EXPECT_EQ(lists[0], sizes);
    for (int i = 1; i < 6; ++i) EXPECT_EQ(lists[i], levels) << "list " << kSizeListId + i;
    EXPECT_EQ(selections, (std::vector<int>{5, 0, 2, 1, 0, 2})) << "from the settings file";

    const struct {
        const char* face;
        int height, weight, charSet;
    } fontsExpected[] = {{"ＭＳ ゴシック", -15, 700, 128}, {"Arial", -11, 400, 0},
                         {"ＭＳ ゴシック", -14, 400, 128}, {"ＭＳ ゴシック", -13, 400, 128}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("font " + std::to_string(i));
        const auto& e = fontsExpected[i];
        ExpectFont(fonts[i], e.face, e.height, e.weight, e.charSet);
        EXPECT_EQ(fonts[i].lfPitchAndFamily, 34) << "pitch and family, sixth in the entry";
        EXPECT_EQ(fonts[i].lfQuality, 2);
        EXPECT_EQ(fonts[i].lfOutPrecision, 2);
    }
}

TEST_F(DialogLayout, FrameShrinksToTheDialogAndSitsCentredOverTheHost) {
    SetDialogMode("cancel");
    RECT frameClient = {}, dialogClient = {}, frameWindow = {};
    LONG style = 0;
    char title[64] = "";
    bool icon = false;
    SetDialogStep([&](HWND dialog) {
        HWND frame = FindFilterFrame();
        GetClientRect(frame, &frameClient);
        GetClientRect(dialog, &dialogClient);
        GetWindowRect(frame, &frameWindow);
        style = GetWindowLongA(frame, GWL_STYLE);
        GetWindowTextA(frame, title, sizeof title);
        icon = SendMessageA(frame, WM_GETICON, ICON_BIG, 0) != 0;
    });
    auto picture = MakeHostPicture(40, 30);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(frameClient.right, 382);
    EXPECT_EQ(frameClient.bottom, FrameClientHeight());
    EXPECT_EQ(dialogClient.right, 382);
    EXPECT_EQ(dialogClient.bottom, FrameClientHeight());
    RECT host;
    GetWindowRect(TestHostWindow(), &host);
    EXPECT_EQ(frameWindow.left, host.left + (host.right - host.left - 382) / 2);
    EXPECT_EQ(frameWindow.top, host.top + (host.bottom - host.top - FrameClientHeight()) / 2);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_NE(style & WS_SYSMENU, 0);
    EXPECT_STREQ(title, "Zolvane");
    EXPECT_TRUE(icon) << "the frame carries the icon ZO";
}

using DialogPreview = DialogFixture;

TEST_F(DialogPreview, PictureShadowEdgeGroundAndBevels) {
    WriteSettings({1, 1, 1, 1, 1, 1, 0});  // the smooth white paper: tint 255, shadow 127
    SetDialogMode("cancel");
    auto picture = MakeHostPicture(1900, 1000);
    std::vector<COLORREF> seen;
    const struct {
        const char* name;
        int x, y;
        COLORREF expected;
    } cases[] = {
        // Step 10: 190 × 100 at image origin (20, 65); client row 65 shows storage row 990.
        {"picture's top-left pixel", 20, 65, PicturePixel(picture, 0, 990)},
        {"picture's last pixel", 209, 164, PicturePixel(picture, 1890, 0)},
        {"a middle pixel", 120, 100, PicturePixel(picture, 1000, 640)},
        {"shadow right of the picture", 212, 100, RGB(127, 127, 127)},
        {"shadow below the picture", 100, 167, RGB(127, 127, 127)},
        {"ground above the picture", 100, 40, RGB(255, 255, 255)},
        {"ground left of the picture", 17, 100, RGB(255, 255, 255)},
        {"the preview's dark edge", 15, 100, RGB(127, 127, 127)},
        {"sunken bevel, left: dark", 12, 100, GetSysColor(COLOR_BTNSHADOW)},
        {"sunken bevel, right: light", 217, 100, GetSysColor(COLOR_BTNHIGHLIGHT)},
        // The frame pane covers the client inset by 3; its rings lie outside: the client's edge.
        {"raised client bevel, left: light", 1, 100, GetSysColor(COLOR_BTNHIGHLIGHT)},
        {"raised client bevel, right: dark", 380, 100, GetSysColor(COLOR_BTNSHADOW)},
    };
    SetDialogStep([&](HWND dialog) {
        for (const auto& c : cases) seen.push_back(PixelAt(dialog, c.x, c.y));
    });
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    ASSERT_EQ(seen.size(), sizeof cases / sizeof cases[0]);
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], cases[i].expected) << cases[i].name << " at " << cases[i].x << "," << cases[i].y;
}

using DialogRegions = DialogFixture;

TEST_F(DialogRegions, ThreePressesStoreARegionThatTheFinalPaintingReceives) {
    WriteSettings({1, 1, 1, 1, 1, 1, 0});
    auto picture = MakeHostPicture(1900, 1000);
    COLORREF dark = 1, light = 1, inside = 1, rubberLeft = 1;
    SetDialogStep([](HWND dialog) {
        PostMouse(dialog, WM_LBUTTONDOWN, 40, 100);
        PostMouse(dialog, WM_LBUTTONUP, 40, 100);
        PostMouse(dialog, WM_MOUSEMOVE, 120, 100);
        PostMouse(dialog, WM_LBUTTONDOWN, 120, 100);
        PostMouse(dialog, WM_LBUTTONUP, 120, 100);
        PostMouse(dialog, WM_MOUSEMOVE, 80, 120);
        PostMouse(dialog, WM_LBUTTONDOWN, 80, 120);
        PostMouse(dialog, WM_LBUTTONUP, 80, 120);
    });
    AddDialogStep([&](HWND dialog) {
        // The stored region (centre (80, 100) in the preview, half length 40): its outline's
        // first vertex dark one pixel below right, light one pixel above left.
        dark = PixelAt(dialog, 121, 101);
        light = PixelAt(dialog, 119, 99);
        inside = PixelAt(dialog, 80, 100);
        rubberLeft = PixelAt(dialog, 40, 100);
    });
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(dark, RGB(0, 0, 0));
    EXPECT_EQ(light, RGB(255, 255, 255));
    // Client row 100 shows reduced row 64 (storage row 640); the region's centre row 649 is
    // that row counted down from the top, as the conversion to the picture does.
    EXPECT_EQ(inside, PicturePixel(MakeHostPicture(1900, 1000), 600, 640)) << "inside: the picture";
    EXPECT_EQ(rubberLeft, PicturePixel(MakeHostPicture(1900, 1000), 200, 640))
        << "the rubber band's axis is erased";
    auto report = TakeDialogReport();
    EXPECT_EQ(report["regionCount"], 1);
    EXPECT_EQ(report["region0CenterX"], 600);
    EXPECT_EQ(report["region0CenterY"], 649);
    EXPECT_EQ(report["region0Length"], 800);
    EXPECT_EQ(report["region0Width"], 400);
    EXPECT_EQ(report["region0RatioPercent"], 50);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DialogRegions, ACommandDuringADragEndsItFirst) {
    WriteSettings({1, 1, 1, 1, 1, 1, 0});
    auto picture = MakeHostPicture(1900, 1000);
    bool capturedWhileDragging = false, capturedAfter = true;
    COLORREF axisPixel = 0;
    SetDialogStep([](HWND dialog) {
        PostMouse(dialog, WM_LBUTTONDOWN, 40, 100);
        PostMouse(dialog, WM_LBUTTONUP, 40, 100);
        PostMouse(dialog, WM_MOUSEMOVE, 120, 100);
    });
    AddDialogStep([&](HWND dialog) {
        capturedWhileDragging = GetCapture() == dialog;
        PostClick(dialog, kOriginalButton);  // 原画: a command while the axis follows the pointer
    });
    AddDialogStep([&](HWND) {
        capturedAfter = GetCapture() != nullptr;
        axisPixel = PixelAt(FindFilterDialog(), 80, 100);
    });
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_TRUE(capturedWhileDragging);
    EXPECT_FALSE(capturedAfter) << "the capture is released";
    EXPECT_EQ(axisPixel, PicturePixel(MakeHostPicture(1900, 1000), 600, 640))
        << "the rubber band is erased";
    EXPECT_EQ(TakeDialogReport()["regionCount"], 0) << "the dropped region is not stored";
}

using DialogStudy = DialogFixture;

TEST_F(DialogStudy, PaintsThePreviewWithoutShadowAndStopsRegionEditing) {
    WriteSettings({1, 1, 1, 1, 1, 1, 0});
    auto picture = MakeHostPicture(1900, 1000);
    const auto original = picture;
    COLORREF before = 0, after = 0, shadowAfter = 0;
    int paintingsAfterStudy = 0;
    SetDialogStep([&](HWND dialog) {
        before = PixelAt(dialog, 120, 100);
        PostClick(dialog, kStudyButton);
    });
    AddDialogStep([&](HWND dialog) {
        after = PixelAt(dialog, 120, 100);
        shadowAfter = PixelAt(dialog, 212, 100);
        paintingsAfterStudy = static_cast<int>(TakeDialogReport()["paintings"]);
        // No region can be started on a study.
        const int presses[3][2] = {{40, 100}, {120, 100}, {80, 120}};
        for (const auto& p : presses) {
            PostMouse(dialog, WM_MOUSEMOVE, p[0], p[1]);
            PostMouse(dialog, WM_LBUTTONDOWN, p[0], p[1]);
            PostMouse(dialog, WM_LBUTTONUP, p[0], p[1]);
        }
    });
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(before, PicturePixel(original, 1000, 640));
    EXPECT_NE(after, before) << "the study is painted into the preview";
    EXPECT_EQ(shadowAfter, RGB(255, 255, 255)) << "no drop shadow after a study";
    EXPECT_EQ(paintingsAfterStudy, 1);
    auto report = TakeDialogReport();
    EXPECT_EQ(report["regionCount"], 0);
    EXPECT_EQ(report["paintings"], 2) << "the progress study, then the final painting";
    EXPECT_EQ(report["engineWidth"], 1900);
    EXPECT_NE(picture, original);
    EXPECT_TRUE(boxes.Boxes().empty());
}

// The test plug-in loads the bitmap named here in place of its progress picture.
struct MissingProgressPicture {
    MissingProgressPicture() { SetEnvironmentVariableA("ZO_TEST_PROGRESS", "NOSUCHPICTURE"); }
    ~MissingProgressPicture() { SetEnvironmentVariableA("ZO_TEST_PROGRESS", nullptr); }
};

// Without the progress picture there is no progress study; the final painting goes on, and
// its progress display draws the reduced picture's blocks on the preview as it stands, from
// the preview's lower-left corner: a 190 × 100 picture covers client columns 15 to 203 (the
// last column is never written) and rows 115 to 214.
TEST_F(DialogStudy, WithoutItsProgressPictureTheFinalPaintingGoesOnFromThePreviewsCorner) {
    const MissingProgressPicture missing;
    PluginCopy progressless;
    ASSERT_TRUE(progressless.Loaded());
    const RECT drawable = {15, 115, 204, 215};
    const struct {
        const char* mode;
        bool painted;
        std::vector<std::string> boxes;
    } cases[] = {
        {"", true, {"メモリが足りません。"}},
        // A failed phase holds the painting up with its boxes, after the first level is shown.
        {"fail", false,
         {"メモリが足りません。", "Error at -1\nTest:Phase failed.", "Painting Error"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("mode '") + c.mode + "'");
        DeleteFileA(progressless.DatPath().c_str());
        SetDialogMode(c.mode);
        std::vector<uint8_t> before, during;
        std::vector<RECT> controls;  // their focus and highlight change as the boxes come
        SetDialogStep([&](HWND dialog) {
            before = CaptureWindow(dialog);
            for (const ControlSeen& control : ControlsOf(dialog)) controls.push_back(control.rect);
        });
        auto picture = MakeHostPicture(1900, 1000);
        const auto original = picture;
        BoxCloser boxes;
        boxes.OnEachBox([&](const BoxCloser::Box& box) {
            if (box.text == "Painting Error") during = CaptureWindow(FindFilterDialog());
        });
        EXPECT_EQ(progressless.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
        EXPECT_EQ(picture, c.painted ? ReferencePainting(original, 3307) : original);
        EXPECT_EQ(FileExists(progressless.DatPath()), c.painted);
        std::vector<std::string> texts;
        for (const BoxCloser::Box& box : boxes.Boxes()) {
            texts.push_back(box.text);
            EXPECT_EQ(box.caption, "Zolvane");
        }
        EXPECT_EQ(texts, c.boxes);
        EXPECT_EQ(TakeDialogReport()["paintings"], 1) << "no progress study";
        if (!c.painted) {
            ASSERT_FALSE(before.empty());
            ASSERT_EQ(during.size(), before.size()) << "the dialog while the painting waits";
            int changedInside = 0, changedOutside = 0;
            for (int y = 0; y < FrameClientHeight(); ++y)
                for (int x = 0; x < 382; ++x) {
                    if (PicturePixel(before, x, FrameClientHeight() - 1 - y) ==
                        PicturePixel(during, x, FrameClientHeight() - 1 - y))
                        continue;
                    const POINT point = {x, y};
                    if (std::any_of(controls.begin(), controls.end(),
                                    [&](const RECT& r) { return PtInRect(&r, point); }))
                        continue;
                    ++(PtInRect(&drawable, point) ? changedInside : changedOutside);
                }
            EXPECT_GT(changedInside, 1000) << "the progress display drew";
            EXPECT_EQ(changedOutside, 0) << "nothing beyond the reduced picture's place";
        }
    }
}

using DialogClosing = DialogFixture;

TEST_F(DialogClosing, OnlyTheFinishedPaintingChangesThePictureAndWritesTheRecord) {
    const struct {
        const char* mode;
        bool painted;
        int paintings;  // engine starts seen
        size_t boxes;
    } cases[] = {
        {"", true, 2, 0},         // the progress study and the final painting
        {"cancel", false, 0, 0},
        {"close", false, 0, 0},   // the frame's system menu
        {"escape", false, 2, 0},  // stopped after the final painting's first phase
        // Both paintings fail at their second phase: the driver's box and "Painting Error" each.
        {"fail", false, 2, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("mode '") + c.mode + "'");
        DeleteFileA(plugin.DatPath().c_str());
        DeleteFileA(plugin.IniPath().c_str());
        SetDialogMode(c.mode);
        auto picture = MakeHostPicture(30, 20);
        const auto original = picture;
        const auto painted = ReferencePainting(picture, 3307);
        BoxCloser boxes;
        EXPECT_EQ(Run(&picture), 1);
        EXPECT_EQ(picture, c.painted ? painted : original);
        EXPECT_EQ(FileExists(plugin.DatPath()), c.painted);
        EXPECT_EQ(ProfileValue(plugin.IniPath(), "SCREEN", "DPI"), "84") << "written on every path";
        auto report = TakeDialogReport();
        EXPECT_EQ(report["hostEnabled"], 0) << "disabled while the dialog runs";
        EXPECT_TRUE(IsWindowEnabled(TestHostWindow())) << "enabled after";
        EXPECT_EQ(report["paintings"], c.paintings);
        EXPECT_EQ(FindFilterFrame(), nullptr);
        EXPECT_EQ(boxes.Boxes().size(), c.boxes);
    }
}

TEST_F(DialogClosing, ListChoicesGoIntoTheSettingsFileAndThePainting) {
    SetDialogStep([](HWND dialog) {
        PostListSelection(dialog, kFirstLevelListId, 2);      // material
        PostListSelection(dialog, kFirstLevelListId + 4, 0);  // focus
        PostListSelection(dialog, kSizeListId, 0);  // the master size: the picture's own 72 dpi
    });
    auto picture = MakeHostPicture(30, 20);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    auto report = TakeDialogReport();
    EXPECT_EQ(report["material"], 2);
    EXPECT_EQ(report["focus"], 0);
    EXPECT_EQ(report["engineDpi"], 72);
    const int16_t written[7] = {0, 2, 1, 1, 1, 0, 0};
    EXPECT_EQ(ReadFileBytes(plugin.DatPath()), SettingsBytes(written));
}

TEST_F(DialogClosing, TheSettingsEntryLeavesTheScreenSizeSelected) {
    int selection = -2;
    SetDialogStep([](HWND dialog) { PostListSelection(dialog, kSizeListId, 11); });
    // The screen resolution dialog opens; its OK keeps the stored pair.
    WithDialog(FindScreenDialog, [](HWND screen) { PostClick(screen, IDOK); });
    UntilGone(FindScreenDialog);
    AddDialogStep([&](HWND dialog) { selection = ListSelection(dialog, kSizeListId); });
    auto picture = MakeHostPicture(30, 20);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(selection, 1);
    EXPECT_EQ(TakeDialogReport()["engineDpi"], 84);
}

TEST_F(DialogClosing, EnterDoesNothing) {
    bool open = false;
    SetDialogMode("cancel");
    SetDialogStep([](HWND dialog) { PostClick(dialog, IDOK); });
    AddDialogStep([&](HWND) { open = FindFilterFrame() != nullptr; });
    auto picture = MakeHostPicture(10, 10);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_TRUE(open);
}

TEST_F(DialogClosing, HelpOpensTheFolderHelpFileAtItsContents) {
    TakeHelpRequest();
    SetDialogMode("cancel");
    SetDialogStep([](HWND dialog) { PostClick(dialog, kFilterHelpButton); });
    auto picture = MakeHostPicture(10, 10);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(TakeHelpRequest(), HelpRequest(HELP_CONTENTS, plugin.Folder()));
}

// With 256 colours or fewer the preview is drawn from its dithered 8-bit copy: every colour
// on show is one of the cube's. The test plug-in reads the injected count when it loads.
struct LowColorFixture : ::testing::Test {
    LowColorFixture() { SetEnvironmentVariableA("ZO_TEST_SCREEN_COLORS", "256"); }
    ~LowColorFixture() override { SetEnvironmentVariableA("ZO_TEST_SCREEN_COLORS", nullptr); }
};

using DialogLowColor = LowColorFixture;

TEST_F(DialogLowColor, ThePreviewShowsOnlyCubeColours) {
    PluginCopy plugin;
    ASSERT_TRUE(plugin.Loaded());
    SetDialogMode("cancel");
    int offCube = 0, checked = 0;
    COLORREF ground = 0;
    SetDialogStep([&](HWND dialog) {
        for (int y = 60; y < 170; y += 3)
            for (int x = 16; x < 214; x += 3) {
                const COLORREF c = PixelAt(dialog, x, y);
                ++checked;
                if (!IsCubeColor(c)) ++offCube;
            }
        ground = PixelAt(dialog, 100, 40);
    });
    auto picture = MakeHostPicture(1900, 1000);
    BoxCloser boxes;
    ASSERT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
    EXPECT_GT(checked, 1000);
    EXPECT_EQ(offCube, 0);
    EXPECT_EQ(ground, RGB(255, 255, 255)) << "white is the cube's white at every offset";
}

using DialogScreenshot = DialogFixture;

TEST_F(DialogScreenshot, SavesTheOpenDialogWithARegionAndAfterAStudy) {
    std::vector<uint8_t> picture;
    std::string error;
    ASSERT_TRUE(ReadBmpFile(ZO_SAMPLE_PICTURE, &picture, &error)) << error;
    WriteSettings({1, 1, 1, 1, 1, 1, 4});  // fine canvas
    SetDialogMode("cancel");
    SetDialogStep([](HWND dialog) {
        const int presses[3][2] = {{60, 90}, {150, 130}, {100, 95}};  // axis ends, width
        for (const auto& p : presses) {
            PostMouse(dialog, WM_MOUSEMOVE, p[0], p[1]);
            PostMouse(dialog, WM_LBUTTONDOWN, p[0], p[1]);
            PostMouse(dialog, WM_LBUTTONUP, p[0], p[1]);
        }
    });
    AddDialogStep([](HWND) { SaveScreenshot(FindFilterFrame(), "filter-dialog"); });
    AddDialogStep([](HWND dialog) { PostClick(dialog, kStudyButton); });
    AddDialogStep([](HWND) { SaveScreenshot(FindFilterFrame(), "filter-dialog-study"); });
    BoxCloser boxes;
    ASSERT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
    EXPECT_TRUE(FileExists(std::string(ZO_SCREENSHOT_DIR) + "/filter-dialog.bmp"));
    EXPECT_TRUE(FileExists(std::string(ZO_SCREENSHOT_DIR) + "/filter-dialog-study.bmp"));
    EXPECT_TRUE(boxes.Boxes().empty());
}
