// The framework's progress gauge, on a dialog over the removal program's empty template: the
// value held to the range, the text through the format, and a repaint only on a change.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/dialog.h"
#include "framework/gauge.h"

namespace {

class GaugeDialog : public framework::TDialog {
public:
    explicit GaugeDialog(HINSTANCE templates) : TDialog(nullptr, "ZOCLEAR", templates) {}
    framework::TGauge gauge{this, "%d%%", 101, 0, 0, 320, 20, 0};
};

std::string TextOf(HWND window) {
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool NeedsPaint(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != 0; }

TEST(Gauge, HoldsItsValueToTheRangeAndRepaintsOnlyOnAChange) {
    HMODULE program = LoadLibraryExA(ZO_ZOCLEAR_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    GaugeDialog dialog(program);
    ASSERT_TRUE(dialog.Create(nullptr, false));
    ShowWindow(dialog.GetHandle(), SW_SHOWNOACTIVATE);  // only a shown window has paint to do
    HWND gauge = dialog.gauge.GetHandle();
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(TextOf(gauge), "0%");

    struct Case {
        int value;
        int shown;
    } cases[] = {{50, 50}, {100, 100}, {150, 100}, {-5, 0}, {33, 33}};
    for (const Case& c : cases) {
        dialog.gauge.SetValue(c.value);
        EXPECT_EQ(dialog.gauge.GetValue(), c.shown) << c.value;
        EXPECT_EQ(TextOf(gauge), std::to_string(c.shown) + "%") << c.value;
    }

    // What the display still has to expose is set aside. No message is handled from here to
    // the checks, so only the gauge's own changes can ask for paint.
    ValidateRect(gauge, nullptr);
    ASSERT_FALSE(NeedsPaint(gauge));
    dialog.gauge.SetValue(33);
    EXPECT_FALSE(NeedsPaint(gauge)) << "the same value paints nothing";
    dialog.gauge.SetValue(34);
    EXPECT_TRUE(NeedsPaint(gauge));

    dialog.gauge.SetRange(0, 200);
    dialog.gauge.SetValue(150);
    EXPECT_EQ(TextOf(gauge), "150%");
    dialog.gauge.SetRange(10, 20);
    EXPECT_EQ(dialog.gauge.GetValue(), 20) << "a new range holds the value too";
    dialog.gauge.SetRange(5, 5);
    EXPECT_EQ(dialog.gauge.GetValue(), 20) << "an empty range is refused";

    DestroyWindow(dialog.GetHandle());
    FreeLibrary(program);
}

}  // namespace
