// Driving the filter dialog and the dialogs it opens from outside as a person would: finding
// them among the thread's windows, and posted clicks, list choices, keys and mouse messages.
// Used by the stand-in host's automation and by the Windows tests.
#pragma once

#include <windows.h>

// The frame of the filter dialog shown by this thread, or null.
HWND FindFilterFrame();
// The dialog (the frame's client) of this thread, or null.
HWND FindFilterDialog();

// The titles of the ground dialog and of the screen resolution dialog (code page 932).
extern const char kGroundDialogTitle[];
extern const char kScreenDialogTitle[];
// A visible dialog window ("#32770") of this thread with the caption given (any caption when
// null), owned by `owner` (any owner when null), or null. The ground and screen dialogs are
// owned by the filter frame, their message boxes by themselves.
HWND FindOwnedDialog(HWND owner, const char* caption);
HWND FindGroundDialog();
HWND FindScreenDialog();
// True for the plug-ins' own dialogs, which are dialog windows too but no message boxes.
bool IsPlugInDialog(HWND window);

// The control of `dialog` at a client point, or null.
HWND ControlAt(HWND dialog, int x, int y);

// A click on the dialog's control `id`, posted as a press would arrive.
void PostClick(HWND dialog, int id);
// The selection of drop-down list `id`, then the change notice that a person's choice sends.
void PostListSelection(HWND dialog, int id, int index);
// The same for list box `id`.
void PostListBoxSelection(HWND dialog, int id, int index);
// A mouse message at a client point of the dialog.
void PostMouse(HWND dialog, UINT message, int x, int y);
// The Escape key pressed on the control of `dialog` that has the focus. False, posting nothing,
// when none of its controls has it (another program's window took it).
bool PostEscapeToFocus(HWND dialog);

// The filter dialog's command and list ids.
constexpr int kOriginalButton = 100;
constexpr int kStudyButton = 101;
constexpr int kTableauButton = 102;
constexpr int kFilterHelpButton = 103;
constexpr int kSizeListId = 105;
constexpr int kFirstLevelListId = 106;  // 106..110: material, touch, colour, deform, focus
constexpr int kLevelListCount = 5;
// A press here on the preview lies on the ground margin whatever the picture's size (the
// reduced picture starts 5 pixels further in at least): it opens the ground dialog.
constexpr int kGroundMarginX = 17;
constexpr int kGroundMarginY = 17;
// The ground dialog's list and help button; the screen dialog's length edit, help button and
// a point of its dpi display.
constexpr int kGroundListId = 100;
constexpr int kGroundHelpButton = 101;
constexpr int kMillimetreEditId = 100;
constexpr int kScreenHelpButton = 101;
constexpr int kDpiDisplayX = 85;
constexpr int kDpiDisplayY = 120;
