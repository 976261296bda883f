// Font entries of the string table as the plug-ins' dialogs read them: the shared table of
// cases that the removal program's copy of the parser must read alike, and the defaults that a
// parse starts from.
#include <gtest/gtest.h>

#include "dialogs/dialog_font.h"
#include "tests/support/font_entry_cases.h"

namespace {

font_entry::Parsed Parse(const char* entry) {
    DialogFontEntry f;
    f.height = 99;  // the parse starts from the defaults, not from what was there
    f.quality = 77;
    ParseDialogFont(entry, &f);
    return {f.face,
            {f.height, f.width, f.escapement, f.orientation, f.weight, f.pitchAndFamily, f.italic,
             f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision, f.quality}};
}

}  // namespace

TEST(DialogFont, EntriesFillTheNamedFields) { font_entry::ExpectEveryCase(Parse); }
