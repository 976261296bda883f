// The removal program's string table (its own module, its own ids) and the filling of an
// entry's one placeholder.
#include <gtest/gtest.h>

#include <string>

#include "remover/remover_texts.h"
#include "remover/string_loader.h"
#include "tests/support/remover/fake_seams.h"

namespace {

TEST(ZoclearStrings, EntriesAreTheProgramsTexts) {
    struct Case {
        unsigned id;
        const char* text;
    } cases[] = {
        {100, "グル－プ"},
        {101, "進行状況"},
        {102, "情報"},
        {103, "ｱﾝｲﾝｽﾄ-ﾙ"},
        {104, "ヘルプ"},
        {105, "終了"},
        {110, "Zolvane アンインスト－ラ"},
        {111, "Zolvaneを削除します。\nアンインスト－ルを開始する前に起動中の他のプログラムを終了"
              "させて下さい。\n現在、以下のグル－プがインスト－ルされています。"},
        {112, "以下の%d個のファイルが削除の対象です。"},
        {120, "以上のファイルをすべてを削除します。"},
        {121, "アンインスト－ルを開始してよろしいですか？"},
        {123, "現在、削除対象のファイルはありませんが\nアンイスト－ルを実行すると内部情報を整理で"
              "きます。"},
        {130, "プログラムメニュ－から実行して下さい。"},
        {131, "インスト－ル情報がありません。\nまだインスト－ルされていないか、あるいは情報ファイル"
              "が削除されています。"},
        {133, "%s ：ファイルの削除に失敗しました。"},
        {134, "プログラム・マネ－ジャと交信できないため、スタ－トメニュ－から削除できませんでした。"},
        {135, "アンインスト－ルを続けますか？"},
        {136, "アンインスト－ルは完了しました。"},
        {137, "「%s」はプログラム・マネ－ジャに送れない名前のため、このグル－プはアンインスト－ル"
              "できません。\n何も削除していません。"},
        {800, "削除したいグル－プを選択してください。\n[情報]を押すと削除されるファイルの一覧が表"
              "示されます。\n[ｱﾝｲﾝｽﾄ-ﾙ]を押すと削除を実行します。"},
        {900, "ＭＳ ゴシック,-16,0,0,0,400,34,0,0,0,128,2,0,2"},
    };
    const StringLoader strings(ZoclearStrings());
    for (const Case& c : cases) EXPECT_EQ(strings.Load(c.id), c.text) << c.id;
    EXPECT_EQ(strings.Load(99), "") << "no entry";
    EXPECT_EQ(strings.Load(120), "以上のファイルをすべてを削除します。")
        << "the plug-ins' entry 120 is another module's";
}

TEST(ZoclearStrings, BytesAreThoseOfCodePage932) {
    const StringLoader strings(ZoclearStrings());
    // "グル－プ": the long-vowel sign of this table is the full-width hyphen-minus, 0x817C.
    EXPECT_EQ(strings.Load(zoclear_text::kGroupLabel), "\x83\x4f\x83\x8b\x81\x7c\x83\x76");
    // "ｱﾝｲﾝｽﾄ-ﾙ" is single bytes, with an ASCII hyphen.
    EXPECT_EQ(strings.Load(zoclear_text::kRemoveButton), "\xb1\xdd\xb2\xdd\xbd\xc4-\xd9");
}

TEST(ZoclearStrings, PlaceholdersAreFilledNotFormatted) {
    struct Case {
        const char* name;
        const char* text;
        const char* argument;
        const char* filled;
    } cases[] = {
        {"a path", "%s ：失敗", "C:\\Zolvane\\a.dll", "C:\\Zolvane\\a.dll ：失敗"},
        {"a count", "以下の%d個", "12", "以下の12個"},
        {"a per-cent sign in the argument stays", "%s!", "100%d%s", "100%d%s!"},
        {"only the first placeholder", "%s and %s", "x", "x and %s"},
        {"a doubled per-cent sign is one", "%d%% of %s", "5", "5% of %s"},
        {"other conversions stay", "%x %5d %s", "y", "%x %5d y"},
        {"a lone per-cent at the end", "50%", "z", "50%"},
        {"no placeholder", "plain", "unused", "plain"},
    };
    for (const Case& c : cases) EXPECT_EQ(FillPlaceholder(c.text, c.argument), c.filled) << c.name;
}

TEST(ZoclearStrings, FormatFillsTheEntry) {
    const StringLoader strings(ZoclearStrings());
    EXPECT_EQ(strings.Format(zoclear_text::kFileCount, 3), "以下の3個のファイルが削除の対象です。");
    EXPECT_EQ(strings.Format(zoclear_text::kDeleteFailed, std::string("D:\\x%s.dll")),
              "D:\\x%s.dll ：ファイルの削除に失敗しました。");
}

}  // namespace
