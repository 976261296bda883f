// ZoHost: a stand-in for the host image editor. Loads a plug-in DLL, reads a 24-bit BMP file
// into the host picture form, names the plug-in through FilterGetTitle, runs FilterProc (or
// FilterOption) on the picture with a window of its own as the host window, and writes the
// returned picture as a BMP file.
//
//   ZoHost.exe <plugin.dll> <in.bmp> <out.bmp> [--option] [--checksum]
//
// Exit code 0 when the filter returned 1, 1 when it returned 0, 2 on a usage or file error.
#include <windows.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "host/bmp_file.h"
#include "imaging/fnv1a.h"
#include "plugin/win32/dll/export_types.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: ZoHost.exe <plugin.dll> <in.bmp> <out.bmp> [--option] [--checksum]\n");
    return 2;
}

HWND CreateHostWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "ZoHostWindow";
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "ZoHostWindow", "ZoHost", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 320, 240, nullptr, nullptr, instance, nullptr);
}

void PrintTitle(FilterGetTitleFunction getTitle) {
    char title[256];
    std::memset(title, 0, sizeof title);
    int32_t p = -1, q = -1;
    const int result = getTitle(0, title, &p, &q);
    title[sizeof title - 1] = '\0';
    std::printf("FilterGetTitle: %d (p=%d, q=%d)\ntitle: %s\ntitle bytes:", result,
                static_cast<int>(p), static_cast<int>(q), title);
    for (size_t i = 0; i <= std::strlen(title); ++i)
        std::printf(" %02x", static_cast<unsigned char>(title[i]));
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const char* pluginPath = nullptr;
    const char* inputPath = nullptr;
    const char* outputPath = nullptr;
    bool useOption = false, printChecksum = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--option") == 0) useOption = true;
        else if (std::strcmp(argv[i], "--checksum") == 0) printChecksum = true;
        else if (!pluginPath) pluginPath = argv[i];
        else if (!inputPath) inputPath = argv[i];
        else if (!outputPath) outputPath = argv[i];
        else return Usage();
    }
    if (!outputPath) return Usage();

    std::vector<uint8_t> picture;
    std::string error;
    if (!ReadBmpFile(inputPath, &picture, &error)) {
        std::fprintf(stderr, "ZoHost: %s: %s\n", inputPath, error.c_str());
        return 2;
    }

    HMODULE plugin = LoadLibraryA(pluginPath);
    if (plugin == nullptr) {
        std::fprintf(stderr, "ZoHost: cannot load %s (error %lu)\n", pluginPath, GetLastError());
        return 2;
    }
    const auto getTitle = Export<FilterGetTitleFunction>(plugin, "FilterGetTitle");
    const auto filterProc = Export<FilterProcFunction>(plugin, "FilterProc");
    const auto filterOption = Export<FilterOptionFunction>(plugin, "FilterOption");
    if (!getTitle || !filterProc || !filterOption) {
        std::fprintf(stderr, "ZoHost: %s lacks the filter exports\n", pluginPath);
        FreeLibrary(plugin);
        return 2;
    }

    PrintTitle(getTitle);
    HWND window = CreateHostWindow(GetModuleHandleA(nullptr));
    uint8_t* pixels = picture.data();
    const int result = useOption ? filterOption(window, 0, &pixels)
                                 : filterProc(window, picture.data(), 0, 0);
    std::printf("%s: %d\n", useOption ? "FilterOption" : "FilterProc", result);
    if (window) DestroyWindow(window);

    int status = result == 1 ? 0 : 1;
    if (result == 1) {
        if (WriteBmpFile(outputPath, picture, &error)) {
            std::printf("wrote %s\n", outputPath);
        } else {
            std::fprintf(stderr, "ZoHost: %s: %s\n", outputPath, error.c_str());
            status = 2;
        }
        if (printChecksum)
            std::printf("pixels fnv1a64: %016" PRIx64 "\n",
                        Fnv1a64(picture.data() + kBmpInfoHeaderSize,
                                static_cast<size_t>(PicturePixelBytes(picture))));
    }
    FreeLibrary(plugin);
    return status;
}
