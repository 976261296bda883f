// The cases of a font entry of the string table that both of its parsers must read alike: the
// plug-ins' dialogs and the removal program each carry one, and each test runs this table
// against its own, so the two cannot drift apart.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace font_entry {

// The thirteen numbers in entry order, the last eight as the bytes the parser keeps.
using Numbers = std::array<int, 13>;

// What a parser made of an entry.
struct Parsed {
    std::string face;
    Numbers numbers;
};

struct Case {
    const char* name;
    std::optional<std::string> entry;  // none: no entry at all
    std::string face;
    Numbers numbers;
};

constexpr Numbers kDefaults = {-15, 0, 0, 0, 400, 34, 0, 0, 0, 0, 2, 0, 2};

inline std::vector<Case> Cases() {
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

// Runs every case through `parse` (const char* entry -> Parsed).
template <typename Parse>
void ExpectEveryCase(Parse parse) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        const Parsed parsed = parse(c.entry ? c.entry->c_str() : nullptr);
        EXPECT_EQ(parsed.face, c.face);
        EXPECT_EQ(parsed.numbers, c.numbers);
    }
}

}  // namespace font_entry
