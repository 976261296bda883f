// Zo_Tev.dll: the shared frame with TEVU's engine under its title.
#include "plugin/plugin_module.h"
#include "plugin/plugin_titles.h"
#include "styles/tevu/expert.h"

const PluginIdentity kPluginIdentity = {kTitleTevu, tevu::NewExpert};
