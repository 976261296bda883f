// Loading the settings at the start of a filter call, and saving the screen settings at its
// end: the plug-in's record from its ".dat" file beside the module, the screen scale and
// resolution from the profile file that the plug-ins of one folder share.
#pragma once

#include "platform/platform.h"
#include "plugin/filter_settings.h"

// Room for a Win32 path (MAX_PATH).
constexpr int kSettingsPathSize = 260;

// Keeps the module handle; reads SCREEN/MM (kept in 16 bits) and SCREEN/DPI (limited to
// 10..400) into the environment, and the settings record from the ".dat" file.
void LoadSettings(platform::ModuleHandle module);

// Writes the environment's screen mm and dpi to SCREEN/MM and SCREEN/DPI of the profile file
// named by the last LoadSettings; nothing before one.
void SaveScreenSettings();

// The plug-in's settings record, as the last LoadSettings read it.
FilterSettings* PluginSettings();

// Names made by the last LoadSettings; empty before one, or when a name would not fit.
const char* SettingsFilePath();
const char* ProfileFilePath();

// From the module's full file name: the extension replaced by ".dat", and the module's folder
// followed by `profileName` and ".ini". False, with `out` empty, when the name does not fit.
bool SettingsPathFor(const char* moduleFileName, char* out, int size);
bool ProfilePathFor(const char* moduleFileName, const char* profileName, char* out, int size);
