// The size list's names and where its walk stops, and the ground list's triples.
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

TEST(GroundList, TriplesAndWhereTheListEnds) {
    const struct {
        const char* name;
        const char* text;
        std::vector<std::string> fields;  // resource|short|description per entry
    } cases[] = {
        {"two whole entries", "PAPER1,紙(滑),滑らかな紙,WOOD1,木,木板",
         {"PAPER1|紙(滑)|滑らかな紙", "WOOD1|木|木板"}},
        {"a last description followed by a comma", "A,a,x,", {"A|a|x"}},
        {"a resource name without a comma ends the list", "A,a,x,B", {"A|a|x"}},
        {"a short name without a comma ends the list", "A,a,x,B,b", {"A|a|x"}},
        {"an empty text", "", {}},
    };
    for (const auto& c : cases) {
        GroundEntry entries[kMaxGroundEntries];
        const int count = ParseGroundList(c.text, entries, kMaxGroundEntries);
        std::vector<std::string> fields;
        for (int i = 0; i < count; ++i)
            fields.push_back(std::string(entries[i].resource) + "|" + entries[i].shortName + "|" +
                             entries[i].description);
        EXPECT_EQ(fields, c.fields) << c.name;
    }
}

TEST(GroundList, FieldsAreCutWithinTheirSizeAndAtMostFiftyEntriesAreRead) {
    std::string text = std::string(30, 'R') + "," + std::string(100, 's') + ",d,";
    for (int i = 0; i < 60; ++i) text += "N,n,d,";
    GroundEntry entries[kMaxGroundEntries];
    EXPECT_EQ(ParseGroundList(text.c_str(), entries, kMaxGroundEntries), 50);
    EXPECT_EQ(std::string(entries[0].resource), std::string(19, 'R'));
    EXPECT_EQ(std::string(entries[0].shortName), std::string(79, 's'));
}
