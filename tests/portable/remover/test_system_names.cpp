// Names compared as the system resolves them: letter case, the separators' two spellings and
// the trailing blanks and dots that the system drops, with double-byte characters kept whole.
#include <gtest/gtest.h>

#include <string>

#include "remover/system_names.h"

namespace {

TEST(SystemNames, TwoSpellingsOfOneNameResolveAlike) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"C:\\ZoTrial\\Plugins\\Zop2j.hlp", "c:\\zotrial\\plugins\\ZOP2J.HLP", true},
        {"Zolvane Filters", "ZOLVANE FILTERS", true},
        {"Zolvane Filters ", "Zolvane Filters", true},
        {"Zolvane Filters. .", "Zolvane Filters", true},
        {"C:\\Zo.\\a.txt", "C:\\Zo\\a.txt", true},      // a folder's trailing dot
        {"C:/Zo/a.txt", "C:\\Zo\\a.txt", true},
        {"Zolvane Filters", "Zolvane  Filters", false},
        {"Zolvane Filters", " Zolvane Filters", false},  // leading blanks are the name's own
        {"a.txt", "a.tx", false},
        {"Zolvane\\Help", "ZolvaneHelp", false},
        // Double-byte characters are compared whole: "ツ" (0x83 0x63) is not "イ" (0x83 0x43),
        // though their second bytes are "c" and "C".
        {"ツール", "イール", false},
        {"ソフト ", "ソフト", true},  // "ソ" ends in 0x5C, the byte of "\"
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolvedName(c.a) == ResolvedName(c.b), c.same) << c.a << " | " << c.b;
}

TEST(SystemNames, TheResolvedFormKeepsTheNameAndItsSeparators) {
    EXPECT_EQ(ResolvedName("c:/Zolvane. /Kolda .dll. "), "C:\\ZOLVANE\\KOLDA .DLL");
    EXPECT_EQ(ResolvedName("ソ"), "ソ") << "no separator in the second byte";
    EXPECT_EQ(ResolvedName(""), "");
    EXPECT_EQ(ResolvedName("\x83"), "\x83") << "a lead byte at the end stands alone";
}

TEST(SystemNames, OnlyBlanksNameNothing) {
    struct Case {
        const char* name;
        bool blank;
    } cases[] = {
        {"", true},       {" ", true},      {"   ", true}, {"Zolvane ", false},
        {" . ", false},   {"\t", false},    {"...", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsBlankName(c.name), c.blank) << '"' << c.name << '"';
}

}  // namespace
