// The removal program's dialog-font entry, read by the parser it shares with the plug-ins'
// dialogs (whose cases are in test_dialog_font.cpp).
#include <gtest/gtest.h>

#include "dialogs/dialog_font.h"
#include "remover/remover_texts.h"
#include "remover/string_loader.h"
#include "tests/support/remover/fake_seams.h"

namespace {

TEST(ZoclearFont, TheStringTableEntryIsTheProgramsFont) {
    const StringLoader strings(ZoclearStrings());
    DialogFontEntry font;
    ParseDialogFont(strings.Load(zoclear_text::kDialogFont).c_str(), &font);
    EXPECT_STREQ(font.face, "ＭＳ ゴシック");
    EXPECT_EQ(font.height, -16);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.pitchAndFamily, 34);
    EXPECT_EQ(font.charSet, 128);
    EXPECT_EQ(font.outPrecision, 2);
    EXPECT_EQ(font.clipPrecision, 0);
    EXPECT_EQ(font.quality, 2);
}

}  // namespace
