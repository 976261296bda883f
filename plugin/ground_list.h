// The ground list of the string table (entry 121): comma-separated triples of resource name,
// short name and description. One tokenizer for everything that reads it, so that the ground
// that loads for an index and the line the ground dialog shows for it are always the same.
#pragma once

constexpr int kMaxGroundEntries = 50;
constexpr int kGroundResourceSize = 20;  // 19 bytes and the terminator
constexpr int kGroundTextSize = 80;      // 79 bytes and the terminator
constexpr int kGroundCount = 10;         // the grounds an index may name: 0..9
constexpr int kGroundListLength = 1024;  // the entry is read into this many bytes

struct GroundEntry {
    char resource[kGroundResourceSize];
    char shortName[kGroundTextSize];
    char description[kGroundTextSize];
};

struct GroundList {
    GroundEntry entries[kMaxGroundEntries];
    int count = 0;
};

// Parses up to maxEntries triples; each field is copied within its size (never half a
// double-byte character). A name without a comma after it ends the list without that entry;
// a last description without a comma after it is kept. Returns the entries parsed.
int ParseGroundList(const char* text, GroundEntry* entries, int maxEntries);

// Reads and parses entry 121 of the plug-in module; an empty list when there is none.
void LoadGroundList(GroundList* list);

// The line an index stands for: limited to 0..9, and to the last line of a shorter list.
// 0 for an empty list.
int GroundLine(int groundIndex, int lineCount);
