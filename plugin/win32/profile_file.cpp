// ProfileFile over the private-profile API.
#include "plugin/win32/profile_file.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "engine/status_text.h"
#include "plugin/win32/module_paths.h"

namespace {

// Values read as numbers are taken from at most this many characters.
constexpr int kNumberTextSize = 40;

}  // namespace

ProfileFile::ProfileFile() { name_[0] = '\0'; }

ProfileFile::ProfileFile(const char* name) {
    name_[0] = '\0';
    if (name != nullptr && std::strlen(name) < sizeof name_) std::strcpy(name_, name);
}

void ProfileFile::ModuleIniName(char* buffer, HWND window) {
    if (buffer == nullptr) return;
    buffer[0] = '\0';
    if (window == nullptr) return;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    if (instance == nullptr) return;
    char path[kProfileNameSize];
    const DWORD length = GetModuleFileNameA(instance, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    if (FileExtensionOffset(path) < 0) {
        std::strcpy(buffer, path);
        return;
    }
    ReplaceExtension(path, ".INI", buffer, kProfileNameSize);  // empty when it would not fit
}

int ProfileFile::GetInt(const char* section, const char* key, int defaultValue) const {
    if (!HasName()) return defaultValue;
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, name_));
}

long ProfileFile::GetLong(const char* section, const char* key, long defaultValue) const {
    char text[kNumberTextSize];
    if (GetString(section, key, "", text, sizeof text) <= 0) return defaultValue;
    return std::strtol(text, nullptr, 10);  // strtol, not atol: an overlong number saturates
}

double ProfileFile::GetDouble(const char* section, const char* key, double defaultValue) const {
    char text[kNumberTextSize];
    if (GetString(section, key, "", text, sizeof text) <= 0) return defaultValue;
    return std::strtod(text, nullptr);
}

int ProfileFile::GetString(const char* section, const char* key, const char* defaultValue,
                           char* buffer, int size) const {
    if (buffer == nullptr || size <= 0) return 0;
    if (!HasName()) {
        CopyTextBounded(buffer, size, defaultValue != nullptr ? defaultValue : "");
        return static_cast<int>(std::strlen(buffer));
    }
    return static_cast<int>(
        GetPrivateProfileStringA(section, key, defaultValue, buffer, size, name_));
}

void ProfileFile::PutInt(const char* section, const char* key, int value) const {
    PutFormat(section, key, "%d", value);
}

void ProfileFile::PutLong(const char* section, const char* key, long value) const {
    PutFormat(section, key, "%ld", value);
}

void ProfileFile::PutDouble(const char* section, const char* key, double value) const {
    PutFormat(section, key, "%f", value);
}

void ProfileFile::PutString(const char* section, const char* key, const char* text) const {
    PutFormat(section, key, "%s", text != nullptr ? text : "");
}

void ProfileFile::PutFormat(const char* section, const char* key, const char* format, ...) const {
    if (!HasName()) return;
    char text[260];
    va_list arguments;
    va_start(arguments, format);
    FormatTextBoundedV(text, sizeof text, format, arguments);
    va_end(arguments);
    WritePrivateProfileStringA(section, key, text, name_);
}
