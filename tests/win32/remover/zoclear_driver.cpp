// Finding, reading and answering the removal program's windows from the test.
#include "tests/win32/remover/zoclear_driver.h"

#include "remover/win32/zoclear_dialog.h"

namespace {

constexpr int kMessageTextId = 0xFFFF;  // the text of a message box
constexpr DWORD kPoll = 20;  // ms
constexpr UINT kQueryTimeout = 200;  // ms; a query that times out is asked again

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    if (window == nullptr) return std::string();
    char text[16384] = "";
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

// A message sent to the program with its answer; false when it did not answer. Between tries
// the test's own messages are dispatched, so that the program is never held up by the test.
bool Query(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* answer) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kQueryTimeout,
                                answer))
            return true;
        if (!IsWindow(window) || GetTickCount() - start > kLongWait) return false;
        Pause(kPoll);
    }
}

struct Search {
    DWORD process;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window)) search->windows->push_back(window);
    return TRUE;
}

// The test display has no window manager. Wine waits for one to acknowledge every managed
// window that closes, two seconds each time; the prefix's windows are made unmanaged instead.
void UnmanagedWindows() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
}

}  // namespace

void Pause(DWORD milliseconds, HANDLE object) {
    const DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) return;
        const DWORD count = object != nullptr ? 1 : 0;
        const DWORD woke =
            MsgWaitForMultipleObjects(count, &object, FALSE, end - now, QS_ALLINPUT);
        if (count == 1 && woke == WAIT_OBJECT_0) return;
    }
}

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) return false;
        Pause(kPoll);
    }
    return true;
}

ZoclearDriver::~ZoclearDriver() {
    if (process_.hProcess == nullptr) return;
    if (Running()) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool ZoclearDriver::Start(const std::string& program, const std::string& currentFolder) {
    UnmanagedWindows();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    return CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          currentFolder.c_str(), &startup, &process_) != 0;
}

bool ZoclearDriver::Running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> ZoclearDriver::TopLevelWindows() const {
    std::vector<HWND> windows;
    Search search = {process_.dwProcessId, &windows};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return windows;
}

bool ZoclearDriver::FindBox(SeenBox* box) {
    for (HWND window : TopLevelWindows()) {
        if (ClassOf(window) != "#32770" || answered_.count(window) != 0) continue;
        // A box shows once its set-up is done: its text and buttons are final.
        HWND text = GetDlgItem(window, kMessageTextId);
        if (text == nullptr) continue;
        box->window = window;
        box->caption = TextOf(window);
        box->text = TextOf(text);
        box->owned = GetWindow(window, GW_OWNER) != nullptr;
        box->question =
            GetDlgItem(window, IDYES) != nullptr && GetDlgItem(window, IDNO) != nullptr;
        box->gauge = GaugeText();
        return true;
    }
    return false;
}

bool ZoclearDriver::WaitForBox(SeenBox* box, DWORD milliseconds) {
    bool found = false;
    WaitUntil([&] { return (found = FindBox(box)) || !Running(); }, milliseconds);
    return found;
}

void ZoclearDriver::Answer(const SeenBox& box, int id) {
    answered_.insert(box.window);
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, id)));
}

HWND ZoclearDriver::Frame() {
    for (HWND window : TopLevelWindows())
        if (ClassOf(window) == "ZoFrameWindow") return window;
    return nullptr;
}

HWND ZoclearDriver::Dialog() {
    HWND frame = Frame();
    return frame != nullptr ? FindWindowExA(frame, nullptr, "#32770", nullptr) : nullptr;
}

void ZoclearDriver::Select(int index) {
    PostMessageA(GetDlgItem(Dialog(), kGroupListId), CB_SETCURSEL, index, 0);
}

void ZoclearDriver::Command(int id) {
    HWND dialog = Dialog();
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool ZoclearDriver::WaitForRemovalEnd(DWORD milliseconds) {
    auto ended = [this] {
        HWND remove = GetDlgItem(Dialog(), kRemoveCommand);
        return remove != nullptr && IsWindowEnabled(remove);
    };
    WaitUntil([&] { return ended() || !Running(); }, milliseconds);
    return ended();
}

HWND ZoclearDriver::FocusedControl() {
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(process_.dwThreadId, &thread)) return nullptr;
    HWND dialog = Dialog();
    return dialog != nullptr && IsChild(dialog, thread.hwndFocus) ? thread.hwndFocus : nullptr;
}

// The lines are read as UTF-16 and converted here: Wine hands CB_GETLBTEXT from another
// process back in UTF-16 even to the ANSI call.
std::vector<std::string> ZoclearDriver::ListLines() {
    std::vector<std::string> lines;
    HWND list = GetDlgItem(Dialog(), kGroupListId);
    DWORD_PTR count = 0;
    if (list == nullptr || !Query(list, CB_GETCOUNT, 0, 0, &count)) return lines;
    for (DWORD_PTR i = 0; i < count; ++i) {
        wchar_t wide[1024] = L"";
        DWORD_PTR length = 0;
        Query(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide), &length);
        char line[2048] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, line, sizeof line, nullptr, nullptr);
        lines.emplace_back(line);
    }
    return lines;
}

std::string ZoclearDriver::GaugeText() { return TextOf(GetDlgItem(Dialog(), kGaugeId)); }

std::string ZoclearDriver::FrameTitle() { return TextOf(Frame()); }

bool ZoclearDriver::WaitForExit(DWORD milliseconds, DWORD* exitCode) {
    if (process_.hProcess == nullptr) return false;
    Pause(milliseconds, process_.hProcess);
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) return false;
    if (exitCode != nullptr) GetExitCodeProcess(process_.hProcess, exitCode);
    return true;
}
