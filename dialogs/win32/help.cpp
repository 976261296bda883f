// The help file's name and the one place that opens it.
#include "dialogs/win32/help.h"

#include "framework/module.h"
#include "plugin/string_ids.h"
#include "plugin/win32/module_paths.h"

namespace {

constexpr int kProfileNameSize = 20;
HelpHandler handler = nullptr;

// False, with `path` empty, when the name does not fit in `size` bytes.
bool HelpFilePath(char* path, int size) {
    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(framework::Module(), module, sizeof module);
    char name[kProfileNameSize + 4];
    LoadStringA(framework::Module(), kStringProfileName, name, kProfileNameSize);
    lstrcatA(name, ".hlp");
    if (length == 0 || length >= sizeof module) {
        if (size > 0) path[0] = '\0';
        return false;
    }
    return SiblingPath(module, name, path, size);
}

void OpenHelp(HWND window, const char* path, UINT command, ULONG_PTR data) {
    if (handler != nullptr) handler(window, path, command, data);
    else WinHelpA(window, path, command, data);
}

}  // namespace

void ShowHelp(HWND window, UINT command, ULONG_PTR data) {
    char path[MAX_PATH];
    if (HelpFilePath(path, sizeof path)) OpenHelp(window, path, command, data);
}

void SetHelpHandlerForTests(HelpHandler newHandler) { handler = newHandler; }
