// The DDE command texts that take a removed part's entries off Program Manager, and the test
// that keeps a name from the records out of them when it could change what a command does.
#pragma once

#include <string>
#include <vector>

#include "remover/removal_plan.h"

// True when `name` can stand between the double quotes of a command and names a group or item
// inside the Programs folder: not empty; no control character and no `"` (the argument would
// end early); no drive, colon or absolute path; and no part between "\" or "/" that is only
// dots and blanks (the system drops trailing dots and blanks from a name, so ".", ".. ", "   "
// and the like name the folder itself or the one above). Parentheses and square brackets are
// sent as they stand: a quoted argument runs up to its closing quote. Walked as code page 932
// text, so the second byte of a double-byte character is never mistaken for one of them.
bool IsSendableName(const std::string& name);

// The commands for the plan, in order: "[DeleteGroup("<group>")]" when the whole group goes,
// otherwise "[ShowGroup("<group>", 5)]" and one "[DeleteItem("<title>")]" per item. None when
// the part's group name is empty or blanks alone (either stands for the Programs folder, every
// group) or the part has nothing to delete there.
std::vector<std::string> ProgmanCommands(const RemovalPlan& plan);

// Finds the first name that ProgmanCommands would send and IsSendableName refuses; false when
// all of them can be sent.
bool FindUnsendableName(const RemovalPlan& plan, std::string* name);
