// The ground dialog's choice: the line it opens on (also for an index outside the list), how a
// selection changes the ground, what Cancel restores, and which description is shown.
#include "dialogs/ground_choice.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void UseText(GroundChoice* choice, const char* text) {
    choice->Lines().count = ParseGroundList(text, choice->Lines().entries, kMaxGroundEntries);
}

constexpr char kTenGrounds[] =
    "PAPER1,紙(滑),滑らかな紙,PAPER2,紙(中),やや粗い紙,PAPER3,紙(粗),粗い紙,PAPER4,和紙,手漉きの紙,"
    "CANVAS1,a,b,CANVAS2,c,d,CANVAS3,e,f,STUCCO1,漆喰,石膏,SAND1,砂,砂入り石膏,WOOD1,木,木板";

}  // namespace

TEST(GroundChoice, OpensOnTheLineTheGroundLoaderLoads) {
    const struct {
        const char* text;
        int opening, line;
        const char* description;  // once that line is selected
    } cases[] = {
        {kTenGrounds, 3, 3, "手漉きの紙"},
        {kTenGrounds, -5, 0, "滑らかな紙"},
        {kTenGrounds, 12, 9, "木板"},
        {"A,a,x,B,b,y", 7, 1, "y"},
        {"", 3, -1, ""},
    };
    for (const auto& c : cases) {
        GroundChoice choice(c.opening);
        UseText(&choice, c.text);
        EXPECT_EQ(choice.OpeningLine(), c.line) << c.opening;
        EXPECT_EQ(choice.Select(c.line), c.line < 0 ? c.opening : c.line) << c.opening;
        EXPECT_STREQ(choice.Description(), c.description) << c.opening;
        EXPECT_EQ(choice.Opening(), c.opening) << "Cancel restores the index as found";
    }
}

TEST(GroundChoice, SelectionsBrowseAndNoneKeepsTheCurrentGround) {
    GroundChoice choice(3);
    UseText(&choice, kTenGrounds);
    EXPECT_EQ(choice.Select(8), 8);
    EXPECT_STREQ(choice.Description(), "砂入り石膏");
    EXPECT_EQ(choice.Select(-1), 8) << "nothing selected";
    EXPECT_EQ(choice.Select(10), 8) << "not a line";
    EXPECT_EQ(choice.Select(9), 9);
    EXPECT_EQ(choice.Current(), 9) << "OK keeps the ground on show";
    EXPECT_EQ(choice.Opening(), 3) << "Cancel goes back to the opening one";
}

TEST(GroundChoice, NoDescriptionIsReadOutsideTheParsedLines) {
    GroundChoice before(12);
    UseText(&before, kTenGrounds);
    EXPECT_STREQ(before.Description(), "") << "index 12 before any selection";
    GroundChoice negative(-5);
    UseText(&negative, kTenGrounds);
    EXPECT_STREQ(negative.Description(), "");
}
