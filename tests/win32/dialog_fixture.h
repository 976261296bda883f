// The fixture of the dialog tests: a fresh copy of a test plug-in, its settings file written
// by the test, and its filter call run on a host picture under the dialog driver; the pixels of
// the preview's ground margin; and the steps that wait for the dialogs it opens, act on them
// and end them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "tests/win32/dialog_probe.h"
#include "tests/win32/win32_test_support.h"

struct DialogFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(plugin.Loaded());
        SetDialogMode("");
        TakeDialogReport();
    }
    // The settings file's seven fields: size, the five levels, the ground.
    void WriteSettings(std::initializer_list<int16_t> values) {
        int16_t fields[7] = {};
        int i = 0;
        for (int16_t v : values) fields[i++] = v;
        WriteFileBytes(plugin.DatPath(), SettingsBytes(fields));
    }
    int Run(std::vector<uint8_t>* picture) {
        return plugin.filterProc(TestHostWindow(), picture->data(), 0, 0);
    }
    PluginCopy plugin;
};

// Pixels of the preview's ground margin above a 100 × 80 picture, on a coarse grid: a rebuilt
// preview shows the ground's new noise there.
inline std::vector<COLORREF> PreviewMargin(HWND filterDialog) {
    return PixelGrid(filterDialog, kGroundMarginX, kGroundMarginY, 213, 70, 4);
}

// A step that waits for the dialog `find` finds (FindGroundDialog, FindScreenDialog), then runs
// `act` on it once.
inline void WithDialog(HWND (*find)(), std::function<void(HWND dialog)> act) {
    AddDialogStepUntil([find, act](HWND) {
        HWND dialog = find();
        if (dialog == nullptr) return false;
        act(dialog);
        return true;
    });
}

// A step that waits until the dialog `find` finds has gone.
inline void UntilGone(HWND (*find)()) {
    AddDialogStepUntil([find](HWND) { return find() == nullptr; });
}

// A way to end a dialog without its choice: its Cancel button, or the Escape key.
struct CancelOrEscape {
    const char* name;
    bool escape;
};

// Ends `dialog` with its Cancel button, or with `escape` the Escape key on `focused`, the
// control that should have the focus. Without the focus the Escape would go nowhere: Cancel
// then, and the test fails.
inline void PostCancelOrEscape(HWND dialog, bool escape, const char* focused) {
    const bool escaped = escape && PostEscapeToFocus(dialog);
    if (!escaped) PostClick(dialog, IDCANCEL);
    if (escape) {
        EXPECT_TRUE(escaped) << focused << " has the focus";
    }
}
