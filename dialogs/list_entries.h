// The comma-separated lists of the string table as the dialogs read them: the paper-size list
// (name, width, height triples; entry 122) whose names fill the size list, and the ground list
// (resource name, short name, description triples; entry 121).
#pragma once

constexpr int kMaxSizeEntries = 20;

// The names of the size list, cut out of `text` in place (each comma after a name becomes a
// terminator). `lastIndex` is the counter where the walk stopped: the index of the last name
// when the text ends right after the last height, one more when it ends with a comma.
struct SizeListNames {
    const char* names[kMaxSizeEntries + 1];
    int count = 0;
    int lastIndex = 0;
};
void WalkSizeList(char* text, SizeListNames* list);

constexpr int kMaxGroundEntries = 50;
constexpr int kGroundResourceSize = 20;
constexpr int kGroundTextSize = 80;

struct GroundEntry {
    char resource[kGroundResourceSize];
    char shortName[kGroundTextSize];
    char description[kGroundTextSize];
};

// Parses up to kMaxGroundEntries triples; each field is copied within its size (never half a
// double-byte character). A name without a comma after it ends the list without that entry;
// a last description without a comma after it is kept. Returns the entries parsed.
int ParseGroundList(const char* text, GroundEntry* entries, int maxEntries);
