// The records file through the system's private-profile functions.
#include "remover/win32/private_profile_store.h"

#include <windows.h>

#include <vector>

namespace {

// The largest value a profile file holds in one line.
constexpr DWORD kLargestValue = 65536;

}  // namespace

std::string PrivateProfileStore::Read(const std::string& section, const std::string& key) {
    // The function fills the buffer up to its last byte but one when the value does not fit.
    for (DWORD size = 512;; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "",
                                                      buffer.data(), size, path_.c_str());
        if (length < size - 1 || size >= kLargestValue) return std::string(buffer.data(), length);
    }
}

bool PrivateProfileStore::Write(const std::string& section, const std::string& key,
                                const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      path_.c_str()) != FALSE;
}

bool PrivateProfileStore::DeleteKey(const std::string& section, const std::string& key) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path_.c_str()) !=
           FALSE;
}

bool PrivateProfileStore::DeleteSection(const std::string& section) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path_.c_str()) != FALSE;
}

// Opened for writing as the profile functions open it, sharing reads and writes: a read-only
// file, and one that another program holds open against writing, refuse it. Opening an
// existing file changes nothing in it.
bool PrivateProfileStore::CanWrite() {
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}
