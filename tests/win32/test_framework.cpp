// The framework and the dialog base in this program (which carries the plug-in resources): a
// modal dialog's OK and Cancel endings, TDib through a device bitmap and back, font copies,
// image panes with and without their dithered copies, and the bevel.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "dialogs/win32/fix_dialog.h"
#include "dialogs/win32/screen_colors.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/dib_bitmap.h"
#include "framework/gdi_objects.h"
#include "tests/support/pictures.h"

namespace {

class CountingDialog : public framework::TDialog {
public:
    CountingDialog() : TDialog(nullptr, "ZO") {}
    bool CanClose() override {
        ++asked;
        return agree;
    }
    int asked = 0;
    bool agree = true;
};

// The posted commands, one per tick, to the modal dialog of this thread.
std::vector<int> pending;

BOOL CALLBACK PostNext(HWND window, LPARAM) {
    char className[16];
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || pending.empty()) return TRUE;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(pending.front(), BN_CLICKED), 0);
    pending.erase(pending.begin());
    return FALSE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), PostNext, 0);
}

class PaneDialog : public FixDialog {
public:
    PaneDialog() : FixDialog(nullptr, "ZO", 0, 0, 100, 100) {}
};

}  // namespace

TEST(Framework, OkAsksTheCanCloseQueryAndCancelDoesNot) {
    const struct {
        const char* name;
        std::vector<int> commands;
        bool agree;
        INT_PTR result;
        int asked;
    } cases[] = {
        {"OK, agreed", {IDOK}, true, IDOK, 1},
        {"OK refused, then Cancel", {IDOK, IDCANCEL}, false, IDCANCEL, 1},
        {"Cancel", {IDCANCEL}, true, IDCANCEL, 0},
    };
    for (const auto& c : cases) {
        CountingDialog dialog;
        dialog.agree = c.agree;
        pending = c.commands;
        const UINT_PTR timer = SetTimer(nullptr, 0, 30, Tick);
        EXPECT_EQ(dialog.Execute(), c.result) << c.name;
        KillTimer(nullptr, timer);
        EXPECT_EQ(dialog.asked, c.asked) << c.name;
        EXPECT_FALSE(dialog.IsWindow()) << c.name;
    }
}

TEST(Framework, ADibGoesThroughADeviceBitmapUnchanged) {
    auto dib = test_pictures::Gradient(5, 3);
    framework::TScreenDC screen;
    HBITMAP bitmap = framework::BitmapFromDib(screen.GetHDC(), *dib);
    ASSERT_NE(bitmap, nullptr);
    auto back = framework::DibFromBitmap(screen.GetHDC(), bitmap);
    DeleteObject(bitmap);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Width(), 5);
    ASSERT_EQ(back->Height(), 3);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(std::memcmp(back->Row(y), dib->Row(y), 15), 0) << "row " << y << ", storage order kept";
}

TEST(Framework, AFontCopyIsANewFontOfTheSameDescription) {
    LOGFONTA description = {};
    description.lfHeight = -13;
    description.lfWeight = 700;
    description.lfCharSet = 128;
    lstrcpyA(description.lfFaceName, "Arial");
    framework::TFont font(description);
    framework::TFont copy(font);
    ASSERT_TRUE(font.IsValid());
    ASSERT_TRUE(copy.IsValid());
    EXPECT_NE(copy.GetHandle(), font.GetHandle());
    LOGFONTA read = {};
    GetObjectA(copy.GetHandle(), sizeof read, &read);
    EXPECT_EQ(read.lfHeight, -13);
    EXPECT_EQ(read.lfWeight, 700);
    EXPECT_EQ(read.lfCharSet, 128);
}

TEST(FixDialogPanes, CopiesOnPaletteScreensAreReusedAndOnlyFor24BitImages) {
    SetScreenColorCountForTests(256);
    PaneDialog dialog;
    SetScreenColorCountForTests(0);
    auto first = test_pictures::Flat(20, 10, 1, 2, 3);
    auto sameSize = test_pictures::Flat(20, 10, 4, 5, 6);
    auto other = test_pictures::Flat(8, 8, 4, 5, 6);
    auto indexed = TDib::Create8(20, 10);

    dialog.SetPaneImage(7, first.get(), 5, 6, -3);
    EXPECT_EQ(dialog.PaneCount(), 8) << "panes 0 to 6 stay unshown";
    const Display256* copy = dialog.PaneAt(7).copy.get();
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(dialog.PaneAt(7).shown);
    EXPECT_EQ(dialog.PaneAt(7).rect.right, 25);
    EXPECT_EQ(dialog.PaneAt(7).rect.bottom, 16);

    dialog.SetPaneImage(7, sameSize.get(), 5, 6, -3);
    EXPECT_EQ(dialog.PaneAt(7).copy.get(), copy) << "the copy is reused, not leaked";
    dialog.SetPaneImage(7, other.get(), 5, 6, -3);
    ASSERT_NE(dialog.PaneAt(7).copy, nullptr);
    EXPECT_EQ(dialog.PaneAt(7).copy->Width(), 8) << "remade for another size";
    dialog.SetPaneImage(7, indexed.get(), 5, 6, -3);
    EXPECT_EQ(dialog.PaneAt(7).copy, nullptr) << "an 8-bit image is drawn as it is";

    dialog.SetPaneImage(50, first.get(), 0, 0, 0);
    dialog.SetPaneImage(3, nullptr, 0, 0, 0);
    EXPECT_EQ(dialog.PaneCount(), 8) << "index 50 and a null image are ignored";

    PaneDialog fullColor;
    fullColor.SetPaneImage(0, first.get(), 0, 0, 0);
    EXPECT_EQ(fullColor.PaneAt(0).copy, nullptr) << "no copy on a full-colour screen";
}

TEST(FixDialogPanes, ASunkenBevelLiesOutsideItsRectangle) {
    PaneDialog dialog;
    framework::TScreenDC screen;
    framework::TMemoryDC memory(screen.GetHDC());
    HBITMAP bitmap = CreateCompatibleBitmap(screen.GetHDC(), 230, 230);
    HGDIOBJ previous = SelectObject(memory.GetHDC(), bitmap);
    PatBlt(memory.GetHDC(), 0, 0, 230, 230, WHITENESS);
    const RECT rect = {15, 15, 215, 215};
    dialog.DrawFrame(memory.GetHDC(), rect, -5, false, true);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const struct {
        int x, y;
        COLORREF expected;
    } cases[] = {{14, 100, dark},   {10, 100, dark},  {100, 10, dark},  {9, 100, RGB(255, 255, 255)},
                 {215, 100, light}, {219, 100, light}, {100, 219, light}, {220, 100, RGB(255, 255, 255)},
                 {15, 100, RGB(255, 255, 255)}};
    for (const auto& c : cases)
        EXPECT_EQ(GetPixel(memory.GetHDC(), c.x, c.y), c.expected) << c.x << "," << c.y;
    SelectObject(memory.GetHDC(), previous);
    DeleteObject(bitmap);
}
