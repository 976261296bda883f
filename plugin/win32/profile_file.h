// ProfileFile: one private-profile (".ini") file, read and written key by key through the
// platform's profile functions; every call goes straight to the file.
#pragma once

#include <windows.h>

constexpr int kProfileNameSize = 260;

class ProfileFile {
public:
    ProfileFile();
    // Keeps `name`; a name that does not fit in kProfileNameSize bytes is not kept (the file
    // would be another one), and the object then reads defaults and writes nothing.
    explicit ProfileFile(const char* name);

    const char* Name() const { return name_; }

    // The module file name of `window`'s instance with the part from its last "." replaced by
    // ".INI", unchanged when the file name has no "."; `buffer` holds kProfileNameSize bytes.
    // Empty when the window or its module is unknown.
    static void ModuleIniName(char* buffer, HWND window);

    int GetInt(const char* section, const char* key, int defaultValue) const;
    // The decimal number at the start of the value (at most 39 characters read), or the
    // default when the value is empty or missing.
    long GetLong(const char* section, const char* key, long defaultValue) const;
    double GetDouble(const char* section, const char* key, double defaultValue) const;
    // GetPrivateProfileString: the characters copied into `buffer` of `size` bytes.
    int GetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                  int size) const;

    void PutInt(const char* section, const char* key, int value) const;
    void PutLong(const char* section, const char* key, long value) const;
    void PutDouble(const char* section, const char* key, double value) const;
    void PutString(const char* section, const char* key, const char* text) const;
    // Formats into 260 characters (longer results are cut) and writes the text.
    void PutFormat(const char* section, const char* key, const char* format, ...) const
        __attribute__((format(printf, 4, 5)));

private:
    bool HasName() const { return name_[0] != '\0'; }

    char name_[kProfileNameSize];
};
