// The ground dialog, opened by a press on the filter dialog's ground margin and driven by
// posted messages from the dialogs' own loop: its place, controls, list and focus; the line it
// opens on; its sample; browsing then Cancel or Escape, which restore the opening ground and
// leave the preview; OK, which keeps the ground and rebuilds the preview; help; a screenshot.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "host/bmp_file.h"
#include "imaging/int_helpers.h"
#include "tests/win32/dialog_fixture.h"
#include "tests/win32/dialog_probe.h"
#include "tests/win32/win32_test_support.h"

namespace {

const std::vector<std::string> kLines = {"紙(滑)", "紙(中)", "紙(粗)", "和紙", "ｷｬﾝﾊﾞｽ(細)",
                                         "ｷｬﾝﾊﾞｽ(中)", "ｷｬﾝﾊﾞｽ(生)", "漆喰", "砂", "木"};

// The press on the preview's ground margin beside a 100 × 80 picture (at 65, 75).
void PressGroundMargin(HWND filterDialog) {
    PostMouse(filterDialog, WM_LBUTTONDOWN, kGroundMarginX, kGroundMarginY);
    PostMouse(filterDialog, WM_LBUTTONUP, kGroundMarginX, kGroundMarginY);
}

// A step that waits for the ground dialog, then chooses line `line` of its list.
void ChooseLine(int line) {
    WithDialog(FindGroundDialog,
               [line](HWND ground) { PostListBoxSelection(ground, kGroundListId, line); });
}

// Pixels of the sample, on a coarse grid.
std::vector<COLORREF> Sample(HWND ground) { return PixelGrid(ground, 116, 15, 266, 175, 4); }

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
    WithDialog(FindGroundDialog, [&](HWND ground) {
        window = SeeWindow(ground, FindFilterDialog());
        controls = ControlsOf(ground);
        lines = ListBoxItems(ground, kGroundListId);
        selection = ListBoxSelection(ground, kGroundListId);
        listFocused = GetFocus() == GetDlgItem(ground, kGroundListId);
        listFont = FontOf(GetDlgItem(ground, kGroundListId));
        buttonFont = FontOf(GetDlgItem(ground, IDOK));
        // The description "手漉きの紙" is written into its box.
        for (COLORREF c : PixelGrid(ground, 117, 183, 265, 205, 4))
            notFace += c != GetSysColor(COLOR_BTNFACE);
        PostClick(ground, IDCANCEL);
    });
    UntilGone(FindGroundDialog);
    auto picture = MakeHostPicture(100, 80);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_TRUE(boxes.Boxes().empty());

    ExpectCentredWithoutSystemMenu(window, 285, 265, "下地");
    ExpectControls(controls, {
        {"Button", IDOK, "ＯＫ", 10, 220, 80, 30},
        {"Button", kGroundHelpButton, "ヘルプ", 100, 220, 80, 30},
        {"Button", IDCANCEL, "ｷｬﾝｾﾙ", 190, 220, 80, 30},
        {"ListBox", kGroundListId, "", 14, 15, 95, -1},
    });
    ASSERT_EQ(controls.size(), 4u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(controls[i].style & BS_DEFPUSHBUTTON, 0) << "not default";
    EXPECT_NE(controls[3].style & LBS_NOTIFY, 0);
    EXPECT_EQ(controls[3].style & LBS_SORT, 0) << "the lines keep the ground list's order";
    EXPECT_EQ(lines, kLines);
    EXPECT_EQ(selection, 3) << "和紙";
    EXPECT_TRUE(listFocused);
    EXPECT_GT(notFace, 20) << "the description is written under the sample";
    for (const LOGFONTA& font : {listFont, buttonFont})
        ExpectFont(font, "ＭＳ ゴシック", -15, 400, 128);
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
        WithDialog(FindGroundDialog, [&](HWND ground) {
            selection = ListBoxSelection(ground, kGroundListId);
            PostClick(ground, IDCANCEL);
        });
        UntilGone(FindGroundDialog);
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
    WithDialog(FindGroundDialog, [&](HWND ground) {
        sample = Sample(ground);
        for (POINT p : {POINT{116, 15}, POINT{265, 15}, POINT{116, 174}, POINT{265, 174}})
            corners.push_back(PixelAt(ground, p.x, p.y));
        corners.push_back(PixelAt(ground, 115, 100));  // the sunken bevel's dark left ring
        PostClick(ground, IDCANCEL);
    });
    UntilGone(FindGroundDialog);
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
    const CancelOrEscape endings[] = {{"the Cancel button", false},
                                      {"Escape on the focused list", true}};
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.name);
        WriteSettings({1, 1, 1, 1, 1, 1, 3});
        SetDialogMode("");
        std::vector<COLORREF> before, after;
        int selection = -2;
        SetDialogStep([&](HWND dialog) {
            before = PreviewMargin(dialog);
            PressGroundMargin(dialog);
        });
        ChooseLine(8);
        WithDialog(FindGroundDialog, [&](HWND ground) {
            selection = ListBoxSelection(ground, kGroundListId);
            PostCancelOrEscape(ground, ending.escape, "the list");
        });
        UntilGone(FindGroundDialog);
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
    ChooseLine(9);
    WithDialog(FindGroundDialog, [&](HWND ground) {
        sample = Sample(ground);
        PostClick(ground, IDOK);
    });
    UntilGone(FindGroundDialog);
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
    WithDialog(FindGroundDialog, [&](HWND ground) {
        first = Sample(ground);
        PostListBoxSelection(ground, kGroundListId, 9);
    });
    ChooseLine(8);
    WithDialog(FindGroundDialog, [&](HWND ground) {
        again = Sample(ground);
        PostClick(ground, IDCANCEL);
    });
    UntilGone(FindGroundDialog);
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
    WithDialog(FindGroundDialog, [](HWND ground) { PostClick(ground, kGroundHelpButton); });
    WithDialog(FindGroundDialog, [](HWND ground) { PostClick(ground, IDCANCEL); });
    UntilGone(FindGroundDialog);
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
    ChooseLine(6);
    WithDialog(FindGroundDialog, [&](HWND ground) {
        HWND listBox = GetDlgItem(ground, kGroundListId);
        GetWindowRect(listBox, &list);
        MapWindowPoints(nullptr, ground, reinterpret_cast<POINT*>(&list), 2);
        okButton = GetDlgItem(ground, IDOK);
        helpButton = GetDlgItem(ground, kGroundHelpButton);
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
    UntilGone(FindGroundDialog);
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
    WithDialog(FindGroundDialog, [&](HWND ground) {
        sample = Sample(ground);
        PostClick(ground, IDCANCEL);
    });
    UntilGone(FindGroundDialog);
    auto picture = MakeHostPicture(100, 80);
    BoxCloser boxes;
    ASSERT_EQ(plugin.filterProc(TestHostWindow(), picture.data(), 0, 0), 1);
    ASSERT_FALSE(sample.empty());
    int offCube = 0;
    for (COLORREF c : sample) offCube += !IsCubeColor(c);
    EXPECT_EQ(offCube, 0);
    EXPECT_GT(std::set<COLORREF>(sample.begin(), sample.end()).size(), 1u) << "the grain shows";
}
