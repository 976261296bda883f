// The removal program's dialog-font entry: which of the thirteen numbers are taken, into which
// named field, and the defaults that stay.
#include <gtest/gtest.h>

#include <string>

#include "remover/font_description.h"
#include "remover/remover_texts.h"
#include "remover/string_loader.h"
#include "tests/support/remover/fake_seams.h"

namespace {

// The thirteen numbers in entry order, as the parser stored them.
std::vector<int> Numbers(const FontDescription& f) {
    return {f.height,         f.width,         f.escapement, f.orientation, f.weight,
            f.pitchAndFamily, f.italic,        f.underline,  f.strikeOut,   f.charSet,
            f.outPrecision,   f.clipPrecision, f.quality};
}

const std::vector<int> kDefaults = {-15, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2};

TEST(ZoclearFont, EntriesFillTheFieldsTheyName) {
    struct Case {
        const char* name;
        const char* entry;
        const char* face;
        std::vector<int> numbers;
    } cases[] = {
        {"the program's own entry", "ＭＳ ゴシック,-16,0,0,0,400,34,0,0,0,128,2,0,2", "ＭＳ ゴシック",
         {-16, 0, 0, 0, 400, 34, 0, 0, 0, 128, 2, 0, 2}},
        {"every field distinct, pitch and family sixth", "F,1,2,3,4,5,6,7,8,9,10,11,12,13", "F",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {"no comma: every default", "Arial", "Arial", kDefaults},
        {"empty entry", "", "Arial", kDefaults},
        {"one number without a comma after it is not taken", "Arial,-20", "Arial", kDefaults},
        {"a number with a comma after it is taken", "Arial,-20,", "Arial",
         {-20, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"the last of fewer numbers keeps its default", "Arial,-20,5,6", "Arial",
         {-20, 5, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"quality is taken at the end of the text", "X,1,2,3,4,5,6,7,8,9,10,11,12,99", "X",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 99}},
        {"an empty quality at the end is none", "X,1,2,3,4,5,6,7,8,9,10,11,12,", "X",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 2}},
        {"numbers read like atoi", "X, -7x,+3,abc,,", "X",
         {-7, 3, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"byte fields keep their low byte", "X,0,0,0,0,0,300,-1,0,0,384,2,0,2", "X",
         {0, 0, 0, 0, 0, 44, 255, 0, 0, 128, 2, 0, 2}},
        {"an overlong number saturates", "X,99999999999,-99999999999,", "X",
         {2147483647, -2147483647 - 1, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"an empty face", ",-12,", "", {-12, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FontDescription font = ParseFontDescription(c.entry);
        EXPECT_STREQ(font.face, c.face);
        EXPECT_EQ(Numbers(font), c.numbers);
    }
}

TEST(ZoclearFont, LongFacesAreCutOnACharacterBoundary) {
    struct Case {
        std::string face;
        std::string kept;
    } cases[] = {
        {std::string(39, 'a'), std::string(39, 'a')},
        {std::string(45, 'a'), std::string(39, 'a')},
        // 38 single bytes, then "ゴ" (two bytes) would end one byte past the room.
        {std::string(38, 'a') + "ゴシ", std::string(38, 'a')},
        {std::string(37, 'a') + "ゴシ", std::string(37, 'a') + "ゴ"},
    };
    for (const Case& c : cases) {
        const FontDescription font = ParseFontDescription((c.face + ",-12,").c_str());
        EXPECT_EQ(std::string(font.face), c.kept) << c.face.size();
        EXPECT_EQ(font.height, -12);
    }
}

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
