// What a plug-in library keeps for as long as it is loaded: its module handle and the identity
// of the plug-in that the frame is linked into. Everything else lives in one filter call.
#pragma once

#include "engine/expert_base.h"
#include "platform/platform.h"

// What distinguishes one plug-in from another; each plug-in library defines kPluginIdentity.
struct PluginIdentity {
    const char* title;             // code page 932 text for FilterGetTitle
    ExpertBase* (*newExpert)();    // the style engine; null when it cannot be allocated
};
extern const PluginIdentity kPluginIdentity;

platform::ModuleHandle PluginModule();
void SetPluginModule(platform::ModuleHandle module);
