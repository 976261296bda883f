// Parsing the ground list and choosing a line for an index.
#include "plugin/ground_list.h"

#include <cstring>

#include "platform/code_page.h"
#include "platform/platform.h"
#include "plugin/plugin_module.h"
#include "plugin/string_ids.h"

namespace {

// Copies the field that starts at `text` up to the next comma (or the end) into `out`, cut to
// size - 1 bytes on a character boundary; returns the comma, or null when the field ends the
// text.
const char* TakeField(const char* text, char* out, int size) {
    const char* comma = std::strchr(text, ',');
    size_t length = comma != nullptr ? static_cast<size_t>(comma - text) : std::strlen(text);
    const size_t room = static_cast<size_t>(size - 1);
    if (length > room) length = WholeCharacters(text, room);
    std::memcpy(out, text, length);
    out[length] = '\0';
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

void LoadGroundList(GroundList* list) {
    char text[kGroundListLength];
    platform::LoadStringEntry(PluginModule(), kStringGroundList, text, sizeof text);
    list->count = ParseGroundList(text, list->entries, kMaxGroundEntries);
}

int GroundLine(int groundIndex, int lineCount) {
    int line = groundIndex < 0 ? 0 : groundIndex;
    if (line > kGroundCount - 1) line = kGroundCount - 1;
    if (line > lineCount - 1) line = lineCount - 1;
    return line < 0 ? 0 : line;
}
