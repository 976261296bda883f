// The records file through the system's private-profile functions; every call goes straight to
// the file, and values are read whole, however long (a cut path could name another file).
#pragma once

#include <string>

#include "remover/profile_store.h"

class PrivateProfileStore : public ProfileStore {
public:
    explicit PrivateProfileStore(std::string path) : path_(std::move(path)) {}

    std::string Read(const std::string& section, const std::string& key) override;
    bool Write(const std::string& section, const std::string& key,
               const std::string& value) override;
    bool DeleteKey(const std::string& section, const std::string& key) override;
    bool DeleteSection(const std::string& section) override;
    bool CanWrite() override;
    std::string Path() const override { return path_; }

private:
    std::string path_;
};
