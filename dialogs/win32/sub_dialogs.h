// The two modal dialogs the filter dialog opens: the ground dialog (from a press on the
// preview's ground margin) and the screen resolution dialog (from the size list's last
// entry). Each returns IDOK when the user confirmed a choice, and writes it only then: the
// ground into the dialog's settings record and the call's ground, the screen scale and
// resolution into the two ints.
#pragma once

#include <windows.h>

#include "dialogs/win32/fix_dialog.h"
#include "plugin/filter_call.h"

int RunGroundDialog(FixDialog* owner, FilterCall& call, FilterSettings* settings, int dpi);
int RunScreenDialog(FixDialog* owner, int* millimetres, int* dpi);
