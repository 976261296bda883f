// Folders of the Windows side for the removal's tests: making and removing whole trees through
// the system, and listing one to compare before and after. Whole-file reads and writes and the
// scratch folder are the tests' shared ones (tests/support/files.h).
#pragma once

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
