// Driving the filter dialog from outside as a person would: finding it among the thread's
// windows, and posted clicks, list choices and mouse messages. Used by the stand-in host's
// automation and by the Windows tests.
#pragma once

#include <windows.h>

// The frame of the filter dialog shown by this thread, or null.
HWND FindFilterFrame();
// The dialog (the frame's client) of this thread, or null.
HWND FindFilterDialog();

// A click on the dialog's control `id`, posted as a press would arrive.
void PostClick(HWND dialog, int id);
// The selection of list `id`, then the change notice that a person's choice sends.
void PostListSelection(HWND dialog, int id, int index);
// A mouse message at a client point of the dialog.
void PostMouse(HWND dialog, UINT message, int x, int y);

// The filter dialog's command and list ids.
constexpr int kTableauButton = 102;
constexpr int kSizeListId = 105;
constexpr int kFirstLevelListId = 106;  // 106..110: material, touch, colour, deform, focus
