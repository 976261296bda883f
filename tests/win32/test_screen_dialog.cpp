// The screen resolution dialog, opened from the filter dialog's size list and driven by posted
// messages from the dialogs' own loop, the edit's text set as a program sets it: its place,
// controls and the stored pair; typed lengths with the live dpi and OK's answer (the refusal
// box found by its caption and owner, answered with OK); the three-character limit; a stored
// pair out of range; Cancel and Escape; what the filter dialog and the profile file hold
// afterwards; the ruler's pixels; help; a screenshot.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/win32/dialog_fixture.h"
#include "tests/win32/dialog_probe.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr int kSettingsEntry = 11;  // "[設定]", the size list's last entry
constexpr char kRefusal[] = "入力値が不正です。やり直して下さい。";

void ChooseSettingsEntry(HWND filterDialog) {
    PostListSelection(filterDialog, kSizeListId, kSettingsEntry);
}

// Waits until no message box of the screen dialog is open (the box closer answers it), then
// notes whether the dialog is still there and cancels it if so.
void CancelIfStillOpen(bool* stayed) {
    AddDialogStepUntil([stayed](HWND) {
        HWND screen = FindScreenDialog();
        if (screen != nullptr && FindOwnedDialog(screen, nullptr) != nullptr) return false;
        *stayed = screen != nullptr;
        if (screen != nullptr) PostClick(screen, IDCANCEL);
        return true;
    });
    UntilGone(FindScreenDialog);
}

std::string DpiShown(HWND screen) {
    char text[16] = "";
    GetWindowTextA(ControlAt(screen, kDpiDisplayX, kDpiDisplayY), text, sizeof text);
    return text;
}

std::string EditText(HWND screen) {
    char text[16] = "";
    GetDlgItemTextA(screen, kMillimetreEditId, text, sizeof text);
    return text;
}

void StoreScreen(const PluginCopy& plugin, const char* mm, const char* dpi) {
    WritePrivateProfileStringA("SCREEN", "MM", mm, plugin.IniPath().c_str());
    WritePrivateProfileStringA("SCREEN", "DPI", dpi, plugin.IniPath().c_str());
}

std::string StoredPair(const PluginCopy& plugin) {
    return ProfileValue(plugin.IniPath(), "SCREEN", "MM") + "/" +
           ProfileValue(plugin.IniPath(), "SCREEN", "DPI");
}

std::string BoxFlags() {
    char text[32] = "";
    GetEnvironmentVariableA("ZO_TEST_BOX_FLAGS", text, sizeof text);
    SetEnvironmentVariableA("ZO_TEST_BOX_FLAGS", nullptr);
    return text;
}

}  // namespace

using ScreenDialog = DialogFixture;

TEST_F(ScreenDialog, OpensCentredWithItsControlsAndTheStoredPairWhichOkGivesBack) {
    SetDialogMode("");
    WindowSeen window = {};
    std::vector<ControlSeen> controls;
    bool editFocused = false;
    LRESULT limit = 0;
    LOGFONTA editFont = {}, promptFont = {};
    int selectionAfter = -2;
    SetDialogStep(ChooseSettingsEntry);
    WithDialog(FindScreenDialog, [&](HWND screen) {
        window = SeeWindow(screen, FindFilterDialog());
        controls = ControlsOf(screen);
        editFocused = GetFocus() == GetDlgItem(screen, kMillimetreEditId);
        limit = SendDlgItemMessageA(screen, kMillimetreEditId, EM_GETLIMITTEXT, 0, 0);
        editFont = FontOf(GetDlgItem(screen, kMillimetreEditId));
        promptFont = FontOf(GetWindow(screen, GW_CHILD));
        PostClick(screen, IDOK);
    });
    UntilGone(FindScreenDialog);
    AddDialogStep([&](HWND dialog) {
        selectionAfter = ListSelection(dialog, kSizeListId);
    });
    auto picture = MakeHostPicture(30, 20);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_TRUE(boxes.Boxes().empty());

    ExpectCentredWithoutSystemMenu(window, 225, 195, "スクリ－ン解像度の設定");
    // The prompt shows all 26 bytes of its text although its limit is 10.
    ExpectControls(controls, {
        {"Static", 0xFFFF, "実際の長さを測って下さい。", 10, 10, 200, 20},
        {"Edit", 100, "60", 80, 90, 30, 20},
        {"Static", 0xFFFF, "mm", 115, 90, 30, 20},
        {"Static", 0xFFFF, "84", 80, 115, 30, 20},
        {"Static", 0xFFFF, "dpi", 115, 115, 30, 20},
        {"Button", IDOK, "ＯＫ", 10, 150, 60, 30},
        {"Button", kScreenHelpButton, "ヘルプ", 80, 150, 60, 30},
        {"Button", IDCANCEL, "ｷｬﾝｾﾙ", 150, 150, 60, 30},
    });
    EXPECT_TRUE(editFocused);
    EXPECT_EQ(limit, 3);
    for (const LOGFONTA& font : {editFont, promptFont}) {
        EXPECT_STREQ(font.lfFaceName, "ＭＳ ゴシック");
        EXPECT_EQ(font.lfHeight, -13);
        EXPECT_EQ(font.lfCharSet, 128);
    }
    EXPECT_EQ(selectionAfter, 1) << "ｽｸﾘ-ﾝ";
    EXPECT_EQ(StoredPair(plugin), "60/84");
    EXPECT_EQ(TakeDialogReport()["engineDpi"], 84);
}

TEST_F(ScreenDialog, TypedLengthsShowTheirDpiAndOkAcceptsTenTo400) {
    const struct {
        const char* typed;
        const char* dpiShown;
        bool accepted;
    } cases[] = {
        {"60", "84", true},   {"13", "390", true}, {"12", "423", false}, {"507", "10", true},
        {"508", "9", false},  {"", "84", false},   {"-5", "84", false},  {"5x", "84", false},
        {"0", "84", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("typed '") + c.typed + "'");
        DeleteFileA(plugin.IniPath().c_str());
        SetDialogMode("cancel");
        std::string shown;
        bool stayed = false;
        SetDialogStep(ChooseSettingsEntry);
        WithDialog(FindScreenDialog, [&](HWND screen) {
            SetDlgItemTextA(screen, kMillimetreEditId, c.typed);
            shown = DpiShown(screen);
            PostClick(screen, IDOK);
        });
        CancelIfStillOpen(&stayed);
        auto picture = MakeHostPicture(30, 20);
        BoxCloser boxes;
        ASSERT_EQ(Run(&picture), 1);
        EXPECT_EQ(shown, c.dpiShown);
        EXPECT_EQ(stayed, !c.accepted) << "a refused length keeps the dialog open";
        EXPECT_EQ(StoredPair(plugin),
                  c.accepted ? std::string(c.typed) + "/" + c.dpiShown : std::string("60/84"));
        if (c.accepted) {
            EXPECT_TRUE(boxes.Boxes().empty());
            continue;
        }
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const BoxCloser::Box& box = boxes.Boxes()[0];
        EXPECT_EQ(box.caption, kRefusal);
        EXPECT_EQ(box.text, kRefusal);
        EXPECT_EQ(box.ownerCaption, "スクリ－ン解像度の設定") << "owned by the screen dialog";
        EXPECT_EQ(BoxFlags(), std::to_string(MB_ICONEXCLAMATION | MB_OK));
    }
}

TEST_F(ScreenDialog, AFourthDigitCannotBeTyped) {
    SetDialogMode("cancel");
    std::string typed, shown;
    SetDialogStep(ChooseSettingsEntry);
    WithDialog(FindScreenDialog, [](HWND screen) {
        HWND edit = GetDlgItem(screen, kMillimetreEditId);
        PostMessageA(edit, EM_SETSEL, 0, -1);
        for (char key : {'1', '2', '3', '4'}) PostMessageA(edit, WM_CHAR, key, 1);
    });
    WithDialog(FindScreenDialog, [&](HWND screen) {
        typed = EditText(screen);
        shown = DpiShown(screen);
        PostClick(screen, IDCANCEL);
    });
    UntilGone(FindScreenDialog);
    auto picture = MakeHostPicture(30, 20);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(typed, "123");
    EXPECT_EQ(shown, "41");
}

TEST_F(ScreenDialog, AStoredPairIsShownAndAcceptedUnlessItsDpiIsBelowOne) {
    const struct {
        const char* mm;
        const char* dpi;
        const char* dpiShown;
        bool accepted;
        const char* storedAfter;
    } cases[] = {
        {"12", "400", "423", true, "12/423"},
        {"508", "84", "9", true, "508/9"},
        {"0", "84", "84", true, "0/84"},
        {"5080", "84", "0", false, "5080/84"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("stored ") + c.mm + " mm");
        StoreScreen(plugin, c.mm, c.dpi);
        SetDialogMode("cancel");
        std::string shownMm, shownDpi;
        bool stayed = false;
        SetDialogStep(ChooseSettingsEntry);
        WithDialog(FindScreenDialog, [&](HWND screen) {
            shownMm = EditText(screen);
            shownDpi = DpiShown(screen);
            PostClick(screen, IDOK);
        });
        CancelIfStillOpen(&stayed);
        auto picture = MakeHostPicture(30, 20);
        BoxCloser boxes;
        ASSERT_EQ(Run(&picture), 1);
        EXPECT_EQ(shownMm, c.mm);
        EXPECT_EQ(shownDpi, c.dpiShown);
        EXPECT_EQ(stayed, !c.accepted);
        EXPECT_EQ(boxes.Boxes().size(), c.accepted ? 0u : 1u);
        EXPECT_EQ(StoredPair(plugin), c.storedAfter);
    }
}

TEST_F(ScreenDialog, CancelAndEscapeChangeNothing) {
    const CancelOrEscape endings[] = {{"the Cancel button", false},
                                      {"Escape on the focused edit", true}};
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.name);
        DeleteFileA(plugin.IniPath().c_str());
        SetDialogMode("");
        int selectionAfter = -2;
        SetDialogStep(ChooseSettingsEntry);
        WithDialog(FindScreenDialog,
               [](HWND screen) { SetDlgItemTextA(screen, kMillimetreEditId, "40"); });
        WithDialog(FindScreenDialog,
                   [&](HWND screen) { PostCancelOrEscape(screen, ending.escape, "the edit"); });
        UntilGone(FindScreenDialog);
        AddDialogStep([&](HWND dialog) {
            selectionAfter = ListSelection(dialog, kSizeListId);
        });
        auto picture = MakeHostPicture(30, 20);
        BoxCloser boxes;
        ASSERT_EQ(Run(&picture), 1);
        EXPECT_EQ(selectionAfter, 1);
        EXPECT_EQ(StoredPair(plugin), "60/84");
        EXPECT_EQ(TakeDialogReport()["engineDpi"], 84);
        EXPECT_TRUE(boxes.Boxes().empty());
    }
}

TEST_F(ScreenDialog, OkLeavesTheScreenSizeSelectedWithoutRebuildingThePreview) {
    WriteSettings({5, 1, 1, 1, 1, 1, 4});  // A4 on a textured ground: a rebuild shows new noise
    SetDialogMode("");
    std::vector<COLORREF> before, after;
    int selectionAfter = -2;
    SetDialogStep([&](HWND dialog) {
        before = PreviewMargin(dialog);
        ChooseSettingsEntry(dialog);
    });
    WithDialog(FindScreenDialog, [](HWND screen) {
        SetDlgItemTextA(screen, kMillimetreEditId, "40");
        PostClick(screen, IDOK);
    });
    UntilGone(FindScreenDialog);
    AddDialogStep([&](HWND dialog) {
        after = PreviewMargin(dialog);
        selectionAfter = ListSelection(dialog, kSizeListId);
    });
    auto picture = MakeHostPicture(100, 80);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(selectionAfter, 1);
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(after, before) << "the preview is not rebuilt";
    EXPECT_EQ(StoredPair(plugin), "40/126") << "126 dpi in extended precision";
    EXPECT_EQ(TakeDialogReport()["engineDpi"], 126) << "the painting at the screen's new dpi";
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ScreenDialog, TheRulerAndArrowAreDrawnInBlackOnWhite) {
    SetDialogMode("cancel");
    const struct {
        int x, y;
        COLORREF color;
    } cases[] = {
        {10, 65, RGB(0, 0, 0)},      {30, 56, RGB(0, 0, 0)},       {14, 60, RGB(255, 255, 255)},
        {100, 50, RGB(255, 255, 255)}, {10, 100, RGB(0, 0, 0)},    {209, 100, RGB(0, 0, 0)},
        {10, 80, RGB(0, 0, 0)},      {14, 66, RGB(0, 0, 0)},
    };
    std::vector<COLORREF> seen;
    COLORREF beyondArrow = 0;
    SetDialogStep(ChooseSettingsEntry);
    WithDialog(FindScreenDialog, [&](HWND screen) {
        for (const auto& c : cases) seen.push_back(PixelAt(screen, c.x, c.y));
        beyondArrow = PixelAt(screen, 210, 100);
        PostClick(screen, IDCANCEL);
    });
    UntilGone(FindScreenDialog);
    auto picture = MakeHostPicture(30, 20);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    ASSERT_EQ(seen.size(), sizeof cases / sizeof cases[0]);
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], cases[i].color) << cases[i].x << "," << cases[i].y;
    EXPECT_EQ(beyondArrow, GetSysColor(COLOR_BTNFACE)) << "the arrow ends at x 209";
}

TEST_F(ScreenDialog, HelpOpensTheFolderHelpFileAtItsKey) {
    TakeHelpRequest();
    SetDialogMode("cancel");
    SetDialogStep(ChooseSettingsEntry);
    WithDialog(FindScreenDialog, [](HWND screen) { PostClick(screen, kScreenHelpButton); });
    WithDialog(FindScreenDialog, [](HWND screen) { PostClick(screen, IDCANCEL); });
    UntilGone(FindScreenDialog);
    auto picture = MakeHostPicture(30, 20);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_EQ(TakeHelpRequest(),
              HelpRequest(HELP_PARTIALKEY, plugin.Folder(), "スクリ－ン解像度の設定"));
}

TEST_F(ScreenDialog, ShowsAScreenshot) {
    SetDialogMode("cancel");
    SetDialogStep(ChooseSettingsEntry);
    WithDialog(FindScreenDialog,
               [](HWND screen) { SetDlgItemTextA(screen, kMillimetreEditId, "57"); });
    WithDialog(FindScreenDialog, [](HWND screen) {
        SaveScreenshot(screen, "screen-dialog");
        PostClick(screen, IDCANCEL);
    });
    UntilGone(FindScreenDialog);
    auto picture = MakeHostPicture(30, 20);
    BoxCloser boxes;
    ASSERT_EQ(Run(&picture), 1);
    EXPECT_TRUE(FileExists(std::string(ZO_SCREENSHOT_DIR) + "/screen-dialog.bmp"));
}
