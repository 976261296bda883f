// The installation records in ZOLVIN.INI: the list of installed parts in [INSTALL] (SECTIONS,
// SECTION1 ..) and one section per part (GROUP, FILES, FILE1 .., ITEMS, ITEM1 .., DIR), read
// through the profile store for one command at a time and changed key by key.
#pragma once

#include <string>
#include <vector>

#include "remover/profile_store.h"

// Bounds of the counts, whatever the file says: a negative count would leave the gauge
// without steps and a huge one would read keys for hours.
constexpr int kMaxListedParts = 100;   // SECTIONS
constexpr int kMaxPartEntries = 1000;  // FILES and ITEMS

// One installed part as its section describes it; a missing key reads as empty.
struct InstalledPart {
    std::string name;  // the section's name, SECTION<n> of [INSTALL]
    std::string group;
    std::vector<std::string> files;  // FILE1 .. FILE<FILES>
    // ITEM1 .. ITEM<ITEMS>: the titles that the removal of another part finds listed here.
    std::vector<std::string> items;
    // ITEM<k> read beside FILE<k>, k = 1 .. FILES: an item is numbered after the file it
    // starts, and goes with that file's key when the key is not empty.
    std::vector<std::string> fileItems;
    std::string folder;  // DIR
};

// A count read as GetPrivateProfileInt reads it (blanks, a sign, decimal digits; no digits
// count as 0), held to 0 .. limit.
int ParseRecordCount(const std::string& text, int limit);

// The section that the profile functions find for a list line's name: they trim white space
// from both ends of the name they look up, so "INSTALL " and "\tinstall" name [INSTALL]. One
// pair of double quotes around it goes too, so that a name still quoted after the reading took
// off the value's own quotes ('""INSTALL""') is not taken for a part's section either.
std::string SectionLookedUp(const std::string& partName);

// False for the names that are no part's own section: a name that is empty and one that is
// the list's own section, INSTALL (in any letter case), once looked up as the profile
// functions look it up. Such a line has no records to read or delete; removing it only drops
// it from the list.
bool HasOwnSection(const std::string& partName);

class InstallRecords {
public:
    explicit InstallRecords(ProfileStore* store) : store_(store) {}

    // [INSTALL] SECTIONS, 0 .. kMaxListedParts.
    int ReadPartCount() const;
    // [INSTALL] SECTION1 .. SECTION<count>, empty where a key is missing.
    std::vector<std::string> ReadPartNames(int count) const;
    InstalledPart ReadPart(const std::string& name) const;
    // The list line and the records of each of SECTION1 .. SECTION<ReadPartCount()>.
    std::vector<InstalledPart> ReadListedParts() const;

    // Deletes the part's section with all its keys; false when the file could not be written.
    bool DeletePart(const std::string& name) const;
    // Drops line `index` (0-based) from a list of `count` lines: the later lines move up one,
    // the last SECTION key goes and SECTIONS becomes count - 1, written also when it is 0.
    // False when a write failed. Nothing is written after it and SECTIONS goes last, so a
    // list cut short still counts `count` lines (one of them perhaps twice) and loses no part.
    bool DropFromList(int index, int count) const;

private:
    ProfileStore* store_;
};
