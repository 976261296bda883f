// Win32 platform: the real resource, string, beep and message-box services.
#include <windows.h>

#include "platform/platform.h"

namespace platform {

const char* const kBitmapType = "BITMAP";

namespace {
// Standard types are passed to FindResource as their numeric ids.
LPCSTR ResourceType(const char* type) {
    if (lstrcmpiA(type, kBitmapType) == 0) return MAKEINTRESOURCEA(2);  // RT_BITMAP
    return type;
}
}  // namespace

bool FindResourceBytes(ModuleHandle module, const char* name, const char* type, ResourceBytes* out) {
    if (name == nullptr || type == nullptr || out == nullptr) return false;
    auto instance = static_cast<HMODULE>(module);
    HRSRC info = FindResourceA(instance, name, ResourceType(type));
    if (info == nullptr) return false;
    HGLOBAL handle = LoadResource(instance, info);
    if (handle == nullptr) return false;
    const void* data = LockResource(handle);
    if (data == nullptr) return false;
    out->data = static_cast<const uint8_t*>(data);
    out->size = SizeofResource(instance, info);
    return true;
}

int LoadStringEntry(ModuleHandle module, unsigned id, char* buffer, int bufferSize) {
    if (buffer == nullptr || bufferSize <= 0) return 0;
    buffer[0] = '\0';
    return LoadStringA(static_cast<HINSTANCE>(module), id, buffer, bufferSize);
}

void Beep() { MessageBeep(0); }

int ShowMessageBox(const char* text, const char* caption) {
    return MessageBoxExA(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION, 0);
}

}  // namespace platform
