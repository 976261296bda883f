// Zo_Mor.dll: the shared frame with MORAVEL's engine under its title.
#include "plugin/plugin_module.h"
#include "plugin/plugin_titles.h"
#include "styles/moravel/expert.h"

const PluginIdentity kPluginIdentity = {kTitleMoravel, moravel::NewExpert};
