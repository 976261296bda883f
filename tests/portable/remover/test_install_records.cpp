// The installation records: counts held to their bounds, parts read with missing keys, the
// names that are no part's own section, and the list renumbered after a removal.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "remover/install_records.h"
#include "tests/support/remover/fake_seams.h"

namespace {

TEST(InstallRecords, CountsAreHeldToTheirBounds) {
    struct Case {
        const char* text;
        int limit;
        int count;
    } cases[] = {
        {"", 100, 0},          {"3", 100, 3},          {" 7", 100, 7},
        {"+4", 100, 4},        {"12abc", 100, 12},     {"abc", 100, 0},
        {"-2", 100, 0},        {"-0", 100, 0},         {"100", 100, 100},
        {"101", 100, 100},     {"99999999999999999999", 1000, 1000},
        {"0x10", 100, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseRecordCount(c.text, c.limit), c.count) << '"' << c.text << '"';
}

// A name is judged as the profile functions will look it up: trimmed of white space at both
// ends, and once more inside one pair of double quotes.
TEST(InstallRecords, OnlyRealNamesHaveASectionOfTheirOwn) {
    struct Case {
        const char* name;
        bool own;
    } cases[] = {
        {"Moravel", true},
        {"INSTALL2", true},
        {"IN STALL", true},
        {"\"Moravel\"", true},
        {"\"INSTALL", true},  // a lone quote is part of the name
        {"", false},
        {"INSTALL", false},
        {"Install", false},
        {"INSTALL ", false},
        {"  install", false},
        {"\tINSTALL\t", false},
        {"\"INSTALL \"", false},
        {" \" \tInstall\" ", false},
        {"   ", false},
        {"\"\"", false},
        {"\" \"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(HasOwnSection(c.name), c.own) << '"' << c.name << '"';
}

TEST(InstallRecords, APartReadsItsKeysWithMissingOnesEmpty) {
    MemoryProfile ini(
        "[INSTALL]\nSECTIONS=3\nSECTION1=Mor\nSECTION3=Kol\n"
        "[Mor]\nGROUP=Zolvane\nFILES=3\nFILE1=C:\\Z\\a.dll\nFILE3=C:\\Z\\c.dll\n"
        "ITEMS=1\nITEM1=Moravel\nITEM3=Moravel Help\nDIR=C:\\Z\n"
        "[Kol]\nFILES=-2\nITEMS=2\nITEM2=Kolda\n");
    const InstallRecords records(&ini);
    ASSERT_EQ(records.ReadPartCount(), 3);
    EXPECT_EQ(records.ReadPartNames(3), (std::vector<std::string>{"Mor", "", "Kol"}));

    const InstalledPart mor = records.ReadPart("Mor");
    EXPECT_EQ(mor.group, "Zolvane");
    EXPECT_EQ(mor.files, (std::vector<std::string>{"C:\\Z\\a.dll", "", "C:\\Z\\c.dll"}));
    // ITEMS says 1: others see only ITEM1; beside the three files stand ITEM1 to ITEM3.
    EXPECT_EQ(mor.items, (std::vector<std::string>{"Moravel"}));
    EXPECT_EQ(mor.fileItems, (std::vector<std::string>{"Moravel", "", "Moravel Help"}));
    EXPECT_EQ(mor.folder, "C:\\Z");

    const InstalledPart kol = records.ReadPart("Kol");
    EXPECT_TRUE(kol.files.empty()) << "a negative FILES counts as none";
    EXPECT_TRUE(kol.fileItems.empty()) << "no file, no item beside one";
    EXPECT_EQ(kol.items, (std::vector<std::string>{"", "Kolda"}));
    EXPECT_EQ(kol.group, "");

    const std::vector<InstalledPart> listed = records.ReadListedParts();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[1].name, "");
    EXPECT_TRUE(listed[1].files.empty());
}

TEST(InstallRecords, HugeCountsReadOnlyUpToTheBound) {
    MemoryProfile ini("[INSTALL]\nSECTIONS=100000\n[Big]\nFILES=99999999\nITEMS=5\n");
    const InstallRecords records(&ini);
    EXPECT_EQ(records.ReadPartCount(), kMaxListedParts);
    const InstalledPart big = records.ReadPart("Big");
    EXPECT_EQ(big.files.size(), static_cast<size_t>(kMaxPartEntries));
    EXPECT_EQ(big.fileItems.size(), static_cast<size_t>(kMaxPartEntries));
    EXPECT_EQ(big.items.size(), 5u);
    EXPECT_LE(ini.Reads(), 2 + 2 * kMaxPartEntries + 4) << "each ITEM key read once";
}

TEST(InstallRecords, TheListSectionIsNoPartsRecords) {
    MemoryProfile ini("[INSTALL]\nSECTIONS=1\nSECTION1=install\nFILES=1\nFILE1=C:\\boot.ini\n");
    const InstallRecords records(&ini);
    EXPECT_TRUE(records.ReadPart("install").files.empty());
    records.DeletePart("install");
    records.DeletePart("");
    EXPECT_EQ(ini.Read("INSTALL", "SECTIONS"), "1") << "the list survives";
}

TEST(InstallRecords, DroppingALineMovesTheLaterOnesUp) {
    const char* three = "[INSTALL]\nSECTIONS=3\nSECTION1=A\nSECTION2=B\nSECTION3=C\n";
    struct Case {
        const char* name;
        int index;
        const char* after;
    } cases[] = {
        {"the second of three", 1, "[INSTALL]\nSECTIONS=2\nSECTION1=A\nSECTION2=C\n"},
        {"the first of three", 0, "[INSTALL]\nSECTIONS=2\nSECTION1=B\nSECTION2=C\n"},
        {"the last of three", 2, "[INSTALL]\nSECTIONS=2\nSECTION1=A\nSECTION2=B\n"},
    };
    for (const Case& c : cases) {
        MemoryProfile ini(three);
        InstallRecords(&ini).DropFromList(c.index, 3);
        EXPECT_EQ(ini.Text(), c.after) << c.name;
    }

    MemoryProfile last("[INSTALL]\nSECTIONS=1\nSECTION1=A\n");
    InstallRecords(&last).DropFromList(0, 1);
    EXPECT_EQ(last.Text(), "[INSTALL]\nSECTIONS=0\n") << "the count is written also when 0";

    MemoryProfile untouched(three);
    InstallRecords(&untouched).DropFromList(3, 3);
    InstallRecords(&untouched).DropFromList(-1, 3);
    EXPECT_EQ(untouched.Text(), three) << "a line outside the list drops nothing";
}

// A records file that comes to refuse writing at any point of the drop: the drop says so, and
// every later part is still on the list that SECTIONS counts.
TEST(InstallRecords, ADropCutShortLosesNoPart) {
    const char* three = "[INSTALL]\nSECTIONS=3\nSECTION1=A\nSECTION2=B\nSECTION3=C\n";
    for (int writes = 0; writes <= 4; ++writes) {
        SCOPED_TRACE(writes);
        MemoryProfile ini(three);
        ini.writesLeft = writes;
        const InstallRecords records(&ini);
        EXPECT_EQ(records.DropFromList(0, 3), writes == 4) << "four changes drop the line";
        const std::vector<std::string> names = records.ReadPartNames(records.ReadPartCount());
        for (const char* part : {"B", "C"})
            EXPECT_NE(std::find(names.begin(), names.end(), part), names.end()) << part;
    }
}

TEST(InstallRecords, ASectionThatCannotBeDeletedSaysSo) {
    MemoryProfile ini("[INSTALL]\nSECTIONS=1\nSECTION1=A\n[A]\nFILES=1\nFILE1=C:\\a.dll\n");
    ini.writesLeft = 0;
    const InstallRecords records(&ini);
    EXPECT_FALSE(records.DeletePart("A"));
    EXPECT_EQ(ini.Read("A", "FILES"), "1");
    EXPECT_TRUE(records.DeletePart("INSTALL")) << "a line naming no section of its own";
    EXPECT_TRUE(records.DeletePart(""));
}

}  // namespace
