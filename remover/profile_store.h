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
    virtual void Write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    virtual void DeleteKey(const std::string& section, const std::string& key) = 0;
    virtual void DeleteSection(const std::string& section) = 0;
};
