// The help file of the plug-ins' dialogs: the plug-in module's folder, the profile name of the
// string table and ".hlp", opened with WinHelp. A test may see the requests instead.
#pragma once

#include <windows.h>

// The dialogs' help: the help file opened for `window` with `command` and its data (the
// contents, or a partial key); nothing when the path does not fit.
void ShowHelp(HWND window, UINT command, ULONG_PTR data);

using HelpHandler = void (*)(HWND window, const char* path, UINT command, ULONG_PTR data);
// Null restores WinHelp.
void SetHelpHandlerForTests(HelpHandler handler);
