// The About box run by RunAboutDialog on each plug-in's own resources, driven by posted
// messages from a timer in the box's own loop: its frame, statics, fonts and cover; a click on
// the cover, a click on a text and Escape each close it and give the host back; without a host
// it opens centred on the screen; on a 256-colour screen the cover keeps its own colours; a
// box whose statics or fonts cannot be made says so and does not run; and screenshots.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/win32/about_dialog.h"
#include "dialogs/win32/app_about_dialog.h"
#include "dialogs/win32/screen_colors.h"
#include "framework/module.h"
#include "host/dialog_automation.h"
#include "imaging/dib.h"
#include "tests/support/test_module.h"
#include "tests/win32/dialog_probe.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr int kWidth = 330, kHeight = 183;
constexpr int kCoverX = 5, kCoverY = 5;

// One step per tick, once the box is on show, then the ending; a box still open long after
// is closed from outside, so a test that fails to close it fails instead of hanging.
struct Driver {
    std::vector<std::function<void(HWND frame, HWND dialog)>> steps;
    size_t next = 0;
    bool seen = false;
    bool hostEnabledWhileUp = true;
    int ticksLeft = 0;
    bool forced = false;
};

Driver* driver = nullptr;

// The step that runs now runs again at the next tick.
void RetryStep() { --driver->next; }

// A host of the About box's tests away from the one the filter dialog's tests open over, so
// that the boxes (675..1011 × 529..712) do not lie under those dialogs when the suites run
// side by side.
HWND AboutHostWindow() {
    static HWND window = MakeHostWindow("ZoAboutHost", 690, 560, 300, 120);
    return window;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND frame = FindFilterFrame();
    HWND dialog = FindFilterDialog();
    if (frame == nullptr || dialog == nullptr) return;
    if (!driver->seen) {
        driver->seen = true;
        driver->hostEnabledWhileUp = IsWindowEnabled(AboutHostWindow()) != 0;
        driver->ticksLeft = 100;
        return;
    }
    if (driver->next < driver->steps.size()) {
        driver->steps[driver->next++](frame, dialog);
        return;
    }
    if (--driver->ticksLeft == 0) {
        driver->forced = true;
        PostMessageA(frame, WM_CLOSE, 0, 0);
    }
}

// Runs the box of `module` over `host` with the steps; the last step is expected to close it.
Driver RunBox(HINSTANCE module, HWND host, std::vector<std::function<void(HWND, HWND)>> steps) {
    Driver run;
    run.steps = std::move(steps);
    driver = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, Tick);
    RunAboutDialog(module, host);
    KillTimer(nullptr, timer);
    driver = nullptr;
    framework::SetModule(nullptr);  // the test program's own resources again
    return run;
}

// A left click on the dialog's face (the cover is painted there, it is no window of its own).
void ClickDialog(HWND dialog, int x, int y) {
    PostMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A click where a person would click: the message goes to the window that the system finds
// under the point (a static without notifications lets it through to the dialog). When a
// window of another test program lies over the point, the click waits for a tick.
void ClickThroughTheScreen(HWND frame, HWND dialog, int x, int y, HWND* target) {
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    POINT point = {x, y};
    ClientToScreen(dialog, &point);
    *target = WindowFromPoint(point);
    if (*target == nullptr || GetWindowThreadProcessId(*target, nullptr) != GetCurrentThreadId()) {
        RetryStep();
        return;
    }
    ScreenToClient(*target, &point);
    PostMessageA(*target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageA(*target, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

// Escape as the focused window gets it: no control of the box takes the focus, so the frame
// gives it to the dialog (also when another program's window is active meanwhile).
void PostEscape(HWND, HWND dialog) { PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); }

// Cover pixels, every seventh in each direction, that differ from the box's pixels; and how
// many of the cover's colours there lie off the 6 × 6 × 6 cube that a dither would give.
struct CoverCheck {
    int checked = 0, wrong = 0, offCube = 0;
};

CoverCheck CheckCover(HWND dialog, const TDib& cover) {
    CoverCheck check;
    for (int y = 0; y < cover.Height(); y += 7)
        for (int x = 0; x < cover.Width(); x += 7) {
            const COLORREF expected = PaletteColor(cover, x, y);
            ++check.checked;
            check.wrong += PixelAt(dialog, kCoverX + x, kCoverY + y) != expected;
            check.offCube += !IsCubeColor(expected);
        }
    return check;
}

void Close(HWND, HWND dialog) { ClickDialog(dialog, 80, 90); }

const char* const kNames[5] = {"MORAVEL", "KOLDA", "GRISOV", "ZAVET", "TEVU"};

}  // namespace

TEST(AboutBoxLayout, EveryPluginShowsItsCoverNameAndTextsInThePlacesAndFontsBuilt) {
    for (int p = 0; p < 5; ++p) {
        SCOPED_TRACE(kTestPluginNames[p]);
        PluginCopy plugin(kTestPluginNames[p]);
        ASSERT_TRUE(plugin.Loaded());
        std::unique_ptr<TDib> cover = TDib::FromResource(plugin.Module(), "COVER");
        ASSERT_TRUE(cover);
        std::vector<ControlSeen> controls;
        LOGFONTA fonts[3] = {};
        RECT frameWindow = {}, frameClient = {}, dialogWindow = {};
        LONG frameStyle = 0, dialogStyle = 0;
        char title[64] = "?";
        CoverCheck coverCheck;
        COLORREF bevel[4] = {};
        BoxCloser boxes;
        const Driver run = RunBox(plugin.Module(), AboutHostWindow(), {[&](HWND frame, HWND dialog) {
            controls = ControlsOf(dialog);
            HWND child = GetWindow(dialog, GW_CHILD);
            for (int i = 0; i < 3 && child != nullptr; ++i, child = GetWindow(child, GW_HWNDNEXT))
                fonts[i] = FontOf(child);
            GetWindowRect(frame, &frameWindow);
            GetClientRect(frame, &frameClient);
            GetWindowRect(dialog, &dialogWindow);
            frameStyle = GetWindowLongA(frame, GWL_STYLE);
            dialogStyle = GetWindowLongA(dialog, GWL_STYLE);
            GetWindowTextA(frame, title, sizeof title);
            coverCheck = CheckCover(dialog, *cover);
            // The raised bevel's three rings outside the cover: light above and left, dark
            // below and right.
            bevel[0] = PixelAt(dialog, kCoverX - 3, 60);
            bevel[1] = PixelAt(dialog, kCoverX + 60, kCoverY - 1);
            bevel[2] = PixelAt(dialog, kCoverX + 150 + 2, 60);
            bevel[3] = PixelAt(dialog, kCoverX + 60, kCoverY + 170);
        }, Close});
        EXPECT_TRUE(run.seen);
        EXPECT_FALSE(run.forced);
        EXPECT_TRUE(boxes.Boxes().empty());

        const std::string texts[3] = {kNames[p], LoadEntry(plugin.Module(), 204),
                                      LoadEntry(plugin.Module(), 205)};
        ExpectControls(controls, {
            {"Static", 0xFFFF, texts[0].c_str(), 167, 15, 160, 25},
            {"Static", 0xFFFF, texts[1].c_str(), 167, 40, 160, 100},
            {"Static", 0xFFFF, texts[2].c_str(), 167, 140, 160, 100},
        });
        EXPECT_FALSE(texts[1].empty());
        EXPECT_EQ(texts[2].find("Zolvane 1.0"), 0u);

        const struct {
            const char* face;
            int height, weight, charSet;
        } fontsExpected[3] = {
            {"Arial", -20, 700, 0}, {"ＭＳ ゴシック", -14, 400, 128}, {"Arial", -12, 400, 0}};
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE("font " + std::to_string(i));
            const auto& e = fontsExpected[i];
            ExpectFont(fonts[i], e.face, e.height, e.weight, e.charSet);
            EXPECT_EQ(fonts[i].lfPitchAndFamily, 34);
        }

        // A captionless popup with a dialog frame, shrunk to the bordered 330 × 183 dialog and
        // placed as a 330 × 183 window centred over the host.
        const LONG frameBits = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX;
        EXPECT_EQ(frameStyle & frameBits, WS_POPUP | WS_DLGFRAME);
        EXPECT_STREQ(title, "");
        EXPECT_EQ(dialogStyle & (WS_CHILD | WS_BORDER | WS_CAPTION), WS_CHILD | WS_BORDER);
        EXPECT_EQ(dialogWindow.right - dialogWindow.left, kWidth);
        EXPECT_EQ(dialogWindow.bottom - dialogWindow.top, kHeight);
        EXPECT_EQ(frameClient.right, kWidth);
        EXPECT_EQ(frameClient.bottom, kHeight);
        RECT host;
        GetWindowRect(AboutHostWindow(), &host);
        EXPECT_EQ(frameWindow.left, host.left + (host.right - host.left - kWidth) / 2);
        EXPECT_EQ(frameWindow.top, host.top + (host.bottom - host.top - kHeight) / 2);

        EXPECT_GT(coverCheck.checked, 400);
        EXPECT_EQ(coverCheck.wrong, 0) << "the cover at (5, 5) in its own colours";
        EXPECT_EQ(bevel[0], GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(bevel[1], GetSysColor(COLOR_BTNHIGHLIGHT));
        EXPECT_EQ(bevel[2], GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(bevel[3], GetSysColor(COLOR_BTNSHADOW));
    }
}

TEST(AboutBoxClosing, AClickOnTheCoverOrATextOrEscapeClosesItAndGivesTheHostBack) {
    HWND clicked = nullptr;
    const struct {
        const char* name;
        std::function<void(HWND, HWND)> close;
    } cases[] = {
        {"a click on the cover",
         [&](HWND frame, HWND dialog) {
             ClickThroughTheScreen(frame, dialog, kCoverX + 75, kCoverY + 85, &clicked);
         }},
        {"a click on a text",
         [&](HWND frame, HWND dialog) {
             ClickThroughTheScreen(frame, dialog, 167 + 80, 40 + 30, &clicked);
         }},
        {"Escape", [&](HWND frame, HWND dialog) {
             clicked = dialog;
             PostEscape(frame, dialog);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND dialogSeen = nullptr;
        clicked = nullptr;
        BoxCloser boxes;
        const Driver run = RunBox(GetModuleHandleA(nullptr), AboutHostWindow(),
                               {[&](HWND, HWND dialog) { dialogSeen = dialog; }, c.close});
        EXPECT_TRUE(run.seen);
        EXPECT_FALSE(run.forced) << "closed by its own handling";
        EXPECT_EQ(clicked, dialogSeen) << "the click reached the dialog";
        EXPECT_FALSE(run.hostEnabledWhileUp) << "the host is disabled while the box is up";
        EXPECT_TRUE(IsWindowEnabled(AboutHostWindow())) << "and enabled after";
        EXPECT_EQ(FindFilterFrame(), nullptr);
        EXPECT_TRUE(boxes.Boxes().empty());
    }
}

TEST(AboutBoxPlacement, WithoutAHostItIsCentredOnTheScreen) {
    RECT frame = {};
    const Driver run = RunBox(GetModuleHandleA(nullptr), nullptr,
                           {[&](HWND f, HWND) { GetWindowRect(f, &frame); }, Close});
    EXPECT_TRUE(run.seen);
    EXPECT_FALSE(run.forced);
    RECT screen;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    EXPECT_EQ(frame.left, screen.left + (screen.right - screen.left - kWidth) / 2);
    EXPECT_EQ(frame.top, screen.top + (screen.bottom - screen.top - kHeight) / 2);
    EXPECT_GT(frame.left, 0);
    EXPECT_GT(frame.top, 0);
}

// On a screen of 256 colours or fewer the 8-bit cover is drawn with its own colour table: a
// dither meant for 24-bit images would read its indices as colours and show only cube colours.
TEST(AboutBoxLowColor, TheCoverKeepsItsOwnColours) {
    std::unique_ptr<TDib> cover = TDib::FromResource(GetModuleHandleA(nullptr), "COVER");
    ASSERT_TRUE(cover);
    CoverCheck check;
    SetScreenColorCountForTests(256);
    const Driver run = RunBox(GetModuleHandleA(nullptr), AboutHostWindow(),
                           {[&](HWND, HWND dialog) { check = CheckCover(dialog, *cover); }, Close});
    SetScreenColorCountForTests(0);
    EXPECT_TRUE(run.seen);
    EXPECT_GT(check.offCube, check.checked / 2) << "the check tells its own colours from a dither's";
    EXPECT_EQ(check.wrong, 0);
}

// Statics and fonts are made in this order: the three statics, then the title, text and small
// fonts. Whichever cannot be made, the box says so once and does not open.
TEST(AboutBoxFailures, StaticsOrFontsThatCannotBeMadeStopTheBox) {
    const struct {
        int made;
        const char* failing;
    } cases[] = {{0, "the name's static"}, {2, "the product's static"}, {3, "the title font"},
                 {4, "the text font"},     {5, "the small font"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        LimitAboutAllocationsForTests(c.made);
        BoxCloser boxes;
        const Driver run = RunBox(GetModuleHandleA(nullptr), AboutHostWindow(), {Close});
        LimitAboutAllocationsForTests(-1);
        EXPECT_FALSE(run.seen) << "the box does not run";
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "メモリが足りません。");
        EXPECT_EQ(boxes.Boxes()[0].caption, "Zolvane");
        EXPECT_TRUE(IsWindowEnabled(AboutHostWindow()));
    }
    BoxCloser boxes;
    const Driver run = RunBox(GetModuleHandleA(nullptr), AboutHostWindow(), {Close});
    EXPECT_TRUE(run.seen) << "with every allocation made it runs";
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(AboutBoxScreenshot, SavesEveryPluginsBox) {
    for (int p = 0; p < 5; ++p) {
        PluginCopy plugin(kTestPluginNames[p]);
        ASSERT_TRUE(plugin.Loaded());
        std::string name = std::string("about-box-") + kNames[p];
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        BoxCloser boxes;
        const Driver run = RunBox(plugin.Module(), AboutHostWindow(),
                               {[&](HWND, HWND) { SaveScreenshot(FindFilterFrame(), name.c_str()); }, Close});
        EXPECT_TRUE(run.seen);
        EXPECT_TRUE(FileExists(std::string(ZO_SCREENSHOT_DIR) + "/" + name + ".bmp"));
        EXPECT_TRUE(boxes.Boxes().empty());
    }
}
