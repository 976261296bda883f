// The two modal dialogs the filter dialog opens: the ground dialog (from a press on the
// preview's ground margin) and the screen resolution dialog (from the size list's last
// entry). Each returns IDOK when the user confirmed a choice. The ground dialog writes the
// ground on show into the settings record and the call's ground while the user browses, and
// puts the opening one back unless it ends with IDOK; the screen dialog writes the screen
// scale and resolution into the two ints only with IDOK.
#pragma once

#include <windows.h>

#include "dialogs/win32/fix_dialog.h"
#include "plugin/filter_call.h"

int RunGroundDialog(FixDialog* owner, FilterCall& call, FilterSettings* settings, int dpi);
int RunScreenDialog(FixDialog* owner, int* millimetres, int* dpi);
