// The ground list's one tokenizer: its triples, where it ends, how its fields are cut, and the
// line an index stands for, which both the ground loader and the ground dialog use.
#include "plugin/ground_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/plugin_module.h"
#include "tests/support/test_module.h"

namespace {

std::vector<std::string> Fields(const GroundEntry* entries, int count) {
    std::vector<std::string> fields;
    for (int i = 0; i < count; ++i)
        fields.push_back(std::string(entries[i].resource) + "|" + entries[i].shortName + "|" +
                         entries[i].description);
    return fields;
}

}  // namespace

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
        {"empty fields are fields", ",,,B,b,", {"||", "B|b|"}},
        {"an empty text", "", {}},
    };
    for (const auto& c : cases) {
        GroundEntry entries[kMaxGroundEntries];
        const int count = ParseGroundList(c.text, entries, kMaxGroundEntries);
        EXPECT_EQ(Fields(entries, count), c.fields) << c.name;
    }
    GroundEntry entry;
    EXPECT_EQ(ParseGroundList(nullptr, &entry, 1), 0);
}

TEST(GroundList, FieldsAreCutWithinTheirSizeAndAtMostFiftyEntriesAreRead) {
    std::string text = std::string(30, 'R') + "," + std::string(100, 's') + ",d,";
    for (int i = 0; i < 60; ++i) text += "N,n,d,";
    GroundEntry entries[kMaxGroundEntries];
    EXPECT_EQ(ParseGroundList(text.c_str(), entries, kMaxGroundEntries), 50);
    EXPECT_EQ(std::string(entries[0].resource), std::string(19, 'R'));
    EXPECT_EQ(std::string(entries[0].shortName), std::string(79, 's'));
}

TEST(GroundList, ACutNeverSplitsADoubleByteCharacter) {
    // 18 single bytes and "紙" make a 20-byte name: the 19 bytes kept would end inside 紙.
    // 39 × "紙" and a last one make 80 bytes of short name: the 79 kept end inside the last.
    std::string longName;
    for (int i = 0; i < 40; ++i) longName += "紙";
    const std::string text = std::string(18, 'R') + "紙," + longName + ",木板";
    GroundEntry entry;
    ASSERT_EQ(ParseGroundList(text.c_str(), &entry, 1), 1);
    EXPECT_EQ(std::string(entry.resource), std::string(18, 'R'));
    EXPECT_EQ(std::string(entry.shortName), longName.substr(0, 78));
    EXPECT_STREQ(entry.description, "木板");
}

TEST(GroundList, AnIndexStandsForALineOfTheList) {
    const struct {
        int groundIndex, lineCount, line;
    } cases[] = {
        {3, 10, 3}, {0, 10, 0}, {9, 10, 9},
        {-5, 10, 0},   // below the list: the first ground
        {12, 10, 9},   // above it: the last of the ten
        {12, 50, 9},   // a longer list still names only ten grounds
        {5, 3, 2},     // a shorter list: its last line
        {-1, 0, 0},
        {4, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GroundLine(c.groundIndex, c.lineCount), c.line)
            << c.groundIndex << " of " << c.lineCount;
}

TEST(GroundList, ThePlugInsListHasTenGroundsInItsOwnOrder) {
    const platform::ModuleHandle saved = PluginModule();
    SetPluginModule(TestModule());
    GroundList list;
    LoadGroundList(&list);
    SetPluginModule(saved);
    const std::vector<std::string> expected = {
        "PAPER1|紙(滑)|滑らかな紙",       "PAPER2|紙(中)|やや粗い紙",
        "PAPER3|紙(粗)|粗い紙",           "PAPER4|和紙|手漉きの紙",
        "CANVAS1|ｷｬﾝﾊﾞｽ(細)|細目のキャンバス", "CANVAS2|ｷｬﾝﾊﾞｽ(中)|中目のキャンバス",
        "CANVAS3|ｷｬﾝﾊﾞｽ(生)|生のキャンバス",   "STUCCO1|漆喰|石膏",
        "SAND1|砂|砂入り石膏",            "WOOD1|木|木板"};
    EXPECT_EQ(Fields(list.entries, list.count), expected);
}
