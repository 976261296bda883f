// The identity of a test plug-in: the small test engine under one product's title, chosen by
// the build (ZO_TEST_TITLE is one of the five title names).
#include "plugin/plugin_module.h"
#include "plugin/plugin_titles.h"
#include "tests/support/test_expert.h"

const PluginIdentity kPluginIdentity = {ZO_TEST_TITLE, test_style::NewExpert};
