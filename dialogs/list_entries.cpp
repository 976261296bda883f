// Walking the size list.
#include "dialogs/list_entries.h"

#include <cstring>

void WalkSizeList(char* text, SizeListNames* list) {
    list->count = 0;
    list->lastIndex = 0;
    if (text == nullptr || *text == '\0') return;
    int k = 0;
    char* cursor = text;
    while (true) {
        char* comma = std::strchr(cursor, ',');
        if (comma == nullptr) break;
        *comma = '\0';
        list->names[list->count++] = cursor;
        char* widthEnd = std::strchr(comma + 1, ',');
        if (widthEnd == nullptr) break;
        char* heightEnd = std::strchr(widthEnd + 1, ',');
        if (heightEnd == nullptr) break;
        cursor = heightEnd + 1;
        if (++k >= kMaxSizeEntries) break;
    }
    list->lastIndex = k;
}
