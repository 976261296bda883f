// The identity of the frame linked into the test binaries: the test engine under MORAVEL's title.
#include "plugin/plugin_module.h"
#include "plugin/plugin_titles.h"
#include "tests/support/test_expert.h"

const PluginIdentity kPluginIdentity = {kTitleMoravel, test_style::NewExpert};
