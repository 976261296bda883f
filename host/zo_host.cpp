// ZoHost: a stand-in for the host image editor. Loads a plug-in DLL, reads a 24-bit BMP file
// into the host picture form, names the plug-in through FilterGetTitle, runs FilterProc (or
// FilterOption) on the picture with a window of its own as the host window, and writes the
// returned picture as a BMP file.
//
//   ZoHost.exe <plugin.dll> <in.bmp> <out.bmp> [--option] [--checksum]
//              [--auto [--size N] [--levels M,T,C,D,F] [--screenshot dialog.bmp]
//                      [--ground N] [--screen MM]]
//
// --auto drives the filter dialog as a person would, by posted messages from a thread timer:
// once the dialog is up it measures the screen as MM millimetres in the screen resolution
// dialog (from the size list's last entry) and picks line N of the ground dialog (from a press
// on the preview's ground margin) when asked, chooses the paper size and the five levels when
// given, saves a screenshot of the dialog when asked, and presses タブロ－. Without it the
// dialog waits for a person.
//
// Exit code 0 when the filter returned 1, 1 when it returned 0, 2 on a usage or file error.
#include <windows.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "host/bmp_file.h"
#include "host/dialog_automation.h"
#include "host/window_capture.h"
#include "imaging/fnv1a.h"
#include "plugin/win32/dll/export_types.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: ZoHost.exe <plugin.dll> <in.bmp> <out.bmp> [--option] [--checksum]\n"
                 "       [--auto [--size N] [--levels M,T,C,D,F] [--screenshot dialog.bmp]\n"
                 "               [--ground N] [--screen MM]]\n");
    return 2;
}

// What --auto does, one step per timer tick so that each choice is handled (and painted)
// before the next. A step that finds nothing to act on yet runs again on the next tick.
struct Automation {
    int size = -1;
    int levels[5] = {-1, -1, -1, -1, -1};
    const char* screenshot = nullptr;
    int ground = -1;       // the ground dialog's line to choose
    int screenMm = -1;     // the length to type into the screen resolution dialog
    bool screenRefused = false;
    std::vector<std::function<bool(HWND dialog)>> steps;
    size_t next = 0;
};
Automation automation;

void CALLBACK Automate(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindFilterDialog();
    if (dialog == nullptr || automation.next >= automation.steps.size()) return;
    if (automation.steps[automation.next](dialog)) ++automation.next;
}

// The screen resolution dialog from the size list's last entry: the length typed, OK, and
// when the dialog refuses it, its box answered and the dialog cancelled.
void AddScreenSteps() {
    auto& steps = automation.steps;
    steps.push_back([](HWND dialog) {
        const LRESULT count = SendDlgItemMessageA(dialog, kSizeListId, CB_GETCOUNT, 0, 0);
        PostListSelection(dialog, kSizeListId, static_cast<int>(count) - 1);
        return true;
    });
    steps.push_back([](HWND) {
        HWND screen = FindScreenDialog();
        if (screen == nullptr) return false;
        SetDlgItemTextA(screen, kMillimetreEditId, std::to_string(automation.screenMm).c_str());
        char dpi[16] = "";
        GetWindowTextA(ControlAt(screen, kDpiDisplayX, kDpiDisplayY), dpi, sizeof dpi);
        std::printf("screen dialog: %d mm, %s dpi\n", automation.screenMm, dpi);
        PostClick(screen, IDOK);
        return true;
    });
    steps.push_back([](HWND) {
        HWND screen = FindScreenDialog();
        if (screen == nullptr) {
            std::printf("screen dialog: OK\n");
            return true;
        }
        HWND box = FindOwnedDialog(screen, nullptr);
        if (box == nullptr) return false;
        PostClick(box, IDOK);
        automation.screenRefused = true;
        return true;
    });
    steps.push_back([](HWND) {
        if (!automation.screenRefused) return true;
        HWND screen = FindScreenDialog();
        if (screen != nullptr) PostClick(screen, IDCANCEL);
        std::printf("screen dialog: refused, cancelled\n");
        return true;
    });
}

// The ground dialog from a press on the preview's ground margin: a line chosen, then OK.
void AddGroundSteps() {
    auto& steps = automation.steps;
    steps.push_back([](HWND dialog) {
        PostMouse(dialog, WM_LBUTTONDOWN, kGroundMarginX, kGroundMarginY);
        PostMouse(dialog, WM_LBUTTONUP, kGroundMarginX, kGroundMarginY);
        return true;
    });
    steps.push_back([](HWND) {
        HWND ground = FindGroundDialog();
        if (ground == nullptr) return false;
        PostListBoxSelection(ground, kGroundListId, automation.ground);
        return true;
    });
    steps.push_back([](HWND) {
        HWND ground = FindGroundDialog();
        if (ground == nullptr) return false;
        const LRESULT line = SendDlgItemMessageA(ground, kGroundListId, LB_GETCURSEL, 0, 0);
        PostClick(ground, IDOK);
        std::printf("ground dialog: line %d, OK\n", static_cast<int>(line));
        return true;
    });
}

// The screen setting first: it leaves the size list on the screen's entry, which a given size
// then replaces.
void BuildSteps() {
    if (automation.screenMm >= 0) AddScreenSteps();
    if (automation.ground >= 0) AddGroundSteps();
    auto& steps = automation.steps;
    steps.push_back([](HWND dialog) {
        if (automation.size >= 0) PostListSelection(dialog, kSizeListId, automation.size);
        for (int i = 0; i < 5; ++i)
            if (automation.levels[i] >= 0)
                PostListSelection(dialog, kFirstLevelListId + i, automation.levels[i]);
        return true;
    });
    steps.push_back([](HWND) {
        if (automation.screenshot == nullptr) return true;
        std::string error;
        const std::vector<uint8_t> picture = CaptureWindow(FindFilterFrame());
        if (!picture.empty() && WriteBmpFile(automation.screenshot, picture, &error))
            std::printf("dialog screenshot: %s\n", automation.screenshot);
        else
            std::fprintf(stderr, "ZoHost: no screenshot of the dialog\n");
        return true;
    });
    steps.push_back([](HWND dialog) {
        PostClick(dialog, kTableauButton);
        return true;
    });
}

bool ParseLevels(const char* text, int levels[5]) {
    return std::sscanf(text, "%d,%d,%d,%d,%d", &levels[0], &levels[1], &levels[2], &levels[3],
                       &levels[4]) == 5;
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
    bool useOption = false, printChecksum = false, automate = false;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--option") == 0) useOption = true;
        else if (std::strcmp(argv[i], "--checksum") == 0) printChecksum = true;
        else if (std::strcmp(argv[i], "--auto") == 0) automate = true;
        else if (std::strcmp(argv[i], "--size") == 0 && hasValue) automation.size = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--levels") == 0 && hasValue) {
            if (!ParseLevels(argv[++i], automation.levels)) return Usage();
        } else if (std::strcmp(argv[i], "--screenshot") == 0 && hasValue) automation.screenshot = argv[++i];
        else if (std::strcmp(argv[i], "--ground") == 0 && hasValue) automation.ground = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--screen") == 0 && hasValue) automation.screenMm = std::atoi(argv[++i]);
        else if (!pluginPath) pluginPath = argv[i];
        else if (!inputPath) inputPath = argv[i];
        else if (!outputPath) outputPath = argv[i];
        else return Usage();
    }
    if (!outputPath) return Usage();
    BuildSteps();

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
    if (window != nullptr) ShowWindow(window, SW_SHOWNORMAL);
    // The dialog's own loop dispatches this thread's timer.
    const UINT_PTR timer = automate ? SetTimer(nullptr, 0, 100, Automate) : 0;
    uint8_t* pixels = picture.data();
    const int result = useOption ? filterOption(window, 0, &pixels)
                                 : filterProc(window, picture.data(), 0, 0);
    if (timer != 0) KillTimer(nullptr, timer);
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
