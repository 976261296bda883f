// The dialogs' owned message boxes and their watcher.
#include "dialogs/win32/message_box.h"

namespace {
MessageBoxWatcher watcher = nullptr;
}  // namespace

int ShowOwnedMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
    if (watcher != nullptr) {
        const int answer = watcher(owner, text, caption, flags);
        if (answer != 0) return answer;
    }
    return MessageBoxA(owner, text, caption, flags);
}

void SetMessageBoxWatcherForTests(MessageBoxWatcher newWatcher) { watcher = newWatcher; }
