// The plug-in library's entry points as a host calls them: plain names, cdecl (the caller
// removes the arguments), every integer 32 bits.
// In the i686 product every argument and result is 32 bits; the x86-64 test build widens only
// the pointers.
#pragma once

#include <windows.h>

#include <cstdint>

extern "C" {

// Sets *p and *q to 0 and copies the plug-in's title with its zero into `title` (19 bytes at
// most). 1; 0 when `title` is null.
int __cdecl FilterGetTitle(int32_t ignored, char* title, int32_t* p, int32_t* q);

// Runs the filter with its dialog on the host's picture (a 40-byte BITMAPINFOHEADER followed
// by the 24-bit rows). 1 when the call ran (also after a cancel), 0 when the picture was refused.
int __cdecl FilterProc(HWND host, uint8_t* picture, int32_t ignored1, int32_t ignored2);

// The same with the picture reached through `picture`; 0 when it or the pointer it holds is null.
int __cdecl FilterOption(HWND host, int32_t ignored, uint8_t** picture);

// Called from DllMain: keeps the instance handle as the plug-in's module on process attach.
BOOL WINAPI DllEntryPoint(HINSTANCE instance, DWORD reason, LPVOID reserved);

}  // extern "C"

