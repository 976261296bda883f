// ZoclearDialog made in the test's own process over the program's template and string table
// (Wine answers WM_GETFONT only within a process): all eight controls carry the control font,
// made from the dialog font's entry 900.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/module.h"
#include "remover/win32/zoclear_dialog.h"

namespace {

TEST(ZoclearFont, EveryControlOfTheDialogCarriesTheEntrysFont) {
    HMODULE program = LoadLibraryExA(ZO_ZOCLEAR_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const HINSTANCE previous = framework::Module();
    framework::SetModule(program);
    {
        // Destroyed before any message is dispatched: the start-up checks that the set-up
        // posts never run here.
        ZoclearDialog dialog;
        ASSERT_TRUE(dialog.Create(nullptr, false));
        int controls = 0;
        HFONT shared = nullptr;
        for (HWND child = GetWindow(dialog.GetHandle(), GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT), ++controls) {
            SCOPED_TRACE("control " + std::to_string(controls));
            const auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
            ASSERT_NE(font, nullptr);
            if (shared == nullptr) shared = font;
            EXPECT_EQ(font, shared) << "one font for all eight";
        }
        EXPECT_EQ(controls, 8);
        LOGFONTA font = {};
        ASSERT_EQ(GetObjectA(shared, sizeof font, &font), static_cast<int>(sizeof font));
        EXPECT_STREQ(font.lfFaceName, "ＭＳ ゴシック");
        EXPECT_EQ(font.lfHeight, -16);
        EXPECT_EQ(font.lfWidth, 0);
        EXPECT_EQ(font.lfWeight, 400);
        EXPECT_EQ(font.lfPitchAndFamily, 34) << "pitch and family, sixth in the entry";
        EXPECT_EQ(font.lfCharSet, 128);
        EXPECT_EQ(font.lfOutPrecision, 2);
        EXPECT_EQ(font.lfClipPrecision, 0);
        EXPECT_EQ(font.lfQuality, 2);
    }
    framework::SetModule(previous);
    FreeLibrary(program);
}

}  // namespace
