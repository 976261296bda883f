// Drives the removal program Zoclear.exe from the test: starts it in a folder, finds its
// message boxes and reads them (caption, text, buttons, icon, owner, the gauge at that moment),
// answers them by posting the button's command, selects a list line and posts commands to its
// dialog, waits for a removal to end, and reads the list, the gauge, the focus and the frame.
// Every wait is for a state of the program; its bound only ends a test that would hang.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

// A message box as another process sees it. Its icon cannot be told from here: the icon
// handles are the program's own, and its window's pixels cannot be read back.
struct SeenBox {
    bool question = false;  // Yes and No; otherwise OK alone
    std::string caption;
    std::string text;
    bool owned = false;  // owned by the program's frame (through its dialog)
    std::string gauge;   // the gauge's text while the box is up
    HWND window = nullptr;
};

// Waits `milliseconds` (or until `object` is signalled) with this thread's messages dispatched.
// The program sends messages to the test's windows too (activation moves to them when its own
// windows close), so a test that slept instead would hold the program up.
void Pause(DWORD milliseconds, HANDLE object = nullptr);

// The bound of every wait for a state: far beyond what any step takes on a loaded machine.
constexpr DWORD kLongWait = 60000;  // ms

// Asks `done` until it holds, with this thread's messages dispatched in between; false when it
// still does not after `milliseconds`. It is asked at least once.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds = kLongWait);

class ZoclearDriver {
public:
    ZoclearDriver() = default;
    // Ends the program if it still runs (it is this test's child).
    ~ZoclearDriver();
    ZoclearDriver(const ZoclearDriver&) = delete;
    ZoclearDriver& operator=(const ZoclearDriver&) = delete;

    bool Start(const std::string& program, const std::string& currentFolder);

    // Waits for the next message box that has not been answered; false when none appears in
    // time or the program ends first.
    bool WaitForBox(SeenBox* box, DWORD milliseconds = kLongWait);
    // Posts the command of button `id` (IDOK, IDYES, IDNO) to the box.
    void Answer(const SeenBox& box, int id);

    // The program's frame and dialog once they exist (null before).
    HWND Frame();
    HWND Dialog();
    // Posts the selection of line `index` to the list, then the command `id` to the dialog.
    void Select(int index);
    void Command(int id);
    // Waits until the commands are on again: the program turns them off for a removal, from
    // before its first box until it has ended. False when the program ends first.
    bool WaitForRemovalEnd(DWORD milliseconds = kLongWait);
    // The control of the dialog that has the keyboard focus; null when none has.
    HWND FocusedControl();

    std::vector<std::string> ListLines();
    std::string GaugeText();
    std::string FrameTitle();

    // Waits for the program to end; false when it still runs after `milliseconds`.
    bool WaitForExit(DWORD milliseconds = kLongWait, DWORD* exitCode = nullptr);
    bool Running() const;

private:
    std::vector<HWND> TopLevelWindows() const;
    // The first box not yet answered, read into `box`; false when none is up.
    bool FindBox(SeenBox* box);

    PROCESS_INFORMATION process_ = {};
    std::set<HWND> answered_;
};
