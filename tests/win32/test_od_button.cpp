// The picture button on the test template's two owner-drawn buttons, with bitmaps the test
// program carries (COVER up and PROGRESS down, or the reverse): it takes the up bitmap's size
// at its own position and shows the up bitmap, the down one while BM_SETSTATE holds it or
// while it is pressed (through a group), and the up one again after. Bitmaps that cannot be
// loaded leave the template's size and draw nothing; a bitmap is copied whole to the item
// rectangle's corner.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/od_button_group.h"
#include "dialogs/win32/od_button.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "imaging/dib.h"
#include "tests/win32/dialog_probe.h"

namespace {

class PictureButtonDialog : public framework::TDialog {
public:
    PictureButtonDialog(const char* secondUp, const char* secondDown)
        : TDialog(nullptr, "ODBUTTONS"), first(this, 201, "COVER", "PROGRESS", 10, 10),
          second(this, 202, secondUp, secondDown, 170, 10) {}
    ODButton first, second;

protected:
    // Below the filter dialog's and left of the About box's tests, so that no window of a test
    // program run beside this one lies over the buttons.
    void SetupWindow() override {
        TDialog::SetupWindow();
        SetWindowPos(GetHandle(), nullptr, 0, 510, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
};

// The modal dialog's steps, one per tick, then Cancel. The steps start once the display shows
// the dialog painted (`painted`, when given, says so; a busy machine paints late) and a few
// ticks more, so that the first look finds the buttons drawn.
struct Steps {
    PictureButtonDialog* dialog;
    std::vector<std::function<void()>> steps;
    std::function<bool()> painted;
    size_t next = 0;
    int settling = 4;
    int waitingForPaint = 250;  // ticks, 10 s: then the steps run and show what is there
};
Steps* running = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (running == nullptr || !running->dialog->IsWindow()) return;
    if (running->painted && running->waitingForPaint > 0 && !running->painted()) {
        --running->waitingForPaint;
        return;
    }
    if (running->settling > 0) {
        --running->settling;
        return;
    }
    if (running->next < running->steps.size()) {
        running->steps[running->next++]();
        return;
    }
    PostMessageA(running->dialog->GetHandle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void RunModal(PictureButtonDialog* dialog, std::vector<std::function<void()>> steps,
              std::function<bool()> painted = nullptr) {
    Steps run{dialog, std::move(steps), std::move(painted)};
    running = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, Tick);
    EXPECT_EQ(dialog->Execute(), IDCANCEL);
    KillTimer(nullptr, timer);
    running = nullptr;
}

// Which bitmap the button shows over its first 150 × 170 pixels: "COVER", "PROGRESS" or
// "neither", judged at points every ninth pixel.
std::string Showing(HWND button) {
    static const std::unique_ptr<TDib> cover = TDib::FromResource(GetModuleHandleA(nullptr), "COVER"),
                                       progress = TDib::FromResource(GetModuleHandleA(nullptr), "PROGRESS");
    int coverMatches = 0, progressMatches = 0, points = 0;
    for (int y = 0; y < 170; y += 9)
        for (int x = 0; x < 150; x += 9) {
            const COLORREF seen = PixelAt(button, x, y);
            ++points;
            coverMatches += seen == PaletteColor(*cover, x, y);
            progressMatches += seen == PaletteColor(*progress, x, y);
        }
    if (coverMatches == points && progressMatches < points) return "COVER";
    if (progressMatches == points && coverMatches < points) return "PROGRESS";
    return "neither";
}

RECT ClientRectOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

TEST(ODButton, ShowsTheUpBitmapAndTheDownOneWhileHeldOrPressed) {
    PictureButtonDialog dialog("PROGRESS", "COVER");
    ODButtonGroup group;
    group.Add(201, &dialog.first);
    group.Add(202, &dialog.second);
    std::vector<std::string> first, second;
    RECT placed[2] = {};
    // Each step paints whatever is pending, acts, paints what the action made pending and looks,
    // all without the message loop: a late whole repaint (which shows a held but unpressed
    // button's up bitmap) cannot come between an action and the look at what it drew.
    const auto act = [&](const std::function<void()>& action) {
        return [&dialog, &first, &second, action] {
            RedrawWindow(dialog.GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            action();
            RedrawWindow(dialog.GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            first.push_back(Showing(dialog.first.GetHandle()));
            second.push_back(Showing(dialog.second.GetHandle()));
        };
    };
    RunModal(&dialog, {
        act([&] {
            placed[0] = ClientRectOf(dialog.first.GetHandle());
            placed[1] = ClientRectOf(dialog.second.GetHandle());
        }),
        act([&] { SendMessageA(dialog.first.GetHandle(), BM_SETSTATE, TRUE, 0); }),
        act([&] { SendMessageA(dialog.first.GetHandle(), BM_SETSTATE, FALSE, 0); }),
        act([&] { EXPECT_EQ(group.Press(201), 1); }),
        act([&] { EXPECT_EQ(group.Press(202), 1); }),
        act([&] { group.ReleaseAll(); }),
    }, [&] {
        return Showing(dialog.first.GetHandle()) != "neither" &&
               Showing(dialog.second.GetHandle()) != "neither";
    });
    EXPECT_EQ(placed[0].left, 10);
    EXPECT_EQ(placed[0].top, 10);
    EXPECT_EQ(placed[0].right, 160) << "the up bitmap's width";
    EXPECT_EQ(placed[0].bottom, 180) << "the up bitmap's height";
    EXPECT_EQ(placed[1].left, 170);
    EXPECT_EQ(placed[1].right - placed[1].left, 200) << "PROGRESS is the second button's up bitmap";
    // Steps: at rest, the first held by BM_SETSTATE, let go, the first pressed, the second
    // pressed, all released. The second button's bitmaps are the first's the other way round.
    using Seen = std::vector<std::string>;
    EXPECT_EQ(first, (Seen{"COVER", "PROGRESS", "COVER", "PROGRESS", "COVER", "COVER"}));
    EXPECT_EQ(second, (Seen{"PROGRESS", "PROGRESS", "PROGRESS", "PROGRESS", "COVER", "PROGRESS"}));
}

TEST(ODButton, BitmapsThatCannotBeLoadedLeaveTheTemplatesSizeAndDrawNothing) {
    PictureButtonDialog dialog("NOSUCHUP", "NOSUCHDOWN");
    EXPECT_FALSE(dialog.second.UpBitmap()->IsValid());
    RECT placed = {}, templated = {40, 4, 70, 16};
    RunModal(&dialog, {[&] {
        placed = ClientRectOf(dialog.second.GetHandle());
        MapDialogRect(dialog.GetHandle(), &templated);
    }});
    EXPECT_EQ(placed.left, 170) << "it still moves to its place";
    EXPECT_EQ(placed.top, 10);
    EXPECT_EQ(placed.right - placed.left, templated.right - templated.left);
    EXPECT_EQ(placed.bottom - placed.top, templated.bottom - templated.top);

    // Drawn into a marked memory context: nothing changes, pressed or not.
    framework::TScreenDC screen;
    framework::TMemoryDC memory(screen.GetHDC());
    HBITMAP canvas = CreateCompatibleBitmap(screen.GetHDC(), 40, 20);
    HGDIOBJ previous = SelectObject(memory.GetHDC(), canvas);
    const COLORREF mark = RGB(10, 200, 30);
    framework::TBrush brush(mark);
    RECT all = {0, 0, 40, 20};
    FillRect(memory.GetHDC(), &all, brush.GetHandle());
    DRAWITEMSTRUCT item = {};
    item.hDC = memory.GetHDC();
    item.rcItem = all;
    item.itemState = ODS_SELECTED;
    dialog.second.ODADrawEntire(item);
    dialog.second.ODASelect(item);
    for (const POINT p : {POINT{0, 0}, POINT{20, 10}, POINT{39, 19}})
        EXPECT_EQ(GetPixel(memory.GetHDC(), p.x, p.y), mark) << p.x << "," << p.y;
    SelectObject(memory.GetHDC(), previous);
    DeleteObject(canvas);
}

TEST(ODButton, DrawBitmapCopiesTheWholeBitmapToTheItemsCorner) {
    PictureButtonDialog dialog("PROGRESS", "COVER");
    const std::unique_ptr<TDib> cover = TDib::FromResource(GetModuleHandleA(nullptr), "COVER");
    ASSERT_TRUE(cover);
    framework::TScreenDC screen;
    framework::TMemoryDC memory(screen.GetHDC());
    HBITMAP canvas = CreateCompatibleBitmap(screen.GetHDC(), 160, 180);
    HGDIOBJ previous = SelectObject(memory.GetHDC(), canvas);
    PatBlt(memory.GetHDC(), 0, 0, 160, 180, BLACKNESS);
    DRAWITEMSTRUCT item = {};
    item.hDC = memory.GetHDC();
    item.rcItem = RECT{3, 2, 153, 172};
    dialog.first.DrawBitmap(item, dialog.first.UpBitmap());
    // The corners and edges of the bitmap, the last column and row included.
    const POINT points[] = {{0, 0}, {149, 0}, {0, 169}, {149, 169}, {147, 100}, {75, 168}};
    for (const POINT p : points)
        EXPECT_EQ(GetPixel(memory.GetHDC(), 3 + p.x, 2 + p.y), PaletteColor(*cover, p.x, p.y))
            << p.x << "," << p.y;
    EXPECT_EQ(GetPixel(memory.GetHDC(), 2, 1), RGB(0, 0, 0)) << "nothing outside it";
    EXPECT_EQ(GetPixel(memory.GetHDC(), 153, 172), RGB(0, 0, 0));
    SelectObject(memory.GetHDC(), previous);
    DeleteObject(canvas);
}
