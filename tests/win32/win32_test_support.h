// Helpers of the Win32 tests: host pictures built in the test, a plug-in DLL copied into a
// fresh folder of its own and loaded from there (so its ".dat" and profile files are the
// test's alone, and its globals start fresh), the message-box closer, and what the test
// dialog reports.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/dialog_automation.h"
#include "plugin/win32/dll/export_types.h"

// The five test plug-ins, in product order, and where the build put them.
extern const char* const kTestPluginNames[5];
std::string TestPluginPath(const char* name);

// A host picture: 40-byte header, then rows filled with a fixed pattern; padding bytes 0xEE.
// Rows are made only for pictures the filter can take; others get `extraBytes` bytes.
std::vector<uint8_t> MakeHostPicture(int32_t width, int32_t height, int32_t pelsPerMeter = 2834,
                                     uint16_t bitCount = 24, uint32_t compression = 0,
                                     size_t extraBytes = 64);
void SetHeaderInt32(std::vector<uint8_t>* picture, int offset, int32_t value);

// The picture's pixels as the test engine paints them, at `pelsPerMeter`, through this
// program's own driver.
std::vector<uint8_t> ReferencePainting(const std::vector<uint8_t>& picture, int32_t pelsPerMeter);

uint64_t PixelChecksum(const std::vector<uint8_t>& picture);

// A window of the test program to pass as the host window.
HWND TestHostWindow();
// A hidden window of a class of its own (`name`) at that place, to stand for a host.
HWND MakeHostWindow(const char* name, int x, int y, int width, int height);

class PluginCopy {
public:
    explicit PluginCopy(const char* name = "ZoTest_Mor");
    ~PluginCopy();
    PluginCopy(const PluginCopy&) = delete;
    PluginCopy& operator=(const PluginCopy&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    HMODULE Module() const { return module_; }
    const std::string& Folder() const { return folder_; }
    std::string DatPath() const { return folder_ + "\\" + name_ + ".dat"; }
    std::string IniPath() const { return folder_ + "\\Zop2j.ini"; }

    FilterGetTitleFunction getTitle = nullptr;
    FilterProcFunction filterProc = nullptr;
    FilterOptionFunction filterOption = nullptr;

private:
    std::string name_;
    std::string folder_;
    HMODULE module_ = nullptr;
};

// While alive, a thread timer closes every message box that this thread shows, with IDOK
// posted to it, and records its caption, text and owner. The plug-ins' own dialogs are dialog
// windows too, but no boxes: they are left alone. Tests run every filter call under one, so
// an unexpected box fails the test instead of hanging it.
class BoxCloser {
public:
    struct Box {
        std::string caption;
        std::string text;
        HWND owner = nullptr;
        std::string ownerCaption;
    };
    BoxCloser();
    ~BoxCloser();
    const std::vector<Box>& Boxes() const;
    // Runs for each box when it is found, before it is closed: while the box is up, the code
    // that showed it waits, and the test can look at what that code has drawn so far.
    void OnEachBox(std::function<void(const Box&)> watcher);

private:
    UINT_PTR timer_;
};

// The filter dialog driven as a person would drive it. A thread timer, dispatched by the
// dialog's own message loop, finds the dialog when it appears, notes what it shows, runs the
// test's step, then ends it with posted messages. The mode picks the ending:
//   ""        press タブロ－ (the final painting)
//   "cancel"  press ｷｬﾝｾﾙ
//   "close"   close the frame from its system menu
//   "escape"  press タブロ－ with Escape already waiting: the painting stops after one phase
//   "fail"    press タブロ－ with the test engine's second phase failing
//   "none"    do nothing (the step ends the dialog itself)
// Setting the mode forgets the steps of the last test: add them after it.
void SetDialogMode(const char* mode);
// Steps run in each dialog, one per timer tick (so that what one step posted is handled and
// painted before the next looks), after the dialog was noted and before its ending.
void SetDialogStep(std::function<void(HWND dialog)> step);
void AddDialogStep(std::function<void(HWND dialog)> step);
// A step that runs again on each tick until it returns true (to wait for a window to come or
// go); the next step follows on the tick after.
void AddDialogStepUntil(std::function<bool(HWND dialog)> step);
// What the last dialog showed ("dialog" 1, "size" the size list's selection, "hostEnabled",
// "precision"), merged with what its last painting received from the test engine ("material",
// ..., "engineDpi", "engineXPpm", "groundSide", "ground" as the index of the ground loaded,
// "paintings", "regionCount", ...). Cleared by reading.
std::map<std::string, long long> TakeDialogReport();
// Adds a value to the report from a test's step.
void AddToDialogReport(const char* key, long long value);

// The last help request of a test plug-in, cleared by reading, and the request it records for
// opening the help file of `folder` with `command` (and a partial key).
std::string TakeHelpRequest();
std::string HelpRequest(UINT command, const std::string& folder, const char* key = nullptr);

// Files of the plug-in folder.
bool FileExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// A 24-byte settings file from seven fields; `tail` gives bytes 14..23.
std::string SettingsBytes(const int16_t fields[7], const uint8_t tail[10] = nullptr);
// The profile value, or "<none>".
std::string ProfileValue(const std::string& iniPath, const char* section, const char* key);
