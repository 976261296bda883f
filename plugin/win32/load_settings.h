// Loading the settings at the start of a filter call, and saving the screen settings at its
// end: the plug-in's record from its ".dat" file beside the module, the screen scale and
// resolution from the profile file that the plug-ins of one folder share.
#pragma once

#include "platform/platform.h"
#include "plugin/filter_call.h"

// Keeps the module handle as the plug-in's; names the call's two files; reads SCREEN/MM (kept
// in 16 bits) and SCREEN/DPI (limited to 10..400) into the call's environment, and its
// settings record from the ".dat" file over the record the last call ended with. A name that
// does not fit stays empty.
void LoadSettings(FilterCall& call, platform::ModuleHandle module);

// The library keeps the record a call ends with, the one thing of a call besides the files
// that the next one sees: a ".dat" file shorter than the record changes only the fields it
// holds, and the others keep their values from before.
void KeepSettingsRecord(const FilterSettings& settings);

// Writes the call's screen mm and dpi to SCREEN/MM and SCREEN/DPI of its profile file;
// nothing when the file has no name.
void SaveScreenSettings(const FilterCall& call);

// From the module's full file name: the extension replaced by ".dat", and the module's folder
// followed by `profileName` and ".ini". False, with `out` empty, when the name does not fit.
bool SettingsPathFor(const char* moduleFileName, char* out, int size);
bool ProfilePathFor(const char* moduleFileName, const char* profileName, char* out, int size);
