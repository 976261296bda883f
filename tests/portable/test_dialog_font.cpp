// Font entries of the string table as the plug-ins' dialogs and the removal program read them,
// and the defaults that a parse starts from.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/dialog_font.h"

namespace {

// The thirteen numbers in entry order, the last eight as the bytes the parser keeps.
using Numbers = std::array<int, 13>;

struct Case {
    const char* name;
    std::optional<std::string> entry;  // none: no entry at all
    std::string face;
    Numbers numbers;
};

constexpr Numbers kDefaults = {-15, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2};

std::vector<Case> Cases() {
    const std::string kGothic = "ＭＳ ゴシック";
    return {
        {"the title font", "ＭＳ ゴシック,-15,0,0,0,700,34,0,0,0,128,2,0,2", kGothic,
         {-15, 0, 0, 0, 700, 34, 0, 0, 0, 128, 2, 0, 2}},
        {"the removal program's font", "ＭＳ ゴシック,-16,0,0,0,400,34,0,0,0,128,2,0,2",
         kGothic, {-16, 0, 0, 0, 400, 34, 0, 0, 0, 128, 2, 0, 2}},
        {"the credit font", "Arial,-11,0,0,0,400,34,0,0,0,0,2,0,2", "Arial",
         {-11, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        // Every field distinct: pitch and family is sixth in the entry, not last.
        {"each field in its place", "F,1,2,3,4,5,6,7,8,9,10,11,12,13", "F",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {"quality followed by a comma", "F,1,2,3,4,5,6,7,8,9,10,11,12,13,", "F",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {"an empty quality at the end is none", "X,1,2,3,4,5,6,7,8,9,10,11,12,", "X",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 2}},
        {"a single number without a comma after it", "Arial,-20", "Arial", kDefaults},
        {"a number with a comma after it is taken", "Arial,-20,", "Arial",
         {-20, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"the last of fewer numbers keeps its default", "Courier,-9,3,7", "Courier",
         {-9, 3, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"no comma at all", "Times", "Arial", kDefaults},
        {"an empty text", "", "Arial", kDefaults},
        {"no entry", std::nullopt, "Arial", kDefaults},
        {"an empty face", ",-12,", "", {-12, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"numbers read like atoi", "X, -7x,+3,abc,,", "X",
         {-7, 3, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"byte fields keep their low byte", "X,0,0,0,0,0,300,-1,0,0,384,2,0,2", "X",
         {0, 0, 0, 0, 0, 44, 255, 0, 0, 128, 2, 0, 2}},
        {"an overlong number saturates", "X,99999999999,-99999999999,", "X",
         {2147483647, -2147483647 - 1, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"the face is cut to 39 bytes", std::string(45, 'A') + ",-13,",
         std::string(39, 'A'), {-13, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        // 38 single bytes and "ゴ" (two bytes) would end one byte past the room.
        {"never half a character", std::string(38, 'B') + "ゴシ,-13,",
         std::string(38, 'B'), {-13, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
        {"a character that just fits", std::string(37, 'B') + "ゴシ,-13,",
         std::string(37, 'B') + "ゴ", {-13, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2}},
    };
}

TEST(DialogFont, EntriesFillTheNamedFields) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        DialogFontEntry f;
        f.height = 99;  // the parse starts from the defaults, not from what was there
        f.quality = 77;
        ParseDialogFont(c.entry ? c.entry->c_str() : nullptr, &f);
        const Numbers numbers = {f.height,    f.width,   f.escapement,   f.orientation,
                                 f.weight,    f.pitchAndFamily, f.italic, f.underline,
                                 f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision,
                                 f.quality};
        EXPECT_EQ(std::string(f.face), c.face);
        EXPECT_EQ(numbers, c.numbers);
    }
}

}  // namespace
