// The three exports a host editor calls and the library's entry routine. Each export runs in
// the floating-point environment the engine's tables are built in (x87 extended precision,
// round-to-nearest, exceptions masked) and gives the host back the control words it had: a
// host may have changed them, and may rely on them after the call.
#include "plugin/win32/dll/exports.h"

#include <cstring>

#include "imaging/fpu_precision.h"
#include "plugin/plugin_module.h"
#include "plugin/win32/run_filter.h"

extern "C" {

int __cdecl FilterGetTitle(int32_t, char* title, int32_t* p, int32_t* q) {
    ExtendedPrecisionScope precision;
    if (p != nullptr) *p = 0;
    if (q != nullptr) *q = 0;
    if (title == nullptr) return 0;
    std::strcpy(title, kPluginIdentity.title);
    return 1;
}

int __cdecl FilterProc(HWND host, uint8_t* picture, int32_t, int32_t) {
    ExtendedPrecisionScope precision;
    return RunFilter(PluginModule(), host, picture, true);
}

int __cdecl FilterOption(HWND host, int32_t, uint8_t** picture) {
    ExtendedPrecisionScope precision;
    if (picture == nullptr) return 0;
    return RunFilter(PluginModule(), host, *picture, true);
}

BOOL WINAPI DllEntryPoint(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) SetPluginModule(instance);
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    return DllEntryPoint(instance, reason, reserved);
}

}  // extern "C"
