// The library's module handle.
#include "plugin/plugin_module.h"

namespace {

platform::ModuleHandle module = nullptr;

}  // namespace

platform::ModuleHandle PluginModule() { return module; }
void SetPluginModule(platform::ModuleHandle handle) { module = handle; }
