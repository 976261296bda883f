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

void PrivateProfileStore::Write(const std::string& section, const std::string& key,
                                const std::string& value) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str());
}

void PrivateProfileStore::DeleteKey(const std::string& section, const std::string& key) {
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path_.c_str());
}

void PrivateProfileStore::DeleteSection(const std::string& section) {
    WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path_.c_str());
}
