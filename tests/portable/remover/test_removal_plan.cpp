// Which files and items removing a part takes away, and when its whole group goes: the sharing
// tests over the listed parts, and the order in which a part's own keys are handled.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "remover/removal_plan.h"

namespace {

using Texts = std::vector<std::string>;

// A part as the records reader makes it: FILE1 .. from `files`, the keys ITEM1 .. from
// `itemKeys` (empty past their end), and ITEMS = `itemCount` (every key given when -1).
InstalledPart Part(const std::string& name, const std::string& group, Texts files,
                   Texts itemKeys = {}, int itemCount = -1) {
    InstalledPart part;
    part.name = name;
    part.group = group;
    part.files = std::move(files);
    const size_t items = itemCount < 0 ? itemKeys.size() : static_cast<size_t>(itemCount);
    for (size_t k = 0; k < std::max(items, part.files.size()); ++k) {
        const std::string title = k < itemKeys.size() ? itemKeys[k] : std::string();
        if (k < items) part.items.push_back(title);
        if (k < part.files.size()) part.fileItems.push_back(title);
    }
    return part;
}

TEST(RemovalPlan, FileSharingLooksAtEveryOtherKey) {
    const std::vector<InstalledPart> listed = {
        Part("A", "G", {"a", "shared", "twice", "x", "twice"}),
        Part("B", "G", {"shared", "b"}),
    };
    struct Case {
        const char* path;
        const char* part;
        size_t key;
        bool shared;
    } cases[] = {
        {"a", "A", 0, false},     {"shared", "A", 1, true}, {"shared", "B", 0, true},
        {"b", "B", 1, false},     {"twice", "A", 2, true},  {"twice", "A", 4, true},
        {"a", "A", 1, true},  // asked for another key of the same part: FILE1 holds it
        {"nowhere", "A", 0, false},
        {"SHARED", "A", 1, true}, {"B.", "B", 0, true},  // as the system resolves them
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsFileShared(listed, c.path, c.part, c.key), c.shared)
            << c.path << " " << c.part << " " << c.key;
}

TEST(RemovalPlan, ItemSharingLooksOnlyAtOtherParts) {
    const std::vector<InstalledPart> listed = {
        Part("A", "G", {}, {"Help", "Mine", "Mine"}),
        Part("B", "G", {}, {"Help"}),
        Part("C", "G", {"c"}, {"Own", "Hidden"}, 1),  // ITEMS=1: ITEM2 is nobody's
    };
    struct Case {
        const char* title;
        const char* part;
        bool shared;
    } cases[] = {
        {"Help", "A", true},
        {"Help", "B", true},
        {"Mine", "A", false},  // listed twice, by one part only
        {"Mine", "B", true},
        {"Other", "B", false},
        {"help ", "A", true},
        {"Own", "A", true},
        {"Hidden", "A", false},  // past C's ITEMS
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsItemShared(listed, c.title, c.part), c.shared) << c.title << " " << c.part;
}

TEST(RemovalPlan, SharedFilesStayAndAPathNamedTwiceGoesAtItsLastKey) {
    struct Case {
        const char* name;
        std::vector<InstalledPart> listed;
        size_t index;
        Texts deletions;
    } cases[] = {
        {"nothing shared", {Part("A", "G", {"a", "b"}), Part("B", "H", {"c"})}, 0, {"a", "b"}},
        {"a path another part lists stays",
         {Part("A", "G", {"a", "common"}), Part("B", "H", {"common"})}, 0, {"a", ""}},
        {"one path under FILE1 and FILE3 goes at FILE3",
         {Part("A", "G", {"p", "q", "p"}), Part("B", "H", {"r"})}, 0, {"", "q", "p"}},
        {"a path named twice and also by another part stays",
         {Part("A", "G", {"p", "p"}), Part("B", "H", {"p"})}, 0, {"", ""}},
        {"empty keys delete nothing", {Part("A", "G", {"", "a", ""})}, 0, {"", "a", ""}},
        {"the second line", {Part("A", "G", {"a"}), Part("B", "G", {"a", "b"})}, 1, {"", "b"}},
        // One section listed on two lines: its keys are its own, whichever line is removed.
        {"a part listed twice", {Part("A", "G", {"p", "p"}), Part("A", "G", {"p", "p"})}, 1,
         {"", "p"}},
        // Another part's spelling of a path is the same file to the system.
        {"a path another part spells in another case stays",
         {Part("A", "G", {"C:\\ZoTrial\\Plugins\\Zop2j.hlp", "a"}),
          Part("B", "H", {"c:\\zotrial\\plugins\\ZOP2J.HLP"})},
         0, {"", "a"}},
        {"a path another part ends with a dot or a blank stays",
         {Part("A", "G", {"C:\\Zo\\a.txt", "C:\\Zo\\b.txt"}),
          Part("B", "H", {"C:\\Zo\\a.txt.", "C:/Zo/b.txt "})},
         0, {"", ""}},
        {"a path the part spells two ways goes at its last key, as spelt there",
         {Part("A", "G", {"C:\\p.dll", "q", "c:\\P.DLL"})}, 0, {"", "q", "c:\\P.DLL"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RemovalPlan plan = PlanRemoval(c.listed, c.index);
        EXPECT_EQ(plan.deletions, c.deletions);
        Texts paths;
        for (const std::string& path : c.deletions)
            if (!path.empty()) paths.push_back(path);
        EXPECT_EQ(plan.DeletedPaths(), paths) << "the file list shows what the removal deletes";
    }
}

TEST(RemovalPlan, TheGroupGoesWholeOnlyWhenNoOtherLineNamesIt) {
    struct Case {
        const char* name;
        std::vector<InstalledPart> listed;
        size_t index;
        bool wholeGroup;
        Texts items;
    } cases[] = {
        {"a group of its own", {Part("A", "GA", {"a"}, {"a1"}), Part("B", "GB", {"b"}, {"b1"})},
         0, true, {"a1"}},
        {"the only part", {Part("A", "G", {}, {})}, 0, true, {}},
        {"two parts without a group share the empty name",
         {Part("A", "", {"a"}, {"a1"}), Part("B", "", {})}, 0, false, {"a1"}},
        {"another part's group in another case",
         {Part("A", "Zolvane Filters", {"a"}, {"a1"}), Part("B", "ZOLVANE FILTERS", {})}, 0,
         false, {"a1"}},
        {"another part's group with a blank at its end",
         {Part("A", "Zolvane Filters ", {"a"}, {"a1"}), Part("B", "Zolvane Filters", {})}, 0,
         false, {"a1"}},
        {"a group with blanks alone and one without a name",
         {Part("A", "   ", {"a"}, {"a1"}), Part("B", "", {})}, 0, false, {"a1"}},
        {"a group whose name only begins alike",
         {Part("A", "Zolvane Filters", {"a"}, {"a1"}), Part("B", "Zolvane Filters 2", {})}, 0,
         true, {"a1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RemovalPlan plan = PlanRemoval(c.listed, c.index);
        EXPECT_EQ(plan.wholeGroup, c.wholeGroup);
        EXPECT_EQ(plan.items, c.items);
    }
}

TEST(RemovalPlan, AnItemGoesWithAFileKeyAndOnlyWhenNoOtherPartListsIt) {
    const Texts threeFiles = {"f1", "f2", "f3"};
    struct Case {
        const char* name;
        InstalledPart part;  // line 0, in the group G
        InstalledPart other;  // line 1, in G too
        Texts items;
    } cases[] = {
        {"the other part's items stay", Part("A", "G", threeFiles, {"a1", "common", "a2"}),
         Part("B", "G", {"b"}, {"common"}), {"a1", "a2"}},
        // A second DeleteItem of one title would fail and leave the part half removed.
        {"a title listed twice goes once", Part("A", "G", threeFiles, {"t", "", "t"}),
         Part("B", "G", {}), {"t"}},
        {"an item beside an empty FILE stays",
         Part("A", "G", {"f1", "", "f3"}, {"i1", "i2", "i3"}), Part("B", "G", {}), {"i1", "i3"}},
        {"an item numbered past FILES stays", Part("A", "G", {"f1"}, {"i1", "i2"}),
         Part("B", "G", {}), {"i1"}},
        {"an item goes although its file is shared", Part("A", "G", {"common"}, {"i1"}),
         Part("B", "G", {"common"}), {"i1"}},
        {"a title past the other part's ITEMS is not shared",
         Part("A", "G", {"a", "b"}, {"x", "y"}), Part("B", "G", {"c", "d"}, {"c1", "x"}, 1),
         {"x", "y"}},
        {"a title within the other part's ITEMS is", Part("A", "G", {"a", "b"}, {"x", "y"}),
         Part("B", "G", {"c", "d"}, {"c1", "x"}, 2), {"y"}},
        {"the other part's title counts without a file beside it",
         Part("A", "G", {"a", "b"}, {"x", "y"}), Part("B", "G", {}, {"x"}), {"y"}},
        {"the other part's title in another spelling",
         Part("A", "G", {"a", "b"}, {"Zolvane Help", "y"}), Part("B", "G", {}, {"ZOLVANE HELP."}),
         {"y"}},
        {"a title the part spells two ways goes once, as first spelt",
         Part("A", "G", threeFiles, {"Moravel", "MORAVEL ", "m"}), Part("B", "G", {}),
         {"Moravel", "m"}},
        {"a title of blanks alone is no item", Part("A", "G", {"f1", "f2"}, {"   ", "i2"}),
         Part("B", "G", {}), {"i2"}},
        {"double-byte titles are compared whole", Part("A", "G", {"f1"}, {"ツール"}),
         Part("B", "G", {}, {"イール"}), {"ツール"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RemovalPlan plan = PlanRemoval({c.part, c.other}, 0);
        EXPECT_FALSE(plan.wholeGroup);
        EXPECT_EQ(plan.items, c.items);
    }
}

TEST(RemovalPlan, ALineOutsideTheListPlansNothing) {
    const RemovalPlan plan = PlanRemoval({Part("A", "G", {"a"})}, 1);
    EXPECT_EQ(plan.part.name, "");
    EXPECT_TRUE(plan.deletions.empty());
    EXPECT_TRUE(plan.items.empty());
}

}  // namespace
