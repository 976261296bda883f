// Native stand-ins for Win32 modules: the resources and string table of each product module,
// generated from resources/ at build time, and a record of beeps and message boxes.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

struct NativeResource {
    const char* name;
    const char* type;
    const uint8_t* data;
    size_t size;
};

struct NativeString {
    unsigned id;
    const char* text;
};

struct NativeModule {
    const char* name;
    const NativeResource* resources;
    size_t resourceCount;
    const NativeString* strings;
    size_t stringCount;
};

// The generated module of that name ("Zo_Mor", ...), or null. Its address is its ModuleHandle.
const NativeModule* FindNativeModule(const char* name);
inline ModuleHandle NativeModuleHandle(const char* name) {
    return const_cast<NativeModule*>(FindNativeModule(name));
}

struct RecordedBox {
    std::string text;
    std::string caption;
};

// What the native platform was asked to show since the last ClearRecords.
int RecordedBeeps();
const std::vector<RecordedBox>& RecordedBoxes();
void ClearRecords();

}  // namespace platform
