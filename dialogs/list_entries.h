// The paper-size list of the string table as the filter dialog reads it: name, width, height
// triples (entry 122) whose names fill the size list. The ground list has its one reader in
// plugin/ground_list.h.
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
