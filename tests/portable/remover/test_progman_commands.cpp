// The Program Manager commands of a removal, and the names that never go into one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "remover/progman_commands.h"

namespace {

using Texts = std::vector<std::string>;

RemovalPlan Plan(const std::string& group, bool wholeGroup, Texts items) {
    RemovalPlan plan;
    plan.part.name = "Part";
    plan.part.group = group;
    plan.wholeGroup = wholeGroup;
    plan.items = std::move(items);
    return plan;
}

TEST(ProgmanCommands, NamesThatCouldChangeACommandOrLeaveTheProgramsFolderAreRefused) {
    struct Case {
        const char* name;
        bool sendable;
    } cases[] = {
        {"Zolvane", true},
        {"Zolvane Filters 2.0", true},
        {"Zolvane\\Help", true},  // a group inside a group
        {"ゾルヴァン", true},      // "ゾ" ends in 0x5D, the byte of "]"
        {"ソフト", true},          // "ソ" ends in 0x5C, the byte of "\"
        {"ソ..", true},            // one name: "ソ" and two dots, not "\x83" and ".."
        {"x...y", true},
        // A quoted argument runs to its closing quote: brackets inside it are the name's own.
        {"Zolvane (Demo)", true},
        {"Zolvane [2.0] (Beta)", true},
        {"A)B", true},
        {"A]B", true},
        {"", false},
        {"A\"B", false},
        {"Zolvane\")][DeleteGroup(\"", false},
        {"..\\..\\Windows", false},
        {"Zolvane\\..\\..", false},
        {"..", false},
        {".", false},
        {".. ", false},  // the system drops the trailing blank: ".."
        {"...", false},
        {". .", false},
        {"   ", false},  // blanks alone: the Programs folder itself
        {"Zolvane\\   ", false},
        {"  \\Zolvane", false},
        {"Zolvane\\ \\x", false},
        {"Zolvane Filters ", true},  // sent as spelt; the system drops the blank
        {" Zolvane", true},
        {"Zolvane\\..", false},
        {"Zolvane/../x", false},
        {"\\Windows", false},
        {"/tmp", false},
        {"C:\\Windows", false},
        {"tab\there", false},
        {"line\nbreak", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsSendableName(c.name), c.sendable) << c.name;
}

TEST(ProgmanCommands, EachPlanSendsItsCommandsInOrder) {
    struct Case {
        const char* name;
        RemovalPlan plan;
        Texts commands;
    } cases[] = {
        {"a whole group: one DeleteGroup and no item",
         Plan("Zolvane", true, {"Moravel", "Help"}), {"[DeleteGroup(\"Zolvane\")]"}},
        {"a shared group: ShowGroup, then the items",
         Plan("Zolvane", false, {"Moravel", "Moravel Help"}),
         {"[ShowGroup(\"Zolvane\", 5)]", "[DeleteItem(\"Moravel\")]",
          "[DeleteItem(\"Moravel Help\")]"}},
        {"a shared group with no item of its own: no conversation", Plan("Zolvane", false, {}),
         {}},
        {"no group name: never DeleteGroup(\"\")", Plan("", true, {"Moravel"}), {}},
        {"no group name and a shared empty name", Plan("", false, {"Moravel"}), {}},
        {"a group name of blanks alone: never DeleteGroup(\"   \")", Plan("   ", true, {"M"}),
         {}},
        {"a shared group name of blanks alone", Plan("   ", false, {"Moravel"}), {}},
        {"names stand as they are", Plan("ゾルヴァン 表示", true, {}),
         {"[DeleteGroup(\"ゾルヴァン 表示\")]"}},
    };
    for (const Case& c : cases) EXPECT_EQ(ProgmanCommands(c.plan), c.commands) << c.name;
}

TEST(ProgmanCommands, TheFirstRefusedNameThatWouldBeSentIsFound) {
    struct Case {
        const char* name;
        RemovalPlan plan;
        bool found;
        const char* refused;
    } cases[] = {
        {"all sendable", Plan("G", false, {"a", "b"}), false, ""},
        {"the group", Plan("..", false, {"a\"b"}), true, ".."},
        {"an item", Plan("G (1)", false, {"a]", "b:", "c\""}), true, "b:"},
        {"items of a whole group are not sent", Plan("G", true, {"b\""}), false, ""},
        {"nothing is sent without a group", Plan("", true, {"b\""}), false, ""},
        {"nor with a group of blanks alone", Plan("   ", false, {"b\""}), false, ""},
        {"nothing is sent without items", Plan("G\"", false, {}), false, ""},
    };
    for (const Case& c : cases) {
        std::string refused;
        EXPECT_EQ(FindUnsendableName(c.plan, &refused), c.found) << c.name;
        EXPECT_EQ(refused, c.refused) << c.name;
    }
}

}  // namespace
