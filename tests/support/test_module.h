// The module whose resources (string table, grounds, MORAVEL's colour map) the tests read:
// the generated Zo_Mor tables natively, the test program itself under Wine (its resources are
// compiled in); a product module's resources; a string-table entry of either.
#pragma once

#include <string>

#include "platform/platform.h"

platform::ModuleHandle TestModule();

// The resources of product module `name` ("Zo_Kol", ...): its generated tables natively, its
// built DLL loaded as a data file under Wine (kept loaded; null when it is not there).
platform::ModuleHandle ProductModule(const char* name);

// String-table entry `id` of `module` as code page 932 bytes; empty when there is none.
std::string LoadEntry(platform::ModuleHandle module, unsigned id);

// A path below the source tree, as this build's file functions take it.
const char* SourcePath(const char* relative);

// The checksum (16 hex digits) of the test engine's painting of samples/coffee.bmp, as
// recorded in tests/data/test_engine_coffee.txt; "<missing>" when the file cannot be read.
std::string RecordedTestEngineChecksum();
