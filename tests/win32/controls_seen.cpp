// Reading a dialog's controls off the screen.
#include "tests/win32/controls_seen.h"

#include <gtest/gtest.h>

std::vector<ControlSeen> ControlsOf(HWND dialog) {
    std::vector<ControlSeen> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ControlSeen seen;
        char text[256];
        GetClassNameA(child, text, sizeof text);
        seen.className = text;
        seen.id = GetDlgCtrlID(child);
        GetWindowTextA(child, text, sizeof text);
        seen.text = text;
        GetWindowRect(child, &seen.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&seen.rect), 2);
        seen.style = GetWindowLongA(child, GWL_STYLE);
        controls.push_back(seen);
    }
    return controls;
}

void ExpectControls(const std::vector<ControlSeen>& seen,
                    const std::vector<ControlExpected>& expected) {
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        const ControlSeen& c = seen[i];
        const ControlExpected& e = expected[i];
        SCOPED_TRACE("control " + std::to_string(i));
        EXPECT_EQ(lstrcmpiA(c.className.c_str(), e.className), 0) << c.className;
        EXPECT_EQ(c.id, e.id);
        if (e.text != nullptr) {
            EXPECT_EQ(c.text, e.text);
        }
        EXPECT_EQ(c.rect.left, e.x);
        EXPECT_EQ(c.rect.top, e.y);
        EXPECT_EQ(c.rect.right - c.rect.left, e.width);
        if (e.height > 0) {
            EXPECT_EQ(c.rect.bottom - c.rect.top, e.height);
        }
    }
}
