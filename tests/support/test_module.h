// The module whose resources (string table, grounds, MORAVEL's colour map) the tests read:
// the generated Zo_Mor tables natively, the test program itself under Wine (its resources are
// compiled in).
#pragma once

#include "platform/platform.h"

platform::ModuleHandle TestModule();

// A path below the source tree, as this build's file functions take it.
const char* SourcePath(const char* relative);
