// The seam through which portable code reaches the operating system: resources by name and
// type, string-table entries, the warning beep and the error box. The Win32 build calls the
// real API; the native build reads tables generated from resources/ and records beeps and boxes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// A module instance: HINSTANCE on Win32, a generated resource module natively.
using ModuleHandle = void*;

struct ResourceBytes {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// Standard resource type for bitmaps (RT_BITMAP). Bitmap resources hold the info header and
// the pixels, without a file header, in both builds.
extern const char* const kBitmapType;

// Finds resource `name` of `type` in `module`; names and types match case-insensitively.
// The bytes stay valid as long as the module is loaded. False when there is no such resource.
bool FindResourceBytes(ModuleHandle module, const char* name, const char* type, ResourceBytes* out);

// Copies string-table entry `id` (code page 932 bytes) into `buffer`, cut to bufferSize - 1
// characters and always terminated when bufferSize > 0. Returns the length copied; 0 when the
// entry does not exist.
int LoadStringEntry(ModuleHandle module, unsigned id, char* buffer, int bufferSize);

// MessageBeep(0).
void Beep();

// A modal box with no owner, MB_OK | MB_ICONEXCLAMATION, language 0. Returns the box's result.
int ShowMessageBox(const char* text, const char* caption);

}  // namespace platform
