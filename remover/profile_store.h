// The records file ZOLVIN.INI as the removal reads and writes it: private-profile text, one
// key at a time. Section and key names match without regard to letter case, as in any
// private-profile file.
#pragma once

#include <string>

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // The whole value of `key` in `section`; empty when the key or the section is missing.
    virtual std::string Read(const std::string& section, const std::string& key) = 0;
    // Each change is false when the file could not be written (it is read-only, or another
    // program holds it open against writing).
    virtual bool Write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    virtual bool DeleteKey(const std::string& section, const std::string& key) = 0;
    virtual bool DeleteSection(const std::string& section) = 0;
    // True when the file is there and can be written now; it is left as it is.
    virtual bool CanWrite() = 0;
    // The file, as the messages that speak of it name it.
    virtual std::string Path() const = 0;
};
