// File names beside the module, walked as code page 932 text.
#include "plugin/win32/module_paths.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsSeparator(unsigned char byte) { return byte == '\\' || byte == '/'; }

// Calls visit(offset, byte) for the first byte of every character.
template <typename Visit>
void ForEachCharacter(const char* path, Visit visit) {
    for (int i = 0; path[i] != '\0'; ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        visit(i, byte);
        if (IsDBCSLeadByte(byte) && path[i + 1] != '\0') ++i;
    }
}

bool Join(const char* head, int headLength, const char* tail, char* out, int size) {
    if (out == nullptr || size <= 0) return false;
    out[0] = '\0';
    const size_t tailLength = std::strlen(tail);
    if (static_cast<size_t>(headLength) + tailLength + 1 > static_cast<size_t>(size)) return false;
    std::memcpy(out, head, headLength);
    std::memcpy(out + headLength, tail, tailLength + 1);
    return true;
}

}  // namespace

int FileNameOffset(const char* path) {
    int offset = 0;
    ForEachCharacter(path, [&](int i, unsigned char byte) {
        if (IsSeparator(byte)) offset = i + 1;
    });
    return offset;
}

int FileExtensionOffset(const char* path) {
    int dot = -1;
    ForEachCharacter(path, [&](int i, unsigned char byte) {
        if (IsSeparator(byte)) dot = -1;
        else if (byte == '.') dot = i;
    });
    return dot;
}

bool ReplaceExtension(const char* path, const char* extension, char* out, int size) {
    const int dot = FileExtensionOffset(path);
    const int keep = dot >= 0 ? dot : static_cast<int>(std::strlen(path));
    return Join(path, keep, extension, out, size);
}

bool SiblingPath(const char* path, const char* fileName, char* out, int size) {
    return Join(path, FileNameOffset(path), fileName, out, size);
}
