// Font entries of the string table: the thirteen numbers land in their named fields, a number
// counts only when a comma follows it (or it is the thirteenth and ends the text), and the
// defaults hold for whatever is missing.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/dialog_font.h"

namespace {

std::string Fields(const DialogFontEntry& f) {
    return std::string(f.face) + "|" + std::to_string(f.height) + "," + std::to_string(f.width) +
           "," + std::to_string(f.escapement) + "," + std::to_string(f.orientation) + "," +
           std::to_string(f.weight) + "," + std::to_string(f.pitchAndFamily) + "," +
           std::to_string(f.italic) + "," + std::to_string(f.underline) + "," +
           std::to_string(f.strikeOut) + "," + std::to_string(f.charSet) + "," +
           std::to_string(f.outPrecision) + "," + std::to_string(f.clipPrecision) + "," +
           std::to_string(f.quality);
}

}  // namespace

TEST(DialogFont, EntriesFillTheNamedFields) {
    const struct {
        const char* name;
        const char* text;  // nullptr: no entry
        std::string expected;
    } cases[] = {
        {"title font", "ＭＳ ゴシック,-15,0,0,0,700,34,0,0,0,128,2,0,2",
         std::string("ＭＳ ゴシック") + "|-15,0,0,0,700,34,0,0,0,128,2,0,2"},
        {"credit font", "Arial,-11,0,0,0,400,34,0,0,0,0,2,0,2", "Arial|-11,0,0,0,400,34,0,0,0,0,2,0,2"},
        // Every field distinct: pitch and family is sixth in the entry, not last.
        {"each field in its place", "F,1,2,3,4,5,6,7,8,9,10,11,12,13", "F|1,2,3,4,5,6,7,8,9,10,11,12,13"},
        {"quality followed by a comma", "F,1,2,3,4,5,6,7,8,9,10,11,12,13,", "F|1,2,3,4,5,6,7,8,9,10,11,12,13"},
        {"a single number without a comma after it", "Arial,-20", "Arial|-15,0,0,0,400,34,0,0,0,0,2,0,2"},
        {"three numbers, the last without a comma", "Courier,-9,3,7", "Courier|-9,3,0,0,400,34,0,0,0,0,2,0,2"},
        {"no comma at all", "Times", "Arial|-15,0,0,0,400,34,0,0,0,0,2,0,2"},
        {"an empty text", "", "Arial|-15,0,0,0,400,34,0,0,0,0,2,0,2"},
        {"no entry", nullptr, "Arial|-15,0,0,0,400,34,0,0,0,0,2,0,2"},
        {"an empty face", ",-12,", "|-12,0,0,0,400,34,0,0,0,0,2,0,2"},
    };
    for (const auto& c : cases) {
        DialogFontEntry font;
        font.height = 99;  // the parse starts from the defaults, not from what was there
        ParseDialogFont(c.text, &font);
        EXPECT_EQ(Fields(font), c.expected) << c.name;
    }
}

TEST(DialogFont, LongFacesAreCutWithinTheFieldWithoutHalfACharacter) {
    DialogFontEntry font;
    ParseDialogFont((std::string(45, 'A') + ",-13,").c_str(), &font);
    EXPECT_EQ(std::string(font.face), std::string(39, 'A'));
    // 38 single bytes and a double-byte character: the character does not fit in 39 bytes.
    ParseDialogFont((std::string(38, 'B') + "ゴ,-13,").c_str(), &font);
    EXPECT_EQ(std::string(font.face), std::string(38, 'B'));
    EXPECT_EQ(font.height, -13);
}
