// The ground dialog, opened by a press on the filter dialog's ground margin and driven by
// posted messages from the dialogs' own loop: its place, controls, list and focus; the line it
// opens on; its sample; browsing then Cancel or Escape, which restore the opening ground and
// leave the preview; OK, which keeps the ground and rebuilds the preview; help; a screenshot.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "host/bmp_file.h"
#include "imaging/int_helpers.h"
#include "tests/win32/dialog_fixture.h"
#include "tests/win32/dialog_probe.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr int kGroundList = 100;
constexpr int kHelpButton = 101;
const std::vector<std::string> kLines = {"紙(滑)", "紙(中)", "紙(粗)", "和紙", "ｷｬﾝﾊﾞｽ(細)",
                                         "ｷｬﾝﾊﾞｽ(中)", "ｷｬﾝﾊﾞｽ(生)", "漆喰", "砂", "木"};

// The press on the preview's ground margin beside a 100 × 80 picture (at 65, 75).
void PressGroundMargin(HWND filterDialog) {
    PostMouse(filterDialog, WM_LBUTTONDOWN, kGroundMarginX, kGroundMarginY);
    PostMouse(filterDialog, WM_LBUTTONUP, kGroundMarginX, kGroundMarginY);
}

// Waits for the ground dialog, then runs `act` on it once.
void WithGroundDialog(std::function<void(HWND ground)> act) {
    AddDialogStepUntil([act](HWND) {
        HWND ground = FindGroundDialog();
        if (ground == nullptr) return false;
        act(ground);
        return true;
    });
}

// Waits until the ground dialog has gone.
void UntilGroundDialogGone() {
    AddDialogStepUntil([](HWND) { return FindGroundDialog() == nullptr; });
}

// Pixels of the preview's ground margin and of the sample, on a coarse grid.
std::vector<COLORREF> Pixels(HWND window, int left, int top, int right, int bottom) {
    std::vector<COLORREF> pixels;
    for (int y = top; y < bottom; y += 4)
        for (int x = left; x < right; x += 4) pixels.push_back(PixelAt(window, x, y));
    return pixels;
}
std::vector<COLORREF> PreviewMargin(HWND filterDialog) {
    return Pixels(filterDialog, 17, 17, 213, 70);
}
std::vector<COLORREF> Sample(HWND ground) { return Pixels(ground, 116, 15, 266, 175); }

// True when every pixel has red above green above blue: a tint of the wood's colour.
bool WoodTinted(const std::vector<COLORREF>& pixels) {
    for (COLORREF c : pixels)
        if (!(GetRValue(c) > GetGValue(c) && GetGValue(c) > GetBValue(c))) return false;
    return !pixels.empty();
}

int16_t GroundInSettingsFile(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 14) return -1000;
    return static_cast<int16_t>(ReadLittleUint16(reinterpret_cast<const uint8_t*>(&bytes[12])));
}

}  // namespace

using GroundDialog = DialogFixture;

TEST_F(GroundDialog, OpensCentredOnTheFilterDialogWithTheGroundsInTheListsOrder) {
    WriteSettings({1, 1, 1, 1, 1, 1, 3});
    SetDialogMode("cancel");
    WindowSeen window = {};
    std::vector<ControlSeen> controls;
    std::vector<std::string> lines;
    int selection = -2, notFace = 0;
    bool listFocused = false;
    LOGFONTA listFont = {}, buttonFont = {};
    SetDialogStep(PressGroundMargin);
    WithGroundDialog([&](HWND ground) {
        window = SeeWindow(ground, FindFilterDialog());
        controls = ControlsOf(ground);
        lines = ListBoxItems(ground, kGroundList);
        selection = ListBoxSelection(ground, kGroundList);
        listFocused = GetFocus() == GetDlgItem(ground, kGroundList);
        listFont = FontOf(GetDlgItem(ground, kGroundList));
        buttonFont = FontOf(GetDlgItem(ground, IDOK));
        // The description "手漉きの紙" is written into its box.
        for (COLORREF c : Pixels(ground, 117, 183, 265, 205))
            notFace += c != GetSysColor(COLOR_BTNFACE);
        PostClick(ground, IDCANCEL);
    });
    UntilGroundDialogGone();
    auto picture = MakeHostPicture(100, 80);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_TRUE(boxes.Boxes().empty());

    ExpectCentredWithoutSystemMenu(window, 285, 265, "下地");
    ExpectControls(controls, {
        {"Button", IDOK, "ＯＫ", 10, 220, 80, 30},
        {"Button", kHelpButton, "ヘルプ", 100, 220, 80, 30},
        {"Button", IDCANCEL, "ｷｬﾝｾﾙ", 190, 220, 80, 30},
        {"ListBox", kGroundList, "", 14, 15, 95, -1},
    });
    ASSERT_EQ(controls.size(), 4u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(controls[i].style & BS_DEFPUSHBUTTON, 0) << "not default";
    EXPECT_NE(controls[3].style & LBS_NOTIFY, 0);
    EXPECT_EQ(controls[3].style & LBS_SORT, 0) << "the lines keep the ground list's order";
    EXPECT_EQ(lines, kLines);
    EXPECT_EQ(selection, 3) << "和紙";
    EXPECT_TRUE(listFocused);
    EXPECT_GT(notFace, 20) << "the description is written under the sample";
    for (const LOGFONTA& font : {listFont, buttonFont}) {
        EXPECT_STREQ(font.lfFaceName, "ＭＳ ゴシック");
        EXPECT_EQ(font.lfHeight, -15);
        EXPECT_EQ(font.lfWeight, 400);
        EXPECT_EQ(font.lfCharSet, 128);
    }
}

TEST_F(GroundDialog, AnIndexOutsideTheListSelectsTheLineTheGroundLoadsAndCancelKeepsIt) {
    const struct {
        int16_t stored;
        int line;
    } cases[] = {{-5, 0}, {12, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE("stored ground " + std::to_string(c.stored));
        WriteSettings({1, 1, 1, 1, 1, 1, c.stored});
        SetDialogMode("");  // the final painting writes the record
        int selection = -2;
        SetDialogStep(PressGroundMargin);
        WithGroundDialog([&](HWND ground) {
            selection = ListBoxSelection(ground, kGroundList);
            PostClick(ground, IDCANCEL);
        });
        UntilGroundDialogGone();
        auto picture = MakeHostPicture(100, 80);
        BoxCloser boxes;
        ASSERT_EQ(Run(&picture), 1);
        EXPECT_EQ(selection, c.line);
        EXPECT_EQ(GroundInSettingsFile(plugin.DatPath()), c.stored) << "restored as it was";
        EXPECT_EQ(TakeDialogReport()["ground"], c.line) << "the painting's ground";
    }
}

TEST_F(GroundDialog, ThePlainPaperShowsAWhiteSample) {
    WriteSettings({1, 1, 1, 1, 1, 1, 0});
    SetDialogMode("cancel");
    std::vector<COLORREF> sample;
    std::vector<COLORREF> corners;
    SetDialogStep(PressGroundMargin);
    WithGroundDialog([&](HWND ground) {
        sample = Sample(ground);
        for (POINT p : {POINT{116, 15}, POINT{265, 15}, POINT{116, 174}, POINT{265, 174}})
            corners.push_back(PixelAt(ground, p.x, p.y));
        corners.push_back(PixelAt(ground, 115, 100));  // the sunken bevel's dark left ring
        PostClick(ground, IDCANCEL);
    });
    UntilGroundDialogGone();
    auto picture = MakeHostPicture(100, 80);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    ASSERT_FALSE(sample.empty());
    for (COLORREF c : sample) ASSERT_EQ(c, RGB(255, 255, 255));
    ASSERT_EQ(corners.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(corners[i], RGB(255, 255, 255)) << "corner " << i;
    EXPECT_EQ(corners[4], GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(GroundDialog, BrowsingThenCancelOrEscapeRestoresTheOpeningGroundAndLeavesThePreview) {
    const char* const endings[] = {"the Cancel button", "Escape on the focused list"};
    for (const char* ending : endings) {
        SCOPED_TRACE(ending);
        WriteSettings({1, 1, 1, 1, 1, 1, 3});
        SetDialogMode("");
        std::vector<COLORREF> before, after;
        int selection = -2;
        SetDialogStep([&](HWND dialog) {
            before = PreviewMargin(dialog);
            PressGroundMargin(dialog);
        });
        WithGroundDialog([](HWND ground) { PostListBoxSelection(ground, kGroundList, 8); });
        WithGroundDialog([&](HWND ground) {
            selection = ListBoxSelection(ground, kGroundList);
            // Without the focus the Escape would go nowhere: Cancel, and the test fails.
            const bool escape = std::strcmp(ending, "the Cancel button") != 0;
            const bool escaped = escape && PostEscapeToFocus(ground);
            if (!escaped) PostClick(ground, IDCANCEL);
            if (escape) {
                EXPECT_TRUE(escaped) << "the list has the focus";
            }
        });
        UntilGroundDialogGone();
        AddDialogStep([&](HWND dialog) { after = PreviewMargin(dialog); });
        auto picture = MakeHostPicture(100, 80);
        BoxCloser boxes;
        ASSERT_EQ(Run(&picture), 1);
        EXPECT_EQ(selection, 8) << "砂 on show";
        EXPECT_FALSE(before.empty());
        EXPECT_EQ(after, before) << "the preview is not rebuilt";
        EXPECT_EQ(GroundInSettingsFile(plugin.DatPath()), 3);
        EXPECT_EQ(TakeDialogReport()["ground"], 3);
        EXPECT_TRUE(boxes.Boxes().empty());
    }
}

TEST_F(GroundDialog, WoodThenOkKeepsItAndRebuildsThePreview) {
    WriteSettings({1, 1, 1, 1, 1, 1, 3});
    SetDialogMode("");
    std::vector<COLORREF> before, after, sample;
    SetDialogStep([&](HWND dialog) {
        before = PreviewMargin(dialog);
        PressGroundMargin(dialog);
    });
    WithGroundDialog([](HWND ground) { PostListBoxSelection(ground, kGroundList, 9); });
    WithGroundDialog([&](HWND ground) {
        sample = Sample(ground);
        PostClick(ground, IDOK);
    });
    UntilGroundDialogGone();
    AddDialogStep([&](HWND dialog) { after = PreviewMargin(dialog); });
    auto picture = MakeHostPicture(100, 80);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_TRUE(WoodTinted(sample)) << "the sample shows the wood";
    EXPECT_FALSE(WoodTinted(before));
    EXPECT_TRUE(WoodTinted(after)) << "the preview is rebuilt on the wood";
    EXPECT_EQ(GroundInSettingsFile(plugin.DatPath()), 9);
    EXPECT_EQ(TakeDialogReport()["ground"], 9);
}

TEST_F(GroundDialog, TheSameGroundAgainShowsNewNoise) {
    WriteSettings({1, 1, 1, 1, 1, 1, 8});
    SetDialogMode("cancel");
    std::vector<COLORREF> first, again;
    SetDialogStep(PressGroundMargin);
    WithGroundDialog([&](HWND ground) {
        first = Sample(ground);
        PostListBoxSelection(ground, kGroundList, 9);
    });
    WithGroundDialog([](HWND ground) { PostListBoxSelection(ground, kGroundList, 8); });
    WithGroundDialog([&](HWND ground) {
        again = Sample(ground);
        PostClick(ground, IDCANCEL);
    });
    UntilGroundDialogGone();
    auto picture = MakeHostPicture(100, 80);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    ASSERT_EQ(first.size(), again.size());
    EXPECT_NE(first, again);
}

TEST_F(GroundDialog, HelpOpensTheFolderHelpFileAtItsKey) {
    TakeHelpRequest();
    SetDialogMode("cancel");
    SetDialogStep(PressGroundMargin);
    WithGroundDialog([](HWND ground) { PostClick(ground, kHelpButton); });
    WithGroundDialog([](HWND ground) { PostClick(ground, IDCANCEL); });
    UntilGroundDialogGone();
    auto picture = MakeHostPicture(100, 80);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(TakeHelpRequest(), HelpRequest(HELP_PARTIALKEY, plugin.Folder(), "下地を選ぶ"));
}

TEST_F(GroundDialog, TheButtonsUnderTheListStayUsableAndAScreenshotIsSaved) {
    std::vector<uint8_t> picture;
    std::string error;
    ASSERT_TRUE(ReadBmpFile(ZO_SAMPLE_PICTURE, &picture, &error)) << error;
    WriteSettings({1, 1, 1, 1, 1, 1, 4});
    SetDialogMode("cancel");
    RECT list = {};
    HWND underOk = nullptr, underHelp = nullptr, okButton = nullptr, helpButton = nullptr;
    SetDialogStep(PressGroundMargin);
    WithGroundDialog([](HWND ground) { PostListBoxSelection(ground, kGroundList, 6); });
    WithGroundDialog([&](HWND ground) {
        HWND listBox = GetDlgItem(ground, kGroundList);
        GetWindowRect(listBox, &list);
        MapWindowPoints(nullptr, ground, reinterpret_cast<POINT*>(&list), 2);
        okButton = GetDlgItem(ground, IDOK);
        helpButton = GetDlgItem(ground, kHelpButton);
        // The list box (14, 15, 95 × 210) would reach into the buttons' row; a press on their
        // upper edge below it lands on the buttons.
        POINT onOk = {50, 222}, onHelp = {105, 222};
        ClientToScreen(ground, &onOk);
        ClientToScreen(ground, &onHelp);
        underOk = WindowFromPoint(onOk);
        underHelp = WindowFromPoint(onHelp);
        SaveScreenshot(ground, "ground-dialog");
        PostClick(ground, IDCANCEL);
    });
    UntilGroundDialogGone();
    BoxCloser boxes;
    ASSERT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
    EXPECT_EQ(list.left, 14);
    EXPECT_EQ(list.top, 15);
    EXPECT_EQ(underOk, okButton);
    EXPECT_EQ(underHelp, helpButton);
    EXPECT_TRUE(FileExists(std::string(ZO_SCREENSHOT_DIR) + "/ground-dialog.bmp"));
}

// On a screen of 256 colours or fewer the sample is drawn from its dithered copy: only colours
// of the cube. The test plug-in reads the injected count when it loads.
TEST(GroundDialogLowColor, TheSampleShowsOnlyCubeColours) {
    SetEnvironmentVariableA("ZO_TEST_SCREEN_COLORS", "256");
    PluginCopy plugin;
    SetEnvironmentVariableA("ZO_TEST_SCREEN_COLORS", nullptr);
    ASSERT_TRUE(plugin.Loaded());
    const int16_t woodGround[7] = {1, 1, 1, 1, 1, 1, 9};
    WriteFileBytes(plugin.DatPath(), SettingsBytes(woodGround));
    SetDialogMode("cancel");
    std::vector<COLORREF> sample;
    SetDialogStep(PressGroundMargin);
    WithGroundDialog([&](HWND ground) {
        sample = Sample(ground);
        PostClick(ground, IDCANCEL);
    });
    UntilGroundDialogGone();
    auto picture = MakeHostPicture(100, 80);
    BoxCloser boxes;
    ASSERT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
    ASSERT_FALSE(sample.empty());
    int offCube = 0;
    for (COLORREF c : sample) offCube += GetRValue(c) % 51 || GetGValue(c) % 51 || GetBValue(c) % 51;
    EXPECT_EQ(offCube, 0);
    EXPECT_GT(std::set<COLORREF>(sample.begin(), sample.end()).size(), 1u) << "the grain shows";
}
