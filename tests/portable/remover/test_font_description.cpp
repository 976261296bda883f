// The removal program's dialog-font entry: the cases its copy of the parser shares with the
// plug-ins' dialogs, and the program's own entry.
#include <gtest/gtest.h>

#include "remover/font_description.h"
#include "remover/remover_texts.h"
#include "remover/string_loader.h"
#include "tests/support/font_entry_cases.h"
#include "tests/support/remover/fake_seams.h"

namespace {

font_entry::Parsed Parse(const char* entry) {
    const FontDescription f = ParseFontDescription(entry);
    return {f.face,
            {f.height, f.width, f.escapement, f.orientation, f.weight, f.pitchAndFamily, f.italic,
             f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision, f.quality}};
}

// The same cases as the plug-ins' dialogs: the program carries its own copy of the parser.
TEST(ZoclearFont, EntriesFillTheFieldsTheyName) { font_entry::ExpectEveryCase(Parse); }

TEST(ZoclearFont, TheStringTableEntryIsTheProgramsFont) {
    const StringLoader strings(ZoclearStrings());
    const FontDescription font =
        ParseFontDescription(strings.Load(zoclear_text::kDialogFont).c_str());
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
