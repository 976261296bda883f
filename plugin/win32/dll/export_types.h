// The plug-in's exports as a host finds them with GetProcAddress: plain names, cdecl (the
// caller removes the arguments), every integer 32 bits.
// In the i686 product every argument and result is 32 bits; the x86-64 test build widens only
// the pointers.
#pragma once

#include <windows.h>

#include <cstdint>

using FilterGetTitleFunction = int(__cdecl*)(int32_t ignored, char* title, int32_t* p, int32_t* q);
using FilterProcFunction = int(__cdecl*)(HWND host, uint8_t* picture, int32_t, int32_t);
using FilterOptionFunction = int(__cdecl*)(HWND host, int32_t ignored, uint8_t** picture);

// An export of `module` as its own function type (null when missing). GetProcAddress gives a
// generic function pointer; the cast through the plain function type is the neutral step.
template <typename Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
