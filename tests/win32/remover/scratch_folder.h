// A fresh folder under the system's temporary folder for one test, removed with all it holds
// at the end, and small helpers for the files in it.
#pragma once

#include <string>
#include <vector>

class ScratchFolder {
public:
    explicit ScratchFolder(const char* name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

bool PathExists(const std::string& path);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
void MakeFolder(const std::string& path);  // with every missing folder above it
// Deletes a folder with all it holds; true when it is gone.
bool RemoveTree(const std::string& path);
// Every file and folder below `root`, relative to it, folders ending in "\", sorted.
std::vector<std::string> TreeListing(const std::string& root);
