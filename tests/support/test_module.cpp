// The module whose resources the portable tests read, in either build.
#include "tests/support/test_module.h"

#include <fstream>
#include <string>

#ifdef ZO_WIN32
#include <windows.h>
#else
#include "platform/native_module.h"
#endif

platform::ModuleHandle TestModule() {
#ifdef ZO_WIN32
    return GetModuleHandleA(nullptr);
#else
    return platform::NativeModuleHandle("Zo_Mor");
#endif
}

platform::ModuleHandle ProductModule(const char* name) {
#ifdef ZO_WIN32
    const std::string path = std::string(ZO_PLUGIN_DIR) + "/" + name + ".dll";
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
#else
    return platform::NativeModuleHandle(name);
#endif
}

std::string LoadEntry(platform::ModuleHandle module, unsigned id) {
    char text[1024] = "";
    const int length = platform::LoadStringEntry(module, id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

const char* SourcePath(const char* relative) {
    static std::string path;
    path = std::string(ZO_SOURCE_DIR) + "/" + relative;
    return path.c_str();
}

std::string RecordedTestEngineChecksum() {
    std::ifstream file(SourcePath("tests/data/test_engine_coffee.txt"));
    std::string line;
    while (std::getline(file, line))
        if (line.rfind("fnv1a64 ", 0) == 0) return line.substr(8, 16);
    return "<missing>";
}
