// The module whose resources the framework's windows use: the plug-in library (or the program)
// that runs the application. It is the framework's only global state.
#pragma once

#include <windows.h>

namespace framework {

HINSTANCE Module();
void SetModule(HINSTANCE module);

}  // namespace framework
