// Native platform: resources and strings from the generated module tables; beeps and message
// boxes are recorded for the tests instead of shown.
#include <cstring>
#include <strings.h>

#include "platform/code_page.h"
#include "platform/native_module.h"

namespace platform {

const char* const kBitmapType = "BITMAP";

namespace {
int beeps = 0;
std::vector<RecordedBox>& Boxes() {
    static std::vector<RecordedBox> boxes;
    return boxes;
}
}  // namespace

bool FindResourceBytes(ModuleHandle module, const char* name, const char* type, ResourceBytes* out) {
    const auto* native = static_cast<const NativeModule*>(module);
    if (native == nullptr || name == nullptr || type == nullptr || out == nullptr) return false;
    for (size_t i = 0; i < native->resourceCount; ++i) {
        const NativeResource& r = native->resources[i];
        if (strcasecmp(r.name, name) == 0 && strcasecmp(r.type, type) == 0) {
            out->data = r.data;
            out->size = r.size;
            return true;
        }
    }
    return false;
}

int LoadStringEntry(ModuleHandle module, unsigned id, char* buffer, int bufferSize) {
    if (buffer == nullptr || bufferSize <= 0) return 0;
    buffer[0] = '\0';
    const auto* native = static_cast<const NativeModule*>(module);
    if (native == nullptr) return 0;
    for (size_t i = 0; i < native->stringCount; ++i) {
        if (native->strings[i].id != id) continue;
        size_t length = std::strlen(native->strings[i].text);
        // Cut as a loaded Windows string is: never inside a double-byte character.
        if (length > static_cast<size_t>(bufferSize - 1))
            length = WholeCharacters(native->strings[i].text, static_cast<size_t>(bufferSize - 1));
        std::memcpy(buffer, native->strings[i].text, length);
        buffer[length] = '\0';
        return static_cast<int>(length);
    }
    return 0;
}

void Beep() { ++beeps; }

int ShowMessageBox(const char* text, const char* caption) {
    Boxes().push_back({text ? text : "", caption ? caption : ""});
    return 1;  // IDOK
}

int RecordedBeeps() { return beeps; }
const std::vector<RecordedBox>& RecordedBoxes() { return Boxes(); }
void ClearRecords() {
    beeps = 0;
    Boxes().clear();
}

}  // namespace platform
