// Zo_Kol.dll: the shared frame with KOLDA's engine under its title.
#include "plugin/plugin_module.h"
#include "plugin/plugin_titles.h"
#include "styles/kolda/expert.h"

const PluginIdentity kPluginIdentity = {kTitleKolda, kolda::NewExpert};
