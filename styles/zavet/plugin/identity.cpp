// Zo_Zav.dll: the shared frame with ZAVET's engine under its title.
#include "plugin/plugin_module.h"
#include "plugin/plugin_titles.h"
#include "styles/zavet/expert.h"

const PluginIdentity kPluginIdentity = {kTitleZavet, zavet::NewExpert};
