// Which files and items removing a part takes away, and when its whole group goes: the sharing
// tests over the listed parts, and the order in which a part's own keys are handled.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "remover/removal_plan.h"

namespace {

using Texts = std::vector<std::string>;

InstalledPart Part(const std::string& name, const std::string& group, Texts files,
                   Texts items = {}) {
    InstalledPart part;
    part.name = name;
    part.group = group;
    part.files = std::move(files);
    part.items = std::move(items);
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
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsFileShared(listed, c.path, c.part, c.key), c.shared)
            << c.path << " " << c.part << " " << c.key;
}

TEST(RemovalPlan, ItemSharingLooksOnlyAtOtherParts) {
    const std::vector<InstalledPart> listed = {
        Part("A", "G", {}, {"Help", "Mine", "Mine"}),
        Part("B", "G", {}, {"Help"}),
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
        {"a group of its own", {Part("A", "GA", {}, {"a1"}), Part("B", "GB", {}, {"b1"})}, 0,
         true, {"a1"}},
        {"a shared group keeps the items of others",
         {Part("A", "G", {}, {"a1", "common", "a2"}), Part("B", "G", {}, {"common"})}, 0, false,
         {"a1", "a2"}},
        {"a title listed twice goes once", {Part("A", "G", {}, {"t", "", "t"}), Part("B", "G", {})},
         0, false, {"t"}},
        {"two parts without a group share the empty name",
         {Part("A", "", {}, {"a1"}), Part("B", "", {})}, 0, false, {"a1"}},
        {"the only part", {Part("A", "G", {}, {})}, 0, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RemovalPlan plan = PlanRemoval(c.listed, c.index);
        EXPECT_EQ(plan.wholeGroup, c.wholeGroup);
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
