// Walking the size list and parsing the ground list.
#include "dialogs/list_entries.h"

#include <cstring>

#include "engine/status_text.h"

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

namespace {

// Copies the field that starts at `text` up to the next comma (or the end) into `out`; returns
// the comma, or null when the field ends the text.
const char* TakeField(const char* text, char* out, int size) {
    const char* comma = std::strchr(text, ',');
    const size_t length = comma != nullptr ? static_cast<size_t>(comma - text) : std::strlen(text);
    char field[256];
    const size_t copied = length < sizeof field - 1 ? length : sizeof field - 1;
    std::memcpy(field, text, copied);
    field[copied] = '\0';
    CopyTextBounded(out, size, field);
    return comma;
}

}  // namespace

int ParseGroundList(const char* text, GroundEntry* entries, int maxEntries) {
    if (text == nullptr || *text == '\0') return 0;
    int count = 0;
    const char* cursor = text;
    while (count < maxEntries) {
        GroundEntry& entry = entries[count];
        const char* comma = TakeField(cursor, entry.resource, kGroundResourceSize);
        if (comma == nullptr) break;
        comma = TakeField(comma + 1, entry.shortName, kGroundTextSize);
        if (comma == nullptr) break;
        comma = TakeField(comma + 1, entry.description, kGroundTextSize);
        ++count;
        if (comma == nullptr) break;
        cursor = comma + 1;
    }
    return count;
}
