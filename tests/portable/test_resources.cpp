// Resources and string-table entries through the platform seam.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "tests/support/test_module.h"

namespace {

TEST(StringTable, EntriesAreCodePage932Text) {
    struct Case {
        unsigned id;
        const char* text;
    } cases[] = {
        {120, "Zop2j"},
        {200, "Zolvane"},
        {121, "PAPER1,紙(滑),滑らかな紙,PAPER2,紙(中),やや粗い紙,PAPER3,紙(粗),粗い紙,"
              "PAPER4,和紙,手漉きの紙,CANVAS1,ｷｬﾝﾊﾞｽ(細),細目のキャンバス,CANVAS2,ｷｬﾝﾊﾞｽ(中),"
              "中目のキャンバス,CANVAS3,ｷｬﾝﾊﾞｽ(生),生のキャンバス,STUCCO1,漆喰,石膏,SAND1,砂,"
              "砂入り石膏,WOOD1,木,木板"},
        {122, "ﾏｽﾀ-,0,0,ｽｸﾘ-ﾝ,0,0,B3,364,515,A3,297,420,B4,257,364,A4,210,297,B5,182,257,"
              "A5,148,210,B6,128,182,ハガキ,105,148,名刺,55,91,[設定],0,0"},
        // The ground and screen resolution dialogs' help keys and texts.
        {124, "下地を選ぶ"},
        {125, "スクリ－ン解像度の設定"},
        {213, "ヘルプ"},
        {214, "ＯＫ"},
        {215, "ｷｬﾝｾﾙ"},
        {240, "実際の長さを測って下さい。"},
        {241, "mm"},
        {242, "dpi"},
        {243, "入力値が不正です。やり直して下さい。"},
    };
    for (const Case& c : cases) EXPECT_EQ(LoadEntry(TestModule(), c.id), c.text) << c.id;
}

TEST(StringTable, BytesAreThoseOfCodePage932) {
    // "名刺" is 0x96BC 0x8E68; "ﾏ" is the single byte 0xCF.
    const std::string papers = LoadEntry(TestModule(), 122);
    EXPECT_NE(papers.find("\x96\xBC\x8E\x68"), std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(papers[0]), 0xCF);
}

TEST(StringTable, LoadsAreCutToTheBuffer) {
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(platform::LoadStringEntry(TestModule(), 120, small, sizeof small), 3);
    EXPECT_STREQ(small, "Zop");
    EXPECT_EQ(platform::LoadStringEntry(TestModule(), 9999, small, sizeof small), 0);
    EXPECT_STREQ(small, "");
}

TEST(StringTable, LoadsAreNeverCutInsideADoubleByteCharacter) {
    // The ground list begins "PAPER1,紙": room for 8 bytes ends inside 紙.
    char buffer[9];
    EXPECT_EQ(platform::LoadStringEntry(TestModule(), 121, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "PAPER1,");
    char room[10];
    EXPECT_EQ(platform::LoadStringEntry(TestModule(), 121, room, sizeof room), 9);
    EXPECT_STREQ(room, "PAPER1,紙");
}

}  // namespace
