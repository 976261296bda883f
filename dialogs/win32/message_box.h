// The message boxes that the dialogs show over themselves. A test may see the requests first.
#pragma once

#include <windows.h>

// MessageBoxA owned by `owner`; the box's result.
int ShowOwnedMessageBox(HWND owner, const char* text, const char* caption, UINT flags);

// Sees each box before it is shown; its result replaces the box's when it is not 0.
using MessageBoxWatcher = int (*)(HWND owner, const char* text, const char* caption, UINT flags);
// Null shows the boxes without a watcher.
void SetMessageBoxWatcherForTests(MessageBoxWatcher watcher);
