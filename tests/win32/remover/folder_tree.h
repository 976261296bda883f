// Folders of the Windows side for the removal's tests: making and removing whole trees through
// the system, listing one to compare before and after, and a file held open as another program
// holds it. Whole-file reads and writes and the
// scratch folder are the tests' shared ones (tests/support/files.h).
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

bool PathExists(const std::string& path);
// The name of the folder the system makes when asked for `name`: it drops the blanks and dots
// that end a name, so "Zolvane " and "Zolvane." make "Zolvane", and "   " none at all.
std::string SystemFolderName(const std::string& name);
void MakeFolder(const std::string& path);  // with every missing folder above it
// Deletes a folder with all it holds; true when it is gone.
bool RemoveTree(const std::string& path);
// Every file and folder below `root`, relative to it, folders ending in "\", sorted.
std::vector<std::string> TreeListing(const std::string& root);
// Bytes as a text, to compare with a literal.
inline std::string AsText(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A file held open by another program that shares only its reading, as a running program holds
// its DLL or a backup program or a virus scanner holds a file: nothing can write or delete it
// until it lets go. Taken and released on any thread.
class HeldFile {
public:
    HeldFile() = default;
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    // False when the file cannot be opened.
    bool Take(const std::string& path);
    bool Held() const { return handle_ != nullptr; }
    void Release();

private:
    std::atomic<HANDLE> handle_{nullptr};
};
