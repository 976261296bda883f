// What every generator does last: the bytes it made written as a file of its output folder.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Writes `bytes` as the file `path`; false when it cannot be created or written whole.
inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
