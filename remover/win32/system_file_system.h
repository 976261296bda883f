// Files, folders and the self-removal through the system's own functions: a refused deletion is
// judged from the system's error code, never from the run-time library's mapping of it.
#pragma once

#include "remover/file_system.h"

class SystemFileSystem : public FileSystem {
public:
    RemoveOutcome RemoveFile(const std::string& path) override;
    void RemoveFolder(const std::string& path) override;
    void StartSelfRemoval() override;
};
