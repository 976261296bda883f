// The size list's names and where its walk stops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/list_entries.h"

namespace {

constexpr char kSizeList[] =
    "ﾏｽﾀ-,0,0,ｽｸﾘ-ﾝ,0,0,B3,364,515,A3,297,420,B4,257,364,A4,210,297,B5,182,257,A5,148,210,"
    "B6,128,182,ハガキ,105,148,名刺,55,91,[設定],0,0";

std::vector<std::string> Names(const SizeListNames& list) {
    return std::vector<std::string>(list.names, list.names + list.count);
}

}  // namespace

TEST(SizeList, NamesAndTheIndexOfTheSettingsEntry) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> names;
        int lastIndex;
    } cases[] = {
        {"the product's list", kSizeList,
         {"ﾏｽﾀ-", "ｽｸﾘ-ﾝ", "B3", "A3", "B4", "A4", "B5", "A5", "B6", "ハガキ", "名刺", "[設定]"}, 11},
        // A trailing comma counts one more triple: no entry is then the last index.
        {"a trailing comma", std::string(kSizeList) + ",", {"ﾏｽﾀ-", "ｽｸﾘ-ﾝ", "B3", "A3", "B4", "A4",
          "B5", "A5", "B6", "ハガキ", "名刺", "[設定]"}, 12},
        {"one name without sizes", "Only", {}, 0},
        {"a name and a width", "A,1", {"A"}, 0},
        {"a name, width and height", "A,1,2", {"A"}, 0},
        {"an empty text", "", {}, 0},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        SizeListNames list;
        WalkSizeList(text.data(), &list);
        EXPECT_EQ(Names(list), c.names) << c.name;
        EXPECT_EQ(list.lastIndex, c.lastIndex) << c.name;
    }
}

TEST(SizeList, StopsAfterTwentyTriples) {
    std::string text;
    for (int i = 0; i < 25; ++i) text += "P" + std::to_string(i) + ",1,2,";
    SizeListNames list;
    WalkSizeList(text.data(), &list);
    EXPECT_EQ(list.count, 20);
    EXPECT_EQ(list.lastIndex, 20);
    EXPECT_STREQ(list.names[19], "P19");
}
