// Zo_Gri.dll: the shared frame with GRISOV's engine under its title.
#include "plugin/plugin_module.h"
#include "plugin/plugin_titles.h"
#include "styles/grisov/expert.h"

const PluginIdentity kPluginIdentity = {kTitleGrisov, grisov::NewExpert};
