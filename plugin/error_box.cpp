// The frame's error box.
#include "plugin/error_box.h"

#include <cstdarg>

#include "engine/status_text.h"
#include "platform/platform.h"
#include "plugin/plugin_module.h"
#include "plugin/string_ids.h"

int ShowError(const char* format, ...) {
    char text[kStatusSize];
    va_list arguments;
    va_start(arguments, format);
    FormatTextBoundedV(text, sizeof text, format, arguments);
    va_end(arguments);
    char caption[kStatusSize];
    platform::LoadStringEntry(PluginModule(), kStringErrorCaption, caption, sizeof caption);
    return platform::ShowMessageBox(text, caption);
}
