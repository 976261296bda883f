// The framework's module handle.
#include "framework/module.h"

namespace framework {

namespace {
HINSTANCE module = nullptr;
}  // namespace

HINSTANCE Module() { return module != nullptr ? module : GetModuleHandleA(nullptr); }
void SetModule(HINSTANCE handle) { module = handle; }

}  // namespace framework
