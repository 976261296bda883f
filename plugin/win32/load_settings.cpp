// Reading the settings at the start of a filter call and saving the screen settings at its end.
#include "plugin/win32/load_settings.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "plugin/plugin_module.h"
#include "plugin/string_ids.h"
#include "plugin/win32/module_paths.h"
#include "plugin/win32/profile_file.h"

namespace {

constexpr int kProfileNameLength = 20;  // room for the string-table entry

constexpr int kDefaultScreenMm = 60;
constexpr int kDefaultScreenDpi = 84;
constexpr int kMinScreenDpi = 10;
constexpr int kMaxScreenDpi = 400;

FilterSettings keptRecord;

}  // namespace

bool SettingsPathFor(const char* moduleFileName, char* out, int size) {
    return ReplaceExtension(moduleFileName, ".dat", out, size);
}

bool ProfilePathFor(const char* moduleFileName, const char* profileName, char* out, int size) {
    char fileName[kSettingsPathSize];
    const int length = std::snprintf(fileName, sizeof fileName, "%s.ini", profileName);
    if (length < 0 || length >= static_cast<int>(sizeof fileName)) {
        if (out != nullptr && size > 0) out[0] = '\0';
        return false;
    }
    return SiblingPath(moduleFileName, fileName, out, size);
}

void LoadSettings(FilterCall& call, platform::ModuleHandle module) {
    SetPluginModule(module);

    // A name cut by GetModuleFileName would name another file: treat it as no name.
    char moduleFileName[MAX_PATH + 1] = "";
    const DWORD length =
        GetModuleFileNameA(static_cast<HMODULE>(module), moduleFileName, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) moduleFileName[0] = '\0';

    char profileName[kProfileNameLength];
    platform::LoadStringEntry(module, kStringProfileName, profileName, sizeof profileName);
    if (moduleFileName[0] == '\0' ||
        !ProfilePathFor(moduleFileName, profileName, call.profilePath, sizeof call.profilePath))
        call.profilePath[0] = '\0';

    const ProfileFile profile(call.profilePath);
    FilterEnvironment& environment = call.environment;
    environment.screenMm = static_cast<int16_t>(profile.GetInt("SCREEN", "MM", kDefaultScreenMm));
    environment.screenDpi = static_cast<int16_t>(std::clamp(
        profile.GetInt("SCREEN", "DPI", kDefaultScreenDpi), kMinScreenDpi, kMaxScreenDpi));

    if (moduleFileName[0] == '\0' ||
        !SettingsPathFor(moduleFileName, call.settingsPath, sizeof call.settingsPath))
        call.settingsPath[0] = '\0';
    call.settings = keptRecord;
    ReadSettingsFile(call.settingsPath, &call.settings);
}

void KeepSettingsRecord(const FilterSettings& settings) {
    keptRecord = settings;
    keptRecord.ground = nullptr;  // the ground is the call's and goes with it
}

void SaveScreenSettings(const FilterCall& call) {
    if (call.profilePath[0] == '\0') return;
    const ProfileFile profile(call.profilePath);
    profile.PutInt("SCREEN", "MM", call.environment.screenMm);
    profile.PutInt("SCREEN", "DPI", call.environment.screenDpi);
}
