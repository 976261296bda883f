// Files for the tests: whole-file reads and writes, a scratch folder that goes away with its
// contents, and the run of a data generator into such a folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test_files {

// The file's bytes; empty when it cannot be read.
std::vector<uint8_t> ReadAll(const std::string& path);

// Writes `bytes` as the whole file; false when it cannot be written.
bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteAll(const std::string& path, const std::string& bytes);

// A fresh folder in the temporary directory, removed with its contents at the end of scope.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& name) const;

private:
    std::string path_;
};

// Runs a generator program with `folder` as its only argument (in a cross build under the
// emulator that runs the tests); true when it exits with 0.
bool RunGenerator(const char* program, const std::string& folder);

}  // namespace test_files
